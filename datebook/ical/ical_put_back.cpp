#include "datebook/ical/ical_put_back.h"

#include <algorithm>

#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#include "link/language.h"
#include "link/stable_id.h"

namespace orlin {

bool HasOwnEvents(const std::vector<ImportedEvent>& events) {
    return std::any_of(events.begin(), events.end(), [](const ImportedEvent& e) {
        return e.uid.rfind("orlin-", 0) == 0 && !e.orlinHash.empty();
    });
}

SlotChange PutBackInPlace(PhoneSession& session, std::vector<ImportedEvent>& events,
                          const std::vector<DatebookEvent>& held, const std::string& phoneKey,
                          Interaction& interaction) {
    SlotChange change;
    if (!HasOwnEvents(events)) return change;
    ItemIdentity identity;
    identity.phoneKey = phoneKey;
    const std::string prefix = "orlin-" + phoneKey + "-";
    KeepFailure(change, [&] {
        // The hash of an exported event counts its skipped occurrences, which only a range
        // read of its slot gives.
        std::vector<DatebookEvent> phoneEvents = held;
        ReadSkippedOccurrences(session, phoneEvents, interaction);
        for (ImportedEvent& event : events) {
            if (event.uid.rfind(prefix, 0) != 0 || event.orlinHash.empty() || event.slot < 0 ||
                !event.writable)
                continue;
            const auto inSlot =
                std::find_if(phoneEvents.begin(), phoneEvents.end(),
                             [&](const DatebookEvent& e) { return e.slot == event.slot; });
            if (inSlot == phoneEvents.end()) continue;  // emptied: back into its slot when free
            const ICalExport phone = ExportICalendar({*inSlot}, &identity);
            if (phone.items.empty() || phone.items[0].hash != event.orlinHash) {
                event.notes.push_back(
                    Tr("DatebookICal", "ячейка ") + std::to_string(event.slot) +
                    Tr("DatebookICal", " хранит теперь другое событие: записано в свободную"));
                continue;
            }
            event.alreadyThere = true;
            const DatebookEvent wanted = EventOfImported(event, event.slot);
            if (WriteCommand(wanted) == WriteCommand(*inSlot)) continue;
            change.unanswered = event.slot;
            const PhoneAnswer answer = WriteEvent(session, WriteCommand(event.slot, event.draft));
            change.unanswered.reset();
            if (answer.taken)
                change.done.push_back(event.slot);
            else
                change.Refuse(event.slot, answer.line);
        }
    });
    return change;
}

}  // namespace orlin
