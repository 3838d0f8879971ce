#pragma once
// Fault runs: a phone operation tried under each fault of the simulated phone (silence, half
// an answer, a hang-up, a "+CME ERROR" refusal), the checks after each run (the port free
// again, nothing lost), and a file-size limit under which writes fail as on a full disk.
//
//   const std::vector<std::string> clean = ...;  // the operation's commands without faults
//   for (PhoneFault fault : kEveryPhoneFault) {
//       SimPhone phone(options);
//       const FaultOutcome outcome = RunWithFault(phone, fault, "AT+MDBR=4", clean, operation);
//       EXPECT_EQ(outcome.portProblem, "");
//   }

#include <sys/resource.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/sim_phone.h"

namespace orlin::test {

// While it lives, regular files of this process may grow to `bytes` only, and a write past
// that fails with EFBIG instead of ending the process: a full disk, as a write meets it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// The same for a command run through the shell: put before it with "&&".
inline const char* const kShellFileSizeLimit = "trap '' XFSZ && ulimit -f 1";

enum class PhoneFault {
    Silence,   // no echo and no answer to the command
    Cut,       // the answer stops half-way
    HangUp,    // the phone closes the line after the command before
    CmeError,  // the command is refused with "+CME ERROR: 10"
};
inline constexpr PhoneFault kEveryPhoneFault[] = {PhoneFault::Silence, PhoneFault::Cut,
                                                  PhoneFault::HangUp, PhoneFault::CmeError};
const char* FaultName(PhoneFault fault);
inline const std::string kCmeErrorLine = "+CME ERROR: 10";

// What an operation under a fault told its user, and whether it left the port free.
struct FaultOutcome {
    bool raised = false;  // it ended with an exception derived from OrlinError
    std::string message;  // that exception's text, or what the operation reported
    // Empty when the port is free again: no descriptor of this process that the operation
    // opened on the device is left and, unless the phone hung up, a new session opens at once
    // and the phone answers "AT". Otherwise what is wrong.
    std::string portProblem;
};

// Runs `operation` on `phone` with `fault` at the first command that starts with `target`.
// `clean` holds the commands the same operation sends to a phone without faults: the hang-up
// comes right after the command before the target, or, when the target is the first, before
// the operation opens the port. The faults are cleared afterwards. A run in which the fault
// did not meet its target raises std::logic_error.
FaultOutcome RunWithFault(SimPhone& phone, PhoneFault fault, const std::string& target,
                          const std::vector<std::string>& clean,
                          const std::function<std::string()>& operation);

// The keys whose value in `now` is neither the one in `before` nor the one in `after`; a key
// that is missing counts as a value of its own. What an interrupted operation leaves must be
// the old state, or the new one as far as it got, item by item.
template <typename Key, typename Value>
std::vector<Key> NeitherBeforeNorAfter(const std::map<Key, Value>& before,
                                       const std::map<Key, Value>& after,
                                       const std::map<Key, Value>& now) {
    auto same = [](const std::map<Key, Value>& map, const Key& key, const Value* value) {
        const auto it = map.find(key);
        return it == map.end() ? value == nullptr : value != nullptr && it->second == *value;
    };
    std::map<Key, bool> keys;
    for (const auto* map : {&before, &after, &now})
        for (const auto& item : *map) keys[item.first] = true;
    std::vector<Key> wrong;
    for (const auto& [key, unused] : keys) {
        const auto it = now.find(key);
        const Value* value = it == now.end() ? nullptr : &it->second;
        if (!same(before, key, value) && !same(after, key, value)) wrong.push_back(key);
    }
    return wrong;
}

}  // namespace orlin::test
