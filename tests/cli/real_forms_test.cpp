// orlin-cli against simulated phones that answer in the forms real phones use: every list verb
// prints what it prints for the same contents in the default form, the writes go out in the
// form the phone took, and --log writes the same dialogue the phone's own log holds.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
namespace fs = std::filesystem;
using phonesim::RealForms;

class RealFormsCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_forms_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const SimPhone& phone, const std::string& words, const fs::path& in = {}) {
        return test::RunCli(in.empty() ? dir_ : in, phone.settings.PortName,
                            "--timeout 1000 " + words);
    }
    static phonesim::PhoneSimOptions Options(const std::string& model, const RealForms& forms) {
        phonesim::PhoneSimOptions options = test::PhoneOptions(model);
        options.forms = forms;
        return options;
    }
    fs::path dir_;
};

// Each form of a real phone, alone, and all of them at once: the list verbs print exactly what
// they print for the phone in the default form, with exit status 0.
TEST_F(RealFormsCli, EveryListVerbPrintsTheSameContentsInEveryForm) {
    const std::vector<std::string> verbs = {
        "datebook list",   "datebook list --quick", "phonebook list",
        "sms list inbox",  "sms list outgoing",     "sms list sent",
        "sms list drafts", "sms list archive",      "clock"};
    std::map<std::string, std::string> expected;
    {
        SimPhone plain(Options("V300", {}));
        for (const std::string& verb : verbs) {
            const CliRun run = Cli(plain, verb);
            ASSERT_EQ(run.status, 0) << verb << ": " << run.err;
            expected[verb] = run.out;
        }
    }
    const auto with = [](const std::function<void(RealForms&)>& set) {
        RealForms forms;
        set(forms);
        return forms;
    };
    const struct {
        const char* name;
        RealForms forms;
        const char* model;
    } cases[] = {
        {"slots count", with([](RealForms& f) { f.datebookSlotsCount = true; }), "V300"},
        {"quoted texts", with([](RealForms& f) { f.quotedTexts = true; }), "V300"},
        {"extended datebook", with([](RealForms& f) { f.extendedDatebook = true; }), "V300"},
        {"no datebook lock", with([](RealForms& f) { f.noDatebookLock = true; }), "V300"},
        {"mode 2", with([](RealForms& f) { f.needsMode = 2; }), "V300"},
        {"quoted arguments", with([](RealForms& f) { f.quotedArgs = true; }), "V300"},
        {"ranges of 15", with([](RealForms& f) { f.maxRange = 15; }), "V300"},
        {"tight headers", with([](RealForms& f) { f.tightHeaders = true; }), "V300"},
        {"alpha field", with([](RealForms& f) { f.alphaField = true; }), "V300"},
        {"field after the date", with([](RealForms& f) { f.fieldAfterDate = true; }), "V300"},
        {"serial without IMEI", with([](RealForms& f) { f.plainSerial = true; }), "V300"},
        {"a V3", {}, "V3"},
        {"all at once", phonesim::AllRealForms(), "V3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimPhone phone(Options(c.model, c.forms));
        for (const std::string& verb : verbs) {
            const CliRun run = Cli(phone, verb);
            EXPECT_EQ(run.status, 0) << verb << ": " << run.err;
            if (verb != "clock") {
                EXPECT_EQ(run.out, expected[verb]) << verb;
            }
        }
    }
}

// The archive of a phone whose serial number comes without "IMEI" has the same name.
TEST_F(RealFormsCli, AnArchiveIsNamedAfterTheSameDigitsInBothSerialForms) {
    RealForms plainSerial;
    plainSerial.plainSerial = true;
    for (const RealForms& forms : {RealForms{}, plainSerial}) {
        SimPhone phone(Options("C350", forms));
        fs::remove_all(dir_ / "sms_789012.txt");
        const CliRun run = Cli(phone, "sms list inbox");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find("серийный"), std::string::npos) << run.err;
        EXPECT_TRUE(fs::exists(dir_ / "sms_789012.txt"));
    }
}

