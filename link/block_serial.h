#pragma once
// TBlockSerial: a blocking serial port with the AT exchange on top.
// The line carries bytes; the texts the port words for the user are UTF-8.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "errors.h"

namespace orlin {

// Error codes of the port object; any other code is an operating-system error code.
enum SerialErrorCode : int32_t {
    ErrOk = 0,
    ErrAlreadyOwned = 9991,
    ErrAlreadyInUse = 9992,
    ErrWrongParameter = 9993,
    ErrPortNotOpen = 9994,
    ErrNoDeviceAnswer = 9995,
    ErrMaxBuffer = 9996,
    ErrTimeout = 9997,
    ErrReadFailed = 9998,
    ErrFrame = 9999,
    ErrOverrun = 10000,
    ErrRxOver = 10001,
    ErrRxParity = 10002,
    ErrTxFull = 10003,
};

class ESynaSerError : public OrlinError {
public:
    ESynaSerError(int32_t code, const std::string& description, const std::string& message)
        : OrlinError(message), ErrorCode(code), ErrorMessage(description) {}
    int32_t ErrorCode;
    std::string ErrorMessage;
};

class SerialDevice;  // the platform's serial device
class SerialLine;    // an open device: the platform's (serial_port_posix.cpp / _win32.cpp) or a
                     // harness's

// The port number in a port name: COMn (any case) gives n - 1, so COM0 and COMX give -1;
// /dev/ttySn gives n, and -2 when no number follows; any other name gives -1.
int32_t ParsePortNumber(const std::string& name);
// The device that OpenPort opens for a name and its parsed number: \\.\COM(n+1) on
// Windows, /dev/ttySn elsewhere; a name without a valid number opens unchanged, and so
// does a path (a name starting with '/') outside Windows.
std::string PortDevicePath(const std::string& name, int32_t portNumber, bool forWindows);

class TBlockSerial {
public:
    TBlockSerial();
    virtual ~TBlockSerial();
    TBlockSerial(const TBlockSerial&) = delete;
    TBlockSerial& operator=(const TBlockSerial&) = delete;

    void OpenPort(const std::string& name);
    // Opens the port object over a device that is open already, as OpenPort does after opening
    // the named one: for harnesses that run the exchange over a line of their own.
    void OpenDevice(std::unique_ptr<SerialLine> device, const std::string& name);
    void ConfigureLine(int baud, int bits, char parity, uint8_t stop, bool softFlow, bool hardFlow);
    int SendText(const std::string& text);
    std::string ReadChunk(int timeoutMs);
    std::string ReadTerminated(int timeoutMs, const std::string& terminator);
    std::string ReadLine(int timeoutMs);
    std::string AtCommand(const std::string& command);
    // Reads and drops what the phone still sends after an exchange has ended: lines up to a
    // final result, or until the phone stays quiet for quietMs. A quiet phone is no error;
    // a failing port still is.
    void DiscardLateAnswer(int quietMs);
    // Waits for an unsolicited line that starts with `prefix` (the "+MBAN:" a Motorola sends
    // after AT+MODE=2) and sets it aside with the others: true when it came, false when the
    // phone stayed quiet for quietMs first. A quiet phone is no error; a failing port still is.
    bool AwaitUnsolicited(const std::string& prefix, int quietMs);
    void CheckError();
    void ClosePort();
    static std::string GetErrorDesc(int32_t code);

    bool IsOpen() const;
    int32_t LastError() const { return lastError_; }
    const std::string& LastErrorDesc() const { return lastErrorDesc_; }

    // Unsolicited result codes (+CMTI:, RING, +MBAN: ...) that AtCommand set aside,
    // in the order they came; reading empties the list. Only the newest
    // kUnsolicitedLinesKept are kept; DroppedUnsolicitedLines counts the older ones.
    std::vector<std::string> TakeUnsolicitedLines();
    size_t DroppedUnsolicitedLines() const { return unsolicitedDropped_; }
    static constexpr size_t kUnsolicitedLinesKept = 64;

    // The longest answer a real phone gives to one command, in bytes (a chunk of 30 phonebook
    // entries of the longest layout, with margin).
    static constexpr int kLongestAnswerBytes = 16384;
    // How long one AtCommand may take in all, whatever keeps arriving: AtDeadline when it is
    // set, else AtTimeout plus twice the time the longest answer needs at the line speed.
    int32_t ExchangeDeadlineMs() const;

    // Settings the program may change between construction and the first command.
    bool RaiseErrors = false;
    int32_t AtTimeout = 1000;
    int32_t AtDeadline = 0;  // ms for a whole AtCommand; 0: ExchangeDeadlineMs() decides

    // Readable state and settings the program leaves alone.
    std::string DevicePath;
    std::string PendingText;
    int32_t ReceiveQueueSize = 4096;
    int32_t DeadlockTimeout = 30000;
    bool ConvertLineEnd = false;
    bool AtOk = false;
    bool PerWaitTimeout = true;
    int32_t MaxLineLength = 0;
    int32_t PortNumber = -1;

protected:
    void SetLastError(int32_t code);

private:
    std::unique_ptr<SerialLine> device_;
    int32_t lastError_ = 0;
    std::string lastErrorDesc_ = "OK";
    bool lastCR_ = false;
    bool lastLF_ = false;
    void keepUnsolicited(const std::string& line);
    void attachDevice(std::unique_ptr<SerialLine> device);
    // A busy device's holder, when one is known, is asked to let go (and the open tried again);
    // otherwise heldText says who holds it and what to do.
    static std::unique_ptr<SerialDevice> OpenHeldDevice(const std::string& path, int32_t& error,
                                                        std::string& heldText);

    std::vector<std::string> unsolicited_;
    size_t unsolicitedDropped_ = 0;
    int32_t baud_ = 0;  // of the last ConfigureLine
    // While an AtCommand runs: the moment past which no read waits any longer.
    std::optional<std::chrono::steady_clock::time_point> exchangeDeadline_;
};

}  // namespace orlin
