// orlin-cli phonebook list / save / load, run as a program against simulated phones.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "link/phone_session.h"
#include "link/slot_list.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "tests/support/cli_run.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::CliRun;
using test::RecordingInteraction;
using test::SimPhone;

namespace fs = std::filesystem;

class PhonebookCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_pb_cli_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs orlin-cli in the test's own directory (so no portcfg.ini is found).
    // `shell` runs before the program in the same shell (a ulimit, say).
    CliRun Cli(const SimPhone& phone, const std::string& words, int timeoutMs = 1000,
               const std::string& shell = "true") {
        return test::RunCli(dir_, phone.settings.PortName,
                            "--timeout " + std::to_string(timeoutMs) + " " + words, shell + " && ");
    }
    fs::path dir_;
};

TEST_F(PhonebookCli, SaveThenLoadIntoAnEmptyPhoneGivesTheSameList) {
    SimPhone source("C350");
    // An empty phone keeps the categories it came with, so the lists match in every column.
    SimPhone empty("C350", false);

    const CliRun saved = Cli(source, "phonebook save book.csv");
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::string bytes = test::FileBytes(dir_ / "book.csv");
    // Byte for byte the file the window writes.
    {
        PhonebookState state;
        RecordingInteraction interaction;
        PhoneSession session(source.settings);
        ReadPhonebook(session, state, interaction).RaiseFailure();
        EXPECT_EQ(bytes, PhonebookFileText(state.abonents, state.ranges).bytes);
    }

    const CliRun loaded = Cli(empty, "phonebook load book.csv");
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out,
              std::to_string(source.phonebook().size()) + " entries in the phonebook\n");

    const CliRun before = Cli(source, "phonebook list");
    const CliRun after = Cli(empty, "phonebook list");
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(before.out.substr(0, before.out.find('\n')),
              "slot\tstorage\tname\tnumber\ttype\tIDs\ticon\tcategory");
    EXPECT_NE(before.out.find("\tSM\t"), std::string::npos);
    EXPECT_NE(before.out.find("Оксана Їжакевич"), std::string::npos) << "UTF-8 output";
}

TEST_F(PhonebookCli, ASaveThatFailsHalfWayLeavesTheOldBackup) {
    SimPhone phone("C350");
    const std::string old = std::string(3000, 'x') + "\r\n";
    std::ofstream(dir_ / "book.csv", std::ios::binary) << old;
    // Files may grow to 1 KiB only, as on a full disk; the write fails instead of the program
    // (which ignores the signal the limit sends).
    const CliRun run = Cli(phone, "phonebook save book.csv", 1000, "ulimit -f 1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Файл слишком велик"), std::string::npos) << run.err;
    EXPECT_EQ(test::FileBytes(dir_ / "book.csv"), old);
    EXPECT_FALSE(fs::exists(dir_ / "book.csv.tmp"));
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().extension(), entry.path().filename() == "book.csv" ? ".csv" : ".txt")
            << entry.path();
}

TEST_F(PhonebookCli, ListLineOfOneEntry) {
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+7911";
        e.numberFormat = 145;
        e.name = "Іван";
        e.type = 3;
        e.ids = 7;
        e.category = 1;
        e.icon = 3;
        s.contents.categories[1] = {"Сім'я", 0};
        s.contents.phonebook[12] = e;
    });
    const CliRun run = Cli(phone, "phonebook list");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "slot\tstorage\tname\tnumber\ttype\tIDs\ticon\tcategory\n"
              "12\tME\tІван\t+7911\tМобильный\t7\tробот\tСім'я\n");
}

