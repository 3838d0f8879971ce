// orlin-cli run as a program: options, settings, exit status and the at verb against a
// scripted phone on a pseudo-terminal.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/progress.h"
#include "link/block_serial.h"
#include "link/port_settings.h"
#include "tests/support/cli_run.h"
#include "tests/support/pty_responder.h"
#include "tests/support/stopwatch.h"

namespace orlin::test {
namespace {

// The progress printer: on a terminal one line redrawn in place (at most ten times a second,
// always at the end) with a bar, the count and the time left; elsewhere plain lines per
// tenth when asked for, or nothing.
TEST(ProgressPrinter, OneUpdatingLineOnATerminalPlainLinesOnRequestElseNothing) {
    using namespace std::chrono_literals;
    const ProgressPrinter::Clock::time_point t0{};
    std::ostringstream terminal;
    {
        ProgressPrinter printer(terminal, ProgressPrinter::Mode::Terminal);
        printer.show("reading", 0, 10, t0);
        printer.show("reading", 5, 10, t0 + 10s);
        printer.show("reading", 6, 10, t0 + 10s + 50ms);  // too soon after the last
        printer.show("reading", 10, 10, t0 + 20s);
        printer.show("writing", 1, 4, t0 + 21s);  // a new line for the next work
    }
    EXPECT_EQ(terminal.str(), "\rreading [" + std::string(30, '.') + "] 0/10" + "\rreading [" +
                                  std::string(15, '#') + std::string(15, '.') +
                                  "] 5/10  0:10 left" + "\rreading [" + std::string(30, '#') +
                                  "] 10/10" + std::string(10, ' ') + "\n" + "\rwriting [" +
                                  std::string(7, '#') + std::string(23, '.') + "] 1/4\n");

    std::ostringstream lines, silent;
    {
        ProgressPrinter plain(lines, ProgressPrinter::Mode::Lines);
        ProgressPrinter none(silent, ProgressPrinter::Mode::Silent);
        for (int i = 0; i <= 100; ++i) {
            plain.show("reading", i, 100);
            none.show("reading", i, 100);
        }
    }
    const std::string text = lines.str();
    EXPECT_EQ(text.substr(0, 31), "reading: 1/100\nreading: 10/100\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_EQ(silent.str(), "");
}

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs orlin-cli with the words given, in the folder given, and collects both outputs: by fork
// and exec rather than through the shell as test::RunCli does, since the scripted phone runs
// in this process.
CliResult ExecCli(const std::vector<std::string>& words, const std::string& folder) {
    // Everything the child needs is prepared before the fork: the scripted phone's thread
    // may hold the allocator's lock at that moment.
    std::vector<char*> argv{const_cast<char*>(ORLIN_CLI)};
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        ::close(outPipe[0]), ::close(errPipe[0]), ::close(outPipe[1]), ::close(errPipe[1]);
        if (::chdir(folder.c_str()) != 0) ::_exit(126);
        ::execv(ORLIN_CLI, argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    CliResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, 10000) <= 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(got));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class OrlinCli : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    CliResult Run(const std::vector<std::string>& words) { return ExecCli(words, folder_); }
    void WriteSettings(const std::string& port, int timeOut) {
        SavePortSettings({port, 19200, timeOut}, folder_ + "/portcfg.ini");
    }
    std::string folder_;
};

TEST_F(OrlinCli, AtPrintsTheAnswerByteForByte) {
    PtyResponder phone;
    // Windows-1251 bytes in the answer go out unchanged, and no newline is added.
    const std::string answer =
        "\r\n+CGMI: \"Motorola \xCC\xEE\xF2\xEE\xF0\xEE\xEB\xE0\"\r\n\r\nOK\r\n";
    phone.Answer("AT+CGMI", true, {{0, answer.substr(0, 9)}, {40, answer.substr(9)}});
    phone.Start();
    const CliResult got = Run({"--port", phone.SlavePath(), "at", "AT+CGMI"});
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, answer);
    EXPECT_EQ(got.err, "");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, ARefusalIsACompletedExchange) {
    PtyResponder phone;
    phone.Answer("AT+CPBS=SM", false, {{0, "\r\n+CME ERROR: 10\r\n"}});
    phone.Answer("AT+XYZ", false, {{0, "\r\nERROR\r\n"}});
    phone.Start();
    const CliResult cme = Run({"at", "AT+CPBS=SM", "--port", phone.SlavePath()});
    EXPECT_EQ(cme.status, 0) << cme.err;
    EXPECT_EQ(cme.out, "\r\n+CME ERROR: 10\r\n");
    const CliResult error = Run({"--port=" + phone.SlavePath(), "at", "AT+XYZ"});
    EXPECT_EQ(error.status, 0) << error.err;
    EXPECT_EQ(error.out, "\r\nERROR\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, APortNamedInRussianLetters) {
    PtyResponder phone;
    const std::string link = folder_ + "/телефон";
    ASSERT_EQ(::symlink(phone.SlavePath().c_str(), link.c_str()), 0);
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    phone.Start();
    const CliResult got = Run({"--port", link, "at", "AT"});
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, "\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, AMissingPortIsNotConnected) {
    const CliResult got = Run({"--port", "/dev/orlin-test-no-such-port", "at", "AT"});
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, "Телефон не подключен.\n");
}

// The language of the messages: --lang, else ORLIN_LANG, else the locale; Russian under a
// Russian locale as ever, English under any other.
TEST_F(OrlinCli, TheMessagesFollowTheLanguageChosen) {
    const std::string noLocale = "env -u ORLIN_LANG -u LANGUAGE -u LC_ALL -u LC_MESSAGES ";
    const std::string english = "The phone is not connected.\n";
    const std::string russian = "Телефон не подключен.\n";
    const struct {
        std::string before, options;
        int status;
        std::string err;
    } cases[] = {
        {noLocale + "LANG=C.UTF-8 ", "", 1, english},
        {noLocale, "", 1, english},
        {noLocale + "LANG=ru_RU.UTF-8 ", "", 1, russian},
        {noLocale + "LANGUAGE=uk:en LANG=C.UTF-8 ", "", 1, russian},
        {noLocale + "LC_ALL=de_DE.UTF-8 LANG=ru_RU.UTF-8 ", "", 1, english},
        {noLocale + "LANG=ru_RU.UTF-8 ", "--lang en ", 1, english},
        {noLocale + "LANG=C.UTF-8 ", "--lang=ru ", 1, russian},
        {"ORLIN_LANG=en LANG=ru_RU.UTF-8 ", "", 1, english},
        {"ORLIN_LANG=ru LANG=C.UTF-8 ", "", 1, russian},
    };
    for (const auto& c : cases) {
        const CliRun got =
            test::RunCli(folder_, "/dev/orlin-test-no-such-port", c.options + "at AT", c.before);
        EXPECT_EQ(got.status, c.status) << c.before << c.options;
        EXPECT_EQ(got.err, c.err) << c.before << c.options;
    }
    const CliRun wrong = test::RunCli(folder_, "/dev/orlin-test-no-such-port", "--lang de at AT");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err.substr(0, wrong.err.find('\n')),
              "orlin-cli: --lang wants ru or en, not 'de'");
}

