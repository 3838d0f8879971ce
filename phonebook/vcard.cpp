#include "phonebook/vcard.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/plural.h"
#include "link/text_utils.h"
#include "phonebook/code_tables.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_write.h"

namespace orlin {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// --- reading ---

// One content line split into its parts; parameter names in upper case, values as written
// (quotes removed), bare words under the name "".
struct ContentLine {
    std::string name;  // upper case, group removed
    std::vector<std::pair<std::string, std::string>> params;
    std::string value;

    std::vector<std::string> Values(const std::string& param) const {
        std::vector<std::string> out;
        for (const auto& [n, v] : params)
            if (n == param) out.push_back(v);
        return out;
    }
    bool Has(const std::string& param, const std::string& value) const {
        for (const auto& [n, v] : params)
            if (n == param && Lower(v) == value) return true;
        return false;
    }
};

// Splits `text` at every unquoted `sep`.
std::vector<std::string> SplitUnquoted(std::string_view text, char sep) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == sep && !quoted)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string Unquote(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return std::string(text.substr(1, text.size() - 2));
    return std::string(text);
}

bool ParseContentLine(std::string_view line, ContentLine& out) {
    // The value starts after the first colon outside quotes.
    size_t colon = std::string_view::npos;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos) return false;
    out.value = std::string(line.substr(colon + 1));
    const std::vector<std::string> head = SplitUnquoted(line.substr(0, colon), ';');
    std::string name = head[0];
    if (size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(0, dot + 1);
    out.name = Upper(name);
    out.params.clear();
    for (size_t i = 1; i < head.size(); ++i) {
        const std::string& param = head[i];
        const size_t eq = param.find('=');
        if (eq == std::string::npos) {
            // vCard 2.1: a bare word is a type, an encoding or a character set.
            const std::string word = Upper(param);
            if (word == "QUOTED-PRINTABLE" || word == "BASE64" || word == "8BIT" || word == "B")
                out.params.emplace_back("ENCODING", word);
            else if (!word.empty())
                out.params.emplace_back("TYPE", word);
            continue;
        }
        const std::string pname = Upper(param.substr(0, eq));
        // TYPE=work,voice and TYPE="work,voice" are two types, as TYPE=work;TYPE=voice.
        for (const std::string& v : SplitUnquoted(param.substr(eq + 1), ','))
            out.params.emplace_back(pname, Unquote(v));
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size()) {
            const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        if (text[i] == '=' && i + 1 == text.size()) break;  // a soft break left at the end
        out += text[i];
    }
    return out;
}

// The value as UTF-8 text: QUOTED-PRINTABLE decoded, Windows-1251 converted. Bytes that are
// not UTF-8 without a CHARSET came from an old phone: they are read as Windows-1251.
std::string DecodedValue(const ContentLine& line) {
    std::string bytes =
        line.Has("ENCODING", "quoted-printable") ? DecodeQuotedPrintable(line.value) : line.value;
    const std::vector<std::string> charsets = line.Values("CHARSET");
    const std::string charset = charsets.empty() ? "" : Lower(charsets[0]);
    if (charset == "windows-1251" || charset == "cp1251" ||
        (!IsWellFormedUtf8(bytes) && (charset.empty() || charset == "utf-8")))
        return Cp1251ToUtf8(bytes);
    return bytes;
}

// Splits at every unescaped `sep` and removes the escapes (\\, \, \; \: \n \N).
std::vector<std::string> SplitText(std::string_view text, char sep) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            parts.back() += next == 'n' || next == 'N' ? '\n' : next;
        } else if (c == sep) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::string UnescapeText(std::string_view text) {
    // No separator: a NUL byte of the text is kept as any other.
    const std::vector<std::string> parts = SplitText(text, '\0');
    std::string out = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) out += std::string(1, '\0') + parts[i];
    return out;
}

// A name or number as one line: control characters (a line break in a note-like name, say)
// become spaces, and the ends are trimmed.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return Trim(text);
}

