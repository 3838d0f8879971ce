// Phone text (UCS2 hex) and the Windows-1251 codec.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"
#include "link/slot_list.h"
#include "link/utf8.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

TEST(PhoneText, RussianLettersAndYoRoundTrip) {
    EXPECT_EQ(EncodeUcs2("Ёжик"), "040104360438043A");
    EXPECT_EQ(DecodeUcs2("040104360438043A"), "Ёжик");
    EXPECT_EQ(EncodeUcs2("АЯаяё"), "0410042F0430044F0451");
    EXPECT_EQ(EncodeUcs2("A~ "), "0041007E0020");
}

TEST(PhoneText, EveryWindows1251CharacterSurvivesTheRoundTrip) {
    // Ukrainian and Belarusian letters, typographic quotes and dashes, the number sign, euro.
    const std::string name = "Їжак і Ґудзь — «Єва» №5 € ўсё";
    const std::string encoded = EncodeUcs2(name);
    EXPECT_EQ(encoded.substr(0, 4), "0407");
    EXPECT_NE(encoded.find("2116"), std::string::npos);  // №
    EXPECT_NE(encoded.find("20AC"), std::string::npos);  // €
    EXPECT_EQ(DecodeUcs2(encoded), name);

    std::string everyPrintable;
    for (int byte = 32; byte < 256; ++byte) {
        if (byte != 127 && byte != 0x98) everyPrintable += static_cast<char>(byte);
    }
    const std::string utf8 = Cp1251ToUtf8(everyPrintable);
    const std::string all = EncodeUcs2(utf8);
    EXPECT_EQ(all.size(), everyPrintable.size() * 4);
    EXPECT_EQ(DecodeUcs2(all), utf8);
}

TEST(PhoneText, ControlCharactersAreDroppedWhenEncodingAndKeptWhenDecoding) {
    EXPECT_EQ(EncodeUcs2("a\r\nb"), "00610062");
    EXPECT_EQ(EncodeUcs2(std::string("\t\x7f", 2)), "");
    EXPECT_EQ(DecodeUcs2("000D000A"), "\r\n");
    EXPECT_EQ(DecodeUcs2("00410000"), std::string("A\0", 2));
}

// Characters Windows-1251 lacks are kept: no '?' for a letter the phone holds.
TEST(PhoneText, CodesWithoutAWindows1251ByteAreKept) {
    EXPECT_EQ(DecodeUcs2("0404"), "Є");  // not read as Ё
    EXPECT_EQ(DecodeUcs2("0454"), "є");
    EXPECT_EQ(DecodeUcs2("00E9"), "é");  // not the Russian щ that shares its byte
    EXPECT_EQ(DecodeUcs2("0041046200420416"), "AѢBЖ");
    EXPECT_EQ(DecodeUcs2("4E2D"), "中");
}

TEST(PhoneText, ShortLastGroups) {
    EXPECT_EQ(DecodeUcs2("00410"), "A");
    EXPECT_EQ(DecodeUcs2("004100"), std::string("A\0", 2));
    EXPECT_EQ(DecodeUcs2("0061006"), std::string("a\x06"));
    EXPECT_EQ(DecodeUcs2("0041041"), "A");
    EXPECT_EQ(DecodeUcs2(""), "");
    EXPECT_EQ(EncodeUcs2(""), "");
}

TEST(PhoneText, DigitsInEitherCase) {
    EXPECT_EQ(DecodeUcs2("042f"), "Я");
    EXPECT_EQ(DecodeUcs2("042F"), "Я");
}

TEST(PhoneText, BadGroupsInTheLatinAndCyrillicRowsFail) {
    try {
        DecodeUcs2("004100G1");
        FAIL() << "decoded a group that is not hexadecimal";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'00G1' is not a valid integer value");
    }
    EXPECT_THROW(DecodeUcs2("04Z1"), EConvertError);
    // Outside those rows a stray character is no character, as before.
    EXPECT_EQ(DecodeUcs2("\"ABC0041"), "A");
}