TEST_F(PhonebookCli, TimeoutWhileLoadingStopsUnlessYes) {
    SimPhone phone("C350", false);
    std::ofstream(dir_ / "two.csv", std::ios::binary) << "PHONE;3;A;+1;2;0;255;0;1;1;255;255;0\r\n"
                                                         "PHONE;4;B;+2;2;0;255;0;1;1;255;255;0\r\n";
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+MPBW=3,";
    phone.sim().setFaults(faults);

    const CliRun stopped = Cli(phone, "phonebook load two.csv", 300);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("Продолжить запись?"), std::string::npos) << stopped.err;
    // Stopped at the first entry: the second was never sent, and is not counted as refused.
    EXPECT_NE(stopped.err.find("Of 2 entries in the file the phone took 0, did not take 1 "
                               "(slots 3), and 1 were never sent."),
              std::string::npos)
        << stopped.err;
    EXPECT_EQ(phone.phonebook().count(4), 0u);

    const CliRun yes = Cli(phone, "--yes phonebook load two.csv", 300);
    EXPECT_EQ(yes.status, 1) << "slot 3 was not taken";
    EXPECT_NE(yes.err.find("Of 2 entries in the file the phone took 1, did not take 1 (slots 3), "
                           "and 0 were never sent."),
              std::string::npos)
        << yes.err;
    EXPECT_EQ(phone.phonebook().count(4), 1u);
    EXPECT_EQ(yes.out, "1 entries in the phonebook\n");
}

// A hang-up after the second write of a load: the entries taken, the one whose answer never came
// and those never sent are told apart, and the port's failure follows.
TEST_F(PhonebookCli, ALoadThatLosesThePhoneSaysWhatWentIn) {
    std::ofstream file(dir_ / "five.csv", std::ios::binary);
    for (int slot = 3; slot <= 7; ++slot)
        file << "PHONE;" << slot << ";A;+" << slot << ";2;0;255;0;1;1;255;255;0\r\n";
    file.close();
    size_t secondWrite = 0;
    {
        SimPhone clean("C350", false);
        ASSERT_EQ(Cli(clean, "phonebook load five.csv").status, 0);
        const std::vector<std::string> log = clean->commandLog();
        for (int writes = 0; secondWrite < log.size() && writes < 2; ++secondWrite)
            if (log[secondWrite].rfind("AT+MPBW=", 0) == 0) ++writes;
    }
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.faults.hangUpAfterCommands = static_cast<int>(secondWrite);
    SimPhone phone(options);
    const CliRun run = Cli(phone, "phonebook load five.csv");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Of 5 entries in the file the phone took 2, did not take 0, did not "
                           "answer for slot 5, and 2 were never sent."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(phone.phonebook().size(), 2u);
}

TEST_F(PhonebookCli, ARefusalWithANumberReadsAsError) {
    // Every phone refuses the index ranges; one with plain ERROR, one with +CME ERROR: 10.
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MPBR=?";
    SimPhone plain("C350");
    plain.sim().setFaults(faults);
    faults.errorLine = "+CME ERROR: 10";
    SimPhone numbered("C350");
    numbered.sim().setFaults(faults);
    const CliRun expected = Cli(plain, "phonebook list");
    const CliRun got = Cli(numbered, "phonebook list");
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.err, expected.err);
    EXPECT_EQ(got.err, "'' is not a valid integer value\n");
}

TEST_F(PhonebookCli, LoadingAUtf8FileAndABusyPort) {
    SimPhone phone("C350", false);
    std::ofstream(dir_ / "utf8.csv", std::ios::binary)
        << "PHONE;3;Юрій Тест;+380441234567;2;0;255;0;1;1;255;255;0\r\n";
    const CliRun loaded = Cli(phone, "phonebook load utf8.csv");
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    // Said once, among the progress lines.
    const std::string note = "Файл прочитан как UTF-8.\n";
    const size_t at = loaded.err.find(note);
    EXPECT_NE(at, std::string::npos) << loaded.err;
    EXPECT_EQ(loaded.err.find(note, at + 1), std::string::npos) << loaded.err;
    EXPECT_EQ(phone.phonebook().at(3).name, "Юрій Тест");
    EXPECT_NE(Cli(phone, "phonebook list").out.find("\tЮрій Тест\t"), std::string::npos);

    // Held by another port object: its own text, not "не подключен".
    TBlockSerial holder;
    holder.OpenPort(phone.settings.PortName);
    const CliRun busy = Cli(phone, "phonebook load utf8.csv");
    EXPECT_EQ(busy.status, 1);
    EXPECT_EQ(busy.err, "Устройство или ресурс занят\n");
}

