#pragma once
// The one Windows-1251 codec of the program: phone data and files are Windows-1251,
// the screen and the terminal are UTF-8 / UTF-16.

#include <string>
#include <string_view>

#include "link/utf8.h"

namespace orlin {

std::string Cp1251ToUtf8(std::string_view cp1251);
// Characters without a Windows-1251 code become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::u16string Cp1251ToUtf16(std::string_view cp1251);
std::string Utf16ToCp1251(std::u16string_view utf16);

}  // namespace orlin
