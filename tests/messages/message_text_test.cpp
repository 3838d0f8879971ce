// The message core without a phone: cutting the answers, the archive file, the key filter,
// the recipient, and the export formats.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "link/errors.h"
#include "link/phone_text.h"
#include "link/whole_file.h"
#include "messages/message_answers.h"
#include "messages/message_archive.h"
#include "messages/message_export.h"
#include "messages/message_send.h"
#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;
namespace fs = std::filesystem;

TEST(MessageAnswers, PhoneIdIsSixLettersOrDigitsAfterTheSerialNumberPrefix) {
    const struct {
        std::string answer;
        std::optional<std::string> id;
    } cases[] = {
        {"\r\n+CGSN: IMEI351234567890123\r\n\r\nOK\r\n", "789012"},
        // A stray line or an echo variant before the answer does not shift it.
        {"AT+CGSN\r\r\n+CMTI: \"IM\",5\r\n\r\n+CGSN: IMEI351234567890123\r\n\r\nOK\r\n", "789012"},
        {"\r\n+CGSN: IMEI3512345\r\n\r\nOK\r\n", std::nullopt},  // too short
        {"\r\n+CGSN: IMEI351234567;90123\r\n\r\nOK\r\n", std::nullopt},
        {"\r\n+CGSN: IMEI351234567 90123\r\n\r\nOK\r\n", std::nullopt},
        {"\r\nERROR\r\n", std::nullopt},
        {"\r\n+CGSN: IMEI351234567890123\r\n\r\n+CME ERROR: 10\r\n", std::nullopt},
        // The standard form without "IMEI": the same digits give the same id.
        {"\r\n+CGSN: 351234567890123\r\n\r\nOK\r\n", "789012"},
        {"\r\n+CGSN: 351234567\r\n\r\nOK\r\n", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCgsnPhoneId(c.answer), c.id) << c.answer;
}

TEST(MessageAnswers, StorageCountComesFromItsOwnLine) {
    EXPECT_EQ(ParseCpmsCount("\r\n+CPMS: 3,50,3,50,3,50\r\n\r\nOK\r\n"), 3);
    EXPECT_EQ(ParseCpmsCount("\r\n+CPMS: 12,50\r\n\r\nOK\r\n"), 12);  // two numbers
    EXPECT_EQ(ParseCpmsCount("\r\n+CMTI: \"IM\",9\r\n\r\n+CPMS:  7,50\r\n\r\nOK\r\n"), 7);
    EXPECT_THROW(ParseCpmsCount("\r\n+CPMS: x,50\r\n\r\nOK\r\n"), EConvertError);
    EXPECT_THROW(ParseCpmsCount("\r\n+CPMS: 99999,50\r\n\r\nOK\r\n"), OrlinError);
}

TEST(MessageAnswers, HeaderLinesAreTheListLinesOnly) {
    const std::string answer =
        "\r\n+MMGL: 4, \"REC UNREAD\", \"+79111234567\", \"2006/12/26,09:05:07\"\r\n"
        "\r\n+CMTI: \"IM\",5\r\n"
        "\r\n+MMGL: 12, \"REC READ\", \"+7903\", \"2009/8/18,19:11:45\"\r\n"
        "\r\n+MMGL: 7, \"STO SENT\", \"+7911\"\r\n"
        "\r\n+MMGL: 9,\"REC READ\",\"+7911\",,\"2009/8/18,19:11:45\",145\r\n\r\nOK\r\n";
    const std::vector<MessageHeader> expected = {
        {"4", "REC UNREAD"}, {"12", "REC READ"}, {"7", "STO SENT"}, {"9", "REC READ"}};
    EXPECT_EQ(ParseMmglHeaders(answer), expected);
    EXPECT_TRUE(IsMessageIndex("12"));
    for (const char* bad : {"", "1;2", "-1", "1234567", " 3"}) EXPECT_FALSE(IsMessageIndex(bad));
}

TEST(MessageAnswers, MessageFieldsFollowTheAnswersOwnStatus) {
    const std::string hex = EncodeUcs2("Привет");
    const struct {
        std::string answer;
        std::optional<MessageAnswer> message;
    } cases[] = {
        {"\r\n+MMGR: \"REC UNREAD\", \"+79111234567\", \"2006/12/26,09:05:07\"\r\n" + hex +
             "\r\n\r\nOK\r\n",
         MessageAnswer{"REC UNREAD", "+79111234567", "2006/12/26,09:05:07", hex}},
        // Unpadded dates as real phones send them.
        {"\r\n+MMGR: \"REC READ\", \"+7903\", \"2009/8/18,19:11:45\"\r\n" + hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+7903", "2009/8/18,19:11:45", hex}},
        {"\r\n+MMGR: \"STO SENT\", \"+79111234567\"\r\n" + hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"STO SENT", "+79111234567", "", hex}},
        {"\r\n+MMGR: \"STO UNSENT\", \"\"\r\n" + hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"STO UNSENT", "", "", hex}},
        // A stray line before the header shifts nothing.
        {"AT+MMGR=1\r\r\n+CMTI: \"IM\",5\r\n\r\n+MMGR: \"REC READ\", \"+7903\", "
         "\"2009/8/18,19:11:45\"\r\n" +
             hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+7903", "2009/8/18,19:11:45", hex}},
        {"\r\n+MMGR: \"REC READ\", \"+7903\", \"2009/8/18,19:11:45\"\r\n\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+7903", "2009/8/18,19:11:45", ""}},
        {"\r\nERROR\r\n", std::nullopt},
        {"\r\n+CMS ERROR: 321\r\n", std::nullopt},
        {"\r\n+MMGR: \"REC READ\", \"+7903\", \"2009/8/18,19:11:45\"\r\n" + hex +
             "\r\n\r\n+CME ERROR: 100\r\n",
         std::nullopt},
        {"\r\nOK\r\n", std::nullopt},                                                  // no header
        {"\r\n+MMGR: \"ALL\", \"+7903\"\r\n" + hex + "\r\n\r\nOK\r\n", std::nullopt},  // status
        {"\r\n+MMGR: \"REC READ\", \"+7903\"\r\n" + hex + "\r\n\r\nOK\r\n", std::nullopt},
        // Real phones: no blank after the commas, an alpha field (empty or a name), a field
        // after the date, the whole text-mode header.
        {"\r\n+MMGR: \"REC READ\",\"+79111234567\",\"2009/8/18,19:11:45\"\r\n" + hex +
             "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+79111234567", "2009/8/18,19:11:45", hex}},
        {"\r\n+MMGR: \"REC READ\",\"+79111234567\",,\"2009/8/18,19:11:45\"\r\n" + hex +
             "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+79111234567", "2009/8/18,19:11:45", hex}},
        {"\r\n+MMGR: \"REC UNREAD\", \"+7911\", \"Mom, home\", \"2009/8/18,19:11:45\", 145\r\n" +
             hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"REC UNREAD", "+7911", "2009/8/18,19:11:45", hex}},
        {"\r\n+MMGR: \"REC READ\", \"+79111234567\", \"2006/12/26,09:05:07\", 145\r\n" + hex +
             "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+79111234567", "2006/12/26,09:05:07", hex}},
        {"\r\n+MMGR: \"REC READ\",\"+7911\",,\"09/08/18,19:11:45+00\",145,4,0,8,"
         "\"+79168999100\",145,12\r\n" +
             hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"REC READ", "+7911", "09/08/18,19:11:45+00", hex}},
        {"\r\n+MMGR: \"STO SENT\",\"+7911\",\r\n" + hex + "\r\n\r\nOK\r\n",
         MessageAnswer{"STO SENT", "+7911", "", hex}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMmgrMessage(c.answer), c.message) << c.answer;
}

