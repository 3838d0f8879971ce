// The datebook: slots 0..N, a lock that writes and deletes need, skipped occurrences of
// repeating events, and the automatic deletion of old events.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "phonesim/at_engine.h"
#include "phonesim/phone_charset.h"

namespace orlin::phonesim {
namespace {

// Minutes since 1970 of a wire date and time, and back.
std::optional<long long> WireMinutes(const std::string& date, const std::string& time) {
    int mo, dd, yy, hh, mi;
    if (std::sscanf(date.c_str(), "%2d-%2d-%4d", &mo, &dd, &yy) != 3 ||
        std::sscanf(time.c_str(), "%2d:%2d", &hh, &mi) != 2)
        return std::nullopt;
    std::tm t{};
    t.tm_year = yy - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = dd;
    t.tm_hour = hh;
    t.tm_min = mi;
    return static_cast<long long>(timegm(&t)) / 60;
}

void WireOfMinutes(long long minutes, std::string& date, std::string& time) {
    const std::time_t seconds = static_cast<std::time_t>(minutes * 60);
    std::tm t{};
    gmtime_r(&seconds, &t);
    // Room for any int, so that a year past 9999 is written whole, not cut.
    char d[48], h[32];
    std::snprintf(d, sizeof d, "%02d-%02d-%04d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
    std::snprintf(h, sizeof h, "%02d:%02d", t.tm_hour, t.tm_min);
    date = d;
    time = h;
}

// The nine fields after the end date of an extended line, when a write gave none.
const std::vector<std::string> kExtendedTail = {"0", "0", "0", "0", "255", "0", "0", "0", "0"};

std::string EventLine(const PhoneState& s, int slot, const DatebookEvent& e) {
    auto n = [](int v) { return std::to_string(v); };
    const std::string head = "+MDBR: " + n(slot) + "," + TextOnWire(s, e.title) + "," +
                             n(e.firstFlag) + "," + n(e.alarmOn) + "," + Quoted(e.startTime) + "," +
                             Quoted(e.startDate) + ",";
    const std::string alarm =
        "," + Quoted(e.alarmTime) + "," + Quoted(e.alarmDate) + "," + n(e.repeat);
    if (!s.forms.extendedDatebook) return head + n(e.duration) + alarm;
    // Later models leave the duration empty and give the end instead.
    std::string endDate = e.startDate, endTime = e.startTime;
    if (auto start = WireMinutes(e.startDate, e.startTime))
        WireOfMinutes(*start + e.duration, endDate, endTime);
    std::string line = head + alarm + "," + Quoted(endTime) + "," + Quoted(endDate);
    for (const std::string& field : e.extendedTail.empty() ? kExtendedTail : e.extendedTail)
        line += "," + field;
    return line;
}

bool ValidTime(const std::string& t) {
    int h, m, used = 0;
    return t.size() == 5 && std::sscanf(t.c_str(), "%2d:%2d%n", &h, &m, &used) == 2 && used == 5 &&
           t[2] == ':' && h >= 0 && h <= 23 && m >= 0 && m <= 59 && t[0] != '-' && t[3] != '-';
}

bool ValidDate(const std::string& d) {
    int mo, dd, yy, used = 0;
    if (d.size() != 10 || d[2] != '-' || d[5] != '-') return false;
    for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (d[i] < '0' || d[i] > '9') return false;
    if (std::sscanf(d.c_str(), "%2d-%2d-%4d%n", &mo, &dd, &yy, &used) != 3 || used != 10)
        return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (yy < 1980 || yy > 2099 || mo < 1 || mo > 12 || dd < 1 || dd > kDays[mo - 1]) return false;
    bool leap = (yy % 4 == 0 && yy % 100 != 0) || yy % 400 == 0;
    return !(mo == 2 && dd == 29 && !leap);
}

Answer SlotRange(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.args.empty() || cmd.args.size() > 2) return Error(s, CmeIncorrectParameters);
    auto a = ParseInt(cmd.args[0]);
    auto b = cmd.args.size() == 2 ? ParseInt(cmd.args[1]) : a;
    if (!a || !b || *a < 0 || *b > s.datebookLastSlot || *a > *b) return Error(s, CmeInvalidIndex);
    std::vector<std::string> lines;
    for (auto it = s.contents.events.lower_bound(*a);
         it != s.contents.events.end() && it->first <= *b; ++it) {
        // A range read announces the skipped occurrences of an event before its line; some
        // models do so on single-slot reads too.
        if (cmd.args.size() == 2 || s.datebookExceptionsOnSingleReads)
            for (int ex : it->second.exceptions)
                lines.push_back("+MDBRE: " + std::to_string(it->first) + "," + std::to_string(ex) +
                                ",1");
        lines.push_back(EventLine(s, it->first, it->second));
    }
    return Ok(std::move(lines));
}

Answer ReadEvents(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test) {
        // The first number is the highest slot, or with datebookSlotsCount the number of slots.
        const int first = s.datebookLastSlot + (s.forms.datebookSlotsCount ? 1 : 0);
        return Ok({"+MDBR: " + std::to_string(first) + "," +
                   std::to_string(s.contents.events.size()) + "," +
                   std::to_string(s.datebookTitleLength) + ",8,2" +
                   (s.forms.extendedDatebook ? ",1,1,1,1,1" : "")});
    }
    if (cmd.form != CommandForm::Set) return Error(s, CmeIncorrectParameters);
    return SlotRange(s, cmd);
}

Answer WriteEvent(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test)
        return Ok({"+MDBW: (0-" + std::to_string(s.datebookLastSlot) + ")," +
                   std::to_string(s.datebookTitleLength) + ",(0-1),(0-1),,,(0-65535),,,(0-5)"});
    if (cmd.form != CommandForm::Set) return Error(s, CmeIncorrectParameters);
    if (!s.datebookLocked && !s.forms.noDatebookLock) return Error(s, CmeNotAllowed);
    const auto& f = cmd.args;
    // A later model takes its extended line (an end time and date after the repeat code, the
    // duration empty or not) as well as the ten fields.
    const bool extended = s.forms.extendedDatebook && f.size() >= 12;
    if (f.size() != 10 && !extended) return Error(s, CmeIncorrectParameters);
    auto slot = ParseInt(f[0]);
    if (!slot || *slot < 0 || *slot > s.datebookLastSlot) return Error(s, CmeInvalidIndex);
    DatebookEvent e;
    auto title = DecodeField(Unquote(f[1]), s.charset);
    if (!title) return Error(s, CmeInvalidTextChars);
    if (static_cast<int>(TextLength(*title)) > s.datebookTitleLength)
        return Error(s, CmeTextTooLong);
    e.title = *title;
    auto first = ParseInt(f[2]);
    auto alarm = ParseInt(f[3]);
    auto duration = ParseInt(f[6]);
    auto repeat = ParseInt(f[9]);
    if (extended && f[6].empty()) {
        const auto start = WireMinutes(Unquote(f[5]), Unquote(f[4]));
        const auto end = WireMinutes(Unquote(f[11]), Unquote(f[10]));
        if (start && end && *end >= *start) duration = static_cast<int>(*end - *start);
    }
    if (!first || *first < 0 || *first > 1 || !alarm || *alarm < 0 || *alarm > 1 || !duration ||
        *duration < 0 || *duration > 65535 || !repeat || *repeat < 0 || *repeat > 5)
        return Error(s, CmeIncorrectParameters);
    for (size_t i : {4, 5, 7, 8})
        if (!IsQuoted(f[i])) return Error(s, CmeIncorrectParameters);
    e.firstFlag = *first;
    e.alarmOn = *alarm;
    e.startTime = Unquote(f[4]);
    e.startDate = Unquote(f[5]);
    e.duration = *duration;
    e.alarmTime = Unquote(f[7]);
    e.alarmDate = Unquote(f[8]);
    e.repeat = *repeat;
    if (extended) e.extendedTail.assign(f.begin() + 12, f.end());
    bool noAlarmDate = e.alarmDate == "00-00-2000";
    if (!ValidTime(e.startTime) || !ValidDate(e.startDate) || !ValidTime(e.alarmTime) ||
        (!noAlarmDate && !ValidDate(e.alarmDate)) || (e.alarmOn == 1 && noAlarmDate))
        return Error(s, CmeIncorrectParameters);
    s.contents.events[*slot] = e;
    Answer a = Ok();
    a.contentsChanged = true;
    return a;
}

