#pragma once
// Phone text: UCS2 as four hexadecimal digits per character, to and from Windows-1251.
// Only Latin, the Russian alphabet and Ё/ё are known; other characters are dropped.

#include <string>

namespace orlin {

std::string EncodePhoneText(const std::string& text);
std::string DecodePhoneText(const std::string& phoneText);  // EConvertError on a bad group

}  // namespace orlin
