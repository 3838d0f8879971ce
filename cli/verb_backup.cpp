// orlin-cli backup DIR: the whole phone into a new folder (what the phone says about itself,
// the phonebook in our own file and as vCard, the datebook as iCalendar, every message folder as
// CSV and a copy of the message archive). restore DIR: the phonebook and the datebook back.

#include <ctime>
#include <filesystem>
#include <iostream>
#include <iterator>

#include "cli/progress.h"
#include "cli/verb.h"
#include "link/errors.h"
#include "link/slot_list.h"
#include "link/whole_file.h"
#ifndef ORLIN_WITHOUT_BACKUP
#include "backup/whole_phone.h"
#endif

namespace orlin::cli {

namespace {

namespace fs = std::filesystem;

// The exit status of a restore that changed the phone but not every slot.
constexpr int kPartialRestore = 3;

#ifdef ORLIN_WITHOUT_BACKUP
// This build has no iCalendar library (the Windows build lacks libical), and a backup holds
// the datebook as an iCalendar file.
int Backup(const Invocation&, const fs::path&, bool) {
    throw OrlinError("backup needs libical, which this build of orlin-cli lacks");
}
int Restore(const Invocation&, const fs::path&, bool) {
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
    "phone",   "phonebook", "datebook",         "inbox",     "outgoing", "sent",  "drafts",
    "archive", "reading",   "reading datebook", "phonebook", "datebook", "saving"};
static_assert(std::size(kStageNames) == kCopyStageCount);

// Progress on standard error under the stage's name, questions answered by --yes (and a
// partial backup by --partial).
class CliCopy : public CopyInteraction {
public:
    CliCopy(const char* what, bool yes, bool partial = false)
        : cli_(what, yes), partial_(partial) {}
    void progress(int pos, int max) override { cli_.progress(pos, max); }
    bool confirm(const std::string& text) override { return cli_.confirm(text); }
    void inform(const std::string& text) override { cli_.inform(text); }
    void stage(CopyStage stage) override { cli_.restart(kStageNames[static_cast<int>(stage)]); }
    bool confirmReplace(const RestoreCounts& c) override {
        return cli_.confirm(
            "The phone holds " + std::to_string(c.phoneEntries) + " phonebook entries and " +
            std::to_string(c.phoneEvents) + " datebook events; the backup holds " +
            std::to_string(c.backupEntries) + " entries and " + std::to_string(c.backupEvents) +
            " events. What the phone holds is saved into a new folder beside the backup first. "
            "Replace?");
    }
    bool confirmPartial(const std::string& missingText) override {
        std::cerr << missingText;
        std::cerr << (partial_ ? "This backup is partial: restoring what it holds (--partial)."
                               : "This backup is partial: nothing was written (give --partial "
                                 "to restore what it holds).")
                  << std::endl;
        return partial_;
    }

private:
    CliInteraction cli_;
    bool partial_;
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
    for (const std::string& note : report.notes) std::cerr << note << std::endl;
    if (report.complete) {
        std::cout << "Backup of the phone written to " << dir.string() << "\n";
        return 0;
    }
    if (!report.missingError.empty())
        std::cerr << "Cannot write " << kMissingFile << ": " << report.missingError << std::endl;
    std::cerr << report.missingText;
    return 1;
}

// What a restore did to one half of the phone, slot by slot; true when it all went in.
bool PrintPart(const char* name, const char* things, const RestorePart& part) {
    std::cout << name << ": " << part.inBackup << " " << things << " in the backup, "
              << part.inPhone << " on the phone before\n";
    const auto line = [](const std::string& what, const std::vector<int>& slots) {
        if (!slots.empty())
            std::cout << "  " << what << ": " << slots.size() << " (slots " << SlotList(slots)
                      << ")\n";
    };
    line("written", part.written);
    if (part.same > 0) std::cout << "  already there as in the backup: " << part.same << "\n";
    if (!part.moved.empty()) {
        std::cout << "  written into another slot (this phone lacks the backup's):";
        for (const auto& [from, to] : part.moved) std::cout << " " << from << "->" << to;
        std::cout << "\n";
    }
    line("removed (not in the backup)", part.removed);
    const bool whole = part.Whole();
    if (!whole) std::cout.flush();
    const auto problem = [](const std::string& what, const std::vector<int>& slots) {
        if (!slots.empty()) std::cerr << "  " << what << ": slots " << SlotList(slots) << std::endl;
    };
    problem(std::string(name) + ", refused by the phone (each keeps what it held)", part.refused);
    problem(std::string(name) + ", not written", part.notWritten);
    problem(std::string(name) + ", of those no room on this phone", part.noRoom);
    problem(std::string(name) + ", not removed (still on the phone)", part.notRemoved);
    problem(std::string(name) + ", written without all their skipped occurrences",
            part.skipsMissing);
    if (part.unanswered)
        std::cerr << "  " << name << ", slot " << *part.unanswered
                  << ": the phone did not answer; it holds what it held or the backup's"
                  << std::endl;
    for (const std::string& note : part.notes) std::cerr << "  " << note << std::endl;
    return whole;
}

int Restore(const Invocation& invocation, const fs::path& dir, bool partial) {
    CliCopy interaction("reading", invocation.yes, partial);
    const RestoreReport report = RestoreWholePhone(PhoneOf(invocation), dir, interaction);
    switch (report.outcome) {
        case RestoreOutcome::Declined:
        case RestoreOutcome::PartialRefused:
            std::cerr << "Nothing was written." << std::endl;
            return 1;
        case RestoreOutcome::Done:
        case RestoreOutcome::Incomplete:
            break;
    }
    if (!report.savedFolder.empty())
        std::cout << "What the phone held is saved in " << Utf8FromPath(report.savedFolder) << "\n";
    PrintPart("Phonebook", "entries", report.phonebook);
    PrintPart("Datebook", "events", report.datebook);
    std::cout << "Messages are not written back: a phone cannot take them as received. They "
                 "stay in messages.csv and the archive copy.\n";
    if (report.outcome == RestoreOutcome::Done) {
        std::cout << "Restored.\n";
        return 0;
    }
    std::cout.flush();
    if (!report.failure.empty()) std::cerr << report.failure << std::endl;
    std::cerr << "The restore is partial: the lines above say which slot holds what."
              << (report.savedFolder.empty()
                      ? std::string()
                      : " What the phone held is in " + Utf8FromPath(report.savedFolder) + ".")
              << std::endl;
    return kPartialRestore;
}

#endif

int RunBackup(const Invocation& invocation) {
    const auto& args = invocation.args;
    const bool quick = args.size() == 2 && args[1] == "--quick";
    if (args.size() != 1 && !quick) throw UsageError("backup needs one DIR (and --quick)");
    return Backup(invocation, PathFromUtf8(args[0]), quick);
}

int RunRestore(const Invocation& invocation) {
    std::vector<std::string> words;
    bool partial = false;
    for (const std::string& word : invocation.args) {
        if (word == "--partial")
            partial = true;
        else if (word.rfind("--", 0) == 0)
            throw UsageError("unknown restore option " + word);
        else
            words.push_back(word);
    }
    if (words.size() != 1) throw UsageError("restore needs one DIR");
    return Restore(invocation, PathFromUtf8(words[0]), partial);
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
    "restore DIR [--yes] [--partial]",
    "Writes the phonebook (phonebook.txt) and the datebook (datebook.ics) of a backup back\n"
    "into the phone. Every file is read and checked first: a line or an event that cannot be\n"
    "read stops it before anything is sent. When the phone holds entries or events, they are\n"
    "replaced only with --yes (else nothing is written, exit status 1); what the phone holds\n"
    "is then saved into a new folder before-restore-<date>-<time> beside DIR first. Each entry\n"
    "and event goes into its own slot, and what the backup does not hold is removed last, so\n"
    "that an interruption leaves every slot with its old or its new content; the report names\n"
    "the slots (exit status 3 when not everything went in). A partial backup (MISSING.txt in\n"
    "DIR) is restored only with --partial. Messages are not written back.",
    RunRestore,
});

}  // namespace

}  // namespace orlin::cli
