#include "link/answers.h"

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/text_utils.h"
#include "link/unsolicited.h"

namespace orlin {

namespace {

// Start of the last line of a CR LF ended text, and that line.
size_t LastLineStart(const std::string& response) {
    size_t end = response.size();
    if (end >= 2 && response.compare(end - 2, 2, "\r\n") == 0) end -= 2;
    const size_t previous = response.rfind("\r\n", end == 0 ? 0 : end - 1);
    return previous == std::string::npos || previous >= end ? 0 : previous + 2;
}

}  // namespace

Utf8Text AnswerText(std::string_view lineBytes) {
    return Cp1251ToUtf8(lineBytes);
}

std::string FinalResultLine(const std::string& response) {
    if (response.size() < 2 || response.compare(response.size() - 2, 2, "\r\n") != 0)
        return std::string();
    const size_t start = LastLineStart(response);
    const std::string line = response.substr(start, response.size() - 2 - start);
    if (line == "OK" || line == "ERROR" || IsErrorFinalLine(line)) return line;
    return std::string();
}

bool IsRefusal(const std::string& response) {
    const std::string line = FinalResultLine(response);
    return line == "ERROR" || IsErrorFinalLine(line);
}

bool EndsInOk(const std::string& response) {
    return FinalResultLine(response) == "OK";
}

std::string WithPlainError(const std::string& response) {
    const std::string line = FinalResultLine(response);
    if (!IsErrorFinalLine(line)) return response;
    return response.substr(0, LastLineStart(response)) + "ERROR\r\n";
}

std::string AnswerLine(const std::string& response, const std::string& prefix) {
    size_t start = 0;
    while (start < response.size()) {
        size_t end = response.find("\r\n", start);
        if (end == std::string::npos) end = response.size();
        if (response.compare(start, prefix.size(), prefix) == 0)
            return response.substr(start, end - start);
        start = end + 2;
    }
    return std::string();
}

void CheckAnnounced(long long value, long long most, const std::string& answer) {
    if (value >= 0 && value <= most) return;
    throw OrlinError(Tr("Answers", "Телефон сообщил недопустимый диапазон: ") +
                     AnswerText(Trim(answer)));
}

}  // namespace orlin
