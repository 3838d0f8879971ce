#include "link/phone_text.h"

#include "link/cp1251_table.h"
#include "link/errors.h"

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

bool IsControl(char16_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

}  // namespace

std::string EncodePhoneText(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 4);
    for (char c : text) {
        const char16_t code = Cp1251ByteToUnicode(static_cast<unsigned char>(c));
        if (IsControl(code)) continue;  // tabs and line breaks cannot be stored on the phone
        for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(code >> shift) & 0xF];
    }
    return out;
}

std::string DecodePhoneText(const std::string& phoneText) {
    std::string out;
    out.reserve(phoneText.size() / 4 + 1);
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
            out += static_cast<char>(value);
            continue;
        }
        if (!ReadHex(group, value)) {
            // Groups in the Latin and Cyrillic rows must be numbers; other garbage is skipped,
            // so a stray quote outside those rows does not end the whole operation.
            if (latinOrCyrillicRow)
                throw EConvertError("'" + group + "' is not a valid integer value");
            continue;
        }
        if (value < 0x20) {
            out += static_cast<char>(value);  // control characters survive decoding
            continue;
        }
        unsigned char byte;
        out += UnicodeToCp1251Byte(value, byte) ? static_cast<char>(byte) : '?';
    }
    return out;
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

std::string DecodeTextField(const std::string& field) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return DecodePhoneText(field);
    const std::string inside = field.substr(1, field.size() - 2);
    return LooksLikePhoneText(inside) ? DecodePhoneText(inside) : inside;
}

}  // namespace orlin
