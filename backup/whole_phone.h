#pragma once
// The whole phone into a new folder and back, once for orlin-cli and the window. A backup
// writes, step by step: phone.txt (maker, model, firmware, serial number, the date of the
// backup), phonebook.txt (the phonebook file) and phonebook.vcf, datebook.ics, messages.csv
// (every folder, with a folder column) and a copy of the message archive sms_<phone id>.txt.
// When a step fails, the files of the steps before it stay and MISSING.txt names the failure
// and the files that are not there. A restore writes the phonebook and the datebook of such a
// folder back, in place of what the phone holds; messages are not written back.
//
// The front ends name the stages, word the question and the outcome; the texts of failures and
// notes are Windows-1251, as everywhere in the cores.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/port_settings.h"

namespace orlin {

enum class CopyStage {
    // backup
    PhoneInfo,  // phone.txt
    Phonebook,  // phonebook.txt, phonebook.vcf
    Datebook,   // datebook.ics
    Inbox,      // the four message folders of messages.csv
    Outgoing,
    Sent,
    Drafts,
    Archive,  // the copy of the message archive
    // restore
    ReadPhonebook,
    ReadDatebook,
    WritePhonebook,
    WriteDatebook,
};
inline constexpr size_t kCopyStageCount = static_cast<size_t>(CopyStage::WriteDatebook) + 1;

class CopyInteraction : public Interaction {
public:
    // A stage begins; processEvents() and keepRunning() are asked right after.
    virtual void stage(CopyStage stage) {}
    // Restore: the phone holds `entries` phonebook entries and `events` datebook events; true
    // deletes them for the backup's.
    virtual bool confirmReplace(int entries, int events) { return false; }
};

struct CopyPhone {
    PortSettings settings;
    // The phone's own data and the phonebook wait the configured time-out as well (orlin-cli's
    // --timeout), else 1000 ms. The datebook and the messages always wait the configured one.
    bool settingsTimeout = false;
    // The datebook is read quickly (DatebookReadOptions::quick): a backup's own read.
    bool quickDatebook = false;
};

// The text of a stop between two stages: "Остановлено."
std::string StoppedText();

// --- backup ---

enum class BackupFolder {
    Ready,       // it was missing (and is made now) or empty
    NotEmpty,    // it exists and is not an empty folder: nothing was written
    NotCreated,  // it could not be made: nothing was written
};

struct BackupReport {
    BackupFolder folder = BackupFolder::Ready;
    std::string folderError;           // NotCreated: the system's reason
    bool complete = false;             // every file was written
    std::string failure;               // what stopped it (Windows-1251)
    std::vector<std::string> missing;  // the files not written, as MISSING.txt names them
    std::string missingText;           // the text of MISSING.txt (UTF-8)
    std::string missingError;          // MISSING.txt itself could not be written: why
    // What the files hold otherwise than the phone (";" in the phonebook, events the iCalendar
    // file cannot hold as they are), also when the backup did not complete.
    std::vector<std::string> notes;
};

inline constexpr const char* kMissingFile = "MISSING.txt";

// Backs the phone up into `folder`. `date` goes into phone.txt and MISSING.txt as it is given
// ("2024-05-01 12:30:00"). The archive copied is the one in the working directory, which
// reading the inbox has just brought up to date. A failure of a step (an OrlinError, the Stop
// button between two stages) ends the backup with MISSING.txt; other exceptions pass.
BackupReport BackUpWholePhone(const CopyPhone& phone, const std::filesystem::path& folder,
                              const std::string& date, CopyInteraction& interaction);

// --- restore ---

enum class RestoreOutcome {
    Done,           // both were written; what the phone did not take is in the counts
    Declined,       // the user kept what the phone holds: nothing was changed
    NotAllDeleted,  // the phone did not delete everything it held: nothing was written
    NotConnected,   // the port did not open for writing (interaction.inform said so)
    Stopped,        // Stop after the phone was emptied: what was written is in the counts
};

struct RestoreReport {
    RestoreOutcome outcome = RestoreOutcome::Done;
    int entries = 0;  // phonebook entries in the backup
    int entriesTaken = 0;
    std::string portError;  // a port failure that ended the phonebook's writing (Windows-1251)
    int events = 0;         // events in datebook.ics
    int eventsTaken = 0;
    std::string eventsWarning;  // events changed on the way or not taken (Windows-1251), or empty
    bool PhonebookShort() const { return entriesTaken < entries || !portError.empty(); }
};

// Restores the backup in `folder`. phonebook.txt and datebook.ics are read before the phone
// is asked anything (a missing or broken file raises). Then the whole phonebook and datebook
// are read; when they hold anything, confirmReplace decides and everything is deleted, and
// nothing is written unless the phone deleted all of it. Failures of the phone raise;
// a Stop before the phone changed raises StoppedText().
RestoreReport RestoreWholePhone(const CopyPhone& phone, const std::filesystem::path& folder,
                                CopyInteraction& interaction);

}  // namespace orlin
