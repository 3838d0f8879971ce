// orlin-cli sms, run as a program against the simulated C350.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "messages/message_archive.h"
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

}  // namespace
}  // namespace orlin
