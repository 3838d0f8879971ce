#include "phonebook/phonebook_read.h"

#include <algorithm>

#include "link/answers.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/remembered_options.h"
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

std::string StatusText(const PhonebookReport& report) {
    switch (report.status) {
        case PhonebookReadStatus::NoAccess:
            return Tr("PhonebookRead", "Нет доступа а справочнику.");
        case PhonebookReadStatus::NoSlotInfo:
            return Tr("PhonebookRead", "Невозможно получить информацию о записях.");
        default:
            return {};
    }
}

std::string UnreadEntriesText(const PhonebookReport& report) {
    if (report.unreadable.empty()) return std::string();
    return Tr("PhonebookRead", "Не удалось прочитать записи: ") + SpanList(report.unreadable) + ".";
}

PhonebookState ReadWholePhonebook(PhoneSession& session, Interaction& interaction) {
    PhonebookState state;
    const PhonebookReport report = ReadPhonebook(session, state, interaction);
    report.RaiseFailure();
    if (report.status == PhonebookReadStatus::CharsetRefused)
        throw OrlinError(Tr("PhonebookRead", "Телефон отказал в кодировке UCS2."));
    if (report.status != PhonebookReadStatus::Done) throw OrlinError(StatusText(report));
    if (!report.unreadable.empty())
        throw OrlinError(Tr("PhonebookRead", "Не удалось прочитать записи: ") +
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

// Reads ranges of entries, smaller ones where the phone refuses (30, then 10, then 1 slot),
// and keeps the size that worked. For a model in no family the first line decides the layout.
class ChunkReader {
public:
    ChunkReader(PhoneSession& session, PhonebookState& state, Interaction& interaction,
                PhonebookReport& report, std::vector<TAbonentInfo>& entries)
        : session_(session),
          state_(state),
          interaction_(interaction),
          report_(report),
          entries_(entries) {}

    int chunk() const { return size_; }

    // Slots first..last, in ranges of the current size.
    void read(int first, int last) { readAt(first, last, size_); }

    // Stops at the first entry line (to learn a layout); false when no range gave one.
    bool firstLine(int first, int last, std::string& line) {
        stopAtLine_ = &line;
        read(first, last);
        stopAtLine_ = nullptr;
        return !line.empty();
    }

private:
    static int SmallerThan(int size) {
        for (int smaller : kSmallerChunkSlots)
            if (smaller < size) return smaller;
        return 0;
    }

    void readAt(int first, int last, int size) {
        for (int start = first; start <= last && !(stopAtLine_ && !stopAtLine_->empty());
             start += size) {
            const int end = std::min(start + size - 1, last);
            const std::string answer = portFailed_
                                           ? std::string()
                                           : session_.AtCommand("AT+MPBR=" + std::to_string(start) +
                                                                "," + std::to_string(end));
            // On a session that does not raise, a failing port is no refusal to read around.
            portFailed_ = portFailed_ || session_.port().LastError() != 0;
            if (portFailed_) {
                report_.unreadable.push_back({start, last});
                return;
            }
            if (AnswerHasOk(answer)) {
                // The size this phone takes; a single slot read around a bad one is no size.
                if (size < size_ && size > 1) size_ = size;
                take(answer, start, end);
                continue;
            }
            const int smaller = SmallerThan(size);
            if (smaller > 0)
                readAt(start, end, smaller);
            else
                report_.unreadable.push_back({start, end});
        }
    }

    void take(const std::string& answer, int first, int last) {
        for (const std::string& line : ChunkLines(answer)) {
            if (stopAtLine_) {
                *stopAtLine_ = line;
                return;
            }
            if (state_.family == ModelFamily::None && EntryFieldCount(line) >= 16) {
                // A later model (a V3, an L7): the lines of the 16-field family.
                state_.family = ModelFamily::Fields16;
                state_.unverifiedModel = true;
                if (FirstTimeInRun("unverified model " + state_.model))
                    interaction_.inform(UnverifiedModelText(state_.model));
            }
            try {
                TAbonentInfo entry = ParseMpbrLine(line, state_.family);
                entry.Storage = state_.StorageOfSlot(entry.Index);
                entries_.push_back(std::move(entry));
            } catch (const EConvertError&) {
                report_.unreadable.push_back(UnreadableSpan(line, first, last));
            }
        }
    }

    PhoneSession& session_;
    PhonebookState& state_;
    Interaction& interaction_;
    PhonebookReport& report_;
    std::vector<TAbonentInfo>& entries_;
    int size_ = kReadChunkSlots;
    std::string* stopAtLine_ = nullptr;
    bool portFailed_ = false;
};

// Spans in slot order, neighbours joined: slot by slot refusals read "31-40", not ten numbers.
void MergeSpans(std::vector<SlotSpan>& spans) {
    std::sort(spans.begin(), spans.end(),
              [](const SlotSpan& a, const SlotSpan& b) { return a.first < b.first; });
    std::vector<SlotSpan> merged;
    for (const SlotSpan& span : spans) {
        if (!merged.empty() && span.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, span.last);
        else
            merged.push_back(span);
    }
    spans = std::move(merged);
}

}  // namespace

std::string UnverifiedModelText(const std::string& model) {
    return model + Tr("PhonebookRead",
                      ": модель не проверена; записи пишутся в 16 полях, как у C650 и V300.");
}

ModelFamily LayoutOfUnlistedModel(PhoneSession& session, const std::string& model, int lastSlot,
                                  Interaction& interaction) {
    PhonebookState probe;
    probe.model = model;
    PhonebookReport report;
    std::vector<TAbonentInfo> entries;
    ChunkReader reader{session, probe, interaction, report, entries};
    std::string line;
    if (!reader.firstLine(1, lastSlot, line) || EntryFieldCount(line) < 16)
        return ModelFamily::None;
    if (FirstTimeInRun("unverified model " + model)) interaction.inform(UnverifiedModelText(model));
    return ModelFamily::Fields16;
}

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
        // Some phones quote the name ("General"), which may then hold a comma.
        const size_t end = !text.empty() && text[0] == '"' ? text.find('"', 1) + 1 : 0;
        const std::string field = end > 0 ? text.substr(0, end) : text.substr(0, text.find(','));
        try {
            read[static_cast<size_t>(g - 1)] = DecodeUcs2Field(field);
        } catch (const EConvertError&) {
            // A name the phone garbled stays empty; the other categories still count.
        }
    }
    names = std::move(read);
}

