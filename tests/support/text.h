#pragma once
// Texts the tests compare with: Windows-1251 bytes of the files that keep that form, written
// as UTF-8 literals, and the answers and messages that many tests expect.

#include <string>

#include "link/cp1251.h"

namespace orlin::test {

// Windows-1251 bytes of a UTF-8 literal, as the Windows-1251 files hold them.
inline std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}

// "OK" framed as the phone ends every good answer.
inline const std::string kOk = "\r\nOK\r\n";

// What an exchange that ran out of time reports.
inline const std::string kTimeoutText =
    "Ошибка по таймауту...\r\nУстановите большее значение таймаута...";

// An iCalendar text with the SUMMARY of the event of X-ORLIN-SLOT `slot` (and its folded
// continuation lines) replaced by `title`; the text as it was when no event has that slot.
inline std::string RetitledEvent(const std::string& text, int slot, const std::string& title) {
    const size_t mark = text.find("\r\nX-ORLIN-SLOT:" + std::to_string(slot) + "\r\n");
    if (mark == std::string::npos) return text;
    const size_t begin = text.rfind("BEGIN:VEVENT", mark);
    const size_t at = text.find("\r\nSUMMARY:", begin);
    if (begin == std::string::npos || at == std::string::npos) return text;
    size_t end = text.find("\r\n", at + 2);
    while (end + 2 < text.size() && text[end + 2] == ' ') end = text.find("\r\n", end + 2);
    return text.substr(0, at) + "\r\nSUMMARY:" + title + text.substr(end);
}

}  // namespace orlin::test
