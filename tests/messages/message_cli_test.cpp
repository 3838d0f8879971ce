// orlin-cli sms, run as a program against the simulated C350.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "messages/message_archive.h"
#include "messages/message_export.h"
#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using phonesim::MessageStatus;
using test::CliRun;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

class SmsCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_sms_cli_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    // `before` runs first in the same shell ("ulimit ...").
    CliRun Cli(const std::string& words, const std::string& before = "") {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words,
                            before.empty() ? "" : before + " && ");
    }
    std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        for (size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            if (end == std::string::npos) break;
        }
        return lines;
    }

    SimPhone phone{"C350"};
    fs::path dir_;
};

TEST_F(SmsCli, ListingTheInboxTwiceArchivesItOnce) {
    CliRun first = Cli("sms list inbox");
    ASSERT_EQ(first.status, 0) << first.err;
    const std::vector<std::string> lines = Lines(first.out);
    ASSERT_EQ(lines.size(), 5u) << first.out;
    EXPECT_EQ(lines[0],
              "1\t+79111234567\t2026/12/07,18:02:11\tвходящее\t35\tне прочитано\tПривет! "
              "Встречаемся в семь у метро.");
    CliRun second = Cli("sms list inbox");
    EXPECT_EQ(second.out, first.out);
    const std::string archive = test::FileBytes(dir_ / "sms_789012.txt");
    EXPECT_EQ(ParseArchive(archive).size(), 5u);
    EXPECT_EQ(ArchiveLines(archive).size(), 5u);

    const CliRun view = Cli("sms list archive");
    ASSERT_EQ(view.status, 0) << view.err;
    EXPECT_EQ(Lines(view.out)[4],
              "\t900\t2026/11/28,08:30:15\tархив\t19\tсохранено\tBalance: 245.10 RUB");
    EXPECT_EQ(Lines(Cli("sms list outgoing").out).size(), 2u);
}

TEST_F(SmsCli, SendStoresAndSendsByTheAction) {
    const struct {
        std::string words;
        bool kept;
        MessageStatus status;
    } cases[] = {
        {"sms send +79001234567 Hello", true, MessageStatus::StoSent},
        {"sms send --store-only +79001234567 Hello", true, MessageStatus::StoUnsent},
        {"sms send +79001234567 Hello --delete-after", false, MessageStatus::StoSent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        phone.edit([](phonesim::PhoneState& s) { s.contents.messages.erase(12); });
        const CliRun run = Cli(c.words);
        EXPECT_EQ(run.status, 0) << run.err;
        const auto messages = phone.state().contents.messages;
        ASSERT_EQ(messages.count(12), c.kept ? 1u : 0u);
        if (c.kept) {
            EXPECT_EQ(messages.at(12).status, c.status);
            EXPECT_EQ(messages.at(12).number, "+79001234567");
        }
    }
    // 70 characters with a letter outside Latin-1, 160 without.
    phone.edit([](phonesim::PhoneState& s) { s.contents.messages.erase(12); });
    std::string russian;
    for (int i = 0; i < 70; ++i) russian += "ж";
    EXPECT_EQ(Cli("sms send 900 '" + russian + "'").status, 0);
    EXPECT_EQ(phone.state().contents.messages.at(12).text, russian);
    EXPECT_EQ(Cli("sms send 900 '" + std::string(160, 'a') + "'").status, 0);
}

TEST_F(SmsCli, StoredMessagesByIndexAndWhatThePhoneRefuses) {
    EXPECT_EQ(Cli("sms send-stored 8").status, 0);
    EXPECT_EQ(phone.state().contents.messages.at(8).status, MessageStatus::StoSent);
    EXPECT_EQ(Cli("sms mark-read 1").status, 0);
    EXPECT_EQ(phone.state().contents.messages.at(1).status, MessageStatus::RecRead);
    CliRun run = Cli("sms delete 10 11 99");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2 deleted\n");
    EXPECT_EQ(run.err, "Телефон не удалил сообщение 99.\n");
    EXPECT_EQ(phone.state().contents.messages.count(10), 0u);
    EXPECT_EQ(Cli("sms send-stored 99").status, 1);
    EXPECT_EQ(Cli("sms mark-read 99").status, 1);
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CMSS";
    phone->setFaults(faults);
    run = Cli("sms send +7911 Hi");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Сбой отправки...\n");
}

TEST_F(SmsCli, ExportWritesBlocksOrCsv) {
    CliRun run = Cli("sms export sent.txt --folder sent");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "2 messages exported to sent.txt\n");
    const std::string blocks = test::FileBytes(dir_ / "sent.txt");
    EXPECT_EQ(blocks.rfind(W("Номер:\r\n+79111234567\r\n\r\nисходящее\r\n"), 0), 0u);
    EXPECT_EQ(std::count(blocks.begin(), blocks.end(), '\n'), 26);
    run = Cli("sms export drafts.csv --folder=drafts --format csv");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::FileBytes(dir_ / "drafts.csv"),
              "\xEF\xBB\xBF#,Номер,Дата/Время,Тип,Размер,Статус,Текст\r\n"
              "10,,-------------,черновик,29,не отправлено,\"Черновик: купить хлеб, молоко\"\r\n"
              "11,+79097778800,-------------,черновик,19,не отправлено,Draft: call me back\r\n");
}

