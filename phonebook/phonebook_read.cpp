#include "phonebook/phonebook_read.h"

#include <algorithm>

#include "link/answers.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"
#include "link/response_fields.h"
#include "link/text_utils.h"
#include "phonebook/entry_codec.h"

namespace orlin {

namespace {

// Splits the trimmed answer of one chunk into its entry lines: each line is followed by
// CR LF, and the lines are separated by an empty line.
std::vector<std::string> ChunkLines(const std::string& response) {
    std::string text = Trim(response);
    if (text.size() >= 2) text.erase(text.size() - 2);  // the final OK
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty()) lines.push_back(std::move(line));
        pos = end + 2;
    }
    return lines;
}

// The slot a malformed line names, when its first field is a number; else its chunk.
SlotSpan UnreadableSpan(const std::string& line, int first, int last) {
    if (line.compare(0, 7, "+MPBR: ") == 0) {
        const std::string index = line.substr(7, line.find(',', 7) - 7);
        try {
            const int slot = StrToInt(index);
            return {slot, slot};
        } catch (const EConvertError&) {
        }
    }
    return {first, last};
}

}  // namespace

std::string ReadStatusMessage(ReadStatus status) {
    switch (status) {
        case ReadStatus::NoAccess:
            return Utf8ToCp1251("Нет доступа а справочнику.");
        case ReadStatus::NoSlotInfo:
            return Utf8ToCp1251("Невозможно получить информацию о записях.");
        default:
            return {};
    }
}

PhonebookState ReadWholePhonebook(PhoneSession& session, Interaction& interaction) {
    PhonebookState state;
    const ReadReport report = ReadPhonebook(session, state, interaction);
    if (report.status == ReadStatus::CharsetRefused)
        throw OrlinError(Utf8ToCp1251("Телефон отказал в кодировке UCS2."));
    if (report.status != ReadStatus::Done) throw OrlinError(ReadStatusMessage(report.status));
    if (!report.unreadable.empty())
        throw OrlinError(Utf8ToCp1251("Не удалось прочитать записи: ") +
                         SpanList(report.unreadable));
    return state;
}

std::string SpanList(const std::vector<SlotSpan>& spans) {
    std::string text;
    for (const SlotSpan& span : spans) text += (text.empty() ? "" : ", ") + span.Text();
    return text;
}

namespace {

// A storage's index range as the phone announced it, within what any phone can hold: an
// answer beyond it is refused before it sizes a table or drives a command.
IndexRange AnnouncedRange(const std::string& answer) {
    const IndexRange range = ParseIndexRange(answer);
    CheckAnnounced(range.first, kMostPhonebookSlots, answer);
    CheckAnnounced(range.last, kMostPhonebookSlots, answer);
    return range;
}

}  // namespace

IndexRanges QueryIndexRanges(PhoneSession& session) {
    IndexRanges ranges;
    session.AtCommand("AT +CPBS=ME");
    const IndexRange phone = AnnouncedRange(session.AtCommand("AT+MPBR=?"));
    ranges.PhoneFirstIndex = phone.first;
    ranges.PhoneLastIndex = phone.last;
    session.AtCommand("AT +CPBS=SM");
    const std::string sim = session.AtCommand("AT+MPBR=?");
    if (AnswerHasOk(sim)) {
        const IndexRange range = AnnouncedRange(sim);
        ranges.SimFirstIndex = range.first;
        ranges.SimLastIndex = range.last;
    } else {
        // No SIM card: an empty SIM storage right after the phone memory.
        ranges.SimFirstIndex = ranges.PhoneLastIndex + 1;
        ranges.SimLastIndex = ranges.PhoneLastIndex;
    }
    return ranges;
}

void ReadCategoryNames(PhoneSession& session, const std::string& countCommand, GroupNames& names) {
    std::string answer = session.AtCommand(countCommand);
    if (!AnswerHasOk(answer)) return;
    answer.erase(0, 12);  // CR LF "+MPGR: (1-"
    const int count = StrToInt(answer.substr(0, answer.find(')')));
    CheckAnnounced(count, kMostCategories, "+MPGR: (1-" + answer);
    GroupNames read(static_cast<size_t>(std::max(count, 0)));
    for (int g = 1; g <= count; ++g) {
        const std::string answer = session.AtCommand("AT +MPGR=" + std::to_string(g));
        std::string text = Trim(answer);
        // A bare OK: the phone has no such category. A refusal likewise names none.
        if (text.empty() || text[0] == 'O' || !AnswerHasOk(answer)) continue;
        text.erase(0, 7);
        const size_t comma = text.find(',');
        if (comma == std::string::npos) continue;
        text.erase(0, comma + 1);
        const std::string hex = text.substr(0, text.find(','));
        try {
            read[static_cast<size_t>(g - 1)] = DecodePhoneText(hex);
        } catch (const EConvertError&) {
            // A name the phone garbled stays empty; the other categories still count.
        }
    }
    names = std::move(read);
}

