#pragma once
// The list verbs print phone data one row a line, tab-separated: what the phone sent must
// neither split a row nor reach the terminal as an escape sequence (a message could retitle
// the terminal or clear it).

#include <string>

#include "link/text_types.h"
#include "link/utf8.h"

namespace orlin::cli {

// A UTF-8 field for a list line: a TAB, CR or LF becomes a blank, any other control character
// (ESC and the rest below 32, 127, and the C1 controls U+0080..U+009F, CSI among them) a "?".
inline std::string ListFieldUtf8(const Utf8Text& utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto code = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\r' || c == '\n') {
            text += ' ';
        } else if (code < 32 || code == 127) {
            text += '?';
        } else if (code == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            text += '?';
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace orlin::cli