// The datebook's forms on the way back: an untimed event stays untimed, an extended line keeps
// its own fields, a phone that counts its slots never gets its last number written into, and
// a phone without a lock is written without one.
TEST_F(RealFormsCli, DatebookWritesKeepWhatThePhoneSent) {
    RealForms forms;
    forms.extendedDatebook = true;
    forms.noDatebookLock = true;
    forms.datebookSlotsCount = true;
    phonesim::PhoneSimOptions options = Options("C650", forms);
    options.seeded = false;
    options.datebookLastSlot = 1;  // "+MDBR: 2,...": slots 0 and 1
    SimPhone phone(options);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::DatebookEvent e;
        e.title = "Holiday";
        e.firstFlag = 0;  // untimed
        e.startTime = "00:00";
        e.startDate = "01-07-2027";
        e.duration = 2880;
        e.extendedTail = {"7", "0", "\"x\"", "0", "255", "0", "0", "0", "1"};
        s.contents.events[0] = e;
    });
    const CliRun list = Cli(phone, "datebook list");
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "0\tHoliday\t\t00:00\t01-07-2027\t2880\tнет\tвыкл.\n");
    EXPECT_NE(list.err.find("Телефон не поддерживает блокировку ежедневника; чтение без "
                            "блокировки."),
              std::string::npos)
        << list.err;
    EXPECT_NE(list.err.find("Свободно: 50%"), std::string::npos) << list.err;

    phone.mark();
    const CliRun edit = Cli(phone, "datebook edit 0 --title Holidays");
    ASSERT_EQ(edit.status, 0) << edit.err;
    const auto written = phone.sinceStarting("AT+MDBW=");
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0],
              "AT+MDBW=0,0048006F006C00690064006100790073,0,0,\"00:00\",\"01-07-2027\",,"
              "\"00:00\",\"00-00-2000\",0,\"00:00\",\"01-09-2027\",7,0,\"x\",0,255,0,0,0,1");
    EXPECT_TRUE(phone.sinceStarting("AT+MDBL").size() == 4u);  // two tries a session, no unlock
    EXPECT_EQ(phone.state().contents.events.at(0).firstFlag, 0);
    EXPECT_EQ(phone.state().contents.events.at(0).duration, 2880);

    // Slot 1 is free; slot 2 does not exist, whatever the range answer said.
    EXPECT_EQ(Cli(phone, "datebook add --title A --date 2027-01-08 --time 10:00").out, "1\n");
    const CliRun full = Cli(phone, "datebook add --title B --date 2027-01-08 --time 11:00");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("В ежедневнике нет свободных ячеек."), std::string::npos) << full.err;
}

// The quick read asks the slots up to the last event and the last slot, and finds what the full
// read finds.
TEST_F(RealFormsCli, TheQuickReadAsksOnlyUpToTheLastEvent) {
    SimPhone phone("C350");
    phone.mark();
    const CliRun full = Cli(phone, "datebook list");
    const size_t fullReads = phone.sinceStarting("AT+MDBR=").size();
    phone.mark();
    const CliRun quick = Cli(phone, "datebook list --quick");
    const std::vector<std::string> reads = phone.sinceStarting("AT+MDBR=");
    ASSERT_EQ(quick.status, 0) << quick.err;
    EXPECT_EQ(quick.out, full.out);
    EXPECT_EQ(fullReads, 502u);  // AT+MDBR=? and slots 0..500
    // The twelve events lie in slots 0..16; then slot 500 alone.
    ASSERT_EQ(reads.size(), 1u + 17u + 1u);
    EXPECT_EQ(reads.back(), "AT+MDBR=500");
    EXPECT_NE(quick.err.find("Свободно: 97.6%"), std::string::npos) << quick.err;
    EXPECT_EQ(Cli(phone, "datebook list extra").status, 2);
}

