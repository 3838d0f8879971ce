#include "link/language.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "link/translation_table.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orlin {

namespace {

// The language part of a locale name: "ru" of "ru_RU.UTF-8", "uk-UA" or "be@latin".
std::string LanguagePart(const std::string& locale) {
    std::string part = locale.substr(0, locale.find_first_of("_-.@"));
    for (char& c : part)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return part;
}

bool SpeaksRussian(const std::string& part) {
    return part == "ru" || part == "uk" || part == "be";
}

Language current = Language::Russian;

}  // namespace

std::optional<Language> ParseLanguage(const std::string& word) {
    if (word == "ru") return Language::Russian;
    if (word == "en") return Language::English;
    return std::nullopt;
}

Language ChooseLanguage(std::optional<Language> option, const Environment& environment) {
    if (option) return *option;
    if (const auto own = ParseLanguage(environment("ORLIN_LANG"))) return *own;
    const std::string list = environment("LANGUAGE");
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        const std::string part = LanguagePart(list.substr(start, end - start));
        if (SpeaksRussian(part)) return Language::Russian;
        if (part == "en") return Language::English;
        start = end + 1;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string locale = environment(name);
        if (!locale.empty())
            return SpeaksRussian(LanguagePart(locale)) ? Language::Russian : Language::English;
    }
    return Language::English;
}

std::string ProcessEnvironment(const std::string& name) {
#ifdef _WIN32
    if (name == "LANG") {
        // The user's interface language, as a locale name ("ru-RU").
        wchar_t wide[LOCALE_NAME_MAX_LENGTH] = {};
        const LCID id = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
        if (LCIDToLocaleName(id, wide, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {};
        std::string narrow;
        for (const wchar_t* c = wide; *c; ++c) narrow += static_cast<char>(*c & 0x7F);
        return narrow;
    }
    if (name != "ORLIN_LANG") return {};
#endif
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

Language CurrentLanguage() {
    return current;
}

void SetCurrentLanguage(Language language) {
    current = language;
}

const char* Tr(const char* context, const char* source) {
    return Tr(current, context, source);
}

const char* Tr(Language language, const char* context, const char* source) {
    if (language == Language::Russian) return source;
    const TranslationEntry* begin = kTranslations;
    const TranslationEntry* end = kTranslations + kTranslationCount;
    const auto before = [](const TranslationEntry& entry, const TranslationEntry& key) {
        const int byContext = std::strcmp(entry.context, key.context);
        return byContext != 0 ? byContext < 0 : std::strcmp(entry.source, key.source) < 0;
    };
    const TranslationEntry key{context, source, nullptr};
    const TranslationEntry* found = std::lower_bound(begin, end, key, before);
    if (found == end || std::strcmp(found->context, context) != 0 ||
        std::strcmp(found->source, source) != 0)
        return source;
    return found->translation;
}

}  // namespace orlin
