#include "fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "link/block_serial.h"

namespace orlin::fuzz {

std::vector<std::string> SplitAnswers(const std::string& input) {
    std::vector<std::string> answers;
    size_t start = 0;
    for (;;) {
        const size_t end = input.find(kAnswerSeparator, start);
        answers.push_back(input.substr(start, end - start));
        if (end == std::string::npos) return answers;
        start = end + 1;
    }
}

MemoryLine::MemoryLine(std::vector<std::string> answers, std::vector<uint8_t> plan)
    : answers_(std::move(answers)), plan_(std::move(plan)) {}

int32_t MemoryLine::Waiting(int& count, LineErrorFlags& flags) {
    const size_t most = step() & 0x3F;
    count = static_cast<int>(most == 0 ? pending_.size() : std::min(most, pending_.size()));
    flags = LineErrorFlags{};
    flags.framing = (step() & 0x80) != 0 && count > 0;
    return 0;
}

int32_t MemoryLine::WaitForData(int) {
    return pending_.empty() ? ErrTimeout : 0;
}

int32_t MemoryLine::Read(char* buffer, int n, int, int& done) {
    done = static_cast<int>(std::min(static_cast<size_t>(std::max(n, 0)), pending_.size()));
    std::copy_n(pending_.data(), done, buffer);
    pending_.erase(0, static_cast<size_t>(done));
    ++reads_;
    return 0;
}

int32_t MemoryLine::Write(const char* buffer, int n, int, int& done) {
    written_.append(buffer, static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (buffer[i] == '\r' && nextAnswer_ < answers_.size()) pending_ += answers_[nextAnswer_++];
    }
    done = n;
    return 0;
}

std::unique_ptr<TBlockSerial> MemoryPort(std::vector<std::string> answers,
                                         std::vector<uint8_t> plan, bool raiseErrors) {
    auto port = std::make_unique<TBlockSerial>();
    port->RaiseErrors = raiseErrors;
    port->OpenDevice(std::make_unique<MemoryLine>(std::move(answers), std::move(plan)), "memory");
    port->ConfigureLine(9600, 8, 'N', 0, false, false);
    port->AtTimeout = 1000;
    return port;
}

PhoneSession MemorySession(const std::string& input) {
    return PhoneSession(MemoryPort(SplitAnswers(input)));
}

const std::string& InputFile(const uint8_t* data, size_t size) {
    static const int fd = [] {
        const int made = memfd_create("orlin-fuzz-input", 0);
        if (made < 0) std::abort();
        return made;
    }();
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (ftruncate(fd, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t put = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) std::abort();
        done += static_cast<size_t>(put);
    }
    return path;
}

}  // namespace orlin::fuzz
