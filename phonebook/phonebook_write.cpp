#include "phonebook/phonebook_write.h"

#include <algorithm>

#include "link/errors.h"
#include "link/fill_in.h"
#include "link/language.h"
#include "link/text_utils.h"
#include "phonebook/code_tables.h"
#include "phonebook/entry_codec.h"

namespace orlin {

std::string StopWritingQuestion() {
    return Tr("PhonebookWrite", "Вы уверены, что хотите прервать\r\nзапись данных в телефон?!");
}

TAbonentInfo RecordFromDraft(const EntryDraft& draft, ModelFamily family) {
    TAbonentInfo r;
    r.Index = StrToInt(draft.slotText);
    r.Name = draft.name;
    r.Number = draft.number;
    r.NumberType = static_cast<uint8_t>(draft.typeItem);
    r.NumberFormat = NumberFormatFor(draft.number, draft.typeItem);
    r.Aux6 = 0;
    if (auto ids = IdsFromText(draft.idsText))
        r.Ids = *ids;
    else
        r.Ids = StrToInt(draft.idsText);  // raises with the text, as a typed number would
    r.Aux8 = 0;
    r.Aux9 = 1;
    r.Aux12 = kFieldNone;
    r.Aux13 = 0;
    r.Aux15 = 0;
    r.Aux16 = 0;
    switch (family) {
        case ModelFamily::Fields13:
            r.Category = static_cast<uint8_t>(draft.groupItem + 1);
            // "нет" (item 15) and no choice at all both mean no icon.
            r.Icon = draft.iconItem >= 0 && draft.iconItem <= 14 ? draft.iconItem : kNoIcon;
            break;
        case ModelFamily::Fields16:
            r.Category = static_cast<uint8_t>(draft.groupItem + 1);
            r.Icon = kNoIcon;
            r.Picture = IsNoIconText(draft.iconText) ? std::string() : draft.iconText;
            break;
        default:
            r.Category = 0;
            r.Icon = 0;
            break;
    }
    return r;
}

std::optional<std::string> BeginAdd(PhoneSession& session) {
    const std::string model = CutModelName(session.AtCommand("AT+CGMM"));
    if (!AnswerIsBareOk(session.AtCommand("AT+CPBS=AD"))) return std::nullopt;
    if (!AnswerIsBareOk(session.AtCommand("AT+CSCS=UCS2"))) return std::nullopt;
    session.AtCommand("AT+MPBR=?");
    return model;
}

bool BeginEdit(PhoneSession& session) {
    if (!AnswerIsBareOk(session.AtCommand("AT+CPBS=AD"))) return false;
    return AnswerIsBareOk(session.AtCommand("AT+CSCS=UCS2"));
}

EntryWriteResult WriteEntry(PhoneSession& session, PhonebookState& state, ModelFamily family,
                            const TAbonentInfo& record, std::optional<int32_t> oldSlot) {
    EntryWriteResult result;
    TAbonentInfo* target = SlotRecord(state.abonents, record.Index);
    if (!target)
        throw OrlinError(FillIn(
            Tr("PhonebookWrite", "Номер записи %1 вне справочника: номера записей от 1 до %2."),
            {std::to_string(record.Index), std::to_string(state.abonents.size())}));
    const std::string command = BuildMpbwCommand(family, record);
    if (command.empty())
        throw OrlinError(Tr("PhonebookWrite", "Модель телефона не поддерживается: ") + state.model);

    const std::string answer = session.AtCommand(command);
    if (!AnswerHasOk(answer)) {
        result.answer = answer;
        return result;
    }
    result.written = true;
    *target = record;
    target->Storage = state.StorageOfSlot(record.Index);

    const bool moved = oldSlot && *oldSlot != record.Index;
    if (moved) {
        const bool emptied = AnswerHasOk(session.AtCommand(BuildEmptySlotCommand(*oldSlot)));
        result.oldSlotEmptied = emptied;
        if (emptied)
            if (TAbonentInfo* old = SlotRecord(state.abonents, *oldSlot)) ResetRecord(*old);
    }

    // The read order names each entry's slot once, in the list's order.
    auto& order = state.readOrder;
    const auto has = [&](int32_t slot) {
        return std::find(order.begin(), order.end(), slot) != order.end();
    };
    if (moved && result.oldSlotEmptied) {
        auto old = std::find(order.begin(), order.end(), *oldSlot);
        if (old != order.end()) {
            if (has(record.Index))
                order.erase(old);
            else
                *old = record.Index;
        }
    }
    if (!has(record.Index)) order.push_back(record.Index);
    return result;
}

TAbonentInfo RecordForRow(const ListRow& row, const PhonebookState& state, ModelFamily family) {
    const int32_t slot = StrToInt(row.caption);
    TAbonentInfo r;
    if (const TAbonentInfo* known = SlotRecord(state.abonents, slot)) {
        r = *known;
    } else {
        ResetRecord(r);
    }
    r.Index = slot;
    r.Name = row.name;
    r.Number = row.number;
    if (auto type = NumberTypeFromText(row.typeText, family))
        r.NumberType = static_cast<uint8_t>(*type);
    if (auto ids = IdsFromText(row.idsText)) r.Ids = *ids;
    r.NumberFormat = NumberFormatFor(r.Number, r.NumberType);
    return r;
}

SlotChange WriteAllRows(PhoneSession& session, const std::vector<ListRow>& rows,
                        const PhonebookState& state, Interaction& interaction) {
    SlotChange change;
    if (rows.empty()) return change;
    KeepFailure(change, [&] {
        const std::string model = CutModelName(session.AtCommand("AT+CGMM"));
        ModelFamily family = state.LayoutOfModel(model);
        if (family == ModelFamily::None) family = ModelFamily::Fields9;
        if (!AnswerIsBareOk(session.AtCommand("AT+CPBS=AD")) ||
            !AnswerIsBareOk(session.AtCommand("AT+CSCS=UCS2"))) {
            change.refusedAccess = true;
            return;
        }
        const int count = static_cast<int>(rows.size());
        interaction.progress(0, count - 1);
        for (int i = 0; i < count; ++i) {
            const TAbonentInfo record = RecordForRow(rows[static_cast<size_t>(i)], state, family);
            change.unanswered = record.Index;
            const std::string answer = session.AtCommand(BuildMpbwCommand(family, record));
            change.unanswered.reset();
            if (AnswerHasOk(answer))
                change.done.push_back(record.Index);
            else
                change.Refuse(record.Index);
            interaction.progress(i, count - 1);
            interaction.processEvents();
            if (!interaction.keepRunning() && interaction.confirm(StopWritingQuestion())) {
                change.stopped = i + 1 < count;
                break;
            }
        }
        interaction.progress(0, count - 1);
    });
    // The rest of the rows, by their slots (the list's captions are slot numbers).
    std::vector<int> slots;
    for (const ListRow& row : rows) {
        try {
            slots.push_back(StrToInt(row.caption));
        } catch (const EConvertError&) {
        }
    }
    change.LeaveUnsent(slots);
    return change;
}

std::vector<int32_t> SlotsOfCaptions(const std::vector<std::string>& captions) {
    std::vector<int32_t> slots;
    for (const std::string& caption : captions) slots.push_back(StrToInt(caption));
    return slots;
}

SlotChange DeletePhonebookEntries(PhoneSession& session, PhonebookState& state,
                                  const std::vector<int32_t>& slots) {
    SlotChange change;
    KeepFailure(change, [&] {
        if (!AnswerIsBareOk(session.AtCommand("AT+CPBS=AD"))) {
            change.refusedAccess = true;
            return;
        }
        for (const int32_t slot : slots) {
            change.unanswered = slot;
            const std::string answer = session.AtCommand(BuildEmptySlotCommand(slot));
            change.unanswered.reset();
            if (!AnswerHasOk(answer)) {
                change.Refuse(slot);
                continue;
            }
            if (TAbonentInfo* record = SlotRecord(state.abonents, slot)) ResetRecord(*record);
            auto& order = state.readOrder;
            order.erase(std::remove(order.begin(), order.end(), slot), order.end());
            change.done.push_back(slot);
        }
    });
    change.LeaveUnsent(slots);
    return change;
}

std::string DeletePhonebookText(const SlotChange& change) {
    if (change.refused.empty()) return std::string();
    std::string slots;
    for (const int slot : change.refused)
        slots += (slots.empty() ? "" : ", ") + std::to_string(slot);
    return Tr("PhonebookWrite", "Телефон не удалил записи: ") + slots + ".";
}

}  // namespace orlin
