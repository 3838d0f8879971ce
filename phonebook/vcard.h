#pragma once
// The phonebook as vCard, the format address books of today exchange. Writing gives
// version 3.0 in UTF-8; reading takes what phones and programs write in 2.1, 3.0 and 4.0.
// Entries with the same name become one card with one TEL (or EMAIL) per entry; X-ORLIN-...
// parameters on each line keep what a card cannot say (slot, storage, icon, IDs, ...), so
// that our own import puts every entry back as it was.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/stable_id.h"
#include "phonebook/phonebook_state.h"

namespace orlin {

// The longest name the phone keeps, in characters.
inline constexpr size_t kPhoneNameLimit = 24;

// One TEL or EMAIL line of a card. Texts are UTF-8.
struct VCardNumber {
    bool email = false;
    std::string value;
    std::vector<std::string> types;  // lower case: "cell", "work", "pref", ...
    // The X-ORLIN-... parameters, by the name after "X-ORLIN-" in upper case.
    std::map<std::string, std::string> orlin;
    bool operator==(const VCardNumber&) const = default;
};

// One card as far as the phonebook needs it. Texts are UTF-8.
struct VCard {
    std::string formattedName;            // FN
    std::vector<std::string> name;        // N, its components
    std::vector<std::string> categories;  // CATEGORIES
    std::vector<VCardNumber> numbers;     // TEL and EMAIL lines in file order
    std::string uid;                      // UID
    std::string orlinHash;                // X-ORLIN-HASH: the content hash of our own export
    // The name the phone gets: FN, or the non-empty components of N (given name first).
    std::string DisplayName() const;
    bool operator==(const VCard&) const = default;
};

// The cards of a file: a byte-order mark, CR LF or LF, folded lines, groups ("item1.TEL"),
// QUOTED-PRINTABLE values with CHARSET=UTF-8 or windows-1251 (and their soft line breaks),
// vCard 2.1's bare type words ("TEL;CELL:"), several cards. Properties other than FN, N,
// CATEGORIES, TEL and EMAIL, and base64 values (photos) are skipped. Never raises: what
// cannot be read is left out.
std::vector<VCard> ParseVCards(std::string_view bytes);

// The slot table as vCard 3.0 (UTF-8, CR LF, lines folded at 75 octets). Free slots are
// left out; cards follow the slot of their first entry.
// With an identity each card carries UID (orlin-<phone key>-<ME|SM><slot>@phonebook, the
// slot of its first entry), REV (the identity's stamp) and X-ORLIN-HASH (the hash of what the
// card says of the phone's entries), and the same phone gives the same bytes.
std::string VCardText(const PhonebookState& state, const ItemIdentity* identity = nullptr);

// The cards one by one (one vCard each, as VCardText writes it): the items of a vdir.
struct VCardItem {
    std::string uid;
    std::string hash;  // X-ORLIN-HASH
    std::string text;
    std::vector<int32_t> entrySlots;  // the card's entries
};
std::vector<VCardItem> VCardItems(const PhonebookState& state, const ItemIdentity& identity);

// The phone key and the slot our own card UID names; nothing for any other UID.
struct OwnUid {
    std::string phoneKey;
    uint8_t storage = 0;
    int32_t slot = 0;
};
std::optional<OwnUid> ParseOwnCardUid(const std::string& uid);

// --- import ---

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
    // What could not be held as it was, one line each (Windows-1251).
    std::vector<std::string> warnings;
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

struct VCardWriteReport {
    bool started = false;  // the phone took AT+CPBS=AD and AT+CSCS=UCS2
    int written = 0;
    std::vector<int32_t> writtenSlots;  // the slots the phone took
    std::vector<int32_t> refused;       // slots whose write the phone refused
    std::vector<int32_t> notSent;       // slots never sent (a stop, a failure)
    std::optional<int32_t> unanswered;  // the write whose answer never came
    bool stopped = false;               // the user stopped it
};

// Writes the planned records one by one into their slots (WriteEntry: the table of `state`
// follows what the phone took). When keepRunning() turns false the user is asked whether to
// stop. A model in no family raises, as a single write does.
VCardWriteReport WriteVCardImport(PhoneSession& session, PhonebookState& state,
                                  const std::vector<TAbonentInfo>& records,
                                  Interaction& interaction);
// The same into `report`, which holds what was done also when a port failure raises half-way.
void WriteVCardImport(PhoneSession& session, PhonebookState& state,
                      const std::vector<TAbonentInfo>& records, Interaction& interaction,
                      VCardWriteReport& report);

// The one warning after an import (Windows-1251), or empty when there is nothing to say.
std::string ImportWarningText(const std::vector<std::string>& warnings);

}  // namespace orlin
