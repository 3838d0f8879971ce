#include "phonesim/phone_charset.h"

#include <array>
#include <cstdio>

namespace orlin::phonesim {
namespace {

// Code points of the Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t Cp1251ToCodePoint(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    char32_t cp = kUpperHalf[byte - 0x80];
    return cp == 0 ? 0xFFFD : cp;
}

std::optional<unsigned char> CodePointToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    for (size_t i = 0; i < kUpperHalf.size(); ++i)
        if (kUpperHalf[i] == cp && cp != 0) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::string Cp1251ToUtf8Text(std::string_view cp1251) {
    std::string out;
    for (unsigned char c : cp1251) AppendUtf8(out, Cp1251ToCodePoint(c));
    return out;
}

std::string Utf8ToCp1251Text(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = utf8[i];
        char32_t cp = 0;
        size_t extra = 0;
        if (c < 0x80) { cp = c; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else { out += '?'; ++i; continue; }
        bool ok = true;
        for (size_t k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (!ok) { out += '?'; ++i; continue; }
        i += extra + 1;
        auto byte = CodePointToCp1251(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::string Cp1251ToUcs2Hex(std::string_view cp1251) {
    std::string out;
    char buf[8];
    for (unsigned char c : cp1251) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(Cp1251ToCodePoint(c)));
        out += buf;
    }
    return out;
}

std::optional<std::string> Ucs2HexToCp1251(std::string_view hex) {
    if (hex.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < hex.size(); i += 4) {
        char32_t cp = 0;
        for (size_t k = 0; k < 4; ++k) {
            int v = HexValue(hex[i + k]);
            if (v < 0) return std::nullopt;
            cp = cp * 16 + v;
        }
        auto byte = CodePointToCp1251(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::string EncodeField(std::string_view cp1251, const std::string& charset) {
    if (charset == "UCS2") return Cp1251ToUcs2Hex(cp1251);
    std::string out;
    for (unsigned char c : cp1251) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::optional<std::string> DecodeField(std::string_view field, const std::string& charset) {
    if (charset == "UCS2") return Ucs2HexToCp1251(field);
    return std::string(field);
}

}  // namespace orlin::phonesim
