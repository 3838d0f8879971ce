#pragma once
// The phonebook as vCard, the format address books of today exchange. Writing gives
// version 3.0 in UTF-8; reading takes what phones and programs write in 2.1, 3.0 and 4.0.
// Entries with the same name become one card with one TEL (or EMAIL) per entry; X-ORLIN-...
// parameters on each line keep what a card cannot say (slot, storage, icon, IDs, ...), so
// that our own import puts every entry back as it was.
// Putting the cards into the phone (the import plan and its writing) is vcard_import.h.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The phone's cards: the entries of one name in slot order, the cards in the order of their
// first slot.
std::vector<std::vector<const TAbonentInfo*>> CardsOf(const PhonebookState& state);
// What a card says of its entries (the lines between VERSION and END without UID and REV):
// what X-ORLIN-HASH is the hash of.
std::string CardBody(const std::vector<const TAbonentInfo*>& entries, const PhonebookState& state);

// A content line folded after every 75 octets (the continuation's blank counts), never inside
// a UTF-8 sequence, ended by CR LF: how vCard and iCalendar files break long lines.
std::string FoldedContentLine(const std::string& line);

// The escapes of a value undone and the value split at every unescaped `sep`.
std::vector<std::string> SplitVCardValue(std::string_view text, char sep);
// The X-ORLIN-STORAGE value of a storage: "SM" for the SIM card, else "ME".
std::string VCardStorageName(uint8_t storage);

}  // namespace orlin
