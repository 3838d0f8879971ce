#pragma once
// The one UTF-8 decoder (and encoder) of the program. Every text inside is UTF-8; the phone's
// UCS2 (phone_text.h), the system's UTF-16 (Windows) and the few Windows-1251 files (cp1251.h)
// convert through these.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orlin {

// The character that starts at `pos`, with `pos` moved past it. A byte that starts no
// well-formed sequence (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate, anything beyond U+10FFFF) gives nothing and moves `pos` on by that one byte, so
// that the caller decides what stands for it (U+FFFD, the byte itself, a refusal).
std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos);

// The characters of a text that is well-formed UTF-8; nothing when it is not.
std::optional<std::u32string> Utf8Characters(std::string_view text);

// True when the bytes are well-formed UTF-8. Plain ASCII is well-formed too.
bool IsWellFormedUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of one character.
void AppendUtf8(std::string& out, char32_t code);

// The text with each byte that starts no well-formed character (a file cut or edited by hand,
// a foreign character set) as '?': well-formed UTF-8 whatever came in.
std::string WellFormedUtf8(std::string_view text);

// The last place at or before `pos` where a character starts (a byte that is no continuation
// byte), so that a text cut there keeps whole characters; 0 when there is none.
size_t Utf8CharacterStart(std::string_view text, size_t pos);

// The character at `pos` of UTF-16 text (a surrogate pair is one; a lone surrogate is given
// as it is), with `pos` moved past it.
char32_t NextUtf16(std::u16string_view text, size_t& pos);

// UTF-16 (the wide calls of Windows) and UTF-8. An unpaired surrogate, and a byte that starts
// no well-formed UTF-8 character, become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace orlin
