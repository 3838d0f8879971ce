#include "link/utf8.h"

namespace orlin {

std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + extra >= text.size()) {  // cut short at the end
        ++pos;
        return std::nullopt;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += extra + 1;
    return code;
}

std::optional<std::u32string> Utf8Characters(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> code = NextUtf8(text, pos);
        if (!code) return std::nullopt;
        out += *code;
    }
    return out;
}

bool IsWellFormedUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();)
        if (!NextUtf8(bytes, pos)) return false;
    return true;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string WellFormedUtf8(std::string_view text) {
    if (IsWellFormedUtf8(text)) return std::string(text);
    std::string out;
    for (size_t pos = 0; pos < text.size();)
        if (const auto code = NextUtf8(text, pos))
            AppendUtf8(out, *code);
        else
            out += '?';
    return out;
}

size_t Utf8CharacterStart(std::string_view text, size_t pos) {
    if (pos >= text.size()) return text.size();
    while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) --pos;
    return pos;
}

char32_t NextUtf16(std::u16string_view text, size_t& pos) {
    const char32_t unit = text[pos++];
    if (unit >= 0xD800 && unit <= 0xDBFF && pos < text.size() && text[pos] >= 0xDC00 &&
        text[pos] <= 0xDFFF)
        return 0x10000 + ((unit - 0xD800) << 10) + (text[pos++] - 0xDC00);
    return unit;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t pos = 0; pos < utf16.size();) {
        const char32_t code = NextUtf16(utf16, pos);
        AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? char32_t{0xFFFD} : code);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t code = NextUtf8(utf8, pos).value_or(0xFFFD);
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

}  // namespace orlin
