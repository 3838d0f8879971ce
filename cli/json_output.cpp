#include "cli/json_output.h"

#include <cstdio>

#include "cli/verb.h"
#include "link/answers.h"

namespace orlin::cli {

ListFormat TakeListFormat(std::vector<std::string>& words, size_t first) {
    std::optional<ListFormat> format;
    for (size_t i = first; i < words.size();) {
        const std::string& word = words[i];
        std::string value;
        size_t taken = 1;
        if (word.rfind("--format=", 0) == 0) {
            value = word.substr(9);
        } else if (word == "--format") {
            if (i + 1 >= words.size()) throw UsageError("--format needs a value (tsv or json)");
            value = words[i + 1];
            taken = 2;
        } else {
            ++i;
            continue;
        }
        if (format) throw UsageError("--format is given twice");
        if (value == "tsv")
            format = ListFormat::Tabs;
        else if (value == "json")
            format = ListFormat::Json;
        else
            throw UsageError("--format is tsv or json, not '" + value + "'");
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.begin() + static_cast<std::ptrdiff_t>(i + taken));
    }
    return format.value_or(ListFormat::Tabs);
}

Json JsonText(const std::string& answerBytes) {
    return AnswerText(answerBytes);
}

std::optional<std::string> IsoMessageTime(const std::string& phoneTime) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, consumed = 0;
    // Fields padded or not, as the phones send them.
    if (std::sscanf(phoneTime.c_str(), "%4d/%2d/%2d,%2d:%2d:%2d%n", &year, &month, &day, &hour,
                    &minute, &second, &consumed) != 6)
        return std::nullopt;
    const size_t yearDigits = phoneTime.find('/');
    if (yearDigits != 2 && yearDigits != 4) return std::nullopt;
    if (yearDigits == 2) year += year >= 80 ? 1900 : 2000;
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    std::string zone;
    const std::string rest = phoneTime.substr(static_cast<size_t>(consumed));
    if (!rest.empty()) {
        // Quarter hours, signed: "+12" is three hours east.
        int quarters = 0, zoneLength = 0;
        if ((rest[0] != '+' && rest[0] != '-') ||
            std::sscanf(rest.c_str() + 1, "%3d%n", &quarters, &zoneLength) != 1 ||
            static_cast<size_t>(zoneLength) + 1 != rest.size() || quarters < 0 || quarters > 96)
            return std::nullopt;
        char text[8];
        std::snprintf(text, sizeof text, "%c%02d:%02d", rest[0], quarters / 4, quarters % 4 * 15);
        zone = text;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text + zone;
}

namespace {

// Texts are UTF-8 already (the phone's own answers are read as Windows-1251); a byte that is not
// would stop the writer, so it is replaced rather than the list lost.
std::string Dumped(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

void PrintJsonList(std::ostream& out, const std::vector<Json>& items) {
    if (items.empty()) {
        out << "[]\n";
        return;
    }
    out << "[\n";
    for (size_t i = 0; i < items.size(); ++i)
        out << Dumped(items[i]) << (i + 1 < items.size() ? ",\n" : "\n");
    out << "]\n";
}

void PrintJsonObject(std::ostream& out, const Json& object) {
    out << Dumped(object) << "\n";
}

const char* const kJsonHelp =
    "JSON output (--format json after list or info; --format tsv is the default):\n"
    "  A list is one JSON array with one object per item on a line of its own; info is one\n"
    "  object. Texts are UTF-8. A value the phone did not give or that does not parse is null;\n"
    "  \"raw\" holds the phone's own values, as it sent them.\n"
    "  phonebook list: slot (number), storage (\"phone\" or \"sim\"), name, number (as the\n"
    "    phone holds it), type (\"work\", \"home\", \"main\", \"mobile\", \"fax\", \"pager\",\n"
    "    \"email\", \"mailing-list\", \"sim\"), ids (\"silent\", \"default\" or \"custom\"),\n"
    "    icon (0-14, models with icons), picture (models with pictures), category (its name);\n"
    "    raw: storage (\"ME\"/\"SM\"), numberFormat (145, 129, 128), numberType, ids, icon,\n"
    "    category (numbers).\n"
    "  datebook list: slot, title, timed (false for an untimed event), date (YYYY-MM-DD), time\n"
    "    (HH:MM, null when untimed), start (YYYY-MM-DDTHH:MM, or the date when untimed),\n"
    "    duration (minutes), end (extended lines), alarm (true/false), alarmAt\n"
    "    (YYYY-MM-DDTHH:MM, null without an alarm), repeat (\"none\", \"daily\", \"weekly\",\n"
    "    \"monthly-weekday\", \"monthly-date\", \"yearly\"); raw: timeFlag, alarmFlag,\n"
    "    startDate (MM-DD-YYYY), startTime, duration, alarmDate, alarmTime, repeatCode, and\n"
    "    endDate, endTime of extended lines (texts).\n"
    "  sms list: index (number; null in the archive), folder, number, time (ISO 8601 with the\n"
    "    zone the phone gave; null for stored messages, which carry none), type (\"incoming\",\n"
    "    \"outgoing\", \"draft\", \"archived\"), status (\"read\", \"unread\", \"sent\",\n"
    "    \"unsent\", \"archived\"), size (bytes of the text), text; raw: time.\n"
    "  info: imei, imsi, manufacturer, model, bands (a list), firmware, battery (0-100),\n"
    "    signal (dBm; null when the phone cannot measure it); raw: rssi. A refused query\n"
    "    gives null.\n"
    "  ports: device, outcome (\"phone\", \"no-answer\", \"busy\", \"no-access\", \"failed\"),\n"
    "    text (what answered, or why not).\n";

}  // namespace orlin::cli
