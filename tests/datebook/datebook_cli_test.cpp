// orlin-cli datebook, run as a program against simulated phones.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

class DatebookCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_db_cli_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // `before` runs first in the same shell ("ulimit ...").
    CliRun Cli(const SimPhone& phone, const std::string& words, int timeoutMs = 1000,
               const std::string& before = "") {
        return test::RunCli(dir_, phone.settings.PortName,
                            "--timeout " + std::to_string(timeoutMs) + " " + words,
                            (before.empty() ? "" : before + " && ") + "TZ=MSK-3 ");
    }
    // The list without its slot column.
    std::string Columns(const std::string& list) {
        std::string out;
        size_t start = 0;
        while (start < list.size()) {
            const size_t end = list.find('\n', start);
            out += list.substr(list.find('\t', start), end - list.find('\t', start) + 1);
            start = end + 1;
        }
        return out;
    }
    fs::path dir_;
};

TEST_F(DatebookCli, ExportThenImportIntoAnEmptyPhoneListsTheSameEvents) {
    SimPhone source("C350");
    SimPhone empty("C350", false);
    const CliRun exported = Cli(source, "datebook export book.ics");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "12 events exported to book.ics\n");
    const CliRun imported = Cli(empty, "datebook import book.ics");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "12 of 12 events imported\n");

    const CliRun first = Cli(source, "datebook list");
    const CliRun second = Cli(empty, "datebook list");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out.substr(0, first.out.find('\n')),
              "0\tПланёрка\t09:30\t09:15\t12-07-2026\t60\tеженедельно\tвкл.");
    EXPECT_NE(first.err.find("Свободно: 97.6%"), std::string::npos);
    // Standard error is no terminal here: progress only when --progress asks for it.
    EXPECT_EQ(first.err.find("reading"), std::string::npos) << first.err;
    const CliRun shown = Cli(source, "--progress datebook list");
    EXPECT_NE(shown.err.find("reading: 501/501\n"), std::string::npos) << shown.err;
    EXPECT_EQ(Columns(second.out), Columns(first.out));
}

TEST_F(DatebookCli, AnExportThatFailsHalfWayLeavesTheOldFile) {
    SimPhone phone("C350");
    const std::string old = "BEGIN:VCALENDAR\r\n" + std::string(3000, 'o') + "\r\n";
    std::ofstream(dir_ / "book.ics", std::ios::binary) << old;
    const CliRun run = Cli(phone, "datebook export book.ics", 1000, test::kShellFileSizeLimit);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Файл слишком велик"), std::string::npos) << run.err;
    EXPECT_EQ(test::FileBytes(dir_ / "book.ics"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);  // and out.txt, err.txt
}

TEST_F(DatebookCli, AddEditDeleteAndAutodelete) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", true);
    options.datebookLastSlot = 20;
    SimPhone phone(options);
    CliRun run = Cli(phone, "datebook add --title 'Ночь' --date 2027-03-01 --time 00:10");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "3\n");  // slots 0, 1 and 2 hold events
    auto event = phone.state().contents.events.at(3);
    EXPECT_EQ(event.alarmTime, "23:55");
    EXPECT_EQ(event.alarmDate, "02-28-2027");
    EXPECT_EQ(event.duration, 60);
    EXPECT_EQ(event.repeat, 0);

    // Options not given keep the event's values, the lead too.
    run = Cli(phone, "datebook edit 3 --title=Утро --repeat monthly-weekday --duration 90");
    ASSERT_EQ(run.status, 0) << run.err;
    event = phone.state().contents.events.at(3);
    EXPECT_EQ(event.title, "Утро");
    EXPECT_EQ(event.alarmDate, "02-28-2027");
    EXPECT_EQ(event.alarmTime, "23:55");
    EXPECT_EQ(event.repeat, 3);
    EXPECT_EQ(event.duration, 90);

    run = Cli(phone, "datebook delete 3 0");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "3\n0\n");
    EXPECT_EQ(phone.state().contents.events.count(3) + phone.state().contents.events.count(0), 0u);

    // An empty slot is named, not reported deleted; a title too long for the phone is refused
    // as soon as the range answer tells its length, before a slot is read.
    run = Cli(phone, "datebook delete 3 1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1\n");
    EXPECT_EQ(run.err, "Slot 3 was empty: there was no event to delete.\n");
    phone.mark();
    run = Cli(phone,
              "datebook add --title " + std::string(65, 'x') + " --date 2027-03-01 --time 00:10");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("the title has 65 characters; the phone takes at most 64"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(phone.sinceStarting("AT+MDBR=0").empty());
    EXPECT_EQ(phone.since().back(), "AT+MDBL=0");

    EXPECT_EQ(Cli(phone, "datebook autodelete 8").status, 0);
    EXPECT_EQ(phone.state().contents.autoDeleteWeeks, 8);
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBAD";
    faults.errorLine = "+CME ERROR: 4";
    phone->setFaults(faults);
    run = Cli(phone, "datebook autodelete never");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "Телефон не принял настройку автоудаления \"никогда не удалять\".\r\n"
              "Ответ телефона: +CME ERROR: 4\n");

    // A time-out comes after the time the option gives.
    faults = {};
    faults.silentOn = "AT+MDBR=?";
    phone->setFaults(faults);
    run = Cli(phone, "datebook list", 200);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Ошибка по таймауту"), std::string::npos);
}

TEST_F(DatebookCli, BadInputIsAUsageErrorAndNothingIsSent) {
    SimPhone phone("C350");
    const char* const lines[] = {
        "datebook add --title T --date 2004-02-30 --time 10:00",
        "datebook add --title T --date 2004-02-03 --time 25:00",
        "datebook add --title T --date 03.02.2004 --time 10:00",
        "datebook add --title T --date 2004-02-03 --time 10:00 --repeat fortnightly",
        "datebook add --title T --date 2004-02-03 --time 10:00 --duration 0",
        "datebook add --title T --date 2004-02-03 --time 10:00 --lead 1441",
        "datebook add --title T --date 2004-02-03 --time 10:00 --alarm maybe",
        "datebook add --title '' --date 2004-02-03 --time 10:00",
        "datebook add --date 2004-02-03 --time 10:00",
        "datebook add --title T --date 2004-02-03 --time 10:00 --colour red",
        "datebook edit 10000 --title T",
        "datebook edit -1",
        "datebook edit",
        "datebook delete 3 x",
        "datebook autodelete 3",
        "datebook export",
        "datebook list extra",
        "datebook frobnicate",
    };
    phone.mark();
    for (const char* line : lines) {
        const CliRun run = Cli(phone, line);
        EXPECT_EQ(run.status, 2) << line << "\n" << run.err;
        EXPECT_NE(run.err.find("Usage"), std::string::npos) << line;
    }
    EXPECT_TRUE(phone.since().empty());
}

}  // namespace
}  // namespace orlin
