#pragma once
// The state file: the phone's contents as UTF-8 text, one record a line, fields separated
// by tabs; a tab, a line break or a backslash inside a text is written \t, \n, \r or \\.
//
//   contact   slot number format name type aux6 ids aux8 aux9 category icon aux12 aux13 picture
//   aux15 aux16 category  n name ringtone event     slot title first alarm start-time start-date
//   duration alarm-time alarm-date repeat exceptions message   index storage status number
//   date-time text autodelete weeks
//
// Lines starting with '#' and empty lines are skipped.

#include <string>

#include "phonesim/phone_state.h"

namespace orlin::phonesim {

std::string FormatStateText(const PhoneContents& contents);
// Throws std::runtime_error naming the line when a record is malformed.
PhoneContents ParseStateText(const std::string& text);

// Returns false when the file does not exist; throws when it cannot be read or parsed.
bool LoadStateFile(const std::string& path, PhoneContents& contents);
// Replaces the file as a whole (WriteWholeFile): a failure or a crash half-way leaves the old
// file as it was. Throws std::runtime_error naming the file and the system's reason.
void SaveStateFile(const std::string& path, const PhoneContents& contents);

}  // namespace orlin::phonesim
