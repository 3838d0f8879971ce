#include "datebook/ical/datebook_ical.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "datebook/datebook_skipped.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"
#include "link/plural.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical hands out texts it allocated with malloc().
std::string Taken(char* text) {
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

std::string NotICalendarText() {
    return Tr("DatebookICal", "Файл не является файлом iCalendar.");
}

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string Label(const std::string& title, const CivilDate* date, const ClockTime* time) {
    std::string label = "«" + title + "»";
    if (date)
        label += " " + TwoDigits(date->day) + "." + TwoDigits(date->month) + "." +
                 std::to_string(date->year);
    if (time) label += " " + TwoDigits(time->hour) + ":" + TwoDigits(time->minute);
    return label;
}

// libical's weekday numbers: Sunday 1 .. Saturday 7; ours Monday 0 .. Sunday 6.
int ICalWeekday(const CivilDate& date) {
    return (Weekday(date) + 1) % 7 + 1;
}

const char* const kWeekdayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// The RRULE of a repeat code; empty for "0" and for a code outside 0..5.
std::string RuleOfCode(const std::string& code, const CivilDate& start) {
    if (code == "1") return "FREQ=DAILY";
    if (code == "2") return "FREQ=WEEKLY";
    if (code == "3")
        return "FREQ=MONTHLY;BYDAY=" + std::to_string((start.day - 1) / 7 + 1) +
               kWeekdayCodes[Weekday(start)];
    if (code == "4") return "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(start.day);
    if (code == "5") return "FREQ=YEARLY";
    return std::string();
}

icaldurationtype Minutes(int64_t minutes) {
    icaldurationtype duration = icaldurationtype_null_duration();
    duration.is_neg = minutes < 0 ? 1 : 0;
    duration.minutes = static_cast<unsigned int>(minutes < 0 ? -minutes : minutes);
    return duration;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A duration in minutes, counted wide: libical's own sum is an int and wraps for P99999999W.
int64_t DurationMinutes(const icaldurationtype& d) {
    const int64_t seconds = ((int64_t{d.weeks} * 7 + d.days) * 24 + d.hours) * 3600 +
                            int64_t{d.minutes} * 60 + d.seconds;
    return (d.is_neg ? -seconds : seconds) / 60;
}

// A date and time as the file has it is one that exists: libical keeps 2027-02-30 and 25:00
// as they stand, and counting minutes from them would shift the event to another day.
bool TimeExists(const icaltimetype& time) {
    if (!IsRealDate({time.year, time.month, time.day}) || time.year < 1 || time.year > 9999)
        return false;
    return time.is_date || (time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
                            time.minute <= 59 && time.second >= 0 && time.second <= 60);
}

// The value of a property as the file wrote it.
std::string ValueText(icalproperty* property) {
    return Taken(icalproperty_get_value_as_string_r(property));
}

// The X- property `name` of a component, each value.
std::vector<std::string> XValues(icalcomponent* component, const char* name) {
    std::vector<std::string> values;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* x = icalproperty_get_x_name(p);
        if (x && std::string(x) == name && icalproperty_get_x(p))
            values.push_back(Trim(icalproperty_get_x(p)));
    }
    return values;
}

icalproperty* NewX(const char* name, const std::string& value) {
    icalproperty* p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    return p;
}

// A small decimal number (a slot, an occurrence), or -1.
int SmallNumber(const std::string& text) {
    return AllDigits(text) && text.size() <= 6 ? std::stoi(text) : -1;
}

// The slot our own UID names: "orlin-<time>-<slot>@datebook".
int SlotOfUid(const char* uid) {
    if (!uid) return -1;
    const std::string text = uid;
    const std::string tail = "@datebook";
    if (text.rfind("orlin-", 0) != 0 || text.size() <= tail.size() ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return -1;
    const std::string body = text.substr(0, text.size() - tail.size());
    return SmallNumber(body.substr(body.rfind('-') + 1));
}

// Minutes since 1970-01-01 00:00 local time: a floating time as it stands, a UTC or zoned
// time converted to the computer's local time, a date at its midnight.
int64_t LocalMinutes(const icaltimetype& time) {
    if (time.is_date) return MinutesOf({time.year, time.month, time.day}, {0, 0});
    if (time.zone || icaltime_is_utc(time)) {
        const icaltimezone* zone = time.zone ? time.zone : icaltimezone_get_utc_timezone();
        const time_t seconds = icaltime_as_timet_with_zone(time, zone);
        std::tm local{};
        localtime_r(&seconds, &local);
        return MinutesOf({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                         {local.tm_hour, local.tm_min});
    }
    return MinutesOf({time.year, time.month, time.day}, {time.hour, time.minute});
}

int ListLength(const short* list, int size) {
    int n = 0;
    while (n < size && list[n] != ICAL_RECURRENCE_ARRAY_MAX) ++n;
    return n;
}

// The repeat code closest to an RRULE; a note names a rule the phone cannot hold as it is.
std::string CodeOfRule(icalrecurrencetype rule, const CivilDate& start,
                       std::vector<std::string>& notes) {
    const int days = ListLength(rule.by_day, ICAL_BY_DAY_SIZE);
    const int monthDays = ListLength(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int months = ListLength(rule.by_month, ICAL_BY_MONTH_SIZE);
    const bool others = ListLength(rule.by_second, ICAL_BY_SECOND_SIZE) ||
                        ListLength(rule.by_minute, ICAL_BY_MINUTE_SIZE) ||
                        ListLength(rule.by_hour, ICAL_BY_HOUR_SIZE) ||
                        ListLength(rule.by_year_day, ICAL_BY_YEARDAY_SIZE) ||
                        ListLength(rule.by_week_no, ICAL_BY_WEEKNO_SIZE) ||
                        ListLength(rule.by_set_pos, ICAL_BY_SETPOS_SIZE) || rule.rscale;
    const auto startDay = [&](short day, int position) {
        return icalrecurrencetype_day_position(day) == position &&
               static_cast<int>(icalrecurrencetype_day_day_of_week(day)) == ICalWeekday(start);
    };
    bool exact =
        rule.interval <= 1 && rule.count == 0 && icaltime_is_null_time(rule.until) && !others;
    std::string code;
    switch (rule.freq) {
        case ICAL_NO_RECURRENCE:
            return "0";
        case ICAL_DAILY_RECURRENCE:
            code = "1";
            exact = exact && !days && !monthDays && !months;
            break;
        case ICAL_WEEKLY_RECURRENCE:
            code = "2";
            exact = exact && !monthDays && !months &&
                    (!days || (days == 1 && startDay(rule.by_day[0], 0)));
            break;
        case ICAL_MONTHLY_RECURRENCE:
            if (days) {
                code = "3";
                exact = exact && days == 1 && !monthDays && !months &&
                        startDay(rule.by_day[0], (start.day - 1) / 7 + 1);
            } else {
                code = "4";
                exact = exact && !months &&
                        (!monthDays || (monthDays == 1 && rule.by_month_day[0] == start.day));
            }
            break;
        case ICAL_YEARLY_RECURRENCE:
            code = "5";
            exact = exact && !days &&
                    (!months || (months == 1 && rule.by_month[0] == start.month)) &&
                    (!monthDays || (monthDays == 1 && rule.by_month_day[0] == start.day));
            break;
        default:  // every second, minute or hour: daily is the closest the phone has
            code = "1";
            exact = false;
            break;
    }
    if (!exact)
        notes.push_back(Tr("DatebookICal", "повтор ") +
                        Taken(icalrecurrencetype_as_string_r(&rule)) +
                        Tr("DatebookICal", " перенесён как «") + RepeatCellText(code) + "»");
    return code;
}

// The slot and the skipped occurrences of an event read into `imported` (its draft is
// complete). Our own X-ORLIN-EXCEPTION values win; without them each EXDATE that falls on an
// occurrence counts, and one that does not is named.
void ReadSkipped(icalcomponent* vevent, ImportedEvent& imported) {
    auto& notes = imported.notes;
    for (const std::string& value : XValues(vevent, "X-ORLIN-SLOT"))
        imported.slot = SmallNumber(value);
    if (imported.slot < 0) imported.slot = SlotOfUid(icalcomponent_get_uid(vevent));
    const DatebookEvent event = EventOfImported(imported, 0);
    std::vector<int> skipped;
    for (const std::string& value : XValues(vevent, "X-ORLIN-EXCEPTION")) {
        const int n = SmallNumber(value);
        if (n >= 1 && n <= 65535)
            skipped.push_back(n);
        else
            notes.push_back(Tr("DatebookICal", "пропуск повтора «") + value +
                            Tr("DatebookICal", "» не разобран"));
    }
    const bool ours = !skipped.empty();
    std::vector<std::string> strays;
    for (icalproperty* p = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype date = icalproperty_get_exdate(p);
        if (!TimeExists(date)) {
            imported.writable = false;
            notes.push_back(Tr("DatebookICal", "пропущенная дата ") + ValueText(p) +
                            Tr("DatebookICal", " не существует: не записано"));
            return;
        }
        if (ours) continue;
        CivilDate day;
        ClockTime time;
        FromMinutes(LocalMinutes(date), day, time);
        if (const auto n = OccurrenceNumber(event, day))
            skipped.push_back(*n);
        else
            strays.push_back(ValueText(p));
    }
    if (!strays.empty()) {
        std::string list;
        for (const std::string& stray : strays) list += (list.empty() ? "" : ", ") + stray;
        notes.push_back(Tr("DatebookICal",
                           "пропущенные даты, на которые событие не приходится, не перенесены: ") +
                        list);
    }
    std::sort(skipped.begin(), skipped.end());
    skipped.erase(std::unique(skipped.begin(), skipped.end()), skipped.end());
    imported.skipped = std::move(skipped);
}

ImportedEvent ImportOne(icalcomponent* vevent, int titleLength) {
    ImportedEvent imported;
    EventDraft& draft = imported.draft;
    auto& notes = imported.notes;

    std::string summary =
        icalcomponent_get_summary(vevent) ? icalcomponent_get_summary(vevent) : "";
    for (char& c : summary)
        if (static_cast<unsigned char>(c) < 32) c = ' ';  // the phone keeps no line breaks
    // The title as the phone will hold it: every character of UCS2 as it is, one beyond it
    // (an emoji) a '?', which the notes name.
    Utf8Text title = DecodeUcs2(EncodeUcs2(summary));
    if (title != summary)
        notes.push_back(
            Tr("DatebookICal", "знаки заголовка, которых нет в телефоне, заменены на «?»"));
    if (titleLength > 0 && Ucs2Length(title) > static_cast<size_t>(titleLength)) {
        title = Ucs2Prefix(title, static_cast<size_t>(titleLength));
        notes.push_back(Tr("DatebookICal", "заголовок укорочен до ") +
                        CountedText(titleLength, "DatebookICal",
                                    ORLIN_TRANSLATE_NOOP("DatebookICal", "знака"),
                                    ORLIN_TRANSLATE_NOOP("DatebookICal", "знаков"),
                                    ORLIN_TRANSLATE_NOOP("DatebookICal", "знаков")));
    }
    draft.title = title;

    icalproperty* startProperty = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
    const icaltimetype start = icalcomponent_get_dtstart(vevent);
    if (!startProperty || icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) {
        imported.writable = false;
        imported.label = Label(title, nullptr, nullptr);
        notes.push_back(Tr("DatebookICal", "нет времени начала: не записано"));
        return imported;
    }
    if (!TimeExists(start)) {
        imported.writable = false;
        imported.label = Label(title, nullptr, nullptr);
        notes.push_back(Tr("DatebookICal", "начало ") + ValueText(startProperty) +
                        Tr("DatebookICal", " не существует: не записано"));
        return imported;
    }
    if (icalproperty_get_first_parameter(startProperty, ICAL_TZID_PARAMETER) && !start.zone)
        notes.push_back(Tr("DatebookICal", "часовой пояс не распознан: время взято как есть"));
    const int64_t startMinutes = LocalMinutes(start);
    FromMinutes(startMinutes, draft.startDate, draft.startTime);
    // An all-day event: the phone's untimed event (time flag 0).
    if (start.is_date) draft.timeFlag = "0";
    imported.label = Label(title, &draft.startDate, start.is_date ? nullptr : &draft.startTime);

    int64_t duration = start.is_date ? 1440 : 0;
    if (icalproperty* p = icalcomponent_get_first_property(vevent, ICAL_DURATION_PROPERTY)) {
        duration = DurationMinutes(icalproperty_get_duration(p));
    } else if (icalproperty* end = icalcomponent_get_first_property(vevent, ICAL_DTEND_PROPERTY)) {
        if (!TimeExists(icalproperty_get_dtend(end))) {
            imported.writable = false;
            notes.push_back(Tr("DatebookICal", "конец ") + ValueText(end) +
                            Tr("DatebookICal", " не существует: не записано"));
            return imported;
        }
        duration = LocalMinutes(icalproperty_get_dtend(end)) - startMinutes;
    }
    if (duration > kMostEventMinutes || duration < -kMostEventMinutes) {
        imported.writable = false;
        notes.push_back(Tr("DatebookICal", "длительность ") + std::to_string(duration) +
                        Tr("DatebookICal", " мин больше года: не записано"));
        return imported;
    }
    const int64_t fullDuration = duration;
    if (duration > 1440) {
        notes.push_back(Tr("DatebookICal", "длительность ") + std::to_string(duration) +
                        Tr("DatebookICal", " мин сокращена до 1440"));
        duration = 1440;
    } else if (duration < 0) {
        notes.push_back(Tr("DatebookICal", "отрицательная длительность заменена на 0"));
        duration = 0;
    }
    draft.duration = static_cast<int>(duration);

    draft.alarmOn = false;
    draft.lead = 1;
    if (icalcomponent* alarm = icalcomponent_get_first_component(vevent, ICAL_VALARM_COMPONENT)) {
        draft.alarmOn = true;
        int64_t lead = 0;
        if (icalproperty* trigger =
                icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY)) {
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            if (!icaltime_is_null_time(when.time)) {
                if (!TimeExists(when.time)) {
                    imported.writable = false;
                    notes.push_back(Tr("DatebookICal", "напоминание ") + ValueText(trigger) +
                                    Tr("DatebookICal", " не существует: не записано"));
                    return imported;
                }
                lead = startMinutes - LocalMinutes(when.time);
            } else {
                int64_t minutes = DurationMinutes(when.duration);
                icalparameter* related =
                    icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
                if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
                    minutes += fullDuration;
                lead = -minutes;
            }
        }
        if (lead > 1440) {
            notes.push_back(Tr("DatebookICal", "напоминание за ") + std::to_string(lead) +
                            Tr("DatebookICal", " мин перенесено как за 1440 мин"));
            lead = 1440;
        } else if (lead < 0) {
            notes.push_back(
                Tr("DatebookICal", "напоминание после начала перенесено как напоминание в начале"));
            lead = 0;
        }
        draft.lead = static_cast<int>(lead);
        if (icalcomponent_get_next_component(vevent, ICAL_VALARM_COMPONENT))
            notes.push_back(Tr("DatebookICal", "перенесено только первое напоминание"));
    }

    draft.repeatCode = "0";
    if (icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY)) {
        draft.repeatCode = CodeOfRule(icalproperty_get_rrule(rule), draft.startDate, notes);
        if (icalcomponent_get_next_property(vevent, ICAL_RRULE_PROPERTY))
            notes.push_back(Tr("DatebookICal", "перенесено только первое правило повтора"));
    }
    ReadSkipped(vevent, imported);
    if (const char* uid = icalcomponent_get_uid(vevent)) imported.uid = uid;
    for (const std::string& value : XValues(vevent, "X-ORLIN-HASH")) imported.orlinHash = value;
    if (!imported.writable) return imported;
    if (icalcomponent_get_first_property(vevent, ICAL_RDATE_PROPERTY))
        notes.push_back(Tr("DatebookICal", "добавочные даты повтора не перенесены"));
    if (icalcomponent_get_first_property(vevent, ICAL_RECURRENCEID_PROPERTY))
        notes.push_back(
            Tr("DatebookICal", "изменённое повторение перенесено как отдельное событие"));
    return imported;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

}  // namespace

ICalExport ExportICalendar(const std::vector<DatebookEvent>& events, const ItemIdentity* identity) {
    icalerror_set_errors_are_fatal(0);
    ICalExport exported;
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Orlin//Datebook//RU"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const time_t now = std::time(nullptr);
    const icaltimetype stamp =
        icaltime_from_timet_with_zone(now, 0, icaltimezone_get_utc_timezone());

    for (const DatebookEvent& event : events) {
        // An untimed event (time flag 0) goes as a date: its start time means nothing.
        const bool untimed = IsUntimed(event);
        const auto date = ParseWireDate(event.startDate);
        const auto time =
            untimed ? std::optional<ClockTime>(ClockTime{0, 0}) : ParseWireTime(event.startTime);
        const std::string label =
            Label(event.title, date ? &*date : nullptr, time && !untimed ? &*time : nullptr);
        std::vector<std::string> notes;
        if (!date || !time) {
            exported.notes.push_back(label + Tr("DatebookICal", ": начало \"") + event.startDate +
                                     " " + event.startTime +
                                     Tr("DatebookICal", "\" не разобрано, событие не записано"));
            continue;
        }
        icalcomponent* vevent = icalcomponent_new_vevent();
        if (!identity) {
            const std::string uid = "orlin-" + std::to_string(static_cast<long long>(now)) + "-" +
                                    std::to_string(event.slot) + "@datebook";
            icalcomponent_add_property(vevent, icalproperty_new_uid(uid.c_str()));
            icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
        }
        icalcomponent_add_property(vevent, icalproperty_new_summary(event.title.c_str()));
        icaltimetype start = icaltime_null_time();
        start.year = date->year;
        start.month = date->month;
        start.day = date->day;
        start.hour = time->hour;
        start.minute = time->minute;
        start.is_date = untimed ? 1 : 0;
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(start));
        icalcomponent_add_property(vevent, NewX("X-ORLIN-SLOT", std::to_string(event.slot)));
        if (AllDigits(event.duration) && untimed) {
            // A date's duration is whole days: at least the one day.
            icaldurationtype days = icaldurationtype_null_duration();
            days.days = static_cast<unsigned int>(
                std::max<long long>(1, (std::stoll(event.duration) + 1439) / 1440));
            icalcomponent_add_property(vevent, icalproperty_new_duration(days));
        } else if (AllDigits(event.duration))
            icalcomponent_add_property(
                vevent, icalproperty_new_duration(Minutes(std::stoll(event.duration))));
        else
            notes.push_back(Tr("DatebookICal", "длительность \"") + event.duration +
                            Tr("DatebookICal", "\" не записана"));

        const std::string rule = RuleOfCode(event.repeatCode, *date);
        if (!rule.empty())
            icalcomponent_add_property(
                vevent, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
        else if (event.repeatCode != "0")
            notes.push_back(Tr("DatebookICal", "повтор с кодом ") + event.repeatCode +
                            Tr("DatebookICal", " не записан"));

        for (int n : event.skipped) {
            icalcomponent_add_property(vevent, NewX("X-ORLIN-EXCEPTION", std::to_string(n)));
            if (const auto day = OccurrenceDate(event, n)) {
                icaltimetype skippedAt = start;
                skippedAt.year = day->year;
                skippedAt.month = day->month;
                skippedAt.day = day->day;
                icalcomponent_add_property(vevent, icalproperty_new_exdate(skippedAt));
            } else {
                notes.push_back(Tr("DatebookICal", "пропуск повтора ") + std::to_string(n) +
                                Tr("DatebookICal", " записан без даты"));
            }
        }

        if (event.alarmFlag == "1") {
            DatebookEvent timed = event;  // an untimed event's alarm counts from its midnight
            if (untimed) timed.startTime = "00:00";
            if (const auto lead = AlarmLeadMinutes(timed)) {
                icalcomponent* alarm = icalcomponent_new_valarm();
                icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
                icaltriggertype trigger;
                trigger.time = icaltime_null_time();
                trigger.duration = Minutes(-*lead);
                icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
                icalcomponent_add_property(alarm,
                                           icalproperty_new_description(event.title.c_str()));
                icalcomponent_add_component(vevent, alarm);
            } else {
                notes.push_back(Tr("DatebookICal", "напоминание \"") + event.alarmDate + " " +
                                event.alarmTime +
                                Tr("DatebookICal", "\" не разобрано и не записано"));
            }
        } else if (event.alarmFlag != "0") {
            notes.push_back(Tr("DatebookICal", "состояние напоминания ") + event.alarmFlag +
                            Tr("DatebookICal", " не записано"));
        }
        if (identity) {
            // The hash of what the event says, then the identity that does not change with it.
            ICalItem item;
            item.slot = event.slot;
            item.hash = ShortHash(Taken(icalcomponent_as_ical_string_r(vevent)));
            item.uid =
                "orlin-" + identity->phoneKey + "-" + std::to_string(event.slot) + "@datebook";
            icalcomponent_add_property(vevent, icalproperty_new_uid(item.uid.c_str()));
            const std::string when =
                identity->stampOf ? identity->stampOf(item.uid, item.hash) : UtcStamp(0);
            icalcomponent_add_property(
                vevent, icalproperty_new_dtstamp(icaltime_from_string(when.c_str())));
            icalcomponent_add_property(vevent, NewX("X-ORLIN-HASH", item.hash));
            exported.items.push_back(item);
        }
        icalcomponent_add_component(calendar.get(), vevent);
        ++exported.eventsWritten;
        if (!notes.empty()) exported.notes.push_back(label + ": " + Joined(notes, "; "));
    }
    exported.text = Taken(icalcomponent_as_ical_string_r(calendar.get()));
    if (identity) {
        // Each event alone in a calendar of its own: the files of a vdir.
        size_t i = 0;
        for (icalcomponent* e =
                 icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
             e && i < exported.items.size();
             e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT), ++i) {
            Component alone(icalcomponent_new_vcalendar());
            icalcomponent_add_property(alone.get(), icalproperty_new_version("2.0"));
            icalcomponent_add_property(alone.get(),
                                       icalproperty_new_prodid("-//Orlin//Datebook//RU"));
            icalcomponent_add_property(alone.get(), icalproperty_new_calscale("GREGORIAN"));
            icalcomponent_add_component(alone.get(), icalcomponent_new_clone(e));
            exported.items[i].text = Taken(icalcomponent_as_ical_string_r(alone.get()));
        }
    }
    return exported;
}

std::vector<ImportedEvent> ParseICalendar(const std::string& text, int titleLength) {
    icalerror_set_errors_are_fatal(0);
    const Component root(
        text.find("BEGIN:") == std::string::npos ? nullptr : icalparser_parse_string(text.c_str()));
    if (!root) throw OrlinError(NotICalendarText());
    std::vector<icalcomponent*> calendars;
    switch (icalcomponent_isa(root.get())) {
        case ICAL_VCALENDAR_COMPONENT:
            calendars.push_back(root.get());
            break;
        case ICAL_XROOT_COMPONENT:
            for (icalcomponent* c =
                     icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
                 c; c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
                calendars.push_back(c);
            break;
        default:
            break;
    }
    if (calendars.empty()) throw OrlinError(NotICalendarText());
    std::vector<ImportedEvent> events;
    for (icalcomponent* calendar : calendars)
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             e; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events.push_back(ImportOne(e, titleLength));
    return events;
}

int MarkAlreadyThere(std::vector<ImportedEvent>& events, const std::vector<DatebookEvent>& held) {
    std::set<std::tuple<std::string, std::string, std::string>> present;
    for (const DatebookEvent& event : held)
        present.emplace(event.title, event.startTime, event.startDate);
    int marked = 0;
    for (ImportedEvent& event : events) {
        if (!event.writable) continue;
        const DatebookEvent wire = EventOfDraft(0, event.draft);
        event.alreadyThere = !present.emplace(wire.title, wire.startTime, wire.startDate).second;
        marked += event.alreadyThere;
    }
    return marked;
}

std::vector<EventDraft> WritableDrafts(const std::vector<ImportedEvent>& events) {
    std::vector<EventDraft> drafts;
    for (const ImportedEvent& event : events)
        if (event.writable && !event.alreadyThere) drafts.push_back(event.draft);
    return drafts;
}

std::string ImportWarning(const std::vector<ImportedEvent>& events, const DraftsChange& written) {
    std::vector<std::string> lines;
    size_t sent = 0;  // the writable events were written in order
    for (const ImportedEvent& event : events) {
        if (event.alreadyThere) continue;
        std::vector<std::string> reasons = event.notes;
        if (event.writable && !event.skipped.empty())
            reasons.push_back(Tr("DatebookICal", "пропущенные даты повтора не перенесены"));
        if (event.writable) {
            const size_t i = sent++;
            if (i >= written.slotOf.size() || written.slotOf[i] < 0)
                reasons.push_back(
                    written.Failed()
                        ? Tr("DatebookICal", "не записано: связь с телефоном прервалась")
                        : Tr("DatebookICal", "нет свободной ячейки: не записано"));
            else if (written.unanswered == written.slotOf[i])
                reasons.push_back(
                    Tr("DatebookICal", "телефон не ответил: записано ли событие в ячейку ") +
                    std::to_string(written.slotOf[i]) + Tr("DatebookICal", ", неизвестно"));
            else if (!written.refusalOf(i).empty())
                reasons.push_back(Tr("DatebookICal", "телефон не принял событие (") +
                                  written.refusalOf(i) + ")");
        }
        if (!reasons.empty()) lines.push_back(event.label + ": " + Joined(reasons, "; "));
    }
    if (lines.empty()) return std::string();
    return Tr("DatebookICal", "Не все события перенесены в телефон как есть:\r\n") +
           Joined(lines, "\r\n");
}

DatebookEvent EventOfImported(const ImportedEvent& imported, int slot) {
    DatebookEvent event = EventOfDraft(slot, imported.draft);
    event.skipped = imported.skipped;
    return event;
}

std::string ExportWarning(const ICalExport& exported) {
    if (exported.notes.empty()) return std::string();
    return Tr("DatebookICal", "Не все события записаны в файл как есть:\r\n") +
           Joined(exported.notes, "\r\n");
}

}  // namespace orlin
