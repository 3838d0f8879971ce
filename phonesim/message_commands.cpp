// Message storages IM (inbox), OM (outgoing) and DM (drafts) with one index numbering
// across them, and the commands that list, read, store, send, delete and mark messages.
#include <cstdio>
#include <ctime>

#include "phonesim/at_engine.h"
#include "phonesim/phone_charset.h"

namespace orlin::phonesim {
namespace {

enum CmsCode {
    CmsNotAllowed = 302,
    CmsInvalidTextParameter = 305,
    CmsInvalidIndex = 321,
    CmsMemoryFull = 322,
};

std::optional<MessageStorage> StorageByName(const std::string& name) {
    if (name == "IM") return MessageStorage::IM;
    if (name == "OM") return MessageStorage::OM;
    if (name == "DM") return MessageStorage::DM;
    return std::nullopt;
}

int Used(const PhoneState& s, MessageStorage storage) {
    int n = 0;
    for (const auto& [index, m] : s.contents.messages) n += m.storage == storage;
    return n;
}

// Counts of the read storage (or of all, for MT), the write storage and the inbox.
std::string StorageCounts(const PhoneState& s) {
    int firstUsed = s.messageReadAll ? static_cast<int>(s.contents.messages.size())
                                     : Used(s, s.messageReadStorage);
    int firstTotal = s.messageReadAll ? 3 * s.messageCapacity : s.messageCapacity;
    auto n = [](int v) { return std::to_string(v); };
    return n(firstUsed) + "," + n(firstTotal) + "," + n(Used(s, s.messageWriteStorage)) + "," +
           n(s.messageCapacity) + "," + n(Used(s, MessageStorage::IM)) + "," + n(s.messageCapacity);
}

bool InReadStorage(const PhoneState& s, const Message& m) {
    return s.messageReadAll || m.storage == s.messageReadStorage;
}

Answer SelectStorages(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test)
        return Ok({"+CPMS: (\"IM\",\"OM\",\"DM\",\"MT\"),(\"OM\",\"DM\"),(\"IM\")"});
    if (cmd.form == CommandForm::Read) {
        std::string first = s.messageReadAll ? "MT" : StorageName(s.messageReadStorage);
        int firstUsed = s.messageReadAll ? static_cast<int>(s.contents.messages.size())
                                         : Used(s, s.messageReadStorage);
        int firstTotal = s.messageReadAll ? 3 * s.messageCapacity : s.messageCapacity;
        auto n = [](int v) { return std::to_string(v); };
        return Ok({"+CPMS: " + Quoted(first) + "," + n(firstUsed) + "," + n(firstTotal) + "," +
                   Quoted(StorageName(s.messageWriteStorage)) + "," +
                   n(Used(s, s.messageWriteStorage)) + "," + n(s.messageCapacity) + ",\"IM\"," +
                   n(Used(s, MessageStorage::IM)) + "," + n(s.messageCapacity)});
    }
    if (cmd.form != CommandForm::Set || cmd.args.empty() || cmd.args.size() > 3)
        return SmsError(s, CmsNotAllowed);
    std::string first = Unquote(cmd.args[0]);
    bool all = first == "MT";
    auto read = StorageByName(first);
    if (!all && !read) return SmsError(s, CmsNotAllowed);
    std::optional<MessageStorage> write;
    if (cmd.args.size() >= 2) {
        write = StorageByName(Unquote(cmd.args[1]));
        if (!write || *write == MessageStorage::IM) return SmsError(s, CmsNotAllowed);
    }
    if (cmd.args.size() == 3 && Unquote(cmd.args[2]) != "IM") return SmsError(s, CmsNotAllowed);
    s.messageReadAll = all;
    if (read) s.messageReadStorage = *read;
    if (write) s.messageWriteStorage = *write;
    return Ok({"+CPMS: " + StorageCounts(s)});
}

// "REC UNREAD", "+7911", "2006/12/26,09:05:07"; the forms of real phones on demand: no blank
// after the commas, an empty alpha field after the number, the number's type after the date.
std::string HeaderFields(const PhoneState& s, const Message& m) {
    const std::string comma = s.forms.tightHeaders ? "," : ", ";
    std::string line = Quoted(StatusName(m.status)) + comma + Quoted(m.number);
    if (s.forms.alphaField) line += ",";  // the empty alpha field
    if (m.storage == MessageStorage::IM) {
        line += comma + Quoted(m.dateTime);
        if (s.forms.fieldAfterDate)
            line += comma + (!m.number.empty() && m.number[0] == '+' ? "145" : "129");
    }
    return line;
}

// AT+MMGL="HEADER ONLY" lists every message of the read storage; a status instead of
// HEADER ONLY lists only the messages in that status.
Answer ListHeaders(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test)
        return Ok(
            {"+MMGL: (\"REC UNREAD\",\"REC READ\",\"STO UNSENT\",\"STO SENT\",\"ALL\",\"HEADER "
             "ONLY\")"});
    std::string filter = cmd.form == CommandForm::Set ? Unquote(cmd.argText) : "ALL";
    bool known = filter == "HEADER ONLY" || filter == "ALL";
    for (auto st : {MessageStatus::RecUnread, MessageStatus::RecRead, MessageStatus::StoUnsent,
                    MessageStatus::StoSent})
        known = known || filter == StatusName(st);
    if (!known) return SmsError(s, CmsNotAllowed);
    std::vector<std::string> lines;
    for (const auto& [index, m] : s.contents.messages) {
        if (!InReadStorage(s, m)) continue;
        if (filter != "HEADER ONLY" && filter != "ALL" && filter != StatusName(m.status)) continue;
        lines.push_back("+MMGL: " + std::to_string(index) + (s.forms.tightHeaders ? "," : ", ") +
                        HeaderFields(s, m));
    }
    return Ok(std::move(lines));
}

