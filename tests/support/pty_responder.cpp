#include "tests/support/pty_responder.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace orlin::test {

namespace {

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

PtyResponder::PtyResponder() {
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    if (::openpty(&masterFd_, &slaveFd_, name, &raw, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    slavePath_ = name;
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    // Programs the tests start must not hold the device open behind our back.
    ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);
}

PtyResponder::~PtyResponder() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(masterFd_);
    ::close(slaveFd_);
}

PtyResponder& PtyResponder::Expect(const std::string& text, int timeoutMs) {
    steps_.push_back({true, text, timeoutMs});
    return *this;
}

PtyResponder& PtyResponder::Send(const std::string& bytes, int pauseMs) {
    steps_.push_back({false, bytes, pauseMs});
    return *this;
}

PtyResponder& PtyResponder::Answer(const std::string& command, bool echo,
                                   const std::vector<std::pair<int, std::string>>& chunks) {
    Expect(command + "\r");
    if (echo) Send(command + "\r");
    for (const auto& [pause, bytes] : chunks) Send(bytes, pause);
    return *this;
}

void PtyResponder::Start() {
    thread_ = std::thread([this] { Run(); });
}

bool PtyResponder::Finish() {
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_.empty();
}

std::string PtyResponder::Failure() {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}

std::string PtyResponder::Received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

bool PtyResponder::Await(const std::string& text, int timeoutMs) {
    const long long deadline = NowMs() + timeoutMs;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const size_t found = received_.find(text, consumed_);
            if (found != std::string::npos) {
                consumed_ = found + text.size();
                return true;
            }
        }
        const long long left = deadline - NowMs();
        if (left <= 0 || stop_) return false;
        pollfd entry{masterFd_, POLLIN, 0};
        if (::poll(&entry, 1, static_cast<int>(std::min<long long>(left, 20))) > 0) {
            char buffer[512];
            const ssize_t got = ::read(masterFd_, buffer, sizeof buffer);
            if (got > 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                received_.append(buffer, static_cast<size_t>(got));
            } else if (got < 0 && errno != EAGAIN) {
                // The slave side is closed at the moment (EIO): wait for it to come back.
                ::usleep(5000);
            }
        }
    }
}

void PtyResponder::Run() {
    for (const Step& step : steps_) {
        if (stop_) return;
        if (step.expect) {
            if (!Await(step.text, step.millis)) {
                std::lock_guard<std::mutex> lock(mutex_);
                failure_ = "expected '" + step.text + "', received '" + received_ + "'";
                return;
            }
            continue;
        }
        for (long long end = NowMs() + step.millis; NowMs() < end && !stop_;) ::usleep(1000);
        size_t done = 0;
        while (done < step.text.size() && !stop_) {
            const ssize_t put =
                ::write(masterFd_, step.text.data() + done, step.text.size() - done);
            if (put > 0) {
                done += static_cast<size_t>(put);
            } else {
                ::usleep(1000);
            }
        }
        // Let each chunk reach the other side on its own, so chunks stay separate reads.
        ::tcdrain(masterFd_);
    }
}

}  // namespace orlin::test
