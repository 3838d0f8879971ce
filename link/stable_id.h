#pragma once
// Identities that stay put: what every card and event Orlin writes carries so that a calendar
// or address book sees the same item on every export. The phone is named by a hash of its
// serial number (the number itself never reaches a server), an item by that and its place on
// the phone; a short hash of an item's content tells whether it changed, and the time it was
// first seen with that content stands as its DTSTAMP or REV, so that two exports of an
// unchanged phone are the same bytes.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace orlin {

// 64-bit FNV-1a of `bytes` as 16 lower-case hex digits.
std::string ShortHash(std::string_view bytes);

// The phone's key: ShortHash of its serial number with a fixed prefix. An empty serial gives
// the key of "no serial" (all such phones share it).
std::string PhoneKey(const std::string& serial);

// The identity an export gives its items: the phone's key, and the stamp (UTC,
// YYYYMMDDTHHMMSSZ) of an item by its UID and content hash. Without a key the writers keep
// their old form.
struct ItemIdentity {
    std::string phoneKey;
    std::function<std::string(const std::string& uid, const std::string& hash)> stampOf;
};

// "YYYYMMDDTHHMMSSZ" of a time in seconds since 1970 (UTC).
std::string UtcStamp(int64_t seconds);

// The stamps of one phone's items: UID -> (content hash, stamp). A UID seen with the same
// hash keeps its stamp; a new UID or a new hash takes the time given. Kept in a small text
// file, one "UID<TAB>hash<TAB>stamp" line each, written as a whole.
class StampBook {
public:
    // Reads `path` when it exists (a missing file is an empty book; lines that do not parse
    // are left out).
    explicit StampBook(std::string path);
    std::string stampOf(const std::string& uid, const std::string& hash, int64_t now);
    // Writes the book when a stamp was added or changed.
    void save();
    bool changed() const { return changed_; }
    ItemIdentity identity(const std::string& phoneKey, int64_t now);

private:
    std::string path_;
    std::map<std::string, std::pair<std::string, std::string>> stamps_;
    bool changed_ = false;
};

}  // namespace orlin
