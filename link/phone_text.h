#pragma once
// Phone text: UCS2 as four hexadecimal digits per character, to and from Windows-1251.
// Every Windows-1251 character is known in both directions. Encoding drops control
// characters (a line break cannot be stored in a name); decoding keeps codes below 32 and
// turns a character that has no Windows-1251 byte into '?'.

#include <string>

namespace orlin {

std::string EncodePhoneText(const std::string& text);
std::string DecodePhoneText(const std::string& phoneText);  // EConvertError on a bad group

// A text field of an answer line (a name, a title, a category). Bare, it is phone text, decoded
// as DecodePhoneText does. Some phones put it in double quotes: the inside is then decoded as
// phone text when it is whole groups of four hexadecimal digits, each a character Windows-1251
// has, and otherwise taken as 8-bit text as it stands ("Meeting").
std::string DecodeTextField(const std::string& field);

}  // namespace orlin
