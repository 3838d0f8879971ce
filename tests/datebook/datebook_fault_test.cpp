// Fault runs of the datebook: every phone operation under the simulated phone's silence, cut
// answer, hang-up and "+CME ERROR", through the cores and through orlin-cli. Each run must end
// with a clear message, leave the port free, and lose nothing: every slot as it was or as the
// operation left it, and every slot the phone confirmed changed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>

#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/phone_session.h"
#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::FaultOutcome;
using test::PhoneFault;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

constexpr int kTimeoutMs = 300;

// Slots 0..9; the demo events fill 0, 1, 2, 4 and 5.
phonesim::PhoneSimOptions TenSlots() {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", true);
    options.datebookLastSlot = 9;
    return options;
}

// The events by slot, and the automatic deletion as slot -1 (its weeks as the title).
using Snapshot = std::map<int, phonesim::DatebookEvent>;
Snapshot SnapshotOf(SimPhone& phone) {
    const phonesim::PhoneContents contents = phone.state().contents;
    Snapshot snapshot = contents.events;
    snapshot[-1].title = std::to_string(contents.autoDeleteWeeks);
    return snapshot;
}

std::optional<phonesim::DatebookEvent> At(const Snapshot& events, int slot) {
    const auto it = events.find(slot);
    if (it == events.end()) return std::nullopt;
    return it->second;
}

PhoneSession Session(SimPhone& phone) {
    PhoneSession::Options options;
    options.useSettingsTimeout = true;
    return PhoneSession(phone.settings, options);
}

EventDraft Draft(const std::string& title) {
    EventDraft draft;
    draft.title = W(title);
    draft.startDate = {2027, 3, 1};
    draft.startTime = {9, 30};
    return draft;
}

const char* const kThreeEvents =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
    "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20270101T000000Z\r\nSUMMARY:One\r\n"
    "DTSTART:20270301T090000\r\nDURATION:PT60M\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:b\r\nDTSTAMP:20270101T000000Z\r\nSUMMARY:Two\r\n"
    "DTSTART:20270302T090000\r\nDURATION:PT60M\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:c\r\nDTSTAMP:20270101T000000Z\r\nSUMMARY:Three\r\n"
    "DTSTART:20270303T090000\r\nDURATION:PT60M\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

const std::string kCme = test::kCmeErrorLine;
const std::string kIoError = "Ошибка ввода-вывода";
const std::string kNotConnected = "Телефон не подключен.";

// What the user hears when the line goes dead before `target`: the port cannot even be
// opened when the target is the operation's first command.
std::string HangUpText(const std::vector<std::string>& clean, const std::string& target) {
    return clean.front().rfind(target, 0) == 0 ? kNotConnected : kIoError;
}

// One operation as a user starts it: what it reports, and the slots the phone confirmed
// changed on the way (kept also when it raises).
struct Operation {
    const char* name;
    std::string target;   // the command the faults meet
    std::string refused;  // the report when the phone refuses the target with "+CME ERROR: 10"
    std::function<std::string(SimPhone&, std::set<int>& confirmed)> run;
};

SlotChange RefusedSlot(int slot, const std::string& answerLine) {
    SlotChange change;
    change.Refuse(slot, answerLine);
    return change;
}

std::string ReadAll(SimPhone& phone, DatebookReport& read) {
    test::RecordingInteraction quiet;
    PhoneSession session = Session(phone);
    read = ReadDatebook(session, quiet);
    read.RaiseFailure();
    return StatusText(read) + UnreadSlotsText(read);
}

std::string Write(SimPhone& phone, int slot, const std::string& title, std::set<int>& confirmed) {
    PhoneSession session = Session(phone);
    const PhoneAnswer answer = WriteEvent(session, WriteCommand(slot, Draft(title)));
    if (!answer.taken) return WriteRefusedText(slot, answer.line);
    confirmed.insert(slot);
    return {};
}

