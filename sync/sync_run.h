#pragma once
// Running the sync of one collection: the state file, the vdir's files, the plan, and each
// step carried out with the state saved after it, so that a run stopped anywhere (a failure,
// a pulled cable, Ctrl+C) loses nothing and the next run finishes the work. What is special
// to contacts or events is a Collection.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sync/sync_plan.h"

namespace orlin::sync {

class Collection {
public:
    virtual ~Collection() = default;
    virtual const char* what() const = 0;       // "contacts"
    virtual const char* extension() const = 0;  // ".vcf"
    // Reads the phone's items; false (after a message on `out`) when it could not be read.
    // `complete` turns false when some slot could not be read.
    virtual bool readPhone(std::vector<PhoneItem>& items, bool& complete, std::ostream& out) = 0;
    // One file of the vdir (hash and file are filled in by the caller).
    virtual DirItem readFile(const std::string& bytes) = 0;
    // The file of a phone item; `old` (the file's bytes, "" for a new file) gives the UID and
    // everything the phone does not hold, which the new text keeps.
    virtual std::string fileText(const PhoneItem& item, const std::string& old) = 0;
    // Writes a file's item into the phone, in place of `old` when given. What the phone cannot
    // hold of it goes into `notes` (UTF-8); nothing when it could not be written (why: notes).
    virtual std::optional<PhoneItem> toPhone(const std::string& bytes, const PhoneItem* old,
                                             std::vector<std::string>& notes) = 0;
    virtual bool deleteOnPhone(const PhoneItem& item, std::string& why) = 0;
};

struct SyncOptions {
    std::string dir;  // the vdir (UTF-8), made when missing
    Prefer prefer = Prefer::None;
    bool dryRun = false;
    bool allowDeletes = false;
    // Asked when the deletions reach more than a fifth of a side: true goes on.
    std::function<bool(const std::string& question)> ask;
};

struct SyncReport {
    int toPhone = 0, toDir = 0, deletedOnPhone = 0, deletedFiles = 0, conflicts = 0;
    int problems = 0;       // items not carried over (the phone refused, nothing it can hold)
    bool failed = false;    // stopped before the end (said on `out`)
    bool declined = false;  // many deletions, not allowed: nothing was done
};

// The state file of a vdir for one phone: ".<folder name>.<phone key>.orlin-sync" in the
// vdir's parent folder.
std::string StatePath(const std::string& dir, const std::string& phoneKey);

// Syncs `collection` with `options.dir`; the report on `out` (UTF-8), one line per step.
SyncReport RunSync(Collection& collection, const std::string& phoneKey, const SyncOptions& options,
                   std::ostream& out);

// The file `old` holds beyond the phone, kept in `fresh`: the properties of its item (the
// component `component`, "VCARD" or "VEVENT") that are not among `managed`, and those among
// `unchanged` (what the phone holds the same, perhaps in less), come from the old file and go
// before the item's END line in place of the fresh ones; the old UID replaces the fresh one.
// Both texts are CR LF files.
std::string KeepFullForm(const std::string& fresh, const std::string& old,
                         const std::string& component, const std::vector<std::string>& managed,
                         const std::vector<std::string>& unchanged = {});

}  // namespace orlin::sync