TEST(MessageAnswers, StoredIndexNeedsOkAndANumber) {
    EXPECT_EQ(ParseCmgwIndex("\r\n> \r\n+CMGW: 12\r\n\r\nOK\r\n"), "12");
    EXPECT_EQ(ParseCmgwIndex("\r\n> \r\n\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParseCmgwIndex("\r\n+CMGW: \r\n\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParseCmgwIndex("\r\n+CMGW: 3;+CMGD=1\r\n\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParseCmgwIndex("\r\n+CMGW: 12\r\n\r\n+CMS ERROR: 322\r\n"), std::nullopt);
}

TEST(MessageArchive, LinesSplitAtTheFirstTwoSemicolons) {
    EXPECT_EQ(SplitArchiveLine("a;b;c;d"), (TArchiveSMS{"a", "b", "c;d"}));
    EXPECT_EQ(SplitArchiveLine("no separator"), (TArchiveSMS{"", "", "no separator"}));
    EXPECT_EQ(ArchiveLine({"+7911", "2006/12/26,09:05:07", "one\r\ntwo\rthree\nfour"}),
              "+7911;2006/12/26,09:05:07;one two three four");
    EXPECT_EQ(ParseArchive("a;b;c\r\n\r\nd;e;f\nx;y;z"),
              (std::vector<TArchiveSMS>{{"a", "b", "c"}, {"d", "e", "f"}, {"x", "y", "z"}}));
}

class ArchiveFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_archive_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / ArchiveFileName("789012")).string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string bytes() const { return test::FileBytes(path_); }
    fs::path dir_;
    std::string path_;
};

TEST_F(ArchiveFile, AppendsOnlyWhatItDoesNotHoldAndNeverShortens) {
    EXPECT_EQ(fs::path(path_).filename(), "sms_789012.txt");
    EnsureArchive(path_);
    EXPECT_EQ(bytes(), "");
    const TArchiveSMS a{"+7911", "2026/12/07,18:02:11", "Привет"};
    const TArchiveSMS sameSecond{"+7903", "2026/12/07,18:02:11", "Hi"};
    const TArchiveSMS nextPart{"+7911", "2026/12/07,18:02:11", "часть 2"};
    const TArchiveSMS broken{"+7911", "2026/12/07,18:03:00", "line\r\nbreak"};
    EXPECT_EQ(AppendToArchive(path_, {a, sameSecond, nextPart, broken}), 4);
    const std::string first = bytes();
    EXPECT_EQ(first, "+7911;2026/12/07,18:02:11;" + W("Привет") +
                         "\r\n+7903;2026/12/07,18:02:11;Hi\r\n+7911;2026/12/07,18:02:11;" +
                         W("часть 2") + "\r\n+7911;2026/12/07,18:03:00;line break\r\n");
    // A second read adds nothing; two equal messages of one read are both kept.
    EXPECT_EQ(AppendToArchive(path_, {a, sameSecond, nextPart, broken}), 0);
    EXPECT_EQ(bytes(), first);
    const TArchiveSMS twin{"900", "2026/01/01,00:00:00", "x"};
    EXPECT_EQ(AppendToArchive(path_, {twin, twin}), 2);
    EXPECT_EQ(bytes().size(), first.size() + 2 * 27);
}

TEST_F(ArchiveFile, AHalfWrittenLastLineIsEndedFirst) {
    {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        std::fputs("+7911;2026/12/07,18:02:11;cut sho", f);
        std::fclose(f);
    }
    EXPECT_EQ(AppendToArchive(path_, {{"900", "d", "t"}}), 1);
    EXPECT_EQ(bytes(), "+7911;2026/12/07,18:02:11;cut sho\r\n900;d;t\r\n");
    fs::permissions(path_, fs::perms::owner_read);
    if (::geteuid() != 0) {
        EXPECT_THROW(AppendToArchive(path_, {{"901", "d", "t"}}), EInOutError);
    }
}

TEST_F(ArchiveFile, AnAppendThatFailsHalfWayIsTakenBack) {
    const std::string old = "+7911;2026/12/07,18:02:11;" + std::string(200, 'a') + "\r\n";
    WriteWholeFile(path_, old);
    const std::vector<TArchiveSMS> messages(5,
                                            {"+7903", "2026/12/08,10:00:00", std::string(60, 'b')});
    try {
        test::FileSizeLimit diskFullAt(old.size() + 100);
        AppendToArchive(path_, messages);
        ADD_FAILURE() << "an append past the limit reported success";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Файл слишком велик");
    }
    EXPECT_EQ(bytes(), old);
    EXPECT_EQ(AppendToArchive(path_, messages), 5);
    EXPECT_EQ(ParseArchive(bytes()).size(), 6u);
}

// The texts of every language the phone can hold, and one it cannot (an emoji).
const std::vector<std::string> kWorldTexts = {
    "Привет; как дела?", "Müller", "Łukasz Żółć", "Ελένη", "עברית", "中文"};

TEST_F(ArchiveFile, OldWindows1251AndMixedArchivesReadAsWritten) {
    // What older versions wrote: Windows-1251 lines, one of them with "«»", "Ё" and "№".
    const std::string old = W("+7911;2026/12/07,18:02:11;Привет; как дела\r\n") +
                            "900;2026/11/28,08:30:15;Balance: 245.10 RUB\r\n" +
                            W("+7903;2026/12/01,10:00:00;ЖЁЛТЫЙ «Т» №5\r\n");
    WriteWholeFile(path_, old);
    std::vector<TArchiveSMS> expected = {{"+7911", "2026/12/07,18:02:11", "Привет; как дела"},
                                         {"900", "2026/11/28,08:30:15", "Balance: 245.10 RUB"},
                                         {"+7903", "2026/12/01,10:00:00", "ЖЁЛТЫЙ «Т» №5"}};
    EXPECT_EQ(ParseArchive(bytes()), expected);

    // New lines: Windows-1251 where it holds the line, byte for byte as before; UTF-8 where it
    // does not, and where the Windows-1251 bytes would read as UTF-8 ("Т»" is D2 BB).
    std::vector<std::pair<TArchiveSMS, std::string>> lines;
    for (const std::string& text : kWorldTexts) {
        const std::string line = "+7900;2026/12/08,10:00:00;" + text;
        lines.push_back(
            {{"+7900", "2026/12/08,10:00:00", text}, text == kWorldTexts[0] ? W(line) : line});
    }
    lines.push_back({{"900", "d", "Т»"}, "900;d;Т»"});
    lines.push_back({{"Ελένη", "d", "x"}, "Ελένη;d;x"});
    std::vector<TArchiveSMS> added;
    std::string expectedBytes = old;
    for (const auto& [message, line] : lines) {
        SCOPED_TRACE(message.text);
        EXPECT_EQ(ArchiveLine(message), line);
        added.push_back(message);
        expectedBytes += line + "\r\n";
    }
    EXPECT_EQ(AppendToArchive(path_, added), static_cast<int>(added.size()));
    EXPECT_EQ(bytes(), expectedBytes);
    EXPECT_EQ(AppendToArchive(path_, added), 0);  // each line is found again, whatever its form
    expected.insert(expected.end(), added.begin(), added.end());
    EXPECT_EQ(ParseArchive(bytes()), expected);
}

TEST(MessageExport, BlocksPutQuestionMarksAndSayHowManyMessagesChanged) {
    std::vector<MessageRow> rows;
    for (const std::string& text : kWorldTexts)
        rows.push_back(InboxRow("1", "+7911", "2026/12/07,18:02:11", text, false));
    rows.push_back(InboxRow("2", "Ελένη", "2026/12/07,18:02:11", "Hi", false));  // the sender
    size_t changed = 0;
    const std::string blocks = ExportBlocks(rows, &changed);
    EXPECT_EQ(changed, 6u);
    const std::string head =
        W("\r\n\r\nвходящее\r\n\r\nпрочитано\r\n\r\n2026/12/07,18:02:11\r\n\r\nТекст "
          "сообщения:\r\n\r\n");
    const std::string texts[] = {
        W("Привет; как дела?"), "M?ller", "?ukasz ????", "?????", "?????", "??"};
    size_t at = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::string block = W("Номер:\r\n+7911") + head + text + "\r\n";
        EXPECT_EQ(blocks.compare(at, block.size(), block), 0) << blocks.substr(at, block.size());
        at += block.size() + 41;
    }
    const std::string sender = W("Номер:\r\n?????\r\n");
    EXPECT_EQ(blocks.compare(at, sender.size(), sender), 0);
    // Nothing lost: the same export without a lossy text changed none.
    ExportBlocks({rows[0]}, &changed);
    EXPECT_EQ(changed, 0u);
    EXPECT_EQ(BlocksChangedText(0), "");
    EXPECT_EQ(BlocksChangedText(1),
              "Кодировка Windows-1251 не вмещает все символы: в 1 сообщении они заменены на «?». "
              "Таблица CSV (UTF-8) сохраняет все символы.");
    EXPECT_NE(BlocksChangedText(5).find("в 5 сообщениях"), std::string::npos);
}

