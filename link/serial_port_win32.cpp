// The serial device on Windows: the communications functions with overlapped I/O.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "link/block_serial.h"
#include "link/cp1251.h"
#include "link/serial_device.h"
#include "link/system_errors.h"

namespace orlin {

struct SerialDevice::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;  // manual-reset completion event of the overlapped operations
    HANDLE claim = nullptr;  // the named mutex that marks the port as ours while it is open
    DWORD keptErrors = 0;    // line-error flags read while waiting, reported by Waiting()
};

namespace {

// A time-out for WaitForSingleObject: a negative one (a hand-edited "TimeOut=-1") must not
// become a wait of 49 days.
DWORD WaitMilliseconds(int timeoutMs) {
    return timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : 0;
}

// The milliseconds left until `deadline` (a GetTickCount64 value), 0 once it has passed.
int LeftUntil(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<int>(deadline - now);
}

// Runs one overlapped read or write to completion, or abandons it after timeoutMs.
int32_t Complete(SerialDevice::Impl& impl, BOOL started, OVERLAPPED& overlapped, int timeoutMs,
                 int& done) {
    DWORD transferred = 0;
    if (!started) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) return static_cast<int32_t>(error);
        if (WaitForSingleObject(impl.event, WaitMilliseconds(timeoutMs)) != WAIT_OBJECT_0) {
            CancelIoEx(impl.handle, &overlapped);
            GetOverlappedResult(impl.handle, &overlapped, &transferred, TRUE);
            done = static_cast<int>(transferred);
            return ErrTimeout;
        }
    }
    if (!GetOverlappedResult(impl.handle, &overlapped, &transferred, FALSE)) {
        done = static_cast<int>(transferred);
        return static_cast<int32_t>(GetLastError());
    }
    done = static_cast<int>(transferred);
    return 0;
}

// An overlapped wait or transfer that ends with ERROR_OPERATION_ABORTED was cut short by the
// driver, not failed: a change of the event mask or a purge aborts what is pending (Wine does
// so at times, and so do some USB-serial drivers). Such a wait or transfer is started again
// within the same time-out; only the time-out or a real failure ends it.

// One wait for a received character (see WaitForData).
int32_t WaitForEvent(SerialDevice::Impl& impl, int timeoutMs) {
    if (!SetCommMask(impl.handle, EV_RXCHAR)) return static_cast<int32_t>(GetLastError());
    // A character that came just before the mask was set raises no event: look first.
    DWORD errors = 0;
    COMSTAT status{};
    const BOOL looked = ClearCommError(impl.handle, &errors, &status);
    impl.keptErrors |= errors;
    if (looked && status.cbInQue > 0) {
        SetCommMask(impl.handle, 0);
        return 0;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = impl.event;
    ResetEvent(impl.event);
    DWORD mask = 0;
    int32_t result = 0;
    if (!WaitCommEvent(impl.handle, &mask, &overlapped)) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            result = static_cast<int32_t>(error);
        } else if (WaitForSingleObject(impl.event, WaitMilliseconds(timeoutMs)) != WAIT_OBJECT_0) {
            result = ErrTimeout;
        } else {
            DWORD unused = 0;
            if (!GetOverlappedResult(impl.handle, &overlapped, &unused, FALSE)) {
                result = static_cast<int32_t>(GetLastError());
            }
        }
    }
    // Clearing the mask completes a wait still pending, so the OVERLAPPED is free again.
    SetCommMask(impl.handle, 0);
    if (result == ErrTimeout) {
        DWORD unused = 0;
        GetOverlappedResult(impl.handle, &overlapped, &unused, TRUE);
    }
    // An aborted wait may have raced with a character: what is queued counts.
    if (result == ERROR_OPERATION_ABORTED && ClearCommError(impl.handle, &errors, &status)) {
        impl.keptErrors |= errors;
        if (status.cbInQue > 0) return 0;
    }
    return result;
}