// UTF-8 to UCS2 and back: every character of the Basic Multilingual Plane is kept, whatever
// script it belongs to; an emoji, which UCS2 lacks, is one counted '?'.
TEST(Ucs2, NamesInEveryScriptRoundTripAndOnlyEmojiAreReplaced) {
    struct Case {
        const char* text;
        const char* ucs2;
        size_t replaced;
        const char* decoded;  // nullptr: the text itself
    };
    const Case cases[] = {
        {"Müller", "004D00FC006C006C00650072", 0, nullptr},
        {"Łukasz Żółć", "01410075006B00610073007A0020017B00F301420107", 0, nullptr},
        {"Ελένη", "039503BB03AD03BD03B7", 0, nullptr},
        {"עברית", "05E205D105E805D905EA", 0, nullptr},
        {"中文", "4E2D6587", 0, nullptr},
        {"Ёжик", "040104360438043A", 0, nullptr},
        {"Ελ 😀!", "0395 03BB 0020 003F 0021", 1, "Ελ ?!"},
        {"a\r\nb\t", "00610062", 0, "ab"},  // control characters cannot be stored
        {"x\xff"
         "y",
         "0078003F0079", 1, "x?y"},  // a byte that starts no character
    };
    for (const Case& c : cases) {
        std::string expected = c.ucs2;
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        size_t replaced = 0;
        EXPECT_EQ(EncodeUcs2(c.text, &replaced), expected) << c.text;
        EXPECT_EQ(replaced, c.replaced) << c.text;
        EXPECT_EQ(DecodeUcs2(expected), c.decoded ? c.decoded : c.text) << c.text;
        EXPECT_EQ(Ucs2Length(c.text), expected.size() / 4) << c.text;
        EXPECT_EQ(HasCharactersBeyondUcs2(c.text),
                  std::string(c.text).find("😀") != std::string::npos);
    }
    // A phone that sends UTF-16 pairs gives the character; a lone half is '?'. Bad groups fail
    // in the Latin and Cyrillic rows as they always did.
    EXPECT_EQ(DecodeUcs2("D83DDE000041"), "😀A");
    EXPECT_EQ(DecodeUcs2("D83D0041DE00"), "?A?");
    EXPECT_EQ(DecodeUcs2("0061006"), "a\x06");
    EXPECT_THROW(DecodeUcs2("004100G1"), EConvertError);
}

TEST(Ucs2, LimitsCountCharactersAsThePhoneDoes) {
    EXPECT_EQ(Ucs2Prefix("Łukasz Żółć", 8), "Łukasz Ż");
    EXPECT_EQ(Ucs2Prefix("中文中文", 3), "中文中");
    EXPECT_EQ(Ucs2Prefix("a\r\nbc", 2), "a\r\nb");
    EXPECT_EQ(Ucs2Prefix("ab", 5), "ab");
    EXPECT_EQ(Ucs2Length("😀😀"), 2u);
}

// Quoted fields of phones outside UCS2 mode: hexadecimal that reads as Windows-1251 characters
// is UCS2, anything else 8-bit text, UTF-8 when it is that.
TEST(Ucs2, QuotedFieldsKeepTheirText) {
    EXPECT_EQ(DecodeUcs2Field("041C0438"), "Ми");
    EXPECT_EQ(DecodeUcs2Field("\"041C0438\""), "Ми");
    EXPECT_EQ(DecodeUcs2Field("\"Meeting\""), "Meeting");
    EXPECT_EQ(DecodeUcs2Field("\"CAFE\""), "CAFE");
    EXPECT_EQ(DecodeUcs2Field("\"Müller\""), "Müller");
    EXPECT_EQ(DecodeUcs2Field("\"" + Utf8ToCp1251("Встреча") + "\""), "Встреча");
}

// The files whose format is Windows-1251 count what they could not hold; a line read back is
// UTF-8 only when it is well-formed UTF-8 beyond ASCII.
TEST(Cp1251, FilesCountReplacedCharactersAndReadBothForms) {
    size_t replaced = 0;
    EXPECT_EQ(Utf8ToCp1251("Łukasz Ёж", replaced), "?ukasz " + Utf8ToCp1251("Ёж"));
    EXPECT_EQ(replaced, 1u);
    EXPECT_TRUE(FitsCp1251("Ёжик, № 5 — €"));
    EXPECT_FALSE(FitsCp1251("Müller"));
    EXPECT_EQ(Utf8OrCp1251ToUtf8("Müller"), "Müller");
    EXPECT_EQ(Utf8OrCp1251ToUtf8(Utf8ToCp1251("Привет, Ёлка")), "Привет, Ёлка");
    EXPECT_EQ(Utf8OrCp1251ToUtf8("plain"), "plain");
}

// The claim the archive's reader rests on, tried on every word of a Russian dictionary and on
// lines of ten of them: in Windows-1251 none reads as well-formed UTF-8.
TEST(Cp1251, NoRussianWordInWindows1251IsTakenForUtf8) {
    std::ifstream dictionary("/usr/share/hunspell/ru_RU.dic");
    if (!dictionary) GTEST_SKIP() << "no Russian dictionary (hunspell-ru) to try the claim on";
    std::string line, words;
    size_t count = 0, lines = 0;
    std::vector<std::string> misread;
    auto check = [&](const std::string& utf8) {
        if (Utf8OrCp1251ToUtf8(Utf8ToCp1251(utf8)) != utf8) misread.push_back(utf8);
    };
    std::getline(dictionary, line);  // the count of entries
    while (std::getline(dictionary, line)) {
        const std::string word = line.substr(0, line.find('/'));
        if (!FitsCp1251(word)) continue;
        check(word);
        words += (words.empty() ? "" : " ") + word;
        if (++count % 10 == 0) {
            check(words);
            words.clear();
            ++lines;
        }
    }
    EXPECT_GT(count, 100000u);
    EXPECT_TRUE(misread.empty()) << misread.size() << " of " << count << " words and " << lines
                                 << " lines misread, the first: " << misread.front();
}

