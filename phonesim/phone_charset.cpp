#include "phonesim/phone_charset.h"

#include <cstdio>

#include "link/utf8.h"

namespace orlin::phonesim {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUnit(std::string& out, unsigned unit) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", unit);
    out += buf;
}

}  // namespace

std::string Utf8ToUcs2Hex(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code = NextUtf8(utf8, pos).value_or(U'?');
        if (code > 0xFFFF) {
            AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, code);
        }
    }
    return out;
}

std::optional<std::string> Ucs2HexToUtf8(std::string_view hex) {
    if (hex.size() % 4 != 0) return std::nullopt;
    std::string out;
    char32_t high = 0;  // a first half waiting for its second
    for (size_t i = 0; i < hex.size(); i += 4) {
        char32_t unit = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int v = HexValue(hex[i + k]);
            if (v < 0) return std::nullopt;
            unit = unit * 16 + v;
        }
        if (high != 0) {
            const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
            AppendUtf8(out, low ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : U'?');
            high = 0;
            if (low) continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high = unit;
        else
            AppendUtf8(out, unit >= 0xDC00 && unit <= 0xDFFF ? U'?' : unit);
    }
    if (high != 0) out += '?';
    return out;
}

std::string EncodeField(std::string_view utf8, const std::string& charset) {
    if (charset == "UCS2") return Utf8ToUcs2Hex(utf8);
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code = NextUtf8(utf8, pos).value_or(U'?');
        out += code < 0x80 ? static_cast<char>(code) : '?';
    }
    return out;
}

std::string TextField(std::string_view utf8, const std::string& charset) {
    std::string encoded = EncodeField(utf8, charset);
    return charset == "UCS2" ? encoded : "\"" + encoded + "\"";
}

std::optional<std::string> DecodeField(std::string_view field, const std::string& charset) {
    if (charset == "UCS2") return Ucs2HexToUtf8(field);
    return std::string(field);
}

size_t TextLength(std::string_view utf8) {
    size_t length = 0, pos = 0;
    while (pos < utf8.size()) length += NextUtf8(utf8, pos).value_or(0) > 0xFFFF ? 2 : 1;
    return length;
}

bool IsAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace orlin::phonesim