// An X-ORLIN parameter value: %XX stands for a byte the parameter syntax does not allow.
std::string PercentDecode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

VCardNumber NumberOf(const ContentLine& line, bool email) {
    VCardNumber number;
    number.email = email;
    number.value = OneLine(UnescapeText(DecodedValue(line)));
    // vCard 4.0 may write a number as a URI, perhaps with parameters (";ext=5"); it then says
    // VALUE=uri. Without it the value is text, also when it starts with "tel:".
    if (line.Has("VALUE", "uri") && Lower(number.value.substr(0, 4)) == "tel:")
        number.value = Trim(number.value.substr(4, number.value.find(';') - 4));
    for (const auto& [n, v] : line.params) {
        if (n == "TYPE" && !v.empty()) number.types.push_back(Lower(v));
        if (n == "PREF") number.types.push_back("pref");
        if (n.rfind("X-ORLIN-", 0) == 0) number.orlin[n.substr(8)] = PercentDecode(v);
    }
    return number;
}

// Whether the parameters before a line's colon say QUOTED-PRINTABLE: the bare 2.1 word or
// ENCODING=QUOTED-PRINTABLE, not the same letters inside another parameter's value.
bool QuotedPrintableHead(std::string_view head) {
    for (const std::string& param : SplitUnquoted(head, ';')) {
        const std::string word = Upper(param);
        if (word == "QUOTED-PRINTABLE" || word == "ENCODING=QUOTED-PRINTABLE") return true;
    }
    return false;
}

// Physical lines without their CR, and continuation lines joined (a line that starts with
// a space or a tab; after a QUOTED-PRINTABLE line that ends in "=", the next line).
std::vector<std::string> LogicalLines(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::vector<std::string> lines;
    bool softBreak = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (softBreak && !lines.empty()) {
            lines.back().pop_back();  // the "=" of the soft break
            lines.back() += line;
        } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
            lines.back() += line.substr(1);
        } else {
            lines.emplace_back(line);
        }
        const std::string& last = lines.back();
        const size_t colon = last.find(':');
        softBreak = !last.empty() && last.back() == '=' && colon != std::string::npos &&
                    QuotedPrintableHead(std::string_view(last).substr(0, colon));
    }
    return lines;
}

// --- writing ---

