// orlin-cli datebook: list the phone's events, add, edit and delete them, set the automatic
// deletion, and exchange the datebook with iCalendar files.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <utility>

#include "cli/json_output.h"
#include "cli/list_output.h"
#include "cli/phone_identity.h"
#include "cli/progress.h"
#include "cli/verb.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#ifndef ORLIN_WITHOUT_DATEBOOK_ICAL
#include "datebook/ical/datebook_ical.h"
#include "datebook/ical/ical_put_back.h"
#endif
#include "link/answers.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/whole_file.h"

namespace orlin::cli {

namespace {

const char* const kRepeatWords[] = {"none",         "daily", "weekly", "monthly-weekday",
                                    "monthly-date", "yearly"};

// The options of add and edit, each as given (nothing when not given).
struct EventOptions {
    std::optional<Utf8Text> title;
    std::optional<CivilDate> date;
    std::optional<ClockTime> time;
    std::optional<int> duration;
    std::optional<int> lead;
    std::optional<std::string> repeat;  // the code
    std::optional<bool> alarm;
};

int Number(const std::string& option, const std::string& text, int least, int most) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError(option + " needs a whole number, not '" + text + "'");
    const int value = std::stoi(text);
    if (value < least || value > most)
        throw UsageError(option + " must lie in " + std::to_string(least) + ".." +
                         std::to_string(most) + ", not " + text);
    return value;
}

CivilDate DateOption(const std::string& text) {
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        text.find_first_not_of("0123456789-") == std::string::npos;
    const CivilDate date =
        shaped ? CivilDate{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                           std::stoi(text.substr(8, 2))}
               : CivilDate{};
    if (!shaped || !IsRealDate(date))
        throw UsageError("--date needs a real date as YYYY-MM-DD, not '" + text + "'");
    return date;
}

ClockTime TimeOption(const std::string& text) {
    const size_t colon = text.find(':');
    const bool shaped = colon != std::string::npos && colon >= 1 && colon <= 2 &&
                        text.size() == colon + 3 &&
                        text.find_first_not_of("0123456789:") == std::string::npos &&
                        text.find(':', colon + 1) == std::string::npos;
    const ClockTime time =
        shaped ? ClockTime{std::stoi(text.substr(0, colon)), std::stoi(text.substr(colon + 1))}
               : ClockTime{};
    if (!shaped || time.hour > 23 || time.minute > 59)
        throw UsageError("--time needs HH:MM from 00:00 to 23:59, not '" + text + "'");
    return time;
}

// The options from `first` on: "--name value" or "--name=value".
EventOptions ParseEventOptions(const std::vector<std::string>& args, size_t first) {
    EventOptions o;
    for (size_t i = first; i < args.size(); ++i) {
        std::string name = args[i], value;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) != 0) throw UsageError("unexpected word '" + name + "'");
        if (equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        } else {
            if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
            value = args[++i];
        }
        if (name == "--title") {
            if (value.empty()) throw UsageError("--title must not be empty");
            o.title = value;
        } else if (name == "--date") {
            o.date = DateOption(value);
        } else if (name == "--time") {
            o.time = TimeOption(value);
        } else if (name == "--duration") {
            o.duration = Number(name, value, 1, 1440);
        } else if (name == "--lead") {
            o.lead = Number(name, value, 1, 1440);
        } else if (name == "--repeat") {
            for (int code = 0; code < kRepeatCodeCount; ++code)
                if (value == kRepeatWords[code]) o.repeat = std::to_string(code);
            if (!o.repeat)
                throw UsageError(
                    "--repeat takes none, daily, weekly, monthly-weekday, "
                    "monthly-date or yearly, not '" +
                    value + "'");
        } else if (name == "--alarm") {
            if (value != "on" && value != "off")
                throw UsageError("--alarm takes on or off, not '" + value + "'");
            o.alarm = value == "on";
        } else {
            throw UsageError("unknown option " + name);
        }
    }
    return o;
}

int SlotWord(const std::string& word) {
    return Number("SLOT", word, 0, static_cast<int>(kMostDatebookSlots) - 1);
}

