#include "phonebook/vcard.h"

#include <algorithm>
#include <cctype>

#include "link/cp1251.h"
#include "link/text_utils.h"
#include "link/utf8.h"
#include "phonebook/code_tables.h"
#include "phonebook/phonebook_rows.h"

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

std::string StorageName(uint8_t storage) {
    return storage == 1 ? "SM" : "ME";
}

}  // namespace

std::string FoldedContentLine(const std::string& line) {
    std::string out;
    size_t start = 0, limit = 75;
    while (line.size() - start > limit) {
        size_t cut = Utf8CharacterStart(line, start + limit);
        // Bytes that are no UTF-8 at all (a line kept from another program's file): cut where
        // the octets say, or the loop would never advance.
        if (cut <= start) cut = start + limit;
        out += line.substr(start, cut - start) + "\r\n ";
        start = cut;
        limit = 74;
    }
    return out + line.substr(start) + "\r\n";
}

std::vector<std::string> SplitVCardValue(std::string_view text, char sep) {
    return SplitText(text, sep);
}

std::string VCardStorageName(uint8_t storage) {
    return StorageName(storage);
}

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
    const std::string utf8 = entries.front()->Name;
    std::string out;
    out += FoldedContentLine("FN:" + EscapeText(utf8));
    out += FoldedContentLine("N:" + EscapeText(utf8) + ";;;;");
    std::vector<std::string> categories;
    for (const TAbonentInfo* r : entries) {
        const std::string category = CategoryName(r->Category, state.groupNames);
        if (!category.empty() &&
            std::find(categories.begin(), categories.end(), category) == categories.end())
            categories.push_back(category);
    }
    if (!categories.empty()) {
        std::string line = "CATEGORIES:";
        for (size_t i = 0; i < categories.size(); ++i)
            line += (i ? "," : "") + EscapeText(categories[i]);
        out += FoldedContentLine(line);
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
        if (!r->Picture.empty()) line += ";X-ORLIN-PICTURE=" + PercentEncode(r->Picture);
        // The fields the phone keeps beside the number: 6, 8, 9, 12, 13, 15, 16.
        line += ";X-ORLIN-AUX=" + std::to_string(r->Aux6) + "-" + std::to_string(r->Aux8) + "-" +
                std::to_string(r->Aux9) + "-" + std::to_string(r->Aux12) + "-" +
                std::to_string(r->Aux13) + "-" + std::to_string(r->Aux15) + "-" +
                std::to_string(r->Aux16);
        line += ":" + EscapeText(r->Number);
        out += FoldedContentLine(line);
    }
    return out;
}

namespace {

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
        out += FoldedContentLine("UID:" + item.uid);
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
    const std::string digits = uid.substr(25, uid.size() - tail.size() - 25);
    if (digits.empty() || digits.size() > 7 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    own.slot = std::stoi(digits);
    if (own.slot < 1 || own.slot > 1000000) return std::nullopt;
    return own;
}

}  // namespace orlin
