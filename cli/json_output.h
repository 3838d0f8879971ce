#pragma once
// --format json of the list verbs and info: for scripts that would otherwise have to split
// tab-separated lines holding Russian words and the phone's own date forms. A list is one JSON
// array with one object a line; info is one object. Keys are English, codes are English words,
// dates and times ISO 8601, and what the phone sent stays beside them under "raw".

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orlin::cli {

// Keys stay in the order they are written: the slot or index first, "raw" last.
using Json = nlohmann::ordered_json;

enum class ListFormat { Tabs, Json };

// Takes "--format tsv|json" or "--format=tsv|json" out of `words` (from `first` on) and
// returns the format: tab-separated lines when it is not given. A UsageError for another
// value or for the option given twice.
ListFormat TakeListFormat(std::vector<std::string>& words, size_t first = 1);

// A field of the phone's answer line (its bytes, ASCII in practice, read as Windows-1251 as
// AnswerText reads them) as a JSON string (UTF-8; escapes are the writer's task).
Json JsonText(const std::string& answerBytes);

// A value or null.
template <typename T>
Json JsonOrNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

// A message time as the phones write it, "yy/MM/dd,hh:mm:ss" (or with a four-digit year) and
// an optional zone in quarter hours ("+12", "-04"), in ISO 8601: "2026-12-05T21:14:45+03:00"
// (no zone when it had none). Nothing when it is no such time. Two-digit years from 80 on are
// the 1900s.
std::optional<std::string> IsoMessageTime(const std::string& phoneTime);

// A list as one array, one item a line, so that a line-oriented tool can still take it apart.
void PrintJsonList(std::ostream& out, const std::vector<Json>& items);
// One object on one line.
void PrintJsonObject(std::ostream& out, const Json& object);

// The section of --help (and so of the manual page) that describes every key.
extern const char* const kJsonHelp;

}  // namespace orlin::cli