std::vector<Operation> Operations() {
    return {
        {"read, the range", "AT+MDBR=?", "Невозможно прочитать содержимое ежедневника.",
         [](SimPhone& phone, std::set<int>&) {
             DatebookReport read;
             return ReadAll(phone, read);
         }},
        {"read, a slot", "AT+MDBR=4",
         "Не удалось прочитать ячейки ежедневника: 4. В них могут быть события, которых нет "
         "в списке.",
         [](SimPhone& phone, std::set<int>&) {
             DatebookReport read;
             return ReadAll(phone, read);
         }},
        {"add", "AT+MDBW=3,", WriteRefusedText(3, kCme),
         [](SimPhone& phone, std::set<int>& confirmed) {
             return Write(phone, 3, "Новое", confirmed);
         }},
        {"edit", "AT+MDBW=1,", WriteRefusedText(1, kCme),
         [](SimPhone& phone, std::set<int>& confirmed) {
             return Write(phone, 1, "Другое", confirmed);
         }},
        {"delete", "AT+MDBWE=0,", DeleteEventsText(RefusedSlot(0, kCme)),
         [](SimPhone& phone, std::set<int>& confirmed) {
             PhoneSession session = Session(phone);
             const EventsChange change = DeleteEvents(session, {4, 0, 2});
             confirmed.insert(change.done.begin(), change.done.end());
             change.RaiseFailure();
             return DeleteEventsText(change);
         }},
        {"automatic deletion", "AT+MDBAD", AutoDeleteRefusedText(AutoDeleteItemTexts()[3], kCme),
         [](SimPhone& phone, std::set<int>& confirmed) {
             PhoneSession session = Session(phone);
             const PhoneAnswer answer = SetAutoDelete(session, AutoDeleteCode(3));
             if (!answer.taken) return AutoDeleteRefusedText(AutoDeleteItemTexts()[3], answer.line);
             confirmed.insert(-1);
             return std::string();
         }},
        {"iCalendar import", "AT+MDBW=6,",
         std::string("Не все события перенесены в телефон как есть:\r\n«Two» 02.03.2027 09:00: "
                     "телефон не принял событие (+CME ERROR: 10)"),
         [](SimPhone& phone, std::set<int>& confirmed) {
             DatebookReport read;
             ReadAll(phone, read);
             const std::vector<ImportedEvent> events = ParseICalendar(kThreeEvents, 64);
             test::RecordingInteraction quiet;
             PhoneSession session = Session(phone);
             const DraftsChange written =
                 WriteDrafts(session, WritableDrafts(events), read.slotUsed, quiet);
             confirmed.insert(written.done.begin(), written.done.end());
             written.RaiseFailure();
             return ImportWarning(events, written);
         }},
    };
}

// Local time is three hours ahead of UTC, whatever the machine says.
class DatebookFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "MSK-3", 1);
        ::tzset();
        dir_ = fs::temp_directory_path() /
               ("orlin_db_faults_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The phone's slots after a fault, each as it was or as the clean run left it; and each
    // slot the phone confirmed as the clean run left it.
    static void ExpectNothingLost(SimPhone& phone, const Snapshot& before, const Snapshot& after,
                                  const std::set<int>& confirmed) {
        const Snapshot now = SnapshotOf(phone);
        EXPECT_EQ(test::NeitherBeforeNorAfter(before, after, now), std::vector<int>{});
        for (int slot : confirmed) EXPECT_EQ(At(now, slot), At(after, slot)) << "slot " << slot;
    }
    fs::path dir_;
};

TEST_F(DatebookFaults, EveryOperationUnderEveryFault) {
    for (const Operation& op : Operations()) {
        SCOPED_TRACE(op.name);
        SimPhone clean(TenSlots());
        clean.settings.PortTimeOut = kTimeoutMs;
        const Snapshot before = SnapshotOf(clean);
        std::set<int> unused;
        clean.mark();
        ASSERT_EQ(op.run(clean, unused), "");
        const std::vector<std::string> commands = clean.since();
        const Snapshot after = SnapshotOf(clean);
        for (PhoneFault fault : test::kEveryPhoneFault) {
            SCOPED_TRACE(test::FaultName(fault));
            SimPhone phone(TenSlots());
            phone.settings.PortTimeOut = kTimeoutMs;
            std::set<int> confirmed;
            const FaultOutcome outcome = test::RunWithFault(
                phone, fault, op.target, commands, [&] { return op.run(phone, confirmed); });
            const std::string expected = fault == PhoneFault::CmeError ? op.refused
                                         : fault == PhoneFault::HangUp
                                             ? HangUpText(commands, op.target)
                                             : test::kTimeoutText;
            EXPECT_EQ(outcome.raised, fault != PhoneFault::CmeError);
            EXPECT_EQ(outcome.message, expected);
            EXPECT_EQ(outcome.portProblem, "");
            ExpectNothingLost(phone, before, after, confirmed);
        }
    }
}

// orlin-cli datebook: the verbs a user types, with what each prints under each fault.
struct CommandLine {
    const char* words;
    std::string target;
    std::string refused;           // standard error holds it under "+CME ERROR: 10"
    std::string whenStopped;       // ... and this under the other faults
    std::vector<std::string> out;  // standard output under each fault in turn; "*": any
    bool printsSlots = false;      // the output lines are slots the phone confirmed changed
};

