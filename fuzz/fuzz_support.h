#pragma once
// What the fuzz targets share: a serial line in memory that plays the phone from the fuzzer's
// input, a phone session over it, the input cut into answers, and the input as a file for the
// readers that take a path.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/phone_session.h"
#include "link/serial_device.h"

namespace orlin::fuzz {

// The byte that separates the phone's answers in an input (ASCII record separator): the
// first answer comes out after the first command, the second after the next, and so on.
inline constexpr char kAnswerSeparator = '\x1e';
std::vector<std::string> SplitAnswers(const std::string& input);

// A serial line in memory. Nothing ever waits: once what the phone sent is read, every wait
// times out at once, so an exchange ends with the time-out error instead of blocking.
class MemoryLine final : public SerialLine {
public:
    // `answers`: one per command line written (a CR in the written bytes releases the next).
    // `plan`: one byte per read in turn (cycling): its low six bits the most bytes that read
    // hands out (0: all there is), bit 7 a framing error reported with it.
    explicit MemoryLine(std::vector<std::string> answers, std::vector<uint8_t> plan = {});

    int32_t ClearEventMask() override { return 0; }
    int32_t SetQueueSize(int) override { return 0; }
    int32_t SetDriverTimeouts() override { return 0; }
    int32_t ApplyLine(const LineSettings&) override { return 0; }
    void SetRts(bool) override {}
    void SetDtr(bool) override {}
    void Purge() override {}
    int32_t Waiting(int& count, LineErrorFlags& flags) override;
    int32_t WaitForData(int timeoutMs) override;
    int32_t Read(char* buffer, int n, int timeoutMs, int& done) override;
    int32_t Write(const char* buffer, int n, int timeoutMs, int& done) override;
    void Close() override {}

    const std::string& written() const { return written_; }

private:
    uint8_t step() const { return plan_.empty() ? 0 : plan_[reads_ % plan_.size()]; }

    std::vector<std::string> answers_;
    size_t nextAnswer_ = 0;
    std::vector<uint8_t> plan_;
    size_t reads_ = 0;
    std::string pending_;  // sent by the phone, not read yet
    std::string written_;
};

// A port object open over a MemoryLine with these answers (RaiseErrors as given, the window's
// 1000 ms time-out, 9600 baud).
std::unique_ptr<TBlockSerial> MemoryPort(std::vector<std::string> answers,
                                         std::vector<uint8_t> plan = {}, bool raiseErrors = true);
// A phone session over such a port, raising like the program's sessions.
PhoneSession MemorySession(const std::string& input);

// The input as a file: the same path each time, rewritten for every input (in memory).
const std::string& InputFile(const uint8_t* data, size_t size);

}  // namespace orlin::fuzz
