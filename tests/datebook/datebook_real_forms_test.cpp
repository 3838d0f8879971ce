// The datebook in the forms real phones use: quoted titles, the time flag, the extended event
// line, the range answer that counts slots, no lock; and the quick read.

#include <gtest/gtest.h>

#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "link/command_fields.h"
#include "link/remembered_options.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::RecordingInteraction;
using test::SimPhone;
using test::W;

TEST(DatebookLines, EveryFormOfTheEventLineGivesItsFieldsAndIsWrittenBackAsItCame) {
    struct Case {
        const char* line;
        const char* title;
        const char* flag;
        const char* start;
        const char* duration;
        std::vector<std::string> extras;
        const char* written;  // by an edit that changes nothing
    };
    const Case cases[] = {
        // The ten-field line, as ever.
        {"+MDBR: 5,00480069,1,1,\"09:30\",\"01-24-2004\",60,\"09:15\",\"01-24-2004\",2",
         "Hi",
         "1",
         "09:30",
         "60",
         {},
         "AT+MDBW=7,00480069,1,1,\"09:30\",\"01-24-2004\",60,\"09:15\",\"01-24-2004\",2"},
        // Quoted phone text, and quoted 8-bit text that may hold a comma.
        {"+MDBR: 5,\"00480069\",1,1,\"09:30\",\"01-24-2004\",60,\"09:15\",\"01-24-2004\",2",
         "Hi",
         "1",
         "09:30",
         "60",
         {},
         "AT+MDBW=7,00480069,1,1,\"09:30\",\"01-24-2004\",60,\"09:15\",\"01-24-2004\",2"},
        {"+MDBR: 0,\"Meeting, room 5\",1,0,\"17:00\",\"02-24-2006\",60,\"00:00\",\"00-00-2000\",0",
         "Meeting, room 5",
         "1",
         "17:00",
         "60",
         {},
         "AT+MDBW=7,004D0065006500740069006E0067002C00200072006F006F006D00200035,1,0,\"17:00\","
         "\"02-24-2006\",60,\"00:00\",\"00-00-2000\",0"},
        // Quoted text that looks like hexadecimal but names no character stays text.
        {"+MDBR: 0,\"CAFE\",1,0,\"17:00\",\"02-24-2006\",60,\"00:00\",\"00-00-2000\",0",
         "CAFE",
         "1",
         "17:00",
         "60",
         {},
         "AT+MDBW=7,0043004100460045,1,0,\"17:00\",\"02-24-2006\",60,\"00:00\",\"00-00-2000\",0"},
        // An untimed event keeps its flag.
        {"+MDBR: 1,0041,0,0,\"00:00\",\"12-31-2026\",1440,\"00:00\",\"00-00-2000\",5",
         "A",
         "0",
         "00:00",
         "1440",
         {},
         "AT+MDBW=7,0041,0,0,\"00:00\",\"12-31-2026\",1440,\"00:00\",\"00-00-2000\",5"},
        // The extended line: the duration from the end, the fields after it kept.
        {"+MDBR: 2,0041,1,1,\"23:30\",\"12-31-2026\",,\"23:00\",\"12-31-2026\",0,\"01:00\","
         "\"01-01-2027\",0,1,\"\",255",
         "A",
         "1",
         "23:30",
         "90",
         {"0", "1", "\"\"", "255"},
         "AT+MDBW=7,0041,1,1,\"23:30\",\"12-31-2026\",,\"23:00\",\"12-31-2026\",0,\"01:00\","
         "\"01-01-2027\",0,1,\"\",255"},
        {"+MDBR: 2,\"A\",1,1,\"23:30\",\"12-31-2026\",90,\"23:00\",\"12-31-2026\",0,\"01:00\","
         "\"01-01-2027\"",
         "A",
         "1",
         "23:30",
         "90",
         {},
         "AT+MDBW=7,0041,1,1,\"23:30\",\"12-31-2026\",90,\"23:00\",\"12-31-2026\",0,\"01:00\","
         "\"01-01-2027\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto event = EventFromAnswer(7, std::string("\r\n") + c.line + "\r\n\r\nOK\r\n");
        ASSERT_TRUE(event.has_value());
        EXPECT_EQ(event->slot, 7);
        EXPECT_EQ(event->title, c.title);
        EXPECT_EQ(event->firstFlag, c.flag);
        EXPECT_EQ(event->startTime, c.start);
        EXPECT_EQ(event->duration, c.duration);
        EXPECT_EQ(event->extraFields, c.extras);
        EXPECT_EQ(CellsOfEvent(*event)[CellStart], std::string(c.flag) == "0" ? "" : c.start);
        EXPECT_EQ(WriteCommand(7, EditValuesOfEvent(*event).draft), c.written);
    }
}

TEST(DatebookLines, AnEditThatChangesTheDurationMovesTheEnd) {
    const auto event = EventFromAnswer(
        2,
        "\r\n+MDBR: 2,0041,1,0,\"23:30\",\"12-31-2026\",,\"00:00\",\"00-00-2000\",0,"
        "\"01:00\",\"01-01-2027\",9\r\n\r\nOK\r\n");
    ASSERT_TRUE(event.has_value());
    EditValues values = EditValuesOfEvent(*event);
    values.draft.duration = 2880;
    EXPECT_EQ(WriteCommand(2, values.draft),
              "AT+MDBW=2,0041,1,0,\"23:30\",\"12-31-2026\",,\"00:00\",\"00-00-2000\",0,"
              "\"23:30\",\"01-02-2027\",9");
    // The phone's own fields go back only when a command line can hold them.
    DatebookEvent unsafe = *event;
    unsafe.extraFields = {"9;AT+MDBWE=1,0,0"};
    EXPECT_THROW(WriteCommand(unsafe), EUnsafeField);
    unsafe.extraFields = {"\"a\rb\""};
    EXPECT_THROW(WriteCommand(unsafe), EUnsafeField);
    // A new event is written in the ten fields, timed.
    EventDraft fresh;
    fresh.title = "A";
    fresh.startDate = {2027, 1, 2};
    fresh.startTime = {8, 0};
    fresh.alarmOn = false;
    EXPECT_EQ(WriteCommand(3, fresh),
              "AT+MDBW=3,0041,1,0,\"08:00\",\"01-02-2027\",60,\"00:00\",\"00-00-2000\",0");
}

phonesim::PhoneSimOptions Forms(const phonesim::RealForms& forms, int lastSlot = 500) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C650");
    options.forms = forms;
    options.datebookLastSlot = lastSlot;
    return options;
}

