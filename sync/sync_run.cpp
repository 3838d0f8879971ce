#include "sync/sync_run.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "link/errors.h"
#include "link/stable_id.h"
#include "link/whole_file.h"
#include "phonebook/vcard.h"

namespace orlin::sync {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Logical lines of a CR LF (or LF) text, continuation lines joined.
std::vector<std::string> Unfolded(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty())
            lines.back() += line.substr(1);
        else if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// The property name of a content line: before the first ";" or ":", group removed, upper case.
std::string NameOf(const std::string& line) {
    std::string name = line.substr(0, line.find_first_of(";:"));
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(0, dot + 1);
    return Upper(name);
}

const char* KindText(StepKind kind) {
    switch (kind) {
        case StepKind::ToDir:
            return "phone -> folder";
        case StepKind::ToPhone:
            return "folder -> phone";
        case StepKind::DeleteFile:
            return "deleted on the phone, deleting the file";
        case StepKind::DeleteOnPhone:
            return "deleted in the folder, deleting on the phone";
        case StepKind::Conflict:
            return "conflict: changed on both sides, left alone (--prefer phone|dir settles it)";
        case StepKind::Record:
            return "the same on both sides";
        case StepKind::Forget:
            return "gone from both sides";
    }
    return "";
}

}  // namespace

std::string StatePath(const std::string& dir, const std::string& phoneKey) {
    fs::path path = PathFromUtf8(dir);
    if (!path.has_filename()) path = path.parent_path();  // "contacts/"
    const std::string name = Utf8FromPath(path.filename());
    return Utf8FromPath(path.parent_path() /
                        PathFromUtf8("." + name + "." + phoneKey + ".orlin-sync"));
}

std::string KeepFullForm(const std::string& fresh, const std::string& old,
                         const std::string& component, const std::vector<std::string>& managed,
                         const std::vector<std::string>& unchanged) {
    if (old.empty()) return fresh;
    const auto among = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    std::vector<std::string> kept;
    std::string oldUid;
    int depth = 0;  // inside the item: 1; inside a component of it (an alarm): more
    for (const std::string& line : Unfolded(old)) {
        const std::string name = NameOf(line);
        const std::string value = Upper(line.substr(line.find(':') + 1));
        if (name == "BEGIN") {
            if (depth > 0 || value == component) ++depth;
            continue;
        }
        if (name == "END") {
            if (depth > 0) --depth;
            continue;
        }
        if (depth != 1) continue;
        if (name == "UID") {
            oldUid = line;
            continue;
        }
        if (name.rfind("X-ORLIN-", 0) == 0 || (among(managed, name) && !among(unchanged, name)))
            continue;
        kept.push_back(line);
    }
    std::string out;
    depth = 0;
    for (const std::string& line : Unfolded(fresh)) {
        const std::string name = NameOf(line);
        const std::string value = Upper(line.substr(line.find(':') + 1));
        if (name == "BEGIN" && (depth > 0 || value == component)) ++depth;
        if (name == "END" && depth > 0 && --depth == 0)
            for (const std::string& k : kept) out += FoldedContentLine(k);
        if (depth == 1 && among(unchanged, name)) continue;
        out += FoldedContentLine(depth == 1 && name == "UID" && !oldUid.empty() ? oldUid : line);
    }
    return out;
}

