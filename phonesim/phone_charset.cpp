#include "phonesim/phone_charset.h"

#include <cstdio>

#include "link/cp1251.h"
#include "link/cp1251_table.h"

namespace orlin::phonesim {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

char32_t Cp1251ToCodePoint(unsigned char byte) {
    return Cp1251ByteToUnicode(byte);
}

std::optional<unsigned char> CodePointToCp1251(char32_t cp) {
    unsigned char byte = 0;
    if (!UnicodeToCp1251Byte(cp, byte)) return std::nullopt;
    return byte;
}

std::string Cp1251ToUtf8Text(std::string_view cp1251) {
    return Cp1251ToUtf8(cp1251);
}

std::string Utf8ToCp1251Text(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
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

std::string TextField(std::string_view cp1251, const std::string& charset) {
    std::string encoded = EncodeField(cp1251, charset);
    return charset == "UCS2" ? encoded : "\"" + encoded + "\"";
}

std::optional<std::string> DecodeField(std::string_view field, const std::string& charset) {
    if (charset == "UCS2") return Ucs2HexToCp1251(field);
    return std::string(field);
}

}  // namespace orlin::phonesim
