#include "link/cp1251.h"

#include <algorithm>
#include <cstdint>

#include "link/cp1251_table.h"
#include "link/utf8.h"

namespace orlin {

namespace {

// The upper half 0x80..0xBF; 0xC0..0xFF are А..я in order (U+0410..U+044F).
// 0x98 is unassigned in Windows-1251 and passes through as U+0098, as Windows itself does.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

}  // namespace

char16_t Cp1251ByteToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    return kUpperHalf[byte - 0x80];
}

bool UnicodeToCp1251Byte(uint32_t code, unsigned char& byte) {
    if (code < 0x80) {
        byte = static_cast<unsigned char>(code);
        return true;
    }
    if (code >= 0x0410 && code <= 0x044F) {
        byte = static_cast<unsigned char>(0xC0 + (code - 0x0410));
        return true;
    }
    for (int i = 0; i < 64; ++i) {
        if (kUpperHalf[i] == code) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251) AppendUtf8(out, Cp1251ByteToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        unsigned char byte = '?';
        if (!UnicodeToCp1251Byte(NextUtf8(utf8, pos).value_or(0xFFFD), byte)) byte = '?';
        out += static_cast<char>(byte);
    }
    return out;
}

std::u16string Cp1251ToUtf16(std::string_view cp1251) {
    std::u16string out;
    out.reserve(cp1251.size());
    for (char c : cp1251) out += Cp1251ByteToUnicode(static_cast<unsigned char>(c));
    return out;
}

std::string Utf16ToCp1251(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    // A surrogate pair is one character outside Windows-1251: one '?'.
    for (size_t pos = 0; pos < utf16.size();) {
        unsigned char byte = '?';
        if (!UnicodeToCp1251Byte(NextUtf16(utf16, pos), byte)) byte = '?';
        out += static_cast<char>(byte);
    }
    return out;
}

}  // namespace orlin

namespace orlin {

Cp1251Bytes Utf8ToCp1251(std::string_view utf8, size_t& replaced) {
    Cp1251Bytes out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        unsigned char byte = '?';
        if (!UnicodeToCp1251Byte(NextUtf8(utf8, pos).value_or(0xFFFD), byte)) {
            byte = '?';
            ++replaced;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

bool FitsCp1251(std::string_view utf8) {
    size_t replaced = 0;
    Utf8ToCp1251(utf8, replaced);
    return replaced == 0;
}

Utf8Text Utf8OrCp1251ToUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (beyondAscii && IsWellFormedUtf8(bytes)) return Utf8Text(bytes);
    return Cp1251ToUtf8(bytes);
}

}  // namespace orlin
