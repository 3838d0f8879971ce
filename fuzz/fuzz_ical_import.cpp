// The iCalendar import mapping: libical's parse of any text, then every VEVENT mapped onto
// what the phone can hold, the drafts to write and the warning. The input's first byte is
// the phone's title length (0: no limit).
//   A writable event has a real start date and time, a duration and a lead within a day,
//   a repeat code the phone knows, a title within the phone's length, and skipped
//   occurrences the phone can number.

#include <cstdlib>
#include <string>

#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/errors.h"
#include "link/phone_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    if (size == 0) return 0;
    const int titleLength = data[0] % 80;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<ImportedEvent> events;
    try {
        events = ParseICalendar(text, titleLength);
    } catch (const OrlinError&) {
        return 0;
    }
    for (const ImportedEvent& event : events) {
        if (!event.writable) continue;
        const EventDraft& draft = event.draft;
        if (!IsRealDate(draft.startDate) || draft.startTime.hour < 0 || draft.startTime.hour > 23 ||
            draft.startTime.minute < 0 || draft.startTime.minute > 59 || draft.duration < 0 ||
            draft.duration > 1440 || draft.lead < 0 || draft.lead > 1440 ||
            draft.repeatCode.size() != 1 || draft.repeatCode[0] < '0' || draft.repeatCode[0] > '5')
            std::abort();
        // The title is counted as the phone counts it, and is what the phone will hold.
        if (titleLength > 0 && Ucs2Length(draft.title) > static_cast<size_t>(titleLength))
            std::abort();
        if (DecodeUcs2(EncodeUcs2(draft.title)) != draft.title) std::abort();
        WriteCommand(1, draft);
        // Skipped occurrences are numbers the phone takes, each with a date or none.
        for (int n : event.skipped) {
            if (n < 1 || n > 65535) std::abort();
            OccurrenceDate(EventOfImported(event, 1), n);
        }
    }
    DraftsChange written;
    const std::vector<EventDraft> drafts = WritableDrafts(events);
    written.slotOf.assign(drafts.size(), -1);
    ImportWarning(events, written);
    return 0;
}