Abonents PlaceByIndex(const std::vector<TAbonentInfo>& entries, int slotCount,
                      std::vector<SlotSpan>* misplaced) {
    Abonents table(static_cast<size_t>(std::max(slotCount, 0)));
    std::vector<bool> filled(table.size(), false);
    for (const TAbonentInfo& entry : entries) {
        if (entry.Index < 1 || entry.Index > slotCount) {
            if (misplaced) misplaced->push_back({entry.Index, entry.Index});
            continue;
        }
        table[static_cast<size_t>(entry.Index) - 1] = entry;
        filled[static_cast<size_t>(entry.Index) - 1] = true;
    }
    for (size_t i = 0; i < table.size(); ++i)
        if (!filled[i]) table[i] = FreeSlot(static_cast<int32_t>(i + 1));
    return table;
}

ReadReport ReadPhonebook(PhoneSession& session, PhonebookState& state, Interaction& interaction,
                         const std::function<void(ModelFamily)>& onModel) {
    ReadReport report;
    state.model = ModelAfterEquals(session.AtCommand("AT+CGMM"));
    state.family = FamilyOfModel(state.model);
    if (onModel) onModel(state.family);

    state.ranges = QueryIndexRanges(session);

    if (!AnswerHasOk(session.AtCommand("AT+CPBS=MT"))) {
        report.status = ReadStatus::NoAccess;
        return report;
    }
    const std::string slotInfo = session.AtCommand("AT+MPBR=?");
    if (!AnswerHasOk(slotInfo)) {
        report.status = ReadStatus::NoSlotInfo;
        return report;
    }
    const int slotCount = ParseDashTriple(slotInfo).first;
    CheckAnnounced(slotCount, kMostPhonebookSlots, slotInfo);

    session.AtCommand("AT+CPBS=MT");
    if (!AnswerHasOk(session.AtCommand("AT+CSCS=UCS2"))) {
        report.status = ReadStatus::CharsetRefused;
        return report;
    }

    GroupNames groupNames = state.groupNames;
    if (HasCategories(state.family)) ReadCategoryNames(session, "AT +MPGR=?", groupNames);

    interaction.progress(0, slotCount);
    std::vector<TAbonentInfo> entries;
    for (int start = 1; start <= slotCount; start += kReadChunkSlots) {
        const int last = std::min(start + kReadChunkSlots - 1, slotCount);
        const std::string answer =
            session.AtCommand("AT+MPBR=" + std::to_string(start) + "," + std::to_string(last));
        if (AnswerHasOk(answer)) {
            for (const std::string& line : ChunkLines(answer)) {
                try {
                    TAbonentInfo entry = ParseMpbrLine(line, state.family);
                    entry.Storage = state.StorageOfSlot(entry.Index);
                    entries.push_back(std::move(entry));
                } catch (const EConvertError&) {
                    report.unreadable.push_back(UnreadableSpan(line, start, last));
                }
            }
        }
        interaction.progress(last, slotCount);
    }

    state.readOrder.clear();
    for (const TAbonentInfo& entry : entries)
        if (entry.Index >= 1 && entry.Index <= slotCount) state.readOrder.push_back(entry.Index);
    state.abonents = PlaceByIndex(entries, slotCount, &report.unreadable);
    state.groupNames = std::move(groupNames);
    // An index the phone sent twice is one row, at the place it came first.
    std::vector<bool> seen(static_cast<size_t>(slotCount) + 1, false);
    std::vector<int32_t> order;
    for (int32_t slot : state.readOrder)
        if (!seen[static_cast<size_t>(slot)]) {
            seen[static_cast<size_t>(slot)] = true;
            order.push_back(slot);
        }
    state.readOrder = std::move(order);

    report.slotCount = slotCount;
    report.entries = static_cast<int>(state.readOrder.size());
    interaction.progress(0, slotCount);
    return report;
}

}  // namespace orlin
