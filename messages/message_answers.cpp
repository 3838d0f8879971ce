#include "messages/message_answers.h"

#include <algorithm>
#include <cctype>

#include "link/answers.h"
#include "link/errors.h"
#include "link/response_fields.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// The lines of an answer without their CR LF.
std::vector<std::string> Lines(const std::string& response) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < response.size()) {
        size_t end = response.find("\r\n", start);
        if (end == std::string::npos) end = response.size();
        lines.push_back(response.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsLetterOrDigit(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

std::string Unquoted(const std::string& field) {
    std::string text = Trim(field);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

const char* const kStatuses[] = {"REC READ", "REC UNREAD", "STO SENT", "STO UNSENT"};

bool IsQuotedField(const std::string& field) {
    return field.size() >= 2 && field.front() == '"' && field.back() == '"';
}

}  // namespace

std::optional<std::string> ParseCgsnPhoneId(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::string line = AnswerLine(response, "+CGSN: ");
    // Characters 9 to 14 of the serial number, which follows "IMEI" on most Motorolas and
    // stands alone in the standard form ("+CGSN: 351234567890123").
    std::string serial = line.size() > 7 ? line.substr(7) : std::string();
    if (StartsWith(serial, "IMEI")) serial.erase(0, 4);
    const size_t start = 8;
    if (serial.size() < start + 6) return std::nullopt;
    const std::string id = serial.substr(start, 6);
    for (char c : id)
        if (!IsLetterOrDigit(c)) return std::nullopt;
    return id;
}

int ParseCpmsCount(const std::string& response) {
    const std::string line = AnswerLine(response, "+CPMS: ");
    // The count follows "+CPMS:" (6 characters), after optional blanks, up to the next comma.
    std::string rest = line.size() > 6 ? line.substr(6) : std::string();
    rest = rest.substr(0, rest.find(','));
    const size_t first = rest.find_first_not_of(' ');
    const int count = StrToInt(first == std::string::npos ? std::string() : rest.substr(first));
    CheckAnnounced(count, kMostMessages, line);
    return count;
}

std::vector<MessageHeader> ParseMmglHeaders(const std::string& response) {
    std::vector<MessageHeader> headers;
    for (const std::string& line : Lines(response)) {
        if (!StartsWith(line, "+MMGL: ")) continue;
        // "+MMGL: 4, "REC UNREAD", "+7911", "2006/12/26,09:05:07"" (blanks after the commas or
        // not): the index, then the status.
        const std::vector<std::string> fields = FieldsOutsideQuotes(line.substr(7));
        MessageHeader header;
        header.index = fields[0];
        if (fields.size() > 1) header.status = Unquoted(fields[1]);
        headers.push_back(std::move(header));
    }
    return headers;
}

bool IsMessageIndex(const std::string& text) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<MessageAnswer> ParseMmgrMessage(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::vector<std::string> lines = Lines(response);
    size_t at = 0;
    while (at < lines.size() && !StartsWith(lines[at], "+MMGR: ")) ++at;
    if (at == lines.size()) return std::nullopt;
    const std::string& header = lines[at];

    // By the quoted fields: the status, the number, an optional alpha field (empty or quoted),
    // then for a received message the date with its comma, and whatever follows it. Blanks
    // after the commas or none, dates padded or not: the cells come out alike.
    const std::vector<std::string> fields = FieldsOutsideQuotes(header.substr(7));
    MessageAnswer message;
    const std::string status = IsQuotedField(fields[0]) ? Unquoted(fields[0]) : std::string();
    for (const char* known : kStatuses)
        if (status == known) message.status = status;
    if (message.status.empty() || fields.size() < 2) return std::nullopt;
    message.number = Unquoted(fields[1]);
    if (message.received()) {
        size_t date = 2;
        const bool alpha = fields.size() > 3 && IsQuotedField(fields[3]) &&
                           (fields[2].empty() || IsQuotedField(fields[2]));
        if (alpha) date = 3;
        if (date >= fields.size() || !IsQuotedField(fields[date])) return std::nullopt;
        message.dateTime = Unquoted(fields[date]);
    }
    // The text comes on the line right after the header.
    if (at + 1 < lines.size() && lines[at + 1] != "OK") message.phoneText = lines[at + 1];
    return message;
}

std::optional<std::string> ParseCmgwIndex(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::string line = AnswerLine(response, "+CMGW: ");
    const std::string index = line.size() > 7 ? Trim(line.substr(7)) : std::string();
    if (!IsMessageIndex(index)) return std::nullopt;
    return index;
}

}  // namespace orlin
