#pragma once
// Cutting the phone's answers to the message commands. Each answer is cut relative to its own
// line (found by its prefix wherever it stands), so that an echo variant or a stray line before
// it cannot shift the fields, and a refusal (ERROR, +CME ERROR, +CMS ERROR) is never read as
// data. Pure functions of the answer text as TBlockSerial::AtCommand returns it.

#include <optional>
#include <string>
#include <vector>

namespace orlin {

// AT+CGSN: +CGSN: IMEI351234567890123
// The phone id: characters 9 to 14 of the serial number, after "+CGSN: "
// and the "IMEI" most Motorolas put before it ("IMEI351234567890123" and the standard
// "351234567890123" both give "789012"). None when the phone refused, or when those
// characters are not six letters or digits.
std::optional<std::string> ParseCgsnPhoneId(const std::string& response);

// AT+CPMS="IM": +CPMS: 3,50,3,50,3,50
// The messages in the storage the answer names first: the number after "+CPMS:" up to
// the next comma (blanks allowed before it). Raises EConvertError when it is not a number,
// OrlinError when it is beyond what a phone holds.
int ParseCpmsCount(const std::string& response);

// One line of an AT+MMGL="HEADER ONLY" answer: the index and the status without its quotes.
struct MessageHeader {
    std::string index;
    std::string status;  // REC READ, REC UNREAD, STO SENT, STO UNSENT
    bool operator==(const MessageHeader&) const = default;
};

// AT+MMGL="HEADER ONLY": +MMGL: 4, "REC UNREAD", "+79111234567", "2006/12/26,09:05:07"
// The "+MMGL: " lines of the answer, in order; other lines are left out.
std::vector<MessageHeader> ParseMmglHeaders(const std::string& response);

// An index as the phone names messages: one to six decimal digits.
bool IsMessageIndex(const std::string& text);

// One message read with AT+MMGR.
struct MessageAnswer {
    std::string status;  // REC READ, REC UNREAD, STO SENT, STO UNSENT
    std::string number;
    std::string dateTime;   // received messages only
    std::string phoneText;  // the text as the phone sent it (UCS2 hexadecimal)
    bool received() const { return status.compare(0, 4, "REC ") == 0; }
    bool operator==(const MessageAnswer&) const = default;
};

// AT+MMGR=4: +MMGR: "REC UNREAD", "+79111234567", "2006/12/26,09:05:07"
//            041F04400438043204350442
// The message: the header line "+MMGR: " with the status, the number and
// (for received messages) the date/time, and the line after it with the text. The header is
// cut by its quoted fields: the status, the number, an optional alpha field (empty or quoted),
// the date with its comma, and anything after it; blanks after the commas or none. None for a
// refusal, an answer without OK, a missing header line, an unknown status or a received
// message without a date.
std::optional<MessageAnswer> ParseMmgrMessage(const std::string& response);

// AT+CMGW="+79001234567"<CR>0041<Ctrl-Z>: > (the prompt), then +CMGW: 12
// The storage index: the number after "+CMGW: ". None when the phone
// refused, or gave OK without an index.
std::optional<std::string> ParseCmgwIndex(const std::string& response);

}  // namespace orlin
