#include "datebook/datebook_write.h"

#include <algorithm>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/slot_list.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// The answer line of a refusal; the whole trimmed answer when it has no final line.
std::string RefusalLine(const std::string& answer) {
    const std::string line = FinalResultLine(answer);
    return line.empty() ? Trim(answer) : line;
}

PhoneAnswer Judged(const std::string& answer) {
    if (EndsInOk(answer)) return {true, std::string()};
    return {false, RefusalLine(answer)};
}

// Runs `work` inside "AT+MDBL=1" ... "AT+MDBL=0"; the unlock is sent also when `work`
// raises, and its own failure then replaces the first. A phone without a lock (a plain ERROR
// to it) is not sent the unlock either.
template <typename Work>
void Locked(PhoneSession& session, Work&& work) {
    const bool noLock = IsPlainError(session.AtCommand("AT+MDBL=1"));
    try {
        work();
    } catch (...) {
        if (!noLock) session.AtCommand("AT+MDBL=0");
        throw;
    }
    if (!noLock) session.AtCommand("AT+MDBL=0");
}

// The extended line's fields after the repeat code: the end time and date, then the rest as
// the phone sent them.
// The phone's fields come back as they came, checked like every other field: a quoted one
// inside its quotes, a bare one as a bare field.
std::string ExtendedTail(const DatebookEvent& e) {
    const std::string what =
        Tr("DatebookWrite", "событие в ячейке ") + std::to_string(e.slot) + ", ";
    CheckCommandField(e.endTime, what + Tr("DatebookWrite", "дата или время"));
    CheckCommandField(e.endDate, what + Tr("DatebookWrite", "дата или время"));
    std::string tail = ",\"" + e.endTime + "\",\"" + e.endDate + "\"";
    for (const std::string& field : e.extraFields) {
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            CheckCommandField(std::string_view(field).substr(1, field.size() - 2),
                              what + Tr("DatebookWrite", "поле"));
        else
            CheckBareField(field, what + Tr("DatebookWrite", "поле"));
        tail += "," + field;
    }
    return tail;
}

std::string RefusedSlots(const std::vector<std::pair<int, std::string>>& refused) {
    std::vector<int> slots;
    for (const auto& each : refused) slots.push_back(each.first);
    return SlotList(slots);
}

}  // namespace

void AlarmOf(const CivilDate& startDate, const ClockTime& startTime, int lead, CivilDate& alarmDate,
             ClockTime& alarmTime) {
    FromMinutes(MinutesOf(startDate, startTime) - lead, alarmDate, alarmTime);
}

DatebookEvent EventOfDraft(int slot, const EventDraft& draft) {
    DatebookEvent event;
    event.slot = slot;
    event.title = draft.title;
    event.firstFlag = draft.timeFlag;
    event.startTime = WireTime(draft.startTime);
    event.startDate = WireDate(draft.startDate);
    event.duration = std::to_string(draft.duration);
    event.repeatCode = draft.repeatCode;
    if (draft.extended) {
        event.extended = true;
        event.durationFromEnd = draft.durationFromEnd;
        event.extraFields = draft.extraFields;
        SetEndFromDuration(event);
    }
    if (draft.alarmOn) {
        CivilDate date;
        ClockTime time;
        AlarmOf(draft.startDate, draft.startTime, draft.lead, date, time);
        event.alarmFlag = "1";
        event.alarmTime = WireTime(time);
        event.alarmDate = WireDate(date);
    } else {
        event.alarmFlag = "0";
        event.alarmTime = "00:00";
        event.alarmDate = "00-00-2000";
    }
    return event;
}

std::string WriteCommand(const DatebookEvent& e) {
    // Every field but the title (phone text) may come from a file or a list row.
    const std::string what =
        Tr("DatebookWrite", "событие в ячейке ") + std::to_string(e.slot) + ", ";
    for (const std::string* field : {&e.startTime, &e.startDate, &e.alarmTime, &e.alarmDate})
        CheckCommandField(*field, what + Tr("DatebookWrite", "дата или время"));
    for (const std::string* field : {&e.firstFlag, &e.alarmFlag, &e.duration, &e.repeatCode})
        CheckBareField(*field, what + Tr("DatebookWrite", "число"));
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    return "AT+MDBW=" + std::to_string(e.slot) + "," + EncodeUcs2(e.title) + "," + e.firstFlag +
           "," + e.alarmFlag + "," + quoted(e.startTime) + "," + quoted(e.startDate) + "," +
           (e.extended && e.durationFromEnd ? std::string() : e.duration) + "," +
           quoted(e.alarmTime) + "," + quoted(e.alarmDate) + "," + e.repeatCode +
           (e.extended ? ExtendedTail(e) : std::string());
}

