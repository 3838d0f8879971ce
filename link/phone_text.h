#pragma once
// Phone text: UCS2 as four hexadecimal digits per character, to and from Windows-1251.
// Every Windows-1251 character is known in both directions. Encoding drops control
// characters (a line break cannot be stored in a name); decoding keeps codes below 32 and
// turns a character that has no Windows-1251 byte into '?'.

#include <string>

namespace orlin {

std::string EncodePhoneText(const std::string& text);
std::string DecodePhoneText(const std::string& phoneText);  // EConvertError on a bad group

}  // namespace orlin