Abonents PlaceByIndex(const std::vector<TAbonentInfo>& entries, int slotCount,
                      std::vector<SlotSpan>* misplaced) {
    // Slots without an entry read as free slots.
    Abonents table(static_cast<size_t>(std::max(slotCount, 0)));
    for (const TAbonentInfo& entry : entries) {
        if (entry.Index < 1 || entry.Index > slotCount) {
            if (misplaced) misplaced->push_back({entry.Index, entry.Index});
            continue;
        }
        table[static_cast<size_t>(entry.Index) - 1] = entry;
    }
    return table;
}

namespace {

void ReadSteps(PhoneSession& session, PhonebookState& state, Interaction& interaction,
               const std::function<void(ModelFamily)>& onModel, PhonebookReport& report) {
    state.model = ModelAfterEquals(session.AtCommand("AT+CGMM"));
    state.family = FamilyOfModel(state.model);
    state.unverifiedModel = false;
    if (onModel) onModel(state.family);

    state.ranges = QueryIndexRanges(session);

    if (!AnswerHasOk(session.AtCommand("AT+CPBS=MT"))) {
        report.status = PhonebookReadStatus::NoAccess;
        return;
    }
    const std::string slotInfo = session.AtCommand("AT+MPBR=?");
    if (!AnswerHasOk(slotInfo)) {
        report.status = PhonebookReadStatus::NoSlotInfo;
        return;
    }
    const int slotCount = ParseDashTriple(slotInfo).first;
    CheckAnnounced(slotCount, kMostPhonebookSlots, slotInfo);

    session.AtCommand("AT+CPBS=MT");
    if (!AnswerHasOk(session.AtCommand("AT+CSCS=UCS2"))) {
        report.status = PhonebookReadStatus::CharsetRefused;
        return;
    }

    GroupNames groupNames = state.groupNames;
    if (HasCategories(state.family)) ReadCategoryNames(session, "AT +MPGR=?", groupNames);

    interaction.progress(0, slotCount);
    std::vector<TAbonentInfo> entries;
    ChunkReader reader{session, state, interaction, report, entries};
    for (int start = 1; start <= slotCount;) {
        const int last = std::min(start + reader.chunk() - 1, slotCount);
        reader.read(start, last);
        interaction.progress(last, slotCount);
        start = last + 1;
    }
    MergeSpans(report.unreadable);
    // A model in no family has shown its layout only now: the categories of that layout.
    if (state.unverifiedModel && HasCategories(state.family))
        ReadCategoryNames(session, "AT +MPGR=?", groupNames);

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
}

}  // namespace

PhonebookReport ReadPhonebook(PhoneSession& session, PhonebookState& state,
                              Interaction& interaction,
                              const std::function<void(ModelFamily)>& onModel) {
    PhonebookReport report;
    KeepFailure(report, [&] { ReadSteps(session, state, interaction, onModel, report); });
    return report;
}

}  // namespace orlin
