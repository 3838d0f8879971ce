#include "phonesim/state_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "link/errors.h"
#include "link/whole_file.h"
#include "phonesim/phone_charset.h"

namespace orlin::phonesim {
namespace {

std::string Escape(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\\' && i + 1 < utf8.size()) {
            char n = utf8[++i];
            out += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        out.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return out;
}

class LineReader {
public:
    LineReader(std::vector<std::string> fields, int lineNo)
        : f_(std::move(fields)), line_(lineNo) {}
    size_t size() const { return f_.size(); }
    void expect(size_t n) const {
        if (f_.size() != n)
            fail("expected " + std::to_string(n) + " fields, found " + std::to_string(f_.size()));
    }
    std::string text(size_t i) const { return Unescape(f_[i]); }
    std::string raw(size_t i) const { return f_[i]; }
    int number(size_t i) const {
        const std::string& s = f_[i];
        size_t pos = 0;
        int v = 0;
        try {
            v = std::stoi(s, &pos);
        } catch (const std::exception&) {
            pos = std::string::npos;
        }
        if (s.empty() || pos != s.size()) fail("'" + s + "' is not a number");
        return v;
    }
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error("state file, line " + std::to_string(line_) + ": " + why);
    }

private:
    std::vector<std::string> f_;
    int line_;
};

MessageStorage StorageFrom(const LineReader& r, size_t i) {
    std::string v = r.raw(i);
    if (v == "IM") return MessageStorage::IM;
    if (v == "OM") return MessageStorage::OM;
    if (v == "DM") return MessageStorage::DM;
    r.fail("unknown message storage '" + v + "'");
}

MessageStatus StatusFrom(const LineReader& r, size_t i) {
    std::string v = r.raw(i);
    for (auto st : {MessageStatus::RecUnread, MessageStatus::RecRead, MessageStatus::StoUnsent,
                    MessageStatus::StoSent})
        if (v == StatusName(st)) return st;
    r.fail("unknown message status '" + v + "'");
}

}  // namespace

std::string FormatStateText(const PhoneContents& c) {
    std::ostringstream out;
    out << "# orlin-phonesim state: UTF-8, one record a line, fields separated by tabs\n";
    out << "autodelete\t" << c.autoDeleteWeeks << "\n";
    for (const auto& [n, g] : c.categories)
        out << "category\t" << n << "\t" << Escape(g.name) << "\t" << g.ringtone << "\n";
    for (const auto& [slot, e] : c.phonebook) {
        out << "contact\t" << slot << "\t" << Escape(e.number) << "\t" << e.numberFormat << "\t"
            << Escape(e.name) << "\t" << e.type << "\t" << e.aux6 << "\t" << e.ids << "\t" << e.aux8
            << "\t" << e.aux9 << "\t" << e.category << "\t" << e.icon << "\t" << e.aux12 << "\t"
            << e.aux13 << "\t" << Escape(e.picture) << "\t" << e.aux15 << "\t" << e.aux16 << "\n";
    }
    for (const auto& [slot, e] : c.events) {
        std::string ex;
        for (int x : e.exceptions) ex += (ex.empty() ? "" : ",") + std::to_string(x);
        out << "event\t" << slot << "\t" << Escape(e.title) << "\t" << e.firstFlag << "\t"
            << e.alarmOn << "\t" << e.startTime << "\t" << e.startDate << "\t" << e.duration << "\t"
            << e.alarmTime << "\t" << e.alarmDate << "\t" << e.repeat << "\t" << ex << "\n";
    }
    for (const auto& [index, m] : c.messages) {
        out << "message\t" << index << "\t" << StorageName(m.storage) << "\t"
            << StatusName(m.status) << "\t" << Escape(m.number) << "\t" << Escape(m.dateTime)
            << "\t" << Escape(m.text) << "\n";
    }
    return out.str();
}

PhoneContents ParseStateText(const std::string& text) {
    PhoneContents c;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        LineReader r(SplitTabs(line), lineNo);
        std::string kind = r.raw(0);
        if (kind == "autodelete") {
            r.expect(2);
            c.autoDeleteWeeks = r.number(1);
        } else if (kind == "category") {
            r.expect(4);
            c.categories[r.number(1)] = {r.text(2), r.number(3)};
        } else if (kind == "contact") {
            r.expect(17);
            PhonebookEntry e;
            e.number = r.text(2);
            e.numberFormat = r.number(3);
            e.name = r.text(4);
            e.type = r.number(5);
            e.aux6 = r.number(6);
            e.ids = r.number(7);
            e.aux8 = r.number(8);
            e.aux9 = r.number(9);
            e.category = r.number(10);
            e.icon = r.number(11);
            e.aux12 = r.number(12);
            e.aux13 = r.number(13);
            e.picture = r.text(14);
            e.aux15 = r.number(15);
            e.aux16 = r.number(16);
            c.phonebook[r.number(1)] = e;
        } else if (kind == "event") {
            r.expect(12);
            DatebookEvent e;
            e.title = r.text(2);
            e.firstFlag = r.number(3);
            e.alarmOn = r.number(4);
            e.startTime = r.raw(5);
            e.startDate = r.raw(6);
            e.duration = r.number(7);
            e.alarmTime = r.raw(8);
            e.alarmDate = r.raw(9);
            e.repeat = r.number(10);
            std::string ex = r.raw(11);
            for (size_t start = 0; start < ex.size();) {
                size_t comma = ex.find(',', start);
                std::string part = ex.substr(
                    start, comma == std::string::npos ? std::string::npos : comma - start);
                LineReader one({part}, lineNo);
                e.exceptions.push_back(one.number(0));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            c.events[r.number(1)] = e;
        } else if (kind == "message") {
            r.expect(7);
            Message m;
            m.storage = StorageFrom(r, 2);
            m.status = StatusFrom(r, 3);
            m.number = r.text(4);
            m.dateTime = r.text(5);
            m.text = r.text(6);
            c.messages[r.number(1)] = m;
        } else {
            r.fail("unknown record '" + kind + "'");
        }
    }
    return c;
}

bool LoadStateFile(const std::string& path, PhoneContents& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return false;
        throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    contents = ParseStateText(text.str());
    return true;
}

void SaveStateFile(const std::string& path, const PhoneContents& contents) {
    try {
        WriteWholeFile(path, FormatStateText(contents));
    } catch (const EInOutError& error) {
        throw std::runtime_error("cannot write " + path + ": " + error.what());
    }
}

}  // namespace orlin::phonesim
