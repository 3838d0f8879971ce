#pragma once
// Putting the cards of a vCard file into the phonebook: the plan (which number goes into which
// free slot, what is left out and why) and the writing of that plan. Reading and writing the
// file itself is vcard.h.

#include <optional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"
#include "phonebook/phonebook_state.h"
#include "phonebook/vcard.h"

namespace orlin {

// A telephone number of a card as the phone dials it: the formatting address books add
// (blanks, brackets, dashes, dots, slashes) removed, "+1 (555) 010-0100" -> "+15550100100".
// Only a leading "+", digits, "*", "#" and the pauses "p" and "w" remain; anything else (a
// letter, a quote, ";", a control character) makes it no number: nothing.
std::optional<std::string> CleanPhoneNumber(const std::string& utf8);

struct VCardImport {
    // The records to write, each with its slot (Index) and Storage set.
    std::vector<TAbonentInfo> records;
    // Numbers that found no free slot.
    int missingSlots = 0;
    // Numbers the phone holds already under the same name (or that the file repeats).
    int alreadyThere = 0;
    // What could not be held as it was, one line each.
    std::vector<Utf8Text> warnings;
    // Our own cards whose first slot still holds the card exported (X-ORLIN-HASH): their
    // entries are written back into their slots, and these slots of the old card, which the
    // file no longer has, are emptied.
    int updatedInPlace = 0;
    std::vector<int32_t> toEmpty;
};

// Maps every TEL and EMAIL of every card onto a free slot of `state`: the X-ORLIN slot when
// it is free and of the stated storage, else the next free slot of the phone memory. Numbers
// of other programs are normalised (NormalisedNumber in `region`; our own cards keep them as
// the phone held them); a number that is none, and a number or address holding what must not
// reach a command line, are left out with a warning; an entry of a name and number the phone
// holds already is counted in alreadyThere and not written again. The
// type from TYPE (unknown types as mobile), the name from DisplayName() cut to the phone's
// limit, the category whose name equals a CATEGORIES value (else the phone's default).
// Given the phone's key, a card with our own UID of that phone whose slot still holds what
// the card's X-ORLIN-HASH says is put back in place (an entry the same as the phone's is not
// written again); when the slot holds something else now the card goes into free slots and a
// warning says so.
VCardImport PlanVCardImport(const std::vector<VCard>& cards, const PhonebookState& state,
                            const std::string& region = {}, const std::string& phoneKey = {});

// Writes the planned records one by one into their slots (WriteEntry: the table of `state`
// follows what the phone took), by slot: refusedAccess when the phone refuses AT+CPBS=AD or
// AT+CSCS=UCS2 (nothing is sent), a slot the phone took in `done` (in the order written), a
// refused one in `refused`. When keepRunning() turns false the user is asked whether to stop
// (`stopped`). A port failure or a time-out, and a model in no family (as a single write),
// end it with change.failure; the rest is in `unsent`.
SlotChange WriteVCardImport(PhoneSession& session, PhonebookState& state,
                            const std::vector<TAbonentInfo>& records, Interaction& interaction);

// The one warning after an import, or empty when there is nothing to say.
Utf8Text ImportWarningText(const std::vector<Utf8Text>& warnings);

}  // namespace orlin
