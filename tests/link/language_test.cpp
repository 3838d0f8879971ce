// The choice of the program's language from the command line, ORLIN_LANG and the locale, and
// the English that the Qt-free code gets from the table made of translations/orlin_en.ts.

#include "link/language.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "link/fill_in.h"
#include "link/plural.h"

namespace orlin {
namespace {

TEST(Language, TheOptionThenOrlinLangThenTheLocaleChoose) {
    constexpr auto ru = Language::Russian;
    constexpr auto en = Language::English;
    struct Case {
        std::optional<Language> option;
        std::map<std::string, std::string> environment;
        Language expected;
    };
    const Case cases[] = {
        {std::nullopt, {}, en},
        {std::nullopt, {{"LANG", "ru_RU.UTF-8"}}, ru},
        {std::nullopt, {{"LANG", "uk_UA.UTF-8"}}, ru},
        {std::nullopt, {{"LANG", "be_BY@latin"}}, ru},
        {std::nullopt, {{"LANG", "ru"}}, ru},
        {std::nullopt, {{"LANG", "C.UTF-8"}}, en},
        {std::nullopt, {{"LANG", "POSIX"}}, en},
        {std::nullopt, {{"LANG", "rus_RU"}}, en},
        {std::nullopt, {{"LANG", "de_DE.UTF-8"}}, en},
        // The first non-empty of LC_ALL, LC_MESSAGES and LANG decides alone.
        {std::nullopt, {{"LC_ALL", "de_DE"}, {"LANG", "ru_RU.UTF-8"}}, en},
        {std::nullopt, {{"LC_ALL", ""}, {"LC_MESSAGES", "ru_RU.UTF-8"}, {"LANG", "C"}}, ru},
        {std::nullopt, {{"LC_MESSAGES", "C"}, {"LANG", "ru_RU.UTF-8"}}, en},
        // LANGUAGE before them: its first Russian, Ukrainian, Belarusian or English entry;
        // other languages skipped, and a list without any leaves the choice to the locale.
        {std::nullopt, {{"LANGUAGE", "uk:en"}, {"LANG", "C"}}, ru},
        {std::nullopt, {{"LANGUAGE", "en_GB:ru"}, {"LANG", "ru_RU.UTF-8"}}, en},
        {std::nullopt, {{"LANGUAGE", "de:fr:ru_RU"}, {"LANG", "C"}}, ru},
        {std::nullopt, {{"LANGUAGE", "de:fr"}, {"LANG", "ru_RU.UTF-8"}}, ru},
        {std::nullopt, {{"LANGUAGE", "::"}, {"LC_ALL", "de_DE"}}, en},
        // ORLIN_LANG before the locale; a word other than ru or en is passed over.
        {std::nullopt, {{"ORLIN_LANG", "en"}, {"LANGUAGE", "ru"}, {"LANG", "ru_RU"}}, en},
        {std::nullopt, {{"ORLIN_LANG", "ru"}, {"LANG", "C.UTF-8"}}, ru},
        {std::nullopt, {{"ORLIN_LANG", "de"}, {"LANG", "ru_RU.UTF-8"}}, ru},
        // The option before everything.
        {en, {{"ORLIN_LANG", "ru"}, {"LANG", "ru_RU.UTF-8"}}, en},
        {ru, {{"ORLIN_LANG", "en"}, {"LANG", "C"}}, ru},
    };
    for (const Case& c : cases) {
        const auto environment = [&c](const std::string& name) {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::string() : found->second;
        };
        std::string described;
        for (const auto& [name, value] : c.environment) described += name + "=" + value + " ";
        EXPECT_EQ(ChooseLanguage(c.option, environment), c.expected)
            << described << (c.option ? "with --lang" : "");
    }
    EXPECT_EQ(ParseLanguage("ru"), ru);
    EXPECT_EQ(ParseLanguage("en"), en);
    for (const char* wrong : {"", "RU", "de", "ru_RU", "english"})
        EXPECT_EQ(ParseLanguage(wrong), std::nullopt) << wrong;
}

// Russian gives the text as written; English the catalogue's translation, or the text as
// written where the catalogue has none for that context and text.
TEST(Language, TrFollowsTheLanguage) {
    const char* source = "Телефон не подключен.";
    EXPECT_EQ(Tr(Language::Russian, "TBlockSerial", source), source);
    EXPECT_STREQ(Tr(Language::English, "TBlockSerial", source), "The phone is not connected.");
    EXPECT_STREQ(Tr(Language::English, "NoSuchContext", source), source);
    EXPECT_STREQ(Tr(Language::English, "TBlockSerial", "Нет такого текста"), "Нет такого текста");

    ASSERT_EQ(CurrentLanguage(), Language::Russian);  // until a front end chooses
    EXPECT_EQ(Tr("TBlockSerial", source), source);
    SetCurrentLanguage(Language::English);
    EXPECT_STREQ(Tr("TBlockSerial", source), "The phone is not connected.");
    SetCurrentLanguage(Language::Russian);
}

// Russian picks among three forms by the last digits; English the first form after exactly 1
// and the last after every other count (21 is "21 entries", not the Russian "one" form).
TEST(Language, CountedTextFollowsTheLanguageRule) {
    const struct {
        long long count;
        const char* russian;
        const char* english;
    } cases[] = {{1, "1 one", "1 one"},      {2, "2 few", "2 many"},    {5, "5 many", "5 many"},
                 {11, "11 many", "11 many"}, {21, "21 one", "21 many"}, {0, "0 many", "0 many"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CountedText(c.count, "Test", "one", "few", "many"), c.russian) << c.count;
        SetCurrentLanguage(Language::English);
        EXPECT_EQ(CountedText(c.count, "Test", "one", "few", "many"), c.english) << c.count;
        SetCurrentLanguage(Language::Russian);
    }
}

// Each place takes its value wherever the language puts it, once: a value holding "%2" (a file
// name) stays as it is; a place without a value stays as written.
TEST(Language, FillInPutsEachValueInItsPlaceOnce) {
    EXPECT_EQ(FillIn("Slot %2 of %1", {"a", "b"}), "Slot b of a");
    EXPECT_EQ(FillIn("%1: %2", {"file%2.txt", "bad"}), "file%2.txt: bad");
    EXPECT_EQ(FillIn("100% %3 %", {"x"}), "100% %3 %");
}

}  // namespace
}  // namespace orlin