// A read or write of n bytes (see Read and Write).
int32_t Transfer(SerialDevice::Impl& impl, bool write, char* buffer, int n, int timeoutMs,
                 int& done) {
    const ULONGLONG deadline = GetTickCount64() + WaitMilliseconds(timeoutMs);
    done = 0;
    int32_t result = 0;
    do {
        OVERLAPPED overlapped{};
        overlapped.hEvent = impl.event;
        ResetEvent(impl.event);
        const DWORD count = static_cast<DWORD>(n - done);
        const BOOL started =
            write ? WriteFile(impl.handle, buffer + done, count, nullptr, &overlapped)
                  : ReadFile(impl.handle, buffer + done, count, nullptr, &overlapped);
        int part = 0;
        result = Complete(impl, started, overlapped, LeftUntil(deadline), part);
        done += part;
    } while (result == ERROR_OPERATION_ABORTED && done < n && LeftUntil(deadline) > 0);
    if (result == ERROR_OPERATION_ABORTED) result = done == n ? 0 : ErrTimeout;
    if (result == ErrTimeout) PurgeComm(impl.handle, write ? PURGE_TXABORT : PURGE_RXABORT);
    return result;
}

// The port's claim: a named mutex that exists while one of our programs has the port open.
// Windows opens a COM port exclusively, but not every driver does (Wine's, some virtual
// ports'); the claim refuses the second open all the same. The name is the device's own
// ("COM6" for "COM6" and "\\.\COM6" alike). False when another program holds the claim;
// `claim` stays null when no mutex could be made (the driver's exclusivity still holds).
bool ClaimPort(const std::u16string& widePath, HANDLE& claim) {
    std::u16string device = widePath.substr(widePath.find_last_of(u"\\/") + 1);
    for (char16_t& c : device)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    const std::u16string name = u"Global\\orlin-serial-" + device;
    claim = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.c_str()));
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        claim = nullptr;
        return false;
    }
    return true;
}

}  // namespace

SerialDevice::SerialDevice(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SerialDevice::~SerialDevice() {
    Close();
    if (impl_ && impl_->event) CloseHandle(impl_->event);
}

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path, int32_t& error) {
    // The name is UTF-8; the wide API takes it without depending on the code page.
    const std::u16string widePath = Utf8ToUtf16(path);
    const HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(widePath.c_str()),
                                      GENERIC_READ | GENERIC_WRITE, 0 /* no sharing: exclusive */,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<int32_t>(GetLastError());  // 2 when the port does not exist
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->handle = handle;
    if (!ClaimPort(widePath, impl->claim)) {
        error = ERROR_ACCESS_DENIED;  // what Windows says of a port another program holds
        CloseHandle(handle);
        return nullptr;
    }
    impl->event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!impl->event) {
        error = static_cast<int32_t>(GetLastError());
        if (impl->claim) CloseHandle(impl->claim);
        CloseHandle(handle);
        return nullptr;
    }
    error = 0;
    return std::unique_ptr<SerialDevice>(new SerialDevice(std::move(impl)));
}

int32_t SerialDevice::ClearEventMask() {
    return SetCommMask(impl_->handle, 0) ? 0 : static_cast<int32_t>(GetLastError());
}

int32_t SerialDevice::SetQueueSize(int inputSize) {
    // The output queue is left to the driver.
    return SetupComm(impl_->handle, static_cast<DWORD>(inputSize), 0)
               ? 0
               : static_cast<int32_t>(GetLastError());
}

int32_t SerialDevice::SetDriverTimeouts() {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 65535;
    return SetCommTimeouts(impl_->handle, &timeouts) ? 0 : static_cast<int32_t>(GetLastError());
}

