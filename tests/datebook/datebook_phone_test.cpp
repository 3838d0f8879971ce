// The datebook operations against the simulated phone through the real serial layer: the
// read of every slot with its failures, writing, deleting and the automatic deletion.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "link/block_serial.h"
#include "link/errors.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::RecordingInteraction;
using test::SimPhone;
using test::W;

phonesim::PhoneSimOptions Small(bool seeded = false, int lastSlot = 9) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", seeded);
    options.datebookLastSlot = lastSlot;
    return options;
}

phonesim::DatebookEvent SimEvent(const std::string& title) {
    phonesim::DatebookEvent e;
    e.title = title;
    e.alarmOn = 1;
    e.startTime = "09:30";
    e.startDate = "01-24-2004";
    e.duration = 60;
    e.alarmTime = "09:15";
    e.alarmDate = "01-24-2004";
    e.repeat = 2;
    return e;
}

DatebookReport Read(SimPhone& phone, RecordingInteraction& interaction) {
    PhoneSession session(phone.settings);
    DatebookReport read = ReadDatebook(session, interaction);
    read.RaiseFailure();
    return read;
}

// The commands of a read of slots 0..last, both unlocks included.
std::vector<std::string> ReadCommands(int last) {
    std::vector<std::string> commands = {"AT+CSCS=UCS2", "AT+MDBL=1", "AT+MDBR=?"};
    for (int i = 0; i <= last; ++i) commands.push_back("AT+MDBR=" + std::to_string(i));
    commands.push_back("AT+MDBL=0");
    commands.push_back("AT+MDBL=0");
    return commands;
}

