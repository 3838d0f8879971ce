#pragma once
// The one Windows-1251 codec of the program. Windows-1251 is the byte form of a few files
// (text_types.h says which); everything else is UTF-8 / UTF-16.

#include <string>
#include <string_view>

#include "link/text_types.h"
#include "link/utf8.h"

namespace orlin {

std::string Cp1251ToUtf8(std::string_view cp1251);
// Characters without a Windows-1251 code become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::u16string Cp1251ToUtf16(std::string_view cp1251);
std::string Utf16ToCp1251(std::u16string_view utf16);

// Windows-1251 bytes of a UTF-8 text for a Windows-1251 file: each character the code page
// lacks (and each byte that starts no UTF-8 character) becomes '?' and is counted in
// `replaced`.
Cp1251Bytes Utf8ToCp1251(std::string_view utf8, size_t& replaced);

// True when every character of the UTF-8 text has a Windows-1251 byte.
bool FitsCp1251(std::string_view utf8);

// A line of a file that older versions wrote in Windows-1251 and newer ones in UTF-8 where
// Windows-1251 could not hold it: UTF-8 when it is well-formed UTF-8 holding a byte beyond
// ASCII, else Windows-1251. (A Russian line in Windows-1251 is practically never well-formed
// UTF-8: its lower-case letters are bytes 0xE0..0xFF, each of which would have to be followed
// by two continuation bytes 0x80..0xBF, letters that almost never follow each other.)
Utf8Text Utf8OrCp1251ToUtf8(std::string_view bytes);

}  // namespace orlin
