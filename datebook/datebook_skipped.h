#pragma once
// Skipped occurrences of repeating events. A phone announces them as "+MDBRE: <slot>,<n>,1"
// lines before the event's line, in a range read ("AT+MDBR=a,b") only, and skips occurrence n
// on "AT+MDBWE=<slot>,<n>,1" ("AT+MDBWE=<slot>,0,0" deletes the event).
//
// Which date occurrence n is no public source says. Ours: occurrence 1 is the event's start
// date, and occurrence n the n-th day, counting from the start, on which EventFallsOn holds
// (daily: start + n - 1 days; weekly: start + 7(n - 1) days; monthly and yearly: the n-th month
// or year that has the day, so a 31st skips the shorter months and a 29 February the
// common years). The backup keeps n itself beside the date, so that its own restore writes
// back exactly what it read.

#include <optional>
#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "link/interaction.h"
#include "link/phone_session.h"

namespace orlin {

// The date of occurrence n (from 1) of a repeating event; nothing for n < 1, an event that
// does not repeat or whose start does not parse, and a date beyond the year 9999.
std::optional<CivilDate> OccurrenceDate(const DatebookEvent& event, int n);

// The n of the occurrence on `date`; nothing when the event does not fall on it.
std::optional<int> OccurrenceNumber(const DatebookEvent& event, const CivilDate& date);

// The n of the "+MDBRE: <slot>,<n>,1" lines of an answer that name `slot`, ascending.
std::vector<int> SkippedFromAnswer(int slot, const std::string& response);

// "AT+MDBWE=<slot>,<n>,1".
std::string SkipOccurrenceCommand(int slot, int n);

// Reads every repeating event of `events` again as a range of one slot ("AT+MDBR=i,i") and
// sets its `skipped`, inside "AT+MDBL=1" ... "AT+MDBL=0" (a phone that refuses the lock is
// read without it). Returns the slots whose range read the phone refused: their skipped
// occurrences are not known. A port failure raises after the unlock was tried.
// processEvents() and progress() between slots.
std::vector<int> ReadSkippedOccurrences(PhoneSession& session, std::vector<DatebookEvent>& events,
                                        Interaction& interaction);

// "Не удалось прочитать пропущенные повторы событий в ячейках 3, 7.", or empty.
std::string UnreadSkippedText(const std::vector<int>& slots);

}  // namespace orlin