TEST(MessageCompose, KeysAtTheLimitAndByLanguage) {
    using L = MessageLanguage;
    const struct {
        L language;
        int length;
        char key;
        KeyVerdict verdict;
    } cases[] = {
        {L::English, 0, 'a', KeyVerdict::Accept},
        {L::English, 159, 'a', KeyVerdict::Accept},
        {L::English, 160, 'a', KeyVerdict::Discard},  // no erasing at the limit
        {L::English, 416, 'a', KeyVerdict::Discard},  // nor 256 beyond it
        {L::English, 160, kBackspaceKey, KeyVerdict::Accept},
        {L::English, 300, kDeleteKey, KeyVerdict::Accept},
        {L::English, 10, '\r', KeyVerdict::Discard},
        {L::English, 10, W("Ж")[0], KeyVerdict::Discard},
        {L::English, 10, W("ё")[0], KeyVerdict::Accept},
        {L::Russian, 10, W("Ж")[0], KeyVerdict::Accept},
        {L::Russian, 69, W("Ж")[0], KeyVerdict::Accept},
        {L::Russian, 70, 'a', KeyVerdict::Discard},
        {L::Russian, 10, '\r', KeyVerdict::Discard},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterKey(c.language, c.length, c.key), c.verdict)
            << static_cast<int>(c.language) << " " << c.length << " " << int(c.key);
}

