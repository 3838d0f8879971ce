#include "link/block_serial.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "link/language.h"
#include "link/port_holder.h"
#include "link/serial_device.h"
#include "link/system_errors.h"
#include "link/text_utils.h"
#include "link/transcript.h"
#include "link/unsolicited.h"

namespace orlin {

namespace {

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Sets a flag for the length of a scope and puts the old value back on every exit.
class FlagOverride {
public:
    FlagOverride(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagOverride() { flag_ = saved_; }

private:
    bool& flag_;
    bool saved_;
};

}  // namespace

int32_t ParsePortNumber(const std::string& name) {
    const std::string upper = UpperAscii(name);
    if (StartsWith(upper, "COM")) {
        int number = 0;
        try {
            number = StrToInt(name.substr(3));
        } catch (const EConvertError&) {
            number = 0;
        }
        return number - 1;
    }
    if (StartsWith(upper, "/DEV/TTYS")) {
        try {
            return StrToInt(name.substr(9));
        } catch (const EConvertError&) {
            return -2;
        }
    }
    return -1;
}

std::string PortDevicePath(const std::string& name, int32_t portNumber, bool forWindows) {
    // Negative numbers (COM0, COM-3, /dev/ttySX) name no port: open what was given.
    if (portNumber < 0) return name;
    if (forWindows) return "\\\\.\\COM" + std::to_string(portNumber + 1);
    // A path is a device already: /dev/ttys000 (a pseudo-terminal on some systems) or
    // /dev/ttyS01 must not turn into another /dev/ttySn.
    if (!name.empty() && name[0] == '/') return name;
    return "/dev/ttyS" + std::to_string(portNumber);
}

int32_t LineErrorCode(const LineErrorFlags& flags) {
    int32_t code = ErrOk;
    if (flags.framing) code = ErrFrame;
    if (flags.overrun) code = ErrOverrun;
    if (flags.queueOverflow) code = ErrRxOver;
    if (flags.parity) code = ErrRxParity;
    if (flags.outputFull) code = ErrTxFull;
    return code;
}

TBlockSerial::TBlockSerial() = default;

TBlockSerial::~TBlockSerial() {
    try {
        ClosePort();
    } catch (...) {
        // Closing never raises; nothing may leave a destructor.
    }
}

bool TBlockSerial::IsOpen() const {
    return device_ != nullptr;
}

void TBlockSerial::SetLastError(int32_t code) {
    lastError_ = code;
    lastErrorDesc_ = GetErrorDesc(code);
}

std::string TBlockSerial::GetErrorDesc(int32_t code) {
    switch (code) {
        case ErrOk:
            return "OK";
        case ErrAlreadyOwned:
            return "Port owned by other process";
        case ErrAlreadyInUse:
            return "Instance already in use";
        case ErrWrongParameter:
            return "Wrong paramter at call";
        case ErrPortNotOpen:
            return Tr("TBlockSerial", "Телефон не подключен.");
        case ErrNoDeviceAnswer:
            return "No device answer detected";
        case ErrMaxBuffer:
            return "Maximal buffer length exceeded";
        case ErrTimeout:
            return Tr("TBlockSerial",
                      "Ошибка по таймауту...\r\nУстановите большее значение таймаута...");
        case ErrReadFailed:
            return "Reading of data failed";
        case ErrFrame:
            return "Receive framing error";
        case ErrOverrun:
            return "Receive Overrun Error";
        case ErrRxOver:
            return "Receive Queue overflow";
        case ErrRxParity:
            return "Receive Parity Error";
        case ErrTxFull:
            return "Tranceive Queue is full";
        default:
            return SystemErrorText(code);
    }
}

void TBlockSerial::CheckError() {
    if (!RaiseErrors || lastError_ == ErrOk) return;
    // Code 2 is the system's "no such file": the port does not exist.
    const std::string message =
        lastError_ == 2 ? Tr("TBlockSerial", "Телефон не подключен.") : lastErrorDesc_;
    throw ESynaSerError(lastError_, lastErrorDesc_, message);
}

void TBlockSerial::OpenPort(const std::string& name) {
    if (IsOpen()) {
        SetLastError(ErrAlreadyInUse);
        CheckError();
        return;
    }
    PendingText.clear();
    DevicePath = name;
    PortNumber = ParsePortNumber(name);
#ifdef _WIN32
    DevicePath = PortDevicePath(name, PortNumber, true);
#else
    DevicePath = PortDevicePath(name, PortNumber, false);
#endif
    int32_t error = 0;
    std::unique_ptr<SerialDevice> device = SerialDevice::Open(DevicePath, error);
#ifdef _WIN32
    SetLastError(device ? ErrOk : error);
#else
    // A busy port may be held by a service that can be named and asked to let go; a port the
    // user may not open says which group may.
    std::string heldText;
    if (!device && error == EBUSY) device = OpenHeldDevice(DevicePath, error, heldText);
    SetLastError(device ? ErrOk : error);
    if (!device && error == EBUSY && !heldText.empty()) lastErrorDesc_ = heldText;
    if (!device && (error == EACCES || error == EPERM))
        lastErrorDesc_ = Tr("TBlockSerial", "Нет доступа к порту: ") + PortAccessRemedy(DevicePath);
#endif
    CheckError();
    if (device) attachDevice(std::move(device));
}

#ifndef _WIN32
std::unique_ptr<SerialDevice> TBlockSerial::OpenHeldDevice(const std::string& path, int32_t& error,
                                                           std::string& heldText) {
    PortHolderInquiry* inquiry = CurrentPortHolderInquiry();
    if (inquiry == nullptr) return nullptr;
    std::optional<PortHolder> holder = inquiry->Holder(path);
    if (!holder) return nullptr;
    if (inquiry->Release(*holder)) {
        // The holder lets go of the device in its own time: the open is tried again for a while.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            std::unique_ptr<SerialDevice> device = SerialDevice::Open(path, error);
            if (device || error != EBUSY) return device;
            if (std::chrono::steady_clock::now() >= deadline) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    heldText = holder->text;
    return nullptr;
}
#endif

void TBlockSerial::OpenDevice(std::unique_ptr<SerialLine> device, const std::string& name) {
    if (IsOpen()) {
        SetLastError(ErrAlreadyInUse);
        CheckError();
        return;
    }
    DevicePath = name;
    PortNumber = -1;
    attachDevice(std::move(device));
}

void TBlockSerial::attachDevice(std::unique_ptr<SerialLine> device) {
    int32_t setupError = device->ClearEventMask();
    if (!setupError) setupError = device->SetQueueSize(ReceiveQueueSize);
    if (!setupError) setupError = device->SetDriverTimeouts();
    device_ = std::move(device);
    lastCR_ = lastLF_ = false;
    SetLastError(ErrOk);
    device_->SetRts(true);
    device_->SetDtr(true);
    device_->Purge();
    PendingText.clear();
    if (setupError) SetLastError(setupError);
    CheckError();
}

void TBlockSerial::ConfigureLine(int baud, int bits, char parity, uint8_t stop, bool softFlow,
                                 bool hardFlow) {
    LineSettings line;
    baud_ = baud;
    line.baudRate = baud;
    line.dataBits = bits;
    line.stopBits = stop;
    switch (parity) {
        case 'N':
        case 'n':
            line.parity = LineSettings::Parity::None;
            break;
        case 'O':
        case 'o':
            line.parity = LineSettings::Parity::Odd;
            break;
        case 'E':
        case 'e':
            line.parity = LineSettings::Parity::Even;
            break;
        case 'M':
        case 'm':
            line.parity = LineSettings::Parity::Mark;
            break;
        case 'S':
        case 's':
            line.parity = LineSettings::Parity::Space;
            break;
        default:
            line.parity = LineSettings::Parity::None;
            break;
    }
    line.binary = true;
    line.parityCheck = line.parity != LineSettings::Parity::None;
    line.dtrOn = true;
    line.softwareFlow = softFlow;
    line.ctsFlow = hardFlow;
    line.rtsHandshake = hardFlow;
    line.xonChar = 17;
    line.xoffChar = 19;
    line.xonLimit = ReceiveQueueSize / 4;
    line.xoffLimit = ReceiveQueueSize / 4;
    if (!IsOpen()) {
        SetLastError(ErrPortNotOpen);
    } else {
        SetLastError(device_->ApplyLine(line));
    }
    CheckError();
}

int TBlockSerial::SendText(const std::string& text) {
    if (!IsOpen()) {
        SetLastError(ErrPortNotOpen);
        CheckError();
        return 0;
    }
    SetLastError(ErrOk);
    int written = 0;
    const int32_t error = text.empty() ? ErrOk
                                       : device_->Write(text.data(), static_cast<int>(text.size()),
                                                        DeadlockTimeout, written);
    if (error) SetLastError(error);
    transcript::Sent(text.substr(0, static_cast<size_t>(std::max(written, 0))));
    int waiting = 0;
    LineErrorFlags flags;
    if (device_->Waiting(waiting, flags) == ErrOk && LineErrorCode(flags) != ErrOk) {
        SetLastError(LineErrorCode(flags));
    }
    CheckError();
    return written;
}

std::string TBlockSerial::ReadChunk(int timeoutMs) {
    if (!IsOpen()) {
        SetLastError(ErrPortNotOpen);
        CheckError();
        return std::string();
    }
    SetLastError(ErrOk);
    if (!PendingText.empty()) {
        std::string text;
        text.swap(PendingText);
        return text;
    }
    std::this_thread::yield();

    std::string result;
    LineErrorFlags flags;
    int waiting = 0;
    int32_t error = device_->Waiting(waiting, flags);
    if (!error && waiting == 0) {
        error = device_->WaitForData(timeoutMs);
        if (!error) {
            error = device_->Waiting(waiting, flags);
            if (!error && waiting == 0) error = ErrTimeout;
        }
    }
    if (!error && waiting > 0) {
        result.resize(waiting);
        int got = 0;
        error = device_->Read(result.data(), waiting, DeadlockTimeout, got);
        result.resize(got);
        transcript::Received(result);
        if (!error) {
            LineErrorFlags after;
            int rest = 0;
            if (device_->Waiting(rest, after) == ErrOk) {
                flags.framing |= after.framing;
                flags.overrun |= after.overrun;
                flags.queueOverflow |= after.queueOverflow;
                flags.parity |= after.parity;
                flags.outputFull |= after.outputFull;
            }
        }
    }
    if (error) SetLastError(error);
    if (LineErrorCode(flags) != ErrOk) SetLastError(LineErrorCode(flags));
    CheckError();
    return result;
}

std::string TBlockSerial::ReadTerminated(int timeoutMs, const std::string& terminator) {
    if (!IsOpen()) {
        SetLastError(ErrPortNotOpen);
        CheckError();
        return std::string();
    }
    if (terminator.empty()) return std::string();
    const bool lineMode = ConvertLineEnd && terminator == "\r\n";

    std::string buf;
    size_t endPos = std::string::npos;
    size_t endLength = 0;
    int remaining = timeoutMs;
    for (;;) {
        const auto started = std::chrono::steady_clock::now();
        int wait = remaining;
        if (exchangeDeadline_) {
            // Data that keeps coming must not hold the exchange past its deadline.
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(*exchangeDeadline_ - started)
                    .count();
            if (left <= 0) {
                SetLastError(ErrTimeout);
                endPos = std::string::npos;
                break;
            }
            if (left < wait) wait = static_cast<int>(left);
        }
        buf += ReadChunk(wait);
        if (lastError_ != ErrOk) break;
        if (!buf.empty()) {
            if (lineMode) {
                if (lastCR_ && buf[0] == '\n')
                    buf.erase(0, 1);
                else if (lastLF_ && buf[0] == '\r')
                    buf.erase(0, 1);
                lastCR_ = lastLF_ = false;
                // The earliest of CR and LF starts the line end; a partner right after it
                // (CR LF or LF CR) belongs to the same end.
                endPos = buf.find_first_of("\r\n");
                if (endPos != std::string::npos) {
                    const char first = buf[endPos];
                    const char partner = first == '\r' ? '\n' : '\r';
                    if (endPos + 1 < buf.size() && buf[endPos + 1] == partner) {
                        endLength = 2;
                    } else {
                        endLength = 1;
                        // A lone end at this moment: its partner may be in the next chunk.
                        (first == '\r' ? lastCR_ : lastLF_) = true;
                    }
                }
            } else {
                endPos = buf.find(terminator);
                endLength = terminator.size();
            }
        }
        if (MaxLineLength != 0 && buf.size() > static_cast<size_t>(MaxLineLength)) {
            SetLastError(ErrMaxBuffer);
            endPos = std::string::npos;
            break;
        }
        if (endPos != std::string::npos) break;
        if (!PerWaitTimeout) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - started);
            remaining -= static_cast<int>(elapsed.count());
            if (remaining <= 0) {
                SetLastError(ErrTimeout);
                break;
            }
        }
    }
    std::string line;
    if (endPos != std::string::npos) {
        line = buf.substr(0, endPos);
        buf.erase(0, endPos + endLength);
    }
    PendingText = std::move(buf);  // the next read on this object starts with it
    CheckError();
    return line;
}

std::string TBlockSerial::ReadLine(int timeoutMs) {
    std::string line = ReadTerminated(timeoutMs, "\r\n");
    return lastError_ == ErrOk ? line : std::string();
}

int32_t TBlockSerial::ExchangeDeadlineMs() const {
    if (AtDeadline > 0) return AtDeadline;
    const int64_t baud = baud_ > 0 ? baud_ : 9600;
    const int64_t lineMs = int64_t{kLongestAnswerBytes} * 10 * 1000 / baud;
    const int64_t total = int64_t{AtTimeout > 0 ? AtTimeout : 0} + 2 * lineMs;
    return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

void TBlockSerial::keepUnsolicited(const std::string& line) {
    if (unsolicited_.size() >= kUnsolicitedLinesKept) {
        unsolicited_.erase(unsolicited_.begin());
        ++unsolicitedDropped_;
    }
    unsolicited_.push_back(line);
}

std::string TBlockSerial::AtCommand(const std::string& command) {
    std::string result;
    AtOk = false;
    FlagOverride lineEnds(ConvertLineEnd, true);
    // A phone that never stops sending (RING after RING) ends the exchange at its deadline,
    // with the time-out error, instead of holding the program for ever.
    struct DeadlineScope {
        std::optional<std::chrono::steady_clock::time_point>& slot;
        ~DeadlineScope() { slot.reset(); }
    } deadline{exchangeDeadline_};
    exchangeDeadline_ =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(ExchangeDeadlineMs());
    SendText(command + "\r");
    // Nothing the phone sends for this command starts with a lone LF: one that comes first
    // is the end of a CR LF whose CR ended the previous exchange, possibly on another port
    // object that has since been closed. It counts as that line end, not as an empty line.
    if (!lastLF_) lastCR_ = true;

    // Every line the phone frames comes as CR LF, the text, CR LF, so it is read as an
    // empty line and then its text. An empty line is held back until the next line shows
    // whether it frames an unsolicited result code, which goes aside together with it.
    // Only framed lines go aside: the message text right after a +MMGR: or +CMGR: header
    // comes unframed and may begin with anything, "RING" included.
    bool blankHeld = false;
    bool dataLineFollows = false;  // the message line that a +CMT: header carries
    for (;;) {
        const std::string line = ReadLine(AtTimeout);
        const bool failed = lastError_ != ErrOk;
        if (!failed) {
            if (dataLineFollows) {
                keepUnsolicited(line);
                dataLineFollows = false;
                continue;
            }
            if (blankHeld && IsUnsolicitedFor(line, command)) {
                keepUnsolicited(line);
                blankHeld = false;
                dataLineFollows = UnsolicitedCarriesDataLine(line);
                continue;
            }
        }
        if (blankHeld) {
            result += "\r\n";
            blankHeld = false;
        }
        if (line != command) {
            if (line.empty() && !failed) {
                blankHeld = true;
            } else {
                result += line;
                result += "\r\n";
            }
        }
        if (line == "OK") {
            AtOk = true;
            break;
        }
        if (line == "ERROR" || IsErrorFinalLine(line) || failed) break;
    }
    if (blankHeld) result += "\r\n";
    return result;
}

void TBlockSerial::DiscardLateAnswer(int quietMs) {
    FlagOverride lineEnds(ConvertLineEnd, true);
    const bool raise = RaiseErrors;
    RaiseErrors = false;
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(ExchangeDeadlineMs());
    for (;;) {
        const std::string line = ReadLine(quietMs);
        if (lastError_ != ErrOk || line == "OK" || line == "ERROR" || IsErrorFinalLine(line) ||
            std::chrono::steady_clock::now() >= until)
            break;
    }
    RaiseErrors = raise;
    if (lastError_ == ErrTimeout) {
        // Bytes without a line end belong to the late answer too.
        PendingText.clear();
        SetLastError(ErrOk);
    }
    CheckError();
}

bool TBlockSerial::AwaitUnsolicited(const std::string& prefix, int quietMs) {
    FlagOverride lineEnds(ConvertLineEnd, true);
    const bool raise = RaiseErrors;
    RaiseErrors = false;
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(ExchangeDeadlineMs());
    bool found = false;
    for (;;) {
        const std::string line = ReadLine(quietMs);
        if (lastError_ != ErrOk) break;
        if (!line.empty()) keepUnsolicited(line);
        if (line.compare(0, prefix.size(), prefix) == 0 && !line.empty()) {
            found = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= until) break;
    }
    RaiseErrors = raise;
    if (lastError_ == ErrTimeout) SetLastError(ErrOk);
    CheckError();
    return found;
}

std::vector<std::string> TBlockSerial::TakeUnsolicitedLines() {
    std::vector<std::string> lines;
    lines.swap(unsolicited_);
    return lines;
}

void TBlockSerial::ClosePort() {
    if (device_) {
        device_->Purge();
        PendingText.clear();
        device_->SetRts(false);
        device_->SetDtr(false);
        device_->Close();
        device_.reset();
    }
    PortNumber = -1;
    SetLastError(ErrOk);
}

}  // namespace orlin