// The whole datebook, with progress and notes on standard error; false (after a message) when
// the phone refused it. Slots that could not be read are named on standard error. `onRange`
// runs once the range answer is known, before the first slot is asked for (it may raise, which
// ends the read there). `quick`: stop once the stored events are found.
bool ReadAll(const Invocation& invocation, DatebookReport& read,
             std::function<void(const DatebookReport&)> onRange = nullptr, bool quick = false) {
    CliInteraction interaction("reading", false);
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        DatebookReadOptions options;
        options.quick = quick;
        read = ReadDatebook(session, interaction, options, [&](const DatebookReport& soFar) {
            if (onRange) std::exchange(onRange, nullptr)(soFar);
        });
    }
    read.RaiseFailure();
    if (read.status == DatebookReadStatus::CharsetRefused) {
        std::cerr << "The phone refused the UCS2 character set: nothing was read." << std::endl;
        return false;
    }
    if (read.status != DatebookReadStatus::Done) {
        std::cerr << StatusText(read) << std::endl;
        return false;
    }
    if (!read.unreadSlots.empty()) std::cerr << UnreadSlotsText(read) << std::endl;
    return true;
}

// The phone counts a title's characters in UCS2 (an emoji is one '?').
void CheckTitle(const Utf8Text& title, const DatebookReport& read) {
    if (read.titleLength > 0 && Ucs2Length(title) > static_cast<size_t>(read.titleLength))
        throw UsageError("the title has " + std::to_string(Ucs2Length(title)) +
                         " characters; the phone takes at most " +
                         std::to_string(read.titleLength) + " (nothing was written)");
}

// Writes the draft into `slot`; prints the slot, or the phone's refusal.
int Write(const Invocation& invocation, int slot, const EventDraft& draft) {
    PhoneAnswer answer;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        answer = WriteEvent(session, WriteCommand(slot, draft));
    }
    if (!answer.taken) {
        std::cerr << WriteRefusedText(slot, answer.line) << std::endl;
        return 1;
    }
    if (HasCharactersBeyondUcs2(draft.title))
        std::cerr << EventBeyondUcs2Text(draft.title) << std::endl;
    std::cout << slot << "\n";
    return 0;
}

void Apply(const EventOptions& o, EventDraft& d) {
    if (o.title) d.title = *o.title;
    if (o.date) d.startDate = *o.date;
    if (o.time) {
        d.startTime = *o.time;
        d.timeFlag = "1";  // a time given makes an untimed event a timed one
    }
    if (o.duration) d.duration = *o.duration;
    if (o.lead) d.lead = *o.lead;
    if (o.repeat) d.repeatCode = *o.repeat;
    if (o.alarm) d.alarmOn = *o.alarm;
}

// "YYYY-MM-DD" of a date on the wire, "YYYY-MM-DDTHH:MM" with a time; null when it is none.
Json IsoDate(const std::string& wireDate, const std::string* wireTime = nullptr) {
    const std::optional<CivilDate> date = ParseWireDate(wireDate);
    if (!date) return nullptr;
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    if (!wireTime) return text;
    const std::optional<ClockTime> time = ParseWireTime(*wireTime);
    if (!time) return nullptr;
    return std::string(text) + "T" + WireTime(*time);
}

