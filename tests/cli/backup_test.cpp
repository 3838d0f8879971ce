// orlin-cli backup and restore, run as a program against simulated phones.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
namespace fs = std::filesystem;

class Backup : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_backup_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words);
    }
    // The lines of `datebook list` without their slot column.
    std::string EventsWithoutSlots(const SimPhone& phone) {
        const CliRun run = Cli(phone, "datebook list");
        EXPECT_EQ(run.status, 0) << run.err;
        std::istringstream lines(run.out);
        std::string out;
        for (std::string line; std::getline(lines, line);)
            out += line.substr(line.find('\t')) + "\n";
        return out;
    }
    fs::path dir_;
};

TEST_F(Backup, TheSeededPhoneRestoresIntoAnEmptyOne) {
    SimPhone source("C350");
    SimPhone empty("C350", false);
    const CliRun saved = Cli(source, "backup copy");
    ASSERT_EQ(saved.status, 0) << saved.err;
    const fs::path copy = dir_ / "copy";
    for (const char* name :
         {"phone.txt", "phonebook.txt", "phonebook.vcf", "datebook.ics", "messages.csv"})
        EXPECT_GT(fs::file_size(copy / name), 0u) << name;
    EXPECT_FALSE(fs::exists(copy / "MISSING.txt"));
    const std::string phone = test::FileBytes(copy / "phone.txt");
    EXPECT_NE(phone.find("Model: C350\r\n"), std::string::npos) << phone;
    EXPECT_NE(phone.find("Serial number: 35"), std::string::npos) << phone;
    EXPECT_NE(test::FileBytes(copy / "messages.csv").find("\r\ninbox,"), std::string::npos);
    int archives = 0;
    for (const auto& entry : fs::directory_iterator(copy))
        archives += entry.path().filename().string().rfind("sms_", 0) == 0;
    EXPECT_EQ(archives, 1);
    EXPECT_EQ(Cli(source, "backup copy").status, 1) << "a backup goes into a new folder";

    const CliRun restored = Cli(empty, "restore copy");
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_NE(restored.out.find("Messages are not written back"), std::string::npos);
    EXPECT_EQ(Cli(empty, "phonebook list").out, Cli(source, "phonebook list").out);
    EXPECT_EQ(EventsWithoutSlots(empty), EventsWithoutSlots(source));

    // The phone holds what it was given now: without --yes nothing is replaced.
    empty.mark();
    const CliRun asked = Cli(empty, "restore copy");
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("Replace? no (give --yes"), std::string::npos) << asked.err;
    EXPECT_TRUE(empty.sinceStarting("AT+MPBW").empty());
    EXPECT_TRUE(empty.sinceStarting("AT+MDBW").empty());
}

TEST_F(Backup, AHangUpHalfWayLeavesAFileSayingWhatIsMissing) {
    // Where the datebook's read begins in a whole backup.
    size_t datebookStart = 0;
    {
        SimPhone phone("C350");
        phone.mark();
        ASSERT_EQ(Cli(phone, "backup whole").status, 0);
        const std::vector<std::string> commands = phone.since();
        while (datebookStart < commands.size() && commands[datebookStart].rfind("AT+MDB", 0) != 0)
            ++datebookStart;
        ASSERT_LT(datebookStart, commands.size());
    }
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.faults.hangUpAfterCommands = static_cast<int>(datebookStart) + 5;
    SimPhone phone(options);
    const CliRun run = Cli(phone, "backup half");
    EXPECT_EQ(run.status, 1);
    const std::string missing = test::FileBytes(dir_ / "half" / "MISSING.txt");
    EXPECT_NE(missing.find("is not complete. It stopped with: "), std::string::npos) << missing;
    EXPECT_NE(missing.find("Missing:\r\n  datebook.ics\r\n  messages.csv\r\n  the message archive"),
              std::string::npos)
        << missing;
    EXPECT_TRUE(fs::exists(dir_ / "half" / "phonebook.vcf"));
    EXPECT_FALSE(fs::exists(dir_ / "half" / "datebook.ics"));
    EXPECT_NE(run.err.find("Missing:"), std::string::npos);
}

