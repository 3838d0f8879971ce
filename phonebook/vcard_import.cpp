#include "phonebook/vcard_import.h"

#include <algorithm>
#include <set>

#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/fill_in.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/plural.h"
#include "link/text_utils.h"
#include "link/utf8.h"
#include "phonebook/code_tables.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_write.h"

namespace orlin {

namespace {

int CodeOfTypes(const std::vector<std::string>& types) {
    const auto has = [&](const char* t) {
        return std::find(types.begin(), types.end(), t) != types.end();
    };
    if (has("fax")) return 4;
    if (has("pager")) return 5;
    if (has("cell")) return 3;
    if (has("work")) return 0;
    if (has("home")) return 1;
    if (has("pref")) return 2;
    return 3;
}

bool ParseNumber(std::string_view text, int most, int& out) {
    if (text.empty() || text.size() > 7) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > most) return false;
    out = value;
    return true;
}

bool ParseSmallInt(const std::map<std::string, std::string>& params, const char* key, int most,
                   int& out) {
    const auto it = params.find(key);
    return it != params.end() && ParseNumber(it->second, most, out);
}

}  // namespace

std::optional<std::string> CleanPhoneNumber(const std::string& utf8) {
    std::string number;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        // Formatting that address books add: blanks (also the no-break space), brackets,
        // dashes, dots, slashes.
        if (c == ' ' || c == '(' || c == ')' || c == '-' || c == '.' || c == '/') continue;
        if (c == '\xC2' && i + 1 < utf8.size() && utf8[i + 1] == '\xA0') {
            ++i;
            continue;
        }
        if (c == '+' && number.empty()) {
            number += c;
        } else if ((c >= '0' && c <= '9') || c == '*' || c == '#') {
            number += c;
        } else if (c == 'p' || c == 'P' || c == 'w' || c == 'W') {
            number += static_cast<char>(c | 0x20);  // a pause, a wait
        } else {
            return std::nullopt;
        }
    }
    if (number.empty() || number == "+") return std::nullopt;
    return number;
}

