#pragma once
// Russian nouns after a count take one of three forms: "1 запись", "2 записи", "5 записей"
// (21 like 1, 22 to 24 like 2, 11 to 14 like 5). The forms are passed in by the caller, in
// UTF-8 like every text of the program, so the cores, orlin-cli and the window share this one
// rule.

#include <string>
#include <string_view>

namespace orlin {

// The form of a noun after `count`: `one` after 1, 21, 31 ... (not 11), `few` after 2 to 4,
// 22 to 24 ... (not 12 to 14), `many` after every other count.
inline std::string_view RussianPluralForm(long long count, std::string_view one,
                                          std::string_view few, std::string_view many) {
    const unsigned long long n = count < 0 ? 0ULL - static_cast<unsigned long long>(count)
                                           : static_cast<unsigned long long>(count);
    const unsigned long long lastTwo = n % 100, last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return many;
    if (last == 1) return one;
    if (last >= 2 && last <= 4) return few;
    return many;
}

// The count and its noun: "42 записи".
inline std::string RussianCount(long long count, std::string_view one, std::string_view few,
                                std::string_view many) {
    return std::to_string(count) + " " + std::string(RussianPluralForm(count, one, few, many));
}

}  // namespace orlin
