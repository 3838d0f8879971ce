#pragma once
// The phone's own text conversions. The phone keeps Unicode, so it knows every
// Windows-1251 character (Ukrainian letters too). The table itself is the link layer's.

#include <optional>
#include <string>
#include <string_view>

namespace orlin::phonesim {

char32_t Cp1251ToCodePoint(unsigned char byte);
std::optional<unsigned char> CodePointToCp1251(char32_t codePoint);

std::string Cp1251ToUtf8Text(std::string_view cp1251);
// Characters without a Windows-1251 code become '?'.
std::string Utf8ToCp1251Text(std::string_view utf8);

// UCS2 hexadecimal: four upper-case digits per character.
std::string Cp1251ToUcs2Hex(std::string_view cp1251);
// Empty when the text is not whole groups of four hexadecimal digits; characters
// outside Windows-1251 become '?'.
std::optional<std::string> Ucs2HexToCp1251(std::string_view hex);

// A text field on the wire in the character set `charset` ("UCS2", "IRA", "GSM").
// In UCS2 the field is hexadecimal; otherwise plain, with '?' for letters beyond ASCII.
std::string EncodeField(std::string_view cp1251, const std::string& charset);
std::optional<std::string> DecodeField(std::string_view field, const std::string& charset);
// A text field of an answer line: bare hexadecimal in UCS2, quoted plain text otherwise.
std::string TextField(std::string_view cp1251, const std::string& charset);

// Number of characters of a Windows-1251 text (one byte each).
inline size_t TextLength(std::string_view cp1251) {
    return cp1251.size();
}

}  // namespace orlin::phonesim
