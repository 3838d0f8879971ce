#include "sync/sync_plan.h"

#include <map>
#include <set>

namespace orlin::sync {

std::string StateText(const SyncState& state) {
    std::string text = "orlin-sync 1\nphone " + state.phoneKey + "\n";
    for (const StatePair& p : state.pairs)
        text += p.phoneUid + "\t" + p.phoneHash + "\t" + p.file + "\t" + p.fileHash + "\n";
    return text;
}

std::optional<SyncState> ParseStateText(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    if (lines.size() < 2 || lines[0] != "orlin-sync 1" || lines[1].rfind("phone ", 0) != 0)
        return std::nullopt;
    SyncState state;
    state.phoneKey = lines[1].substr(6);
    for (size_t i = 2; i < lines.size(); ++i) {
        std::vector<std::string> fields(1);
        for (char c : lines[i]) {
            if (c == '\t')
                fields.emplace_back();
            else
                fields.back() += c;
        }
        // A line cut short (a state written by hand, say) makes the whole file no state: a
        // pair lost would read as an item added on one side.
        if (fields.size() != 4 || fields[0].empty() || fields[2].empty()) return std::nullopt;
        state.pairs.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return state;
}

Plan PlanSync(const std::vector<PhoneItem>& phone, const std::vector<DirItem>& dir,
              const SyncState& state, Prefer prefer, bool phoneComplete, bool dirComplete) {
    Plan plan;
    std::map<std::string, int> phoneByUid, dirByFile;
    for (size_t i = 0; i < phone.size(); ++i) phoneByUid[phone[i].uid] = static_cast<int>(i);
    for (size_t i = 0; i < dir.size(); ++i) dirByFile[dir[i].file] = static_cast<int>(i);
    const bool complete = phoneComplete && dirComplete;
    std::set<int> pairedPhone, pairedDir;
    const auto add = [&](StepKind kind, int p, int d, int pair) {
        plan.steps.push_back({kind, p, d, pair});
        if (kind == StepKind::DeleteFile) ++plan.fileDeletes;
        if (kind == StepKind::DeleteOnPhone) ++plan.phoneDeletes;
    };
    // A deletion, or nothing (and counted) when a side was not read completely.
    const auto remove = [&](StepKind kind, int p, int d, int pair) {
        if (complete)
            add(kind, p, d, pair);
        else
            ++plan.deletionsHeld;
    };

    for (size_t k = 0; k < state.pairs.size(); ++k) {
        const StatePair& pair = state.pairs[k];
        const int i = static_cast<int>(k);
        const auto pIt = phoneByUid.find(pair.phoneUid);
        const auto dIt = dirByFile.find(pair.file);
        const int p = pIt == phoneByUid.end() ? -1 : pIt->second;
        const int d = dIt == dirByFile.end() ? -1 : dIt->second;
        if (p >= 0) pairedPhone.insert(p);
        if (d >= 0) pairedDir.insert(d);
        if (d >= 0 && !dir[static_cast<size_t>(d)].parsed) continue;  // left alone
        const bool pChanged = p >= 0 && phone[static_cast<size_t>(p)].hash != pair.phoneHash;
        const bool dChanged = d >= 0 && dir[static_cast<size_t>(d)].hash != pair.fileHash;
        if (p < 0 && d < 0) {
            add(StepKind::Forget, p, d, i);
        } else if (p >= 0 && d >= 0) {
            if (!pChanged && !dChanged) continue;
            if (phone[static_cast<size_t>(p)].form == dir[static_cast<size_t>(d)].form)
                add(StepKind::Record, p, d, i);
            else if (pChanged && !dChanged)
                add(StepKind::ToDir, p, d, i);
            else if (!pChanged)
                add(StepKind::ToPhone, p, d, i);
            else if (prefer == Prefer::None)
                add(StepKind::Conflict, p, d, i);
            else
                add(prefer == Prefer::Phone ? StepKind::ToDir : StepKind::ToPhone, p, d, i);
        } else if (p < 0) {
            // Gone from the phone (or in a slot that could not be read).
            if (!phoneComplete) {
                ++plan.deletionsHeld;
            } else if (!dChanged || prefer == Prefer::Phone) {
                remove(StepKind::DeleteFile, p, d, i);
            } else if (prefer == Prefer::Dir) {
                add(StepKind::ToPhone, p, d, i);
            } else {
                add(StepKind::Conflict, p, d, i);
            }
        } else {
            if (!dirComplete) {
                ++plan.deletionsHeld;
            } else if (!pChanged || prefer == Prefer::Dir) {
                remove(StepKind::DeleteOnPhone, p, d, i);
            } else if (prefer == Prefer::Phone) {
                add(StepKind::ToDir, p, d, i);
            } else {
                add(StepKind::Conflict, p, d, i);
            }
        }
    }

    // Items on one side only: paired with an unpaired item of the same form or UID on the
    // other (a first sync over an exported vdir, a run interrupted before it saved the state),
    // else carried over.
    std::map<std::string, int> freeDirByForm, freeDirByUid;
    for (size_t d = 0; d < dir.size(); ++d) {
        if (pairedDir.count(static_cast<int>(d)) || !dir[d].parsed) continue;
        freeDirByForm.emplace(dir[d].form, static_cast<int>(d));
        if (!dir[d].uid.empty()) freeDirByUid.emplace(dir[d].uid, static_cast<int>(d));
    }
    for (size_t p = 0; p < phone.size(); ++p) {
        if (pairedPhone.count(static_cast<int>(p))) continue;
        int d = -1;
        if (const auto it = freeDirByForm.find(phone[p].form); it != freeDirByForm.end())
            d = it->second;
        if (d >= 0 && pairedDir.count(d)) d = -1;
        if (d >= 0) {
            add(StepKind::Record, static_cast<int>(p), d, -1);
        } else if (const auto u = freeDirByUid.find(phone[p].uid);
                   u != freeDirByUid.end() && !pairedDir.count(u->second)) {
            // The same item changed on one side since it was exported: which one is unknown.
            d = u->second;
            if (prefer == Prefer::None)
                add(StepKind::Conflict, static_cast<int>(p), d, -1);
            else
                add(prefer == Prefer::Phone ? StepKind::ToDir : StepKind::ToPhone,
                    static_cast<int>(p), d, -1);
        } else {
            add(StepKind::ToDir, static_cast<int>(p), -1, -1);
        }
        if (d >= 0) pairedDir.insert(d);
    }
    for (size_t d = 0; d < dir.size(); ++d)
        if (!pairedDir.count(static_cast<int>(d)) && dir[d].parsed)
            add(StepKind::ToPhone, -1, static_cast<int>(d), -1);
    return plan;
}

bool ManyDeletions(const Plan& plan, size_t phoneItems, size_t dirItems) {
    return static_cast<size_t>(plan.phoneDeletes) * 5 > phoneItems ||
           static_cast<size_t>(plan.fileDeletes) * 5 > dirItems;
}

}  // namespace orlin::sync
