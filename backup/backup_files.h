#pragma once
// What the backup and the restore share inside orlin_backup: the Stop button within one
// command, files written and read back, the copy of the phone a restore saves first.

#include <filesystem>
#include <string>
#include <vector>

#include "backup/whole_phone.h"
#include "datebook/datebook_event.h"
#include "link/interaction.h"
#include "link/stable_id.h"
#include "phonebook/phonebook_state.h"

namespace orlin::backup {

namespace fs = std::filesystem;

// The front end's interaction for the cores' loops, with its Stop button looked at after
// every command the loop reports (progress() and processEvents()): a stop raises
// OrlinError(StoppedText()) at once, instead of waiting for the loop to end.
class StopWithin : public Interaction {
public:
    explicit StopWithin(Interaction& inner) : inner_(inner) {}
    void processEvents() override {
        inner_.processEvents();
        check();
    }
    void progress(int pos, int max) override {
        inner_.progress(pos, max);
        inner_.processEvents();
        check();
    }
    bool confirm(const std::string& text) override { return inner_.confirm(text); }
    void inform(const std::string& text) override { inner_.inform(text); }
    bool keepRunning() override { return inner_.keepRunning(); }
    void check();

private:
    Interaction& inner_;
};

// Writes `bytes` as folder/name and reads them back; raises OrlinError naming the file when
// the disk gave back anything else.
void WriteChecked(const fs::path& folder, const std::string& name, const std::string& bytes);

// The lines phone.txt ends with, which ReadBackupFolder checks the files against.
std::string CountLines(int entries, int events);

// The text of MISSING.txt (UTF-8).
std::string MissingText(const std::string& date, const std::string& failure,
                        const std::vector<std::string>& missing);

// phonebook.txt, phonebook.vcf and datebook.ics of a phonebook and a datebook just read, into
// `folder` (which exists), with the notes on what the files hold otherwise; returns the
// counts written. With an identity the cards and events carry the phone's stable UIDs, so two
// backups of an unchanged phone hold the same phonebook.vcf and datebook.ics.
struct WrittenCopy {
    int entries = 0;
    int events = 0;
    std::vector<std::string> notes;
};
WrittenCopy WritePhonebookFiles(const fs::path& folder, const PhonebookState& state,
                                const ItemIdentity* identity = nullptr);
WrittenCopy WriteDatebookFile(const fs::path& folder, const std::vector<DatebookEvent>& events,
                              const ItemIdentity* identity = nullptr);

// Saves what the phone holds into a new folder "before-restore-<date>-<time>" (with "-2",
// "-3"... when that exists) beside `backupFolder`, as a backup of its own: MISSING.txt first,
// phone.txt, the phonebook and datebook files, each read back, MISSING.txt removed last.
// Raises OrlinError when any of it fails. Returns the folder.
fs::path SavePhoneBeforeRestore(const fs::path& backupFolder, const PhonebookState& state,
                                const std::vector<DatebookEvent>& events);

// The local date and time "2024-05-01 12:30:00", and the same for a folder name
// "2024-05-01-123000".
std::string NowText();
std::string NowForName();

}  // namespace orlin::backup
