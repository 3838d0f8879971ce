// The AT exchange over a real pseudo-terminal: echo, line ends split across reads,
// final lines and time-outs.

#include <gtest/gtest.h>

#include "link/serial_device.h"
#include "tests/support/pty_responder.h"
#include "tests/support/stopwatch.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

const std::string kImeiAnswer = "\r\n+CGSN: IMEI351234567890123\r\n\r\nOK\r\n";

TEST(AtExchange, EchoOnAndOffGiveTheSameResponse) {
    PtyResponder phone;
    phone.Answer("AT+CGSN", true, {{0, kImeiAnswer}});
    phone.Answer("AT+CGSN", false, {{0, kImeiAnswer}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();

    EXPECT_EQ(port.AtCommand("AT+CGSN"), kImeiAnswer);
    EXPECT_TRUE(port.AtOk);
    EXPECT_EQ(port.AtCommand("AT+CGSN"), kImeiAnswer);
    EXPECT_TRUE(port.AtOk);
    EXPECT_EQ(port.LastError(), 0);
    EXPECT_EQ(port.LastErrorDesc(), "OK");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, EchoThatDiffersFromTheCommandStaysInTheResponse) {
    PtyResponder phone;
    phone.Expect("AT+CGMM\r").Send("AT+cgmm\r\r\n+CGMM: \"MODEL=C350\"\r\n\r\nOK\r\n");
    phone.Expect("AT+CGMI\r").Send("AT+CGMI \r\r\nOK\r\n");
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();

    EXPECT_EQ(port.AtCommand("AT+CGMM"), "AT+cgmm\r\n\r\n+CGMM: \"MODEL=C350\"\r\n\r\nOK\r\n");
    EXPECT_EQ(port.AtCommand("AT+CGMI"), "AT+CGMI \r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, CrAndLfInSeparateReadsCountAsOneLineEnd) {
    PtyResponder phone;
    // Every CR ends a chunk and its LF starts the next one.
    phone.Answer(
        "AT+CGMM", true,
        {{0, "\r"}, {60, "\n+CGMM: \"MODEL=V600\"\r"}, {60, "\n\r"}, {60, "\nOK\r"}, {60, "\n"}});
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();

    EXPECT_EQ(port.AtCommand("AT+CGMM"), "\r\n+CGMM: \"MODEL=V600\"\r\n\r\nOK\r\n");
    EXPECT_TRUE(port.AtOk);
    // The LF that ended the first answer arrives late; the next command must not see it
    // as an empty line of its own.
    EXPECT_EQ(port.AtCommand("AT"), "\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, AnLfLeftOverFromTheLastSessionIsNoEmptyLine) {
    PtyResponder phone;
    // The first session takes its answer at "OK" CR and closes; the LF follows only once
    // the next session has opened the port and sent its command.
    phone.Answer("AT", false, {{0, "\r\nOK\r"}});
    phone.Expect("AT+CSQ\r").Send("\n").Send("\r\n+CSQ: 15,99\r\n\r\nOK\r\n", 30);
    {
        TBlockSerial first;
        OpenLikeASession(first, phone);
        phone.Start();
        EXPECT_EQ(first.AtCommand("AT"), "\r\nOK\r\n");
    }
    TBlockSerial second;
    OpenLikeASession(second, phone);
    EXPECT_EQ(second.AtCommand("AT+CSQ"), "\r\n+CSQ: 15,99\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, LfCrAndLoneLineEndsEndLinesToo) {
    PtyResponder phone;
    phone.Answer("ATI1", false, {{0, "\n\rfirst\rsecond\nthird\n\rOK\n\r"}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();
    EXPECT_EQ(port.AtCommand("ATI1"), "\r\nfirst\r\nsecond\r\nthird\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, ErrorEndsTheExchangeWithoutRaising) {
    PtyResponder phone;
    phone.Answer("AT+XYZ", true, {{0, "\r\nERROR\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone, true, 2000);
    phone.Start();
    Stopwatch watch;
    EXPECT_EQ(port.AtCommand("AT+XYZ"), "\r\nERROR\r\n");
    EXPECT_LT(watch.Elapsed(), 1000);
    EXPECT_FALSE(port.AtOk);
    EXPECT_EQ(port.LastError(), 0);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, CmeAndCmsErrorsAreFinalLines) {
    PtyResponder phone;
    phone.Answer("AT+CPBS=SM", true, {{0, "\r\n+CME ERROR: 10\r\n"}});
    phone.Answer("AT+CMSS=12", false, {{0, "\r\n+CMS ERROR: 321\r\n"}});
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone, true, 2000);
    phone.Start();

    // A refusal ends the exchange at once instead of waiting out the time-out.
    Stopwatch watch;
    EXPECT_EQ(port.AtCommand("AT+CPBS=SM"), "\r\n+CME ERROR: 10\r\n");
    EXPECT_FALSE(port.AtOk);
    EXPECT_EQ(port.AtCommand("AT+CMSS=12"), "\r\n+CMS ERROR: 321\r\n");
    EXPECT_FALSE(port.AtOk);
    EXPECT_LT(watch.Elapsed(), 1000);
    EXPECT_EQ(port.AtCommand("AT"), "\r\nOK\r\n");
    EXPECT_TRUE(port.AtOk);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, SilenceAfterPartialOutputRaisesTheTimeoutText) {
    PtyResponder phone;
    phone.Answer("AT+CGMM", true, {{0, "\r\n+CGMM: \"MODEL=C350\"\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone, true, 300);
    phone.Start();
    Stopwatch watch;
    try {
        port.AtCommand("AT+CGMM");
        FAIL() << "no time-out";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, ErrTimeout);
        EXPECT_EQ(std::string(error.what()), kTimeoutText);
        EXPECT_EQ(error.ErrorMessage, kTimeoutText);
    }
    EXPECT_GE(watch.Elapsed(), 290);
    EXPECT_LT(watch.Elapsed(), 1500);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, WithoutRaisingTheLinesSoFarComeBackWithOneMoreLineEnd) {
    PtyResponder phone;
    phone.Answer("AT+CGMM", true, {{0, "\r\n+CGMM: \"MODEL=C350\"\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone, false, 250);
    phone.Start();
    EXPECT_EQ(port.AtCommand("AT+CGMM"), "\r\n+CGMM: \"MODEL=C350\"\r\n\r\n");
    EXPECT_FALSE(port.AtOk);
    EXPECT_EQ(port.LastError(), ErrTimeout);
    EXPECT_EQ(port.LastErrorDesc(), kTimeoutText);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, TheTimeoutCountsPerWaitNotForTheWholeAnswer) {
    PtyResponder phone;
    // Four pauses of 150 ms: 600 ms in all, each shorter than the 300 ms time-out.
    phone.Answer("AT+MPBR=1,4", true,
                 {{150, "\r\n+MPBR: 1\r\n"},
                  {150, "\r\n+MPBR: 2\r\n"},
                  {150, "\r\n+MPBR: 3\r\n"},
                  {150, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone, true, 300);
    phone.Start();
    EXPECT_EQ(port.AtCommand("AT+MPBR=1,4"),
              "\r\n+MPBR: 1\r\n\r\n+MPBR: 2\r\n\r\n+MPBR: 3\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, AnAnswerBeyondTheLineEndWaitsForTheNextRead) {
    PtyResponder phone;
    phone.Expect("AT+CMGW=\"+7911\"\r").Send("\r\n> ");
    phone.Expect("0041\x1a\r").Send("\r\n+CMGW: 12\r\n\r\nOK\r\n");
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();

    port.SendText("AT+CMGW=\"+7911\"\r");
    EXPECT_EQ(port.ReadTerminated(500, "> "), "\r\n");
    EXPECT_EQ(port.AtCommand("0041\x1a"), "\r\n+CMGW: 12\r\n\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, TextBeyondATerminatorIsKeptForTheNextRead) {
    PtyResponder phone;
    phone.Expect("go\r").Send("one;two;thr").Send("ee;", 60);
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();
    port.SendText("go\r");
    EXPECT_EQ(port.ReadTerminated(500, ";"), "one");
    EXPECT_EQ(port.PendingText, "two;thr");
    EXPECT_EQ(port.ReadTerminated(500, ";"), "two");
    EXPECT_EQ(port.ReadTerminated(500, ";"), "three");
    EXPECT_TRUE(port.PendingText.empty());
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, ALineLongerThanTheLimitFailsWithItsCode) {
    PtyResponder phone;
    phone.Expect("ATI\r").Send("0123456789ABCDEF\r\n");
    TBlockSerial port;
    OpenLikeASession(port, phone, false);
    port.MaxLineLength = 10;
    phone.Start();
    port.SendText("ATI\r");
    EXPECT_EQ(port.ReadLine(500), "");
    EXPECT_EQ(port.LastError(), ErrMaxBuffer);
    EXPECT_EQ(port.LastErrorDesc(), "Maximal buffer length exceeded");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, LineModeIsOnlyForTheExchange) {
    PtyResponder phone;
    phone.Answer("AT", false, {{0, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();
    port.AtCommand("AT");
    EXPECT_FALSE(port.ConvertLineEnd);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(AtExchange, AClosedPortFailsEveryExchangeWithTheNotConnectedText) {
    TBlockSerial port;
    EXPECT_EQ(port.AtCommand("AT"), "\r\n");
    EXPECT_EQ(port.LastError(), ErrPortNotOpen);
    EXPECT_EQ(port.LastErrorDesc(), "Телефон не подключен.");

    port.RaiseErrors = true;
    try {
        port.SendText("AT\r");
        FAIL() << "wrote to a closed port";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, ErrPortNotOpen);
        EXPECT_EQ(std::string(error.what()), "Телефон не подключен.");
    }
}

// A line that answers OK to every command line at once; what was written and whether it was
// closed stay readable after the port object took it over.
struct OkLine final : SerialLine {
    struct Seen {
        std::string written;
        bool closed = false;
    };
    explicit OkLine(Seen& seen) : seen(seen) {}
    int32_t ClearEventMask() override { return 0; }
    int32_t SetQueueSize(int) override { return 0; }
    int32_t SetDriverTimeouts() override { return 0; }
    int32_t ApplyLine(const LineSettings&) override { return 0; }
    void SetRts(bool) override {}
    void SetDtr(bool) override {}
    void Purge() override {}
    int32_t Waiting(int& count, LineErrorFlags& flags) override {
        count = static_cast<int>(pending.size());
        flags = {};
        return 0;
    }
    int32_t WaitForData(int) override { return pending.empty() ? ErrTimeout : 0; }
    int32_t Read(char* buffer, int n, int, int& done) override {
        done = static_cast<int>(pending.copy(buffer, static_cast<size_t>(n)));
        pending.erase(0, static_cast<size_t>(done));
        return 0;
    }
    int32_t Write(const char* buffer, int n, int, int& done) override {
        seen.written.append(buffer, static_cast<size_t>(n));
        pending += "\r\nOK\r\n";
        done = n;
        return 0;
    }
    void Close() override { seen.closed = true; }
    Seen& seen;
    std::string pending;
};

TEST(AtExchange, RunsOverALineGivenToThePortObject) {
    OkLine::Seen seen;
    TBlockSerial port;
    port.RaiseErrors = true;
    port.OpenDevice(std::make_unique<OkLine>(seen), "memory");
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.AtCommand("AT"), kOk);
    EXPECT_TRUE(port.AtOk);
    EXPECT_EQ(seen.written, "AT\r");

    // Like OpenPort, a port object that is open takes no second device.
    OkLine::Seen other;
    try {
        port.OpenDevice(std::make_unique<OkLine>(other), "memory");
        FAIL() << "opened twice";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, ErrAlreadyInUse);
    }
    port.ClosePort();
    EXPECT_TRUE(seen.closed);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace orlin::test
