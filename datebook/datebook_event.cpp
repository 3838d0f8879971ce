#include "datebook/datebook_event.h"

#include "link/answers.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/response_fields.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// The list's words, in the language shown; they come back from the list to the event the same
// way, and go into no file.
std::string AlarmOnText() {
    return Tr("DatebookEvent", "вкл.");
}

std::string AlarmOffText() {
    return Tr("DatebookEvent", "выкл.");
}

// Exactly `count` decimal digits at `pos`.
std::optional<int> Digits(const std::string& text, size_t pos, size_t count) {
    if (pos + count > text.size()) return std::nullopt;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string TwoDigits(int value) {
    return value < 10 && value >= 0 ? "0" + std::to_string(value) : std::to_string(value);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string WithoutQuotes(const std::string& field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.substr(1, field.size() - 2);
    return field;
}

// The lines the fixed positions of the ten-field line do not cut right: a quoted title (it may
// hold a comma) and the extended line of later models. Nothing for any other line, which is cut
// as it always was.
std::optional<DatebookEvent> QuotedOrExtendedEvent(int slot, const std::string& line) {
    const std::vector<std::string> f = FieldsOutsideQuotes(line.substr(line.find(':') + 1));
    const bool quotedTitle = f.size() >= 2 && f[1].size() >= 2 && f[1].front() == '"';
    const bool extended = f.size() >= 12;
    if (f.size() < 10 || (!quotedTitle && !extended)) return std::nullopt;
    DatebookEvent event;
    event.slot = slot;
    event.title = DecodeUcs2Field(f[1]);
    // The flags and the repeat code are one character each, as the ten-field line reads them.
    event.firstFlag = f[2].substr(0, 1);
    event.alarmFlag = f[3].substr(0, 1);
    event.startTime = WithoutQuotes(f[4]);
    event.startDate = WithoutQuotes(f[5]);
    event.duration = f[6];
    event.alarmTime = WithoutQuotes(f[7]);
    event.alarmDate = WithoutQuotes(f[8]);
    event.repeatCode = f[9].substr(0, 1);
    if (!extended) return event;
    event.extended = true;
    event.endTime = WithoutQuotes(f[10]);
    event.endDate = WithoutQuotes(f[11]);
    event.extraFields.assign(f.begin() + 12, f.end());
    if (event.duration.empty()) {
        event.durationFromEnd = true;
        event.duration = DurationFromEnd(event);
    }
    return event;
}

}  // namespace

std::string DurationFromEnd(const DatebookEvent& event) {
    const auto startDate = ParseWireDate(event.startDate), endDate = ParseWireDate(event.endDate);
    const auto startTime = ParseWireTime(event.startTime), endTime = ParseWireTime(event.endTime);
    if (!startDate || !endDate || !startTime || !endTime) return std::string();
    const int64_t minutes = MinutesOf(*endDate, *endTime) - MinutesOf(*startDate, *startTime);
    return minutes >= 0 ? std::to_string(minutes) : std::string();
}

void SetEndFromDuration(DatebookEvent& event) {
    const auto date = ParseWireDate(event.startDate);
    const auto time = ParseWireTime(event.startTime);
    if (!date || !time || event.duration.empty() || event.duration.size() > 9 ||
        event.duration.find_first_not_of("0123456789") != std::string::npos)
        return;
    CivilDate endDate;
    ClockTime endTime;
    FromMinutes(MinutesOf(*date, *time) + std::stoll(event.duration), endDate, endTime);
    event.endDate = WireDate(endDate);
    event.endTime = WireTime(endTime);
}

const std::vector<std::string>& RepeatTexts() {
    static const std::vector<std::string> texts = {
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "нет"),
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "ежедневно"),
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "еженедельно"),
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "ежемесячно (день)"),
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "ежемесячно (дата)"),
        ORLIN_TRANSLATE_NOOP("DatebookEvent", "ежегодно"),
    };
    return texts;
}

std::string RepeatCellText(const std::string& code) {
    if (code.size() == 1 && code[0] >= '0' && code[0] < '0' + kRepeatCodeCount)
        return Tr("DatebookEvent", RepeatTexts()[static_cast<size_t>(code[0] - '0')].c_str());
    return code;
}

std::string AlarmStateCellText(const std::string& flag) {
    if (flag == "1") return AlarmOnText();
    if (flag == "0") return AlarmOffText();
    return flag;
}

std::string RepeatCodeOfCell(const std::string& cell) {
    const auto& texts = RepeatTexts();
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == cell || Tr("DatebookEvent", texts[i].c_str()) == cell)
            return std::to_string(i);
    return cell;
}

