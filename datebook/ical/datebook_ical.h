#pragma once
// The datebook as an iCalendar file (RFC 5545), read and written with libical, so that the
// events travel to and from every calendar program.
//
// One VEVENT per event: SUMMARY the title, DTSTART the start as a floating local date-time
// (an untimed event, time flag 0, as a date: DTSTART;VALUE=DATE, DURATION in days; an
// all-day event read from a file becomes one),
// DURATION PT<n>M, a VALARM (ACTION:DISPLAY, TRIGGER:-PT<lead>M) when the alarm is on, and
// the repeat as an RRULE: FREQ=DAILY, FREQ=WEEKLY, FREQ=MONTHLY;BYDAY=<n><weekday of the
// start> ("ежемесячно (день)", n = (day - 1) div 7 + 1), FREQ=MONTHLY;BYMONTHDAY=<day>
// ("ежемесячно (дата)"), FREQ=YEARLY. X-ORLIN-SLOT names the event's slot; each skipped
// occurrence n of a repeating event is written twice: as X-ORLIN-EXCEPTION:<n>, which our own
// restore writes back as it was read, and as an EXDATE of the occurrence's date and start
// time (the date of occurrence n: datebook_skipped.h), which other programs understand.

#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "datebook/datebook_write.h"
#include "link/stable_id.h"

namespace orlin {

// One event written with an identity: its UID (orlin-<phone key>-<slot>@datebook), the hash
// of what it says (X-ORLIN-HASH) and a calendar file of it alone (the item of a vdir).
struct ICalItem {
    int slot = 0;
    std::string uid;
    std::string hash;
    std::string text;
};

struct ICalExport {
    std::string text;                // the iCalendar file, UTF-8 with CR LF line ends
    std::vector<ICalItem> items;     // with an identity: the events written, in order
    int eventsWritten = 0;           // the VEVENTs in it
    std::vector<std::string> notes;  // an event that could not be written as it is, each
                                     // named with what was left out (UTF-8)
};
// Without an identity the UID holds the export time and DTSTAMP is that time; with one each
// event carries its own UID, the stamp of its content as DTSTAMP and X-ORLIN-HASH, so that an
// unchanged phone gives the same bytes.
ICalExport ExportICalendar(const std::vector<DatebookEvent>& events,
                           const ItemIdentity* identity = nullptr);

// One VEVENT of a file, as the phone can hold it.
struct ImportedEvent {
    EventDraft draft;
    bool writable = true;  // false: nothing the phone could hold (no start, a start or a
                           // duration that cannot be, a date that does not exist)
    // The slot it was saved from (X-ORLIN-SLOT, or the slot in our own UID); -1 unknown.
    int slot = -1;
    // Its skipped occurrences (X-ORLIN-EXCEPTION, else the EXDATEs that fall on an
    // occurrence), ascending. A plain import does not write them; a restore does.
    std::vector<int> skipped;
    // The phone holds an event of the same title, start time and date: not written again.
    bool alreadyThere = false;
    std::string uid;              // UID as the file has it
    std::string orlinHash;        // X-ORLIN-HASH: the content hash of our own export
    Utf8Text label;               // «title» 07.12.2026 09:30
    std::vector<Utf8Text> notes;  // what had to change on the way
};

// The events of an iCalendar text in file order. What the phone cannot hold is brought as
// close as it can be and named in the event's notes: an RRULE with INTERVAL, COUNT, UNTIL,
// a negative BYDAY or another pattern; added dates, skipped dates that are no occurrence; a
// duration or an alarm lead over 1440 minutes; a title longer than
// `titleLength` characters (no limit when 0). A date or time that does not exist
// (20270230, T250000) in the start, the end, a skipped date or the alarm, and a duration over
// a year, make the event not writable, with the reason. UTC and TZID start times become local time.
// Without the same the other programs write for the same things (FREQ=MONTHLY without BY part,
// FREQ=WEEKLY;BYDAY= the start's weekday, DTEND instead of DURATION) no note is made. Raises
// OrlinError when the text is not an iCalendar file.
std::vector<ImportedEvent> ParseICalendar(const std::string& text, int titleLength);

// Marks the events of which the phone holds one with the same title, start time and date
// (an import run again after a stop writes only what is missing; the file's own repeats count
// too). Returns how many.
int MarkAlreadyThere(std::vector<ImportedEvent>& events, const std::vector<DatebookEvent>& held);

// The drafts of the events that can be written and are not there already, in file order
// (what WriteDrafts takes).
std::vector<EventDraft> WritableDrafts(const std::vector<ImportedEvent>& events);

// The one warning after an import (UTF-8): every event that was changed on the way,
// not sent for want of a free slot or a start, refused by the phone, left without an answer
// or not sent because the writing stopped half-way, with the reasons. Empty when every event
// went in as it was.
std::string ImportWarning(const std::vector<ImportedEvent>& events, const DraftsChange& written);

// The warning after an export (UTF-8), empty when every event was written as it is.
std::string ExportWarning(const ICalExport& exported);

// The longest duration an event may have in a file: a longer one is no event the phone
// could hold even cut (nor one a person meant).
inline constexpr int64_t kMostEventMinutes = 366LL * 1440;

// The event an imported one is on the phone in `slot`, with its skipped occurrences: what a
// restore writes and compares.
DatebookEvent EventOfImported(const ImportedEvent& imported, int slot);

}  // namespace orlin
