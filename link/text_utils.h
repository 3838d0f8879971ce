#pragma once
// Small text helpers every layer uses on Windows-1251 byte strings.

#include <string>

namespace orlin {

// The runtime's integer conversion: optional blanks are not allowed, an optional sign,
// decimal digits (or $/0x hexadecimal); anything else raises EConvertError naming the text
// (on one line: line ends at its ends dropped, inside it each run of them one blank).
int StrToInt(const std::string& text);

// Removes leading and trailing blanks and control characters (codes 0..32).
std::string Trim(const std::string& text);

}  // namespace orlin
