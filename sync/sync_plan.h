#pragma once
// The plan of a two-way sync of one collection (the contacts or the calendar) between the
// phone and a vdir folder (one file per item), from the items on both sides and the state of
// the last sync. The state pairs each phone item (by its UID) with its file, each with the
// content hash it had when the two last agreed: a side whose hash moved changed there.
//
// An item's "form" is what the phone can hold of it, the same text for both sides: two items
// of the same form agree whatever else the file holds (so the sync never rewrites a file only
// because the phone keeps less of it, and an interrupted run that did its work before saving
// the state finds both sides agreeing and only records it).

#include <optional>
#include <string>
#include <vector>

namespace orlin::sync {

struct PhoneItem {
    std::string uid;   // orlin-<phone key>-...: from its place on the phone
    std::string hash;  // of what the phone holds of it
    std::string form;
    std::string label;  // for the report (UTF-8)
};

struct DirItem {
    std::string file;  // the file name in the vdir
    std::string uid;   // its UID ("" none)
    std::string hash;  // of the file's bytes
    std::string form;  // "" when the file did not parse
    std::string label;
    bool parsed = true;  // false: a file that is no item; left alone, and no deletion is done
};

struct StatePair {
    std::string phoneUid;
    std::string phoneHash;
    std::string file;
    std::string fileHash;
    bool operator==(const StatePair&) const = default;
};

struct SyncState {
    std::string phoneKey;  // the phone the state belongs to
    std::vector<StatePair> pairs;
    bool operator==(const SyncState&) const = default;
};

// The state as a text file: "orlin-sync 1", "phone <key>", then one tab-separated line
// "<phone uid> <phone hash> <file> <file hash>" per pair. Nothing when the text is no state.
std::string StateText(const SyncState& state);
std::optional<SyncState> ParseStateText(const std::string& text);

enum class Prefer { None, Phone, Dir };

enum class StepKind {
    ToDir,          // write the phone's item into its file (a new file when there is none)
    ToPhone,        // write the file's item into the phone (in place when there is one)
    DeleteFile,     // deleted on the phone
    DeleteOnPhone,  // deleted in the vdir
    Conflict,       // changed on both sides (or changed on one, deleted on the other)
    Record,         // the two agree: only the state changes
    Forget,         // gone from both sides
};

struct Step {
    StepKind kind;
    int phone = -1;  // index into the phone items
    int dir = -1;    // index into the dir items
    int pair = -1;   // index into the state's pairs; -1 a new pair
};

struct Plan {
    std::vector<Step> steps;
    int phoneDeletes = 0;
    int fileDeletes = 0;
    // Deletions left out because a side was not read completely.
    int deletionsHeld = 0;
};

// `phoneComplete`: every slot was read; `dirComplete`: every file parsed. Deletions are
// planned only when both hold. `prefer` settles conflicts.
Plan PlanSync(const std::vector<PhoneItem>& phone, const std::vector<DirItem>& dir,
              const SyncState& state, Prefer prefer, bool phoneComplete, bool dirComplete);

// Whether deletions on either side reach more than a fifth of what that side holds.
bool ManyDeletions(const Plan& plan, size_t phoneItems, size_t dirItems);

}  // namespace orlin::sync
