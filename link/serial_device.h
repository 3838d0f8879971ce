#pragma once
// The platform part of TBlockSerial: one open serial device and the few operations the
// port object needs of it. serial_port_posix.cpp and serial_port_win32.cpp implement it.
// Failures return the operating system's error code (0 = success) or ErrTimeout.

#include <cstdint>
#include <memory>
#include <string>

namespace orlin {

// The line-error flags the driver reports, cleared by reading them.
struct LineErrorFlags {
    bool framing = false;
    bool overrun = false;
    bool queueOverflow = false;
    bool parity = false;
    bool outputFull = false;
};

// The line settings as ConfigureLine builds them.
struct LineSettings {
    int baudRate = 0;
    int dataBits = 0;
    enum class Parity { None, Odd, Even, Mark, Space } parity = Parity::None;
    uint8_t stopBits = 0;  // 0 = one, 1 = one and a half, 2 = two
    bool binary = false;
    bool parityCheck = false;
    bool dtrOn = false;
    bool softwareFlow = false;  // XON/XOFF on output and input
    bool ctsFlow = false;       // CTS watched on output
    bool rtsHandshake = false;  // RTS driven by the input queue; otherwise held on
    char xonChar = 0;
    char xoffChar = 0;
    int xonLimit = 0;
    int xoffLimit = 0;
};

// What TBlockSerial asks of an open device. SerialDevice is the platform's serial port; a
// harness may hand TBlockSerial a device of its own (TBlockSerial::OpenDevice), such as a line
// in memory.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    virtual int32_t ClearEventMask() = 0;
    virtual int32_t SetQueueSize(int inputSize) = 0;
    virtual int32_t SetDriverTimeouts() = 0;
    virtual int32_t ApplyLine(const LineSettings& settings) = 0;
    virtual void SetRts(bool on) = 0;
    virtual void SetDtr(bool on) = 0;
    virtual void Purge() = 0;
    // Bytes waiting in the input queue, and the line-error flags (cleared).
    virtual int32_t Waiting(int& count, LineErrorFlags& flags) = 0;
    // Waits up to timeoutMs for a received character: 0 when one came, ErrTimeout when
    // none came, another code on failure.
    virtual int32_t WaitForData(int timeoutMs) = 0;
    // Reads (writes) up to n bytes, waiting at most timeoutMs for completion; on expiry
    // the read (write) is abandoned and ErrTimeout returned with what was done so far.
    virtual int32_t Read(char* buffer, int n, int timeoutMs, int& done) = 0;
    virtual int32_t Write(const char* buffer, int n, int timeoutMs, int& done) = 0;
    virtual void Close() = 0;
};

class SerialDevice final : public SerialLine {
public:
    // Opens the device exclusively; nullptr and the system error code on failure.
    static std::unique_ptr<SerialDevice> Open(const std::string& path, int32_t& error);
    ~SerialDevice() override;  // closes the device
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    int32_t ClearEventMask() override;
    int32_t SetQueueSize(int inputSize) override;
    int32_t SetDriverTimeouts() override;
    int32_t ApplyLine(const LineSettings& settings) override;
    void SetRts(bool on) override;
    void SetDtr(bool on) override;
    void Purge() override;
    int32_t Waiting(int& count, LineErrorFlags& flags) override;
    int32_t WaitForData(int timeoutMs) override;
    int32_t Read(char* buffer, int n, int timeoutMs, int& done) override;
    int32_t Write(const char* buffer, int n, int timeoutMs, int& done) override;
    void Close() override;

    struct Impl;

private:
    explicit SerialDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace orlin

namespace orlin {

// The operating system's message for one of its error codes (UTF-8).
std::string SystemErrorText(int32_t code);

// The code that a set of line-error flags reports: the last set flag in the order
// framing, overrun, input queue overflow, parity, output queue full; 0 when none is set.
int32_t LineErrorCode(const LineErrorFlags& flags);

}  // namespace orlin