TEST(DatebookRead, EverySlotIsAskedForAndOnlyBareOkIsFree) {
    struct Case {
        const char* name;
        phonesim::PhoneSimOptions options;
        phonesim::FaultOptions faults;
        std::vector<int> eventSlots;    // put into the phone
        std::vector<uint8_t> slotUsed;  // expected
    };
    phonesim::FaultOptions refusing;
    refusing.errorOn = "AT+MDBR=3";
    phonesim::FaultOptions numeric;
    numeric.errorOn = "AT+MDBR=4";
    numeric.errorLine = "+CME ERROR: 21";
    phonesim::FaultOptions unsolicited = test::UnsolicitedEverywhere();
    phonesim::PhoneSimOptions exceptionLines = Small();
    exceptionLines.datebookExceptionLines = true;
    const Case cases[] = {
        {"one slot", Small(false, 0), {}, {}, {0}},
        {"empty", Small(), {}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"slot 5 only", Small(), {}, {5}, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"refused slots stay used", Small(), refusing, {}, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
        {"+CME ERROR too", Small(), numeric, {1}, {0, 1, 0, 0, 1, 0, 0, 0, 0, 0}},
        {"unsolicited lines", Small(), unsolicited, {0, 9}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"+MDBRE lines", exceptionLines, {}, {2}, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimPhone phone(c.options);
        phone.edit([&](phonesim::PhoneState& s) {
            for (int slot : c.eventSlots) {
                s.contents.events[slot] = SimEvent("Встреча");
                s.contents.events[slot].exceptions = {2, 5};
            }
        });
        phone->setFaults(c.faults);
        phone.mark();
        RecordingInteraction interaction;
        const DatebookReport read = Read(phone, interaction);
        EXPECT_EQ(read.status, DatebookReadStatus::Done);
        EXPECT_EQ(phone.since(), ReadCommands(static_cast<int>(c.slotUsed.size()) - 1));
        EXPECT_EQ(read.slotUsed, c.slotUsed);
        EXPECT_EQ(read.titleLength, 64);
        EXPECT_EQ(interaction.lastMax, static_cast<int>(c.slotUsed.size()));
        EXPECT_EQ(interaction.lastPos, static_cast<int>(c.slotUsed.size()));
        ASSERT_EQ(read.events.size(), c.eventSlots.size());
        for (size_t i = 0; i < c.eventSlots.size(); ++i) {
            const DatebookEvent& e = read.events[i];
            EXPECT_EQ(e.slot, c.eventSlots[i]);
            EXPECT_EQ(CellsOfEvent(e), (EventCells{"Встреча", "09:30", "09:15", "01-24-2004", "60",
                                                   "еженедельно", "вкл."}));
            EXPECT_EQ(e.alarmDate, "01-24-2004");
        }
        if (c.eventSlots.empty()) {
            EXPECT_EQ(FreeShareText(read), "100");
        }
    }
}

TEST(DatebookRead, FailuresEndWithTheUnlock) {
    {
        // With a reason: the lock is held elsewhere (a plain ERROR is a phone without a lock).
        SCOPED_TRACE("a refused lock");
        SimPhone phone(Small(true));
        phonesim::FaultOptions faults;
        faults.errorOn = "AT+MDBL=1";
        faults.errorLine = "+CME ERROR: 3";
        phone->setFaults(faults);
        phone.mark();
        RecordingInteraction interaction;
        const DatebookReport read = Read(phone, interaction);
        EXPECT_EQ(read.status, DatebookReadStatus::NoAccess);
        EXPECT_EQ(StatusText(read), "Нет доступа у ежедневнику.");
        EXPECT_EQ(phone.since(),
                  (std::vector<std::string>{"AT+CSCS=UCS2", "AT+MDBL=1", "AT+MDBL=0"}));
        EXPECT_TRUE(read.slotUsed.empty());
        EXPECT_EQ(FreeShareText(read), "100");
    }
    {
        SCOPED_TRACE("a time-out half-way");
        SimPhone phone(Small(true));
        phonesim::FaultOptions faults;
        faults.silentOn = "AT+MDBR=7";
        phone->setFaults(faults);
        phone.mark();
        RecordingInteraction interaction;
        DatebookReport read;
        try {
            PhoneSession session(phone.settings);
            read = ReadDatebook(session, interaction);
            EXPECT_TRUE(read.Failed());
            read.RaiseFailure();
            ADD_FAILURE() << "no time-out";
        } catch (const ESynaSerError& e) {
            EXPECT_EQ(std::string(e.what()), test::kTimeoutText);
        }
        EXPECT_EQ(phone.since().back(), "AT+MDBL=0");
        EXPECT_EQ(read.slotsDone, 7);
        // The seeded slots 0, 1, 2, 4, 5 hold events; 3 and 6 were free; 7..9 not reached.
        EXPECT_EQ(read.slotUsed, (std::vector<uint8_t>{1, 1, 1, 0, 1, 1, 0, 1, 1, 1}));
        EXPECT_EQ(read.events.size(), 5u);
        EXPECT_EQ(FirstFreeSlot(read.slotUsed), 3);
    }
    {
        SCOPED_TRACE("more than 10,000 slots");
        SimPhone phone(Small());
        phone.edit([](phonesim::PhoneState& s) { s.datebookLastSlot = 10000; });
        phone.mark();
        RecordingInteraction interaction;
        DatebookReport read;
        try {
            PhoneSession session(phone.settings);
            read = ReadDatebook(session, interaction);
            EXPECT_TRUE(read.Failed());
            read.RaiseFailure();
            ADD_FAILURE() << "the range was taken";
        } catch (const OrlinError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Телефон сообщил недопустимый диапазон: +MDBR: 10000,0,64,8,2");
        }
        EXPECT_EQ(phone.since().back(), "AT+MDBL=0");
        EXPECT_TRUE(phone.sinceStarting("AT+MDBR=0").empty());
    }
}

TEST(DatebookWrite, EventsGoInWhereTheDialogSaysAndRefusalsComeBack) {
    SimPhone phone(Small());
    PhoneSession session(phone.settings);
    EventDraft draft;
    draft.title = "Полночь";
    draft.startDate = {2004, 3, 1};
    draft.startTime = {0, 10};
    draft.lead = 15;
    draft.repeatCode = "2";
    phone.mark();
    EXPECT_TRUE(WriteEvent(session, WriteCommand(3, draft)).taken);
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+CSCS=UCS2", "AT+MDBL=1",
                                                       WriteCommand(3, draft), "AT+MDBL=0"}));
    draft.lead = 1440;
    EXPECT_TRUE(WriteEvent(session, WriteCommand(4, draft)).taken);
    const auto events = phone.state().contents.events;
    EXPECT_EQ(events.at(3).title, "Полночь");
    EXPECT_EQ(events.at(3).alarmTime, "23:55");
    EXPECT_EQ(events.at(3).alarmDate, "02-29-2004");
    EXPECT_EQ(events.at(4).alarmTime, "00:10");
    EXPECT_EQ(events.at(4).alarmDate, "02-29-2004");

    // A refusal names the phone's line; the unlock still goes out.
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBW=";
    faults.errorLine = "+CME ERROR: 3";
    phone->setFaults(faults);
    phone.mark();
    const PhoneAnswer refused = WriteEvent(session, WriteCommand(5, draft));
    EXPECT_FALSE(refused.taken);
    EXPECT_EQ(refused.line, "+CME ERROR: 3");
    EXPECT_EQ(phone.since().back(), "AT+MDBL=0");
    EXPECT_EQ(WriteRefusedText(5, refused.line),
              "Телефон не записал событие в ячейку 5.\r\nОтвет телефона: +CME ERROR: 3");

    // Without UCS2 the title would be stored as its digits: nothing is written (after the
    // quoted form was tried too; the phone's mode is right, it took the lock before).
    faults.errorOn = "AT+CSCS";
    faults.errorLine.clear();
    phone->setFaults(faults);
    phone.mark();
    EXPECT_EQ(WriteEvent(session, WriteCommand(5, draft)).line, "ERROR");
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+CSCS=UCS2", "AT+CSCS=\"UCS2\""}));
}

