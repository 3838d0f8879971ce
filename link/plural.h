#pragma once
// Russian nouns after a count take one of three forms: "1 запись", "2 записи", "5 записей"
// (21 like 1, 22 to 24 like 2, 11 to 14 like 5). The forms are passed in by the caller, in
// UTF-8, so the cores, orlin-cli and the window share this one rule. English takes the
// translation of the first form after 1 and of the last after any other count.

#include <string>
#include <string_view>

#include "link/language.h"

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

// The count and its noun in the language shown: "42 записи" under Russian, "42 entries" under
// English (the translation of `many`; of `one` after exactly 1). Mark the three forms where
// they are written with ORLIN_TRANSLATE_NOOP(context, ...) so the catalogue holds them:
//   CountedText(n, "Restore", ORLIN_TRANSLATE_NOOP("Restore", "запись"), ...)
inline std::string CountedText(long long count, const char* context, const char* one,
                               const char* few, const char* many) {
    if (CurrentLanguage() == Language::Russian) return RussianCount(count, one, few, many);
    return std::to_string(count) + " " + Tr(context, count == 1 ? one : many);
}

// The two counts the program words most often: phonebook entries ("42 записи", "42 entries")
// and datebook events ("12 событий", "12 events").
inline std::string EntriesText(long long count) {
    return CountedText(count, "Counts", ORLIN_TRANSLATE_NOOP("Counts", "запись"),
                       ORLIN_TRANSLATE_NOOP("Counts", "записи"),
                       ORLIN_TRANSLATE_NOOP("Counts", "записей"));
}
inline std::string EventsText(long long count) {
    return CountedText(count, "Counts", ORLIN_TRANSLATE_NOOP("Counts", "событие"),
                       ORLIN_TRANSLATE_NOOP("Counts", "события"),
                       ORLIN_TRANSLATE_NOOP("Counts", "событий"));
}

}  // namespace orlin
