// Opening and closing ports: names, missing ports, exclusivity, and the exclusive flag
// of the device that must not outlive our close.

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "link/serial_device.h"
#include "link/system_errors.h"
#include "tests/support/pty_responder.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

TEST(PortName, ComNumbersAndDevicePaths) {
    // Parsing only: none of these devices is ever opened.
    EXPECT_EQ(ParsePortNumber("COM1"), 0);
    EXPECT_EQ(PortDevicePath("COM1", 0, true), "\\\\.\\COM1");
    EXPECT_EQ(PortDevicePath("COM1", 0, false), "/dev/ttyS0");

    EXPECT_EQ(ParsePortNumber("com10"), 9);
    EXPECT_EQ(PortDevicePath("com10", 9, true), "\\\\.\\COM10");
    EXPECT_EQ(PortDevicePath("com10", 9, false), "/dev/ttyS9");

    EXPECT_EQ(ParsePortNumber("COMX"), -1);
    EXPECT_EQ(PortDevicePath("COMX", -1, true), "COMX");
    EXPECT_EQ(ParsePortNumber("COM0"), -1);
    EXPECT_EQ(PortDevicePath("COM0", -1, false), "COM0");
    EXPECT_EQ(ParsePortNumber("COM 3"), -1);  // no blanks inside a number

    EXPECT_EQ(ParsePortNumber("/dev/ttyS0"), 0);
    EXPECT_EQ(PortDevicePath("/dev/ttyS0", 0, true), "\\\\.\\COM1");
    EXPECT_EQ(PortDevicePath("/dev/ttyS0", 0, false), "/dev/ttyS0");
    EXPECT_EQ(ParsePortNumber("/dev/ttys12"), 12);
    EXPECT_EQ(PortDevicePath("/dev/ttys12", 12, true), "\\\\.\\COM13");
}

TEST(PortName, APathOpensUnchangedOutsideWindows) {
    // A lower-case ttys is a pseudo-terminal on some systems, not a serial port.
    EXPECT_EQ(PortDevicePath("/dev/ttys12", ParsePortNumber("/dev/ttys12"), false), "/dev/ttys12");
    EXPECT_EQ(PortDevicePath("/dev/ttyS01", ParsePortNumber("/dev/ttyS01"), false), "/dev/ttyS01");
    EXPECT_EQ(PortDevicePath("/dev/ttyS$A", ParsePortNumber("/dev/ttyS$A"), false), "/dev/ttyS$A");
    EXPECT_EQ(PortDevicePath("/dev/ttyS$A", ParsePortNumber("/dev/ttyS$A"), true), "\\\\.\\COM11");
}

TEST(PortName, NamesWithoutAValidNumberOpenUnchanged) {
    EXPECT_EQ(ParsePortNumber("/dev/ttySX"), -2);
    EXPECT_EQ(PortDevicePath("/dev/ttySX", -2, true), "/dev/ttySX");
    EXPECT_EQ(PortDevicePath("/dev/ttySX", -2, false), "/dev/ttySX");
    EXPECT_EQ(ParsePortNumber("COM-4"), -5);
    EXPECT_EQ(PortDevicePath("COM-4", -5, true), "COM-4");
    EXPECT_EQ(ParsePortNumber("/dev/ttyUSB0"), -1);
    EXPECT_EQ(ParsePortNumber("/dev/pts/3"), -1);
}

TEST(LineErrors, TheLastSetFlagInTheFixedOrderWins) {
    LineErrorFlags flags;
    EXPECT_EQ(LineErrorCode(flags), ErrOk);
    flags.framing = true;
    EXPECT_EQ(LineErrorCode(flags), ErrFrame);
    flags.parity = true;
    EXPECT_EQ(LineErrorCode(flags), ErrRxParity);
    flags.overrun = true;  // before parity in the order: parity still wins
    EXPECT_EQ(LineErrorCode(flags), ErrRxParity);
    flags.outputFull = true;
    EXPECT_EQ(LineErrorCode(flags), ErrTxFull);
    LineErrorFlags two;
    two.overrun = two.queueOverflow = true;
    EXPECT_EQ(LineErrorCode(two), ErrRxOver);
}

