// The serial device on POSIX: a terminal device in raw mode.
//
// Exclusivity takes two locks. TIOCEXCL refuses further opens of the device to every
// process but root's; flock() holds between our own processes also when they run as root.
// TIOCEXCL belongs to the device, not to our descriptor, and outlives our close while
// anything else (a simulated phone's own descriptor, a getty) keeps the device open, so
// Close() clears it with TIOCNXCL first.

#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#ifdef __linux__
#include <linux/serial.h>
#endif

#include "link/block_serial.h"
#include "link/serial_device.h"
#include "link/system_errors.h"

namespace orlin {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the descriptor to become ready for events, retrying after signals.
// Returns 1 when ready, 0 on time-out, -1 with errno on failure.
int PollFor(int fd, short events, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready > 0) return 1;
        if (ready == 0) return 0;
        if (errno != EINTR) return -1;
    }
}

speed_t SpeedFor(int baud, bool& known) {
    known = true;
    switch (baud) {
        case 50:
            return B50;
        case 75:
            return B75;
        case 110:
            return B110;
        case 134:
            return B134;
        case 150:
            return B150;
        case 200:
            return B200;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 1800:
            return B1800;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
#ifdef B460800
        case 460800:
            return B460800;
#endif
#ifdef B576000
        case 576000:
            return B576000;
#endif
#ifdef B921600
        case 921600:
            return B921600;
#endif
        default:
            known = false;
            return B0;
    }
}

// Setting the modem lines fails on a pseudo-terminal (ENOTTY, EINVAL): it has none.
void SetModemLine(int fd, int line, bool on) {
    int bits = line;
    ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits);
}

}  // namespace

struct SerialDevice::Impl {
    int fd = -1;
#ifdef __linux__
    // The driver's error counters when last looked at; a pseudo-terminal has none.
    bool haveCounters = false;
    serial_icounter_struct counters{};
#endif
};

SerialDevice::SerialDevice(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SerialDevice::~SerialDevice() {
    Close();
}

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path, int32_t& error) {
    // The name is UTF-8, as every file name here.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;  // ENOENT is 2, the code of a port that does not exist
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return nullptr;
    }
    if (!::isatty(fd)) {
        error = ENOTTY;
        ::close(fd);
        return nullptr;
    }
    ::ioctl(fd, TIOCEXCL);
    auto impl = std::make_unique<Impl>();
    impl->fd = fd;
#ifdef __linux__
    impl->haveCounters = ::ioctl(fd, TIOCGICOUNT, &impl->counters) == 0;
#endif
    error = 0;
    return std::unique_ptr<SerialDevice>(new SerialDevice(std::move(impl)));
}

int32_t SerialDevice::ClearEventMask() {
    return 0;
}  // no event mask on POSIX

int32_t SerialDevice::SetQueueSize(int) {
    return 0;
}  // the driver sizes its own queues

int32_t SerialDevice::SetDriverTimeouts() {
    return 0;
}  // reads never block: O_NONBLOCK and poll

int32_t SerialDevice::ApplyLine(const LineSettings& settings) {
    termios tio{};
    if (::tcgetattr(impl_->fd, &tio) != 0) return errno;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
#ifdef CMSPAR
    tio.c_cflag &= ~CMSPAR;
#endif
#ifdef CRTSCTS
    tio.c_cflag &= ~CRTSCTS;
#endif
    switch (settings.dataBits) {
        case 5:
            tio.c_cflag |= CS5;
            break;
        case 6:
            tio.c_cflag |= CS6;
            break;
        case 7:
            tio.c_cflag |= CS7;
            break;
        case 8:
            tio.c_cflag |= CS8;
            break;
        default:
            return EINVAL;
    }
    if (settings.stopBits != 0) tio.c_cflag |= CSTOPB;  // one and a half counts as two here
    switch (settings.parity) {
        case LineSettings::Parity::None:
            break;
        case LineSettings::Parity::Odd:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case LineSettings::Parity::Even:
            tio.c_cflag |= PARENB;
            break;
#ifdef CMSPAR
        case LineSettings::Parity::Mark:
            tio.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case LineSettings::Parity::Space:
            tio.c_cflag |= PARENB | CMSPAR;
            break;
#else
        default:
            return EINVAL;
#endif
    }
    if (settings.parityCheck) tio.c_iflag |= INPCK;
    if (settings.softwareFlow) {
        tio.c_iflag |= IXON | IXOFF;
        tio.c_cc[VSTART] = static_cast<cc_t>(settings.xonChar);
        tio.c_cc[VSTOP] = static_cast<cc_t>(settings.xoffChar);
    }
#ifdef CRTSCTS
    if (settings.ctsFlow || settings.rtsHandshake) tio.c_cflag |= CRTSCTS;
#endif
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    bool known = false;
    const speed_t speed = SpeedFor(settings.baudRate, known);
    if (!known) return EINVAL;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return errno;
    if (::tcsetattr(impl_->fd, TCSANOW, &tio) != 0) return errno;
    if (settings.dtrOn) SetModemLine(impl_->fd, TIOCM_DTR, true);
    if (!settings.rtsHandshake) SetModemLine(impl_->fd, TIOCM_RTS, true);
    return 0;
}

