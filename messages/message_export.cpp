#include "messages/message_export.h"

#include "link/cp1251.h"

namespace orlin {

namespace {

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Flat(const std::string& cp1251) {
    std::string text;
    for (size_t i = 0; i < cp1251.size(); ++i) {
        const char c = cp1251[i];
        if (c == '\r' && i + 1 < cp1251.size() && cp1251[i + 1] == '\n') ++i;
        text += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    }
    return Cp1251ToUtf8(text);
}

std::vector<std::string> Fields(const MessageRow& row) {
    return {row.index,      row.number, row.dateTime, row.typeText, std::to_string(row.size()),
            row.statusText, row.text};
}

}  // namespace

std::string ExportBlocks(const std::vector<MessageRow>& rows) {
    const std::string numberHead = Utf8ToCp1251("Номер:");
    const std::string textHead = Utf8ToCp1251("Текст сообщения:");
    const std::string stars(39, '*');
    std::string bytes;
    for (const MessageRow& row : rows) {
        const std::string lines[] = {numberHead, row.number,   "", row.typeText, "", row.statusText,
                                     "",         row.dateTime, "", textHead,     "", row.text,
                                     stars};
        for (const std::string& line : lines) bytes += line + "\r\n";
    }
    return bytes;
}

namespace {

std::string Csv(const std::vector<MessageRow>& rows, const std::vector<std::string>* folders) {
    std::string bytes = folders ? "\xEF\xBB\xBFПапка,#,Номер,Дата/Время,Тип,Размер,Статус,Текст\r\n"
                                : "\xEF\xBB\xBF#,Номер,Дата/Время,Тип,Размер,Статус,Текст\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string line;
        if (folders) line = CsvField(i < folders->size() ? (*folders)[i] : std::string()) + ",";
        for (const std::string& field : Fields(rows[i]))
            line += CsvField(Cp1251ToUtf8(field)) + ",";
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
