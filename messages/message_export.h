#pragma once
// The message export: the window's text blocks (Windows-1251) and, for the command line, CSV
// (RFC 4180, UTF-8 with a byte-order mark). Both are written with WriteWholeFile.

#include <string>
#include <vector>

#include "link/text_types.h"
#include "messages/message_rows.h"

namespace orlin {

// Thirteen lines a row in Windows-1251, each ended by CR LF: "Номер:", the number, an empty
// line, the type, an empty line, the status, an empty line, the date/time, an empty line,
// "Текст сообщения:", an empty line, the text and 39 asterisks. No rows: no bytes. A character
// Windows-1251 lacks becomes '?'; `changed` (when given) counts the messages that lost one.
Cp1251Bytes ExportBlocks(const std::vector<MessageRow>& rows, size_t* changed = nullptr);

// What the export says of the messages it changed: how many, and that the CSV table keeps
// every character. Empty for none.
Utf8Text BlocksChangedText(size_t changed);

// A byte-order mark, a header line, then one line a row (index, number, date/time, type, size,
// status, text); fields holding a comma, a quote or a line break are quoted with their quotes
// doubled, and line breaks stay inside them. Lines end in CR LF. Texts stay UTF-8. A field
// that starts with =, +, -, @, TAB or CR gets a "'" in front, so that a spreadsheet shows it
// as text instead of running it as a formula; a number that is only an optional "+" and
// digits (and "*", "#" after the first digit) stays as it is.
std::string ExportCsv(const std::vector<MessageRow>& rows);

// The same with a first column "Папка": `folders[i]` names the folder of rows[i].
std::string ExportCsvWithFolders(const std::vector<MessageRow>& rows,
                                 const std::vector<std::string>& folders);

// A row as one line for the command line: the seven fields tab-separated in UTF-8, line
// breaks and tabs inside a field as blanks, other control characters as "?" (no line end).
std::string TabSeparatedLine(const MessageRow& row);

}  // namespace orlin
