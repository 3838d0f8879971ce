#include "backup/whole_phone.h"

#include <functional>
#include <memory>
#include <optional>
#include <system_error>

#include "backup/backup_files.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_skipped.h"
#include "link/answers.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/system_errors.h"
#include "link/whole_file.h"
#include "messages/message_archive.h"
#include "messages/message_export.h"
#include "messages/message_folders.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "status/phone_info.h"
#include "status/phone_key.h"

namespace orlin {

namespace {

namespace fs = std::filesystem;
using backup::StopWithin;

PhoneSession::Options QuickSession(const CopyPhone& phone) {
    return PhoneSession::Options{true, phone.settingsTimeout};
}

// The datebook waits the configured time-out: its lock and its slots are slow on a real phone.
constexpr PhoneSession::Options kDatebookSession{true, true};
constexpr PhoneSession::Options kMessagesSession{true, true};

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
        report.folderError = ErrorCodeText(error);
        return false;
    }
    return true;
}

// The text of a failure, with the file it is about when there is one: "sms_789012.txt: На
// месте файла находится папка".
std::string WithFileName(const OrlinError& e) {
    if (const auto* file = dynamic_cast<const EFileError*>(&e); file && !file->path().empty())
        return file->path() + ": " + e.what();
    return e.what();
}

struct BackupStep {
    std::vector<std::string> files;  // what it writes
    std::function<void()> run;
};

}  // namespace

BackupReport BackUpWholePhone(const CopyPhone& phone, const fs::path& folder,
                              const std::string& date, CopyInteraction& interaction) {
    BackupReport report;
    if (!PrepareFolder(folder, report)) return report;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        backup::WriteChecked(folder, name, bytes);
    };
    const PortSettings& settings = phone.settings;
    StopWithin stoppable(interaction);
    std::string phoneText;  // phone.txt, which gets the counts last
    int entries = 0, events = 0;
    // The identity of the phone's cards and events, from the serial number phone.txt asks.
    std::unique_ptr<ExportIdentity> identity;

    const std::vector<BackupStep> steps = {
        {{"phone.txt"},
         [&] {
             BeginOrRaise(interaction, CopyStage::PhoneInfo);
             PhoneSession session(settings, QuickSession(phone));
             const auto ask = [&](const char* command) {
                 const std::string answer = AskInfo(session, command);
                 stoppable.processEvents();
                 return answer;
             };
             // Asked in the order of the file.
             std::string text = "Manufacturer: " + ParseManufacturer(ask(kManufacturerCommand));
             text += "\r\nModel: " + ParseModel(ask(kModelCommand)).model;
             text += "\r\nFirmware: " + ParseFirmware(ask(kFirmwareCommand));
             const std::string serial = ask(kImeiCommand);
             identity = std::make_unique<ExportIdentity>(PhoneKeyOfAnswer(serial).key);
             text += "\r\nSerial number: " + ParseImei(serial);
             text += "\r\nBackup date: " + date + "\r\n";
             phoneText = AnswerText(text);
             write("phone.txt", phoneText);
         }},
        {{kPhonebookFile, "phonebook.vcf"},
         [&] {
             BeginOrRaise(interaction, CopyStage::Phonebook);
             PhonebookState state;
             {
                 PhoneSession session(settings, QuickSession(phone));
                 state = ReadWholePhonebook(session, stoppable);
                 PrepareSave(session, state);
             }
             const backup::WrittenCopy copy =
                 backup::WritePhonebookFiles(folder, state, &identity->identity());
             identity->save();
             entries = copy.entries;
             report.notes.insert(report.notes.end(), copy.notes.begin(), copy.notes.end());
         }},
        {{kDatebookFile},
         [&] {
             BeginOrRaise(interaction, CopyStage::Datebook);
             DatebookReport read;
             {
                 PhoneSession session(settings, kDatebookSession);
                 DatebookReadOptions options;
                 options.quick = phone.quickDatebook;
                 read = ReadWholeDatebook(session, stoppable, options);
                 // Skipped occurrences come only with a range read of the event's slot.
                 // A phone that refuses the range read keeps them unknown: said, not fatal.
                 const std::string unread =
                     UnreadSkippedText(ReadSkippedOccurrences(session, read.events, stoppable));
                 if (!unread.empty()) report.notes.push_back(unread);
             }
             const backup::WrittenCopy copy =
                 backup::WriteDatebookFile(folder, read.events, &identity->identity());
             identity->save();
             events = copy.events;
             report.notes.insert(report.notes.end(), copy.notes.begin(), copy.notes.end());
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
                 PhoneSession session(settings, kMessagesSession);
                 const FolderReport read = ReadMessageFolder(session, folder, stoppable);
                 read.RaiseFailure();
                 if (read.status != FolderStatus::Done) throw OrlinError(StatusText(read));
                 if (!read.unreadable.empty()) throw OrlinError(UnreadableText(read));
                 rows.insert(rows.end(), read.rows.begin(), read.rows.end());
                 folders.resize(rows.size(), name);
             }
             write("messages.csv", ExportCsvWithFolders(rows, folders));
         }},
        {{"the message archive (sms_<phone id>.txt)"},
         [&] {
             BeginOrRaise(interaction, CopyStage::Archive);
             PhoneSession session(settings);
             const std::optional<std::string> id = ReadPhoneId(session);
             if (!id) throw OrlinError(PhoneIdWarning());
             // The inbox read above brought the archive up to date.
             const std::string name = ArchiveFileName(*id);
             const std::string path = ArchivePath(*id);
             std::error_code error;
             write(name,
                   fs::exists(PathFromUtf8(path), error) ? ReadWholeFile(path) : std::string());
         }},
    };

    // MISSING.txt first: a backup killed on the way is told from a whole one by it.
    std::vector<std::string> all;
    for (const BackupStep& step : steps)
        all.insert(all.end(), step.files.begin(), step.files.end());
    try {
        write(kMissingFile, backup::MissingText(date, "it was still being written", all));
    } catch (const OrlinError& e) {
        report.failure = WithFileName(e);
        report.missing = all;
        report.missingError = e.what();
        report.missingText = backup::MissingText(date, report.failure, all);
        return report;
    }

    size_t done = 0;
    for (; done < steps.size(); ++done) {
        try {
            steps[done].run();
        } catch (const OrlinError& e) {
            report.failure = WithFileName(e);
            break;
        }
    }
    if (done == steps.size()) {
        try {
            // phone.txt says what the files hold; a backup its own restore cannot read, or
            // that holds less than it says, is no backup.
            write("phone.txt", phoneText + backup::CountLines(entries, events));
            Interaction quiet;
            ReadBackupFolder(folder, quiet);
            std::error_code error;
            if (!fs::remove(folder / kMissingFile, error) || error)
                throw EFileError(ErrorCodeText(error), Utf8FromPath(folder / kMissingFile));
            report.complete = true;
            return report;
        } catch (const OrlinError& e) {
            report.failure = Tr("Backup", "Резервная копия не читается: ") + WithFileName(e);
        }
    }
    for (size_t i = done; i < steps.size(); ++i)
        report.missing.insert(report.missing.end(), steps[i].files.begin(), steps[i].files.end());
    report.missingText = backup::MissingText(date, report.failure, report.missing);
    try {
        write(kMissingFile, report.missingText);
    } catch (const OrlinError& e) {
        report.missingError = e.what();
    }
    return report;
}

}  // namespace orlin
