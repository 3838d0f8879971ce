#pragma once
// Reading the whole datebook: the character set, the lock, the range answer "AT+MDBR=?"
// (the highest slot N, the events stored U, the title length), then one "AT+MDBR=i" for
// every slot 0..N, and the unlock on every path.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"

namespace orlin {

enum class DatebookReadStatus {
    Done,            // every slot was asked for
    CharsetRefused,  // UCS2 was refused: the read ends without a word
    NoAccess,        // the lock was refused
    RangeRefused,    // the range answer was refused
};

// What a read found; what it holds stays valid also when a failure ended the read half-way
// (then `failure` holds it).
struct DatebookReport : OperationReport {
    DatebookReadStatus status = DatebookReadStatus::Done;
    bool rangeRead = false;  // the range answer was read: the fields below it are known
    // N: slots 0..N. Most phones mean by the range answer's first number the count of slots,
    // not the highest slot: they refuse slot N, and then lastSlot is N - 1 and the refused slot
    // is neither unread nor counted nor ever written into.
    int lastSlot = 0;
    bool lastSlotRefused = false;  // the phone refused slot N: it has slots 0..N-1
    bool withoutLock = false;      // the phone has no lock (a plain ERROR to it): read without
    int stored = 0;                // U: the events the phone says it holds
    int titleLength = 0;           // the longest title the phone takes, in characters
    // One flag per slot 0..N once the range is known: 0 only for a slot that answered a bare
    // OK (free), 1 for an event, a refused answer and every slot the read did not reach.
    std::vector<uint8_t> slotUsed;
    std::vector<DatebookEvent> events;  // ascending by slot
    // Slots whose answer was neither an event nor a bare OK (a refusal, say): an event there
    // may be missing from `events`, so the user hears of them.
    std::vector<int> unreadSlots;
    int slotsDone = 0;  // slots asked for so far
};

struct DatebookReadOptions {
    // Stop asking once the events the phone says it stores have been found, then ask only slot
    // N (so that its refusal still tells the slot count); the slots between are free, as a full
    // read would find them. When fewer events turn up, it is the full read.
    bool quick = false;
};

// What the read has found so far, handed over once the range answer is read (before the first
// slot is asked for) and after each slot, so that a list fills while the phone is read. It may
// raise, which ends the read there.
using DatebookWatch = std::function<void(const DatebookReport& soFar)>;

// Reads the datebook. The interaction hears progress(done, N+1) before the first slot and
// after each one, with processEvents() between slots. A range announcing more than 10,000
// slots ends the read with an OrlinError ("Телефон сообщил недопустимый диапазон: ..."), a
// range that is not numbers with a conversion error; a port failure likewise: the failure is
// kept in the report with what was read before it. On every path "AT+MDBL=0" is sent before
// returning; when that unlock fails as well, its error is the one kept. A phone without a lock
// is read without it, and the interaction is told so (inform) once in the program's run.
// Anything but an OrlinError (raised by the interaction or the watch) passes, after the unlock.
DatebookReport ReadDatebook(PhoneSession& session, Interaction& interaction,
                            const DatebookReadOptions& options = {},
                            const DatebookWatch& watch = {});

// The whole datebook read over the session, for a copy that must be complete (a backup):
// raises OrlinError with the reason when UCS2 or the read was refused or some
// slots could not be read.
DatebookReport ReadWholeDatebook(PhoneSession& session, Interaction& interaction,
                                 const DatebookReadOptions& options = {});

// The error box text of a status, or empty: "Нет доступа у ежедневнику." for NoAccess,
// "Невозможно прочитать содержимое ежедневника." for RangeRefused.
std::string StatusText(const DatebookReport& report);

// The warning about unread slots, empty when there are none: "Не удалось
// прочитать ячейки ежедневника: 3, 7. В них могут быть события, которых нет в списке."
std::string UnreadSlotsText(const DatebookReport& report);

// The free share (N + 1 - U) / (N + 1) x 100 with at most three significant digits and a
// full stop as the decimal separator ("97.2"); "100" when the range was not read.
std::string FreeShareText(const DatebookReport& report);

// The lowest free slot of a slot table, or -1.
int FirstFreeSlot(const std::vector<uint8_t>& slotUsed);

}  // namespace orlin
