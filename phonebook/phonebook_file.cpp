#include "phonebook/phonebook_file.h"

#include <algorithm>
#include <string_view>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/fill_in.h"
#include "link/language.h"
#include "link/slot_list.h"
#include "link/text_utils.h"
#include "link/whole_file.h"
#include "phonebook/code_tables.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phonebook_read.h"

namespace orlin {

namespace {

// The system's error code for a port that does not exist (ENOENT, ERROR_FILE_NOT_FOUND).
constexpr int32_t kNoSuchPort = 2;

// ";" cannot be written inside a field; "," stands in for it. A line break would end the
// line, and a control character would reach the phone's command line on loading: each
// becomes a blank.
std::string FileField(const std::string& text, bool& changed) {
    std::string out = text;
    for (char& c : out) {
        const auto code = static_cast<unsigned char>(c);
        if (c == ';') {
            c = ',';
            changed = true;
        } else if (code < 32 || code == 127) {
            c = ' ';
            changed = true;
        }
    }
    return out;
}

// Cuts the text up to the next ";" off the front of `rest`; without a ";" the field is
// empty and `rest` stays (so that the numeric fields after it fail to convert).
std::string TakeField(std::string& rest) {
    const size_t semicolon = rest.find(';');
    if (semicolon == std::string::npos) return {};
    std::string field = rest.substr(0, semicolon);
    rest.erase(0, semicolon + 1);
    return field;
}

uint8_t Low8(const std::string& field) {
    return static_cast<uint8_t>(StrToInt(field) & 0xFF);
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

std::string FirstField(const std::string& line) {
    return line.substr(0, line.find(';'));
}

// The slot number of a file line. A number no phone could hold (beyond the most slots any
// phone announces, either way) makes the line malformed, so that the slot arithmetic below
// stays far from the limits of an int.
int SlotNumberField(const std::string& field) {
    const int number = StrToInt(field);
    if (number < -kMostPhonebookSlots || number > kMostPhonebookSlots)
        throw EConvertError("'" + field + "' is not a valid slot number");
    return number;
}

TAbonentInfo ParsePhoneLine(std::string rest, const IndexRanges& ranges) {
    TAbonentInfo r;
    TakeField(rest);  // "PHONE"
    r.Storage = 0;
    r.Index = SlotNumberField(TakeField(rest)) - ranges.PhoneFirstIndex + 1;
    r.Name = TakeField(rest);
    r.Number = TakeField(rest);
    r.NumberType = Low8(TakeField(rest));
    r.Aux6 = Low8(TakeField(rest));
    r.Ids = StrToInt(TakeField(rest));
    r.Aux8 = Low8(TakeField(rest));
    r.Aux9 = Low8(TakeField(rest));
    r.Category = Low8(TakeField(rest));
    r.Icon = StrToInt(TakeField(rest));
    r.Aux12 = Low8(TakeField(rest));
    r.Aux13 = Low8(Trim(rest));
    r.NumberFormat = NumberFormatFor(r.Number, r.NumberType);
    return r;
}

TAbonentInfo ParseSimLine(std::string rest, ModelFamily family, const IndexRanges& ranges) {
    TAbonentInfo r;
    TakeField(rest);  // "SIM"
    r.Storage = 1;
    r.Index = SlotNumberField(TakeField(rest)) + ranges.SimFirstIndex - 1;
    r.Name = TakeField(rest);
    r.Number = rest;
    r.NumberType = HasCategories(family) ? 8 : 7;
    r.NumberFormat = NumberFormatFor(r.Number, r.NumberType);
    r.Ids = kFieldNone;
    r.Icon = 0;
    r.Aux12 = kFieldNone;
    return r;
}

}  // namespace

Utf8Text PhonebookFileBytes(const std::string& fileBytes, Interaction& interaction) {
    static const std::string kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = fileBytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
    const bool beyondAscii = std::any_of(fileBytes.begin(), fileBytes.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80;
    });
    if (!marked && !(beyondAscii && IsWellFormedUtf8(fileBytes))) return Cp1251ToUtf8(fileBytes);

