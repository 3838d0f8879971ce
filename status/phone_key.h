#pragma once
// The identity of the phone on the port, the same for orlin-cli, the window and the backup:
// the key of its serial number (AT+CGSN; the number itself never reaches a file) and the
// stamps of its items, kept in the work folder beside portcfg.ini (orlin-stamps-<key>.txt).
// Whoever writes the phone's cards and events with these writes the same bytes for the same
// items, whichever front end asked.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/phone_session.h"
#include "link/port_settings.h"
#include "link/stable_id.h"

namespace orlin {

struct AskedPhoneKey {
    std::string key;
    bool serialGiven = false;  // false: the key of a phone without a serial number
};

// The key of the phone that gave `answer` to AT+CGSN; a refusal or an empty serial gives the
// key of "no serial".
AskedPhoneKey PhoneKeyOfAnswer(const std::string& answer);

// AT+CGSN over the caller's session. Nothing when the phone does not answer (a port failure, a
// time-out): the caller then has no identity to give, which is not the same as a phone
// without a serial number.
std::optional<AskedPhoneKey> TryAskPhoneKey(PhoneSession& session);

// The stamp book of the phone `key` in the work folder.
std::string StampBookPath(const std::string& key);

int64_t NowSeconds();

// One export's identity: the key and that phone's stamp book, taken now. save() writes the
// book (only when a stamp was added or changed), after the files are written.
class ExportIdentity {
public:
    explicit ExportIdentity(const std::string& key, int64_t now = NowSeconds());
    const ItemIdentity& identity() const { return identity_; }
    const std::string& key() const { return identity_.phoneKey; }
    void save() { book_->save(); }

private:
    std::unique_ptr<StampBook> book_;  // identity_ points into it
    ItemIdentity identity_;
};

}  // namespace orlin