TEST(Cp1251, ConvertsToAndFromUtf8AndUtf16) {
    const std::string utf8 = "Привет, Ёлка! Їжак № 5 — €";
    const std::string cp = Utf8ToCp1251(utf8);
    EXPECT_EQ(cp.size(), 26u);
    EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xCF);  // П
    EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
    EXPECT_EQ(Cp1251ToUtf16(cp), u"Привет, Ёлка! Їжак № 5 — €");
    EXPECT_EQ(Utf16ToCp1251(u"Привет, Ёлка! Їжак № 5 — €"), cp);
}

// The system's wide texts (a Windows error message, a port name from the registry) and UTF-8:
// every character both ways, an unpaired half or a broken byte as U+FFFD.
TEST(Utf16, RoundTripsEveryCharacterAndMarksBrokenOnes) {
    const struct {
        std::u16string utf16;
        std::string utf8;
    } cases[] = {
        {u"Доступ запрещён.", "Доступ запрещён."},
        {u"Ελένη 中文 😀", "Ελένη 中文 😀"},
        {u"COM3", "COM3"},
        {u"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
    }
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("a\xff"
                          "b"),
              u"a\uFFFDb");
}

TEST(Cp1251, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("é中😀x"), "???x");
    EXPECT_EQ(Utf16ToCp1251(u"é😀x"), "??x");
    EXPECT_EQ(Utf8ToCp1251("\xff\xc3"), "??");  // broken UTF-8
    EXPECT_EQ(Utf8ToCp1251("\xe2\x82"), "??");  // cut short
}

TEST(Cp1251, WellFormedUtf8IsToldFromWindows1251) {
    for (const char* good : {"", "ASCII", "Юрій Тест", "€ 😀", "\xEF\xBB\xBFPHONE"})
        EXPECT_TRUE(IsWellFormedUtf8(good)) << good;
    // Windows-1251 text ("Сі" alone would pass as UTF-8), cut short, overlong, surrogate,
    // beyond U+10FFFF, a stray continuation byte.
    for (const std::string& bad :
         {Utf8ToCp1251("Юрій Сір "), std::string("ab\xC3"), std::string("\xC0\xAF"),
          std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80"), std::string("\x80")})
        EXPECT_FALSE(IsWellFormedUtf8(bad)) << Cp1251ToUtf8(bad);
}

// The one decoder: each byte that starts no well-formed character gives nothing and is passed
// alone, so that the next character is still found.
TEST(Utf8, EachMalformedByteIsPassedAlone) {
    const struct {
        std::string text;
        std::vector<std::optional<char32_t>> characters;
    } cases[] = {
        {"A\xD0\x96", {U'A', U'Ж'}},
        {"\xF0\x9F\x98\x80", {U'\U0001F600'}},
        {"\xE2\x82", {std::nullopt, std::nullopt}},  // cut short at the end
        {"\xE2\x82"
         "A",
         {std::nullopt, std::nullopt, U'A'}},                          // cut short before a letter
        {"\xC0\xAF", {std::nullopt, std::nullopt}},                    // overlong
        {"\xED\xA0\x80", {std::nullopt, std::nullopt, std::nullopt}},  // surrogate
        {"\xF4\x90\x80\x80", {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {"\x80\xFF", {std::nullopt, std::nullopt}},
    };
    for (const auto& c : cases) {
        std::vector<std::optional<char32_t>> got;
        for (size_t pos = 0; pos < c.text.size();) got.push_back(NextUtf8(c.text, pos));
        EXPECT_EQ(got, c.characters) << Cp1251ToUtf8(c.text);
        const bool whole = std::find(got.begin(), got.end(), std::nullopt) == got.end();
        EXPECT_EQ(Utf8Characters(c.text).has_value(), whole) << Cp1251ToUtf8(c.text);
        std::string back;
        for (const auto& code : got)
            if (code) AppendUtf8(back, *code);
        if (whole) {
            EXPECT_EQ(back, c.text);
        }
    }
    EXPECT_EQ(Utf8Characters("Юрій"), std::u32string(U"Юрій"));
}

TEST(SlotList, NeighboursJoinIntoRuns) {
    const struct {
        std::vector<int> slots;
        std::string text;
    } cases[] = {
        {{}, ""},        {{7}, "7"}, {{3, 1, 2, 7}, "1-3, 7"}, {{9, 10, 1, 1, 3}, "1, 3, 9-10"},
        {{5, 6}, "5-6"},
    };
    for (const auto& c : cases) EXPECT_EQ(SlotList(c.slots), c.text);
    EXPECT_EQ(SlotList(std::vector<std::string>{"12", "3", "4"}), "3-4, 12");
    // A garbled index is listed as it came, with the others in their order.
    EXPECT_EQ(SlotList(std::vector<std::string>{"12", "?", "3"}), "12, ?, 3");
}

TEST(Cp1251, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(all)), all);
}

}  // namespace
}  // namespace orlin::test
