#include "tests/support/fault_runs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>

#include "link/errors.h"
#include "link/phone_session.h"
#include "tests/support/stopwatch.h"

namespace orlin::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
}

const char* FaultName(PhoneFault fault) {
    switch (fault) {
        case PhoneFault::Silence:
            return "silence";
        case PhoneFault::Cut:
            return "cut answer";
        case PhoneFault::HangUp:
            return "hang-up";
        case PhoneFault::CmeError:
            return "+CME ERROR";
    }
    return "?";
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The descriptors of this process open on `device`.
std::set<int> DescriptorsOn(const std::string& device) {
    namespace fs = std::filesystem;
    std::set<int> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        const std::string target = fs::read_symlink(entry.path(), unreadable).string();
        if (!unreadable && StartsWith(target, device) &&
            (target.size() == device.size() || target[device.size()] == ' '))
            found.insert(std::stoi(entry.path().filename().string()));
    }
    return found;
}

std::string PortProblem(SimPhone& phone, const std::set<int>& openBefore) {
    int left = 0;
    for (int fd : DescriptorsOn(phone.portPath())) left += openBefore.count(fd) == 0;
    if (left > 0) return std::to_string(left) + " descriptors are left open on the port";
    if (phone->hungUp()) return {};
    std::string answer;
    const Stopwatch watch;
    try {
        PhoneSession session(phone.settings);
        answer = session.AtCommand("AT");
    } catch (const OrlinError& error) {
        return std::string("a second session failed: ") + error.what();
    }
    if (watch.Elapsed() > 1000)
        return "a second session took " + std::to_string(watch.Elapsed()) + " ms";
    if (answer.find("OK") == std::string::npos) return "the phone answered AT with " + answer;
    return {};
}

// The phone answers one "AT" and closes the line.
// Waits until the phone has closed the line after a hang-up (the client may see the line
// go dead a moment before the phone says so).
bool HungUp(SimPhone& phone) {
    const Stopwatch watch;
    while (!phone->hungUp() && watch.Elapsed() < 3000) ::usleep(1000);
    return phone->hungUp();
}

// A descriptor held open on the device while it lives: after a hang-up the device's name is
// gone, and the held descriptor keeps another pseudo-terminal from getting the same name
// while the operation tries to open it.
class DeviceHold {
public:
    explicit DeviceHold(const std::string& device)
        : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~DeviceHold() {
        if (fd_ >= 0) ::close(fd_);
    }
    DeviceHold(const DeviceHold&) = delete;
    DeviceHold& operator=(const DeviceHold&) = delete;

private:
    int fd_;
};

// The phone answers one "AT" and closes the line.
void HangUpNow(SimPhone& phone) {
    phonesim::FaultOptions faults;
    faults.hangUpAfterCommands = static_cast<int>(phone->commandsReceived()) + 1;
    phone->setFaults(faults);
    {
        PhoneSession session(phone.settings);
        session.AtCommand("AT");
    }
    HungUp(phone);
}

}  // namespace

FaultOutcome RunWithFault(SimPhone& phone, PhoneFault fault, const std::string& target,
                          const std::vector<std::string>& clean,
                          const std::function<std::string()>& operation) {
    const auto at = std::find_if(clean.begin(), clean.end(), [&](const std::string& command) {
        return StartsWith(command, target);
    });
    if (at == clean.end()) throw std::logic_error("the clean run sent no " + target);
    phonesim::FaultOptions faults;
    std::optional<DeviceHold> hold;
    switch (fault) {
        case PhoneFault::Silence:
            faults.silentOn = target;
            break;
        case PhoneFault::Cut:
            faults.cutOn = target;
            break;
        case PhoneFault::HangUp:
            if (at == clean.begin()) {
                hold.emplace(phone.portPath());
                HangUpNow(phone);
            } else {
                faults.hangUpAfterCommands = static_cast<int>(phone->commandsReceived()) +
                                             static_cast<int>(at - clean.begin());
            }
            break;
        case PhoneFault::CmeError:
            faults.errorOn = target;
            faults.errorLine = kCmeErrorLine;
            break;
    }
    if (!phone->hungUp()) phone->setFaults(faults);
    phone.mark();
    const std::set<int> openBefore = DescriptorsOn(phone.portPath());
    FaultOutcome outcome;
    try {
        outcome.message = operation();
    } catch (const OrlinError& error) {
        outcome.raised = true;
        outcome.message = error.what();
    }
    if (!phone->hungUp()) phone->setFaults({});
    const bool targetSent = !phone.sinceStarting(target).empty();
    if (fault == PhoneFault::HangUp ? !HungUp(phone) || targetSent : !targetSent) {
        std::string log;
        for (const std::string& command : phone.since()) log += " " + command;
        throw std::logic_error(std::string("the ") + FaultName(fault) + " did not meet " + target +
                               (phone->hungUp() ? " (hung up)" : "") + "; the phone got" + log);
    }
    outcome.portProblem = PortProblem(phone, openBefore);
    return outcome;
}

}  // namespace orlin::test