TEST_F(SmsCli, AnExportThatFailsHalfWayLeavesTheOldFile) {
    phone.edit([](phonesim::PhoneState& s) {
        for (int i = 20; i < 40; ++i)
            s.contents.messages[i] = {phonesim::MessageStorage::OM, MessageStatus::StoSent,
                                      "+7900" + std::to_string(i), "", std::string(60, 'x')};
    });
    const std::string old = std::string(3000, 'o') + "\r\n";
    for (const char* format : {"blocks", "csv"}) {
        SCOPED_TRACE(format);
        std::ofstream(dir_ / "sent.txt", std::ios::binary) << old;
        const CliRun run = Cli(std::string("sms export sent.txt --folder sent --format ") + format,
                               test::kShellFileSizeLimit);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Файл слишком велик"), std::string::npos) << run.err;
        EXPECT_EQ(test::FileBytes(dir_ / "sent.txt"), old);
        for (const auto& entry : fs::directory_iterator(dir_))
            EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);  // and out.txt, err.txt
    }
}

// Texts of every language the phone holds: read from the phone, listed (tab-separated and
// JSON), archived and read back from the archive, exported to CSV, and sent to the phone and
// read back, byte for byte.
TEST_F(SmsCli, TextsOfEveryLanguageGoEveryWayUnchanged) {
    const struct {
        std::string text;
        std::string size;
        bool cp1251;  // the archive keeps it in Windows-1251
    } cases[] = {{"Привет; как дела?", "17", true},
                 {"Müller", "6", false},
                 {"Łukasz Żółć", "11", false},
                 {"Ελένη", "5", false},
                 {"עברית", "5", false},
                 {"中文", "2", false}};
    const std::string sender[] = {"+79111234561", "+79111234562", "+79111234563",
                                  "+79111234564", "+79111234565", "+79111234566"};
    phone.edit([&](phonesim::PhoneState& s) {
        s.contents.messages.clear();
        for (int i = 0; i < 6; ++i)
            s.contents.messages[i + 1] = {phonesim::MessageStorage::IM, MessageStatus::RecRead,
                                          sender[i], "2026/12/07,18:02:11", cases[i].text};
    });
    const CliRun list = Cli("sms list inbox");
    ASSERT_EQ(list.status, 0) << list.err;
    const CliRun json = Cli("sms list inbox --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const CliRun archive = Cli("sms list archive");
    ASSERT_EQ(archive.status, 0) << archive.err;
    ASSERT_EQ(Cli("sms export inbox.csv --folder inbox --format csv").status, 0);
    const std::string csv = test::FileBytes(dir_ / "inbox.csv");
    const std::vector<std::string> archiveLines =
        ArchiveLines(test::FileBytes(dir_ / "sms_789012.txt"));
    ASSERT_EQ(archiveLines.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.text);
        const std::string index = std::to_string(i + 1);
        EXPECT_EQ(Lines(list.out)[i], index + "\t" + sender[i] +
                                          "\t2026/12/07,18:02:11\tвходящее\t" + c.size +
                                          "\tпрочитано\t" + c.text);
        EXPECT_EQ(Lines(json.out)[i + 1].rfind("{\"index\":" + index +
                                                   ",\"folder\":\"inbox\","
                                                   "\"number\":\"" +
                                                   sender[i] + "\"",
                                               0),
                  0u);
        EXPECT_NE(
            Lines(json.out)[i + 1].find(",\"size\":" + c.size + ",\"text\":\"" + c.text + "\","),
            std::string::npos)
            << Lines(json.out)[i + 1];
        const std::string line = sender[i] + ";2026/12/07,18:02:11;" + c.text;
        EXPECT_EQ(archiveLines[i], c.cp1251 ? W(line) : line);
        EXPECT_EQ(Lines(archive.out)[i], "\t" + sender[i] + "\t2026/12/07,18:02:11\tархив\t" +
                                             c.size + "\tсохранено\t" + c.text);
        EXPECT_NE(csv.find("\r\n" + index + "," + sender[i] + ",\"2026/12/07,18:02:11\",входящее," +
                           c.size + ",прочитано," + c.text + "\r\n"),
                  std::string::npos);
    }

    // The text blocks are Windows-1251: what they changed is said, the CSV table named.
    const CliRun blocks = Cli("sms export inbox.txt --folder inbox");
    EXPECT_EQ(blocks.status, 0) << blocks.err;
    EXPECT_EQ(blocks.err, BlocksChangedText(5) + "\n");

    // Sent to the phone and read back: every character as typed.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CliRun sent = Cli("sms send --store-only +79001234567 '" + c.text + "'");
        EXPECT_EQ(sent.status, 0) << sent.err;
        EXPECT_EQ(sent.err, "");
    }
    const CliRun outgoing = Cli("sms list outgoing");
    ASSERT_EQ(outgoing.status, 0) << outgoing.err;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Lines(outgoing.out)[i], std::to_string(i + 7) +
                                              "\t+79001234567\t-------------\tисходящее\t" +
                                              cases[i].size + "\tне отправлено\t" + cases[i].text);
}

