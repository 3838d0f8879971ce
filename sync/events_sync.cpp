#include <algorithm>

#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/errors.h"
#include "sync/phone_books.h"

namespace orlin::sync {

namespace {

// What the phone holds of an event: the write command of its draft in slot 0, without the
// extended line's own fields (the same event from a file has none).
std::string FormOf(EventDraft draft) {
    draft.extended = false;
    draft.durationFromEnd = false;
    draft.extraFields.clear();
    if (!draft.alarmOn) draft.lead = 1;
    return WriteCommand(0, draft);
}

std::string FormOf(const DatebookEvent& event) {
    const EditValues values = EditValuesOfEvent(event);
    EventDraft draft = values.draft;
    draft.lead = values.leadAsRead;
    return FormOf(draft);
}

// The properties the phone holds of an event: what a file keeps beyond them stays.
const std::vector<std::string> kManaged = {"DTSTAMP",  "SUMMARY", "DTSTART", "DTEND",
                                           "DURATION", "RRULE",   "EXDATE",  "RDATE"};

std::string Label(const DatebookEvent& event) {
    return event.title + " " + event.startDate;
}

}  // namespace

PhoneItem EventsCollection::ItemOf(const DatebookEvent& event) {
    PhoneItem item;
    const ICalExport exported = ExportICalendar({event}, &identity_);
    if (exported.items.empty()) return item;
    item.uid = exported.items[0].uid;
    item.hash = exported.items[0].hash;
    item.form = FormOf(event);
    item.label = Label(event);
    events_[item.uid] = {event, exported.items[0].text};
    return item;
}

bool EventsCollection::readPhone(std::vector<PhoneItem>& items, bool& complete, std::ostream& out) {
    read_ = ReadDatebook(session_, interaction_);
    read_.RaiseFailure();
    if (read_.status != DatebookReadStatus::Done) {
        out << "calendar: " << StatusText(read_) << std::endl;
        return false;
    }
    complete = read_.unreadSlots.empty();
    if (!complete) out << "calendar: " << UnreadSlotsText(read_) << std::endl;
    // The skipped occurrences are part of what the phone holds of an event.
    const std::vector<int> unread = ReadSkippedOccurrences(session_, read_.events, interaction_);
    if (!unread.empty()) {
        complete = false;
        out << "calendar: " << UnreadSkippedText(unread) << std::endl;
    }
    events_.clear();
    for (const DatebookEvent& event : read_.events) {
        PhoneItem item = ItemOf(event);
        if (!item.uid.empty()) items.push_back(item);
    }
    return true;
}

DirItem EventsCollection::readFile(const std::string& bytes) {
    DirItem item;
    std::vector<ImportedEvent> events;
    try {
        events = ParseICalendar(bytes, read_.titleLength);
    } catch (const OrlinError&) {
        item.parsed = false;
        return item;
    }
    if (events.empty()) {
        item.parsed = false;
        return item;
    }
    // A repeating event with changed occurrences has several; the first is the event itself.
    const ImportedEvent& event = events[0];
    item.uid = event.uid;
    item.label = event.label;
    item.form = event.writable ? FormOf(event.draft) : "unwritable " + event.uid;
    return item;
}

std::string EventsCollection::fileText(const PhoneItem& item, const std::string& old) {
    const auto event = events_.find(item.uid);
    if (event == events_.end()) return old;
    // What the phone holds the same as the old file stays as the file has it (a rule with an
    // interval the phone lacks, a time zone, a title with characters beyond the phone's).
    std::vector<std::string> unchanged;
    std::vector<ImportedEvent> before;
    try {
        before = ParseICalendar(old, read_.titleLength);
    } catch (const OrlinError&) {
    }
    if (!before.empty() && before[0].writable) {
        EditValues now = EditValuesOfEvent(event->second.first);
        const EventDraft& was = before[0].draft;
        if (was.title == now.draft.title) unchanged.push_back("SUMMARY");
        if (was.startDate == now.draft.startDate && was.startTime == now.draft.startTime &&
            was.timeFlag == now.draft.timeFlag && was.duration == now.draft.duration)
            unchanged.insert(unchanged.end(), {"DTSTART", "DTEND", "DURATION"});
        if (was.repeatCode == now.draft.repeatCode && was.startDate == now.draft.startDate)
            unchanged.insert(unchanged.end(), {"RRULE", "RDATE", "EXDATE"});
    }
    return KeepFullForm(event->second.second, old, "VEVENT", kManaged, unchanged);
}

std::optional<PhoneItem> EventsCollection::toPhone(const std::string& bytes, const PhoneItem* old,
                                                   std::vector<std::string>& notes) {
    const std::vector<ImportedEvent> events = ParseICalendar(bytes, read_.titleLength);
    if (events.empty()) return std::nullopt;
    const ImportedEvent& event = events[0];
    notes.insert(notes.end(), event.notes.begin(), event.notes.end());
    if (events.size() > 1) notes.push_back("only the event itself, not its changed occurrences");
    if (!event.skipped.empty()) notes.push_back("skipped occurrences are not written");
    if (!event.writable) return std::nullopt;
    int slot = -1;
    if (old)
        if (const auto it = events_.find(old->uid); it != events_.end())
            slot = it->second.first.slot;
    if (slot < 0) slot = FirstFreeSlot(read_.slotUsed);
    if (slot < 0) {
        notes.push_back(NoFreeSlotText());
        return std::nullopt;
    }
    const PhoneAnswer answer = WriteEvent(session_, WriteCommand(slot, event.draft));
    if (!answer.taken) {
        notes.push_back(WriteRefusedText(slot, answer.line));
        return std::nullopt;
    }
    if (static_cast<size_t>(slot) < read_.slotUsed.size())
        read_.slotUsed[static_cast<size_t>(slot)] = 1;
    DatebookEvent written = EventOfDraft(slot, event.draft);
    read_.events.erase(std::remove_if(read_.events.begin(), read_.events.end(),
                                      [&](const DatebookEvent& e) { return e.slot == slot; }),
                       read_.events.end());
    read_.events.push_back(written);
    return ItemOf(written);
}

bool EventsCollection::deleteOnPhone(const PhoneItem& item, std::string& why) {
    const auto event = events_.find(item.uid);
    if (event == events_.end()) {
        why = "no such event";
        return false;
    }
    const EventsChange change = DeleteEvents(session_, {event->second.first.slot});
    change.RaiseFailure();
    if (!change.refused.empty()) {
        why = change.refusals[0];
        return false;
    }
    return true;
}

}  // namespace orlin::sync