std::string EscapeText(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case ',':
                out += "\\,";
                break;
            case ';':
                out += "\\;";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A parameter value without the characters its syntax forbids (" ; : , controls) and %.
std::string PercentEncode(std::string_view text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || c == ';' || c == ':' || c == ',' || c == '%') {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// The line folded after every 75 octets (the continuation's space counts), never inside a
// UTF-8 sequence, ended by CR LF.
std::string Folded(const std::string& line) {
    std::string out;
    size_t start = 0, limit = 75;
    while (line.size() - start > limit) {
        size_t cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out += line.substr(start, cut - start) + "\r\n ";
        start = cut;
        limit = 74;
    }
    return out + line.substr(start) + "\r\n";
}

const char* TypesOfCode(int code) {
    switch (code) {
        case 0:
            return "WORK,VOICE";
        case 1:
            return "HOME,VOICE";
        case 2:
            return "PREF,VOICE";
        case 3:
            return "CELL";
        case 4:
            return "FAX";
        case 5:
            return "PAGER";
        case kEmailType:
            return "INTERNET";
        default:
            return "VOICE";
    }
}

int CodeOfTypes(const std::vector<std::string>& types) {
    const auto has = [&](const char* t) {
        return std::find(types.begin(), types.end(), t) != types.end();
    };
    if (has("fax")) return 4;
    if (has("pager")) return 5;
    if (has("cell")) return 3;
    if (has("work")) return 0;
    if (has("home")) return 1;
    if (has("pref")) return 2;
    return 3;
}

std::string StorageName(uint8_t storage) {
    return storage == 1 ? "SM" : "ME";
}

bool ParseNumber(std::string_view text, int most, int& out) {
    if (text.empty() || text.size() > 7) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > most) return false;
    out = value;
    return true;
}

bool ParseSmallInt(const std::map<std::string, std::string>& params, const char* key, int most,
                   int& out) {
    const auto it = params.find(key);
    return it != params.end() && ParseNumber(it->second, most, out);
}

std::string W(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

}  // namespace

std::string VCard::DisplayName() const {
    if (!formattedName.empty()) return formattedName;
    // N is family;given;additional;prefix;suffix: shown as prefix given additional family suffix.
    static const size_t order[] = {3, 1, 2, 0, 4};
    std::string out;
    for (size_t i : order)
        if (i < name.size() && !name[i].empty()) out += (out.empty() ? "" : " ") + name[i];
    return out;
}

std::vector<VCard> ParseVCards(std::string_view bytes) {
    std::vector<VCard> cards;
    int depth = 0;  // a card inside a card (AGENT) is skipped
    for (const std::string& text : LogicalLines(bytes)) {
        ContentLine line;
        if (!ParseContentLine(text, line)) continue;
        const std::string value = Upper(Trim(line.value));
        if (line.name == "BEGIN" && value == "VCARD") {
            if (depth++ == 0) cards.emplace_back();
            continue;
        }
        if (line.name == "END" && value == "VCARD") {
            if (depth > 0) --depth;
            continue;
        }
        if (depth != 1) continue;
        if (line.Has("ENCODING", "b") || line.Has("ENCODING", "base64")) continue;
        VCard& card = cards.back();
        if (line.name == "FN") {
            card.formattedName = OneLine(UnescapeText(DecodedValue(line)));
        } else if (line.name == "N") {
            card.name = SplitText(DecodedValue(line), ';');
            for (std::string& part : card.name) part = OneLine(part);
        } else if (line.name == "CATEGORIES") {
            for (const std::string& c : SplitText(DecodedValue(line), ','))
                if (!OneLine(c).empty()) card.categories.push_back(OneLine(c));
        } else if (line.name == "UID") {
            card.uid = OneLine(UnescapeText(DecodedValue(line)));
        } else if (line.name == "X-ORLIN-HASH") {
            card.orlinHash = OneLine(line.value);
        } else if (line.name == "TEL" || line.name == "EMAIL") {
            VCardNumber number = NumberOf(line, line.name == "EMAIL");
            if (!number.value.empty()) card.numbers.push_back(std::move(number));
        }
    }
    return cards;
}

namespace {

// The phone's cards: entries of one name in slot order, cards in the order of their first slot.
std::vector<std::vector<const TAbonentInfo*>> CardsOf(const PhonebookState& state) {
    std::vector<std::vector<const TAbonentInfo*>> cards;
    std::map<std::string, size_t> byName;
    for (const TAbonentInfo& record : state.abonents) {
        if (record.IsFree()) continue;
        const auto [it, added] = byName.emplace(record.Name, cards.size());
        if (added) cards.emplace_back();
        cards[it->second].push_back(&record);
    }
    return cards;
}

// What a card says of its entries: the lines between VERSION and END, without UID and REV.
std::string CardBody(const std::vector<const TAbonentInfo*>& entries, const PhonebookState& state) {
    const std::string utf8 = Cp1251ToUtf8(entries.front()->Name);
    std::string out;
    out += Folded("FN:" + EscapeText(utf8));
    out += Folded("N:" + EscapeText(utf8) + ";;;;");
    std::vector<std::string> categories;
    for (const TAbonentInfo* r : entries) {
        const std::string category = Cp1251ToUtf8(CategoryName(r->Category, state.groupNames));
        if (!category.empty() &&
            std::find(categories.begin(), categories.end(), category) == categories.end())
            categories.push_back(category);
    }
    if (!categories.empty()) {
        std::string line = "CATEGORIES:";
        for (size_t i = 0; i < categories.size(); ++i)
            line += (i ? "," : "") + EscapeText(categories[i]);
        out += Folded(line);
    }
    for (const TAbonentInfo* r : entries) {
        const bool email = r->NumberType == kEmailType;
        std::string line = email ? "EMAIL" : "TEL";
        line += std::string(";TYPE=") + TypesOfCode(r->NumberType);
        line += ";X-ORLIN-SLOT=" + std::to_string(r->Index);
        line += ";X-ORLIN-STORAGE=" + StorageName(r->Storage);
        line += ";X-ORLIN-TYPE=" + std::to_string(r->NumberType);
        line += ";X-ORLIN-FORMAT=" + std::to_string(r->NumberFormat);
        line += ";X-ORLIN-IDS=" + std::to_string(r->Ids);
        line += ";X-ORLIN-CATEGORY=" + std::to_string(r->Category);
        line += ";X-ORLIN-ICON=" + std::to_string(r->Icon);
        if (!r->Picture.empty())
            line += ";X-ORLIN-PICTURE=" + PercentEncode(Cp1251ToUtf8(r->Picture));
        // The fields the phone keeps beside the number: 6, 8, 9, 12, 13, 15, 16.
        line += ";X-ORLIN-AUX=" + std::to_string(r->Aux6) + "-" + std::to_string(r->Aux8) + "-" +
                std::to_string(r->Aux9) + "-" + std::to_string(r->Aux12) + "-" +
                std::to_string(r->Aux13) + "-" + std::to_string(r->Aux15) + "-" +
                std::to_string(r->Aux16);
        line += ":" + EscapeText(Cp1251ToUtf8(r->Number));
        out += Folded(line);
    }
    return out;
}

std::string CardUid(const std::string& phoneKey, const TAbonentInfo& first) {
    return "orlin-" + phoneKey + "-" + StorageName(first.Storage) + std::to_string(first.Index) +
           "@phonebook";
}

VCardItem CardItem(const std::vector<const TAbonentInfo*>& entries, const PhonebookState& state,
                   const ItemIdentity* identity) {
    VCardItem item;
    const std::string body = CardBody(entries, state);
    std::string out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    if (identity && !identity->phoneKey.empty()) {
        item.uid = CardUid(identity->phoneKey, *entries.front());
        item.hash = ShortHash(body);
        out += Folded("UID:" + item.uid);
        out += body;
        if (identity->stampOf) out += "REV:" + identity->stampOf(item.uid, item.hash) + "\r\n";
        out += "X-ORLIN-HASH:" + item.hash + "\r\n";
    } else {
        out += body;
    }
    item.text = out + "END:VCARD\r\n";
    for (const TAbonentInfo* r : entries) item.entrySlots.push_back(r->Index);
    return item;
}

}  // namespace

std::string VCardText(const PhonebookState& state, const ItemIdentity* identity) {
    std::string out;
    for (const auto& entries : CardsOf(state)) out += CardItem(entries, state, identity).text;
    return out;
}

std::vector<VCardItem> VCardItems(const PhonebookState& state, const ItemIdentity& identity) {
    std::vector<VCardItem> items;
    for (const auto& entries : CardsOf(state)) items.push_back(CardItem(entries, state, &identity));
    return items;
}

std::optional<OwnUid> ParseOwnCardUid(const std::string& uid) {
    // orlin-<16 hex>-<ME|SM><slot>@phonebook
    const std::string tail = "@phonebook";
    if (uid.rfind("orlin-", 0) != 0 || uid.size() < 6 + 16 + 1 + 3 + tail.size() ||
        uid.compare(uid.size() - tail.size(), tail.size(), tail) != 0 || uid[22] != '-')
        return std::nullopt;
    OwnUid own;
    own.phoneKey = uid.substr(6, 16);
    const std::string storage = uid.substr(23, 2);
    if (storage != "ME" && storage != "SM") return std::nullopt;
    own.storage = storage == "SM" ? 1 : 0;
    int slot = 0;
    if (!ParseNumber(uid.substr(25, uid.size() - tail.size() - 25), 1000000, slot) || slot < 1)
        return std::nullopt;
    own.slot = slot;
    return own;
}

std::optional<std::string> CleanPhoneNumber(const std::string& utf8) {
    std::string number;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        // Formatting that address books add: blanks (also the no-break space), brackets,
        // dashes, dots, slashes.
        if (c == ' ' || c == '(' || c == ')' || c == '-' || c == '.' || c == '/') continue;
        if (c == '\xC2' && i + 1 < utf8.size() && utf8[i + 1] == '\xA0') {
            ++i;
            continue;
        }
        if (c == '+' && number.empty()) {
            number += c;
        } else if ((c >= '0' && c <= '9') || c == '*' || c == '#') {
            number += c;
        } else if (c == 'p' || c == 'P' || c == 'w' || c == 'W') {
            number += static_cast<char>(c | 0x20);  // a pause, a wait
        } else {
            return std::nullopt;
        }
    }
    if (number.empty() || number == "+") return std::nullopt;
    return number;
}

VCardImport PlanVCardImport(const std::vector<VCard>& cards, const PhonebookState& state,
                            const std::string& region, const std::string& phoneKey) {
    VCardImport plan;
    // The phone's own cards by the slot of their first entry: where our UIDs point.
    std::map<int32_t, std::vector<const TAbonentInfo*>> heldCards;
    if (!phoneKey.empty())
        for (auto& entries : CardsOf(state)) heldCards[entries.front()->Index] = entries;
    // What the phone holds already, and what this file adds: an entry of the same name and
    // number is not written twice (an import run again after a stop adds nothing).
    std::set<std::pair<std::string, std::string>> present;
    for (const TAbonentInfo& r : state.abonents)
        if (!r.IsFree()) {
            present.emplace(r.Name, r.Number);
            // A number the phone holds as dialled at home ("8 911...") is the same number as
            // the file's in international form.
            if (r.NumberType != kEmailType)
                if (const auto same = NormalisedNumber(Cp1251ToUtf8(r.Number), region))
                    present.emplace(r.Name, Utf8ToCp1251(*same));
        }
    const bool categories = HasCategories(state.family);
    std::set<int32_t> taken;
    const auto isFree = [&](int32_t slot) {
        const TAbonentInfo* r = SlotRecord(state.abonents, slot);
        return r && r->IsFree() && !taken.count(slot);
    };

    struct Pending {
        TAbonentInfo record;
        std::string label;  // "name (number)" for the warnings, Windows-1251
    };
    std::vector<Pending> pending;
    for (const VCard& card : cards) {
        const std::string display = card.DisplayName();
        std::string name = Utf8ToCp1251(display);
        const std::string label = name.empty() ? W("(без имени)") : name;
        if (card.numbers.empty()) {
            plan.warnings.push_back(label + W(": в карточке нет ни номера, ни адреса"));
            continue;
        }
        if (std::count(name.begin(), name.end(), '?') >
            std::count(display.begin(), display.end(), '?'))
            plan.warnings.push_back(label +
                                    W(": знаки, которых нет в Windows-1251, заменены на \"?\""));
        if (name.size() > kPhoneNameLimit) {
            name = Trim(name.substr(0, kPhoneNameLimit));
            plan.warnings.push_back(
                label + W(": имя сокращено до ") +
                W(RussianCount(static_cast<long long>(kPhoneNameLimit), "знака", "знаков", "знаков")
                      .c_str()));
        }
        // Our own card of this phone: back in place when its slot still holds what was
        // exported, else into free slots (said below).
        const std::vector<const TAbonentInfo*>* inPlace = nullptr;
        std::set<int32_t> oldSlots;
        if (const auto own = phoneKey.empty() ? std::nullopt : ParseOwnCardUid(card.uid);
            own && own->phoneKey == phoneKey && !card.orlinHash.empty()) {
            const auto held = heldCards.find(own->slot);
            if (held != heldCards.end() && held->second.front()->Storage == own->storage &&
                ShortHash(CardBody(held->second, state)) == card.orlinHash) {
                inPlace = &held->second;
                for (const TAbonentInfo* r : *inPlace) oldSlots.insert(r->Index);
            } else if (held != heldCards.end()) {
                plan.warnings.push_back(label + W(": ячейка ") + std::to_string(own->slot) +
                                        W(" хранит теперь другое: записано в свободные ячейки"));
            }
        }
        const size_t pendingBefore = pending.size();
        uint8_t category = categories ? 1 : 0;
        for (const std::string& c : card.categories) {
            const std::string wanted = Utf8ToCp1251(c);
            bool found = false;
            for (size_t g = 0; g < state.groupNames.size() && categories; ++g)
                if (!state.groupNames[g].empty() && state.groupNames[g] == wanted) {
                    category = static_cast<uint8_t>(g + 1);
                    found = true;
                    break;
                }
            if (found) break;
        }
        for (const VCardNumber& n : card.numbers) {
            TAbonentInfo r;
            r.Name = name;
            // A number reaches the phone's command line as it stands: only what a phone
            // dials goes there, an address only without what would end or split the line.
            std::string text = n.value;
            // Our own cards (they carry X-ORLIN-...) give each number back as the phone held
            // it; the others are cleaned of an address book's formatting and, where the number
            // library reads them, given in E.164.
            if (!n.email && n.orlin.empty()) {
                const std::optional<std::string> clean = NormalisedNumber(n.value, region);
                if (!clean) {
                    plan.warnings.push_back(label + ", " + Utf8ToCp1251(n.value) +
                                            W(": это не номер телефона: не записано"));
                    continue;
                }
                text = *clean;
            }
            if (const std::string why = UnsafeFieldReason(text); !why.empty()) {
                plan.warnings.push_back(label + ", " + Utf8ToCp1251(text) + ": " + why +
                                        W(": не записано"));
                continue;
            }
            r.Number = Utf8ToCp1251(text);
            if (!inPlace && !present.emplace(r.Name, r.Number).second) {
                ++plan.alreadyThere;
                continue;
            }
            int value = 0;
            r.NumberType = static_cast<uint8_t>(n.email ? kEmailType : CodeOfTypes(n.types));
            if (ParseSmallInt(n.orlin, "TYPE", 8, value))
                r.NumberType = static_cast<uint8_t>(value);
            r.NumberFormat = NumberFormatFor(r.Number, r.NumberType);
            if (ParseSmallInt(n.orlin, "FORMAT", 255, value))
                r.NumberFormat = static_cast<uint8_t>(value);
            r.Ids = ParseSmallInt(n.orlin, "IDS", 255, value) ? value : kIdsDefault;
            r.Aux9 = 1;
            r.Aux12 = kFieldNone;
            r.Category = category;
            // The file's category number (0: none) when the phone has it.
            if (categories && ParseSmallInt(n.orlin, "CATEGORY", 255, value) &&
                static_cast<size_t>(value) <= state.groupNames.size())
                r.Category = static_cast<uint8_t>(value);
            r.Icon = categories ? kNoIcon : 0;
            if (ParseSmallInt(n.orlin, "ICON", 255, value)) r.Icon = value;
            if (auto it = n.orlin.find("PICTURE"); it != n.orlin.end())
                r.Picture = Utf8ToCp1251(it->second);
            if (auto it = n.orlin.find("AUX"); it != n.orlin.end()) {
                uint8_t* fields[] = {&r.Aux6,  &r.Aux8,  &r.Aux9, &r.Aux12,
                                     &r.Aux13, &r.Aux15, &r.Aux16};
                const std::vector<std::string> values = SplitText(it->second, '-');
                if (values.size() == 7)
                    for (size_t i = 0; i < 7; ++i)
                        if (ParseNumber(values[i], 255, value))
                            *fields[i] = static_cast<uint8_t>(value);
            }
            if (text != Cp1251ToUtf8(r.Number))
                plan.warnings.push_back(
                    label + ", " + r.Number +
                    W(": знаки, которых нет в Windows-1251, заменены на \"?\""));
            // In place: the slot the file names when it is one of the old card's, an entry the
            // same as the phone's not written again.
            r.Index = 0;
            if (inPlace) {
                if (ParseSmallInt(n.orlin, "SLOT", 1000000, value) && oldSlots.count(value) &&
                    !taken.count(value)) {
                    r.Index = value;
                    r.Storage = state.StorageOfSlot(value);
                    taken.insert(value);
                    if (const TAbonentInfo* old = SlotRecord(state.abonents, value);
                        old && *old == r) {
                        ++plan.alreadyThere;
                        continue;
                    }
                }
                pending.push_back({r, label + ", " + r.Number});
                continue;
            }
            // The slot the file names, when it is free and of the storage named.
            if (ParseSmallInt(n.orlin, "SLOT", 1000000, value) && isFree(value)) {
                const auto storage = n.orlin.find("STORAGE");
                if (storage == n.orlin.end() ||
                    storage->second == StorageName(state.StorageOfSlot(value))) {
                    r.Index = value;
                    taken.insert(value);
                }
            }
            pending.push_back({r, label + ", " + r.Number});
        }
        const size_t emptiedBefore = plan.toEmpty.size();
        for (int32_t slot : oldSlots)
            if (!taken.count(slot)) plan.toEmpty.push_back(slot);
        if (inPlace && (pending.size() > pendingBefore || plan.toEmpty.size() > emptiedBefore))
            ++plan.updatedInPlace;
    }
    // The rest into the free slots of the phone memory, in slot order.
    int32_t next = 1;
    for (Pending& p : pending) {
        if (p.record.Index == 0) {
            const int32_t last = static_cast<int32_t>(state.abonents.size());
            while (next <= last && (state.StorageOfSlot(next) != 0 || !isFree(next))) ++next;
            if (next > last) {
                ++plan.missingSlots;
                plan.warnings.push_back(p.label + W(": нет свободной ячейки"));
                continue;
            }
            p.record.Index = next;
            taken.insert(next);
        }
        p.record.Storage = state.StorageOfSlot(p.record.Index);
        plan.records.push_back(p.record);
    }
    if (plan.alreadyThere > 0)
        plan.warnings.push_back(W("уже есть в телефоне (то же имя и номер), не записано: ") +
                                std::to_string(plan.alreadyThere));
    return plan;
}

VCardWriteReport WriteVCardImport(PhoneSession& session, PhonebookState& state,
                                  const std::vector<TAbonentInfo>& records,
                                  Interaction& interaction) {
    VCardWriteReport report;
    WriteVCardImport(session, state, records, interaction, report);
    return report;
}

void WriteVCardImport(PhoneSession& session, PhonebookState& state,
                      const std::vector<TAbonentInfo>& records, Interaction& interaction,
                      VCardWriteReport& report) {
    report = VCardWriteReport{};
    if (records.empty()) return;
    for (const TAbonentInfo& record : records) report.notSent.push_back(record.Index);
    if (!BeginEdit(session)) return;
    report.started = true;
    const int count = static_cast<int>(records.size());
    for (int i = 0; i < count; ++i) {
        const TAbonentInfo& record = records[static_cast<size_t>(i)];
        // Until the answer comes, the entry may or may not be in the phone.
        report.notSent.erase(report.notSent.begin());
        report.unanswered = record.Index;
        const bool written = WriteEntry(session, state, state.family, record).written;
        report.unanswered.reset();
        if (written) {
            ++report.written;
            report.writtenSlots.push_back(record.Index);
        } else {
            report.refused.push_back(record.Index);
        }
        interaction.progress(i + 1, count);
        interaction.processEvents();
        if (!interaction.keepRunning() && interaction.confirm(StopWritingQuestion())) {
            report.stopped = i + 1 < count;
            break;
        }
    }
}

std::string ImportWarningText(const std::vector<std::string>& warnings) {
    if (warnings.empty()) return {};
    std::string text = W("Не всё из файла vCard удалось перенести в телефон как есть:");
    for (const std::string& w : warnings) text += "\r\n" + w;
    return text;
}

}  // namespace orlin
