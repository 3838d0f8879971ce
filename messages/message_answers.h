#pragma once
// Cutting the phone's answers to the message commands. Each answer is cut relative to its own
// line (found by its prefix wherever it stands), so that an echo variant or a stray line before
// it cannot shift the fields, and a refusal (ERROR, +CME ERROR, +CMS ERROR) is never read as
// data. Pure functions of the answer text as TBlockSerial::AtCommand returns it.

#include <optional>
#include <string>
#include <vector>

namespace orlin {

// The phone id of an AT+CGSN answer: characters 13 to 18 of the text after "+CGSN: " (the
// serial number answer "IMEI351234567890123" gives "789012"). None when the phone refused,
// or when those characters are not six letters or digits.
std::optional<std::string> PhoneIdFromAnswer(const std::string& response);

// The messages in the storage an AT+CPMS answer names first: the number after "+CPMS:" up to
// the next comma (blanks allowed before it). Raises EConvertError when it is not a number,
// OrlinError when it is beyond what a phone holds.
int StorageCountFromAnswer(const std::string& response);

// One line of an AT+MMGL="HEADER ONLY" answer: the index and the status without its quotes.
struct MessageHeader {
    std::string index;
    std::string status;  // REC READ, REC UNREAD, STO SENT, STO UNSENT
    bool operator==(const MessageHeader&) const = default;
};

// The "+MMGL: " lines of the answer, in order; other lines are left out.
std::vector<MessageHeader> HeaderLines(const std::string& response);

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

// The message of an AT+MMGR answer: the header line "+MMGR: " with the status, the number and
// (for received messages) the date/time, and the line after it with the text. The fields are
// cut after the header's own status (19 characters of the line for "REC READ" and "STO SENT",
// 21 for "REC UNREAD" and "STO UNSENT"). None for a refusal, an answer without OK, a missing
// header line or an unknown status.
std::optional<MessageAnswer> ParseMessageAnswer(const std::string& response);

// The storage index of an AT+CMGW answer: the number after "+CMGW: ". None when the phone
// refused, or gave OK without an index.
std::optional<std::string> StoredIndexFromAnswer(const std::string& response);

}  // namespace orlin