TEST(ErrorTexts, TableAndSystemTexts) {
    EXPECT_EQ(TBlockSerial::GetErrorDesc(0), "OK");
    EXPECT_EQ(TBlockSerial::GetErrorDesc(9992), "Instance already in use");
    EXPECT_EQ(TBlockSerial::GetErrorDesc(9993), "Wrong paramter at call");
    EXPECT_EQ(TBlockSerial::GetErrorDesc(9997), kTimeoutText);
    EXPECT_EQ(TBlockSerial::GetErrorDesc(10003), "Tranceive Queue is full");
}

TEST(ErrorTexts, ThePortsOwnErrorsAreRussianWhateverTheLocale) {
    const std::string noAccess = "Нет доступа к порту: добавьте пользователя в группу dialout";
    const std::pair<int, std::string> cases[] = {{ENOENT, "Нет такого файла или устройства"},
                                                 {EACCES, noAccess},
                                                 {EPERM, noAccess},
                                                 {EBUSY, "Устройство или ресурс занят"},
                                                 {EIO, "Ошибка ввода-вывода"},
                                                 {ENOTTY, "Устройство не является терминалом"},
                                                 {ENODEV, "Нет такого устройства"},
                                                 {ENXIO, "Нет такого устройства"},
                                                 {EINVAL, "Недопустимый аргумент"}};
    for (const auto& [code, text] : cases) EXPECT_EQ(TBlockSerial::GetErrorDesc(code), text);
    // Anything else keeps the system's text, in plain ASCII; a file is no port.
    EXPECT_EQ(TBlockSerial::GetErrorDesc(EMFILE), "Too many open files");
    EXPECT_EQ(ErrnoText(EACCES), "Нет доступа");
    // The Win32 codes a port meets take the same texts; others keep the system's.
    const std::pair<unsigned long, int> win32[] = {
        {2, ENOENT},  {3, ENOENT}, {5, EBUSY},  {32, EBUSY},  {170, EBUSY},
        {31, EIO},    {1117, EIO}, {1, ENOTTY}, {55, ENODEV}, {1167, ENODEV},
        {87, EINVAL}, {0, 0},      {8, 0},      {121, 0}};
    for (const auto& [code, errnoCode] : win32) EXPECT_EQ(Win32PortErrorAsErrno(code), errnoCode);
}

// A folder the file system will not make (a file stands where a folder of its path should be)
// is told in the program's words, not in the error code's own (which follows the locale, and on
// Windows its code page).
TEST(ErrorTexts, FileSystemErrorsTakeTheProgramsTexts) {
    char folder[] = "/tmp/orlin_errtext_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::filesystem::path file = std::filesystem::path(folder) / "file";
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    std::error_code error;
    std::filesystem::create_directories(file / "backup", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(ErrorCodeText(error), "Часть пути не является папкой");
    EXPECT_EQ(ErrorCodeText(std::make_error_code(std::errc::no_such_file_or_directory)),
              "Нет такого файла или устройства");
    std::filesystem::remove_all(folder);
}

TEST(OpenPort, AMissingPortIsNotConnected) {
    TBlockSerial port;
    port.RaiseErrors = true;
    try {
        port.OpenPort("/dev/orlin-test-no-such-port");
        FAIL() << "opened a missing port";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, 2);
        EXPECT_EQ(std::string(error.what()), "Телефон не подключен.");
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.DevicePath, "/dev/orlin-test-no-such-port");

    TBlockSerial quiet;
    quiet.OpenPort("/dev/orlin-test-no-such-port");
    EXPECT_EQ(quiet.LastError(), 2);
    quiet.SendText("AT\r");
    EXPECT_EQ(quiet.LastError(), ErrPortNotOpen);
}