// AT+MMGR=n: the header, then the text straight after it (not framed), then OK.
Answer ReadMessage(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test) return Ok();
    auto index =
        cmd.form == CommandForm::Set && cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
    if (!index) return SmsError(s, CmsInvalidIndex);
    auto it = s.contents.messages.find(*index);
    if (it == s.contents.messages.end() || !InReadStorage(s, it->second))
        return SmsError(s, CmsInvalidIndex);
    Answer a;
    a.lines.push_back({"+MMGR: " + HeaderFields(s, it->second), true});
    a.lines.push_back({EncodeField(it->second.text, s.charset), false});
    a.lines.push_back({"OK", true});
    return a;
}

// The standard list, for the terminal: AT+CMGL="ALL" (or a status); reading marks read.
Answer ListStandard(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test)
        return Ok({"+CMGL: (\"REC UNREAD\",\"REC READ\",\"STO UNSENT\",\"STO SENT\",\"ALL\")"});
    std::string filter = cmd.form == CommandForm::Set ? Unquote(cmd.argText) : "REC UNREAD";
    bool known = filter == "ALL";
    for (auto st : {MessageStatus::RecUnread, MessageStatus::RecRead, MessageStatus::StoUnsent,
                    MessageStatus::StoSent})
        known = known || filter == StatusName(st);
    if (!known || (cmd.form == CommandForm::Set && cmd.argText.empty()))
        return SmsError(s, CmsNotAllowed);
    Answer a;
    bool changed = false;
    for (auto& [index, m] : s.contents.messages) {
        if (!InReadStorage(s, m) || (filter != "ALL" && filter != StatusName(m.status))) continue;
        std::string header = "+CMGL: " + std::to_string(index) + "," +
                             Quoted(StatusName(m.status)) + "," + Quoted(m.number) + ",";
        if (m.storage == MessageStorage::IM) header += "," + Quoted(m.dateTime);
        a.lines.push_back({header, true});
        a.lines.push_back({EncodeField(m.text, s.charset), false});
        if (m.status == MessageStatus::RecUnread) {
            m.status = MessageStatus::RecRead;
            changed = true;
        }
    }
    a.lines.push_back({"OK", true});
    a.contentsChanged = changed;
    return a;
}

// A message date as the standard text mode gives it: "yy/MM/dd,hh:mm:ss" and the zone, from
// the phone's own "2006/12/26,09:05:07" (months and days may come unpadded).
std::string StandardTimestamp(const std::string& dateTime, const std::string& zone) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(dateTime.c_str(), "%d/%d/%d,%d:%d:%d", &year, &month, &day, &hour, &minute,
                    &second) != 6)
        return dateTime;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d,%02d:%02d:%02d%s", year % 100, month, day, hour,
                  minute, second, zone.c_str());
    return buf;
}

