#pragma once
// A simulated phone started for one test, reached through the real serial port class,
// and a raw client for the tests that look at the exact bytes on the line.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "link/block_serial.h"
#include "phonesim/phone_simulator.h"

namespace orlin::phonesim::test {

inline PhoneSimOptions Model(const std::string& model) {
    PhoneSimOptions o;
    o.model = model;
    return o;
}

// A started phone and an open TBlockSerial on it (errors are not raised: tests look at
// LastError after each exchange).
struct SimPort {
    explicit SimPort(PhoneSimOptions options = {}) : sim(options) {
        sim.start();
        open();
    }
    void open() {
        port.OpenPort(sim.portPath());
        port.ConfigureLine(115200, 8, 'N', 0, false, false);
    }
    std::string at(const std::string& command) { return port.AtCommand(command); }
    // The information line of a one-line answer, without its framing.
    std::string line(const std::string& command) {
        std::string r = at(command);
        if (r.size() < 4 || r.compare(0, 2, "\r\n") != 0) return r;
        return r.substr(2, r.find("\r\n", 2) - 2);
    }

    PhoneSimulator sim;
    TBlockSerial port;
};

// Opens the device like a terminal program and reads whatever comes, byte for byte.
class RawClient {
public:
    explicit RawClient(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) throw std::runtime_error("cannot open " + path);
        termios tio{};
        tcgetattr(fd_, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd_, TCSANOW, &tio);
    }
    ~RawClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    void send(const std::string& bytes) {
        if (::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("short write");
    }
    // Reads until `end` has arrived (returns everything read) or the time is up.
    std::string readUntil(const std::string& end, int timeoutMs = 2000) {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < end.size() ||
               got.compare(got.size() - end.size(), end.size(), end) != 0) {
            int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            deadline - std::chrono::steady_clock::now())
                                            .count());
            if (left <= 0) break;
            std::string piece = readOnce(left);
            got += piece;
        }
        return got;
    }
    // Reads whatever arrives until the line has been quiet for `quietMs`.
    std::string readQuiet(int quietMs = 200) {
        std::string got;
        for (;;) {
            std::string piece = readOnce(quietMs);
            if (piece.empty()) return got;
            got += piece;
        }
    }
    // One read() after waiting up to timeoutMs; counts the separate reads that data took.
    std::string readOnce(int timeoutMs) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) {
            hungUp_ = hungUp_ || (p.revents & (POLLHUP | POLLERR));
            return {};
        }
        char buf[65536];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0) {
            hungUp_ = true;
            return {};
        }
        ++reads_;
        return std::string(buf, static_cast<size_t>(n));
    }
    int reads() const { return reads_; }
    bool hungUp() const { return hungUp_; }

private:
    int fd_ = -1;
    int reads_ = 0;
    bool hungUp_ = false;
};

// "OK" framed as the phone ends every good answer.
inline const std::string kOk = "\r\nOK\r\n";

}  // namespace orlin::phonesim::test
