#pragma once
// Phone text: UCS2 as four hexadecimal digits per character ("041C" is М), to and from the
// program's UTF-8 (EncodeUcs2 / DecodeUcs2).

#include <cstddef>
#include <string>

#include "link/text_types.h"

namespace orlin {

// UCS2 of a UTF-8 text. Control characters are dropped (a line break cannot be stored in a
// name). A character beyond the Basic Multilingual Plane (an emoji), which UCS2 cannot hold,
// and a byte that starts no UTF-8 character become '?', counted in `replaced` when given.
std::string EncodeUcs2(const Utf8Text& text, size_t* replaced = nullptr);

// UTF-8 of UCS2 hexadecimal. Codes below 32 are kept. A surrogate pair (a phone that sends
// UTF-16) is the one character it stands for; a lone surrogate is '?'. A group that is not
// hexadecimal raises EConvertError in the Latin and Cyrillic rows ("00xx", "04xx") and is
// skipped elsewhere; a last group cut short counts only as "00x" / "00xx".
Utf8Text DecodeUcs2(const std::string& ucs2Hex);

// A text field of an answer line (a name, a title, a category). Bare, it is UCS2. Some phones
// put it in double quotes: the inside is then UCS2 when it is whole groups of four
// hexadecimal digits, each a character Windows-1251 has (so that "CAFE" stays a word), and
// otherwise 8-bit text as it stands ("Meeting"): UTF-8 when it is well-formed UTF-8, else
// Windows-1251.
Utf8Text DecodeUcs2Field(const std::string& field);

// The characters of the text as the phone counts them: one per UCS2 character EncodeUcs2
// sends (an emoji is one '?', a dropped control character none).
size_t Ucs2Length(const Utf8Text& text);

// The text cut after `count` characters as Ucs2Length counts them (a character is never cut
// in half).
Utf8Text Ucs2Prefix(const Utf8Text& text, size_t count);

// True when some character lies beyond the Basic Multilingual Plane (EncodeUcs2 sends '?').
bool HasCharactersBeyondUcs2(const Utf8Text& text);

}  // namespace orlin
