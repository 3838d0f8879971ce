#pragma once
// Small helpers shared by the link tests.

#include <string>

#include "link/block_serial.h"
#include "link/cp1251.h"
#include "tests/link/pty_responder.h"

namespace orlin::test {

// Windows-1251 bytes of a UTF-8 literal, as the core holds texts.
inline std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}

inline const std::string kTimeoutText =
    W("Ошибка по таймауту...\r\nУстановите большее значение таймаута...");

// Opens the port the way every operation does: 8N1, no flow control.
inline void OpenLikeASession(TBlockSerial& port, const PtyResponder& phone, bool raise = true,
                             int atTimeout = 400) {
    port.RaiseErrors = raise;
    port.OpenPort(phone.SlavePath());
    port.ConfigureLine(19200, 8, 'N', 0, false, false);
    port.AtTimeout = atTimeout;
}

}  // namespace orlin::test
