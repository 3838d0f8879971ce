#include "tests/support/private_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace orlin::test {

namespace {

// Starts `argv` with its standard output on a pipe and returns its first line, waiting at
// most `timeoutMs`; "" when none came (the process is then stopped).
std::string StartReadingLine(const std::vector<std::string>& argv, pid_t& pid, int timeoutMs) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return {};
    pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        std::vector<char*> words;
        for (const std::string& word : argv) words.push_back(const_cast<char*>(word.c_str()));
        words.push_back(nullptr);
        ::execvp(words[0], words.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pid > 0 && line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) break;
        pollfd entry{out[0], POLLIN, 0};
        if (::poll(&entry, 1, static_cast<int>(left)) <= 0) break;
        char buffer[256];
        const ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got <= 0) break;
        line.append(buffer, static_cast<size_t>(got));
    }
    ::close(out[0]);
    const size_t end = line.find('\n');
    if (end == std::string::npos) {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        pid = -1;
        return {};
    }
    return line.substr(0, end);
}

void Stop(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

}  // namespace

void IsolateTestProcess() {
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orlin-tests-ask-no-system-bus", 1);
    ::setenv("XDG_DATA_HOME", "/nonexistent/orlin-tests-data-home", 1);
    // The suite checks the Russian texts whatever the machine's locale; a test of English sets
    // ORLIN_LANG=en for the program it starts.
    ::setenv("ORLIN_LANG", "ru", 1);
}

PrivateBus::PrivateBus() {
    // The session bus's configuration: anyone may own any name, which the stand-in needs.
    address_ = StartReadingLine(
        {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"}, pid_, 10000);
}

PrivateBus::~PrivateBus() {
    Stop(pid_);
}

ModemManagerStandIn::ModemManagerStandIn(const PrivateBus& bus, const std::string& device,
                                         const std::string& uid) {
    char pattern[] = "/tmp/orlin-mm-log-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd >= 0) ::close(fd);
    log_ = pattern;
    // Debian's own Python, which has the D-Bus and GLib bindings.
    ready_ = StartReadingLine({"/usr/bin/python3", ORLIN_MM_STANDIN, "--address", bus.address(),
                               "--device", device, "--uid", uid, "--log", log_},
                              pid_, 20000) == "READY";
}

ModemManagerStandIn::~ModemManagerStandIn() {
    Stop(pid_);
    std::error_code ignored;
    std::filesystem::remove(log_, ignored);
}

std::vector<std::string> ModemManagerStandIn::calls() const {
    std::vector<std::string> lines;
    std::ifstream file(log_);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

}  // namespace orlin::test
