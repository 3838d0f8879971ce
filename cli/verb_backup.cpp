// orlin-cli backup DIR: the whole phone into a new folder (what the phone says about itself,
// the phonebook in our own file and as vCard, the datebook as iCalendar, every message folder as
// CSV and a copy of the message archive). restore DIR: the phonebook and the datebook back.

#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "cli/progress.h"
#include "cli/verb.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#ifndef ORLIN_WITHOUT_DATEBOOK_ICAL
#include "datebook/ical/datebook_ical.h"
#endif
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

namespace orlin::cli {

namespace {

namespace fs = std::filesystem;

#ifdef ORLIN_WITHOUT_DATEBOOK_ICAL
// This build has no iCalendar library (the Windows build lacks libical), and a backup holds
// the datebook as an iCalendar file.
int Backup(const Invocation&, const fs::path&) {
    throw OrlinError("backup needs libical, which this build of orlin-cli lacks");
}
int Restore(const Invocation&, const fs::path&) {
    throw OrlinError("restore needs libical, which this build of orlin-cli lacks");
}
#else
// The file a backup that stopped half-way leaves beside what it wrote.
constexpr const char* kMissingFile = "MISSING.txt";
constexpr const char* kArchiveCopy = "the message archive (sms_<phone id>.txt)";

std::string Now() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

// The whole phonebook and datebook, each over a session of its own.
PhonebookState ReadWholePhonebook(const Invocation& invocation, Interaction& interaction) {
    PhoneSession session(invocation.settings, SessionOptions(invocation));
    return orlin::ReadWholePhonebook(session, interaction);
}

DatebookRead ReadWholeDatebook(const Invocation& invocation, Interaction& interaction) {
    PhoneSession session(invocation.settings, SessionOptions(invocation, true));
    return orlin::ReadWholeDatebook(session, interaction);
}

struct BackupStep {
    std::vector<std::string> files;  // what it writes
    std::function<void()> run;
};

int Backup(const Invocation& invocation, const fs::path& dir) {
    std::error_code error;
    if (fs::exists(dir, error) && !(fs::is_directory(dir, error) && fs::is_empty(dir, error))) {
        std::cerr << dir.string() << " exists and is not an empty folder: a backup goes into a new "
                  << "folder. Nothing was written." << std::endl;
        return 1;
    }
    fs::create_directories(dir, error);
    if (error) {
        std::cerr << "Cannot create " << dir.string() << ": " << error.message() << std::endl;
        return 1;
    }
    const auto write = [&](const char* name, const std::string& bytes) {
        WriteWholeFile((dir / name).string(), bytes);
    };
    const std::string date = Now();
    CliInteraction interaction("phone", invocation.yes);
    const PhoneSession::Options options = SessionOptions(invocation);

    const std::vector<BackupStep> steps = {
        {{"phone.txt"},
         [&] {
             const ModelInfo model =
                 ParseModel(AskInfo(invocation.settings, kModelCommand, options));
             const std::string text =
                 "Manufacturer: " +
                 ParseManufacturer(AskInfo(invocation.settings, kManufacturerCommand, options)) +
                 "\r\nModel: " + model.model + "\r\nFirmware: " +
                 ParseFirmware(AskInfo(invocation.settings, kFirmwareCommand, options)) +
                 "\r\nSerial number: " +
                 ParseImei(AskInfo(invocation.settings, kImeiCommand, options)) +
                 "\r\nBackup date: " + date + "\r\n";
             write("phone.txt", Cp1251ToUtf8(text));
         }},
        {{"phonebook.txt", "phonebook.vcf"},
         [&] {
             interaction.restart("phonebook");
             PhonebookState state = ReadWholePhonebook(invocation, interaction);
             {
                 PhoneSession session(invocation.settings, SessionOptions(invocation));
                 PrepareSave(session, state);
             }
             write("phonebook.txt", PhonebookFileText(state.abonents, state.ranges).bytes);
             write("phonebook.vcf", VCardText(state));
         }},
        {{"datebook.ics"},
         [&] {
             interaction.restart("datebook");
             const ICalExport exported =
                 ExportICalendar(ReadWholeDatebook(invocation, interaction).events);
             write("datebook.ics", exported.text);
             const std::string warning = ExportWarning(exported);
             if (!warning.empty()) std::cerr << Cp1251ToUtf8(warning) << std::endl;
         }},
        {{"messages.csv"},
         [&] {
             std::vector<MessageRow> rows;
             std::vector<std::string> folders;
             const std::pair<MessageFolder, const char*> all[] = {
                 {MessageFolder::Inbox, "inbox"},
                 {MessageFolder::Outgoing, "outgoing"},
                 {MessageFolder::Sent, "sent"},
                 {MessageFolder::Drafts, "drafts"}};
             for (const auto& [folder, name] : all) {
                 interaction.restart(name);
                 const FolderReport report =
                     ReadMessageFolder(invocation.settings, folder, interaction);
                 if (report.failure != FolderFailure::None)
                     throw OrlinError(FailureText(report.failure));
                 if (!report.unreadable.empty()) throw OrlinError(UnreadableText(report));
                 rows.insert(rows.end(), report.rows.begin(), report.rows.end());
                 folders.resize(rows.size(), name);
             }
             write("messages.csv", ExportCsvWithFolders(rows, folders));
         }},
        {{kArchiveCopy},
         [&] {
             const std::optional<std::string> id = ReadPhoneId(invocation.settings);
             if (!id) throw OrlinError(PhoneIdWarning());
             // The inbox read above brought the archive up to date.
             const std::string name = ArchiveFileName(*id);
             write(name.c_str(), fs::exists(name) ? ReadWholeFile(name) : std::string());
         }},
    };

    size_t done = 0;
    std::string failure;
    for (; done < steps.size(); ++done) {
        try {
            steps[done].run();
        } catch (const OrlinError& e) {
            failure = e.what();
            break;
        }
    }
    if (done == steps.size()) {
        std::cout << "Backup of the phone written to " << dir.string() << "\n";
        return 0;
    }
    failure = Cp1251ToUtf8(failure);  // every failure text is Windows-1251
    std::string missing = "This backup (" + date +
                          ") is not complete. It stopped with: " + failure + "\r\nMissing:\r\n";
    for (size_t i = done; i < steps.size(); ++i)
        for (const std::string& file : steps[i].files) missing += "  " + file + "\r\n";
    try {
        write(kMissingFile, missing);
    } catch (const OrlinError& e) {
        std::cerr << "Cannot write " << kMissingFile << ": " << Cp1251ToUtf8(e.what()) << std::endl;
    }
    std::cerr << missing;
    return 1;
}

int Restore(const Invocation& invocation, const fs::path& dir) {
    CliInteraction interaction("reading", invocation.yes);
    // Both files are read before the phone is asked anything.
    const std::string phonebookBytes =
        ReadPhonebookFile((dir / "phonebook.txt").string(), interaction);
    const std::string calendar = ReadWholeFile((dir / "datebook.ics").string());
    ParseICalendar(calendar, 0);  // a file that is no iCalendar stops here

    PhonebookState state = ReadWholePhonebook(invocation, interaction);
    interaction.restart("reading datebook");
    DatebookRead read = ReadWholeDatebook(invocation, interaction);
    if (state.OccupiedCount() > 0 || !read.events.empty()) {
        const std::string question = "The phone holds " + std::to_string(state.OccupiedCount()) +
                                     " phonebook entries and " +
                                     std::to_string(read.events.size()) +
                                     " datebook events; the backup replaces them. Replace?";
        if (!interaction.confirm(Utf8ToCp1251(question))) {
            std::cerr << "Nothing was written." << std::endl;
            return 1;
        }
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
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
            std::cerr << "The phone did not delete everything it held: nothing was restored."
                      << std::endl;
            return 1;
        }
    }