void SerialDevice::SetRts(bool on) {
    SetModemLine(impl_->fd, TIOCM_RTS, on);
}

void SerialDevice::SetDtr(bool on) {
    SetModemLine(impl_->fd, TIOCM_DTR, on);
}

void SerialDevice::Purge() {
    ::tcflush(impl_->fd, TCIOFLUSH);
}

int32_t SerialDevice::Waiting(int& count, LineErrorFlags& flags) {
    count = 0;
    flags = LineErrorFlags{};
    int waiting = 0;
    if (::ioctl(impl_->fd, FIONREAD, &waiting) != 0) return errno;
    count = waiting;
#ifdef __linux__
    if (impl_->haveCounters) {
        serial_icounter_struct now{};
        if (::ioctl(impl_->fd, TIOCGICOUNT, &now) == 0) {
            flags.framing = now.frame != impl_->counters.frame;
            flags.overrun = now.overrun != impl_->counters.overrun;
            flags.queueOverflow = now.buf_overrun != impl_->counters.buf_overrun;
            flags.parity = now.parity != impl_->counters.parity;
            impl_->counters = now;
        }
    }
#endif
    return 0;
}

int32_t SerialDevice::WaitForData(int timeoutMs) {
    const int ready = PollFor(impl_->fd, POLLIN, timeoutMs);
    if (ready < 0) return errno;
    return ready ? 0 : ErrTimeout;
}

int32_t SerialDevice::Read(char* buffer, int n, int timeoutMs, int& done) {
    done = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (done < n) {
        const ssize_t got = ::read(impl_->fd, buffer + done, static_cast<size_t>(n - done));
        if (got > 0) {
            done += static_cast<int>(got);
            continue;
        }
        if (got == 0) return 0;  // nothing more now: hand out what came
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return errno;
        if (done > 0) return 0;
        const int ready = PollFor(impl_->fd, POLLIN, MillisecondsLeft(deadline));
        if (ready < 0) return errno;
        if (ready == 0) return ErrTimeout;
    }
    return 0;
}

int32_t SerialDevice::Write(const char* buffer, int n, int timeoutMs, int& done) {
    done = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (done < n) {
        const ssize_t put = ::write(impl_->fd, buffer + done, static_cast<size_t>(n - done));
        if (put > 0) {
            done += static_cast<int>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) continue;
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return errno;
        const int ready = PollFor(impl_->fd, POLLOUT, MillisecondsLeft(deadline));
        if (ready < 0) return errno;
        if (ready == 0) {
            ::tcflush(impl_->fd, TCOFLUSH);  // abandon the rest of this write
            return ErrTimeout;
        }
    }
    return 0;
}

void SerialDevice::Close() {
    if (!impl_ || impl_->fd < 0) return;
    ::ioctl(impl_->fd, TIOCNXCL);
    ::flock(impl_->fd, LOCK_UN);
    ::close(impl_->fd);
    impl_->fd = -1;
}

std::string SystemErrorText(int32_t code) {
    // Our own Russian texts for the errors a port meets, whatever the process locale is; the C
    // locale's English text (plain ASCII) for anything else.
    return PortErrnoText(code);
}

}  // namespace orlin
