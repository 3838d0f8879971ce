#pragma once
// Reading the whole phonebook: model, index ranges, slot count, category names, then the
// entries in chunks of 30 slots, each placed into the slot table by its index.

#include <functional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"
#include "phonebook/phonebook_state.h"

namespace orlin {

inline constexpr int kReadChunkSlots = 30;
// A range the phone refuses is read again in ranges of 10 slots, then slot by slot (some
// phones send at most 15 entries at once); the size that worked is kept for the rest of the
// read. A slot still refused is reported unread.
inline constexpr int kSmallerChunkSlots[] = {10, 1};

enum class PhonebookReadStatus {
    Done,
    NoAccess,        // the combined storage was refused
    NoSlotInfo,      // the slot count was refused
    CharsetRefused,  // UCS2 was refused: nothing was changed
};

// Slots whose line could not be read: one slot when the line named it, else the chunk.
struct SlotSpan {
    int first = 0;
    int last = 0;
    std::string Text() const {
        return first == last ? std::to_string(first)
                             : std::to_string(first) + "-" + std::to_string(last);
    }
    bool operator==(const SlotSpan&) const = default;
};

// What a read found. A failure that ended it half-way is in `failure`.
struct PhonebookReport : OperationReport {
    PhonebookReadStatus status = PhonebookReadStatus::Done;
    int slotCount = 0;
    int entries = 0;
    // Lines that could not be read, and entries whose index lies outside the table.
    std::vector<SlotSpan> unreadable;
};

// "12, 31-60" for the report's spans.
std::string SpanList(const std::vector<SlotSpan>& spans);

// The note a model in no family gets, once in the program's run, when its lines carry 16
// fields or more and it is written with the 16-field layout: "V3: модель не
// проверена; записи пишутся в 16 полях, как у C650 и V300."
std::string UnverifiedModelText(const std::string& model);

// For a model in no family: the 16-field layout when the first entry line the phone sends
// (ranges of the combined storage 1..lastSlot, read in the phone's current character set)
// carries 16 fields or more, else none (the layout is unknown: nothing is written). The
// interaction hears UnverifiedModelText once in the run.
ModelFamily LayoutOfUnlistedModel(PhoneSession& session, const std::string& model, int lastSlot,
                                  Interaction& interaction);

// The message of a status that ends a read with an error box, else empty.
std::string StatusText(const PhonebookReport& report);

// The warning about entries that could not be read, empty when there are none:
// "Не удалось прочитать записи: 12, 31-60."
std::string UnreadEntriesText(const PhonebookReport& report);

// Sends the read's commands over the session and fills `state`. A model in no family whose
// lines carry 16 fields or more is read (and later written) with the 16-field layout, and the
// interaction hears UnverifiedModelText once in the run. The model, the family
// and the index ranges change as soon as they are known (`onModel` is told the family at
// once, so that the list can set its columns); the slot table, the category names and the
// read order change only when the entries have been read. A port failure (a time-out, an
// answer that cannot be cut) ends the read with report.failure and leaves the slot table and
// the read order as they were.
PhonebookReport ReadPhonebook(PhoneSession& session, PhonebookState& state,
                              Interaction& interaction,
                              const std::function<void(ModelFamily)>& onModel = {});

// The whole phonebook read over the session, for a copy that must be complete (a backup):
// raises OrlinError with the reason when UCS2 was refused, the read was refused
// or some entries could not be read.
PhonebookState ReadWholePhonebook(PhoneSession& session, Interaction& interaction);

// The index ranges of the phone memory and the SIM (AT +CPBS=ME / SM, AT+MPBR=?). A phone
// without a SIM refuses the SIM's range: the SIM is then empty, right after the phone memory.
IndexRanges QueryIndexRanges(PhoneSession& session);

// The category names: the count from `countCommand` ("AT +MPGR=?" when reading, "AT+MPGR=?"
// when saving), then "AT +MPGR=g" for each. `names` keeps its content when the count is refused.
void ReadCategoryNames(PhoneSession& session, const std::string& countCommand, GroupNames& names);

// Places entries by their index into a table of `slotCount` records; the rest become free
// slots. Entries outside 1..slotCount are left out and named in `misplaced`.
Abonents PlaceByIndex(const std::vector<TAbonentInfo>& entries, int slotCount,
                      std::vector<SlotSpan>* misplaced = nullptr);

}  // namespace orlin
