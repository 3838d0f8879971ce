#include "backup/whole_phone.h"

#include <functional>
#include <optional>
#include <system_error>

#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/whole_file.h"
#include "messages/message_archive.h"
#include "messages/message_export.h"
#include "messages/message_folders.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_write.h"
#include "phonebook/vcard.h"
#include "status/phone_info.h"

namespace orlin {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPhonebookFile = "phonebook.txt";
constexpr const char* kDatebookFile = "datebook.ics";

PhoneSession::Options QuickSession(const CopyPhone& phone) {
    return PhoneSession::Options{true, phone.settingsTimeout};
}

// The datebook waits the configured time-out: its lock and its slots are slow on a real phone.
constexpr PhoneSession::Options kDatebookSession{true, true};

// The whole phonebook and datebook, each over a session of its own.
PhonebookState WholePhonebook(const CopyPhone& phone, Interaction& interaction) {
    PhoneSession session(phone.settings, QuickSession(phone));
    return ReadWholePhonebook(session, interaction);
}

DatebookRead WholeDatebook(const CopyPhone& phone, Interaction& interaction) {
    PhoneSession session(phone.settings, kDatebookSession);
    DatebookReadOptions options;
    options.quick = phone.quickDatebook;
    return ReadWholeDatebook(session, interaction, options);
}

// Tells the front end that `stage` begins and lets it react to its Stop button; false when
// the user asked to stop.
bool Begin(CopyInteraction& interaction, CopyStage stage) {
    interaction.stage(stage);
    interaction.processEvents();
    return interaction.keepRunning();
}

void BeginOrRaise(CopyInteraction& interaction, CopyStage stage) {
    if (!Begin(interaction, stage)) throw OrlinError(StoppedText());
}

bool PrepareFolder(const fs::path& folder, BackupReport& report) {
    std::error_code error;
    if (fs::exists(folder, error) &&
        !(fs::is_directory(folder, error) && fs::is_empty(folder, error))) {
        report.folder = BackupFolder::NotEmpty;
        return false;
    }
    fs::create_directories(folder, error);
    if (error) {
        report.folder = BackupFolder::NotCreated;
        report.folderError = error.message();
        return false;
    }
    return true;
}

struct BackupStep {
    std::vector<std::string> files;  // what it writes
    std::function<void()> run;
};

}  // namespace

std::string StoppedText() {
    return Utf8ToCp1251("Остановлено.");
}

BackupReport BackUpWholePhone(const CopyPhone& phone, const fs::path& folder,
                              const std::string& date, CopyInteraction& interaction) {
    BackupReport report;
    if (!PrepareFolder(folder, report)) return report;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        WriteWholeFile(Utf8FromPath(folder / name), bytes);
    };
    const PortSettings& settings = phone.settings;

    const std::vector<BackupStep> steps = {
        {{"phone.txt"},
         [&] {
             BeginOrRaise(interaction, CopyStage::PhoneInfo);
             const auto ask = [&](const char* command) {
                 return AskInfo(settings, command, QuickSession(phone));
             };
             // Asked in the order of the file.
             std::string text = "Manufacturer: " + ParseManufacturer(ask(kManufacturerCommand));
             text += "\r\nModel: " + ParseModel(ask(kModelCommand)).model;
             text += "\r\nFirmware: " + ParseFirmware(ask(kFirmwareCommand));
             text += "\r\nSerial number: " + ParseImei(ask(kImeiCommand));
             text += "\r\nBackup date: " + date + "\r\n";
             write("phone.txt", Cp1251ToUtf8(text));
         }},
        {{kPhonebookFile, "phonebook.vcf"},
         [&] {
             BeginOrRaise(interaction, CopyStage::Phonebook);
             PhonebookState state = WholePhonebook(phone, interaction);
             {
                 PhoneSession session(settings, QuickSession(phone));
                 PrepareSave(session, state);
             }
             const FileText file = PhonebookFileText(state.abonents, state.ranges);
             write(kPhonebookFile, file.bytes);
             write("phonebook.vcf", VCardText(state));
             if (const std::string note = SaveChangeNote(file); !note.empty())
                 report.notes.push_back(note);
         }},
        {{kDatebookFile},
         [&] {
             BeginOrRaise(interaction, CopyStage::Datebook);
             const ICalExport exported = ExportICalendar(WholeDatebook(phone, interaction).events);
             write(kDatebookFile, exported.text);
             if (const std::string warning = ExportWarning(exported); !warning.empty())
                 report.notes.push_back(warning);
         }},
        {{"messages.csv"},
         [&] {
             std::vector<MessageRow> rows;
             std::vector<std::string> folders;
             const struct {
                 MessageFolder folder;
                 CopyStage stage;
                 const char* name;
             } all[] = {{MessageFolder::Inbox, CopyStage::Inbox, "inbox"},
                        {MessageFolder::Outgoing, CopyStage::Outgoing, "outgoing"},
                        {MessageFolder::Sent, CopyStage::Sent, "sent"},
                        {MessageFolder::Drafts, CopyStage::Drafts, "drafts"}};
             for (const auto& [folder, stage, name] : all) {
                 BeginOrRaise(interaction, stage);
                 const FolderReport read = ReadMessageFolder(settings, folder, interaction);
                 if (read.failure != FolderFailure::None)
                     throw OrlinError(FailureText(read.failure));
                 if (!read.unreadable.empty()) throw OrlinError(UnreadableText(read));
                 rows.insert(rows.end(), read.rows.begin(), read.rows.end());
                 folders.resize(rows.size(), name);
             }
             write("messages.csv", ExportCsvWithFolders(rows, folders));
         }},
        {{"the message archive (sms_<phone id>.txt)"},
         [&] {
             BeginOrRaise(interaction, CopyStage::Archive);
             const std::optional<std::string> id = ReadPhoneId(settings);
             if (!id) throw OrlinError(PhoneIdWarning());
             // The inbox read above brought the archive up to date.
             const std::string name = ArchiveFileName(*id);
             const std::string path = ArchivePath(*id);
             std::error_code error;
             write(name,
                   fs::exists(PathFromUtf8(path), error) ? ReadWholeFile(path) : std::string());
         }},
    };

    size_t done = 0;
    for (; done < steps.size(); ++done) {
        try {
            steps[done].run();
        } catch (const OrlinError& e) {
            report.failure = e.what();
            break;
        }
    }
    if (done == steps.size()) {
        report.complete = true;
        return report;
    }
    for (size_t i = done; i < steps.size(); ++i)
        report.missing.insert(report.missing.end(), steps[i].files.begin(), steps[i].files.end());
    report.missingText = "This backup (" + date +
                         ") is not complete. It stopped with: " + Cp1251ToUtf8(report.failure) +
                         "\r\nMissing:\r\n";
    for (const std::string& file : report.missing) report.missingText += "  " + file + "\r\n";
    try {
        write(kMissingFile, report.missingText);
    } catch (const OrlinError& e) {
        report.missingError = e.what();
    }
    return report;
}

