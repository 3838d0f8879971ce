#include "phonesim/pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace orlin::phonesim {

PtyLine::~PtyLine() {
    close();
}

void PtyLine::open() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error(std::string("openpty failed: ") + std::strerror(errno));
    slavePath_ = name;
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    receiveClock_ = sendClock_ = Clock::now();
}

void PtyLine::close() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

void PtyLine::hangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyLine::waitUntilRead(std::chrono::milliseconds limit) {
    // Written bytes reach the client's queue a moment later, so the queue must stay
    // empty for a while before the client counts as having read everything.
    auto deadline = Clock::now() + limit;
    auto emptySince = Clock::now();
    while (slave_ >= 0 && Clock::now() < deadline) {
        int waiting = 0;
        if (::ioctl(slave_, FIONREAD, &waiting) != 0) return;
        if (waiting > 0)
            emptySince = Clock::now();
        else if (Clock::now() - emptySince > std::chrono::milliseconds(100))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

PtyLine::Clock::duration PtyLine::byteTime() const {
    if (baud_ <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(10'000'000'000LL / baud_));
}

std::string PtyLine::readAvailable() {
    std::string out;
    char buf[4096];
    while (master_ >= 0) {
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<size_t>(n));
            continue;
        }
        break;  // EAGAIN, or EIO while nothing is connected
    }
    return out;
}

PtyLine::Clock::time_point PtyLine::arrivalOf(size_t count, Clock::time_point readAt) {
    if (baud_ <= 0) return readAt;
    if (receiveClock_ < readAt) receiveClock_ = readAt;
    receiveClock_ += byteTime() * static_cast<long>(count);
    return receiveClock_;
}

void PtyLine::sleepUntil(Clock::time_point t, const std::atomic<bool>& stopping) {
    while (!stopping && Clock::now() < t) {
        auto left = t - Clock::now();
        std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(50)));
    }
}

bool PtyLine::writeRaw(const char* data, size_t size, const std::atomic<bool>& stopping) {
    while (size > 0) {
        if (stopping || master_ < 0) return false;
        ssize_t n = ::write(master_, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, 50);  // the client has not read yet; wait for room
    }
    return true;
}

bool PtyLine::write(const std::vector<std::string>& pieces, std::chrono::milliseconds pause,
                    const std::atomic<bool>& stopping, std::optional<Clock::time_point> earliest) {
    const auto perByte = byteTime();
    // Bytes are released in slices of about 2 ms of line time, each when its last byte
    // would have been received: an absolute schedule, so sleeping late never accumulates.
    size_t slice = 1;
    if (baud_ > 0) slice = std::max<size_t>(1, static_cast<size_t>(baud_) / 10 / 500);
    bool first = true;
    for (const auto& piece : pieces) {
        if (!first && pause.count() > 0) {
            sleepUntil(std::max(Clock::now(), sendClock_) + pause, stopping);
        }
        if (perByte == Clock::duration::zero()) {
            first = false;
            if (!writeRaw(piece.data(), piece.size(), stopping)) return false;
            continue;
        }
        auto start = std::max(first && earliest ? *earliest : Clock::now(), sendClock_);
        first = false;
        for (size_t done = 0; done < piece.size();) {
            size_t n = std::min(slice, piece.size() - done);
            sleepUntil(start + perByte * static_cast<long>(done + n), stopping);
            if (!writeRaw(piece.data() + done, n, stopping)) return false;
            done += n;
        }
        sendClock_ = start + perByte * static_cast<long>(piece.size());
    }
    return !stopping;
}

}  // namespace orlin::phonesim