TEST_F(OrlinCli, SilenceIsATimeoutWithTheGivenWait) {
    PtyResponder phone;
    phone.Answer("AT+CGMM", true, {{0, "\r\n+CGMM: \"MODEL=C350\"\r\n"}});
    phone.Start();
    Stopwatch watch;
    const CliResult got = Run({"--port", phone.SlavePath(), "--timeout", "200", "at", "AT+CGMM"});
    EXPECT_LT(watch.Elapsed(), 900);
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, "Ошибка по таймауту...\r\nУстановите большее значение таймаута...\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, AtWaitsOneSecondWhateverTheFileSays) {
    PtyResponder phone;
    phone.Answer("AT", true, {});
    phone.Start();
    WriteSettings(phone.SlavePath(), 100);
    Stopwatch watch;
    const CliResult got = Run({"at", "AT"});
    EXPECT_GE(watch.Elapsed(), 950);
    EXPECT_EQ(got.status, 1);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, PortErrorsHaveRussianTexts) {
    PtyResponder busy;
    TBlockSerial holder;
    holder.RaiseErrors = true;
    holder.OpenPort(busy.SlavePath());
    // Open to its group, dialout, which the user is not in.
    PtyResponder locked;
    ASSERT_EQ(::chown(locked.SlavePath().c_str(), 0, ::getgrnam("dialout")->gr_gid), 0);
    ASSERT_EQ(::chmod(locked.SlavePath().c_str(), 0660), 0);
    const bool canDropRoot = ::geteuid() == 0 && ::access("/usr/bin/setpriv", X_OK) == 0;
    const struct {
        const char* what;
        std::string asUser;  // runs the program as another user
        std::string port;
        const char* err;
    } cases[] = {
        {"held by another port object", "", busy.SlavePath(), "Устройство или ресурс занят\n"},
        {"not a terminal", "", "/dev/null", "Устройство не является терминалом\n"},
        {"no permission",
         canDropRoot ? "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups " : "",
         locked.SlavePath(),
         "Нет доступа к порту: добавьте пользователя в группу dialout (sudo usermod -aG dialout "
         "$USER) и войдите в систему заново\n"},
    };
    for (const auto& c : cases) {
        if (std::string(c.what) == "no permission" && !canDropRoot) continue;
        const CliRun got = test::RunCli(folder_, c.port, "at AT", c.asUser);
        EXPECT_EQ(got.status, 1) << c.what;
        EXPECT_EQ(got.out, "") << c.what;
        EXPECT_EQ(got.err, c.err) << c.what;
    }
}