// AT+CSDH: whether AT+CMGR shows the whole header in text mode.
Answer ShowHeaders(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Read)
        return Ok({"+CSDH: " + std::to_string(s.textModeHeaders ? 1 : 0)});
    if (cmd.form == CommandForm::Test) return Ok({"+CSDH: (0,1)"});
    if (cmd.form == CommandForm::Action) {
        s.textModeHeaders = false;
        return Ok();
    }
    if (cmd.args.size() != 1 || (cmd.args[0] != "0" && cmd.args[0] != "1"))
        return Error(s, CmeIncorrectParameters);
    s.textModeHeaders = cmd.args[0] == "1";
    return Ok();
}

// The standard AT+CMGR=n in text mode: the header (status, number, no name, and for a received
// message its time stamp; with AT+CSDH=1 the types, first octet, protocol, coding, centre and
// length too), then the text: in the character set when it is ASCII, else as UCS2 in
// hexadecimal. Reading a received message marks it read.
Answer ReadStandard(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test) return Ok();
    auto index =
        cmd.form == CommandForm::Set && cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
    if (!index) return SmsError(s, CmsInvalidIndex);
    auto it = s.contents.messages.find(*index);
    if (it == s.contents.messages.end() || !InReadStorage(s, it->second))
        return SmsError(s, CmsInvalidIndex);
    Message& m = it->second;
    const bool received = m.storage == MessageStorage::IM;
    const std::string numberType = !m.number.empty() && m.number[0] == '+' ? "145" : "129";
    // A text beyond ASCII travels in UCS2, and text mode then gives it in hexadecimal.
    const bool plain = IsAscii(m.text);
    const std::string text = plain ? EncodeField(m.text, s.charset) : Utf8ToUcs2Hex(m.text);
    std::string header = "+CMGR: " + Quoted(StatusName(m.status)) + "," + Quoted(m.number) + ",";
    if (received) header += "," + Quoted(StandardTimestamp(m.dateTime, s.clockZone));
    if (s.textModeHeaders) {
        const std::string coding = plain ? "0" : "8";
        // The length counts characters of the default alphabet, octets of UCS2.
        const size_t length = plain ? m.text.size() : 2 * TextLength(m.text);
        const std::string centre = ",\"+79168999100\",145," + std::to_string(length);
        header += received ? "," + numberType + ",4,0," + coding + centre
                           : "," + numberType + ",17,0," + coding + ",167" + centre;
    }
    Answer a;
    a.lines.push_back({header, true});
    a.lines.push_back({text, false});
    a.lines.push_back({"OK", true});
    if (m.status == MessageStatus::RecUnread) {
        m.status = MessageStatus::RecRead;
        a.contentsChanged = true;
    }
    return a;
}

Answer SendStored(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test) return Ok();
    auto index =
        cmd.form == CommandForm::Set && !cmd.args.empty() ? ParseInt(cmd.args[0]) : std::nullopt;
    if (!index || cmd.args.size() > 3) return SmsError(s, CmsInvalidIndex);
    auto it = s.contents.messages.find(*index);
    if (it == s.contents.messages.end()) return SmsError(s, CmsInvalidIndex);
    std::string to = cmd.args.size() >= 2 ? Unquote(cmd.args[1]) : it->second.number;
    if (to.empty()) return SmsError(s, CmsNotAllowed);  // nobody to send to
    Message& m = it->second;
    Answer a;
    if (m.storage != MessageStorage::IM) {
        // A sent message counts as sent and lives in the outgoing storage, keeping its index.
        m.storage = MessageStorage::OM;
        m.status = MessageStatus::StoSent;
        a.contentsChanged = true;
    }
    s.messageReference = (s.messageReference + 1) % 256;
    a.lines.push_back({"+CMSS: " + std::to_string(s.messageReference), true});
    a.lines.push_back({"OK", true});
    return a;
}

