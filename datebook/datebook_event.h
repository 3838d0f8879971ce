#pragma once
// One datebook event as the phone exchanges it: the ten fields of an "+MDBR:" line (slot,
// title, first flag, alarm flag, start time, start date, duration, alarm time, alarm date,
// repeat code), the repeat codes with their texts, and the seven cells the event list shows
// after the slot. Dates on the wire are MM-DD-YYYY and times HH:MM, both in quotes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/response_fields.h"

namespace orlin {

// The fields of its line are those ParseEventLine reads (title in UTF-8, decoded from
// the phone's UCS2). The time flag (firstFlag) is "0" when the start time means nothing (an untimed
// event, such as an all-day reminder), "1" otherwise; it, the alarm flag ("1" on, "0" off) and
// the repeat code ("0".."5") are kept as the phone sent them and written back so.
struct DatebookEvent : EventLineFields {
    // A new event: timed, no alarm (with the time and date an event without alarm carries), no
    // repeat.
    DatebookEvent() {
        firstFlag = "1";
        alarmFlag = "0";
        alarmTime = "00:00";
        alarmDate = "00-00-2000";
        repeatCode = "0";
    }
    // The event of a slot as its line reads.
    DatebookEvent(int slot, const EventLineFields& line) : EventLineFields(line), slot(slot) {}

    int slot = 0;
    // Skipped occurrences of a repeating event, ascending: the n of the phone's
    // "+MDBRE: <slot>,<n>,1" lines, which only a range read sends (datebook_skipped.h).
    std::vector<int> skipped;
    // Later models send an extended line: an end time and end date after the repeat code and
    // more fields after them, often with the duration field empty. The duration then comes
    // from the end. An edit writes back what was read.
    bool extended = false;
    bool durationFromEnd = false;          // the phone's duration field was empty
    std::string endTime;                   // HH:MM
    std::string endDate;                   // MM-DD-YYYY
    std::vector<std::string> extraFields;  // the fields after the end date, as they came
    bool operator==(const DatebookEvent&) const = default;
};

// An untimed event: its time flag is "0" and its start time means nothing.
inline bool IsUntimed(const DatebookEvent& event) {
    return event.firstFlag == "0";
}

// The repeat codes 0..5 and their texts, which are also the dialog's repeat items in code
// order: "нет", "ежедневно", "еженедельно", "ежемесячно (день)", "ежемесячно (дата)",
// "ежегодно" (UTF-8, as every cell).
inline constexpr int kRepeatCodeCount = 6;
const std::vector<std::string>& RepeatTexts();

// The list's seven cells after the slot: title, start time (blank for an untimed event),
// alarm time, start date, duration, repeat text, alarm state ("вкл."/"выкл."). A repeat
// code outside 0..5 or an
// alarm flag other than 0 and 1 takes its cell all the same, showing the raw value, so that
// every later cell stays in its column.
using EventCells = std::array<std::string, 7>;
enum EventCell { CellTitle, CellStart, CellAlarm, CellDate, CellDuration, CellRepeat, CellState };
EventCells CellsOfEvent(const DatebookEvent& event);
std::string RepeatCellText(const std::string& code);
std::string AlarmStateCellText(const std::string& flag);
// The code a repeat cell stands for (the cell itself when it is a raw code), and the flag of
// a state cell.
std::string RepeatCodeOfCell(const std::string& cell);
std::string AlarmFlagOfCell(const std::string& cell);

// The event of a list row: its caption (the slot), its cells and the alarm date it keeps
// hidden. Raises EConvertError when the caption is not a number.
DatebookEvent EventOfRow(const std::string& caption, const EventCells& cells,
                         const std::string& alarmDate);

// The event in the answer to "AT+MDBR=slot": the fields of its "+MDBR:" line, wherever the
// line stands (skipped occurrences of a repeating event come as "+MDBRE:" lines before it).
// Nothing when the answer has no such line. The slot is the one asked for. A title in double
// quotes is read as DecodeUcs2Field reads it, and a line of twelve fields or more as the
// extended line; its fields are cut at commas outside quotes.
std::optional<DatebookEvent> EventFromAnswer(int slot, const std::string& response);

// The minutes from the start to the end of an extended event ("" when a field does not parse
// or the end lies before the start), and the end that the start and the duration give (left
// as it is when they do not parse).
std::string DurationFromEnd(const DatebookEvent& event);
void SetEndFromDuration(DatebookEvent& event);

// --- dates and times on the wire, in local time without zone or daylight saving ---

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};
struct ClockTime {
    int hour = 0;
    int minute = 0;
    bool operator==(const ClockTime&) const = default;
};

bool IsRealDate(const CivilDate& date);
// "MM-DD-YYYY" with a real date; nothing otherwise.
std::optional<CivilDate> ParseWireDate(const std::string& text);
// "HH:MM" with hours 00..23 and minutes 00..59; nothing otherwise.
std::optional<ClockTime> ParseWireTime(const std::string& text);
std::string WireDate(const CivilDate& date);  // 01-24-2004
std::string WireTime(const ClockTime& time);  // 09:05

// Days since 1970-01-01 and back (proleptic Gregorian).
int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(int64_t days);
// 0 Monday .. 6 Sunday.
int Weekday(const CivilDate& date);
// Minutes since 1970-01-01 00:00 of a local date and time, and back.
int64_t MinutesOf(const CivilDate& date, const ClockTime& time);
void FromMinutes(int64_t minutes, CivilDate& date, ClockTime& time);

// True when the event falls on `day`: its start date, and for a repeating event every later
// day its repeat code names (daily; weekly; the same weekday in the same week of the month;
// the same day of the month; the same day of the year). Skipped occurrences are not known.
bool EventFallsOn(const DatebookEvent& event, const CivilDate& day);

}  // namespace orlin
