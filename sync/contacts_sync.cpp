#include <algorithm>
#include <set>

#include "link/answers.h"
#include "link/phone_text.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_write.h"
#include "sync/phone_books.h"

namespace orlin::sync {

namespace {

// What the phone holds of a card: its entries' name, number, type and category, one line
// each, sorted (the slots are no part of it).
std::string FormOf(const std::vector<TAbonentInfo>& records) {
    std::vector<std::string> lines;
    // The name as the phone holds it (an emoji as '?'), so that a card with one does not
    // differ from the phone's entry at every run.
    for (const TAbonentInfo& r : records)
        lines.push_back(DecodeUcs2(EncodeUcs2(r.Name)) + "\t" + ComparableNumber(r.Number) + "\t" +
                        std::to_string(r.NumberType) + "\t" + std::to_string(r.Category));
    std::sort(lines.begin(), lines.end());
    std::string form;
    for (const std::string& line : lines) form += line + "\n";
    return form;
}

// The properties the phone holds of a card: what a file keeps beyond them stays.
const std::vector<std::string> kManaged = {"VERSION", "FN",  "N",         "TEL",
                                           "EMAIL",   "REV", "CATEGORIES"};

// A table of the phone's layout with every slot free: where a card is planned to see what the
// phone would hold of it.
PhonebookState EmptyLike(const PhonebookState& state) {
    PhonebookState empty = state;
    empty.abonents = Abonents(state.abonents.size());
    return empty;
}

}  // namespace

std::string ComparableNumber(const Utf8Text& number) {
    // Both sides in the one normalised form, so that no number flips back and forth.
    return NormalisedNumber(number, LocaleRegion()).value_or(number);
}

PhoneItem ContactsCollection::ItemOf(const VCardItem& card) const {
    PhoneItem item;
    item.uid = card.uid;
    item.hash = card.hash;
    std::vector<TAbonentInfo> records;
    for (int32_t slot : card.entrySlots)
        if (const TAbonentInfo* r = SlotRecord(state_.abonents, slot)) records.push_back(*r);
    item.form = FormOf(records);
    item.label = records.empty() ? card.uid : records.front().Name;
    return item;
}

bool ContactsCollection::readPhone(std::vector<PhoneItem>& items, bool& complete,
                                   std::ostream& out) {
    const PhonebookReport report = ReadPhonebook(session_, state_, interaction_);
    report.RaiseFailure();
    if (report.status != PhonebookReadStatus::Done) {
        out << "contacts: " << StatusText(report) << std::endl;
        return false;
    }
    if (state_.family == ModelFamily::None) {
        out << "contacts: the model " << state_.model << " is not supported: nothing was done."
            << std::endl;
        return false;
    }
    complete = report.unreadable.empty();
    if (!complete)
        out << "contacts: could not read the entries of slots " << SpanList(report.unreadable)
            << "." << std::endl;
    cards_.clear();
    for (const VCardItem& card : VCardItems(state_, identity_)) {
        cards_[card.uid] = card;
        items.push_back(ItemOf(card));
    }
    return true;
}

DirItem ContactsCollection::readFile(const std::string& bytes) {
    DirItem item;
    const std::vector<VCard> cards = ParseVCards(bytes);
    if (cards.size() != 1) {
        item.parsed = false;
        return item;
    }
    item.uid = cards[0].uid;
    item.label = cards[0].DisplayName();
    const VCardImport plan = PlanVCardImport(cards, EmptyLike(state_), LocaleRegion());
    item.form = FormOf(plan.records);
    return item;
}

std::string ContactsCollection::fileText(const PhoneItem& item, const std::string& old) {
    const auto card = cards_.find(item.uid);
    if (card == cards_.end()) return old;
    // What the phone holds the same as the old file stays as the file has it (a long name,
    // a number as the address book wrote it).
    std::vector<std::string> unchanged;
    const std::vector<VCard> before = ParseVCards(old);
    if (before.size() == 1) {
        const std::vector<TAbonentInfo> was =
            PlanVCardImport(before, EmptyLike(state_), LocaleRegion()).records;
        std::vector<TAbonentInfo> now;
        for (int32_t slot : card->second.entrySlots)
            if (const TAbonentInfo* r = SlotRecord(state_.abonents, slot)) now.push_back(*r);
        const auto part = [](const std::vector<TAbonentInfo>& records, int which) {
            std::vector<std::string> values;
            for (const TAbonentInfo& r : records)
                values.push_back(which == 0   ? r.Name
                                 : which == 1 ? ComparableNumber(r.Number) + "\t" +
                                                    std::to_string(r.NumberType)
                                              : std::to_string(r.Category));
            std::sort(values.begin(), values.end());
            values.erase(std::unique(values.begin(), values.end()), values.end());
            return values;
        };
        if (part(was, 0) == part(now, 0)) unchanged.insert(unchanged.end(), {"FN", "N"});
        if (part(was, 1) == part(now, 1)) unchanged.insert(unchanged.end(), {"TEL", "EMAIL"});
        if (part(was, 2) == part(now, 2)) unchanged.push_back("CATEGORIES");
    }
    return KeepFullForm(card->second.text, old, "VCARD", kManaged, unchanged);
}

std::optional<PhoneItem> ContactsCollection::toPhone(const std::string& bytes, const PhoneItem* old,
                                                     std::vector<std::string>& notes) {
    const std::vector<VCard> cards = ParseVCards(bytes);
    if (cards.size() != 1) return std::nullopt;
    // The old card's slots count as free: the new one may take them.
    std::vector<int32_t> oldSlots;
    if (old)
        if (const auto it = cards_.find(old->uid); it != cards_.end())
            oldSlots = it->second.entrySlots;
    PhonebookState trial = state_;
    for (int32_t slot : oldSlots) trial.abonents[static_cast<size_t>(slot - 1)] = FreeSlot(slot);
    const VCardImport plan = PlanVCardImport(cards, trial, LocaleRegion());
    notes.insert(notes.end(), plan.warnings.begin(), plan.warnings.end());
    if (plan.records.empty()) return std::nullopt;
    if (!BeginEdit(session_)) {
        notes.push_back("the phone refused access to its phonebook");
        return std::nullopt;
    }
    std::set<int32_t> written;
    for (const TAbonentInfo& record : plan.records) {
        const EntryWriteResult result = WriteEntry(session_, state_, state_.family, record);
        if (!result.written) {
            notes.push_back("the phone did not take slot " + std::to_string(record.Index) + ": " +
                            AnswerText(result.answer));
            return std::nullopt;
        }
        written.insert(record.Index);
    }
    std::vector<int32_t> emptied;
    for (int32_t slot : oldSlots)
        if (!written.count(slot)) emptied.push_back(slot);
    if (!emptied.empty()) {
        const SlotChange deleted = DeletePhonebookEntries(session_, state_, emptied);
        deleted.RaiseFailure();
        if (!deleted.refused.empty()) {
            notes.push_back("the phone did not empty the card's old slots");
            return std::nullopt;
        }
    }
    // The card as the phone now holds it, found by its first slot.
    cards_.clear();
    std::optional<PhoneItem> item;
    for (const VCardItem& card : VCardItems(state_, identity_)) {
        cards_[card.uid] = card;
        if (std::find(card.entrySlots.begin(), card.entrySlots.end(), *written.begin()) !=
            card.entrySlots.end())
            item = ItemOf(card);
    }
    return item;
}

bool ContactsCollection::deleteOnPhone(const PhoneItem& item, std::string& why) {
    const auto card = cards_.find(item.uid);
    if (card == cards_.end()) {
        why = "no such card";
        return false;
    }
    const SlotChange change = DeletePhonebookEntries(session_, state_, card->second.entrySlots);
    change.RaiseFailure();
    if (change.refusedAccess || !change.refused.empty()) {
        why = "the phone refused";
        return false;
    }
    return true;
}

}  // namespace orlin::sync