    int status = 0;
    interaction.restart("phonebook");
    const LoadTarget target =
        PrepareLoad(invocation.settings, interaction, invocation.timeoutGiven);
    if (!target.connected) return 1;
    const FileEntries entries = ParsePhonebookFile(phonebookBytes, target.family, target.ranges);
    const LoadReport loaded =
        WriteFileEntries(invocation.settings, entries.records, target.family, interaction);
    if (!loaded.refused.empty() || loaded.sent < loaded.total || !loaded.portError.empty()) {
        std::cerr << "Of " << loaded.total << " phonebook entries the phone took "
                  << loaded.sent - static_cast<int>(loaded.refused.size()) << "."
                  << (loaded.portError.empty() ? "" : " " + Cp1251ToUtf8(loaded.portError))
                  << std::endl;
        status = 1;
    }

    interaction.restart("datebook");
    const std::vector<ImportedEvent> events = ParseICalendar(calendar, read.titleLength);
    DraftsWritten written;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        WriteDrafts(session, WritableDrafts(events), read.slotUsed, interaction, written);
    }
    int restoredEvents = 0;
    for (size_t i = 0; i < written.slotOf.size(); ++i) restoredEvents += written.taken(i);
    const std::string warning = ImportWarning(events, written);
    if (!warning.empty()) std::cerr << Cp1251ToUtf8(warning) << std::endl;
    if (restoredEvents != static_cast<int>(events.size())) status = 1;

    std::cout << loaded.sent - loaded.refused.size() << " phonebook entries and " << restoredEvents
              << " datebook events restored\n"
              << "Messages are not written back: a phone cannot take them as received. They "
                 "stay in messages.csv and the archive copy.\n";
    return status;
}

#endif

int RunBackup(const Invocation& invocation) {
    if (invocation.args.size() != 1) throw UsageError("backup needs one DIR");
    return Backup(invocation, invocation.args[0]);
}

int RunRestore(const Invocation& invocation) {
    if (invocation.args.size() != 1) throw UsageError("restore needs one DIR");
    return Restore(invocation, invocation.args[0]);
}

const VerbRegistration backup({
    "backup",
    "backup DIR",
    "Saves the whole phone into the new folder DIR: phone.txt (maker, model, firmware, serial\n"
    "number, the date of the backup), phonebook.txt (the phonebook file), phonebook.vcf,\n"
    "datebook.ics, messages.csv (every folder, with a folder column) and a copy of the message\n"
    "archive. Progress on standard error. When a step fails, DIR holds MISSING.txt, which\n"
    "names the failure and the files that are missing (exit status 1).",
    RunBackup,
});

const VerbRegistration restore({
    "restore",
    "restore DIR [--yes]",
    "Writes the phonebook (phonebook.txt) and the datebook (datebook.ics) of a backup back\n"
    "into the phone. When the phone holds entries or events, they are replaced only with\n"
    "--yes (else nothing is written, exit status 1). Messages are not written back.",
    RunRestore,
});

}  // namespace

}  // namespace orlin::cli