DatebookReport Read(SimPhone& phone, RecordingInteraction& interaction, bool quick = false) {
    PhoneSession session(phone.settings);
    DatebookReadOptions options;
    options.quick = quick;
    DatebookReport read = ReadDatebook(session, interaction, options);
    read.RaiseFailure();
    return read;
}

// The quick read finds what the full read finds, in every form, with the slots after the last
// event not asked; a phone whose answer counts its slots loses the slot it refused, in both.
TEST(DatebookRealForms, TheQuickReadFindsWhatTheFullReadFinds) {
    phonesim::RealForms counting;
    counting.datebookSlotsCount = true;
    for (const auto& forms : {phonesim::RealForms{}, counting, phonesim::AllRealForms()}) {
        SimPhone phone(Forms(forms, forms.datebookSlotsCount ? 499 : 500));
        RecordingInteraction interaction;
        phone.mark();
        const DatebookReport full = Read(phone, interaction);
        const size_t fullCommands = phone.since().size();
        phone.mark();
        const DatebookReport quick = Read(phone, interaction, true);
        ASSERT_EQ(quick.status, DatebookReadStatus::Done);
        EXPECT_EQ(quick.events, full.events);
        EXPECT_EQ(quick.slotUsed, full.slotUsed);
        EXPECT_TRUE(quick.unreadSlots.empty());
        EXPECT_EQ(full.lastSlot, 499 + (forms.datebookSlotsCount ? 0 : 1));
        EXPECT_EQ(full.lastSlotRefused, forms.datebookSlotsCount);
        EXPECT_EQ(FreeShareText(full), "97.6");
        EXPECT_LT(phone.since().size() * 10, fullCommands);
    }
}

// Fewer events than the phone says it holds: the quick read reads on to the last slot.
TEST(DatebookRealForms, AQuickReadThatFindsTooFewEventsIsTheFullRead) {
    SimPhone phone(Forms({}, 20));
    phone.edit([](phonesim::PhoneState& s) {
        // A slot the phone will not read out: its event is not found.
        s.contents.events[30] = s.contents.events.at(0);
    });
    RecordingInteraction interaction;
    phone.mark();
    const DatebookReport read = Read(phone, interaction, true);
    EXPECT_EQ(phone.sinceStarting("AT+MDBR=").size(), 1u + 21u);
    EXPECT_EQ(read.events.size(), 12u);
}

// A phone without a lock is read and written without one; the user hears so once in the run.
TEST(DatebookRealForms, APhoneWithoutALockIsReadAndWrittenWithoutOne) {
    phonesim::RealForms forms;
    forms.noDatebookLock = true;
    SimPhone phone(Forms(forms, 9));
    ForgetFirstTimes();
    RecordingInteraction interaction;
    const DatebookReport first = Read(phone, interaction);
    const DatebookReport second = Read(phone, interaction);
    EXPECT_EQ(second.status, DatebookReadStatus::Done);
    EXPECT_TRUE(second.withoutLock);
    ASSERT_EQ(interaction.notes.size(), 1u);
    EXPECT_EQ(interaction.notes[0],
              "Телефон не поддерживает блокировку ежедневника; чтение без блокировки.");
    EXPECT_EQ(second.events, first.events);

    phone.mark();
    EventsChange deleted;
    {
        PhoneSession session(phone.settings);
        deleted = DeleteEvents(session, {0});
    }
    EXPECT_EQ(deleted.done, std::vector<int>{0});
    EXPECT_TRUE(phone.sinceStarting("AT+MDBL=0").empty());

    // A lock held elsewhere (a reasoned refusal) still ends the read with the old message.
    SimPhone locked(Forms({}, 9));
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBL=1";
    faults.errorLine = "+CME ERROR: 3";
    locked->setFaults(faults);
    EXPECT_EQ(Read(locked, interaction).status, DatebookReadStatus::NoAccess);
}

}  // namespace
}  // namespace orlin
