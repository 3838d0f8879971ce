#include "link/response_fields.h"

#include <algorithm>

#include "link/errors.h"
#include "link/phone_text.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// Positions are held in full: a field beyond character 255 is cut where it stands.

// Cuts the text before the first separator and deletes through it. When there is no
// separator the field is empty and nothing is deleted.
std::string TakeField(std::string& rest, char separator) {
    const size_t pos = rest.find(separator);
    if (pos == std::string::npos) return std::string();
    std::string field = rest.substr(0, pos);
    rest.erase(0, pos + 1);
    return field;
}

// One character, then the character after it (the comma) goes too.
std::string TakeCharacter(std::string& rest) {
    std::string field = rest.substr(0, 1);
    rest.erase(0, std::min<size_t>(2, rest.size()));
    return field;
}

std::string Unquote(const std::string& field) {
    if (field.size() <= 2) return std::string();
    return field.substr(1, field.size() - 2);
}

IntTriple ThreeCommaEndedNumbers(std::string rest) {
    IntTriple triple;
    triple.first = StrToInt(TakeField(rest, ','));
    triple.second = StrToInt(TakeField(rest, ','));
    triple.third = StrToInt(TakeField(rest, ','));
    return triple;
}

}  // namespace

std::string ValueAfterEquals(const std::string& response) {
    const size_t equals = response.find('=');
    const std::string kept = equals == std::string::npos ? response : response.substr(equals + 1);
    const size_t quote = kept.find('"');
    if (quote == std::string::npos) return std::string();
    return kept.substr(0, quote);
}

IntTriple ParseDashTriple(const std::string& response) {
    std::string rest = Trim(response);
    const size_t dash = rest.find('-');
    if (dash != std::string::npos) rest.erase(0, dash + 1);
    return ThreeCommaEndedNumbers(rest);
}

IntTriple ParsePrefixTriple(const std::string& response) {
    return ThreeCommaEndedNumbers(response.size() > 7 ? response.substr(7) : std::string());
}

EventLineFields ParseEventLine(const std::string& line) {
    std::string rest = line;
    EventLineFields fields;
    TakeField(rest, ',');  // the slot number
    fields.title = DecodeUcs2(TakeField(rest, ','));
    fields.firstFlag = TakeCharacter(rest);
    fields.alarmFlag = TakeCharacter(rest);
    fields.startTime = Unquote(TakeField(rest, ','));
    fields.startDate = Unquote(TakeField(rest, ','));
    fields.duration = TakeField(rest, ',');
    fields.alarmTime = Unquote(TakeField(rest, ','));
    fields.alarmDate = Unquote(TakeField(rest, ','));
    fields.repeatCode = rest.substr(0, 1);
    return fields;
}

std::vector<std::string> FieldsOutsideQuotes(const std::string& text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (std::string& field : fields) field = Trim(field);
    return fields;
}

}  // namespace orlin
