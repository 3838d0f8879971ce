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

}  // namespace orlin::test
