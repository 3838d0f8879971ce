#pragma once
// The whole phone into a new folder and back, once for orlin-cli and the window. A backup
// writes MISSING.txt first, naming every file still to come, then, step by step: phone.txt
// (maker, model, firmware, serial number, the date of the backup), phonebook.txt (the
// phonebook file) and phonebook.vcf, datebook.ics, messages.csv (every folder, with a folder
// column) and a copy of the message archive sms_<phone id>.txt. Each file is read back as it
// was written, phonebook.txt and datebook.ics by the reader a restore uses; phone.txt gets the
// counts of entries and events last, and MISSING.txt goes only when all of that holds. When a
// step fails, MISSING.txt says what stopped it and which files are not there; a backup killed
// half-way keeps the MISSING.txt of its start.
//
// A restore replaces, it never wipes: it reads and checks the backup's files whole before it
// asks the phone anything, reads the phone, asks, saves what the phone holds into a new folder
// beside the backup ("before-restore-<date>-<time>"), then writes each entry and event of the
// backup into its own slot (a slot that already holds exactly that is left alone) and only
// then removes what the backup does not hold. All of it over one session. However it ends,
// every slot holds either what it held before or what the backup holds, and the report says
// which slot is which. Messages are not written back.
//
// The front ends name the stages, word the questions and the outcome; the texts of failures
// and notes are UTF-8, as everywhere in the cores.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "link/interaction.h"
#include "link/port_settings.h"
#include "phonebook/abonent.h"

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
    SavePhone,  // the copy of what the phone holds, before the first change
};
inline constexpr size_t kCopyStageCount = static_cast<size_t>(CopyStage::SavePhone) + 1;

// What a restore replaces with what.
struct RestoreCounts {
    int phoneEntries = 0;
    int phoneEvents = 0;
    int backupEntries = 0;
    int backupEvents = 0;
};

class CopyInteraction : public Interaction {
public:
    // A stage begins; processEvents() and keepRunning() are asked right after.
    virtual void stage(CopyStage /*stage*/) {}
    // Restore: true replaces what the phone holds with what the backup holds.
    virtual bool confirmReplace(const RestoreCounts& /*counts*/) { return false; }
    // Restore of a partial backup (the folder holds MISSING.txt, whose text is given): true
    // restores what it holds.
    virtual bool confirmPartial(const std::string& /*missingText*/) { return false; }
};

struct CopyPhone {
    PortSettings settings;
    // The phone's own data and the phonebook wait the configured time-out as well (orlin-cli's
    // --timeout), else 1000 ms. The datebook and the messages always wait the configured one.
    bool settingsTimeout = false;
    // The datebook is read quickly (DatebookReadOptions::quick): a backup's own read.
    bool quickDatebook = false;
};

// The text of a stop: "Остановлено."
std::string StoppedText();

inline constexpr const char* kMissingFile = "MISSING.txt";
inline constexpr const char* kPhonebookFile = "phonebook.txt";
inline constexpr const char* kDatebookFile = "datebook.ics";

// --- backup ---

enum class BackupFolder {
    Ready,       // it was missing (and is made now) or empty
    NotEmpty,    // it exists and is not an empty folder: nothing was written
    NotCreated,  // it could not be made: nothing was written
};

struct BackupReport {
    BackupFolder folder = BackupFolder::Ready;
    std::string folderError;           // NotCreated: the system's reason
    bool complete = false;             // every file was written and read back
    std::string failure;               // what stopped it
    std::vector<std::string> missing;  // the files not written, as MISSING.txt names them
    std::string missingText;           // the text of MISSING.txt (UTF-8)
    std::string missingError;          // MISSING.txt itself could not be written: why
    // What the files hold otherwise than the phone (";" or line breaks in the phonebook,
    // events the iCalendar file cannot hold as they are), also when the backup did not
    // complete.
    std::vector<std::string> notes;
};

