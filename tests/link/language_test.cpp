// The choice of the program's language from the command line, ORLIN_LANG and the locale, and
// the English that the Qt-free code gets from the table made of translations/orlin_en.ts.

#include "link/language.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

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

}  // namespace
}  // namespace orlin
