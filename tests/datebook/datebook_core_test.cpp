// The datebook core without a phone: the write command the dialog builds (the alarm on its
// own day), the lead an edit offers, the cells of odd codes, the free share and the days on
// which repeating events fall.

#include <gtest/gtest.h>

#include "datebook/datebook_event.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "link/errors.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

EventDraft Draft(const std::string& title, CivilDate date, ClockTime time, int lead,
                 bool alarm = true, const std::string& repeat = "2") {
    EventDraft d;
    d.title = title;
    d.startDate = date;
    d.startTime = time;
    d.lead = lead;
    d.alarmOn = alarm;
    d.duration = 60;
    d.repeatCode = repeat;
    return d;
}

TEST(WriteCommand, AlarmIsTheStartMinusTheLeadOnItsOwnDay) {
    struct Case {
        EventDraft draft;
        std::string command;
    };
    const Case cases[] = {
        // The worked example, and the same-day leads of 15, 20, 90 and 60 minutes.
        {Draft("Hi", {2004, 1, 24}, {9, 30}, 15),
         R"(AT+MDBW=3,00480069,1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",2)"},
        {Draft("A", {2004, 1, 24}, {10, 15}, 15),
         R"(AT+MDBW=3,0041,1,1,"10:15","01-24-2004",60,"10:00","01-24-2004",2)"},
        {Draft("A", {2004, 1, 24}, {10, 15}, 20),
         R"(AT+MDBW=3,0041,1,1,"10:15","01-24-2004",60,"09:55","01-24-2004",2)"},
        {Draft("A", {2004, 1, 24}, {10, 15}, 90),
         R"(AT+MDBW=3,0041,1,1,"10:15","01-24-2004",60,"08:45","01-24-2004",2)"},
        {Draft("A", {2004, 1, 24}, {10, 15}, 60),
         R"(AT+MDBW=3,0041,1,1,"10:15","01-24-2004",60,"09:15","01-24-2004",2)"},
        // Before midnight: the day before, across a month, a leap day and a year.
        {Draft("A", {2004, 1, 24}, {0, 10}, 15),
         R"(AT+MDBW=3,0041,1,1,"00:10","01-24-2004",60,"23:55","01-23-2004",2)"},
        {Draft("A", {2004, 3, 1}, {0, 0}, 1),
         R"(AT+MDBW=3,0041,1,1,"00:00","03-01-2004",60,"23:59","02-29-2004",2)"},
        {Draft("A", {2005, 1, 1}, {8, 0}, 1440),
         R"(AT+MDBW=3,0041,1,1,"08:00","01-01-2005",60,"08:00","12-31-2004",2)"},
        // Alarm off: flag 0, "00:00" and "00-00-2000" whatever the lead.
        {Draft("A", {2004, 1, 24}, {0, 10}, 15, false, "0"),
         R"(AT+MDBW=3,0041,1,0,"00:10","01-24-2004",60,"00:00","00-00-2000",0)"},
        // A year before 1000 (from a file) still has its four digits.
        {Draft("A", {42, 1, 24}, {9, 30}, 15),
         R"(AT+MDBW=3,0041,1,1,"09:30","01-24-0042",60,"09:15","01-24-0042",2)"},
        // "№" is a character of the full table; a raw repeat code goes out unchanged.
        {Draft("№", {2004, 1, 24}, {9, 30}, 15, true, "7"),
         R"(AT+MDBW=3,2116,1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",7)"},
        // Any character of UCS2 goes as it is; one beyond it (an emoji) as '?'.
        {Draft("Żółć 中文 🎉", {2004, 1, 24}, {9, 30}, 15),
         R"(AT+MDBW=3,017B00F30142010700204E2D65870020003F,1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",2)"},
    };
    for (const Case& c : cases) EXPECT_EQ(WriteCommand(3, c.draft), c.command);
}

DatebookEvent Event(const std::string& start, const std::string& date, const std::string& alarm,
                    const std::string& alarmDate, const std::string& flag = "1") {
    DatebookEvent e;
    e.slot = 4;
    e.title = "A";
    e.startTime = start;
    e.startDate = date;
    e.duration = "30";
    e.alarmTime = alarm;
    e.alarmDate = alarmDate;
    e.alarmFlag = flag;
    e.repeatCode = "1";
    return e;
}