// AT+MDBWE=slot,0,0 deletes the event; AT+MDBWE=slot,n,1 skips occurrence n of a repeating
// event and AT+MDBWE=slot,n,0 brings it back.
Answer WriteException(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form != CommandForm::Set) return Error(s, CmeIncorrectParameters);
    if (!s.datebookLocked && !s.forms.noDatebookLock) return Error(s, CmeNotAllowed);
    if (cmd.args.size() != 3) return Error(s, CmeIncorrectParameters);
    auto slot = ParseInt(cmd.args[0]);
    auto n = ParseInt(cmd.args[1]);
    auto kind = ParseInt(cmd.args[2]);
    if (!slot || *slot < 0 || *slot > s.datebookLastSlot) return Error(s, CmeInvalidIndex);
    if (!n || *n < 0 || *n > 65535 || !kind || *kind < 0 || *kind > 1)
        return Error(s, CmeIncorrectParameters);
    Answer a = Ok();
    a.contentsChanged = true;
    auto it = s.contents.events.find(*slot);
    if (*n == 0) {
        if (*kind != 0) return Error(s, CmeIncorrectParameters);
        s.contents.events.erase(*slot);
        return a;
    }
    if (it == s.contents.events.end() || it->second.repeat == 0) return Error(s, CmeInvalidIndex);
    auto& ex = it->second.exceptions;
    auto pos = std::lower_bound(ex.begin(), ex.end(), *n);
    bool present = pos != ex.end() && *pos == *n;
    if (*kind == 1 && !present) {
        if (ex.size() >= 8) return Error(s, CmeNotAllowed);
        ex.insert(pos, *n);
    }
    if (*kind == 0 && present) ex.erase(pos);
    return a;
}