// Backs the phone up into `folder`. `date` goes into phone.txt and MISSING.txt as it is given
// ("2024-05-01 12:30:00"). The archive copied is the one in the working directory, which
// reading the inbox has just brought up to date. A failure of a step (an OrlinError, the Stop
// button, which takes effect within one command) ends the backup with MISSING.txt; other
// exceptions pass.
BackupReport BackUpWholePhone(const CopyPhone& phone, const std::filesystem::path& folder,
                              const std::string& date, CopyInteraction& interaction);

// --- the backup's folder ---

// Whether `folder` holds a backup (its phonebook.txt).
bool IsBackupFolder(const std::filesystem::path& folder);

// The newest backup inside `folder`: the sub-folder "orlin-backup-<date>-<time>" whose name
// sorts last and that holds a backup; never a "before-restore-..." copy. Nothing when there
// is none.
std::optional<std::filesystem::path> NewestBackupIn(const std::filesystem::path& folder);

// The file whose absence means that `folder` holds no backup: <folder>/phonebook.txt.
std::filesystem::path BackupFileLookedFor(const std::filesystem::path& folder);

// What a backup folder holds, read and checked whole.
struct BackupContents {
    Utf8Text phonebookBytes;            // phonebook.txt as the phonebook file reader gives it
    int entries = 0;                    // the entries in it
    std::string calendar;               // datebook.ics as read
    int events = 0;                     // the VEVENTs in it
    std::optional<int> countedEntries;  // what phone.txt says the backup holds
    std::optional<int> countedEvents;
};

// Reads phonebook.txt, datebook.ics and phone.txt of `folder` and checks every line and every
// event: a file that is missing, unreadable or too large, a phonebook line that cannot be
// read, a file with lines but no entry, a slot named twice, an event that cannot be written,
// and counts other than phone.txt states all raise OrlinError "<file>, строка N: <reason>".
// `interaction` hears when phonebook.txt was read as UTF-8.
BackupContents ReadBackupFolder(const std::filesystem::path& folder, Interaction& interaction);

// --- restore ---

enum class RestoreOutcome {
    Done,            // every slot holds what the backup holds
    Declined,        // the user kept what the phone holds: nothing was changed
    PartialRefused,  // the backup is partial (MISSING.txt) and the user did not go on
    Incomplete,      // the phone changed, but not every slot holds the backup's content
};

// What a restore did to one half of the phone, slot by slot.
struct RestorePart {
    int inBackup = 0;
    int inPhone = 0;                         // what the phone held before
    int same = 0;                            // slots that already held exactly the backup's content
    std::vector<int> written;                // slots that now hold the backup's content
    std::vector<std::pair<int, int>> moved;  // (slot in the backup, slot written): a slot
                                             // this phone lacks, written into a free one
    std::vector<int> refused;     // the phone refused the write: the slot keeps its content
    std::vector<int> notWritten;  // backup slots never sent (a stop, a failure, no room)
    std::vector<int> noRoom;      // of those, the ones for which this phone had no slot
    std::vector<int> removed;     // the phone's own, which the backup does not hold
    std::vector<int> notRemoved;  // refused or never sent: still on the phone
    // The slot whose command went out without an answer: it holds the old or the new content.
    std::optional<int> unanswered;
    // Datebook: events written whose skipped occurrences did not all go in.
    std::vector<int> skipsMissing;
    // What had to change on the way (an over-long title cut).
    std::vector<std::string> notes;
    bool Whole() const {
        return refused.empty() && notWritten.empty() && notRemoved.empty() && !unanswered &&
               skipsMissing.empty();
    }
};

struct RestoreReport {
    RestoreOutcome outcome = RestoreOutcome::Done;
    std::filesystem::path savedFolder;  // the copy of the phone made first (empty: none)
    RestorePart phonebook;
    RestorePart datebook;
    std::string failure;  // what ended it before its end (a port failure, a stop), or empty
};

// Restores the backup in `folder` over one session. A partial backup asks confirmPartial
// first. Everything that raises (a file that does not check, a port failure, the Stop
// button) before the copy of the phone is saved leaves the phone as it was. After that
// nothing raises: a failure or a stop ends with outcome Incomplete and the report.
RestoreReport RestoreWholePhone(const CopyPhone& phone, const std::filesystem::path& folder,
                                CopyInteraction& interaction);

}  // namespace orlin
