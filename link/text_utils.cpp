#include "link/text_utils.h"

#include <cstdint>
#include <limits>

#include "link/cp1251_table.h"
#include "link/errors.h"
#include "link/utf8.h"

namespace orlin {

namespace {

int HexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The text between the quotes of the message stays on one line: line ends the text carries
// from a phone's answer ("ERROR" CR LF) go at its ends and become one blank inside it.
std::string OnOneLine(const std::string& text) {
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isLineEnd(text[first])) ++first;
    while (last > first && isLineEnd(text[last - 1])) --last;
    std::string line;
    for (size_t i = first; i < last; ++i) {
        if (!isLineEnd(text[i]))
            line += text[i];
        else if (!isLineEnd(text[i - 1]))
            line += ' ';
    }
    return line;
}

[[noreturn]] void NotAnInteger(const std::string& text) {
    throw EConvertError("'" + OnOneLine(text) + "' is not a valid integer value");
}

}  // namespace

int StrToInt(const std::string& text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) NotAnInteger(text);

    // Accumulated as a magnitude so that the most negative value still fits.
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    const uint64_t hexLimit = uint64_t{0xFFFFFFFF};  // $FFFFFFFF reads as -1, as a 32-bit pattern
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigitValue(static_cast<unsigned char>(text[pos]));
        if (digit < 0 || digit >= base) NotAnInteger(text);
        value = value * base + digit;
        if (value > (base == 16 ? hexLimit : limit)) NotAnInteger(text);
    }
    if (base == 16) {
        const auto pattern = static_cast<uint32_t>(value);
        const auto signedValue = static_cast<int32_t>(pattern);
        return negative ? static_cast<int>(-static_cast<int64_t>(signedValue)) : signedValue;
    }
    return negative ? static_cast<int>(-static_cast<int64_t>(value)) : static_cast<int>(value);
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

namespace {

// Where a character sorts: its Windows-1251 byte, or after every byte by its code point.
uint32_t SortKey(char32_t code) {
    if (code >= U'A' && code <= U'Z') code += 32;
    unsigned char byte = 0;
    return UnicodeToCp1251Byte(code, byte) ? byte : 0x100 + static_cast<uint32_t>(code);
}

}  // namespace

int CompareListTexts(std::u16string_view a, std::u16string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const uint32_t x = SortKey(NextUtf16(a, i)), y = SortKey(NextUtf16(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

}  // namespace orlin
