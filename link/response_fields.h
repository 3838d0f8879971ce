#pragma once
// Cutting fields out of one AT response by separators.

#include <string>
#include <vector>

#include "link/text_types.h"

namespace orlin {

struct IntTriple {
    int first = 0;
    int second = 0;
    int third = 0;
};

// The text between the first '=' and the next double quote (the model in +CGMM).
std::string ValueAfterEquals(const std::string& response);
// "1-500,32,24,..." -> 500, 32, 24 (after trimming and the first '-').
IntTriple ParseDashTriple(const std::string& response);
// Drops the first 7 characters ("+MDBR: "), then three comma-ended integers.
IntTriple ParsePrefixTriple(const std::string& response);

// The fields of a response, cut at commas outside double quotes, each trimmed; quotes stay:
// "REC READ", "+7911",, "2009/8/18,19:11:45", 145 gives five fields, the date one of them.
std::vector<std::string> FieldsOutsideQuotes(const std::string& text);

// Fields 2 to 10 of one datebook event line.
struct EventLineFields {
    Utf8Text title;          // decoded from the phone's UCS2
    std::string firstFlag;   // one character
    std::string alarmFlag;   // one character, "0" or "1"
    std::string startTime;   // HH:MM, quotes removed
    std::string startDate;   // MM-DD-YYYY, quotes removed
    std::string duration;    // minutes, as it stands
    std::string alarmTime;   // quotes removed
    std::string alarmDate;   // quotes removed
    std::string repeatCode;  // one character
    bool operator==(const EventLineFields&) const = default;
};
EventLineFields ParseEventLine(const std::string& line);

}  // namespace orlin
