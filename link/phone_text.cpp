#include "link/phone_text.h"

#include <optional>

#include "link/cp1251.h"
#include "link/cp1251_table.h"
#include "link/errors.h"
#include "link/utf8.h"

namespace orlin {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Reads a group of hexadecimal digits; false when a character is not one.
bool ReadHex(const std::string& group, unsigned& value) {
    value = 0;
    for (char c : group) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    return !group.empty();
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

}  // namespace

namespace {

// Walks UCS2 hexadecimal group by group, handing each character's code to `emit`.
template <typename Emit>
void ForEachUcs2Group(const std::string& phoneText, Emit emit) {
    for (size_t start = 0; start < phoneText.size(); start += 4) {
        const std::string group = phoneText.substr(start, 4);
        const bool latinOrCyrillicRow =
            group.size() >= 2 && group[0] == '0' && (group[1] == '0' || group[1] == '4');
        unsigned value = 0;
        if (group.size() < 4) {
            // A shortened last group still counts when it starts with 00 ("006" is byte 6);
            // any other fragment is no character.
            if (group.size() < 2 || group[1] != '0' || group[0] != '0') continue;
            if (!ReadHex(group, value))
                throw EConvertError("'" + group + "' is not a valid integer value");
            emit(value);
            continue;
        }
        if (!ReadHex(group, value)) {
            // Groups in the Latin and Cyrillic rows must be numbers; other garbage is skipped,
            // so a stray quote outside those rows does not end the whole operation.
            if (latinOrCyrillicRow)
                throw EConvertError("'" + group + "' is not a valid integer value");
            continue;
        }
        emit(value);
    }
}

bool IsHighSurrogate(unsigned code) {
    return code >= 0xD800 && code <= 0xDBFF;
}
bool IsLowSurrogate(unsigned code) {
    return code >= 0xDC00 && code <= 0xDFFF;
}

}  // namespace

Utf8Text DecodeUcs2(const std::string& ucs2Hex) {
    Utf8Text out;
    out.reserve(ucs2Hex.size() / 2 + 1);
    unsigned pendingHigh = 0;  // a high surrogate waiting for its low half
    ForEachUcs2Group(ucs2Hex, [&](unsigned value) {
        if (pendingHigh != 0) {
            if (IsLowSurrogate(value)) {
                AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (value - 0xDC00));
                pendingHigh = 0;
                return;
            }
            out += '?';
            pendingHigh = 0;
        }
        if (IsHighSurrogate(value)) {
            pendingHigh = value;
        } else {
            AppendUtf8(out, IsLowSurrogate(value) ? U'?' : static_cast<char32_t>(value));
        }
    });
    if (pendingHigh != 0) out += '?';
    return out;
}

std::string EncodeUcs2(const Utf8Text& text, size_t* replaced) {
    std::string out;
    out.reserve(text.size() * 4);
    size_t pos = 0;
    while (pos < text.size()) {
        const std::optional<char32_t> character = NextUtf8(text, pos);
        char32_t code = character.value_or(U'?');
        if (character && IsControl(code)) continue;
        if (!character || code > 0xFFFF) {
            code = U'?';
            if (replaced) ++*replaced;
        }
        for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(code >> shift) & 0xF];
    }
    return out;
}

size_t Ucs2Length(const Utf8Text& text) {
    return EncodeUcs2(text).size() / 4;
}

Utf8Text Ucs2Prefix(const Utf8Text& text, size_t count) {
    size_t pos = 0, taken = 0;
    while (pos < text.size() && taken < count) {
        const std::optional<char32_t> character = NextUtf8(text, pos);
        if (!character || !IsControl(*character)) ++taken;
    }
    return text.substr(0, pos);
}

bool HasCharactersBeyondUcs2(const Utf8Text& text) {
    size_t pos = 0;
    while (pos < text.size())
        if (NextUtf8(text, pos).value_or(0) > 0xFFFF) return true;
    return false;
}

namespace {

// Whole groups of four hexadecimal digits, each a character Windows-1251 has.
bool LooksLikePhoneText(const std::string& text) {
    if (text.empty() || text.size() % 4 != 0) return false;
    for (size_t at = 0; at < text.size(); at += 4) {
        unsigned value = 0;
        unsigned char byte;
        if (!ReadHex(text.substr(at, 4), value) || value < 0x20 ||
            !UnicodeToCp1251Byte(value, byte))
            return false;
    }
    return true;
}

}  // namespace

Utf8Text DecodeUcs2Field(const std::string& field) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') return DecodeUcs2(field);
    const std::string inside = field.substr(1, field.size() - 2);
    return LooksLikePhoneText(inside) ? DecodeUcs2(inside) : Utf8OrCp1251ToUtf8(inside);
}

}  // namespace orlin
