#pragma once
// A port failure in the middle of an operation that had already talked with the phone: the
// cable was pulled, the phone switched off, the line closed. The system's own text ("Ошибка
// ввода-вывода") says nothing about the phone; this says what happened and what was kept.

#include <string>

#include "link/block_serial.h"
#include "link/fill_in.h"
#include "link/language.h"

namespace orlin {

// True for the failures of a line that went away: a system error or a failed read. A time-out
// keeps its own text (the phone is there but slow), as do the port object's other codes.
inline bool IsConnectionLost(const ESynaSerError& error) {
    const bool ownCode = error.ErrorCode >= ErrAlreadyOwned && error.ErrorCode <= ErrTxFull;
    return error.ErrorCode != ErrOk && (!ownCode || error.ErrorCode == ErrReadFailed);
}

// "Связь с телефоном потеряна (Ошибка ввода-вывода).": the system's text in brackets, without
// its own closing full stop and line break.
inline std::string ConnectionLostText(const ESynaSerError& error) {
    std::string reason = error.what();
    while (!reason.empty() && (reason.back() == '.' || reason.back() == '\n' ||
                               reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return FillIn(Tr("ConnectionLost", "Связь с телефоном потеряна (%1)."), {reason});
}

// The same, then what a read kept: "... В списке только то, что прочитано до этого: 3
// сообщения." `kept` names what was read.
inline std::string ConnectionLostText(const ESynaSerError& error, const std::string& kept) {
    return ConnectionLostText(error) + " " +
           FillIn(Tr("ConnectionLost", "В списке только то, что прочитано до этого: %1."), {kept});
}

}  // namespace orlin
