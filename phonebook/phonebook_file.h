#pragma once
// The phonebook file: Windows-1251 text, one entry a line, fields separated by ";", lines
// ended by CR LF. (The backup's copy of it is UTF-8 with a byte-order mark when some entry
// needs a character Windows-1251 lacks.) A phone-memory entry is a PHONE line of 13 fields, a SIM
// entry a SIM line of 4; any other line (CATEGORY, empty) is skipped when reading.

#include <functional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"
#include "link/port_settings.h"
#include "phonebook/phonebook_state.h"

namespace orlin {

// How a phonebook file is written: the user's file keeps its Windows-1251 format, '?' for
// each character the code page lacks; the backup's copy turns to UTF-8 (with a byte-order
// mark) when some entry needs it, so that a restore gets every name back.
enum class FileEncoding { Cp1251, Cp1251OrUtf8 };

struct FileText {
    std::string bytes;  // Windows-1251, or UTF-8 behind a byte-order mark (see FileEncoding)
    int lines = 0;
    // Entries whose name or number held ";" (written as ",") or a control character, a line
    // break say (written as a blank): the format has no escape.
    int changedEntries = 0;
    std::vector<int32_t> changedSlots;  // their slots
    // Entries (FileEncoding::Cp1251 only) with characters Windows-1251 lacks, written as '?'.
    int unencodableEntries = 0;
};

// The file of the slot table. PHONE lines number their slot from the phone memory's first
// index (Index + PhoneFirstIndex - 1), SIM lines from the SIM's (Index - SimFirstIndex + 1).
FileText PhonebookFileText(const Abonents& abonents, const IndexRanges& ranges,
                           FileEncoding encoding = FileEncoding::Cp1251);

struct FileEntries {
    std::vector<TAbonentInfo> records;  // in file order
    std::vector<int> lineOf;            // the line (from 1) of each record
    int phoneLines = 0;
    int simLines = 0;
    int otherLines = 0;  // lines that are not empty and hold no entry
};

// The entries of a file, placed back into the slots they were saved from (the inverse of
// the numbering above). Raises EConvertError "<fileName>, строка N: <reason>" (without the
// name when it is empty) when a number field is not an integer, a slot number is out of
// reach, or a number holds what must not reach the phone's command line (a control
// character, a double quote, ";"); nothing of the file is returned then.
// `text` is what PhonebookFileBytes gives (UTF-8).
FileEntries ParsePhonebookFile(const Utf8Text& text, ModelFamily family, const IndexRanges& ranges,
                               const std::string& fileName = {});

// "<fileName>, строка N: ", without the name when it is empty.
std::string LineLabel(const std::string& fileName, int line);

// The text of a file to load, as the core reads it (UTF-8). A file that is well-formed UTF-8
// and holds characters beyond ASCII, or that starts with the UTF-8 byte-order mark, comes
// from an editor of today or from a backup: it is read as UTF-8 (a byte that starts no
// character becomes '?'), and interaction.inform says so once ("Файл прочитан как UTF-8.").
// Any other file is Windows-1251. The user's save always writes Windows-1251.
Utf8Text PhonebookFileBytes(const std::string& fileBytes, Interaction& interaction);

// The file at `path` (ReadWholeFile, EInOutError when it cannot be read) through
// PhonebookFileBytes: what ParsePhonebookFile takes.
Utf8Text ReadPhonebookFile(const std::string& path, Interaction& interaction);

// --- saving ---

// The save's own session: the model (cut from AT+CGMM) and, for the models with
// categories, the category names into state.groupNames. Returns the model.
std::string PrepareSave(PhoneSession& session, PhonebookState& state);

// The note after saving when names or numbers had to change (UTF-8), else empty: the
// characters Windows-1251 lacks (saved as "?"; vCard and the backup keep them), then ";", line
// breaks and control characters.
Utf8Text SaveChangeNote(const FileText& text);

// --- loading ---

struct LoadTarget {
    bool connected = true;  // false: the port could not be opened ("не подключен" was said)
    std::string model;
    ModelFamily family = ModelFamily::None;
    IndexRanges ranges;
};

// The first session of loading (port errors not raised): the model and the index ranges,
// then the combined storage. A port that does not exist is reported through
// interaction.inform("не подключен") (connected false); any other failure to open it (busy,
// no permission) and a phone that does not answer raise ESynaSerError with its own text.
// `settingsTimeout`: wait the configured time-out instead of the window's 1000 ms. For a model
// in no family the phone's own lines decide (LayoutOfUnlistedModel).
LoadTarget PrepareLoad(const PortSettings& settings, Interaction& interaction,
                       bool settingsTimeout = false);

// The question after a time-out while loading: the time-out text, CR LF, "Продолжить запись?".
std::string ContinueWritingQuestion(const std::string& timeoutText);

// What loading did, slot by slot as every write reports it: `done` the phone took; `refused`
// it refused or did not answer in time (the user chose to go on); `unanswered` the entry whose
// command met a port failure other than a time-out (kept in `failure`, which ended the loop);
// `unsent` the rest after a stop (the Stop button, or No after a time-out) or the failure.
struct LoadReport : SlotChange {
    int total = 0;  // entries in the file
    int sent = 0;   // commands sent, the unanswered one included
};

// The second session: writes every entry in file order with the family's layout (a SIM
// entry with the first four fields only). After a time-out the user is asked whether to go
// on; the Stop button (keepRunning() false) ends the loop. `onWritten` is told each entry
// sent. A model in no family sends nothing.
LoadReport WriteFileEntries(const PortSettings& settings, const std::vector<TAbonentInfo>& records,
                            ModelFamily family, Interaction& interaction,
                            const std::function<void(const TAbonentInfo&)>& onWritten = {});

}  // namespace orlin