    const std::string_view text =
        std::string_view(fileBytes).substr(marked ? kByteOrderMark.size() : 0);
    interaction.inform(Tr("PhonebookFile", "Файл прочитан как UTF-8."));
    return WellFormedUtf8(text);
}

Utf8Text ReadPhonebookFile(const std::string& path, Interaction& interaction) {
    return PhonebookFileBytes(ReadWholeFile(path, kMostPhonebookFileBytes), interaction);
}

FileText PhonebookFileText(const Abonents& abonents, const IndexRanges& ranges,
                           FileEncoding encoding) {
    FileText out;
    std::string text;  // UTF-8 lines
    bool beyondCp1251 = false;
    for (const TAbonentInfo& r : abonents) {
        if (r.IsFree()) continue;
        bool changed = false;
        const Utf8Text name = FileField(r.Name, changed);
        const Utf8Text number = FileField(r.Number, changed);
        std::string line;
        if (r.Storage == 0) {
            line = "PHONE;" + std::to_string(r.Index + ranges.PhoneFirstIndex - 1) + ";" + name +
                   ";" + number;
            for (long long v : {static_cast<long long>(r.NumberType),
                                static_cast<long long>(r.Aux6), static_cast<long long>(r.Ids),
                                static_cast<long long>(r.Aux8), static_cast<long long>(r.Aux9),
                                static_cast<long long>(r.Category), static_cast<long long>(r.Icon),
                                static_cast<long long>(r.Aux12), static_cast<long long>(r.Aux13)})
                line += ";" + std::to_string(v);
        } else {
            line = "SIM;" + std::to_string(r.Index - ranges.SimFirstIndex + 1) + ";" + name + ";" +
                   number;
        }
        if (!FitsCp1251(line)) {
            beyondCp1251 = true;
            if (encoding == FileEncoding::Cp1251) ++out.unencodableEntries;
        }
        text += line + "\r\n";
        ++out.lines;
        if (changed) {
            ++out.changedEntries;
            out.changedSlots.push_back(r.Index);
        }
    }
    if (beyondCp1251 && encoding == FileEncoding::Cp1251OrUtf8) {
        out.bytes = "\xEF\xBB\xBF" + text;
    } else {
        size_t replaced = 0;
        out.bytes = Utf8ToCp1251(text, replaced);
    }
    return out;
}

FileEntries ParsePhonebookFile(const Utf8Text& text, ModelFamily family, const IndexRanges& ranges,
                               const std::string& fileName) {
    FileEntries entries;
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!Trim(line).empty()) ++entries.otherLines;
        const std::string kind = FirstField(line);
        if (kind != "PHONE" && kind != "SIM") continue;
        --entries.otherLines;
        try {
            TAbonentInfo record =
                kind == "PHONE" ? ParsePhoneLine(line, ranges) : ParseSimLine(line, family, ranges);
            // The number goes into the command line as it stands.
            CheckCommandField(record.Number, Tr("PhonebookFile", "номер"));
            entries.records.push_back(std::move(record));
            entries.lineOf.push_back(static_cast<int>(i + 1));
            ++(kind == "PHONE" ? entries.phoneLines : entries.simLines);
        } catch (const OrlinError& e) {
            throw EConvertError(LineLabel(fileName, static_cast<int>(i + 1)) + e.what());
        }
    }
    return entries;
}

std::string LineLabel(const std::string& fileName, int line) {
    return (fileName.empty() ? std::string() : fileName + ", ") + Tr("PhonebookFile", "строка ") +
           std::to_string(line) + ": ";
}

std::string PrepareSave(PhoneSession& session, PhonebookState& state) {
    const std::string model = CutModelName(session.AtCommand("AT+CGMM"));
    if (HasCategories(state.LayoutOfModel(model)))
        ReadCategoryNames(session, "AT+MPGR=?", state.groupNames);
    return model;
}