TEST(DatebookDelete, ThreeSlotsInOneLockAndEachRefusalNamed) {
    SimPhone phone(Small(true));
    PhoneSession session(phone.settings);
    phone.mark();
    const EventsChange report = DeleteEvents(session, {4, 0, 2});
    EXPECT_EQ(phone.since(),
              (std::vector<std::string>{"AT+MDBL=1", "AT+MDBWE=4,0,0", "AT+MDBWE=0,0,0",
                                        "AT+MDBWE=2,0,0", "AT+MDBL=0"}));
    EXPECT_EQ(report.done, (std::vector<int>{4, 0, 2}));
    const auto events = phone.state().contents.events;
    EXPECT_EQ(events.count(0) + events.count(2) + events.count(4), 0u);
    EXPECT_EQ(events.count(1), 1u);

    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBWE=1,";
    phone->setFaults(faults);
    const EventsChange refused = DeleteEvents(session, {1, 12});
    ASSERT_EQ(refused.refused.size(), 2u);
    EXPECT_EQ(DeleteEventsText(refused),
              "Телефон не удалил события в ячейках 1, 12.\r\nОтвет телефона: ERROR");
    EXPECT_EQ(phone.state().contents.events.count(1), 1u);
}

// Each slot given lands in one place, also when the line fails half-way.
TEST(DatebookDelete, EachSlotLandsInOnePlace) {
    struct Case {
        const char* name;
        std::string silentOn;  // the command the phone does not answer
        bool askFirst;
        std::vector<int> done, unsent, empty;
        std::optional<int> unanswered;
    };
    const std::vector<Case> cases = {
        {"no failure, 3 is empty", "", true, {4, 0, 2}, {}, {3}, std::nullopt},
        {"the answer to 0 never comes", "AT+MDBWE=0,", false, {4}, {3, 2}, {}, 0},
        {"the read of 0 never comes", "AT+MDBR=0", true, {4}, {0, 3, 2}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimPhone phone(Small(true));
        phonesim::FaultOptions faults;
        faults.silentOn = c.silentOn;
        phone->setFaults(faults);
        PhoneSession session(phone.settings);
        const EventsChange change = DeleteEvents(session, {4, 0, 3, 2}, c.askFirst);
        EXPECT_EQ(change.done, c.done);
        EXPECT_EQ(change.unsent, c.unsent);
        EXPECT_EQ(change.empty, c.empty);
        EXPECT_EQ(change.unanswered, c.unanswered);
        EXPECT_TRUE(change.refused.empty());
        EXPECT_EQ(change.Failed(), !c.silentOn.empty());
        if (change.Failed()) {
            EXPECT_EQ(FailureMessage(change), test::kTimeoutText);
        }
    }
}

TEST(DatebookAutoDelete, SentWithoutLockAndARefusalNamesTheSetting) {
    SimPhone phone(Small());
    PhoneSession session(phone.settings);
    phone.mark();
    EXPECT_TRUE(SetAutoDelete(session, AutoDeleteCode(3)).taken);
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+MDBAD=4"}));
    EXPECT_EQ(phone.state().contents.autoDeleteWeeks, 4);
    const PhoneAnswer refused = SetAutoDelete(session, AutoDeleteCode(-1));
    EXPECT_EQ(phone.since().back(), "AT+MDBAD=");
    EXPECT_FALSE(refused.taken);
    EXPECT_EQ(AutoDeleteRefusedText(AutoDeleteItemTexts()[4], refused.line),
              "Телефон не принял настройку автоудаления \"после 8-и недель\".\r\n"
              "Ответ телефона: ERROR");
}

}  // namespace
}  // namespace orlin