// A restore that the phone interrupts says slot by slot what it did and what not, and exits
// with 3; the phone's old content is in the copy beside the backup.
TEST_F(Backup, AnInterruptedRestoreNamesItsSlotsAndExitsWith3) {
    SimPhone source("C350");
    ASSERT_EQ(Cli(source, "backup copy").status, 0);
    const auto diverge = [](phonesim::PhoneState& s) {
        s.contents.phonebook[3].name = "Three";
        s.contents.phonebook[5].name = "Five";
        s.contents.phonebook[800] = s.contents.phonebook[1];
    };
    size_t afterFirstWrite = 0;
    {
        SimPhone phone("C350");
        phone.edit(diverge);
        phone.mark();
        const CliRun run = Cli(phone, "--yes restore copy");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("  written: 2 (slots 3, 5)\n"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("  removed (not in the backup): 1 (slots 800)\n"),
                  std::string::npos);
        const auto commands = phone.since();
        while (afterFirstWrite < commands.size() &&
               commands[afterFirstWrite].rfind("AT+MPBW=3,", 0) != 0)
            ++afterFirstWrite;
        ++afterFirstWrite;
    }
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.faults.hangUpAfterCommands = static_cast<int>(afterFirstWrite);
    SimPhone phone(options);
    phone.edit(diverge);
    const CliRun run = Cli(phone, "--yes restore copy");
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.out.find("  written: 1 (slots 3)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Phonebook, slot 5: the phone did not answer"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Phonebook, not removed (still on the phone): slots 800"),
              std::string::npos);
    EXPECT_NE(run.err.find("The restore is partial"), std::string::npos);
    EXPECT_EQ(phone.phonebook()[5].name, "Five");
    EXPECT_EQ(phone.phonebook().count(800), 1u);
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(dir_))
        copies += entry.path().filename().string().rfind("before-restore-", 0) == 0;
    EXPECT_EQ(copies, 2) << "one for each restore that changed the phone";
}

// A backup with MISSING.txt is partial: restored only with --partial.
TEST_F(Backup, APartialBackupNeedsPartial) {
    SimPhone source("C350");
    ASSERT_EQ(Cli(source, "backup copy").status, 0);
    std::ofstream(dir_ / "copy" / "MISSING.txt") << "Missing: messages.csv\r\n";
    SimPhone empty("C350", false);
    empty.mark();
    const CliRun refused = Cli(empty, "restore copy");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Missing: messages.csv"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("give --partial"), std::string::npos);
    EXPECT_TRUE(empty.since().empty());
    const CliRun restored = Cli(empty, "restore copy --partial");
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(empty.phonebook().size(), 42u);
    EXPECT_EQ(Cli(empty, "restore copy --whole").status, 2);
}

// Under English the cores' own texts reach the user in English: a broken backup's refusal with
// its count, the clock's report and a port that is no serial port. Only phone data may stay
// Cyrillic, and these outputs hold none.
TEST_F(Backup, TheCoresSpeakEnglishUnderEnglish) {
    SimPhone source("C350");
    ASSERT_EQ(Cli(source, "backup copy").status, 0);
    const std::string book = test::FileBytes(dir_ / "copy" / "phonebook.txt");
    const auto english = [&](const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words,
                            "ORLIN_LANG=en ");
    };
    const struct {
        const char* name;
        std::string phonebook;  // written over the copy's phonebook.txt; "" keeps it
        std::string words;
        int status;
        std::string expected;  // found in the error output, or else in the output
    } cases[] = {
        {"a line lost", book.substr(book.find("\r\n") + 2), "--yes restore copy", 1,
         "phonebook.txt: entries in the file: 41, but phone.txt says 42"},
        {"an unrelated file", "Dear diary,\r\n", "--yes restore copy", 1,
         "phonebook.txt: the file holds no entries (no PHONE or SIM lines): it is not a "
         "phonebook file"},
        {"the clock set", "", "clock --sync", 0, "Date and time synchronized."},
        {"no serial port", "", "ports /dev/null", 1, "not a serial port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.phonebook.empty()) std::ofstream(dir_ / "copy" / "phonebook.txt") << c.phonebook;
        SimPhone phone("C350");
        const CliRun run = english(phone, c.words);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE((run.err + run.out).find(c.expected), std::string::npos) << run.err << run.out;
        for (const std::string& text : {run.out, run.err})
            for (size_t i = 0; i + 1 < text.size(); ++i)
                ASSERT_FALSE(text[i] == '\xD0' || text[i] == '\xD1') << "Cyrillic left: " << text;
    }
}

}  // namespace
}  // namespace orlin