TEST(EditValues, TheLeadComesFromTheAlarmClampedTo1To1440) {
    struct Case {
        DatebookEvent event;
        int lead;
        bool alarmOn;
    };
    const Case cases[] = {
        {Event("09:30", "01-24-2004", "09:15", "01-24-2004"), 15, true},
        {Event("00:10", "01-24-2004", "23:55", "01-23-2004"), 15, true},
        {Event("08:00", "01-01-2005", "08:00", "12-31-2004"), 1440, true},
        {Event("08:00", "01-03-2005", "08:00", "12-31-2004"), 1440, true},  // more: clamped
        {Event("08:00", "01-03-2005", "09:00", "01-03-2005"), 1, true},     // after the start
        {Event("08:00", "01-03-2005", "xx", "01-03-2005"), 1, true},        // does not parse
        {Event("08:00", "01-03-2005", "00:00", "00-00-2000", "0"), 1, false},
    };
    for (const Case& c : cases) {
        const EditValues v = EditValuesOfEvent(c.event);
        EXPECT_EQ(v.draft.lead, c.lead) << c.event.alarmTime << " " << c.event.alarmDate;
        EXPECT_EQ(v.draft.alarmOn, c.alarmOn);
        EXPECT_EQ(v.slot, 4);
    }
    // Unchanged values write the same alarm back.
    const EditValues v = EditValuesOfEvent(cases[1].event);
    EXPECT_EQ(EventOfDraft(v.slot, v.draft).alarmDate, "01-23-2004");

    for (const char* date : {"1x-24-2004", "02-30-2004", ""})
        EXPECT_THROW(EditValuesOfEvent(Event("09:30", date, "09:15", "01-24-2004")), EConvertError)
            << date;
    EXPECT_THROW(EditValuesOfEvent(Event("25:00", "01-24-2004", "09:15", "01-24-2004")),
                 EConvertError);
}

TEST(EventCells, OddCodesKeepTheirOwnCellAndGoBackUnchanged) {
    DatebookEvent e = Event("09:30", "01-24-2004", "09:15", "01-24-2004", "2");
    e.repeatCode = "7";
    const EventCells cells = CellsOfEvent(e);
    EXPECT_EQ(cells[CellRepeat], "7");
    EXPECT_EQ(cells[CellState], "2");
    EXPECT_EQ(cells[CellDuration], "30");
    EXPECT_EQ(EventOfRow("4", cells, e.alarmDate), e);

    e.repeatCode = "3";
    e.alarmFlag = "0";
    const EventCells known = CellsOfEvent(e);
    EXPECT_EQ(known[CellRepeat], "ежемесячно (день)");
    EXPECT_EQ(known[CellState], "выкл.");
    EXPECT_EQ(EventOfRow("4", known, e.alarmDate), e);
    EXPECT_THROW(EventOfRow("x", known, e.alarmDate), EConvertError);
}

TEST(FreeShare, ThreeSignificantDigits) {
    const auto share = [](bool read, int last, int stored) {
        DatebookReport r;
        r.rangeRead = read;
        r.lastSlot = last;
        r.stored = stored;
        return FreeShareText(r);
    };
    EXPECT_EQ(share(true, 249, 7), "97.2");
    EXPECT_EQ(share(true, 500, 12), "97.6");
    EXPECT_EQ(share(true, 2, 1), "66.7");
    EXPECT_EQ(share(true, 0, 0), "100");
    EXPECT_EQ(share(true, 9999, 9999), "0.01");
    EXPECT_EQ(share(false, 0, 0), "100");
    EXPECT_EQ(FirstFreeSlot({1, 1, 0, 0}), 2);
    EXPECT_EQ(FirstFreeSlot({1, 1}), -1);
    EXPECT_EQ(FirstFreeSlot({}), -1);
}

TEST(EventFallsOn, TheStartAndEveryRepeat) {
    // 2026-12-07 is the first Monday of December.
    struct Case {
        std::string code;
        CivilDate day;
        bool falls;
    };
    const Case cases[] = {
        {"0", {2026, 12, 7}, true},   {"0", {2026, 12, 8}, false}, {"1", {2026, 12, 6}, false},
        {"1", {2027, 3, 2}, true},    {"2", {2026, 12, 14}, true}, {"2", {2026, 12, 15}, false},
        {"3", {2027, 1, 4}, true},    {"3", {2027, 1, 11}, false}, {"4", {2027, 1, 7}, true},
        {"4", {2027, 1, 8}, false},   {"5", {2027, 12, 7}, true},  {"5", {2027, 11, 7}, false},
        {"9", {2026, 12, 14}, false},
    };
    for (const Case& c : cases) {
        DatebookEvent e = Event("09:00", "12-07-2026", "08:45", "12-07-2026");
        e.repeatCode = c.code;
        EXPECT_EQ(EventFallsOn(e, c.day), c.falls)
            << c.code << " " << c.day.month << "-" << c.day.day;
    }
}

}  // namespace
}  // namespace orlin