Json JsonEvent(const DatebookEvent& event) {
    Json item;
    item["slot"] = event.slot;
    item["title"] = Json(event.title);
    const bool timed = !IsUntimed(event);
    item["timed"] = timed;
    item["date"] = IsoDate(event.startDate);
    const std::optional<ClockTime> time = ParseWireTime(event.startTime);
    item["time"] = timed && time ? Json(WireTime(*time)) : Json(nullptr);
    item["start"] = timed ? IsoDate(event.startDate, &event.startTime) : IsoDate(event.startDate);
    const bool minutes = !event.duration.empty() && event.duration.size() <= 6 &&
                         event.duration.find_first_not_of("0123456789") == std::string::npos;
    item["duration"] = minutes ? Json(std::stoi(event.duration)) : Json(nullptr);
    if (event.extended) item["end"] = IsoDate(event.endDate, &event.endTime);
    item["alarm"] = event.alarmFlag == "1"   ? Json(true)
                    : event.alarmFlag == "0" ? Json(false)
                                             : Json(nullptr);
    item["alarmAt"] =
        event.alarmFlag == "1" ? IsoDate(event.alarmDate, &event.alarmTime) : Json(nullptr);
    int code = -1;
    if (event.repeatCode.size() == 1 && event.repeatCode[0] >= '0' &&
        event.repeatCode[0] < '0' + kRepeatCodeCount)
        code = event.repeatCode[0] - '0';
    item["repeat"] = code >= 0 ? Json(kRepeatWords[code]) : Json(nullptr);
    Json raw = {
        {"timeFlag", JsonText(event.firstFlag)},  {"alarmFlag", JsonText(event.alarmFlag)},
        {"startDate", JsonText(event.startDate)}, {"startTime", JsonText(event.startTime)},
        {"duration", JsonText(event.duration)},   {"alarmDate", JsonText(event.alarmDate)},
        {"alarmTime", JsonText(event.alarmTime)}, {"repeatCode", JsonText(event.repeatCode)}};
    if (event.extended) {
        raw["endDate"] = JsonText(event.endDate);
        raw["endTime"] = JsonText(event.endTime);
    }
    item["raw"] = raw;
    return item;
}

int List(const Invocation& invocation, bool quick, ListFormat format) {
    DatebookReport read;
    if (!ReadAll(invocation, read, nullptr, quick)) return 1;
    if (format == ListFormat::Json) {
        std::vector<Json> items;
        for (const DatebookEvent& event : read.events) items.push_back(JsonEvent(event));
        PrintJsonList(std::cout, items);
    } else {
        for (const DatebookEvent& event : read.events) {
            std::cout << event.slot;
            for (const Utf8Text& cell : CellsOfEvent(event))
                std::cout << '\t' << ListFieldUtf8(cell);
            std::cout << '\n';
        }
    }
    std::cerr << Tr("DatebookVerb", "Свободно: ") + FreeShareText(read) + "%" << std::endl;
    return std::cout && read.unreadSlots.empty() ? 0 : 1;
}

int Add(const Invocation& invocation, const EventOptions& o) {
    if (!o.title || !o.date || !o.time) throw UsageError("add needs --title, --date and --time");
    EventDraft draft;
    draft.lead = 15;
    Apply(o, draft);
    DatebookReport read;
    // A title too long is refused before the slots are read.
    if (!ReadAll(invocation, read,
                 [&](const DatebookReport& soFar) { CheckTitle(draft.title, soFar); }))
        return 1;
    const int slot = FirstFreeSlot(read.slotUsed);
    if (slot < 0) {
        std::cerr << NoFreeSlotText() << std::endl;
        return 1;
    }
    return Write(invocation, slot, draft);
}

int Edit(const Invocation& invocation, int slot, const EventOptions& o) {
    DatebookReport read;
    if (!ReadAll(invocation, read, [&](const DatebookReport& soFar) {
            if (o.title) CheckTitle(*o.title, soFar);
        }))
        return 1;
    if (slot > read.lastSlot)
        throw UsageError("slot " + std::to_string(slot) + " is out of the phone's range 0.." +
                         std::to_string(read.lastSlot) + " (nothing was written)");
    const DatebookEvent* event = nullptr;
    for (const DatebookEvent& e : read.events)
        if (e.slot == slot) event = &e;
    if (!event) {
        std::cerr << "Slot " << slot << " holds no event." << std::endl;
        return 1;
    }
    const EditValues values = EditValuesOfEvent(*event);
    EventDraft draft = values.draft;
    draft.lead = values.leadAsRead;       // an alarm two days ahead stays two days ahead
    if (!draft.alarmOn) draft.lead = 15;  // the default when --alarm on turns it on
    Apply(o, draft);
    CheckTitle(draft.title, read);
    return Write(invocation, slot, draft);
}

int Delete(const Invocation& invocation, const std::vector<int>& slotList) {
    EventsChange change;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        change = DeleteEvents(session, slotList, true);
    }
    // The slots the phone deleted, also before a failure; then the failure.
    for (int slot : change.done) std::cout << slot << "\n";
    change.RaiseFailure();
    for (int slot : change.empty)
        std::cerr << "Slot " << slot << " was empty: there was no event to delete." << std::endl;
    if (!change.refused.empty()) std::cerr << DeleteEventsText(change) << std::endl;
    return change.refused.empty() && change.empty.empty() ? 0 : 1;
}

