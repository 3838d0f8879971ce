#include "phonebook/entry_codec.h"

#include <vector>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

constexpr const char* kEntryPrefix = "+MPBR: ";

int FieldCount(ModelFamily family) {
    switch (family) {
        case ModelFamily::Fields13:
            return 13;
        case ModelFamily::Fields16:
            return 14;
        default:
            return 9;
    }
}

// Cuts the text after the prefix into `count` fields. A field in quotes (the number; a name
// some phones quote) is taken to its closing quote, so that a comma inside it does not shift
// the fields. The last field ends at the next comma or at the end of the line; the rest is
// ignored.
std::vector<std::string> CutFields(const std::string& body, int count) {
    std::vector<std::string> fields;
    size_t pos = 0;
    for (int i = 1; i <= count; ++i) {
        if (pos > body.size()) {
            fields.emplace_back();  // missing: the conversion of the field reports it
            continue;
        }
        if (pos < body.size() && body[pos] == '"') {
            const size_t close = body.find('"', pos + 1);
            if (close == std::string::npos)
                throw EConvertError("'" + body.substr(pos) + "' is not a valid phone number");
            fields.push_back(body.substr(pos, close - pos + 1));
            pos = close + 1;
            if (pos < body.size() && body[pos] != ',')
                throw EConvertError("'" + body.substr(pos) + "' is not a valid integer value");
            pos += 1;
            continue;
        }
        const size_t comma = body.find(',', pos);
        if (comma == std::string::npos) {
            fields.push_back(body.substr(pos));
            pos = body.size() + 1;
        } else {
            fields.push_back(body.substr(pos, comma - pos));
            pos = comma + 1;
        }
    }
    return fields;
}

std::string Unquote(const std::string& field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.substr(1, field.size() - 2);
    return field;
}

uint8_t Low8(const std::string& field) {
    return static_cast<uint8_t>(StrToInt(field) & 0xFF);
}

void Append(std::string& command, long long value) {
    command += ',';
    command += std::to_string(value);
}

}  // namespace

TAbonentInfo ParseMpbrLine(const std::string& line, ModelFamily family) {
    if (line.compare(0, 7, kEntryPrefix) != 0)
        throw EConvertError("'" + line + "' is not a phonebook entry");
    const int count = FieldCount(family);
    const std::vector<std::string> f = CutFields(line.substr(7), count);

    TAbonentInfo r;
    r.Index = StrToInt(f[0]);
    r.Number = Unquote(f[1]);
    r.NumberFormat = Low8(f[2]);
    r.Name = DecodeUcs2Field(f[3]);
    r.NumberType = Low8(f[4]);
    r.Aux6 = Low8(f[5]);
    r.Ids = StrToInt(f[6]);
    r.Aux8 = Low8(f[7]);
    r.Aux9 = Low8(f[8]);
    if (count == 9) {
        r.Category = 0;
        r.Icon = 0;
        r.Aux12 = kFieldNone;
        r.Aux13 = 0;
    } else {
        r.Category = Low8(f[9]);
        r.Icon = StrToInt(f[10]);
        r.Aux12 = Low8(f[11]);
        r.Aux13 = Low8(f[12]);
        if (count == 14) r.Picture = DecodeUcs2Field(f[13]);
    }
    r.Aux15 = 0;
    r.Aux16 = 0;
    return r;
}

int EntryFieldCount(const std::string& line) {
    if (line.compare(0, 7, kEntryPrefix) != 0) return 0;
    int count = 1;
    bool quoted = false;
    for (size_t i = 7; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ',' && !quoted) ++count;
    }
    return count;
}

IndexRange ParseIndexRange(const std::string& response) {
    // A refusal with a number (+CME ERROR: 10) fails as ERROR does, not on its digits.
    std::string text = Trim(WithPlainError(response));
    text.erase(0, 7);
    const size_t dash = text.find('-');
    const std::string first = dash == std::string::npos ? text : text.substr(0, dash);
    std::string rest = dash == std::string::npos ? std::string() : text.substr(dash + 1);
    const size_t comma = rest.find(',');
    if (comma != std::string::npos) rest.erase(comma);
    return {StrToInt(first), StrToInt(rest)};
}

std::string BuildShortMpbwCommand(const TAbonentInfo& r) {
    // The number is the one field of the line that is not built from numbers or phone text.
    CheckCommandField(r.Number, Tr("EntryCodec", "номер записи ") + std::to_string(r.Index));
    std::string command = "AT+MPBW=" + std::to_string(r.Index);
    command += ",\"" + r.Number + "\"";
    Append(command, r.NumberFormat);
    command += ',' + EncodeUcs2(r.Name);
    return command;
}

std::string BuildMpbwCommand(ModelFamily family, const TAbonentInfo& r) {
    if (family == ModelFamily::None) return {};
    std::string command = BuildShortMpbwCommand(r);
    Append(command, r.NumberType);
    Append(command, r.Aux6);
    Append(command, r.Ids);
    Append(command, r.Aux8);
    Append(command, r.Aux9);
    if (family == ModelFamily::Fields9) return command;
    Append(command, r.Category);
    Append(command, r.Icon);
    Append(command, r.Aux12);
    Append(command, r.Aux13);
    if (family == ModelFamily::Fields13) return command;
    command += ',' + EncodeUcs2(r.Picture);
    Append(command, r.Aux15);
    Append(command, r.Aux16);
    return command;
}

Utf8Text BeyondUcs2Note() {
    return Tr("EntryCodec", ": знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»");
}

Utf8Text EntriesBeyondUcs2Text(const std::vector<TAbonentInfo>& records) {
    Utf8Text names;
    for (const TAbonentInfo& r : records)
        if (HasCharactersBeyondUcs2(r.Name) || HasCharactersBeyondUcs2(r.Number) ||
            HasCharactersBeyondUcs2(r.Picture))
            names += (names.empty() ? "" : ", ") + r.Name;
    if (names.empty()) return {};
    return Tr("EntryCodec", "Знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»: ") +
           names + ".";
}

std::string BuildEmptySlotCommand(int32_t index) {
    return "AT+MPBW=" + std::to_string(index);
}

bool AnswerHasOk(const std::string& response) {
    // "OK" may stand inside the data of a refused answer; a refusal never counts.
    return !IsRefusal(response) && response.find("OK") != std::string::npos;
}

bool AnswerIsBareOk(const std::string& response) {
    return response == "\r\nOK\r\n";
}

}  // namespace orlin