TEST(OpenPort, ANameInRussianLettersOpensTheDeviceItNames) {
    // Port names are Windows-1251 in the program; the file system spells them in UTF-8.
    char pattern[] = "/tmp/orlin-port-name-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string link = folder + "/телефон";
    PtyResponder phone;
    ASSERT_EQ(::symlink(phone.SlavePath().c_str(), link.c_str()), 0);
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    phone.Start();
    {
        TBlockSerial port;
        port.RaiseErrors = true;
        EXPECT_NO_THROW(port.OpenPort(link));
        EXPECT_EQ(port.DevicePath, link);
        if (port.IsOpen()) {
            EXPECT_EQ(port.AtCommand("AT"), "\r\nOK\r\n");
        }
    }
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
    ::unlink(link.c_str());
    ::rmdir(folder.c_str());
}

TEST(OpenPort, OpeningTwiceOnOneObjectFailsAndKeepsThePort) {
    PtyResponder phone;
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    try {
        port.OpenPort(phone.SlavePath());
        FAIL() << "opened twice";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, ErrAlreadyInUse);
        EXPECT_STREQ(error.what(), "Instance already in use");
    }
    phone.Start();
    EXPECT_EQ(port.AtCommand("AT"), "\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(OpenPort, ASecondObjectIsRefusedWhileTheFirstHoldsThePort) {
    PtyResponder phone;
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    TBlockSerial first;
    OpenLikeASession(first, phone);

    TBlockSerial second;
    second.RaiseErrors = true;
    EXPECT_THROW(second.OpenPort(phone.SlavePath()), ESynaSerError);
    EXPECT_EQ(second.LastError(), EBUSY);
    EXPECT_FALSE(second.IsOpen());

    phone.Start();
    EXPECT_EQ(first.AtCommand("AT"), "\r\nOK\r\n");
    first.ClosePort();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.PortNumber, -1);

    second.OpenPort(phone.SlavePath());  // free again
    EXPECT_TRUE(second.IsOpen());
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

// Runs the open probe (a small program that opens a port with TBlockSerial and exits 0 when
// it could) as root or as the unprivileged user 65534. Returns its exit status.
int RunProbe(const std::string& device, bool unprivileged) {
    const std::string probe = ORLIN_OPEN_PROBE;  // in the build tree, readable by every user
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged) {
            ::execl("/usr/bin/setpriv", "setpriv", "--reuid=65534", "--regid=65534",
                    "--clear-groups", probe.c_str(), device.c_str(), static_cast<char*>(nullptr));
        } else {
            ::execl(probe.c_str(), probe.c_str(), device.c_str(), static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OpenPort, AnotherProcessIsRefusedEvenAsRoot) {
    PtyResponder phone;
    TBlockSerial port;
    OpenLikeASession(port, phone);
    // Root ignores the device's exclusive flag; the lock still refuses.
    EXPECT_EQ(RunProbe(phone.SlavePath(), false), 1);
    port.ClosePort();
    EXPECT_EQ(RunProbe(phone.SlavePath(), false), 0);
}

TEST(OpenPort, CloseClearsTheExclusiveFlagWhileTheDeviceStaysOpen) {
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "needs root and setpriv to run a probe as another user";
    }
    PtyResponder phone;  // keeps its own descriptor of the device open throughout
    ASSERT_EQ(::chmod(phone.SlavePath().c_str(), 0666), 0);
    EXPECT_EQ(RunProbe(phone.SlavePath(), true), 0) << "the unprivileged probe cannot open at all";

    // The flag belongs to the device: set through another descriptor, it refuses the user.
    ASSERT_EQ(::ioctl(phone.SlaveFd(), TIOCEXCL), 0);
    EXPECT_EQ(RunProbe(phone.SlavePath(), true), 1);

    // Our open sets it again and our close clears it, although the device stays open.
    TBlockSerial port;
    OpenLikeASession(port, phone);
    EXPECT_EQ(RunProbe(phone.SlavePath(), true), 1);
    port.ClosePort();
    EXPECT_EQ(RunProbe(phone.SlavePath(), true), 0);

    // And a port object destroyed without an explicit close does the same.
    {
        TBlockSerial scoped;
        OpenLikeASession(scoped, phone);
    }
    EXPECT_EQ(RunProbe(phone.SlavePath(), true), 0);
}

}  // namespace
}  // namespace orlin::test
