#pragma once
// Changing the phone's datebook: the write command the event dialog builds, writing one event
// and several, deleting events, and the automatic deletion of old events. Every change looks
// at the phone's answer: a refusal ("ERROR", "+CME ERROR: n") comes back with the phone's
// answer line, so that the user hears of it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datebook/datebook_event.h"
#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"

namespace orlin {

// What the event dialog (or the command line) holds when the user confirms.
struct EventDraft {
    Utf8Text title;
    CivilDate startDate;
    ClockTime startTime;
    bool alarmOn = true;
    int duration = 60;  // minutes
    int lead = 15;      // minutes between the alarm and the start
    std::string repeatCode = "0";
    // What an edit keeps of the event as the phone sent it: the time flag ("0": an untimed
    // event) and the extended line's own fields; a new event is timed and has none.
    std::string timeFlag = "1";
    bool extended = false;
    bool durationFromEnd = false;
    std::vector<std::string> extraFields;
};

// The alarm of an event: its start minus `lead` minutes, on whatever day that falls.
void AlarmOf(const CivilDate& startDate, const ClockTime& startTime, int lead, CivilDate& alarmDate,
             ClockTime& alarmTime);

// The event a draft describes in `slot`: the draft's time flag ("1" unless an edit kept "0");
// with the alarm on, alarm flag "1" and the alarm's own time and date; with it off, "0",
// "00:00" and "00-00-2000". An extended event gets its end from the start and the duration.
DatebookEvent EventOfDraft(int slot, const EventDraft& draft);

// "AT+MDBW=" and the ten fields of the event, the title in phone text:
// AT+MDBW=3,00480069,1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",2
// An extended event adds its end time and date and the fields after them, and leaves the
// duration empty when the phone did.
std::string WriteCommand(const DatebookEvent& event);
std::string WriteCommand(int slot, const EventDraft& draft);

// The minutes between an event's alarm and its start (negative when the alarm rings after
// it); nothing when a date or time field does not parse.
std::optional<int64_t> AlarmLeadMinutes(const DatebookEvent& event);
// The lead the dialog offers when editing: AlarmLeadMinutes clamped to 1..1440, 1 when it is
// not known.
int LeadOfEvent(const DatebookEvent& event);

// The dialog's values for editing the event of a list row. The date cell gives the month in
// characters 1-2, the day in 4-5 and the year in 7-10, the start time hours and minutes
// around ":", the duration a number: each raises EConvertError when it is not one. The alarm
// comes from the state cell (a raw flag keeps the dialog's status: `alarmKnown` false), the
// lead from the alarm when it is on (1 when off), the repeat code as the row has it.
struct EditValues {
    int slot = 0;
    EventDraft draft;
    bool alarmKnown = true;
    // The lead as the alarm gives it, not clamped (2880 for an alarm two days ahead): what an
    // edit that leaves the lead alone writes back.
    int leadAsRead = 1;
};
EditValues EditValuesOfEvent(const DatebookEvent& event);

// --- sending ---

struct PhoneAnswer {
    bool taken = false;
    std::string line;  // the phone's final answer line when it refused, without CR LF
};

// Writes one event: "AT+CSCS=UCS2", "AT+MDBL=1", the command, "AT+MDBL=0" (also when a
// command raises). When the phone refuses UCS2 the title could only be stored as its digits,
// so nothing is written and that refusal comes back. A phone that has no lock (it answers
// the lock with a plain ERROR) is written without one, and gets no unlock.
PhoneAnswer WriteEvent(PhoneSession& session, const std::string& command);

// What a write of drafts did, by the slots they went to: `slotOf[i]` is the slot draft i was
// sent to (-1: not sent: no free slot was left, the phone refused the character set, or a
// failure came first); that slot is in `done`, in `refused` (with the answer line) or is
// `unanswered`. refusedAccess: the phone refused AT+CSCS=UCS2 and nothing was sent.
struct DraftsChange : SlotChange {
    std::vector<int> slotOf;
    // Whether the phone answered OK to draft i.
    bool taken(size_t i) const;
    // The phone's answer line when it refused draft i, else empty.
    std::string refusalOf(size_t i) const;
};

// Writes drafts into the free slots of `slotUsed` in ascending order, inside one lock as
// WriteEvent does; a draft for which no free slot is left is not sent. A port failure or a
// time-out ends it with change.failure: no draft after the unanswered one was sent.
DraftsChange WriteDrafts(PhoneSession& session, const std::vector<EventDraft>& drafts,
                         const std::vector<uint8_t>& slotUsed, Interaction& interaction);

// What a delete of events did. The phone takes the delete of an empty slot as well: with
// `askFirst` each slot is read first, and a slot that answers a bare OK goes to `empty` (and to
// none of done, refused, unsent and unanswered): there was nothing to delete.
struct EventsChange : SlotChange {
    std::vector<int> empty;
};

// Deletes events: "AT+MDBL=1", "AT+MDBWE=slot,0,0" for each slot in the order given,
// "AT+MDBL=0" (also after a failure). Each slot the phone refused is in `refused` with its
// answer line in `refusals`. A port failure or a time-out ends the delete with
// change.failure; with `askFirst` each slot is read first ("AT+MDBR=slot").
EventsChange DeleteEvents(PhoneSession& session, const std::vector<int>& slotList,
                          bool askFirst = false);

// The automatic deletion of old events: items 0..4 of the panel send the codes "0", "1", "2",
// "4", "8" (weeks; 0 never); no item sends nothing after the equals sign.
inline constexpr int kAutoDeleteItemCount = 5;
std::string AutoDeleteCode(int item);
const std::vector<Utf8Text>& AutoDeleteItemTexts();  // "никогда не удалять", ... (UTF-8)
// "AT+MDBAD=" and the code, without lock or character set.
PhoneAnswer SetAutoDelete(PhoneSession& session, const std::string& code);

// --- messages (UTF-8; the tab and the command line are their only readers) ---

// "Телефон не поддерживает блокировку ежедневника; чтение без блокировки."
std::string LockMissingText();

std::string NoFreeSlotText();  // "В ежедневнике нет свободных ячеек."
std::string WriteRefusedText(int slot, const std::string& answerLine);
// What the phone refused of a delete, empty when it refused nothing (UTF-8): "Телефон не
// удалил события в ячейках 1, 12.\r\nОтвет телефона: ERROR".
Utf8Text DeleteEventsText(const SlotChange& change);
// UTF-8, of an item of AutoDeleteItemTexts.
Utf8Text AutoDeleteRefusedText(const Utf8Text& itemText, const std::string& answerLine);

// What a write of a title with characters beyond UCS2 (an emoji) says, named by the title
// (UTF-8): "«Ура 🎉»: знаки, которых телефон не хранит (...), записаны как «?»".
Utf8Text EventBeyondUcs2Text(const Utf8Text& title);

}  // namespace orlin