VCardImport PlanVCardImport(const std::vector<VCard>& cards, const PhonebookState& state,
                            const std::string& region, const std::string& phoneKey) {
    VCardImport plan;
    // The phone's own cards by the slot of their first entry: where our UIDs point.
    std::map<int32_t, std::vector<const TAbonentInfo*>> heldCards;
    if (!phoneKey.empty())
        for (auto& entries : CardsOf(state)) heldCards[entries.front()->Index] = entries;
    // What the phone holds already, and what this file adds: an entry of the same name and
    // number is not written twice (an import run again after a stop adds nothing).
    std::set<std::pair<std::string, std::string>> present;
    for (const TAbonentInfo& r : state.abonents)
        if (!r.IsFree()) {
            present.emplace(r.Name, r.Number);
            // A number the phone holds as dialled at home ("8 911...") is the same number as
            // the file's in international form.
            if (r.NumberType != kEmailType)
                if (const auto same = NormalisedNumber(r.Number, region))
                    present.emplace(r.Name, *same);
        }
    const bool categories = HasCategories(state.family);
    std::set<int32_t> taken;
    const auto isFree = [&](int32_t slot) {
        const TAbonentInfo* r = SlotRecord(state.abonents, slot);
        return r && r->IsFree() && !taken.count(slot);
    };

    struct Pending {
        TAbonentInfo record;
        Utf8Text label;  // "name, number" for the warnings
    };
    std::vector<Pending> pending;
    for (const VCard& card : cards) {
        const std::string display = card.DisplayName();
        // Control characters cannot be stored in a name (EncodeUcs2 drops them); a byte that
        // starts no UTF-8 character (a card in an unknown character set) is a '?'.
        Utf8Text name;
        for (char32_t c : Utf8Characters(WellFormedUtf8(display)).value_or(std::u32string()))
            if (c >= 32 && c != 127) AppendUtf8(name, c);
        const Utf8Text label = name.empty() ? Utf8Text(Tr("VCardImport", "(без имени)")) : name;
        if (card.numbers.empty()) {
            plan.warnings.push_back(label +
                                    Tr("VCardImport", ": в карточке нет ни номера, ни адреса"));
            continue;
        }
        if (HasCharactersBeyondUcs2(name)) plan.warnings.push_back(label + BeyondUcs2Note());
        if (Ucs2Length(name) > kPhoneNameLimit) {
            name = Trim(Ucs2Prefix(name, kPhoneNameLimit));
            plan.warnings.push_back(label + Tr("VCardImport", ": имя сокращено до ") +
                                    CountedText(static_cast<long long>(kPhoneNameLimit),
                                                "VCardImport",
                                                ORLIN_TRANSLATE_NOOP("VCardImport", "знака"),
                                                ORLIN_TRANSLATE_NOOP("VCardImport", "знаков"),
                                                ORLIN_TRANSLATE_NOOP("VCardImport", "знаков")));
        }
        // Our own card of this phone: back in place when its slot still holds what was
        // exported, else into free slots (said below).
        const std::vector<const TAbonentInfo*>* inPlace = nullptr;
        std::set<int32_t> oldSlots;
        if (const auto own = phoneKey.empty() ? std::nullopt : ParseOwnCardUid(card.uid);
            own && own->phoneKey == phoneKey && !card.orlinHash.empty()) {
            const auto held = heldCards.find(own->slot);
            if (held != heldCards.end() && held->second.front()->Storage == own->storage &&
                ShortHash(CardBody(held->second, state)) == card.orlinHash) {
                inPlace = &held->second;
                for (const TAbonentInfo* r : *inPlace) oldSlots.insert(r->Index);
            } else if (held != heldCards.end()) {
                plan.warnings.push_back(
                    label + FillIn(Tr("VCardImport",
                                      ": ячейка %1 хранит теперь другое: записано в свободные "
                                      "ячейки"),
                                   {std::to_string(own->slot)}));
            }
        }
        const size_t pendingBefore = pending.size();
        uint8_t category = categories ? 1 : 0;
        for (const std::string& c : card.categories) {
            const Utf8Text& wanted = c;
            bool found = false;
            for (size_t g = 0; g < state.groupNames.size() && categories; ++g)
                if (!state.groupNames[g].empty() && state.groupNames[g] == wanted) {
                    category = static_cast<uint8_t>(g + 1);
                    found = true;
                    break;
                }
            if (found) break;
        }
        for (const VCardNumber& n : card.numbers) {
            TAbonentInfo r;
            r.Name = name;
            // A number reaches the phone's command line as it stands: only what a phone
            // dials goes there, an address only without what would end or split the line.
            std::string text = WellFormedUtf8(n.value);
            // Our own cards (they carry X-ORLIN-...) give each number back as the phone held
            // it; the others are cleaned of an address book's formatting and, where the number
            // library reads them, given in E.164.
            if (!n.email && n.orlin.empty()) {
                const std::optional<std::string> clean = NormalisedNumber(n.value, region);
                if (!clean) {
                    plan.warnings.push_back(
                        label + ", " + WellFormedUtf8(n.value) +
                        Tr("VCardImport", ": это не номер телефона: не записано"));
                    continue;
                }
                text = *clean;
            }
            if (const std::string why = UnsafeFieldReason(text); !why.empty()) {
                plan.warnings.push_back(label + ", " + text + ": " + why +
                                        Tr("VCardImport", ": не записано"));
                continue;
            }
            r.Number = text;
            if (!inPlace && !present.emplace(r.Name, r.Number).second) {
                ++plan.alreadyThere;
                continue;
            }
            int value = 0;
            r.NumberType = static_cast<uint8_t>(n.email ? kEmailType : CodeOfTypes(n.types));
            if (ParseSmallInt(n.orlin, "TYPE", 8, value))
                r.NumberType = static_cast<uint8_t>(value);
            r.NumberFormat = NumberFormatFor(r.Number, r.NumberType);
            if (ParseSmallInt(n.orlin, "FORMAT", 255, value))
                r.NumberFormat = static_cast<uint8_t>(value);
            r.Ids = ParseSmallInt(n.orlin, "IDS", 255, value) ? value : kIdsDefault;
            r.Aux9 = 1;
            r.Aux12 = kFieldNone;
            r.Category = category;
            // The file's category number (0: none) when the phone has it.
            if (categories && ParseSmallInt(n.orlin, "CATEGORY", 255, value) &&
                static_cast<size_t>(value) <= state.groupNames.size())
                r.Category = static_cast<uint8_t>(value);
            r.Icon = categories ? kNoIcon : 0;
            if (ParseSmallInt(n.orlin, "ICON", 255, value)) r.Icon = value;
            if (auto it = n.orlin.find("PICTURE"); it != n.orlin.end())
                r.Picture = WellFormedUtf8(it->second);
            if (auto it = n.orlin.find("AUX"); it != n.orlin.end()) {
                uint8_t* fields[] = {&r.Aux6,  &r.Aux8,  &r.Aux9, &r.Aux12,
                                     &r.Aux13, &r.Aux15, &r.Aux16};
                const std::vector<std::string> values = SplitVCardValue(it->second, '-');
                if (values.size() == 7)
                    for (size_t i = 0; i < 7; ++i)
                        if (ParseNumber(values[i], 255, value))
                            *fields[i] = static_cast<uint8_t>(value);
            }
            if (HasCharactersBeyondUcs2(r.Number) || HasCharactersBeyondUcs2(r.Picture))
                plan.warnings.push_back(label + ", " + r.Number + BeyondUcs2Note());
            // In place: the slot the file names when it is one of the old card's, an entry the
            // same as the phone's not written again.
            r.Index = 0;
            if (inPlace) {
                if (ParseSmallInt(n.orlin, "SLOT", 1000000, value) && oldSlots.count(value) &&
                    !taken.count(value)) {
                    r.Index = value;
                    r.Storage = state.StorageOfSlot(value);
                    taken.insert(value);
                    if (const TAbonentInfo* old = SlotRecord(state.abonents, value);
                        old && *old == r) {
                        ++plan.alreadyThere;
                        continue;
                    }
                }
                pending.push_back({r, label + ", " + r.Number});
                continue;
            }
            // The slot the file names, when it is free and of the storage named.
            if (ParseSmallInt(n.orlin, "SLOT", 1000000, value) && isFree(value)) {
                const auto storage = n.orlin.find("STORAGE");
                if (storage == n.orlin.end() ||
                    storage->second == VCardStorageName(state.StorageOfSlot(value))) {
                    r.Index = value;
                    taken.insert(value);
                }
            }
            pending.push_back({r, label + ", " + r.Number});
        }
        const size_t emptiedBefore = plan.toEmpty.size();
        for (int32_t slot : oldSlots)
            if (!taken.count(slot)) plan.toEmpty.push_back(slot);
        if (inPlace && (pending.size() > pendingBefore || plan.toEmpty.size() > emptiedBefore))
            ++plan.updatedInPlace;
    }
    // The rest into the free slots of the phone memory, in slot order.
    int32_t next = 1;
    for (Pending& p : pending) {
        if (p.record.Index == 0) {
            const int32_t last = static_cast<int32_t>(state.abonents.size());
            while (next <= last && (state.StorageOfSlot(next) != 0 || !isFree(next))) ++next;
            if (next > last) {
                ++plan.missingSlots;
                plan.warnings.push_back(p.label + Tr("VCardImport", ": нет свободной ячейки"));
                continue;
            }
            p.record.Index = next;
            taken.insert(next);
        }
        p.record.Storage = state.StorageOfSlot(p.record.Index);
        plan.records.push_back(p.record);
    }
    if (plan.alreadyThere > 0)
        plan.warnings.push_back(
            std::string(
                Tr("VCardImport", "уже есть в телефоне (то же имя и номер), не записано: ")) +
            std::to_string(plan.alreadyThere));
    return plan;
}

