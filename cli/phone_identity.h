#pragma once
// The identity orlin-cli gives the cards and events it writes: the phone's key (a hash of its
// serial number) and the stamps of its items, kept in the work folder beside portcfg.ini.

#include <ctime>
#include <iostream>
#include <memory>
#include <string>

#include "cli/verb.h"
#include "link/answers.h"
#include "link/data_folder.h"
#include "link/stable_id.h"
#include "status/phone_info.h"

namespace orlin::cli {

// The key of the phone on the port; a phone that gives no serial number gets the key of none,
// which is said on standard error.
inline std::string AskPhoneKey(const Invocation& invocation) {
    const std::string answer =
        AskInfo(invocation.settings, kImeiCommand, SessionOptions(invocation));
    const std::string serial = IsRefusal(answer) ? std::string() : ParseImei(answer);
    if (serial.empty())
        std::cerr << "The phone gave no serial number: its items get the identity of a phone "
                     "without one."
                  << std::endl;
    return PhoneKey(serial);
}

// The stamps of the phone `key` (the file orlin-stamps-<key>.txt in the work folder).
inline std::unique_ptr<StampBook> OpenStamps(const std::string& key) {
    return std::make_unique<StampBook>(WorkFilePath("orlin-stamps-" + key + ".txt"));
}

inline int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace orlin::cli
