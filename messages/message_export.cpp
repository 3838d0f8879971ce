#include "messages/message_export.h"

#include "link/cp1251.h"
#include "link/language.h"
#include "link/plural.h"

namespace orlin {

namespace {

// A plain phone number: an optional "+" and digits (with the "*" and "#" of service codes).
// A spreadsheet reads it as a number at worst, never as a formula, so it stays as it is.
bool PlainNumber(const std::string& text) {
    const size_t first = !text.empty() && text[0] == '+' ? 1 : 0;
    return text.size() > first &&
           text.find_first_not_of("0123456789*#", first) == std::string::npos &&
           text[first] != '*' && text[first] != '#';
}

// A field a spreadsheet would take for a formula (it starts with =, +, -, @, TAB or CR) gets
// an apostrophe in front, which the spreadsheet shows as text.
std::string Guarded(const std::string& utf8) {
    // Dashes alone (the date of a stored message) have nothing to compute.
    if (utf8.find_first_not_of('-') == std::string::npos) return utf8;
    if (std::string("=+-@\t\r").find(utf8[0]) != std::string::npos) return "'" + utf8;
    return utf8;
}

std::string CsvField(const std::string& raw, bool numberColumn = false) {
    const std::string utf8 = numberColumn && PlainNumber(raw) ? raw : Guarded(raw);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// One line on a terminal: line breaks and tabs as blanks, any other control character (an
// escape sequence's ESC) as "?".
std::string Flat(const Utf8Text& utf8) {
    std::string text;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto code = static_cast<unsigned char>(c);
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        text += c == '\r' || c == '\n' || c == '\t' ? ' ' : code < 32 || code == 127 ? '?' : c;
    }
    return text;
}

std::vector<std::string> Fields(const MessageRow& row) {
    return {row.index,      row.number, row.dateTime, row.typeText, std::to_string(row.size()),
            row.statusText, row.text};
}

}  // namespace

Cp1251Bytes ExportBlocks(const std::vector<MessageRow>& rows, size_t* changed) {
    const std::string stars(39, '*');
    std::string bytes;
    size_t lossy = 0;
    for (const MessageRow& row : rows) {
        const Utf8Text lines[] = {Tr("MessageExport", "Номер:"),
                                  row.number,
                                  "",
                                  row.typeText,
                                  "",
                                  row.statusText,
                                  "",
                                  row.dateTime,
                                  "",
                                  Tr("MessageExport", "Текст сообщения:"),
                                  "",
                                  row.text,
                                  stars};
        size_t replaced = 0;
        for (const Utf8Text& line : lines) bytes += Utf8ToCp1251(line, replaced) + "\r\n";
        if (replaced > 0) ++lossy;
    }
    if (changed) *changed = lossy;
    return bytes;
}

Utf8Text BlocksChangedText(size_t changed) {
    if (changed == 0) return {};
    return Tr("MessageExport", "Кодировка Windows-1251 не вмещает все символы: в ") +
           CountedText(static_cast<long long>(changed), "MessageExport",
                       ORLIN_TRANSLATE_NOOP("MessageExport", "сообщении"),
                       ORLIN_TRANSLATE_NOOP("MessageExport", "сообщениях"),
                       ORLIN_TRANSLATE_NOOP("MessageExport", "сообщениях")) +
           Tr("MessageExport", " они заменены на «?». Таблица CSV (UTF-8) сохраняет все символы.");
}

namespace {

std::string Csv(const std::vector<MessageRow>& rows, const std::vector<std::string>* folders) {
    std::string bytes =
        std::string("\xEF\xBB\xBF") +
        (folders ? Tr("MessageExport", "Папка,#,Номер,Дата/Время,Тип,Размер,Статус,Текст")
                 : Tr("MessageExport", "#,Номер,Дата/Время,Тип,Размер,Статус,Текст")) +
        "\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string line;
        if (folders) line = CsvField(i < folders->size() ? (*folders)[i] : std::string()) + ",";
        const std::vector<std::string> fields = Fields(rows[i]);
        for (size_t f = 0; f < fields.size(); ++f) line += CsvField(fields[f], f == 1) + ",";
        line.back() = '\r';
        bytes += line + "\n";
    }
    return bytes;
}

}  // namespace

std::string ExportCsv(const std::vector<MessageRow>& rows) {
    return Csv(rows, nullptr);
}

std::string ExportCsvWithFolders(const std::vector<MessageRow>& rows,
                                 const std::vector<std::string>& folders) {
    return Csv(rows, &folders);
}

std::string TabSeparatedLine(const MessageRow& row) {
    std::string line;
    bool first = true;
    for (const std::string& field : Fields(row)) {
        if (!first) line += '\t';
        line += Flat(field);
        first = false;
    }
    return line;
}

}  // namespace orlin