TEST_F(PhonebookCli, WrongWordsAndEmptyPhonebook) {
    SimPhone phone("C350", false);
    EXPECT_EQ(Cli(phone, "phonebook").status, 2);
    EXPECT_EQ(Cli(phone, "phonebook save").status, 2);
    EXPECT_EQ(Cli(phone, "phonebook frobnicate x").status, 2);
    const CliRun empty = Cli(phone, "phonebook save none.csv");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("Список пуст"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "none.csv"));
    const CliRun missing = Cli(phone, "phonebook load nothing.csv");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "nothing.csv: File not found\n");
}

// Python's vobject, when Debian's python3-vobject is installed: an independent reader.
bool HaveVobject() {
    return std::system("/usr/bin/python3 -c 'import vobject' >/dev/null 2>&1") == 0;
}

TEST_F(PhonebookCli, VCardExportReadsElsewhereAndImportsIntoAnEmptyPhoneAsTheSameList) {
    SimPhone source("C350");
    SimPhone empty("C350", false);
    const CliRun exported = Cli(source, "phonebook export book.vcf");
    ASSERT_EQ(exported.status, 0) << exported.err;
    const CliRun before = Cli(source, "phonebook list");
    ASSERT_EQ(before.status, 0) << before.err;

    // Every entry of the list is one TEL or EMAIL of the card of its name.
    std::vector<std::string> expected;
    std::istringstream lines(before.out.substr(before.out.find('\n') + 1));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
        expected.push_back(cells[2] + "|" + cells[3]);
    }
    std::sort(expected.begin(), expected.end());
    if (HaveVobject()) {
        std::ofstream(dir_ / "read.py") << R"(import sys, vobject
rows = []
for card in vobject.readComponents(open(sys.argv[1], encoding='utf-8').read()):
    for line in card.contents.get('tel', []) + card.contents.get('email', []):
        rows.append(card.fn.value + '|' + line.value)
print('\n'.join(sorted(rows)))
)";
        const CliRun read = test::RunInFolder(dir_, "/usr/bin/python3 read.py book.vcf");
        ASSERT_EQ(read.status, 0) << read.err;
        std::string joined;
        for (const std::string& e : expected) joined += e + "\n";
        EXPECT_EQ(read.out, joined);
    } else {
        std::cout << "[ SKIPPED  ] the check by Python's vobject: python3-vobject is not "
                     "installed (scripts/install-deps.sh installs it)\n";
    }

    const CliRun imported = Cli(empty, "phonebook import book.vcf");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.err.find("vCard"), std::string::npos) << "no warning: " << imported.err;
    const CliRun after = Cli(empty, "phonebook list");
    EXPECT_EQ(after.out, before.out);
}

TEST_F(PhonebookCli, VCardImportWithTooFewFreeSlotsWritesNothingUnlessYes) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.meLast = 2;
    options.smSize = 1;
    SimPhone phone(options);
    std::ofstream(dir_ / "three.vcf", std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;John\r\nTEL;CELL:1\r\nTEL;HOME:2\r\n"
           "TEL;WORK:3\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Nobody\r\nEND:VCARD\r\n";
    phone.mark();
    const CliRun refused = Cli(phone, "phonebook import three.vcf");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("1 are missing"), std::string::npos) << refused.err;
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());

    const CliRun forced = Cli(phone, "--yes phonebook import three.vcf");
    EXPECT_EQ(forced.status, 1);
    EXPECT_EQ(forced.out, "2 entries imported from 2 cards\n");
    EXPECT_NE(forced.err.find("John Doe, 3: нет свободной ячейки"), std::string::npos)
        << forced.err;
    EXPECT_NE(forced.err.find("Nobody: в карточке нет ни номера"), std::string::npos);
    EXPECT_EQ(phone.phonebook().size(), 2u);
}