// The phonebook of a model the program does not list, whose lines carry 24 fields, is written
// with the 16-field layout after one note; a model whose layout is unknown is still refused.
TEST_F(RealFormsCli, AnUnlistedModelWithLongLinesIsWrittenInSixteenFields) {
    SimPhone source("V3");
    ASSERT_EQ(Cli(source, "phonebook save book.txt").status, 0);
    // The target answers in every form of a later model besides.
    phonesim::PhoneSimOptions options = test::PhoneOptions("V3", false);
    options.forms = phonesim::AllRealForms();
    SimPhone empty(options);
    empty.edit([](phonesim::PhoneState& s) {
        s.contents.phonebook[1] = phonesim::PhonebookEntry{};
        s.contents.phonebook[1].number = "+7911";
        s.contents.phonebook[1].name = "First";
    });
    empty.mark();
    const CliRun load = Cli(empty, "phonebook load book.txt --yes");
    EXPECT_EQ(load.status, 0) << load.err;
    EXPECT_NE(load.err.find("V3: модель не проверена"), std::string::npos) << load.err;
    const auto writes = empty.sinceStarting("AT+MPBW=");
    ASSERT_FALSE(writes.empty());
    for (const std::string& command : writes) {
        std::string body = command.substr(command.find('=') + 1);
        // Phone-memory entries go with 16 fields, SIM entries with 4.
        const size_t fields = std::count(body.begin(), body.end(), ',') + 1;
        EXPECT_TRUE(fields == 16 || fields == 4) << command;
    }
    // The phonebook file holds no pictures: every other column comes back.
    const auto withoutPictures = [](const std::string& list) {
        std::istringstream lines(list);
        std::string out;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream cells(line);
            int column = 0;
            for (std::string cell; std::getline(cells, cell, '\t'); ++column)
                if (column != 6) out += cell + "\t";
            out += "\n";
        }
        return out;
    };
    EXPECT_EQ(withoutPictures(Cli(empty, "phonebook list").out),
              withoutPictures(Cli(source, "phonebook list").out));

    // A phone that names no model of a family and sends nine-field lines: nothing is written.
    SimPhone unknown("E1000");
    const CliRun refused = Cli(unknown, "phonebook load book.txt --yes");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("is not supported"), std::string::npos) << refused.err;
}

// A phonebook that refuses ranges of more than 15 slots is read in tens; a slot the phone will
// not send at all is named, with exit status 1, not left out in silence.
TEST_F(RealFormsCli, RefusedRangesAreReadSmallerAndWhatStaysUnreadIsNamed) {
    RealForms forms;
    forms.maxRange = 15;
    SimPhone phone(Options("C350", forms));
    phone.mark();
    const CliRun run = Cli(phone, "phonebook list");
    EXPECT_EQ(run.status, 0) << run.err;
    const auto reads = phone.sinceStarting("AT+MPBR=");
    // AT+MPBR=? three times, one refused range of 30, then 125 ranges of 10.
    EXPECT_EQ(reads.size(), 3u + 1u + 125u);

    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MPBR=1,";  // every range from slot 1, the slot alone too
    phone->setFaults(faults);
    phone.mark();
    const CliRun gap = Cli(phone, "phonebook list");
    EXPECT_EQ(gap.status, 1);
    EXPECT_NE(gap.err.find("Could not read the entries of slots 1."), std::string::npos) << gap.err;
    EXPECT_EQ(gap.out.find("\n1\t"), std::string::npos);
    EXPECT_NE(gap.out.find("\n2\t"), std::string::npos);
    // 1-30 and 1-10 refused, ten single slots, then ranges of 10 again (11-20 to 1241-1250).
    EXPECT_EQ(phone.sinceStarting("AT+MPBR=").size(), 3u + 2u + 10u + 124u);
}

// --log writes, line for line, the dialogue the simulated phone's own log holds, after a first
// line that names the program and the model.
TEST_F(RealFormsCli, TheTranscriptReadsLikeThePhonesOwnLog) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.logFile = (dir_ / "phone.log").string();
    SimPhone phone(options);
    ASSERT_EQ(Cli(phone, "--log run.log info").status, 0);
    ASSERT_EQ(Cli(phone, "--log list.log phonebook list").status, 0);
    const std::string run = test::FileBytes(dir_ / "run.log") + test::FileBytes(dir_ / "list.log");
    // Without the time stamps and the notes, the two dialogues are the same bytes.
    const auto dialogue = [](const std::string& log) {
        std::istringstream lines(log);
        std::string out;
        for (std::string line; std::getline(lines, line);)
            if (line.size() > 24 && line[24] != '!') out += line.substr(24) + "\n";
        return out;
    };
    EXPECT_EQ(dialogue(run), dialogue(test::FileBytes(dir_ / "phone.log")));
    EXPECT_NE(dialogue(run).find("< AT+CGMM\\r\n> AT+CGMM\\r\\r\\n+CGMM: \"GSM900\""),
              std::string::npos);
    const std::string first = run.substr(0, run.find('\n'));
    EXPECT_EQ(first.substr(23, 13), " ! orlin-cli ") << first;
    EXPECT_NE(first.find(", model C350"), std::string::npos) << first;
    EXPECT_EQ(first.size() - first.find(", model"), std::string(", model C350").size());
}

}  // namespace
}  // namespace orlin