RestoreReport RestoreWholePhone(const CopyPhone& phone, const fs::path& folder,
                                CopyInteraction& interaction) {
    // Both files are read before the phone is asked anything; a file that is no iCalendar
    // stops here.
    const std::string phonebookBytes =
        ReadPhonebookFile(Utf8FromPath(folder / kPhonebookFile), interaction);
    const std::string calendar = ReadWholeFile(Utf8FromPath(folder / kDatebookFile));
    ParseICalendar(calendar, 0);

    BeginOrRaise(interaction, CopyStage::ReadPhonebook);
    PhonebookState state = WholePhonebook(phone, interaction);
    BeginOrRaise(interaction, CopyStage::ReadDatebook);
    DatebookRead read = WholeDatebook(phone, interaction);

    RestoreReport report;
    if (state.OccupiedCount() > 0 || !read.events.empty()) {
        if (!interaction.confirmReplace(state.OccupiedCount(),
                                        static_cast<int>(read.events.size()))) {
            report.outcome = RestoreOutcome::Declined;
            return report;
        }
        PhoneSession session(phone.settings, kDatebookSession);
        std::vector<std::string> captions;
        for (const TAbonentInfo& record : state.abonents)
            if (!record.IsFree()) captions.push_back(std::to_string(record.Index));
        DeleteReport deleted;
        DeleteEntries(session, state, captions, deleted);
        std::vector<int> slots;
        for (const DatebookEvent& event : read.events) slots.push_back(event.slot);
        EventsDeleted eventsDeleted;
        DeleteEvents(session, slots, eventsDeleted);
        for (int slot : eventsDeleted.deleted) read.slotUsed[static_cast<size_t>(slot)] = 0;
        if (deleted.accessRefused || !deleted.refused.empty() || !eventsDeleted.refused.empty()) {
            report.outcome = RestoreOutcome::NotAllDeleted;
            return report;
        }
    }

    // From here on the phone has changed: a Stop ends the restore with a report.
    if (!Begin(interaction, CopyStage::WritePhonebook)) {
        report.outcome = RestoreOutcome::Stopped;
        return report;
    }
    const LoadTarget target = PrepareLoad(phone.settings, interaction, phone.settingsTimeout);
    if (!target.connected) {
        report.outcome = RestoreOutcome::NotConnected;
        return report;
    }
    const FileEntries entries = ParsePhonebookFile(phonebookBytes, target.family, target.ranges);
    const LoadReport loaded =
        WriteFileEntries(phone.settings, entries.records, target.family, interaction);
    report.entries = loaded.total;
    report.entriesTaken = loaded.sent - static_cast<int>(loaded.refused.size());
    report.portError = loaded.portError;

    const std::vector<ImportedEvent> events = ParseICalendar(calendar, read.titleLength);
    report.events = static_cast<int>(events.size());
    if (!Begin(interaction, CopyStage::WriteDatebook)) {
        report.outcome = RestoreOutcome::Stopped;
        return report;
    }
    DraftsWritten written;
    {
        PhoneSession session(phone.settings, kDatebookSession);
        WriteDrafts(session, WritableDrafts(events), read.slotUsed, interaction, written);
    }
    for (size_t i = 0; i < written.slotOf.size(); ++i) report.eventsTaken += written.taken(i);
    report.eventsWarning = ImportWarning(events, written);
    return report;
}

}  // namespace orlin