// A file must never make the phone run a command: a lone CR in a number (and a quote or ";"
// in a vCard number) is refused with the file and line named, before anything is sent.
TEST_F(PhonebookCli, NoCommandFromAFile) {
    SimPhone phone("C350");
    const auto before = phone.state().contents;
    std::ofstream(dir_ / "bad.txt", std::ios::binary)
        << "PHONE;1;Ann;+7911;3;0;255;0;1;1;255;255;0\r\n"
           "PHONE;2;Bad;123\rAT+CMGD=1\rAT+MPBW=2\rAT;3;0;255;0;1;1;255;255;0\r\n";
    phone.mark();
    const CliRun load = Cli(phone, "--yes phonebook load bad.txt");
    EXPECT_EQ(load.status, 1);
    EXPECT_NE(load.err.find("bad.txt, строка 2: номер: недопустимый знак CR (13)"),
              std::string::npos)
        << load.err;
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    EXPECT_TRUE(phone.sinceStarting("AT+CMGD").empty());
    EXPECT_EQ(phone.state().contents, before);

    // vCard numbers: formatting cleaned, anything else refused.
    SimPhone empty("C350", false);
    std::ofstream(dir_ / "odd.vcf", std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nTEL:+1 (555) 010-0100\r\n"
           "TEL:12\"3\r\nTEL:9\\;AT+CMGD=1\r\nEND:VCARD\r\n";
    empty.mark();
    const CliRun imported = Cli(empty, "phonebook import odd.vcf");
    EXPECT_EQ(imported.out, "1 entries imported from 1 cards\n") << imported.err;
    EXPECT_NE(imported.err.find("Ann, 12\"3: это не номер телефона"), std::string::npos)
        << imported.err;
    EXPECT_NE(imported.err.find("Ann, 9;AT+CMGD=1: это не номер телефона"), std::string::npos);
    ASSERT_EQ(empty.phonebook().size(), 1u);
    EXPECT_EQ(empty.phonebook().begin()->second.number, "+15550100100");
    for (const std::string& command : empty.sinceStarting("AT+MPBW"))
        EXPECT_EQ(command.find_first_of(";\r"), std::string::npos) << command;
}

// Numbers of another address book go in in international form where they can be read so:
// national ones as dialled in --region (or the locale's region), the rest cleaned; addresses as
// they are. A region that is none is refused before the phone is asked.
TEST_F(PhonebookCli, ImportedNumbersGoInInInternationalFormWhereTheRegionIsKnown) {
    std::ofstream(dir_ / "mixed.vcf", std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nTEL;TYPE=HOME:030 1234567\r\n"
           "TEL;TYPE=CELL:+44 (0)20 7946 0000\r\nTEL:112\r\nTEL:*100#\r\n"
           "TEL:0049 (89) 12345-678\r\nEMAIL:Ann.B@example.org\r\nEND:VCARD\r\n";
    const struct {
        const char* words;
        const char* environment;
        std::vector<std::string> numbers;
    } cases[] = {
        {"--region de",
         "LANG=C",
         {"+49301234567", "+442079460000", "112", "*100#", "+498912345678", "Ann.B@example.org"}},
        {"",
         "LC_ALL= LC_TELEPHONE= LANG=de_DE.UTF-8",
         {"+49301234567", "+442079460000", "112", "*100#", "+498912345678", "Ann.B@example.org"}},
        {"--region=GB",
         "LANG=de_DE.UTF-8",
         {"+44301234567", "+442079460000", "112", "*100#", "+498912345678", "Ann.B@example.org"}},
        {"",
         "LC_ALL=C",
         {"0301234567", "+442079460000", "112", "*100#", "00498912345678", "Ann.B@example.org"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.words) + " " + c.environment);
        SimPhone empty("C350", false);
        const CliRun run = Cli(empty, std::string("phonebook import mixed.vcf ") + c.words, 1000,
                               std::string("export ") + c.environment);
        ASSERT_EQ(run.status, 0) << run.err;
        std::vector<std::string> numbers;
        for (const auto& [slot, entry] : empty.phonebook()) numbers.push_back(entry.number);
        EXPECT_EQ(numbers, c.numbers);
    }
    // A number the phone holds in national form is the file's number in international form.
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry entry;
        entry.name = "Ann";
        entry.number = "0301234567";
        s.contents.phonebook[5] = entry;
    });
    const CliRun again = Cli(phone, "phonebook import mixed.vcf --region DE");
    EXPECT_NE(again.out.find(", 1 already in the phone"), std::string::npos) << again.out;
    EXPECT_EQ(phone.phonebook().size(), 6u);
    for (const char* words :
         {"--region", "--region DEU", "--region=1A", "--region DE --region DE", "--region ZZ"}) {
        SCOPED_TRACE(words);
        phone.mark();
        const CliRun run = Cli(phone, std::string("phonebook import mixed.vcf ") + words);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find("--region"), std::string::npos) << run.err;
        EXPECT_TRUE(phone.since().empty());
    }
}