std::string WriteCommand(int slot, const EventDraft& draft) {
    return WriteCommand(EventOfDraft(slot, draft));
}

std::optional<int64_t> AlarmLeadMinutes(const DatebookEvent& event) {
    const auto startDate = ParseWireDate(event.startDate);
    const auto startTime = ParseWireTime(event.startTime);
    const auto alarmDate = ParseWireDate(event.alarmDate);
    const auto alarmTime = ParseWireTime(event.alarmTime);
    if (!startDate || !startTime || !alarmDate || !alarmTime) return std::nullopt;
    return MinutesOf(*startDate, *startTime) - MinutesOf(*alarmDate, *alarmTime);
}

int LeadOfEvent(const DatebookEvent& event) {
    const auto lead = AlarmLeadMinutes(event);
    if (!lead) return 1;
    return static_cast<int>(std::clamp<int64_t>(*lead, 1, 1440));
}

EditValues EditValuesOfEvent(const DatebookEvent& event) {
    EditValues values;
    values.slot = event.slot;
    const std::string& date = event.startDate;
    const auto part = [&date](size_t from, size_t count) {
        return from < date.size() ? date.substr(from, count) : std::string();
    };
    EventDraft& d = values.draft;
    d.startDate.month = StrToInt(part(0, 2));
    d.startDate.day = StrToInt(part(3, 2));
    d.startDate.year = StrToInt(part(6, 4));
    d.duration = StrToInt(event.duration);
    const size_t colon = event.startTime.find(':');
    if (IsUntimed(event) && !ParseWireTime(event.startTime)) {
        d.startTime = {0, 0};  // an untimed event's start time means nothing
    } else {
        d.startTime.hour = StrToInt(event.startTime.substr(0, colon));
        d.startTime.minute = StrToInt(
            colon == std::string::npos ? std::string() : event.startTime.substr(colon + 1));
    }
    if (!IsRealDate(d.startDate)) throw EConvertError("'" + date + "' is not a valid date");
    if (d.startTime.hour < 0 || d.startTime.hour > 23 || d.startTime.minute < 0 ||
        d.startTime.minute > 59)
        throw EConvertError("'" + event.startTime + "' is not a valid time");
    d.title = event.title;
    d.repeatCode = event.repeatCode;
    d.timeFlag = event.firstFlag;
    d.extended = event.extended;
    d.durationFromEnd = event.durationFromEnd;
    d.extraFields = event.extraFields;
    values.alarmKnown = event.alarmFlag == "1" || event.alarmFlag == "0";
    d.alarmOn = event.alarmFlag == "1";
    d.lead = d.alarmOn ? LeadOfEvent(event) : 1;
    values.leadAsRead = d.lead;
    if (const auto lead = AlarmLeadMinutes(event);
        lead && d.alarmOn && *lead > -100000000 && *lead < 100000000)
        values.leadAsRead = static_cast<int>(*lead);
    return values;
}

PhoneAnswer WriteEvent(PhoneSession& session, const std::string& command) {
    const std::string charset = session.AtCommand("AT+CSCS=UCS2");
    if (!EndsInOk(charset)) return {false, RefusalLine(charset)};
    PhoneAnswer result;
    Locked(session, [&] { result = Judged(session.AtCommand(command)); });
    return result;
}

bool DraftsChange::taken(size_t i) const {
    if (i >= slotOf.size() || slotOf[i] < 0) return false;
    return std::find(done.begin(), done.end(), slotOf[i]) != done.end();
}

std::string DraftsChange::refusalOf(size_t i) const {
    if (i >= slotOf.size() || slotOf[i] < 0) return std::string();
    const auto at = std::find(refused.begin(), refused.end(), slotOf[i]);
    return at == refused.end() ? std::string()
                               : refusals[static_cast<size_t>(at - refused.begin())];
}

DraftsChange WriteDrafts(PhoneSession& session, const std::vector<EventDraft>& drafts,
                         const std::vector<uint8_t>& slotUsed, Interaction& interaction) {
    DraftsChange change;
    change.slotOf.assign(drafts.size(), -1);
    if (drafts.empty()) return change;
    KeepFailure(change, [&] {
        const std::string charset = session.AtCommand("AT+CSCS=UCS2");
        if (!EndsInOk(charset)) {
            change.refusedAccess = true;
            return;
        }
        Locked(session, [&] {
            size_t next = 0;
            const int count = static_cast<int>(drafts.size());
            interaction.progress(0, count);
            for (size_t i = 0; i < drafts.size(); ++i) {
                while (next < slotUsed.size() && slotUsed[next] != 0) ++next;
                if (next >= slotUsed.size()) break;
                const int slot = static_cast<int>(next++);
                change.slotOf[i] = slot;
                change.unanswered = slot;
                const PhoneAnswer answer = Judged(session.AtCommand(WriteCommand(slot, drafts[i])));
                change.unanswered.reset();
                if (answer.taken)
                    change.done.push_back(slot);
                else
                    change.Refuse(slot, answer.line);
                interaction.processEvents();
                interaction.progress(static_cast<int>(i) + 1, count);
            }
        });
    });
    return change;
}