Answer Lock(PhoneState& s, const AtCommandLine& cmd) {
    // Some later models have no lock and do not know the command.
    if (s.forms.noDatebookLock) return Error(s, CmeUnknown);
    switch (cmd.form) {
        case CommandForm::Read:
            return Ok({std::string("+MDBL: ") + (s.datebookLocked ? "1" : "0")});
        case CommandForm::Test:
            return Ok({"+MDBL: (0-1)"});
        case CommandForm::Set: {
            auto v = cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
            if (!v || *v < 0 || *v > 1) return Error(s, CmeIncorrectParameters);
            s.datebookLocked = *v == 1;
            return Ok();
        }
        default:
            return Error(s, CmeIncorrectParameters);
    }
}

Answer AutoDelete(PhoneState& s, const AtCommandLine& cmd) {
    switch (cmd.form) {
        case CommandForm::Read:
            return Ok({"+MDBAD: " + std::to_string(s.contents.autoDeleteWeeks)});
        case CommandForm::Test:
            return Ok({"+MDBAD: (0,1,2,4,8)"});
        case CommandForm::Set: {
            auto v = cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
            if (!v || !(*v == 0 || *v == 1 || *v == 2 || *v == 4 || *v == 8))
                return Error(s, CmeIncorrectParameters);
            s.contents.autoDeleteWeeks = *v;
            Answer a = Ok();
            a.contentsChanged = true;
            return a;
        }
        default:
            return Error(s, CmeIncorrectParameters);
    }
}

}  // namespace

void RegisterDatebookCommands(CommandTable& t) {
    t["+MDBL"] = Lock;
    t["+MDBR"] = ReadEvents;
    t["+MDBW"] = WriteEvent;
    t["+MDBWE"] = WriteException;
    t["+MDBAD"] = AutoDelete;
}

}  // namespace orlin::phonesim