int AutoDelete(const Invocation& invocation, int item) {
    PhoneAnswer answer;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        answer = SetAutoDelete(session, AutoDeleteCode(item));
    }
    if (answer.taken) return 0;
    std::cerr << AutoDeleteRefusedText(AutoDeleteItemTexts()[static_cast<size_t>(item)],
                                       answer.line)
              << std::endl;
    return 1;
}

#ifdef ORLIN_WITHOUT_DATEBOOK_ICAL
// This build has no iCalendar library (the Windows build lacks libical).
int Export(const Invocation&, const std::string&, bool, bool) {
    throw OrlinError("datebook export needs libical, which this build of orlin-cli lacks");
}
int Import(const Invocation&, const std::string&, bool) {
    throw OrlinError("datebook import needs libical, which this build of orlin-cli lacks");
}
#else
int Export(const Invocation& invocation, const std::string& path, bool quick, bool vdir) {
    DatebookReport read;
    if (!ReadAll(invocation, read, nullptr, quick)) return 1;
    // A file without the events of unread slots would pass for a whole copy.
    if (!read.unreadSlots.empty()) {
        std::cerr << "Nothing was written to " << path << "." << std::endl;
        return 1;
    }
    std::string key;
    {
        // Skipped occurrences come only with a range read of each repeating event's slot.
        CliProgress interaction("skipped occurrences");
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        const std::string unread =
            UnreadSkippedText(ReadSkippedOccurrences(session, read.events, interaction));
        if (!unread.empty()) std::cerr << unread << std::endl;
        key = AskPhoneKey(session);
    }
    const std::unique_ptr<StampBook> stamps = OpenStamps(key);
    const ItemIdentity identity = stamps->identity(key, Now());
    const ICalExport exported = ExportICalendar(read.events, &identity);
    int removed = 0;
    if (vdir) {
        // One event per file, named by its UID: the layout the vdir programs read.
        std::filesystem::create_directories(PathFromUtf8(path));
        std::set<std::string> written;
        for (const ICalItem& item : exported.items) {
            WriteWholeFile(Utf8FromPath(PathFromUtf8(path) / PathFromUtf8(item.uid + ".ics")),
                           item.text);
            written.insert(item.uid);
        }
        // The events of this phone that are gone from it since the last export.
        const std::string prefix = "orlin-" + key + "-";
        const std::string tail = "@datebook";
        removed = RemoveGoneItemFiles(path, ".ics", written, [&](const std::string& uid) {
            if (uid.size() <= prefix.size() + tail.size() || uid.rfind(prefix, 0) != 0 ||
                uid.compare(uid.size() - tail.size(), tail.size(), tail) != 0)
                return false;
            const std::string slot =
                uid.substr(prefix.size(), uid.size() - prefix.size() - tail.size());
            return std::all_of(slot.begin(), slot.end(),
                               [](char c) { return c >= '0' && c <= '9'; });
        });
    } else {
        WriteWholeFile(path, exported.text);
    }
    stamps->save();
    const Utf8Text warning = ExportWarning(exported);
    if (!warning.empty()) std::cerr << warning << std::endl;
    std::cout << exported.eventsWritten << " events exported to " << path << "\n";
    if (vdir) std::cout << "Removed " << removed << " files of events no longer on the phone\n";
    return 0;
}

// The events of a file, or of every .ics file of a vdir (in name order); nothing but a message
// when one is no iCalendar file.
std::vector<ImportedEvent> EventsToImport(const std::string& path, bool vdir, int titleLength) {
    if (!vdir) return ParseICalendar(ReadWholeFile(path, kMostICalendarBytes), titleLength);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(path)))
        if (entry.path().extension() == ".ics") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<ImportedEvent> events;
    for (const auto& file : files) {
        std::vector<ImportedEvent> some =
            ParseICalendar(ReadWholeFile(Utf8FromPath(file), kMostICalendarBytes), titleLength);
        events.insert(events.end(), some.begin(), some.end());
    }
    return events;
}

