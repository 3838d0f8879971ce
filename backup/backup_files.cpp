#include "backup/backup_files.h"

#include <algorithm>
#include <ctime>
#include <map>
#include <set>
#include <system_error>

#include "datebook/ical/datebook_ical.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/system_errors.h"
#include "link/whole_file.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/vcard.h"

namespace orlin {

std::string StoppedText() {
    return Tr("Backup", "Остановлено.");
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kPhoneFile = "phone.txt";
constexpr const char* kEntriesLine = "Phonebook entries: ";
constexpr const char* kEventsLine = "Datebook events: ";

// The number after `key` at the start of a line of `text`.
std::optional<int> CountAfter(const std::string& text, const std::string& key) {
    size_t at = text.rfind("\n" + key);
    if (at != std::string::npos)
        ++at;
    else if (text.compare(0, key.size(), key) == 0)
        at = 0;
    else
        return std::nullopt;
    at += key.size();
    int value = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 7) {
        value = value * 10 + (text[at++] - '0');
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return value;
}

// The line (from 1) on which the k-th (from 0) VEVENT of an iCalendar text begins.
int EventLine(const std::string& text, size_t k) {
    size_t at = 0;
    for (size_t i = 0; i <= k; ++i) {
        at = text.find("BEGIN:VEVENT", i == 0 ? 0 : at + 1);
        if (at == std::string::npos) return 0;
    }
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')) +
           1;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

}  // namespace

namespace backup {

void StopWithin::check() {
    if (!inner_.keepRunning()) throw OrlinError(StoppedText());
}

void WriteChecked(const fs::path& folder, const std::string& name, const std::string& bytes) {
    const std::string path = Utf8FromPath(folder / PathFromUtf8(name));
    WriteWholeFile(path, bytes);
    if (ReadWholeFile(path, bytes.size() + 1) != bytes)
        throw EFileError(Tr("Backup", "прочитанное с диска не совпадает с записанным"), path);
}

std::string CountLines(int entries, int events) {
    return std::string(kEntriesLine) + std::to_string(entries) + "\r\n" + kEventsLine +
           std::to_string(events) + "\r\n";
}

std::string MissingText(const std::string& date, const std::string& failure,
                        const std::vector<std::string>& missing) {
    std::string text = "This backup (" + date + ") is not complete. It stopped with: " + failure +
                       "\r\nMissing:\r\n";
    for (const std::string& file : missing) text += "  " + file + "\r\n";
    return text;
}

WrittenCopy WritePhonebookFiles(const fs::path& folder, const PhonebookState& state,
                                const ItemIdentity* identity) {
    WrittenCopy copy;
    // Windows-1251 as ever, or UTF-8 behind a byte-order mark when an entry needs it: a
    // restore gives every name back.
    const FileText file =
        PhonebookFileText(state.abonents, state.ranges, FileEncoding::Cp1251OrUtf8);
    WriteChecked(folder, kPhonebookFile, file.bytes);
    WriteChecked(folder, "phonebook.vcf", VCardText(state, identity));
    copy.entries = file.lines;
    if (const Utf8Text note = SaveChangeNote(file); !note.empty()) copy.notes.push_back(note);
    return copy;
}

WrittenCopy WriteDatebookFile(const fs::path& folder, const std::vector<DatebookEvent>& events,
                              const ItemIdentity* identity) {
    WrittenCopy copy;
    const ICalExport exported = ExportICalendar(events, identity);
    WriteChecked(folder, kDatebookFile, exported.text);
    copy.events = exported.eventsWritten;
    if (const Utf8Text warning = ExportWarning(exported); !warning.empty())
        copy.notes.push_back(warning);
    return copy;
}

std::string NowText() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

std::string NowForName() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", std::localtime(&now));
    return text;
}

fs::path SavePhoneBeforeRestore(const fs::path& backupFolder, const PhonebookState& state,
                                const std::vector<DatebookEvent>& events) {
    std::error_code error;
    // "copy/" (as a shell completes it) names the folder copy as "copy" does.
    fs::path backupPath = fs::absolute(backupFolder, error).lexically_normal();
    if (!backupPath.has_filename()) backupPath = backupPath.parent_path();
    fs::path beside = backupPath.parent_path();
    if (error) beside = fs::current_path();
    // create_directory makes only a folder that was not there: two restores in one second
    // get two folders.
    const std::string base = "before-restore-" + NowForName();
    fs::path folder;
    for (int n = 1;; ++n) {
        folder = beside / (n == 1 ? base : base + "-" + std::to_string(n));
        if (fs::create_directory(folder, error)) break;
        if (error || n > 1000)
            throw EFileError(
                error ? ErrorCodeText(error) : Tr("Backup", "не удалось создать папку"),
                Utf8FromPath(folder));
    }
    const std::string date = NowText();
    const std::vector<std::string> files = {kPhoneFile, kPhonebookFile, "phonebook.vcf",
                                            kDatebookFile};
    WriteChecked(folder, kMissingFile, MissingText(date, "it was still being written", files));
    const WrittenCopy book = WritePhonebookFiles(folder, state);
    const WrittenCopy datebook = WriteDatebookFile(folder, events);
    WriteChecked(folder, kPhoneFile,
                 "Model: " + state.model + "\r\nSaved before a restore: " + date +
                     "\r\nMessages are not part of this copy: a restore does not change them.\r\n" +
                     CountLines(book.entries, datebook.events));
    // The copy is one only when the restore's own reader takes it.
    Interaction quiet;
    ReadBackupFolder(folder, quiet);
    if (!fs::remove(folder / kMissingFile, error) || error)
        throw EFileError(ErrorCodeText(error), Utf8FromPath(folder / kMissingFile));
    return folder;
}

}  // namespace backup

bool IsBackupFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kPhonebookFile, error);
}

