#include "messages/message_answers.h"

#include <algorithm>
#include <cctype>

#include "link/answers.h"
#include "link/errors.h"
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

}  // namespace

std::optional<std::string> PhoneIdFromAnswer(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::string line = AnswerLine(response, "+CGSN: ");
    const size_t start = 7 + 12;  // characters 13 to 18 after "+CGSN: "
    if (line.size() < start + 6) return std::nullopt;
    const std::string id = line.substr(start, 6);
    for (char c : id)
        if (!IsLetterOrDigit(c)) return std::nullopt;
    return id;
}

int StorageCountFromAnswer(const std::string& response) {
    const std::string line = AnswerLine(response, "+CPMS: ");
    // The count follows "+CPMS:" (6 characters), after optional blanks, up to the next comma.
    std::string rest = line.size() > 6 ? line.substr(6) : std::string();
    rest = rest.substr(0, rest.find(','));
    const size_t first = rest.find_first_not_of(' ');
    const int count = StrToInt(first == std::string::npos ? std::string() : rest.substr(first));
    CheckAnnounced(count, kMostMessages, line);
    return count;
}

std::vector<MessageHeader> HeaderLines(const std::string& response) {
    std::vector<MessageHeader> headers;
    for (const std::string& line : Lines(response)) {
        if (!StartsWith(line, "+MMGL: ")) continue;
        // "+MMGL: 4, "REC UNREAD", "+7911", "2006/12/26,09:05:07"": the index up to the first
        // comma, the status up to the next one.
        const std::string rest = line.substr(7);
        const size_t comma = rest.find(',');
        MessageHeader header;
        header.index = Trim(rest.substr(0, comma));
        if (comma != std::string::npos) {
            const std::string tail = rest.substr(comma + 1);
            header.status = Unquoted(tail.substr(0, tail.find(',')));
        }
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

std::optional<MessageAnswer> ParseMessageAnswer(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::vector<std::string> lines = Lines(response);
    size_t at = 0;
    while (at < lines.size() && !StartsWith(lines[at], "+MMGR: ")) ++at;
    if (at == lines.size()) return std::nullopt;
    const std::string& header = lines[at];

    MessageAnswer message;
    for (const char* status : kStatuses) {
        const std::string field = std::string("+MMGR: \"") + status + "\"";
        if (StartsWith(header, field)) message.status = status;
    }
    if (message.status.empty()) return std::nullopt;
    // "+MMGR: " + the quoted status + ", " comes before the number.
    const size_t cut = 7 + message.status.size() + 2 + 2;
    const std::string rest = header.size() > cut ? header.substr(cut) : std::string();
    if (message.received()) {
        // "+7911", "2006/12/26,09:05:07": the number between the quotes before the first
        // comma, the date/time between the quotes after it and its blank.
        const size_t comma = rest.find(',');
        if (comma == std::string::npos) return std::nullopt;
        message.number = comma >= 2 ? rest.substr(1, comma - 2) : std::string();
        const std::string date = rest.substr(std::min(rest.size(), comma + 2));
        message.dateTime = date.size() >= 2 ? date.substr(1, date.size() - 2) : std::string();
    } else {
        // "+7911": the number between the quotes up to the end of the line.
        message.number = rest.size() >= 2 ? rest.substr(1, rest.size() - 2) : std::string();
    }
    // The text comes on the line right after the header.
    if (at + 1 < lines.size() && lines[at + 1] != "OK") message.phoneText = lines[at + 1];
    return message;
}

std::optional<std::string> StoredIndexFromAnswer(const std::string& response) {
    if (!EndsInOk(response)) return std::nullopt;
    const std::string line = AnswerLine(response, "+CMGW: ");
    const std::string index = line.size() > 7 ? Trim(line.substr(7)) : std::string();
    if (!IsMessageIndex(index)) return std::nullopt;
    return index;
}

}  // namespace orlin