std::vector<CommandLine> CommandLines() {
    const std::string none;
    return {
        {"datebook list",
         "AT+MDBR=4",
         "Не удалось прочитать ячейки ежедневника: 4. В них могут быть события, которых нет в "
         "списке.",
         "",
         {none, none, none, "*"}},
        {"datebook add --title Новое --date 2027-03-01 --time 09:30",
         "AT+MDBW=",
         "Телефон не записал событие в ячейку 3.\r\nОтвет телефона: +CME ERROR: 10",
         "",
         {none, none, none, none}},
        {"datebook edit 1 --title Другое",
         "AT+MDBW=1,",
         "Телефон не записал событие в ячейку 1.\r\nОтвет телефона: +CME ERROR: 10",
         "",
         {none, none, none, none}},
        {"datebook delete 4 0 2",
         "AT+MDBWE=0,",
         "Телефон не удалил событие в ячейке 0.\r\nОтвет телефона: +CME ERROR: 10",
         "",
         {"4\n", "4\n", "4\n", "4\n2\n"},
         true},
        {"datebook autodelete 4",
         "AT+MDBAD",
         "Телефон не принял настройку автоудаления \"после 4-х недель\".\r\n"
         "Ответ телефона: +CME ERROR: 10",
         "",
         {none, none, none, none}},
        {"datebook import three.ics",
         "AT+MDBW=6,",
         "«Two» 02.03.2027 09:00: телефон не принял событие (+CME ERROR: 10)",
         "«Two» 02.03.2027 09:00: телефон не ответил: записано ли событие в ячейку 6, "
         "неизвестно\r\n«Three» 03.03.2027 09:00: не записано: связь с телефоном прервалась",
         {"1 of 3 events imported\n", "1 of 3 events imported\n", "1 of 3 events imported\n",
          "2 of 3 events imported\n"}},
        {"datebook export book.ics",
         "AT+MDBR=4",
         "Не удалось прочитать ячейки ежедневника: 4. В них могут быть события, которых нет в "
         "списке.\nNothing was written to book.ics.",
         "",
         {none, none, none, none}},
    };
}

TEST_F(DatebookFaults, EveryCommandLineUnderEveryFault) {
    const std::string oldBook = "BEGIN:VCALENDAR\r\nan older export\r\n";
    const auto run = [&](SimPhone& phone, const char* words) {
        std::ofstream(dir_ / "three.ics", std::ios::binary) << kThreeEvents;
        std::ofstream(dir_ / "book.ics", std::ios::binary) << oldBook;
        return test::RunCli(dir_, phone.settings.PortName,
                            "--timeout " + std::to_string(kTimeoutMs) + " " + words, "TZ=MSK-3 ");
    };
    for (const CommandLine& line : CommandLines()) {
        SCOPED_TRACE(line.words);
        SimPhone clean(TenSlots());
        const Snapshot before = SnapshotOf(clean);
        clean.mark();
        const test::CliRun cleanRun = run(clean, line.words);
        ASSERT_EQ(cleanRun.status, 0) << cleanRun.err;
        const std::vector<std::string> commands = clean.since();
        const Snapshot after = SnapshotOf(clean);
        for (size_t f = 0; f < std::size(test::kEveryPhoneFault); ++f) {
            const PhoneFault fault = test::kEveryPhoneFault[f];
            SCOPED_TRACE(test::FaultName(fault));
            SimPhone phone(TenSlots());
            test::CliRun cli;
            const FaultOutcome outcome =
                test::RunWithFault(phone, fault, line.target, commands, [&] {
                    cli = run(phone, line.words);
                    return cli.err;
                });
            EXPECT_EQ(cli.status, 1);
            const std::string expected = fault == PhoneFault::CmeError ? line.refused
                                         : fault == PhoneFault::HangUp
                                             ? HangUpText(commands, line.target)
                                             : test::kTimeoutText;
            EXPECT_NE(cli.err.find(expected), std::string::npos) << cli.err;
            if (fault != PhoneFault::CmeError) {
                EXPECT_NE(cli.err.find(line.whenStopped), std::string::npos) << cli.err;
            }
            if (line.out[f] != "*") {
                EXPECT_EQ(cli.out, line.out[f]);
            }
            EXPECT_EQ(outcome.portProblem, "");
            EXPECT_EQ(test::FileBytes(dir_ / "book.ics"), oldBook);
            // The slots it printed as deleted are deleted.
            std::set<int> confirmed;
            if (line.printsSlots)
                for (size_t at = 0, end; (end = cli.out.find('\n', at)) != std::string::npos;
                     at = end + 1)
                    confirmed.insert(std::stoi(cli.out.substr(at, end - at)));
            ExpectNothingLost(phone, before, after, confirmed);
        }
    }
}

}  // namespace
}  // namespace orlin