std::optional<fs::path> NewestBackupIn(const fs::path& folder) {
    std::error_code error;
    std::optional<fs::path> newest;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("orlin-backup-", 0) != 0 || !IsBackupFolder(it->path())) continue;
        if (!newest || name > newest->filename().string()) newest = it->path();
    }
    return newest;
}

fs::path BackupFileLookedFor(const fs::path& folder) {
    return folder / kPhonebookFile;
}

BackupContents ReadBackupFolder(const fs::path& folder, Interaction& interaction) {
    BackupContents contents;
    contents.phonebookBytes = ReadPhonebookFile(Utf8FromPath(folder / kPhonebookFile), interaction);
    // Every line is checked before anything is sent; the slots are numbered as saved.
    const FileEntries entries = ParsePhonebookFile(contents.phonebookBytes, ModelFamily::Fields13,
                                                   IndexRanges{1, 0, 1, 0}, kPhonebookFile);
    if (entries.records.empty() && entries.otherLines > 0)
        throw OrlinError(std::string(kPhonebookFile) +
                         Tr("Backup",
                            ": в файле нет ни одной записи (строк PHONE и SIM): это не файл "
                            "справочника"));
    std::map<std::pair<int, int>, int> lineOfSlot;
    for (size_t i = 0; i < entries.records.size(); ++i) {
        const TAbonentInfo& r = entries.records[i];
        const auto [it, fresh] =
            lineOfSlot.emplace(std::make_pair(r.Storage, r.Index), entries.lineOf[i]);
        if (!fresh)
            throw OrlinError(LineLabel(kPhonebookFile, entries.lineOf[i]) +
                             Tr("Backup", "ячейка ") + std::to_string(r.Index) +
                             Tr("Backup", " уже была в строке ") + std::to_string(it->second));
    }
    contents.entries = static_cast<int>(entries.records.size());

    const std::string calendarPath = Utf8FromPath(folder / kDatebookFile);
    contents.calendar = ReadWholeFile(calendarPath, kMostICalendarBytes);
    std::vector<ImportedEvent> events;
    try {
        events = ParseICalendar(contents.calendar, 0);
    } catch (const OrlinError& e) {
        throw OrlinError(std::string(kDatebookFile) + ": " + e.what());
    }
    std::map<int, int> lineOfEvent;
    for (size_t i = 0; i < events.size(); ++i) {
        const int line = EventLine(contents.calendar, i);
        if (!events[i].writable)
            throw OrlinError(LineLabel(kDatebookFile, line) + Tr("Backup", "событие ") +
                             events[i].label + ": " + Joined(events[i].notes, "; "));
        if (events[i].slot < 0) continue;
        const auto [it, fresh] = lineOfEvent.emplace(events[i].slot, line);
        if (!fresh)
            throw OrlinError(LineLabel(kDatebookFile, line) + Tr("Backup", "ячейка ") +
                             std::to_string(events[i].slot) +
                             Tr("Backup", " уже была у события в строке ") +
                             std::to_string(it->second));
    }
    contents.events = static_cast<int>(events.size());

    // A backup of our own says how much it holds: a file cut short, or swapped for another,
    // does not pass for the whole.
    std::error_code error;
    if (fs::exists(folder / kPhoneFile, error)) {
        const std::string phone = ReadWholeFile(Utf8FromPath(folder / kPhoneFile), 1 << 16);
        contents.countedEntries = CountAfter(phone, kEntriesLine);
        contents.countedEvents = CountAfter(phone, kEventsLine);
        if (contents.countedEntries && *contents.countedEntries != contents.entries)
            throw OrlinError(std::string(kPhonebookFile) + Tr("Backup", ": записей в файле ") +
                             std::to_string(contents.entries) +
                             Tr("Backup", ", а в phone.txt сказано ") +
                             std::to_string(*contents.countedEntries));
        if (contents.countedEvents && *contents.countedEvents != contents.events)
            throw OrlinError(std::string(kDatebookFile) + Tr("Backup", ": событий в файле ") +
                             std::to_string(contents.events) +
                             Tr("Backup", ", а в phone.txt сказано ") +
                             std::to_string(*contents.countedEvents));
    }
    return contents;
}

}  // namespace orlin
