// The theme file's bytes and the checks before it is written.

#include "theme/theme_file.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

// "10 03 02" as bytes.
std::string Hex(const char* text) {
    std::string bytes;
    for (const char* p = text; *p != '\0';) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
        p += 2;
    }
    return bytes;
}

// r.mid, s.gif, p.jpg: ASCII names, every byte as the layout has them.
const std::string kExample =
    Hex("10 03 02 00 72 00 2E 00 6D 00 69 00 64 00 00 01 00 73 00 2E 00 67 00 69 00 66 00 00"
        " 00 00 70 00 2E 00 6A 00 70 00 67 00 00");

TEST(ThemeFile, BytesNameTheFilesOfTheThreePaths) {
    struct Case {
        const char* label;
        ThemeChoice choice;  // picture, screen saver, ring tone
        std::string expected;
    };
    const Case cases[] = {
        {"the three bare names", {"p.jpg", "s.gif", "r.mid"}, kExample},
        {"paths from the dialogs and typed ones, / and \\",
         {"/home/anna/pictures/p.jpg", "C:\\Themes\\s.gif", "D:\\tones/r.mid"},
         kExample},
        {"Cyrillic names in UTF-16BE, high byte 04",
         {"/x/фон.jpg", "s.gif", "/x/мелодия.mid"},
         Hex("10 03 02 04 3C 04 35 04 3B 04 3E 04 34 04 38 04 4F 00 2E 00 6D 00 69 00 64 00 00"
             " 01 00 73 00 2E 00 67 00 69 00 66 00 00 00 04 44 04 3E 04 3D 00 2E 00 6A 00 70 00"
             " 67 00 00")},
        {"a name without a dot, and one past U+FFFF as a surrogate pair",
         {"/pics/wallpaper", "s.gif", "\xF0\x9F\x8E\xB5.mid"},
         Hex("10 03 02 D8 3C DF B5 00 2E 00 6D 00 69 00 64 00 00 01 00 73 00 2E 00 67 00 69 00 66"
             " 00 00 00 00 77 00 61 00 6C 00 6C 00 70 00 61 00 70 00 65 00 72 00 00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ThemeFileBytes(c.choice), c.expected);
    }
    EXPECT_EQ(kExample.size(), 41u);
}

TEST(ThemeFile, APathWithoutAFileNameIsRefused) {
    EXPECT_THROW(ThemeFileBytes({"/pics/", "s.gif", "r.mid"}), EThemeError);
    EXPECT_THROW(ThemeFileBytes({"p.jpg", "s.gif", ""}), EThemeError);
    // A byte that is no UTF-8 is kept as the character of its number.
    EXPECT_EQ(Utf16BeName("a\xEC"), Hex("00 61 00 EC"));
}

TEST(ThemeFile, ProblemsComeEmptyFieldsFirstThenMissingFilesInFieldOrder) {
    const std::set<std::string> existing = {"p.jpg", "s.gif", "r.mid"};
    const auto exists = [&](const std::string& path) { return existing.count(path) > 0; };
    struct Case {
        ThemeChoice choice;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {{"", "", ""}, {"Выберите картинку.", "Выберите заставку.", "Выберите мелодию."}},
        // An empty field stops before any file is looked for.
        {{"gone.jpg", "s.gif", ""}, {"Выберите мелодию."}},
        {{"gone.jpg", "s.gif", "gone.mid"},
         {"Файл картинки не существует.", "Файл мелодии не существует."}},
        {{"p.jpg", "gone.gif", "r.mid"}, {"Файл заставки не существует."}},
        {{"p.jpg", "s.gif", "r.mid"}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts;
        for (const ThemeProblem& problem : ThemeChoiceProblems(c.choice, exists))
            texts.push_back(problem.text);
        EXPECT_EQ(texts, c.texts);
    }
    EXPECT_FALSE(IsExistingFile("/"));  // a folder is no file
    EXPECT_FALSE(IsExistingFile(""));
}

}  // namespace
}  // namespace orlin
