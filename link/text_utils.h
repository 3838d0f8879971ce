#pragma once
// Small text helpers every layer uses on Windows-1251 byte strings.

#include <string>
#include <string_view>

namespace orlin {

// The runtime's integer conversion: optional blanks are not allowed, an optional sign,
// decimal digits (or $/0x hexadecimal); anything else raises EConvertError naming the text
// (on one line: line ends at its ends dropped, inside it each run of them one blank).
int StrToInt(const std::string& text);

// Removes leading and trailing blanks and control characters (codes 0..32).
std::string Trim(const std::string& text);

// The order of the lists' texts: character by character, folding only the case of the Latin
// letters; a character Windows-1251 has compares by its Windows-1251 byte (so that Ё and ё
// keep the places they always had), every other character after all of those, by its code
// point. Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareListTexts(std::u16string_view a, std::u16string_view b);

}  // namespace orlin
