// Phonebook storages (one numbering across phone memory and SIM), entries in the three
// field layouts of the model families, and categories.
#include <cctype>

#include "phonesim/at_engine.h"
#include "phonesim/phone_charset.h"

namespace orlin::phonesim {
namespace {

struct Range {
    int first = 0;
    int last = -1;
    bool writable = false;
    bool present = true;  // false: the SIM is missing
};

const char* const kListedStorages[] = {"ME", "SM", "MT", "ON", "DC", "MC", "RC", "AD", "QD"};

Range StorageRange(const PhoneState& s, const std::string& storage) {
    if (storage == "ME") return {s.meFirst, s.meLast, true, true};
    if (storage == "SM") return {s.smFirst, s.smLast, true, s.simPresent};
    if (storage == "MT" || storage == "AD") return {s.meFirst, s.combinedLast(), true, true};
    if (storage == "ON") return {1, 2, false, true};
    return {1, 10, false, true};  // call lists and quick dial: readable, empty here
}

bool HoldsEntries(const std::string& storage) {
    return storage == "ME" || storage == "SM" || storage == "MT" || storage == "AD";
}

bool IsSimSlot(const PhoneState& s, int slot) {
    return s.simPresent && slot >= s.smFirst && slot <= s.smLast;
}

int SimTypeCode(const PhoneState& s) {
    return s.family == PhonebookFamily::NineField ? 7 : 8;
}

std::string EntryLine(const PhoneState& s, int slot, const PhonebookEntry& e) {
    auto n = [](int v) { return std::to_string(v); };
    std::string line = "+MPBR: " + n(slot) + ",\"" + e.number + "\"," + n(e.numberFormat) + "," +
                       TextOnWire(s, e.name) + "," + n(e.type) + "," + n(e.aux6) + "," + n(e.ids) +
                       "," + n(e.aux8) + "," + n(e.aux9);
    if (s.family == PhonebookFamily::NineField) return line;
    line += "," + n(e.category) + "," + n(e.icon) + "," + n(e.aux12) + "," + n(e.aux13);
    if (s.family == PhonebookFamily::ThirteenField) return line;
    std::string picture = e.picture.empty() ? "" : TextOnWire(s, e.picture);
    return line + "," + picture + "," + n(e.aux15) + "," + n(e.aux16) + ",,,,,,,\"\",\"\"";
}

// AT+MPBR=a[,b] and AT+CPBR=a[,b]: the entries of the selected storage in a..b.
std::optional<std::pair<int, int>> ReadRange(const PhoneState&, const AtCommandLine& cmd,
                                             const Range& r) {
    if (cmd.args.empty() || cmd.args.size() > 2) return std::nullopt;
    auto a = ParseInt(cmd.args[0]);
    auto b = cmd.args.size() == 2 ? ParseInt(cmd.args[1]) : a;
    if (!a || !b || *a > *b) return std::nullopt;
    int first = std::max(*a, r.first), last = std::min(*b, r.last);
    if (first > last) return std::nullopt;  // nothing of the storage in the range
    return std::make_pair(first, last);
}

Answer ReadEntries(PhoneState& s, const AtCommandLine& cmd, bool motorolaForm) {
    Range r = StorageRange(s, s.phonebookStorage);
    if (!r.present) return Error(s, CmeSimNotInserted);
    const std::string name = motorolaForm ? "+MPBR" : "+CPBR";
    if (cmd.form == CommandForm::Test) {
        std::string range = std::to_string(r.first) + "-" + std::to_string(r.last);
        if (motorolaForm)
            return Ok({name + ": " + range + "," + std::to_string(s.numberLength) + "," +
                       std::to_string(s.nameLength) + ",10,0-21,48,(0-255),(0),(0-1),0"});
        return Ok({name + ": (" + range + ")," + std::to_string(s.numberLength) + "," +
                   std::to_string(s.nameLength)});
    }
    if (cmd.form != CommandForm::Set) return Error(s, CmeIncorrectParameters);
    auto range = ReadRange(s, cmd, r);
    if (!range) return Error(s, CmeInvalidIndex);
    // Some phones refuse a range longer than they like to send at once.
    if (motorolaForm && s.forms.maxRange > 0 && cmd.args.size() == 2 &&
        *ParseInt(cmd.args[1]) - *ParseInt(cmd.args[0]) + 1 > s.forms.maxRange)
        return Error(s, CmeUnknown);
    std::vector<std::string> lines;
    if (HoldsEntries(s.phonebookStorage)) {
        auto& book = s.contents.phonebook;
        for (auto it = book.lower_bound(range->first);
             it != book.end() && it->first <= range->second; ++it) {
            if (motorolaForm) {
                lines.push_back(EntryLine(s, it->first, it->second));
            } else {
                lines.push_back("+CPBR: " + std::to_string(it->first) + ",\"" + it->second.number +
                                "\"," + std::to_string(it->second.numberFormat) + ",\"" +
                                EncodeField(it->second.name, s.charset) + "\"");
            }
        }
    }
    return Ok(std::move(lines));
}

bool ValidNumber(const std::string& number, int format) {
    for (char c : number) {
        if (c == '"') return false;
        if (format == 128) continue;  // an e-mail address
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '*' && c != '#' &&
            c != 'p' && c != 'P' && c != 'w' && c != 'W')
            return false;
    }
    return true;
}

// Fields of AT+MPBW (and the first four of AT+CPBW), checked against the phone's rules.
Answer WriteEntry(PhoneState& s, const AtCommandLine& cmd, size_t maxFields) {
    if (cmd.form != CommandForm::Set || cmd.args.empty()) return Error(s, CmeIncorrectParameters);
    if (!HoldsEntries(s.phonebookStorage)) return Error(s, CmeNotAllowed);
    Range r = StorageRange(s, s.phonebookStorage);
    if (!r.present) return Error(s, CmeSimNotInserted);
    auto slot = ParseInt(cmd.args[0]);
    if (!slot || *slot < r.first || *slot > r.last) return Error(s, CmeInvalidIndex);
    if (cmd.args.size() > maxFields) return Error(s, CmeIncorrectParameters);
    if (cmd.args.size() == 1) {
        s.contents.phonebook.erase(*slot);
        Answer a = Ok();
        a.contentsChanged = true;
        return a;
    }
    const auto& f = cmd.args;
    PhonebookEntry e;
    if (IsSimSlot(s, *slot)) e.type = SimTypeCode(s);

    if (!IsQuoted(f[1])) return Error(s, CmeIncorrectParameters);
    e.number = Unquote(f[1]);
    e.numberFormat = !e.number.empty() && e.number[0] == '+' ? 145 : 129;

    // A numeric field: empty keeps the default; otherwise lo..hi.
    bool bad = false;
    auto num = [&](size_t i, int& field, int lo, int hi) {
        if (i >= f.size() || f[i].empty()) return;
        auto v = ParseInt(f[i]);
        if (!v || *v < lo || *v > hi)
            bad = true;
        else
            field = *v;
    };
    num(2, e.numberFormat, 128, 255);
    if (bad) return Error(s, CmeIncorrectParameters);
    if (static_cast<int>(e.number.size()) >
        (e.numberFormat == 128 ? 2 * s.numberLength : s.numberLength))
        return Error(s, CmeNumberTooLong);
    if (!ValidNumber(e.number, e.numberFormat)) return Error(s, CmeInvalidNumberChars);
    if (f.size() > 3) {
        auto name = DecodeField(Unquote(f[3]), s.charset);
        if (!name) return Error(s, CmeInvalidTextChars);
        if (static_cast<int>(TextLength(*name)) > s.nameLength) return Error(s, CmeTextTooLong);
        e.name = *name;
    }
    num(4, e.type, 0, 8);
    num(5, e.aux6, 0, 255);
    num(6, e.ids, 0, 255);
    num(7, e.aux8, 0, 255);
    num(8, e.aux9, 0, 255);
    num(9, e.category, 0, s.categoryCount);
    if (s.family == PhonebookFamily::ThirteenField && f.size() > 10 && !f[10].empty()) {
        auto icon = ParseInt(f[10]);
        if (!icon || !((*icon >= 0 && *icon <= 14) || *icon == 255))
            bad = true;
        else
            e.icon = *icon;
    } else {
        num(10, e.icon, 0, 255);
    }
    num(11, e.aux12, 0, 255);
    num(12, e.aux13, 0, 255);
    if (f.size() > 13) {
        auto picture = DecodeField(Unquote(f[13]), s.charset);
        if (!picture) return Error(s, CmeInvalidTextChars);
        e.picture = *picture;
    }
    num(14, e.aux15, 0, 255);
    num(15, e.aux16, 0, 255);
    if (bad) return Error(s, CmeIncorrectParameters);
    s.contents.phonebook[*slot] = e;
    Answer a = Ok();
    a.contentsChanged = true;
    return a;
}

size_t WriteFieldCount(PhonebookFamily family) {
    switch (family) {
        case PhonebookFamily::NineField:
            return 9;
        case PhonebookFamily::ThirteenField:
            return 13;
        default:
            return 16;
    }
}

Answer SelectStorage(PhoneState& s, const AtCommandLine& cmd) {
    switch (cmd.form) {
        case CommandForm::Test: {
            std::string list;
            for (const char* name : kListedStorages)
                list += std::string(list.empty() ? "" : ",") + "\"" + name + "\"";
            return Ok({"+CPBS: (" + list + ")"});
        }
        case CommandForm::Read: {
            Range r = StorageRange(s, s.phonebookStorage);
            int used = 0;
            if (HoldsEntries(s.phonebookStorage))
                for (const auto& [slot, e] : s.contents.phonebook)
                    used += slot >= r.first && slot <= r.last;
            return Ok({"+CPBS: \"" + s.phonebookStorage + "\"," + std::to_string(used) + "," +
                       std::to_string(r.last - r.first + 1)});
        }
        case CommandForm::Set: {
            if (s.forms.quotedArgs && !IsQuoted(cmd.argText)) return Error(s, CmeUnknown);
            std::string v = Unquote(cmd.argText);
            for (char& c : v) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (const char* name : kListedStorages)
                if (v == name) {
                    s.phonebookStorage = v;
                    return Ok();
                }
            return Error(s, CmeIncorrectParameters);
        }
        default:
            return Error(s, CmeIncorrectParameters);
    }
}

Answer ReadCategory(PhoneState& s, const AtCommandLine& cmd) {
    if (s.family == PhonebookFamily::NineField) return Error(s, CmeNotSupported);
    if (cmd.form == CommandForm::Test)
        return Ok({"+MPGR: (1-" + std::to_string(s.categoryCount) + "),16"});
    if (cmd.form != CommandForm::Set || cmd.args.size() != 1)
        return Error(s, CmeIncorrectParameters);
    auto n = ParseInt(cmd.args[0]);
    if (!n || *n < 1 || *n > s.categoryCount) return Error(s, CmeInvalidIndex);
    auto it = s.contents.categories.find(*n);
    if (it == s.contents.categories.end()) return Ok();
    return Ok({"+MPGR: " + std::to_string(*n) + "," + TextOnWire(s, it->second.name) + "," +
               std::to_string(it->second.ringtone)});
}

// AT+MPGW=n,name[,ringtone] writes a category; AT+MPGW=n removes it.
Answer WriteCategory(PhoneState& s, const AtCommandLine& cmd) {
    if (s.family == PhonebookFamily::NineField) return Error(s, CmeNotSupported);
    if (cmd.form != CommandForm::Set || cmd.args.empty() || cmd.args.size() > 3)
        return Error(s, CmeIncorrectParameters);
    auto n = ParseInt(cmd.args[0]);
    if (!n || *n < 1 || *n > s.categoryCount) return Error(s, CmeInvalidIndex);
    Answer a = Ok();
    a.contentsChanged = true;
    if (cmd.args.size() == 1) {
        s.contents.categories.erase(*n);
        return a;
    }
    auto name = DecodeField(Unquote(cmd.args[1]), s.charset);
    if (!name) return Error(s, CmeInvalidTextChars);
    if (TextLength(*name) > 16) return Error(s, CmeTextTooLong);
    PhonebookCategory c{*name, 0};
    if (cmd.args.size() == 3) {
        auto ring = ParseInt(cmd.args[2]);
        if (!ring || *ring < 0 || *ring > 255) return Error(s, CmeIncorrectParameters);
        c.ringtone = *ring;
    }
    s.contents.categories[*n] = c;
    return a;
}

}  // namespace

void RegisterPhonebookCommands(CommandTable& t) {
    t["+CPBS"] = SelectStorage;
    t["+MPBR"] = [](PhoneState& s, const AtCommandLine& cmd) { return ReadEntries(s, cmd, true); };
    t["+CPBR"] = [](PhoneState& s, const AtCommandLine& cmd) { return ReadEntries(s, cmd, false); };
    t["+MPBW"] = [](PhoneState& s, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Test) {
            Range r = StorageRange(s, s.phonebookStorage);
            return Ok({"+MPBW: " + std::to_string(r.first) + "-" + std::to_string(r.last) + "," +
                       std::to_string(s.numberLength) + "," + std::to_string(s.nameLength)});
        }
        return WriteEntry(s, cmd, WriteFieldCount(s.family));
    };
    t["+CPBW"] = [](PhoneState& s, const AtCommandLine& cmd) { return WriteEntry(s, cmd, 4); };
    t["+MPGR"] = ReadCategory;
    t["+MPGW"] = WriteCategory;
}

}  // namespace orlin::phonesim