Utf8Text SaveChangeNote(const FileText& text) {
    Utf8Text note;
    if (text.unencodableEntries > 0)
        note =
            FillIn(text.unencodableEntries % 10 == 1 && text.unencodableEntries % 100 != 11
                       ? Tr("PhonebookFile",
                            "В %1 записи есть буквы, которых нет в кодировке Windows-1251: они "
                            "сохранены как «?». Полностью их сохраняют vCard и резервная копия.")
                       : Tr("PhonebookFile",
                            "В %1 записях есть буквы, которых нет в кодировке Windows-1251: они "
                            "сохранены как «?». Полностью их сохраняют vCard и резервная копия."),
                   {std::to_string(text.unencodableEntries)});
    if (text.changedEntries == 0) return note;
    const std::string slots = SlotList(text.changedSlots);
    return note + (note.empty() ? "" : "\r\n") +
           FillIn(Tr("PhonebookFile",
                     "Файл не может хранить \";\", переводы строк и управляющие знаки: в именах и "
                     "номерах \";\" заменена на \",\", остальные на пробел. Изменено записей: %1 "
                     "(ячейки %2)."),
                  {std::to_string(text.changedEntries), slots});
}

std::string ContinueWritingQuestion(const std::string& timeoutText) {
    return timeoutText + "\r\n" + Tr("PhonebookFile", "Продолжить запись?");
}

LoadTarget PrepareLoad(const PortSettings& settings, Interaction& interaction,
                       bool settingsTimeout) {
    LoadTarget target;
    PhoneSession session(settings, PhoneSession::Options{false, settingsTimeout});
    TBlockSerial& port = session.port();
    if (!port.IsOpen()) {
        // Code 2, the system's "no such file": the port does not exist. Any other failure
        // (the port held by another program or by the clock display, no permission) says
        // what it is, as the port object would have raised it.
        if (port.LastError() != kNoSuchPort)
            throw ESynaSerError(port.LastError(), port.LastErrorDesc(), port.LastErrorDesc());
        interaction.inform(Tr("PhonebookFile", "не подключен"));
        target.connected = false;
        return target;
    }
    target.model = CutModelName(session.AtCommand("AT+CGMM"));
    target.family = FamilyOfModel(target.model);
    if (port.LastError() != 0)
        throw ESynaSerError(port.LastError(), port.LastErrorDesc(), port.LastErrorDesc());
    target.ranges = QueryIndexRanges(session);
    session.AtCommand("AT+CPBS=MT");
    if (target.family == ModelFamily::None)
        target.family = LayoutOfUnlistedModel(
            session, target.model,
            std::max(target.ranges.PhoneLastIndex, target.ranges.SimLastIndex), interaction);
    return target;
}

LoadReport WriteFileEntries(const PortSettings& settings, const std::vector<TAbonentInfo>& records,
                            ModelFamily family, Interaction& interaction,
                            const std::function<void(const TAbonentInfo&)>& onWritten) {
    LoadReport report;
    report.total = static_cast<int>(records.size());
    PhoneSession session(settings, PhoneSession::Options{false, true});
    TBlockSerial& port = session.port();
    session.AtCommand("AT+CPBS=MT");
    session.AtCommand("AT+CSCS=UCS2");
    interaction.progress(0, report.total);
    std::vector<int32_t> fileSlots;
    for (const TAbonentInfo& record : records) fileSlots.push_back(record.Index);
    if (family == ModelFamily::None) {
        report.LeaveUnsent(fileSlots);
        return report;
    }

    for (const TAbonentInfo& record : records) {
        const std::string command =
            record.Storage == 1 ? BuildShortMpbwCommand(record) : BuildMpbwCommand(family, record);
        const std::string answer = session.AtCommand(command);
        ++report.sent;
        const int32_t error = port.LastError();
        if (error == ErrTimeout) {
            report.Refuse(record.Index);
            if (!interaction.confirm(ContinueWritingQuestion(port.LastErrorDesc()))) {
                report.stopped = true;
                break;
            }
        } else if (error != 0) {
            report.unanswered = record.Index;
            report.failure = std::make_exception_ptr(
                ESynaSerError(error, port.LastErrorDesc(), port.LastErrorDesc()));
            break;
        } else if (!AnswerHasOk(answer)) {
            report.Refuse(record.Index);
        } else {
            report.done.push_back(record.Index);
        }
        if (onWritten) onWritten(record);
        interaction.progress(report.sent, report.total);
        interaction.processEvents();
        if (!interaction.keepRunning()) {
            report.stopped = true;
            break;
        }
    }
    report.LeaveUnsent(fileSlots);
    return report;
}

}  // namespace orlin