// The command line picks the limit from the text itself: Latin-1 alone keeps 160.
TEST(MessageCompose, TheTextsOwnCharactersChooseItsLimit) {
    const struct {
        std::u32string text;
        size_t length;
        size_t limit;
    } cases[] = {
        {U"", 0, 160},
        {U"Hello @ $ _ !", 13, 160},
        {U"Müller à é Ñ ß ΔΣΩ £¥", 21, 160},  // the alphabet's own letters beyond ASCII
        {U"a[b]€", 8, 160},                   // the extension table takes two places each
        {U"caf\u00E1", 4, 70},                // á is Latin-1, but not in the alphabet
        {U"a`b", 3, 70},                      // nor is the grave accent
        {U"Łukasz Żółć", 11, 70},
        {U"Ελένη", 5, 70},  // capital Ε is no Latin E
        {U"עברית", 5, 70},
        {U"中文", 2, 70},
        {U"Привет", 6, 70},
        {U"\U0001F600 x", 3, 70},  // an emoji goes as one '?'
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const TextCapacity capacity = CapacityOfText(c.text);
        EXPECT_EQ(capacity.length, c.length);
        EXPECT_EQ(capacity.limit, c.limit);
        EXPECT_EQ(capacity.gsm, c.limit == 160);
    }
}