Answer Delete(PhoneState& s, const AtCommandLine& cmd) {
    if (cmd.form == CommandForm::Test)
        return Ok({"+CMGD: (1-" + std::to_string(3 * s.messageCapacity) + ")"});
    auto index =
        cmd.form == CommandForm::Set && !cmd.args.empty() ? ParseInt(cmd.args[0]) : std::nullopt;
    if (!index || cmd.args.size() > 2) return SmsError(s, CmsInvalidIndex);
    auto it = s.contents.messages.find(*index);
    if (it == s.contents.messages.end() || !InReadStorage(s, it->second))
        return SmsError(s, CmsInvalidIndex);
    s.contents.messages.erase(it);
    Answer a = Ok();
    a.contentsChanged = true;
    return a;
}

Answer MarkRead(PhoneState& s, const AtCommandLine& cmd) {
    auto index =
        cmd.form == CommandForm::Set && cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
    if (!index) return SmsError(s, CmsInvalidIndex);
    auto it = s.contents.messages.find(*index);
    if (it == s.contents.messages.end()) return SmsError(s, CmsInvalidIndex);
    Answer a = Ok();
    if (it->second.status == MessageStatus::RecUnread) {
        it->second.status = MessageStatus::RecRead;
        a.contentsChanged = true;
    }
    return a;
}

std::string PhoneDateTime(const PhoneState& s) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::time_t phone = static_cast<std::time_t>(timegm(&local) + s.clockOffsetSeconds);
    std::tm t{};
    gmtime_r(&phone, &t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d,%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

}  // namespace

std::optional<PendingMessage> ParseMessageWrite(PhoneState& s, const AtCommandLine& cmd,
                                                Answer& failure) {
    PendingMessage p;
    if (cmd.form == CommandForm::Set) {
        if (cmd.args.size() > 3 || !IsQuoted(cmd.args[0])) {
            failure = SmsError(s, CmsInvalidTextParameter);
            return std::nullopt;
        }
        p.number = Unquote(cmd.args[0]);
        p.numberFormat = !p.number.empty() && p.number[0] == '+' ? 145 : 129;
        if (cmd.args.size() >= 2) {
            auto f = ParseInt(cmd.args[1]);
            if (!f || *f < 128 || *f > 255) {
                failure = SmsError(s, CmsInvalidTextParameter);
                return std::nullopt;
            }
            p.numberFormat = *f;
        }
        if (cmd.args.size() == 3) {
            std::string st = Unquote(cmd.args[2]);
            if (st == "STO SENT")
                p.status = MessageStatus::StoSent;
            else if (st != "STO UNSENT") {
                failure = SmsError(s, CmsInvalidTextParameter);
                return std::nullopt;
            }
        }
        if (p.number.size() > 20) {
            failure = SmsError(s, CmsInvalidTextParameter);
            return std::nullopt;
        }
    }
    return p;
}

Answer StoreWrittenMessage(PhoneState& s, const PendingMessage& pending, const std::string& text) {
    auto decoded = DecodeField(text, s.charset);
    if (!decoded) return SmsError(s, CmsInvalidTextParameter);
    const bool plain = IsAscii(*decoded);
    // A message of one part: 160 characters of the default alphabet, or 70 in UCS2.
    if (TextLength(*decoded) > (plain ? 160u : 70u)) return SmsError(s, CmsInvalidTextParameter);
    MessageStorage storage = s.messageWriteStorage;
    if (Used(s, storage) >= s.messageCapacity) return SmsError(s, CmsMemoryFull);
    int index = 1;
    while (s.contents.messages.count(index)) ++index;
    if (index > 3 * s.messageCapacity) return SmsError(s, CmsMemoryFull);
    Message m;
    m.storage = storage;
    m.status = storage == MessageStorage::DM ? MessageStatus::StoUnsent : pending.status;
    m.number = pending.number;
    m.dateTime = PhoneDateTime(s);
    m.text = *decoded;
    s.contents.messages[index] = m;
    Answer a = Ok({"+CMGW: " + std::to_string(index)});
    a.contentsChanged = true;
    return a;
}

void RegisterMessageCommands(CommandTable& t) {
    t["+CPMS"] = SelectStorages;
    t["+MMGL"] = ListHeaders;
    t["+MMGR"] = ReadMessage;
    t["+CMGL"] = ListStandard;
    t["+CMGR"] = ReadStandard;
    t["+CSDH"] = ShowHeaders;
    t["+CMSS"] = SendStored;
    t["+CMGD"] = Delete;
    t["+MMAR"] = MarkRead;
}

}  // namespace orlin::phonesim
