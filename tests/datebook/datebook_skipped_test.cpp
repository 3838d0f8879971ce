// Skipped occurrences of repeating events: which date occurrence n is, the phone's lines that
// name them, and their way through an iCalendar file; strict dates in a file, and an import
// run twice.

#include "datebook/datebook_skipped.h"

#include <gtest/gtest.h>

#include "datebook/ical/datebook_ical.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

DatebookEvent Repeating(const std::string& date, const std::string& code) {
    DatebookEvent event;
    event.slot = 7;
    event.title = "x";
    event.startTime = "09:30";
    event.startDate = date;
    event.duration = "60";
    event.repeatCode = code;
    return event;
}

TEST(Occurrences, OccurrenceOneIsTheStartAndEachLaterOneADayTheEventFallsOn) {
    const struct {
        std::string start;
        std::string code;
        int n;
        CivilDate date;
    } cases[] = {
        {"01-30-2027", "1", 1, {2027, 1, 30}},  // the start itself
        {"01-30-2027", "1", 3, {2027, 2, 1}},   // daily
        {"12-27-2027", "2", 2, {2028, 1, 3}},   // weekly over the year's end
        {"01-31-2027", "4", 2, {2027, 3, 31}},  // the 31st: February has none
        {"01-31-2027", "4", 4, {2027, 7, 31}},  // ... nor April, nor June
        {"02-29-2028", "5", 2, {2032, 2, 29}},  // 29 February: the leap years only
        {"01-29-2027", "3", 2, {2027, 4, 30}},  // the 5th Friday: February, March have none
        {"01-29-2027", "3", 3, {2027, 7, 30}},  // nor have May and June
        {"01-04-2027", "3", 2, {2027, 2, 1}},   // the first Monday
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + " code " + c.code + " n " + std::to_string(c.n));
        const DatebookEvent event = Repeating(c.start, c.code);
        ASSERT_EQ(OccurrenceDate(event, c.n), c.date);
        EXPECT_EQ(OccurrenceNumber(event, c.date), c.n);
        EXPECT_TRUE(EventFallsOn(event, c.date));
    }
    EXPECT_EQ(OccurrenceDate(Repeating("01-30-2027", "0"), 1), std::nullopt);
    EXPECT_EQ(OccurrenceDate(Repeating("01-30-2027", "1"), 0), std::nullopt);
    EXPECT_EQ(OccurrenceNumber(Repeating("01-04-2027", "2"), {2027, 1, 5}), std::nullopt);
}

TEST(Occurrences, OnlyTheLinesOfTheSlotWithFlagOneCount) {
    const std::string answer =
        "\r\n+MDBRE: 7,5,1\r\n\r\n+MDBRE: 7,2,1\r\n\r\n+MDBRE: 8,3,1\r\n\r\n+MDBRE: 7,9,0\r\n"
        "\r\n+MDBRE: 7,x,1\r\n\r\n+MDBR: 7,0078,1,0,\"09:30\",\"01-30-2027\",60,\"00:00\","
        "\"00-00-2000\",1\r\n\r\nOK\r\n";
    EXPECT_EQ(SkippedFromAnswer(7, answer), (std::vector<int>{2, 5}));
    EXPECT_EQ(SkipOccurrenceCommand(7, 5), "AT+MDBWE=7,5,1");
}

// A phone answers the skipped occurrences only to a range read: the single-slot read of the
// list does not see them, the range of one does.
TEST(Occurrences, ARangeReadOfOneSlotBringsThemBack) {
    test::SimPhone phone("C350");
    const auto held = phone.state().contents.events;
    std::vector<DatebookEvent> events;
    for (const auto& [slot, e] : held) {
        DatebookEvent event;
        event.slot = slot;
        event.repeatCode = std::to_string(e.repeat);
        events.push_back(event);
    }
    PhoneSession session(phone.settings);
    Interaction quiet;
    phone.mark();
    EXPECT_TRUE(ReadSkippedOccurrences(session, events, quiet).empty());
    int withSkips = 0;
    for (const DatebookEvent& event : events) {
        EXPECT_EQ(event.skipped, held.at(event.slot).exceptions) << event.slot;
        withSkips += !event.skipped.empty();
    }
    EXPECT_GT(withSkips, 0);
    for (const std::string& command : phone.since())
        EXPECT_TRUE(command.rfind("AT+MDBL=", 0) == 0 || command.find(',') != std::string::npos)
            << command;
}

