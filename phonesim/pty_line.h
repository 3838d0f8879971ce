#pragma once
// The phone's end of the line: a pseudo-terminal master with paced, fault-aware writes.

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orlin::phonesim {

class PtyLine {
public:
    using Clock = std::chrono::steady_clock;

    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Opens the pair, makes the slave raw and keeps it open so that the master never sees
    // EIO while no client has the device open. Throws std::runtime_error.
    void open();
    void close();
    // Closes the master as a phone that goes away does: the device path disappears and a
    // client's descriptor sees the line end. The slave stays held until close(), so that the
    // system does not hand the same pty number to another program (another test's phone)
    // while a client of this one may still open the old path.
    void hangUp();
    // Waits until the client has read everything written (at most `limit`).
    void waitUntilRead(std::chrono::milliseconds limit);
    bool isOpen() const { return master_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // 0: no pacing. Otherwise each byte takes 10 bits at this rate, in both directions.
    void setBaud(int baud) { baud_ = baud; }
    Clock::duration byteTime() const;

    // Reads what the client sent (non-blocking); empty when nothing waits.
    std::string readAvailable();

    // When the last of `count` bytes that arrived at `readAt` has come in over the line;
    // keeps the receive schedule (a line receives one byte after another).
    Clock::time_point arrivalOf(size_t count, Clock::time_point readAt);

    // Writes the pieces one after another, `pause` between them, paced at the line speed
    // by an absolute schedule. The first piece may be scheduled from `earliest` even when
    // that has passed (an echo goes out while its bytes come in); by default from now.
    // Returns false when stopped or the device failed.
    bool write(const std::vector<std::string>& pieces, std::chrono::milliseconds pause,
               const std::atomic<bool>& stopping, std::optional<Clock::time_point> earliest = {});

    // Sleeps until `t`, waking early when `stopping` is set.
    static void sleepUntil(Clock::time_point t, const std::atomic<bool>& stopping);

private:
    bool writeRaw(const char* data, size_t size, const std::atomic<bool>& stopping);

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    int baud_ = 0;
    Clock::time_point receiveClock_{};
    Clock::time_point sendClock_{};
};

}  // namespace orlin::phonesim