SyncReport RunSync(Collection& collection, const std::string& phoneKey, const SyncOptions& options,
                   std::ostream& out) {
    SyncReport report;
    const std::string what = collection.what();
    const std::string statePath = StatePath(options.dir, phoneKey);
    SyncState state;
    state.phoneKey = phoneKey;
    if (fs::exists(PathFromUtf8(statePath))) {
        const auto read = ParseStateText(ReadWholeFile(statePath));
        if (!read || read->phoneKey != phoneKey) {
            out << what << ": " << statePath
                << " is no state file of this phone: nothing was done (move it away to start "
                   "afresh)."
                << std::endl;
            report.failed = true;
            return report;
        }
        state = *read;
    }

    std::vector<PhoneItem> phone;
    bool phoneComplete = true;
    if (!collection.readPhone(phone, phoneComplete, out)) {
        report.failed = true;
        return report;
    }

    fs::create_directories(PathFromUtf8(options.dir));
    std::vector<DirItem> dir;
    std::map<std::string, std::string> bytesOf;
    bool dirComplete = true;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(options.dir)))
        if (entry.is_regular_file() && entry.path().extension() == collection.extension())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string name = Utf8FromPath(file.filename());
        std::string bytes;
        DirItem item;
        try {
            bytes = ReadWholeFile(Utf8FromPath(file), size_t{16} << 20);
            item = collection.readFile(bytes);
        } catch (const OrlinError&) {
            item = DirItem{};
            item.parsed = false;
        }
        item.file = name;
        item.hash = ShortHash(bytes);
        if (!item.parsed) {
            dirComplete = false;
            out << what << ": " << name << " is no item that can be read: left alone; nothing is "
                << "deleted in this run." << std::endl;
        }
        bytesOf[name] = bytes;
        dir.push_back(item);
    }

    const Plan plan = PlanSync(phone, dir, state, options.prefer, phoneComplete, dirComplete);
    if (plan.deletionsHeld > 0)
        out << what << ": " << plan.deletionsHeld
            << " deletions held back: the phone or the folder was not read completely."
            << std::endl;
    const auto label = [&](const Step& s) {
        if (s.phone >= 0) return phone[static_cast<size_t>(s.phone)].label;
        if (s.dir >= 0) return dir[static_cast<size_t>(s.dir)].label;
        return state.pairs[static_cast<size_t>(s.pair)].file;
    };
    for (const Step& s : plan.steps) {
        if (s.kind == StepKind::Conflict) ++report.conflicts;
        if (s.kind == StepKind::Record || s.kind == StepKind::Forget) continue;
        if (options.dryRun || s.kind == StepKind::Conflict)
            out << what << ": " << KindText(s.kind) << ": " << label(s) << std::endl;
    }
    if (options.dryRun) return report;
    if (ManyDeletions(plan, phone.size(), dir.size()) && !options.allowDeletes) {
        const std::string question = what + ": this run would delete " +
                                     std::to_string(plan.phoneDeletes) + " of " +
                                     std::to_string(phone.size()) + " items on the phone and " +
                                     std::to_string(plan.fileDeletes) + " of " +
                                     std::to_string(dir.size()) + " files. Go on?";
        if (!options.ask || !options.ask(question)) {
            out << what << ": nothing was done (give --allow-deletes to delete so much)."
                << std::endl;
            report.declined = true;
            return report;
        }
    }

    // The state follows each step and is saved after it: it records only what was done.
    std::vector<std::optional<StatePair>> pairs(state.pairs.begin(), state.pairs.end());
    const auto save = [&] {
        SyncState now;
        now.phoneKey = phoneKey;
        for (const auto& p : pairs)
            if (p) now.pairs.push_back(*p);
        WriteWholeFile(statePath, StateText(now));
    };
    const auto setPair = [&](const Step& s, std::optional<StatePair> pair) {
        if (s.pair >= 0)
            pairs[static_cast<size_t>(s.pair)] = std::move(pair);
        else if (pair)
            pairs.push_back(std::move(pair));
        save();
    };
    const fs::path folder = PathFromUtf8(options.dir);
    for (const Step& s : plan.steps) {
        const PhoneItem* p = s.phone >= 0 ? &phone[static_cast<size_t>(s.phone)] : nullptr;
        const DirItem* d = s.dir >= 0 ? &dir[static_cast<size_t>(s.dir)] : nullptr;
        try {
            switch (s.kind) {
                case StepKind::Conflict:
                    break;
                case StepKind::Record:
                    setPair(s, StatePair{p->uid, p->hash, d->file, d->hash});
                    break;
                case StepKind::Forget:
                    setPair(s, std::nullopt);
                    break;
                case StepKind::ToDir: {
                    const std::string file = d ? d->file : p->uid + collection.extension();
                    const std::string text = collection.fileText(*p, d ? bytesOf[d->file] : "");
                    WriteWholeFile(Utf8FromPath(folder / PathFromUtf8(file)), text);
                    ++report.toDir;
                    out << what << ": phone -> folder: " << p->label << std::endl;
                    setPair(s, StatePair{p->uid, p->hash, file, ShortHash(text)});
                    break;
                }
                case StepKind::ToPhone: {
                    std::vector<std::string> notes;
                    const auto written = collection.toPhone(bytesOf[d->file], p, notes);
                    for (const std::string& note : notes)
                        out << what << ": " << d->label << ": " << note << std::endl;
                    if (!written) {
                        ++report.problems;
                        out << what << ": " << d->label << ": not written to the phone"
                            << std::endl;
                        break;
                    }
                    ++report.toPhone;
                    out << what << ": folder -> phone: " << d->label << std::endl;
                    setPair(s, StatePair{written->uid, written->hash, d->file, d->hash});
                    break;
                }
                case StepKind::DeleteFile:
                    fs::remove(folder / PathFromUtf8(d->file));
                    ++report.deletedFiles;
                    out << what << ": deleted on the phone, file deleted: " << d->label
                        << std::endl;
                    setPair(s, std::nullopt);
                    break;
                case StepKind::DeleteOnPhone: {
                    std::string why;
                    if (!collection.deleteOnPhone(*p, why)) {
                        ++report.problems;
                        out << what << ": " << p->label << ": not deleted on the phone: " << why
                            << std::endl;
                        break;
                    }
                    ++report.deletedOnPhone;
                    out << what << ": deleted in the folder, deleted on the phone: " << p->label
                        << std::endl;
                    setPair(s, std::nullopt);
                    break;
                }
            }
        } catch (const std::exception& e) {
            // What was done before is in the state; the next run goes on from there.
            out << what << ": " << e.what() << std::endl;
            report.failed = true;
            return report;
        }
    }
    if (plan.steps.empty() && !fs::exists(PathFromUtf8(statePath))) save();
    return report;
}

}  // namespace orlin::sync