int32_t SerialDevice::ApplyLine(const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.StopBits = settings.stopBits;
    switch (settings.parity) {
        case LineSettings::Parity::None:
            dcb.Parity = NOPARITY;
            break;
        case LineSettings::Parity::Odd:
            dcb.Parity = ODDPARITY;
            break;
        case LineSettings::Parity::Even:
            dcb.Parity = EVENPARITY;
            break;
        case LineSettings::Parity::Mark:
            dcb.Parity = MARKPARITY;
            break;
        case LineSettings::Parity::Space:
            dcb.Parity = SPACEPARITY;
            break;
    }
    dcb.fBinary = settings.binary ? 1 : 0;
    dcb.fParity = settings.parityCheck ? 1 : 0;
    dcb.fDtrControl = settings.dtrOn ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fOutX = settings.softwareFlow ? 1 : 0;
    dcb.fInX = settings.softwareFlow ? 1 : 0;
    dcb.fOutxCtsFlow = settings.ctsFlow ? 1 : 0;
    dcb.fRtsControl = settings.rtsHandshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.XonChar = settings.xonChar;
    dcb.XoffChar = settings.xoffChar;
    dcb.XonLim = static_cast<WORD>(settings.xonLimit);
    dcb.XoffLim = static_cast<WORD>(settings.xoffLimit);
    return SetCommState(impl_->handle, &dcb) ? 0 : static_cast<int32_t>(GetLastError());
}

void SerialDevice::SetRts(bool on) {
    EscapeCommFunction(impl_->handle, on ? SETRTS : CLRRTS);
}

void SerialDevice::SetDtr(bool on) {
    EscapeCommFunction(impl_->handle, on ? SETDTR : CLRDTR);
}

void SerialDevice::Purge() {
    PurgeComm(impl_->handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

int32_t SerialDevice::Waiting(int& count, LineErrorFlags& flags) {
    count = 0;
    flags = LineErrorFlags{};
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(impl_->handle, &errors, &status))
        return static_cast<int32_t>(GetLastError());
    errors |= impl_->keptErrors;
    impl_->keptErrors = 0;
    count = static_cast<int>(status.cbInQue);
    flags.framing = (errors & CE_FRAME) != 0;
    flags.overrun = (errors & CE_OVERRUN) != 0;
    flags.queueOverflow = (errors & CE_RXOVER) != 0;
    flags.parity = (errors & CE_RXPARITY) != 0;
    flags.outputFull = (errors & CE_TXFULL) != 0;
    return 0;
}

int32_t SerialDevice::WaitForData(int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + WaitMilliseconds(timeoutMs);
    int32_t result = 0;
    for (;;) {
        result = WaitForEvent(*impl_, LeftUntil(deadline));
        if (result != ERROR_OPERATION_ABORTED || LeftUntil(deadline) == 0) break;
        Sleep(1);  // a driver that aborts every wait at once is not spun on
    }
    return result == ERROR_OPERATION_ABORTED ? ErrTimeout : result;
}

int32_t SerialDevice::Read(char* buffer, int n, int timeoutMs, int& done) {
    return Transfer(*impl_, false, buffer, n, timeoutMs, done);
}

int32_t SerialDevice::Write(const char* buffer, int n, int timeoutMs, int& done) {
    // WriteFile only reads the buffer.
    return Transfer(*impl_, true, const_cast<char*>(buffer), n, timeoutMs, done);
}

void SerialDevice::Close() {
    if (!impl_ || impl_->handle == INVALID_HANDLE_VALUE) return;
    // Every wait and transfer has ended before its call returned: nothing is pending here.
    CloseHandle(impl_->handle);
    impl_->handle = INVALID_HANDLE_VALUE;
    if (impl_->claim) CloseHandle(impl_->claim);
    impl_->claim = nullptr;
}

std::string SystemErrorText(int32_t code) {
    // The errors a port really meets have our own Russian texts; the system's text (in the
    // language of the installed Windows) stays for anything else.
    if (const int errnoCode = Win32PortErrorAsErrno(static_cast<unsigned long>(code)))
        return PortErrnoText(errnoCode);
    return WindowsSystemText(static_cast<unsigned long>(code));
}

}  // namespace orlin
