#pragma once
// The identity orlin-cli gives the cards and events it writes: the phone's key (a hash of its
// serial number) and the stamps of its items, shared with the window (status/phone_key.h).

#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <set>
#include <string>

#include "cli/verb.h"
#include "link/stable_id.h"
#include "link/whole_file.h"
#include "status/phone_info.h"
#include "status/phone_key.h"

namespace orlin::cli {

// The key of the phone on the session's port; a phone that gives no serial number gets the key
// of none, which is said on standard error.
inline std::string AskPhoneKey(PhoneSession& session) {
    const AskedPhoneKey asked = PhoneKeyOfAnswer(AskInfo(session, kImeiCommand));
    if (!asked.serialGiven)
        std::cerr << "The phone gave no serial number: its items get the identity of a phone "
                     "without one."
                  << std::endl;
    return asked.key;
}

// The stamps of the phone `key` (kept as the window and the backup keep them).
inline std::unique_ptr<StampBook> OpenStamps(const std::string& key) {
    return std::make_unique<StampBook>(StampBookPath(key));
}

inline int64_t Now() {
    return NowSeconds();
}

// The UID an item file of a vdir gives on its one UID line; empty when it gives none or more.
inline std::string UidOfItemFile(const std::string& text) {
    std::string uid;
    int found = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("UID:", 0) == 0) {
            uid = line.substr(4);
            ++found;
        }
    }
    return found == 1 ? uid : std::string();
}

// Removes the files `<UID><extension>` of the vdir `dir` whose UID (in the name and in the
// file alike) is one of ours of this phone (`ours`) and not among `written`: the items that
// are gone from the phone. Any other file is left alone. Returns how many were removed.
inline int RemoveGoneItemFiles(const std::string& dir, const std::string& extension,
                               const std::set<std::string>& written,
                               const std::function<bool(const std::string& uid)>& ours) {
    std::vector<std::filesystem::path> gone;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(dir))) {
        const std::filesystem::path& file = entry.path();
        if (!entry.is_regular_file() || file.extension() != extension) continue;
        const std::string uid = Utf8FromPath(file.stem());
        if (written.count(uid) || !ours(uid)) continue;
        // A file of ours is small; one that is not (or says another UID) is someone else's.
        if (std::filesystem::file_size(file) > (1 << 20) ||
            UidOfItemFile(ReadWholeFile(Utf8FromPath(file))) != uid)
            continue;
        gone.push_back(file);
    }
    for (const auto& file : gone) std::filesystem::remove(file);
    return static_cast<int>(gone.size());
}

}  // namespace orlin::cli
