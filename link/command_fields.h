#pragma once
// What may go into an AT command line from data: a number, a date, a time, a slot, a code
// read from a file, from the phone or typed by the user. Names, titles and message texts
// travel as phone text (hexadecimal digits) and need no check. Every place that builds a
// command from such a field checks it here, and every reader of a file checks its fields
// here too, so that a file or a phone never makes the phone run a command of its own:
// a CR ends the command line and starts the next, ^Z ends a message text, ESC cancels it, a
// double quote ends a quoted field and ";" chains a second command on many phones.

#include <string>
#include <string_view>

#include "link/errors.h"

namespace orlin {

// A field that would change the command line it goes into. The text names the field and
// the character.
class EUnsafeField : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// Why `value` cannot go into a command line ("знак CR (13)"), or empty when it
// can: a control character (0..31, 127), a double quote or ";".
std::string UnsafeFieldReason(std::string_view value);

// Raises EUnsafeField "<what>: недопустимый знак CR (13) в «...»" when UnsafeFieldReason
// finds one. `what` names the field ("номер", "дата начала").
void CheckCommandField(std::string_view value, const std::string& what);

// A field that stands bare in the command line (a slot, a flag, a duration, an index): as
// CheckCommandField, and no comma either, which would start a field of its own.
void CheckBareField(std::string_view value, const std::string& what);

}  // namespace orlin
