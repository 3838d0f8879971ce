#pragma once
// Single characters of the Windows-1251 table, for the codec and the phone text.

#include <cstdint>

namespace orlin {

// Every byte has a character (0x98, unassigned, passes through as U+0098).
char16_t Cp1251ByteToUnicode(unsigned char byte);
// False when the character has no Windows-1251 byte.
bool UnicodeToCp1251Byte(uint32_t code, unsigned char& byte);

}  // namespace orlin