int Import(const Invocation& invocation, const std::string& path, bool vdir) {
    // A file that is no iCalendar stops before the phone is asked.
    EventsToImport(path, vdir, 0);
    DatebookReport read;
    if (!ReadAll(invocation, read)) return 1;
    std::vector<ImportedEvent> events = EventsToImport(path, vdir, read.titleLength);
    const int alreadyThere = MarkAlreadyThere(events, read.events);
    // Our own events whose slot still holds what was exported go back in place.
    SlotChange putBack;
    if (HasOwnEvents(events)) {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        const std::string key = AskPhoneKey(session);
        CliProgress interaction("skipped occurrences");
        putBack = PutBackInPlace(session, events, read.events, key, interaction);
    }
    for (size_t i = 0; i < putBack.refused.size(); ++i)
        std::cerr << WriteRefusedText(putBack.refused[i], putBack.refusals[i]) << std::endl;
    putBack.RaiseFailure();
    const bool inPlaceFailed = !putBack.refused.empty();
    const int inPlace = static_cast<int>(putBack.done.size());
    const std::vector<EventDraft> drafts = WritableDrafts(events);
    DraftsChange written;
    std::string failure;  // what stopped the writing half-way
    if (!drafts.empty()) {
        CliProgress interaction("writing");
        try {
            PhoneSession session(invocation.settings, SessionOptions(invocation, true));
            written = WriteDrafts(session, drafts, read.slotUsed, interaction);
            written.RaiseFailure();
        } catch (const OrlinError& error) {
            // What was written before the failure is told all the same: an import run again
            // would write those events a second time.
            failure = error.what();
            written.failure = std::current_exception();
        }
    }
    int imported = 0;
    for (size_t i = 0; i < written.slotOf.size(); ++i) imported += written.taken(i);
    const Utf8Text warning = ImportWarning(events, written);
    if (!warning.empty()) std::cerr << warning << std::endl;
    if (!failure.empty()) std::cerr << failure << std::endl;
    std::cout << imported + inPlace << " of " << events.size() << " events imported";
    if (inPlace > 0) std::cout << " (" << inPlace << " in place)";
    int there = 0;
    for (const ImportedEvent& event : events) there += event.alreadyThere;
    there -= inPlace;
    if (there > 0) std::cout << ", " << there << " already in the phone";
    std::cout << "\n";
    (void)alreadyThere;
    return imported + inPlace + there == static_cast<int>(events.size()) && failure.empty() &&
                   !inPlaceFailed
               ? 0
               : 1;
}
#endif

int RunDatebook(const Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.empty())
        throw UsageError("datebook needs list, add, edit, delete, autodelete, export or import");
    const std::string& what = args[0];
    // --quick: the read stops once the events the phone says it stores are found.
    const auto quickWord = [&](size_t words, const std::string& otherwise) {
        if (args.size() == words + 1 && args[words] == "--quick") return true;
        if (args.size() != words) throw UsageError(otherwise);
        return false;
    };
    if (what == "list") {
        std::vector<std::string> words = args;
        const ListFormat format = TakeListFormat(words);
        const bool quick = words.size() == 2 && words[1] == "--quick";
        if (words.size() != 1 && !quick)
            throw UsageError("datebook list takes no more words (but --quick and --format)");
        return List(invocation, quick, format);
    }
    if (what == "add") return Add(invocation, ParseEventOptions(args, 1));
    if (what == "edit") {
        if (args.size() < 2) throw UsageError("datebook edit needs a SLOT");
        const int slot = SlotWord(args[1]);
        return Edit(invocation, slot, ParseEventOptions(args, 2));
    }
    if (what == "delete") {
        if (args.size() < 2) throw UsageError("datebook delete needs one SLOT or more");
        std::vector<int> slotList;
        for (size_t i = 1; i < args.size(); ++i) slotList.push_back(SlotWord(args[i]));
        return Delete(invocation, slotList);
    }
    if (what == "autodelete") {
        static const char* const words[] = {"never", "1", "2", "4", "8"};
        if (args.size() == 2)
            for (int item = 0; item < kAutoDeleteItemCount; ++item)
                if (args[1] == words[item]) return AutoDelete(invocation, item);
        throw UsageError("datebook autodelete takes never, 1, 2, 4 or 8 (weeks)");
    }
    if ((what == "export" || what == "import") && args.size() >= 3 && args[1] == "--vdir") {
        if (what == "import") {
            if (args.size() != 3) throw UsageError("datebook import --vdir needs one DIR");
            return Import(invocation, args[2], true);
        }
        return Export(invocation, args[2],
                      quickWord(3, "datebook export --vdir needs one DIR (and --quick)"), true);
    }
    if (what == "export") {
        if (args.size() < 2 || args[1] == "--quick" || args[1] == "--vdir")
            throw UsageError("datebook export needs one FILE.ics");
        return Export(invocation, args[1],
                      quickWord(2, "datebook export needs one FILE.ics (and --quick)"), false);
    }
    if (what == "import") {
        if (args.size() != 2 || args[1] == "--vdir")
            throw UsageError("datebook import needs one FILE.ics or --vdir DIR");
        return Import(invocation, args[1], false);
    }
    throw UsageError("unknown datebook command '" + what + "'");
}