TEST_F(OrlinCli, SettingsComeFromTheFileAndOptionsOverrideThem) {
    PtyResponder phone;
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    phone.Answer("AT+CSQ", false, {{0, "\r\n+CSQ: 15,99\r\n\r\nOK\r\n"}});
    phone.Start();
    WriteSettings(phone.SlavePath(), 3000);
    const CliResult fromFile = Run({"at", "AT"});
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, "\r\nOK\r\n");

    WriteSettings("/dev/orlin-test-no-such-port", 3000);
    const CliResult overridden = Run({"at", "--port", phone.SlavePath(), "AT+CSQ"});
    EXPECT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_EQ(overridden.out, "\r\n+CSQ: 15,99\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();

    const CliResult fileOnly = Run({"at", "AT"});
    EXPECT_EQ(fileOnly.status, 1);
    EXPECT_EQ(fileOnly.err, "Телефон не подключен.\n");
}

TEST_F(OrlinCli, ABrokenSettingsFileIsAFailure) {
    std::ofstream(folder_ + "/portcfg.ini", std::ios::binary)
        << "[PORT CONFIG]\r\nPort=COM3\r\nBaudRate=fast\r\nTimeOut=3000\r\n";
    const CliResult got = Run({"at", "AT"});
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.err, "portcfg.ini: 'fast' is not a valid integer value\n");
}

TEST_F(OrlinCli, UnsolicitedLinesAreNotedApart) {
    PtyResponder phone;
    phone.Answer("AT+CBC", true, {{0, "\r\nRING\r\n\r\n+CBC: 0,80\r\n\r\nOK\r\n"}});
    phone.Start();
    const CliResult got = Run({"--port", phone.SlavePath(), "at", "AT+CBC"});
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, "\r\n+CBC: 0,80\r\n\r\nOK\r\n");
    EXPECT_EQ(got.err, "Unsolicited: RING\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, WordsOfACommandAreJoined) {
    PtyResponder phone;
    phone.Answer("AT +CPBS=ME", false, {{0, "\r\nOK\r\n"}});
    phone.Start();
    const CliResult got = Run({"--port", phone.SlavePath(), "at", "AT", "+CPBS=ME"});
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, "\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST_F(OrlinCli, WrongCommandLinesExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--port", "/dev/null"},
        {"--port", "/dev/null", "fly"},
        {"--port", "/dev/null", "--speed", "9600", "at", "AT"},
        {"--port", "/dev/null", "at"},
        {"--port", "/dev/null", "--baud", "fast", "at", "AT"},
        {"--port", "/dev/null", "--timeout", "-5", "at", "AT"},
        {"at", "AT"},  // no portcfg.ini and no --port
        {"at", "AT", "--port"},
        {"--port", "/dev/null", "at", "AT", "--speed", "9600"},
    };
    for (const auto& words : wrong) {
        const CliResult got = Run(words);
        std::string line;
        for (const auto& word : words) line += word + " ";
        EXPECT_EQ(got.status, 2) << line << got.err;
        EXPECT_EQ(got.out, "") << line;
        EXPECT_NE(got.err.find("Usage: orlin-cli"), std::string::npos) << line;
    }
}

TEST_F(OrlinCli, HelpExplainsEveryVerbAndOption) {
    const CliResult got = Run({"--help"});
    EXPECT_EQ(got.status, 0);
    for (const char* text : {"at COMMAND", "--port NAME", "--baud N", "--timeout MS", "--yes",
                             "--help", "portcfg.ini", "Exit status"}) {
        EXPECT_NE(got.out.find(text), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace orlin::test
