// iCalendar files: the round trip through an empty phone, a second reader (Python's
// icalendar) reading what we write, and what an import cannot take as it is.

#include "datebook/ical/datebook_ical.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "datebook/datebook_read.h"
#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/ical_put_back.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "tests/support/cli_run.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

// Local time is three hours ahead of UTC all year round, whatever the machine says.
class ICal : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "MSK-3", 1);
        ::tzset();
        dir_ = fs::temp_directory_path() / ("orlin_ical_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::vector<DatebookEvent> ReadEvents(SimPhone& phone, DatebookReport* out = nullptr) {
        test::RecordingInteraction quiet;
        PhoneSession session(phone.settings);
        DatebookReport read = ReadDatebook(session, quiet);
        read.RaiseFailure();
        if (out) *out = read;
        return read.events;
    }
    // The demo events and a few harder ones: an alarm on the day before, the fifth Thursday
    // of a month, an alarm after the start.
    static void AddHardEvents(SimPhone& phone) {
        phone.edit([](phonesim::PhoneState& s) {
            phonesim::DatebookEvent e;
            e.title = "Ночной поезд, вагон 3";
            e.alarmOn = 1;
            e.startTime = "00:10";
            e.startDate = "01-01-2027";
            e.duration = 1440;
            e.alarmTime = "23:55";
            e.alarmDate = "12-31-2026";
            e.repeat = 5;
            s.contents.events[40] = e;
            e.title = "Пятый четверг";
            e.startTime = "12:00";
            e.startDate = "12-31-2026";
            e.alarmTime = "12:00";
            e.alarmDate = "12-30-2026";
            e.repeat = 3;
            s.contents.events[41] = e;
            e.title = "Late alarm";
            e.alarmTime = "12:30";
            e.alarmDate = "12-31-2026";
            e.repeat = 0;
            s.contents.events[42] = e;
            // An untimed event travels as a date.
            e.title = "Отпуск";
            e.firstFlag = 0;
            e.alarmOn = 0;
            e.startTime = "00:00";
            e.startDate = "01-07-2027";
            e.alarmTime = "00:00";
            e.alarmDate = "00-00-2000";
            s.contents.events[43] = e;
        });
    }
    fs::path dir_;
};

std::vector<EventCells> CellsWithoutSlots(const std::vector<DatebookEvent>& events) {
    std::vector<EventCells> cells;
    for (const DatebookEvent& e : events) cells.push_back(CellsOfEvent(e));
    return cells;
}