SlotChange WriteVCardImport(PhoneSession& session, PhonebookState& state,
                            const std::vector<TAbonentInfo>& records, Interaction& interaction) {
    SlotChange change;
    if (records.empty()) return change;
    std::vector<int> slots;
    for (const TAbonentInfo& record : records) slots.push_back(record.Index);
    KeepFailure(change, [&] {
        if (!BeginEdit(session)) {
            change.refusedAccess = true;
            return;
        }
        const int count = static_cast<int>(records.size());
        for (int i = 0; i < count; ++i) {
            const TAbonentInfo& record = records[static_cast<size_t>(i)];
            // Until the answer comes, the entry may or may not be in the phone.
            change.unanswered = record.Index;
            const bool written = WriteEntry(session, state, state.family, record).written;
            change.unanswered.reset();
            if (written)
                change.done.push_back(record.Index);
            else
                change.Refuse(record.Index);
            interaction.progress(i + 1, count);
            interaction.processEvents();
            if (!interaction.keepRunning() && interaction.confirm(StopWritingQuestion())) {
                change.stopped = i + 1 < count;
                break;
            }
        }
    });
    change.LeaveUnsent(slots);
    return change;
}

Utf8Text ImportWarningText(const std::vector<Utf8Text>& warnings) {
    if (warnings.empty()) return {};
    Utf8Text text = std::string(
        Tr("VCardImport", "Не всё из файла vCard удалось перенести в телефон как есть:"));
    for (const std::string& w : warnings) text += "\r\n" + w;
    return text;
}

}  // namespace orlin