TEST(MessageCompose, RecipientAndCommand) {
    const std::vector<Contact> contacts = {
        {"Мама", "+7901"}, {"Ελένη", "+7902"}, {"Ελένη", "+7904"}, {"Ivan", "+7903"}};
    EXPECT_EQ(ResolveRecipient("Ελένη", 2, contacts), "+7904");             // the one picked
    EXPECT_EQ(ResolveRecipient("Ελένη", std::nullopt, contacts), "+7902");  // typed: first
    EXPECT_EQ(ResolveRecipient("Мама", std::nullopt, contacts), "+7901");
    EXPECT_EQ(ResolveRecipient("ivan", std::nullopt, contacts), "ivan");  // case matters
    EXPECT_EQ(ResolveRecipient("+7999", 2, contacts), "+7999");  // text changed after picking
    for (const char* bad : {"1\";+CMGD=1;\"", "1\r", "1\n2", "1\x1a"})
        EXPECT_FALSE(RecipientAllowed(bad)) << bad;
    EXPECT_TRUE(RecipientAllowed("+7 (911) 123-45-67"));
    EXPECT_EQ(ComposeCommand("+7911", "0041"), "AT+CMGW=\"+7911\"\r0041\x1a");
}

TEST(MessageExport, BlocksAndCsv) {
    std::vector<MessageRow> rows = {
        InboxRow("1", "+7911", "2026/12/07,18:02:11", "Привет", true),
        StoredRow("6", "+7903", "a, \"b\"\r\nc", true),
        ArchiveRow({"900", "d", "t"}),
    };
    const std::string blocks = ExportBlocks(rows);
    size_t lines = 0;
    for (size_t at = blocks.find("\r\n"); at != std::string::npos; at = blocks.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 39u + 1u);  // the text with a line break adds one
    EXPECT_EQ(blocks.substr(0, blocks.find(std::string(39, '*'))),
              W("Номер:\r\n+7911\r\n\r\nвходящее\r\n\r\nне прочитано\r\n\r\n2026/12/07,18:02:11\r\n"
                "\r\nТекст сообщения:\r\n\r\nПривет\r\n"));
    EXPECT_EQ(ExportBlocks({}), "");

    EXPECT_EQ(ExportCsv(rows),
              "\xEF\xBB\xBF#,Номер,Дата/Время,Тип,Размер,Статус,Текст\r\n"
              "1,+7911,\"2026/12/07,18:02:11\",входящее,6,не прочитано,Привет\r\n"
              "6,+7903,-------------,исходящее,9,отправлено,\"a, \"\"b\"\"\r\nc\"\r\n"
              ",900,d,архив,1,сохранено,t\r\n");
    EXPECT_EQ(TabSeparatedLine(rows[1]),
              "6\t+7903\t-------------\tисходящее\t9\tотправлено\ta, \"b\" c");

    // What the phone sends never becomes a formula in a spreadsheet, nor a terminal's escape
    // sequence; a plain number stays readable.
    const std::vector<MessageRow> hostile = {
        InboxRow("2", "=1+1", "@now", "=HYPERLINK(\"http://x\";\"y\")", false),
        InboxRow("3", "+79111234567", "-1", "\tx", false),
        InboxRow("4", "*100#", "+1", "\x1b]0;owned\x07", false),
    };
    const std::string csv = ExportCsv(hostile);
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2),
              "2,'=1+1,'@now,входящее,26,прочитано,\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\"\r\n"
              "3,+79111234567,'-1,входящее,2,прочитано,'\tx\r\n"
              "4,*100#,'+1,входящее,10,прочитано,\x1b]0;owned\x07\r\n");
    EXPECT_EQ(TabSeparatedLine(hostile[2]), "4\t*100#\t+1\tвходящее\t10\tпрочитано\t?]0;owned?");
}

}  // namespace
}  // namespace orlin