const VerbRegistration registration({
    "datebook",
    "datebook list [--quick] [--format json] | add OPTIONS | edit SLOT [OPTIONS] |\n"
    "      delete SLOT... | autodelete never|1|2|4|8 | export FILE.ics|--vdir DIR [--quick] |\n"
    "      import FILE.ics|--vdir DIR",
    "list: reads every slot and prints one line per event, tab-separated: slot, title, start\n"
    "  time (blank for an untimed event), alarm time, date, duration, repeat, state; the free\n"
    "  share on standard error. Slots the phone would not read out are named there (exit\n"
    "  status 1); export then writes nothing.\n"
    "  --quick (list, export): stop reading once the events the phone says it holds are\n"
    "  found, then ask only the last slot: a read at phone speed takes seconds, not minutes.\n"
    "  --format json (list): one JSON object per event (see JSON output below).\n"
    "add --title T --date YYYY-MM-DD --time HH:MM [--duration MIN] [--lead MIN]\n"
    "  [--repeat none|daily|weekly|monthly-weekday|monthly-date|yearly] [--alarm on|off]:\n"
    "  writes the event into the first free slot and prints that slot. Defaults: 60 minutes,\n"
    "  an alarm 15 minutes before the start, no repeat, alarm on.\n"
    "edit SLOT [the same options]: changes the event in SLOT; options not given keep its values.\n"
    "delete SLOT...: deletes the events in these slots and prints each slot deleted (also\n"
    "  when a failure stops it half-way); an empty slot is named (exit status 1).\n"
    "autodelete never|1|2|4|8: the phone deletes events older than so many weeks (or never).\n"
    "export FILE.ics: reads the datebook and writes it as an iCalendar file. Skipped\n"
    "  occurrences of repeating events are not exported: single-slot reads do not report them.\n"
    "  Each event has a UID made of a hash of the phone's serial number and its slot, and a\n"
    "  DTSTAMP that stays while the event does (orlin-stamps-*.txt in the work folder): two\n"
    "  exports of an unchanged phone are the same bytes.\n"
    "export --vdir DIR: the same, one UID.ics file per event in DIR (made when missing).\n"
    "  The files of this phone's events that are gone from it are removed (only files named\n"
    "  by one of its UIDs that say that UID), and their number is printed.\n"
    "import FILE.ics: writes each event of the file into the next free slot; what the phone\n"
    "  cannot hold as it is (some repeat rules, long durations or leads, long\n"
    "  titles, more events than free slots) is listed on standard error, exit status 1 when\n"
    "  an event was not written. When a failure (a time-out, say) stops the writing, what went\n"
    "  in before it is told all the same. An event this phone exported goes back into its\n"
    "  slot when the slot still holds what was exported; else into a free slot, said there.\n"
    "import --vdir DIR: the same with every .ics file of DIR.\n"
    "Bad input (a date that does not exist, a time past 23:59, an unknown word, a slot outside\n"
    "0..9999) is refused with exit status 2 before anything is sent. Refusals of the phone are\n"
    "named with its answer (exit status 1).",
    RunDatebook,
});

}  // namespace

}  // namespace orlin::cli
