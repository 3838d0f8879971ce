#include "status/phone_key.h"

#include <ctime>

#include "link/answers.h"
#include "link/data_folder.h"
#include "link/errors.h"
#include "status/phone_info.h"

namespace orlin {

AskedPhoneKey PhoneKeyOfAnswer(const std::string& answer) {
    const std::string serial = IsRefusal(answer) ? std::string() : ParseImei(answer);
    return {PhoneKey(serial), !serial.empty()};
}

std::optional<AskedPhoneKey> TryAskPhoneKey(PhoneSession& session) {
    try {
        return PhoneKeyOfAnswer(AskInfo(session, kImeiCommand));
    } catch (const OrlinError&) {
        return std::nullopt;
    }
}

std::string StampBookPath(const std::string& key) {
    return WorkFilePath("orlin-stamps-" + key + ".txt");
}

int64_t NowSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

ExportIdentity::ExportIdentity(const std::string& key, int64_t now)
    : book_(std::make_unique<StampBook>(StampBookPath(key))),
      identity_(book_->identity(key, now)) {}

}  // namespace orlin