std::string AlarmFlagOfCell(const std::string& cell) {
    if (cell == AlarmOnText()) return "1";
    if (cell == AlarmOffText()) return "0";
    return cell;
}

EventCells CellsOfEvent(const DatebookEvent& event) {
    return {event.title,
            IsUntimed(event) ? std::string() : event.startTime,
            event.alarmTime,
            event.startDate,
            event.duration,
            RepeatCellText(event.repeatCode),
            AlarmStateCellText(event.alarmFlag)};
}

DatebookEvent EventOfRow(const std::string& caption, const EventCells& cells,
                         const std::string& alarmDate) {
    DatebookEvent event;
    event.slot = StrToInt(caption);
    event.title = cells[CellTitle];
    event.startTime = cells[CellStart];
    event.alarmTime = cells[CellAlarm];
    event.startDate = cells[CellDate];
    event.duration = cells[CellDuration];
    event.repeatCode = RepeatCodeOfCell(cells[CellRepeat]);
    event.alarmFlag = AlarmFlagOfCell(cells[CellState]);
    event.alarmDate = alarmDate;
    return event;
}

std::optional<DatebookEvent> EventFromAnswer(int slot, const std::string& response) {
    const std::string line = AnswerLine(response, "+MDBR:");
    if (line.empty()) return std::nullopt;
    if (auto event = QuotedOrExtendedEvent(slot, line)) return event;
    return DatebookEvent(slot, ParseEventLine(line));
}

bool IsRealDate(const CivilDate& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

std::optional<CivilDate> ParseWireDate(const std::string& text) {
    if (text.size() != 10 || text[2] != '-' || text[5] != '-') return std::nullopt;
    const auto month = Digits(text, 0, 2), day = Digits(text, 3, 2), year = Digits(text, 6, 4);
    if (!month || !day || !year) return std::nullopt;
    const CivilDate date{*year, *month, *day};
    if (!IsRealDate(date)) return std::nullopt;
    return date;
}

std::optional<ClockTime> ParseWireTime(const std::string& text) {
    if (text.size() != 5 || text[2] != ':') return std::nullopt;
    const auto hour = Digits(text, 0, 2), minute = Digits(text, 3, 2);
    if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
    return ClockTime{*hour, *minute};
}

std::string WireDate(const CivilDate& date) {
    // Four year digits always: the phone reads the date by position (a file may hold 0042).
    std::string year = std::to_string(date.year);
    if (date.year >= 0 && year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return TwoDigits(date.month) + "-" + TwoDigits(date.day) + "-" + year;
}

std::string WireTime(const ClockTime& time) {
    return TwoDigits(time.hour) + ":" + TwoDigits(time.minute);
}

// The civil-from-days and days-from-civil algorithms over 400-year eras.
int64_t DaysFromCivil(const CivilDate& date) {
    const int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t m = date.month;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int Weekday(const CivilDate& date) {
    const int64_t days = DaysFromCivil(date);  // 1970-01-01 was a Thursday (3)
    return static_cast<int>(((days + 3) % 7 + 7) % 7);
}

int64_t MinutesOf(const CivilDate& date, const ClockTime& time) {
    return DaysFromCivil(date) * 1440 + time.hour * 60 + time.minute;
}

void FromMinutes(int64_t minutes, CivilDate& date, ClockTime& time) {
    int64_t days = minutes / 1440;
    int64_t rest = minutes % 1440;
    if (rest < 0) {
        rest += 1440;
        --days;
    }
    date = CivilFromDays(days);
    time = {static_cast<int>(rest / 60), static_cast<int>(rest % 60)};
}

bool EventFallsOn(const DatebookEvent& event, const CivilDate& day) {
    const auto start = ParseWireDate(event.startDate);
    if (!start || !IsRealDate(day)) return false;
    const int64_t first = DaysFromCivil(*start), wanted = DaysFromCivil(day);
    if (wanted == first) return true;
    if (wanted < first) return false;
    if (event.repeatCode == "1") return true;
    if (event.repeatCode == "2") return (wanted - first) % 7 == 0;
    if (event.repeatCode == "3")
        return Weekday(day) == Weekday(*start) && (day.day - 1) / 7 == (start->day - 1) / 7;
    if (event.repeatCode == "4") return day.day == start->day;
    if (event.repeatCode == "5") return day.day == start->day && day.month == start->month;
    return false;
}

}  // namespace orlin