// An import stopped by a hang-up after any of its writes says which entries went in and which
// were never sent; the same import run again writes only the rest, never a duplicate.
TEST_F(PhonebookCli, AnImportStoppedAnywhereSaysWhatWentInAndARerunAddsNoDuplicate) {
    std::ofstream cards(dir_ / "twelve.vcf", std::ios::binary);
    for (int i = 1; i <= 12; ++i)
        cards << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Person " << i << "\r\nTEL:+7900" << i
              << "\r\nEND:VCARD\r\n";
    cards.close();
    size_t writingFrom = 0, total = 0;
    {
        SimPhone phone("C350", false);
        phone.mark();
        ASSERT_EQ(Cli(phone, "phonebook import twelve.vcf").status, 0);
        const auto commands = phone.since();
        total = commands.size();
        while (writingFrom < total && commands[writingFrom].rfind("AT+MPBW=", 0) != 0)
            ++writingFrom;
        ASSERT_EQ(total - writingFrom, 12u);
    }
    for (size_t k = writingFrom - 2; k < total; ++k) {
        SCOPED_TRACE("hang-up after " + std::to_string(k));
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
        options.faults.hangUpAfterCommands = static_cast<int>(k);
        SimPhone phone(options);
        const CliRun run = Cli(phone, "phonebook import twelve.vcf");
        EXPECT_EQ(run.status, 1);
        const auto held = phone.phonebook();
        // "... 5 went in (slots 1-5), ... 7 were never sent (slots 6-12)"
        std::vector<int> heldSlots;
        for (const auto& [slot, entry] : held) heldSlots.push_back(slot);
        const std::string slots = SlotList(heldSlots);
        if (!held.empty()) {
            EXPECT_NE(
                run.err.find(" " + std::to_string(held.size()) + " went in (slots " + slots + ")"),
                std::string::npos)
                << run.err;
        }
        if (held.size() < 12) {
            EXPECT_TRUE(run.err.find("never sent") != std::string::npos ||
                        run.err.find("did not answer for slot") != std::string::npos)
                << run.err;
        }

        SimPhone again("C350", false);
        again.edit([&](phonesim::PhoneState& s) { s.contents.phonebook = held; });
        const CliRun rerun = Cli(again, "phonebook import twelve.vcf");
        EXPECT_EQ(rerun.status, 0) << rerun.err;
        std::set<std::string> numbers;
        for (const auto& [slot, entry] : again.phonebook()) numbers.insert(entry.number);
        EXPECT_EQ(again.phonebook().size(), 12u);
        EXPECT_EQ(numbers.size(), 12u);
        if (!held.empty()) {
            EXPECT_NE(rerun.out.find(std::to_string(held.size()) + " already in the phone"),
                      std::string::npos)
                << rerun.out;
        }
    }
}

// Phone data never reaches the terminal as control characters, and one row stays one line.
TEST_F(PhonebookCli, TheListShowsNoControlCharactersFromThePhone) {
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+7911";
        e.numberFormat = 145;
        e.name =
            "A\tB\x1b]0;owned\x07"
            "C\r\nD";
        s.contents.phonebook[12] = e;
    });
    const CliRun run = Cli(phone, "phonebook list");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1).find("12\tME\tA B?]0;owned?C  D\t+7911\t"), 0u)
        << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
}

}  // namespace
}  // namespace orlin
