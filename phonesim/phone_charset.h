#pragma once
// The phone's own text conversions. The phone keeps its texts in UCS2; the simulator holds
// them as UTF-8 (any character of the Basic Multilingual Plane) and counts them as the phone
// does, one per UCS2 character.

#include <optional>
#include <string>
#include <string_view>

namespace orlin::phonesim {

// UCS2 hexadecimal: four upper-case digits per character. A character beyond the Basic
// Multilingual Plane goes as the two halves of its UTF-16 pair; a byte that starts no UTF-8
// character as '?'.
std::string Utf8ToUcs2Hex(std::string_view utf8);
// Empty when the text is not whole groups of four hexadecimal digits. A UTF-16 pair is the
// character it stands for; a lone half is '?'.
std::optional<std::string> Ucs2HexToUtf8(std::string_view hex);

// A text field on the wire in the character set `charset` ("UCS2", "IRA", "GSM").
// In UCS2 the field is hexadecimal; otherwise plain, with '?' for characters beyond ASCII.
std::string EncodeField(std::string_view utf8, const std::string& charset);
std::optional<std::string> DecodeField(std::string_view field, const std::string& charset);
// A text field of an answer line: bare hexadecimal in UCS2, quoted plain text otherwise.
std::string TextField(std::string_view utf8, const std::string& charset);

// Number of characters of a text as the phone counts them: UCS2 characters.
size_t TextLength(std::string_view utf8);

// True when every character is ASCII (what the GSM alphabet's plain text mode carries here).
bool IsAscii(std::string_view text);

}  // namespace orlin::phonesim
