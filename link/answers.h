#pragma once
// Judging and cutting whole answers as TBlockSerial::AtCommand returns them: every line ends
// in CR LF, framed lines come as an empty line and their text, the last line is the final
// result. A phone that had numeric errors switched on (AT+CMEE=1, which stays on) ends a
// refusal with "+CME ERROR: n" or "+CMS ERROR: n" instead of "ERROR": every check takes both
// the same way.

#include <string>
#include <string_view>

#include "link/text_types.h"

namespace orlin {

// A piece of the phone's answer as a text for the user: the phone's own texts come as UCS2
// hexadecimal, so the line's bytes are ASCII in practice; any other byte is read as
// Windows-1251, as the terminal shows it, so that a report never carries broken UTF-8.
Utf8Text AnswerText(std::string_view lineBytes);

// The final result line ("OK", "ERROR", "+CME ERROR: 10", ...) without its CR LF; empty when
// the answer has none (it was cut short).
std::string FinalResultLine(const std::string& response);

// True when the phone refused the command: the final line is ERROR, +CME ERROR: n or
// +CMS ERROR: n.
bool IsRefusal(const std::string& response);

// True when the answer ends in the line OK.
bool EndsInOk(const std::string& response);

// The answer with a final "+CME ERROR: n" / "+CMS ERROR: n" line (and its framing) replaced by
// the plain ERROR line, so that code written for the answer ERROR takes the same path.
std::string WithPlainError(const std::string& response);

// The information line of the answer that starts with `prefix` (for instance "+CPMS: "),
// without its line end: the first such line wherever it stands. Empty when there is none.
std::string AnswerLine(const std::string& response, const std::string& prefix);

// A count or index a phone announced, checked against the most any real model has; beyond it
// raises OrlinError "Телефон сообщил недопустимый диапазон: <answer>" so that nothing more is
// sent on the strength of a garbled or hostile answer.
void CheckAnnounced(long long value, long long most, const std::string& answer);

// The most a phone may announce. Every real model stays far below these.
inline constexpr long long kMostCategories = 255;
inline constexpr long long kMostPhonebookSlots = 65535;
inline constexpr long long kMostDatebookSlots = 10000;
inline constexpr long long kMostMessages = 5000;

}  // namespace orlin
