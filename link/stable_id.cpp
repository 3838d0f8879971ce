#include "link/stable_id.h"

#include <cstdio>
#include <filesystem>

#include "link/whole_file.h"

namespace orlin {

std::string ShortHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    static const char* hex = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<size_t>(i)] = hex[hash & 15];
    return out;
}

std::string PhoneKey(const std::string& serial) {
    return ShortHash("orlin-phone:" + serial);
}

std::string UtcStamp(int64_t seconds) {
    // Civil date from days since 1970 (proleptic Gregorian), without gmtime's thread issues.
    int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) rest += 86400, --days;
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2);
    char text[96];
    std::snprintf(text, sizeof text, "%04lld%02lld%02lldT%02lld%02lld%02lldZ",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

StampBook::StampBook(std::string path) : path_(std::move(path)) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathFromUtf8(path_), error)) return;
    const std::string text = ReadWholeFile(path_);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        const size_t a = line.find('\t');
        const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        if (b == std::string::npos) continue;
        stamps_[line.substr(0, a)] = {line.substr(a + 1, b - a - 1), line.substr(b + 1)};
    }
}

std::string StampBook::stampOf(const std::string& uid, const std::string& hash, int64_t now) {
    auto& entry = stamps_[uid];
    if (entry.first != hash || entry.second.empty()) {
        entry = {hash, UtcStamp(now)};
        changed_ = true;
    }
    return entry.second;
}

void StampBook::save() {
    if (!changed_) return;
    std::string text;
    for (const auto& [uid, entry] : stamps_)
        text += uid + "\t" + entry.first + "\t" + entry.second + "\n";
    WriteWholeFile(path_, text);
    changed_ = false;
}

ItemIdentity StampBook::identity(const std::string& phoneKey, int64_t now) {
    ItemIdentity identity;
    identity.phoneKey = phoneKey;
    identity.stampOf = [this, now](const std::string& uid, const std::string& hash) {
        return stampOf(uid, hash, now);
    };
    return identity;
}

}  // namespace orlin
