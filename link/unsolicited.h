#pragma once
// Unsolicited result codes: lines a phone sends of its own accord (a message arrived, a
// call rings, an indicator changed), which may land before the echo of a command or
// between the lines of its answer.

#include <string>

namespace orlin {

// True when the line is an unsolicited result code that the command did not ask for:
// AT+CREG? keeps its +CREG: line, a command naming CLIP keeps +CLIP:.
bool IsUnsolicitedFor(const std::string& line, const std::string& command);

// True for the codes whose next line belongs to them (+CMT:, +CDS:, +CBM: carry the
// message itself on a line of its own).
bool UnsolicitedCarriesDataLine(const std::string& line);

// "+CME ERROR: n" and "+CMS ERROR: n": final lines of a refusal, like "ERROR".
bool IsErrorFinalLine(const std::string& line);

}  // namespace orlin
