#pragma once
// Which encoding a std::string holds, written where a value crosses from one layer to another.
//
// Inside the program every text a user reads or types (names, titles, message texts, the
// texts the cores word for a failure) is UTF-8: the phone's UCS2 is decoded straight into
// it, the window turns it into QString, the command line prints it, vCard, iCalendar, CSV and
// JSON carry it as they stand. Windows-1251 bytes exist only on the way into the few files
// whose format is Windows-1251 (the phonebook file the user saves, the message archive, the
// message export's text blocks, portcfg.ini) and on the way out of them.

#include <string>

namespace orlin {

// UTF-8 text. Any character the phone can hold (the Basic Multilingual Plane) and more.
using Utf8Text = std::string;

// Windows-1251 bytes: one byte per character, Cyrillic and ASCII only.
using Cp1251Bytes = std::string;

}  // namespace orlin
