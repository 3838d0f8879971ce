// orlin-cli backup DIR: the whole phone into a new folder (what the phone says about itself,
// the phonebook in our own file and as vCard, the datebook as iCalendar, every message folder as
// CSV and a copy of the message archive). restore DIR: the phonebook and the datebook back.

#include <ctime>
#include <filesystem>
#include <iostream>
#include <iterator>

#include "cli/progress.h"
#include "cli/verb.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/whole_file.h"
#ifndef ORLIN_WITHOUT_BACKUP
#include "backup/whole_phone.h"
#endif

namespace orlin::cli {

namespace {

namespace fs = std::filesystem;

#ifdef ORLIN_WITHOUT_BACKUP
// This build has no iCalendar library (the Windows build lacks libical), and a backup holds
// the datebook as an iCalendar file.
int Backup(const Invocation&, const fs::path&, bool) {
    throw OrlinError("backup needs libical, which this build of orlin-cli lacks");
}
int Restore(const Invocation&, const fs::path&) {
    throw OrlinError("restore needs libical, which this build of orlin-cli lacks");
}
#else
std::string Now() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

// The names of the stages on the progress lines, in the order of CopyStage.
constexpr const char* kStageNames[] = {
    "phone",   "phonebook", "datebook",         "inbox",     "outgoing", "sent", "drafts",
    "archive", "reading",   "reading datebook", "phonebook", "datebook"};
static_assert(std::size(kStageNames) == kCopyStageCount);

// Progress on standard error under the stage's name, questions answered by --yes.
class CliCopy : public CopyInteraction {
public:
    CliCopy(const char* what, bool yes) : cli_(what, yes) {}
    void progress(int pos, int max) override { cli_.progress(pos, max); }
    bool confirm(const std::string& text) override { return cli_.confirm(text); }
    void inform(const std::string& text) override { cli_.inform(text); }
    void stage(CopyStage stage) override { cli_.restart(kStageNames[static_cast<int>(stage)]); }
    bool confirmReplace(int entries, int events) override {
        return cli_.confirm(Utf8ToCp1251("The phone holds " + std::to_string(entries) +
                                         " phonebook entries and " + std::to_string(events) +
                                         " datebook events; the backup replaces them. Replace?"));
    }

private:
    CliInteraction cli_;
};

CopyPhone PhoneOf(const Invocation& invocation, bool quickDatebook = false) {
    return CopyPhone{invocation.settings, invocation.timeoutGiven, quickDatebook};
}

int Backup(const Invocation& invocation, const fs::path& dir, bool quick) {
    CliCopy interaction("phone", invocation.yes);
    const std::string date = Now();
    const BackupReport report =
        BackUpWholePhone(PhoneOf(invocation, quick), dir, date, interaction);
    if (report.folder == BackupFolder::NotEmpty) {
        std::cerr << dir.string() << " exists and is not an empty folder: a backup goes into a new "
                  << "folder. Nothing was written." << std::endl;
        return 1;
    }
    if (report.folder == BackupFolder::NotCreated) {
        std::cerr << "Cannot create " << dir.string() << ": " << report.folderError << std::endl;
        return 1;
    }
    for (const std::string& note : report.notes) std::cerr << Cp1251ToUtf8(note) << std::endl;
    if (report.complete) {
        std::cout << "Backup of the phone written to " << dir.string() << "\n";
        return 0;
    }
    if (!report.missingError.empty())
        std::cerr << "Cannot write " << kMissingFile << ": " << Cp1251ToUtf8(report.missingError)
                  << std::endl;
    std::cerr << report.missingText;
    return 1;
}

int Restore(const Invocation& invocation, const fs::path& dir) {
    CliCopy interaction("reading", invocation.yes);
    const RestoreReport report = RestoreWholePhone(PhoneOf(invocation), dir, interaction);
    switch (report.outcome) {
        case RestoreOutcome::Declined:
            std::cerr << "Nothing was written." << std::endl;
            return 1;
        case RestoreOutcome::NotAllDeleted:
            std::cerr << "The phone did not delete everything it held: nothing was restored."
                      << std::endl;
            return 1;
        case RestoreOutcome::NotConnected:  // the port's failure was printed
        case RestoreOutcome::Stopped:       // the command line has no Stop button
            return 1;
        case RestoreOutcome::Done:
            break;
    }
    int status = 0;
    if (report.PhonebookShort()) {
        std::cerr << "Of " << report.entries << " phonebook entries the phone took "
                  << report.entriesTaken << "."
                  << (report.portError.empty() ? "" : " " + Cp1251ToUtf8(report.portError))
                  << std::endl;
        status = 1;
    }
    if (!report.eventsWarning.empty()) std::cerr << Cp1251ToUtf8(report.eventsWarning) << std::endl;
    if (report.eventsTaken != report.events) status = 1;

    std::cout << report.entriesTaken << " phonebook entries and " << report.eventsTaken
              << " datebook events restored\n"
              << "Messages are not written back: a phone cannot take them as received. They "
                 "stay in messages.csv and the archive copy.\n";
    return status;
}

#endif

int RunBackup(const Invocation& invocation) {
    const auto& args = invocation.args;
    const bool quick = args.size() == 2 && args[1] == "--quick";
    if (args.size() != 1 && !quick) throw UsageError("backup needs one DIR (and --quick)");
    return Backup(invocation, PathFromUtf8(args[0]), quick);
}

int RunRestore(const Invocation& invocation) {
    if (invocation.args.size() != 1) throw UsageError("restore needs one DIR");
    return Restore(invocation, PathFromUtf8(invocation.args[0]));
}

const VerbRegistration backup({
    "backup",
    "backup DIR [--quick]",
    "Saves the whole phone into the new folder DIR: phone.txt (maker, model, firmware, serial\n"
    "number, the date of the backup), phonebook.txt (the phonebook file), phonebook.vcf,\n"
    "datebook.ics, messages.csv (every folder, with a folder column) and a copy of the message\n"
    "archive. Progress on standard error. When a step fails, DIR holds MISSING.txt, which\n"
    "names the failure and the files that are missing (exit status 1). --quick reads the\n"
    "datebook as datebook list --quick does.",
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
