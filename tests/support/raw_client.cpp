#include "tests/support/raw_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace orlin::test {

RawClient::RawClient(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) throw std::runtime_error("cannot open " + path);
    termios tio{};
    tcgetattr(fd_, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd_, TCSANOW, &tio);
}

RawClient::~RawClient() {
    if (fd_ >= 0) ::close(fd_);
}

void RawClient::send(const std::string& bytes) {
    if (::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("short write");
}

std::string RawClient::readUntil(const std::string& end, int timeoutMs) {
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < end.size() || got.compare(got.size() - end.size(), end.size(), end) != 0) {
        int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        deadline - std::chrono::steady_clock::now())
                                        .count());
        if (left <= 0) break;
        got += readOnce(left);
    }
    return got;
}

std::string RawClient::readQuiet(int quietMs) {
    std::string got;
    for (;;) {
        std::string piece = readOnce(quietMs);
        if (piece.empty()) return got;
        got += piece;
    }
}

std::string RawClient::readOnce(int timeoutMs) {
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

}  // namespace orlin::test
