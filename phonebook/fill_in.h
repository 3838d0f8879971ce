#pragma once
// A translated text with numbers and names put in its %1, %2 ... places, so that each language
// puts them where its own word order wants them ("Ячейка %1 ..." / "Slot %1 ...").

#include <initializer_list>
#include <string>

namespace orlin {

inline std::string FillIn(std::string text, std::initializer_list<std::string> values) {
    int number = 1;
    for (const std::string& value : values) {
        const std::string place = "%" + std::to_string(number++);
        for (std::size_t at = text.find(place); at != std::string::npos;
             at = text.find(place, at + value.size()))
            text.replace(at, place.size(), value);
    }
    return text;
}

}  // namespace orlin