TEST_F(ICal, AnIndependentReaderAndAnEmptyPhoneGetTheSameEvents) {
    SimPhone source("C350");
    AddHardEvents(source);
    const std::vector<DatebookEvent> events = ReadEvents(source);
    const ICalExport exported = ExportICalendar(events);
    EXPECT_TRUE(exported.notes.empty()) << ExportWarning(exported);
    EXPECT_EQ(exported.eventsWritten, static_cast<int>(events.size()));
    std::ofstream(dir_ / "datebook.ics", std::ios::binary) << exported.text;
    std::ofstream(dir_ / "read.py") << R"(import sys, icalendar
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
for e in calendar.walk('VEVENT'):
    rule = e.get('RRULE')
    alarms = [int(a.decoded('TRIGGER').total_seconds() // -60) for a in e.walk('VALARM')]
    print('|'.join([str(e.get('SUMMARY')), e.decoded('DTSTART').strftime('%m-%d-%Y %H:%M'),
                    str(int(e.decoded('DURATION').total_seconds() // 60)),
                    rule.to_ical().decode() if rule else '-',
                    str(alarms[0]) if alarms else '-']))
)";
    const test::CliRun run = test::RunInFolder(dir_, "/usr/bin/python3 read.py datebook.ics");
    ASSERT_EQ(run.status, 0) << run.err;

    const char* const weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    std::string expected;
    for (const DatebookEvent& e : events) {
        const CivilDate date = *ParseWireDate(e.startDate);
        const std::string rules[] = {
            "-",
            "FREQ=DAILY",
            "FREQ=WEEKLY",
            "FREQ=MONTHLY;BYDAY=" + std::to_string((date.day - 1) / 7 + 1) +
                weekdays[Weekday(date)],
            "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(date.day),
            "FREQ=YEARLY"};
        expected += e.title + "|" + e.startDate + " " + e.startTime + "|" + e.duration + "|" +
                    rules[e.repeatCode[0] - '0'] + "|" +
                    (e.alarmFlag == "1" ? std::to_string(*AlarmLeadMinutes(e)) : "-") + "\n";
    }
    EXPECT_EQ(run.out, expected);

    // Back through an empty phone: every column but the slot.
    SimPhone empty("C350", false);
    DatebookReport target;
    ReadEvents(empty, &target);
    const std::vector<ImportedEvent> imported = ParseICalendar(exported.text, target.titleLength);
    ASSERT_EQ(imported.size(), events.size());
    EXPECT_NE(exported.text.find("DTSTART;VALUE=DATE:20270107\r\n"), std::string::npos)
        << exported.text;
    EXPECT_NE(exported.text.find("DURATION:P1D\r\n"), std::string::npos) << exported.text;
    // Only the alarm after the start cannot come back as it was.
    for (size_t i = 0; i + 2 < imported.size(); ++i)
        EXPECT_TRUE(imported[i].notes.empty()) << imported[i].notes.front();
    EXPECT_TRUE(imported.back().notes.empty());
    EXPECT_EQ(imported.back().draft.timeFlag, "0");
    EXPECT_EQ(
        imported[imported.size() - 2].notes,
        (std::vector<std::string>{"напоминание после начала перенесено как напоминание в начале"}));
    {
        test::RecordingInteraction quiet;
        PhoneSession session(empty.settings);
        WriteDrafts(session, WritableDrafts(imported), target.slotUsed, quiet).RaiseFailure();
    }
    std::vector<DatebookEvent> back = ReadEvents(empty);
    ASSERT_EQ(back.size(), events.size());
    back[back.size() - 2].alarmTime = events[events.size() - 2].alarmTime;  // as noted
    EXPECT_EQ(back.back().firstFlag, "0");
    EXPECT_EQ(CellsWithoutSlots(back), CellsWithoutSlots(events));
    for (size_t i = 0; i < back.size(); ++i) EXPECT_EQ(back[i].alarmDate, events[i].alarmDate);
}

TEST_F(ICal, WhatThePhoneCannotHoldIsNamedAndTheRestGoesInQuietly) {
    const std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Test/Plus2\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0200\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:monthly\r\nDTSTART:20270115T090000\r\nDURATION:PT30M\r\n"
        "RRULE:FREQ=MONTHLY\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:weekly\r\nDTSTART:20270104T090000\r\nDURATION:PT30M\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:dtend\r\nDTSTART:20270104T090000\r\nDTEND:20270104T103000\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:utc\r\nDTSTART:20270101T070000Z\r\nDURATION:PT1H\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;VALUE=DATE-TIME:20270101T063000Z\r\n"
        "END:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:zoned\r\nDTSTART;TZID=Test/Plus2:20270101T100000\r\n"
        "DURATION:PT1H\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:every other week\r\nDTSTART:20270104T090000\r\n"
        "DURATION:PT30M\r\nRRULE:FREQ=WEEKLY;INTERVAL=2\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:five days\r\nDTSTART:20270104T090000\r\nDURATION:PT30M\r\n"
        "RRULE:FREQ=DAILY;COUNT=5\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:last friday\r\nDTSTART:20270129T090000\r\nDURATION:PT30M\r\n"
        "RRULE:FREQ=MONTHLY;BYDAY=-1FR\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:holiday\r\nDTSTART;VALUE=DATE:20270107\r\n"
        "DTEND;VALUE=DATE:20270108\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:long\r\nDTSTART:20270104T090000\r\nDURATION:PT2000M\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-P2D\r\nEND:VALARM\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:a title far too long\r\nDTSTART:20270104T090000\r\n"
        "DURATION:PT30M\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:no start\r\nDURATION:PT30M\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    struct Expected {
        const char* title;
        const char* code;
        CivilDate date;
        ClockTime time;
        int duration;
        int lead;  // -1: no alarm
        size_t notes;
    };
    const Expected expected[] = {
        {"monthly", "4", {2027, 1, 15}, {9, 0}, 30, -1, 0},
        {"weekly", "2", {2027, 1, 4}, {9, 0}, 30, -1, 0},
        {"dtend", "0", {2027, 1, 4}, {9, 0}, 90, -1, 0},
        {"utc", "0", {2027, 1, 1}, {10, 0}, 60, 30, 0},
        {"zoned", "0", {2027, 1, 1}, {11, 0}, 60, -1, 0},
        {"every othe", "2", {2027, 1, 4}, {9, 0}, 30, -1, 2},  // interval, title
        {"five days", "1", {2027, 1, 4}, {9, 0}, 30, -1, 1},
        {"last frida", "3", {2027, 1, 29}, {9, 0}, 30, -1, 2},  // negative BYDAY, title
        {"holiday", "0", {2027, 1, 7}, {0, 0}, 1440, -1, 0},    // untimed
        {"long", "0", {2027, 1, 4}, {9, 0}, 1440, 1440, 2},
        {"a title fa", "0", {2027, 1, 4}, {9, 0}, 30, -1, 1},
        {"no start", "0", {0, 0, 0}, {0, 0}, 0, -1, 1},
    };
    const std::vector<ImportedEvent> events = ParseICalendar(text, 10);
    ASSERT_EQ(events.size(), std::size(expected));
    for (size_t i = 0; i < events.size(); ++i) {
        const Expected& x = expected[i];
        const EventDraft& d = events[i].draft;
        SCOPED_TRACE(x.title);
        EXPECT_EQ(d.title, x.title);
        EXPECT_EQ(events[i].notes.size(), x.notes);
        EXPECT_EQ(events[i].writable, i + 1 < events.size());
        if (!events[i].writable) continue;
        EXPECT_EQ(d.repeatCode, x.code);
        EXPECT_EQ(d.timeFlag, std::string(x.title) == "holiday" ? "0" : "1");
        EXPECT_EQ(d.startDate, x.date);
        EXPECT_EQ(d.startTime, x.time);
        EXPECT_EQ(d.duration, x.duration);
        EXPECT_EQ(d.alarmOn, x.lead >= 0);
        if (x.lead >= 0) {
            EXPECT_EQ(d.lead, x.lead);
        }
    }

    // One warning names every changed event, the one without a start, the one for which no
    // slot was left and the one the phone refused.
    DraftsChange written;
    written.slotOf = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1};
    written.done = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    written.Refuse(0, "+CME ERROR: 4");
    const std::string warning = ImportWarning(events, written);
    EXPECT_EQ(warning.rfind("Не все события перенесены в телефон как есть:\r\n", 0), 0u);
    EXPECT_NE(warning.find("«monthly» 15.01.2027 09:00: телефон не принял событие "
                           "(+CME ERROR: 4)\r\n"),
              std::string::npos);
    EXPECT_NE(warning.find("«five days» 04.01.2027 09:00: повтор FREQ=DAILY;COUNT=5 "
                           "перенесён как «ежедневно»\r\n"),
              std::string::npos);
    EXPECT_NE(warning.find("«a title fa» 04.01.2027 09:00: заголовок укорочен до 10 знаков; нет "
                           "свободной ячейки: не записано\r\n"),
              std::string::npos);
    EXPECT_NE(warning.find("«no start»: нет времени начала: не записано"), std::string::npos);
    EXPECT_EQ(warning.find("weekly"), std::string::npos);
    EXPECT_EQ(warning.find("zoned"), std::string::npos);

    EXPECT_THROW(ParseICalendar("slot;title;date\r\n", 10), OrlinError);
    EXPECT_THROW(ParseICalendar("BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\n", 10), OrlinError);
}

// Our own export, edited, goes back in place: an edited event into its own slot, an unchanged
// one nowhere (it is there), one whose slot holds another event now and one of another phone
// to the free slots (the first with a note), and a refused write with the phone's answer.
TEST_F(ICal, OwnEventsGoBackIntoTheirSlots) {
    SimPhone phone("C350");
    std::vector<DatebookEvent> held = ReadEvents(phone);
    ASSERT_GE(held.size(), 4u);
    {
        test::RecordingInteraction quiet;
        PhoneSession session(phone.settings);
        ReadSkippedOccurrences(session, held, quiet);
    }
    const ItemIdentity identity{"k1", {}};
    const ItemIdentity other{"k2", {}};
    const int edited = held[0].slot, same = held[1].slot, moved = held[2].slot,
              refused = held[3].slot, foreign = held[4].slot;
    std::string text = ExportICalendar(held, &identity).text;
    for (int slot : {edited, moved, refused}) text = test::RetitledEvent(text, slot, "Moved");
    std::string otherText =
        test::RetitledEvent(ExportICalendar({held[4]}, &other).text, foreign, "Foreign");
    phone.edit([&](phonesim::PhoneState& s) { s.contents.events.at(moved).title = "Other"; });
    const size_t count = phone.state().contents.events.size();

    std::vector<ImportedEvent> events = ParseICalendar(text, 64);
    const std::vector<ImportedEvent> more = ParseICalendar(otherText, 64);
    events.insert(events.end(), more.begin(), more.end());
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBW=" + std::to_string(refused) + ",";
    faults.errorLine = "+CME ERROR: 10";
    phone->setFaults(faults);
    const std::vector<DatebookEvent> now = ReadEvents(phone);
    phone.mark();
    SlotChange change;
    {
        test::RecordingInteraction quiet;
        PhoneSession session(phone.settings);
        change = PutBackInPlace(session, events, now, "k1", quiet);
    }
    EXPECT_FALSE(change.Failed());
    EXPECT_EQ(change.done, std::vector<int>{edited});
    EXPECT_EQ(change.refused, std::vector<int>{refused});
    EXPECT_EQ(change.refusals, std::vector<std::string>{"+CME ERROR: 10"});
    EXPECT_EQ(phone.sinceStarting("AT+MDBW=").size(), 2u);
    EXPECT_EQ(phone.state().contents.events.at(edited).title, "Moved");
    EXPECT_EQ(phone.state().contents.events.at(moved).title, "Other");
    EXPECT_EQ(phone.state().contents.events.size(), count);
    const auto of = [&](int slot) {
        for (const ImportedEvent& e : events)
            if (e.slot == slot &&
                e.uid.find(slot == foreign ? "-k2-" : "-k1-") != std::string::npos)
                return e;
        ADD_FAILURE() << slot;
        return ImportedEvent{};
    };
    EXPECT_TRUE(of(edited).alreadyThere);
    EXPECT_TRUE(of(same).alreadyThere);
    EXPECT_TRUE(of(refused).alreadyThere);
    EXPECT_FALSE(of(moved).alreadyThere);
    EXPECT_EQ(of(moved).notes, std::vector<std::string>{"ячейка " + std::to_string(moved) +
                                                        " хранит теперь другое событие: "
                                                        "записано в свободную"});
    EXPECT_FALSE(of(foreign).alreadyThere);
    EXPECT_TRUE(of(foreign).notes.empty());
    const std::vector<EventDraft> drafts = WritableDrafts(events);
    ASSERT_EQ(drafts.size(), 2u);
    EXPECT_EQ(drafts[0].title, "Moved");
    EXPECT_EQ(drafts[1].title, "Foreign");
}

}  // namespace
}  // namespace orlin
