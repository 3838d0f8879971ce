#pragma once
// Writing to the phone: one entry (adding or editing), every row of the list, and
// deleting. Every write looks at the phone's answer: a refused write changes nothing.

#include <optional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"
#include "phonebook/phonebook_rows.h"
#include "phonebook/phonebook_state.h"

namespace orlin {

// --- one entry ---

// What the entry dialog holds when the user confirms.
struct EntryDraft {
    std::string slotText;  // the slot number box
    std::string number;
    std::string name;
    int typeItem = 2;      // item of the type box, 0..7
    std::string idsText;   // text of the IDs box
    int groupItem = 0;     // item of the category box, -1 for a typed text
    int iconItem = -1;     // item of the icon box (13 fields), -1 for none
    std::string iconText;  // text of the icon box (16 fields: the picture)
};

// The record the dialog describes for the family, with the values the dialog writes for
// the fields it has no control for. Raises EConvertError when the slot or the IDs text is
// not a decimal number.
TAbonentInfo RecordFromDraft(const EntryDraft& draft, ModelFamily family);

// Opens adding: the model (cut from AT+CGMM), then AT+CPBS=AD and AT+CSCS=UCS2, each of
// which must answer exactly OK, then AT+MPBR=?. The model, or nothing when the phone refused.
std::optional<std::string> BeginAdd(PhoneSession& session);

// Opens editing on its second session: AT+CPBS=AD and AT+CSCS=UCS2, each exactly OK.
bool BeginEdit(PhoneSession& session);

struct EntryWriteResult {
    bool written = false;        // the phone took the entry; the table holds it
    std::string answer;          // the phone's answer when it refused
    bool oldSlotEmptied = true;  // an edit that moved the entry emptied its old slot
};

// Sends the entry's command. Only when the phone answers OK is the record stored in the
// table; an edit that moved the entry (oldSlot differs from the record's slot) then empties
// the old slot on the phone and, when that succeeds, in the table.
EntryWriteResult WriteEntry(PhoneSession& session, PhonebookState& state, ModelFamily family,
                            const TAbonentInfo& record, std::optional<int32_t> oldSlot = {});

// --- writing all rows ---

// The question after the Stop button.
std::string StopWritingQuestion();

// The record written for one row: the row's slot, name, number, type and IDs; every field
// the row does not show (and a type or IDs text that matches no table row) from the row's
// record in the table.
TAbonentInfo RecordForRow(const ListRow& row, const PhonebookState& state, ModelFamily family);

// Writes every row in the given order (the list as sorted on screen), by the rows' slots:
// refusedAccess when the phone refuses AT+CPBS=AD or AT+CSCS=UCS2 (nothing is sent then), a
// slot the phone took in `done`, a refused one in `refused`. After each row the caller may
// process its events; when keepRunning() turns false the user is asked whether to stop
// (`stopped`, the rest in `unsent`). A port failure or a time-out ends it with change.failure.
SlotChange WriteAllRows(PhoneSession& session, const std::vector<ListRow>& rows,
                        const PhonebookState& state, Interaction& interaction);

// --- deleting ---

// The slots named by the rows' captions; a caption that is not a number raises EConvertError.
std::vector<int32_t> SlotsOfCaptions(const std::vector<std::string>& captions);

// Empties the slots: "AT+CPBS=AD" (refusedAccess when it is not answered exactly OK: nothing
// is sent then), then "AT+MPBW=slot" for each. A slot the phone emptied is in `done` and is
// emptied in the table as well (and leaves the read order); a refused one stays. A port
// failure or a time-out ends the delete with change.failure.
SlotChange DeletePhonebookEntries(PhoneSession& session, PhonebookState& state,
                                  const std::vector<int32_t>& slotList);

// What the phone refused of a delete, empty when it refused nothing:
// "Телефон не удалил записи: 12, 40."
std::string DeletePhonebookText(const SlotChange& change);

}  // namespace orlin
