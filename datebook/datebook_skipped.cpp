#include "datebook/datebook_skipped.h"

#include <algorithm>

#include "link/answers.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/slot_list.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// The most occurrences looked at for a date: eight a year for 200 years of daily events is
// far below, and the phone numbers them in 16 bits.
constexpr int kMostOccurrence = 65535;

bool Repeats(const DatebookEvent& event) {
    return event.repeatCode == "1" || event.repeatCode == "2" || event.repeatCode == "3" ||
           event.repeatCode == "4" || event.repeatCode == "5";
}

// The calendar month `months` after the start's, with the start's day (not checked).
CivilDate MonthsLater(const CivilDate& start, int64_t months) {
    const int64_t index = start.year * 12LL + (start.month - 1) + months;
    return {static_cast<int>(index / 12), static_cast<int>(index % 12) + 1, start.day};
}

// The day in the month of `month` with the start's weekday in the start's week of the month.
std::optional<CivilDate> SameWeekday(const CivilDate& start, CivilDate month) {
    const int week = (start.day - 1) / 7;
    month.day = 1;
    const int shift = (Weekday(start) - Weekday(month) + 7) % 7;
    month.day = 1 + shift + 7 * week;
    if (!IsRealDate(month)) return std::nullopt;
    return month;
}

}  // namespace

std::optional<CivilDate> OccurrenceDate(const DatebookEvent& event, int n) {
    const auto start = ParseWireDate(event.startDate);
    if (!start || n < 1 || n > kMostOccurrence || !Repeats(event)) return std::nullopt;
    const std::string& code = event.repeatCode;
    std::optional<CivilDate> date;
    if (code == "1" || code == "2") {
        const int64_t step = code == "1" ? 1 : 7;
        date = CivilFromDays(DaysFromCivil(*start) + step * (n - 1));
    } else {
        // Count the months (years) that have the day, from the start's on.
        int found = 0;
        const int64_t stride = code == "5" ? 12 : 1;
        for (int64_t k = 0; found < n && k < 12LL * 10000; k += stride) {
            const CivilDate candidate = MonthsLater(*start, k);
            std::optional<CivilDate> day;
            if (code == "3")
                day = SameWeekday(*start, candidate);
            else if (IsRealDate(candidate))
                day = candidate;
            if (day && ++found == n) date = day;
        }
    }
    if (!date || date->year > 9999) return std::nullopt;
    return date;
}

std::optional<int> OccurrenceNumber(const DatebookEvent& event, const CivilDate& date) {
    const auto start = ParseWireDate(event.startDate);
    if (!start || !Repeats(event) || !EventFallsOn(event, date)) return std::nullopt;
    const int64_t days = DaysFromCivil(date) - DaysFromCivil(*start);
    int64_t n = 0;
    if (event.repeatCode == "1") {
        n = days + 1;
    } else if (event.repeatCode == "2") {
        n = days / 7 + 1;
    } else {
        // The months (years) that have the day, up to the date's.
        const int64_t months =
            (date.year * 12LL + date.month) - (start->year * 12LL + start->month);
        const int64_t stride = event.repeatCode == "5" ? 12 : 1;
        for (int64_t k = 0; k <= months && n <= kMostOccurrence; k += stride) {
            const CivilDate candidate = MonthsLater(*start, k);
            if (event.repeatCode == "3" ? SameWeekday(*start, candidate).has_value()
                                        : IsRealDate(candidate))
                ++n;
        }
    }
    if (n < 1 || n > kMostOccurrence) return std::nullopt;
    return static_cast<int>(n);
}

std::vector<int> SkippedFromAnswer(int slot, const std::string& response) {
    std::vector<int> skipped;
    const std::string prefix = "+MDBRE:";
    size_t at = 0;
    while ((at = response.find(prefix, at)) != std::string::npos) {
        at += prefix.size();
        const size_t end = response.find_first_of("\r\n", at);
        const std::string line = Trim(response.substr(at, end - at));
        at = end == std::string::npos ? response.size() : end;
        // <slot>,<n>,<flag>; a flag other than 1 skips nothing.
        const size_t first = line.find(','), second = line.find(',', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        try {
            if (StrToInt(Trim(line.substr(0, first))) != slot) continue;
            const int n = StrToInt(Trim(line.substr(first + 1, second - first - 1)));
            if (Trim(line.substr(second + 1)) != "1" || n < 1 || n > kMostOccurrence) continue;
            skipped.push_back(n);
        } catch (const OrlinError&) {
            // A line the phone garbled names no occurrence.
        }
    }
    std::sort(skipped.begin(), skipped.end());
    skipped.erase(std::unique(skipped.begin(), skipped.end()), skipped.end());
    return skipped;
}

std::string SkipOccurrenceCommand(int slot, int n) {
    return "AT+MDBWE=" + std::to_string(slot) + "," + std::to_string(n) + ",1";
}

std::vector<int> ReadSkippedOccurrences(PhoneSession& session, std::vector<DatebookEvent>& events,
                                        Interaction& interaction) {
    std::vector<int> refused;
    std::vector<DatebookEvent*> repeating;
    for (DatebookEvent& event : events)
        if (Repeats(event)) repeating.push_back(&event);
    if (repeating.empty()) return refused;
    session.AtCommand("AT+MDBL=1");
    try {
        interaction.progress(0, static_cast<int>(repeating.size()));
        for (size_t i = 0; i < repeating.size(); ++i) {
            DatebookEvent& event = *repeating[i];
            const std::string slot = std::to_string(event.slot);
            const std::string answer = session.AtCommand("AT+MDBR=" + slot + "," + slot);
            event.skipped.clear();
            if (EndsInOk(answer))
                event.skipped = SkippedFromAnswer(event.slot, answer);
            else
                refused.push_back(event.slot);
            interaction.processEvents();
            interaction.progress(static_cast<int>(i) + 1, static_cast<int>(repeating.size()));
        }
    } catch (...) {
        session.AtCommand("AT+MDBL=0");
        throw;
    }
    session.AtCommand("AT+MDBL=0");
    return refused;
}

std::string UnreadSkippedText(const std::vector<int>& slots) {
    if (slots.empty()) return {};
    return Tr("DatebookSkipped", "Не удалось прочитать пропущенные повторы событий в ячейках ") +
           SlotList(slots) + ".";
}

}  // namespace orlin