EventsChange DeleteEvents(PhoneSession& session, const std::vector<int>& slots, bool askFirst) {
    EventsChange change;
    KeepFailure(change, [&] {
        Locked(session, [&] {
            for (int slot : slots) {
                if (askFirst &&
                    Trim(session.AtCommand("AT+MDBR=" + std::to_string(slot))) == "OK") {
                    change.empty.push_back(slot);
                    continue;
                }
                change.unanswered = slot;
                const PhoneAnswer answer =
                    Judged(session.AtCommand("AT+MDBWE=" + std::to_string(slot) + ",0,0"));
                change.unanswered.reset();
                if (answer.taken)
                    change.done.push_back(slot);
                else
                    change.Refuse(slot, answer.line);
            }
        });
    });
    // The empty slots are in none of the four lists.
    std::vector<int> rest;
    for (int slot : slots)
        if (std::find(change.empty.begin(), change.empty.end(), slot) == change.empty.end())
            rest.push_back(slot);
    change.LeaveUnsent(rest);
    return change;
}

std::string AutoDeleteCode(int item) {
    static const char* const codes[] = {"0", "1", "2", "4", "8"};
    return item >= 0 && item < kAutoDeleteItemCount ? codes[item] : "";
}

const std::vector<Utf8Text>& AutoDeleteItemTexts() {
    static const std::vector<Utf8Text> texts = {
        ORLIN_TRANSLATE_NOOP("DatebookWrite", "никогда не удалять"),
        ORLIN_TRANSLATE_NOOP("DatebookWrite", "после 1-ой недели"),
        ORLIN_TRANSLATE_NOOP("DatebookWrite", "после 2-х недель"),
        ORLIN_TRANSLATE_NOOP("DatebookWrite", "после 4-х недель"),
        ORLIN_TRANSLATE_NOOP("DatebookWrite", "после 8-и недель"),
    };
    return texts;
}

PhoneAnswer SetAutoDelete(PhoneSession& session, const std::string& code) {
    CheckBareField(code, Tr("DatebookWrite", "код автоудаления"));
    return Judged(session.AtCommand("AT+MDBAD=" + code));
}

std::string LockMissingText() {
    return Tr("DatebookWrite",
              "Телефон не поддерживает блокировку ежедневника; чтение без блокировки.");
}

std::string NoFreeSlotText() {
    return Tr("DatebookWrite", "В ежедневнике нет свободных ячеек.");
}

std::string WriteRefusedText(int slot, const std::string& answerLine) {
    return Tr("DatebookWrite", "Телефон не записал событие в ячейку ") + std::to_string(slot) +
           ".\r\n" + Tr("DatebookWrite", "Ответ телефона: ") + AnswerText(answerLine);
}

Utf8Text DeleteEventsText(const SlotChange& change) {
    std::vector<std::pair<int, std::string>> refused;
    for (size_t i = 0; i < change.refused.size(); ++i)
        refused.emplace_back(change.refused[i],
                             i < change.refusals.size() ? change.refusals[i] : std::string());
    if (refused.empty()) return std::string();
    const bool one = refused.size() == 1;
    Utf8Text text = std::string(one ? Tr("DatebookWrite", "Телефон не удалил событие в ячейке ")
                                    : Tr("DatebookWrite", "Телефон не удалил события в ячейках ")) +
                    RefusedSlots(refused) + ".\r\n" + Tr("DatebookWrite", "Ответ телефона: ");
    const bool same = std::all_of(refused.begin(), refused.end(),
                                  [&](const auto& r) { return r.second == refused[0].second; });
    if (same) return text + refused[0].second;
    for (size_t i = 0; i < refused.size(); ++i)
        text += (i ? "; " : "") + std::string(Tr("DatebookWrite", "ячейка ")) +
                std::to_string(refused[i].first) + " - " + refused[i].second;
    return text;
}

Utf8Text EventBeyondUcs2Text(const Utf8Text& title) {
    return "«" + title + "»: " +
           Tr("DatebookWrite",
              "знаки, которых телефон не хранит (эмодзи и другие вне UCS2), записаны как «?»");
}

Utf8Text AutoDeleteRefusedText(const Utf8Text& itemText, const std::string& answerLine) {
    return Tr("DatebookWrite", "Телефон не принял настройку автоудаления \"") +
           std::string(Tr("DatebookWrite", itemText.c_str())) + "\".\r\n" +
           Tr("DatebookWrite", "Ответ телефона: ") + answerLine;
}

}  // namespace orlin