// The command line has no language to choose: the text's characters choose the limit, and a
// refusal says which one applied.
TEST_F(SmsCli, TheTextChoosesItsLimit) {
    std::string greek70, greek71;
    for (int i = 0; i < 70; ++i) greek70 += "λ";
    greek71 = greek70 + "λ";
    const struct {
        std::string text;
        int status;
        std::string err;
    } cases[] = {
        {std::string(160, 'a'), 0, ""},
        {std::string(161, 'a'), 2,
         "the text takes 161 places; a message in the GSM 7-bit alphabet holds 160"},
        {std::string(80, '['), 0, ""},
        {std::string(81, '['), 2, "the text takes 162 places"},
        {greek70, 0, ""},
        {greek71, 2,
         "the text has 71 characters; a message holds 70 when a character lies outside the GSM "
         "7-bit alphabet"},
        // An emoji is one character the phone cannot hold: said, then sent as '?'.
        {"Ура 😀", 0,
         "Телефон не хранит 1 символ текста (за пределами UCS2, например эмодзи): в сообщении "
         "вместо него будет «?»."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        phone.edit([](phonesim::PhoneState& s) { s.contents.messages.erase(12); });
        const CliRun run = Cli("sms send --store-only 900 '" + c.text + "'");
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        if (c.status == 0) {
            const std::string stored = phone.state().contents.messages.at(12).text;
            EXPECT_EQ(stored, c.text == "Ура 😀" ? "Ура ?" : c.text);
        }
    }
}

TEST_F(SmsCli, BadWordsSendNothing) {
    const std::string tooLong(161, 'a');
    std::string russian;
    for (int i = 0; i < 71; ++i) russian += "ж";
    for (const std::string& words :
         std::vector<std::string>{"sms",
                                  "sms list",
                                  "sms list bogus",
                                  "sms list inbox more",
                                  "sms send +7911",
                                  "sms send '1\";+CMGD=1;\"' hi",
                                  "sms send +7911 ''",
                                  "sms send +7911 " + tooLong,
                                  "sms send +7911 '" + russian + "'",
                                  "sms send +7911 hi --store-only --delete-after",
                                  "sms send +7911 hi --now",
                                  "sms send-stored",
                                  "sms send-stored x",
                                  "sms delete",
                                  "sms delete 1 2x",
                                  "sms mark-read 1 2",
                                  "sms export f.txt",
                                  "sms export --folder inbox",
                                  "sms export f.txt --folder inbox --format xml",
                                  "sms export f.txt --folder",
                                  "sms frobnicate"}) {
        SCOPED_TRACE(words);
        phone.mark();
        const CliRun run = Cli(words);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_TRUE(phone.since().empty());
    }
}

// Under English the cores' own words come out in English; Cyrillic is left only where the
// phone's data is (a message's text).
TEST_F(SmsCli, TheCoresSpeakEnglishWhenAsked) {
    std::ofstream(dir_ / "notes.ics") << "not a calendar\n";
    const struct {
        std::string words;
        int status;
        std::string out, err;  // what each must hold
        size_t dataFields;     // trailing tab-separated fields of each output line that are data
    } cases[] = {
        {"sms list inbox", 0, "\tincoming\t35\tunread\t", "", 1},
        {"sms send +79001234567 'Hi \xF0\x9F\x8E\x89'", 0, "The message was sent",
         "The phone cannot store 1 character of the text", 0},
        {"datebook import notes.ics", 1, "", "The file is not an iCalendar file.", 0},
    };
    auto cyrillic = [](const std::string& text) {
        return text.find('\xD0') != std::string::npos || text.find('\xD1') != std::string::npos;
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.words, "export ORLIN_LANG=en");
        EXPECT_EQ(run.status, c.status) << c.words << "\n" << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.words << "\n" << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.words << "\n" << run.err;
        EXPECT_FALSE(cyrillic(run.err)) << c.words << "\n" << run.err;
        for (std::string line : Lines(run.out)) {
            for (size_t n = 0; n < c.dataFields && line.rfind('\t') != std::string::npos; ++n)
                line.erase(line.rfind('\t'));
            EXPECT_FALSE(cyrillic(line)) << c.words << "\n" << line;
        }
    }
}

}  // namespace
}  // namespace orlin
