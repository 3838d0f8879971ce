#pragma once
// A translated text with numbers and names put in its %1 ... %9 places, so that each language
// puts them where its own word order wants them ("Ячейка %1 ..." / "Slot %1 ..."). One pass:
// a value that itself holds "%2" (a file name, a phone's text) is put in as it is.

#include <initializer_list>
#include <string>
#include <string_view>

namespace orlin {

inline std::string FillIn(std::string_view text, std::initializer_list<std::string> values) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t place = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (text[i] == '%' && place >= '1' && place <= '9' && place - '1' < values.size()) {
            result += values.begin()[place - '1'];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace orlin