// Our own file keeps n as it was read and its date for other programs; a foreign file's
// EXDATEs count when they fall on an occurrence.
TEST(Occurrences, ThroughAnICalendarFile) {
    DatebookEvent event = Repeating("01-30-2027", "1");
    event.skipped = {2, 4};
    const ICalExport exported = ExportICalendar({event});
    EXPECT_NE(exported.text.find("X-ORLIN-SLOT:7\r\n"), std::string::npos) << exported.text;
    EXPECT_NE(exported.text.find("X-ORLIN-EXCEPTION:2\r\n"), std::string::npos);
    EXPECT_NE(exported.text.find("EXDATE:20270131T093000\r\n"), std::string::npos);
    EXPECT_NE(exported.text.find("EXDATE:20270202T093000\r\n"), std::string::npos);
    const std::vector<ImportedEvent> back = ParseICalendar(exported.text, 0);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].slot, 7);
    EXPECT_EQ(back[0].skipped, (std::vector<int>{2, 4}));
    EXPECT_EQ(EventOfImported(back[0], 7).skipped, event.skipped);

    const std::string foreign =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:orlin-1-12@datebook\r\n"
        "SUMMARY:w\r\nDTSTART:20270104T090000\r\nRRULE:FREQ=WEEKLY\r\n"
        "EXDATE:20270118T090000,20270119T090000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const std::vector<ImportedEvent> read = ParseICalendar(foreign, 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].slot, 12) << "our own UID names the slot";
    EXPECT_EQ(read[0].skipped, std::vector<int>{3});
    ASSERT_EQ(read[0].notes.size(), 1u);
    EXPECT_NE(read[0].notes[0].find("20270119T090000"), std::string::npos);
}

TEST(ICalStrict, DatesThatDoNotExistAndHugeDurationsAreRefusedWithTheEventNamed) {
    const auto event = [](const std::string& lines) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:e\r\n" + lines +
               "END:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    const struct {
        std::string lines;
        std::string note;  // UTF-8; empty: writable
    } cases[] = {
        {"DTSTART:20270228T235900\r\nDURATION:PT1H\r\n", ""},
        {"DTSTART:20270230T093000\r\n", "начало 20270230T093000 не существует: не записано"},
        {"DTSTART:20270101T250000\r\n", "начало 20270101T250000 не существует: не записано"},
        {"DTSTART:20270101T096000\r\n", "начало 20270101T096000 не существует: не записано"},
        {"DTSTART:20270101T090000\r\nDTEND:20270132T090000\r\n",
         "конец 20270132T090000 не существует: не записано"},
        {"DTSTART:20270101T090000\r\nDURATION:P99999999W\r\n",
         "длительность 1007999989920 мин больше года: не записано"},
        {"DTSTART:20270101T090000\r\nRRULE:FREQ=DAILY\r\nEXDATE:20270231T090000\r\n",
         "пропущенная дата 20270231T090000 не существует: не записано"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const std::vector<ImportedEvent> events = ParseICalendar(event(c.lines), 0);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].writable, c.note.empty());
        if (c.note.empty()) continue;
        ASSERT_FALSE(events[0].notes.empty());
        EXPECT_EQ(events[0].notes.back(), c.note);
        EXPECT_NE(ImportWarning(events, {}).find("«e»"), std::string::npos);
    }
}

TEST(ICalImport, AnEventThePhoneHoldsIsNotWrittenAgain) {
    DatebookEvent held = Repeating("01-30-2027", "0");
    held.title = "Встреча";
    const std::string text = ExportICalendar({held, Repeating("02-01-2027", "0")}).text;
    std::vector<ImportedEvent> events = ParseICalendar(text + text, 0);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(MarkAlreadyThere(events, {held}), 3) << "the phone's one and the file's repeats";
    EXPECT_EQ(WritableDrafts(events).size(), 1u);
    EXPECT_EQ(ImportWarning(events, {}).find("Встреча"), std::string::npos);
}

}  // namespace
}  // namespace orlin
