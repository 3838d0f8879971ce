#pragma once
// A scripted phone on a real pseudo-terminal, for the tests of the link layer and the
// command line: expect this command, answer these bytes, in these chunks, after these
// pauses. The port object under test opens SlavePath() like any serial device.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/block_serial.h"

namespace orlin::test {

class PtyResponder {
public:
    PtyResponder();
    ~PtyResponder();  // stops the script and closes both sides
    PtyResponder(const PtyResponder&) = delete;
    PtyResponder& operator=(const PtyResponder&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int SlaveFd() const { return slaveFd_; }

    // Script steps, run in order on a thread once Start() is called.
    // Waits until the bytes received since the last expectation contain text.
    PtyResponder& Expect(const std::string& text, int timeoutMs = 3000);
    // Writes the bytes after a pause.
    PtyResponder& Send(const std::string& bytes, int pauseMs = 0);
    // Expects the command (with its CR) and answers it: the echo when asked, then the chunks,
    // each after its pause.
    PtyResponder& Answer(const std::string& command, bool echo,
                         const std::vector<std::pair<int, std::string>>& chunks);

    void Start();
    // Waits for the script to end; true when every expectation was met in time.
    bool Finish();
    std::string Failure();
    std::string Received();

private:
    struct Step {
        bool expect;
        std::string text;
        int millis;  // time-out of an expectation, pause before a send
    };
    void Run();
    bool Await(const std::string& text, int timeoutMs);

    int masterFd_ = -1;
    int slaveFd_ = -1;
    std::string slavePath_;
    std::vector<Step> steps_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string received_;
    size_t consumed_ = 0;
    std::string failure_;
};

// Opens the port on the scripted phone the way every operation does: 8N1 at 19200 bit/s,
// no flow control.
inline void OpenLikeASession(TBlockSerial& port, const PtyResponder& phone, bool raise = true,
                             int atTimeout = 400) {
    port.RaiseErrors = raise;
    port.OpenPort(phone.SlavePath());
    port.ConfigureLine(19200, 8, 'N', 0, false, false);
    port.AtTimeout = atTimeout;
}

}  // namespace orlin::test
