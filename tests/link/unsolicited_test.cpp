// Lines the phone sends of its own accord are set aside wherever they land in an answer,
// and the answer reads exactly as it would without them.

#include "link/unsolicited.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/pty_responder.h"

namespace orlin::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kModelAnswer = "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=C350\"\r\n\r\nOK\r\n";
const std::string kNewMessage = "\r\n+CMTI: \"IM\",5\r\n";

// One exchange of AT+CGMM in which the phone sends the given bytes in chunks.
struct Exchange {
    std::string response;
    Lines unsolicited;
    bool ok = false;
};

Exchange RunExchange(const std::string& command, bool echo,
                     const std::vector<std::pair<int, std::string>>& chunks) {
    PtyResponder phone;
    phone.Answer(command, echo, chunks);
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();
    Exchange result;
    result.response = port.AtCommand(command);
    result.ok = port.AtOk;
    result.unsolicited = port.TakeUnsolicitedLines();
    EXPECT_TRUE(port.TakeUnsolicitedLines().empty()) << "reading must empty the list";
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
    return result;
}

TEST(Unsolicited, BeforeTheEcho) {
    // The line came before the phone saw the command, so it precedes the echo.
    const Exchange got =
        RunExchange("AT+CGMM", false, {{0, kNewMessage + "AT+CGMM\r" + kModelAnswer}});
    EXPECT_EQ(got.response, kModelAnswer);
    EXPECT_TRUE(got.ok);
    EXPECT_EQ(got.unsolicited, Lines{"+CMTI: \"IM\",5"});
}

TEST(Unsolicited, BetweenEchoAndAnswer) {
    const Exchange got = RunExchange(
        "AT+CGMM", true,
        {{0, "\r\nRING\r\n"}, {30, "\r\n+CLIP: \"+79111234567\",145\r\n"}, {30, kModelAnswer}});
    EXPECT_EQ(got.response, kModelAnswer);
    EXPECT_EQ(got.unsolicited, (Lines{"RING", "+CLIP: \"+79111234567\",145"}));
}

TEST(Unsolicited, BetweenTwoAnswerLines) {
    const std::string first = "\r\n+MPBR: 1,\"+7911\",145,0041,3,0,255,0,1\r\n";
    const std::string second = "\r\n+MPBR: 2,\"+7912\",145,0042,3,0,255,0,1\r\n";
    const Exchange got = RunExchange(
        "AT+MPBR=1,2", true,
        {{0, first + "\r\n+MBAN: Copyright 2000-2004 Motorola, Inc.\r\n" + second + "\r\nOK\r\n"}});
    EXPECT_EQ(got.response, first + second + "\r\nOK\r\n");
    EXPECT_EQ(got.unsolicited, Lines{"+MBAN: Copyright 2000-2004 Motorola, Inc."});
}

TEST(Unsolicited, SplitAcrossReads) {
    const Exchange got = RunExchange("AT+CGMM", true,
                                     {{0, "\r\n+CM"},
                                      {50, "TI: \"IM\",5\r"},
                                      {50, "\n\r\n+CIEV: 2,"},
                                      {50, "3\r\n"},
                                      {50, kModelAnswer}});
    EXPECT_EQ(got.response, kModelAnswer);
    EXPECT_EQ(got.unsolicited, (Lines{"+CMTI: \"IM\",5", "+CIEV: 2,3"}));
}

TEST(Unsolicited, AfterTheFinalLineItWaitsForTheNextCommand) {
    PtyResponder phone;
    phone.Answer("AT+CGMM", true, {{0, kModelAnswer + "\r\n+CREG: 1\r\n"}});
    phone.Answer("AT", true, {{0, "\r\nOK\r\n"}});
    TBlockSerial port;
    OpenLikeASession(port, phone);
    phone.Start();
    EXPECT_EQ(port.AtCommand("AT+CGMM"), kModelAnswer);
    EXPECT_EQ(port.AtCommand("AT"), "\r\nOK\r\n");
    EXPECT_EQ(port.TakeUnsolicitedLines(), Lines{"+CREG: 1"});
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(Unsolicited, ACommandKeepsTheResultItAsksFor) {
    const Exchange creg =
        RunExchange("AT+CREG?", true, {{0, kNewMessage + "\r\n+CREG: 0,1\r\n\r\nOK\r\n"}});
    EXPECT_EQ(creg.response, "\r\n+CREG: 0,1\r\n\r\nOK\r\n");
    EXPECT_EQ(creg.unsolicited, Lines{"+CMTI: \"IM\",5"});

    const Exchange clip = RunExchange("AT+CLIP?", true, {{0, "\r\n+CLIP: 0,1\r\n\r\nOK\r\n"}});
    EXPECT_EQ(clip.response, "\r\n+CLIP: 0,1\r\n\r\nOK\r\n");
    EXPECT_TRUE(clip.unsolicited.empty());

    // Asking for the GPRS registration does not ask for +CREG:.
    const Exchange cgreg =
        RunExchange("AT+CGREG?", true, {{0, "\r\n+CREG: 5\r\n\r\n+CGREG: 0,1\r\n\r\nOK\r\n"}});
    EXPECT_EQ(cgreg.response, "\r\n+CGREG: 0,1\r\n\r\nOK\r\n");
    EXPECT_EQ(cgreg.unsolicited, Lines{"+CREG: 5"});
}

TEST(Unsolicited, ADeliveredMessageGoesAsideWithItsTextLine) {
    const Exchange got =
        RunExchange("AT+CGMM", true,
                    {{0, "\r\n+CMT: \"+79111234567\",,\"06/12/26,09:05:07+00\"\r\nRING at six\r\n" +
                             kModelAnswer}});
    EXPECT_EQ(got.response, kModelAnswer);
    EXPECT_EQ(got.unsolicited,
              (Lines{"+CMT: \"+79111234567\",,\"06/12/26,09:05:07+00\"", "RING at six"}));
}

TEST(Unsolicited, OrdinaryAnswersStay) {
    const Exchange store = RunExchange("AT+CMSS=12", true, {{0, "\r\n+CMSS: 34\r\n\r\nOK\r\n"}});
    EXPECT_EQ(store.response, "\r\n+CMSS: 34\r\n\r\nOK\r\n");
    EXPECT_TRUE(store.unsolicited.empty());

    const Exchange write =
        RunExchange("AT+CMGW=\"+7911\"", true, {{0, "\r\n+CMGW: 12\r\n\r\nOK\r\n"}});
    EXPECT_EQ(write.response, "\r\n+CMGW: 12\r\n\r\nOK\r\n");
    EXPECT_TRUE(write.unsolicited.empty());
}

TEST(Unsolicited, MessageTextAfterItsHeaderIsNeverSetAside) {
    // The text of a message follows its header unframed and may begin like a result code.
    const std::string answer =
        "\r\n+MMGR: \"REC READ\", \"+79111234567\", \"2006/12/26,09:05:07\"\r\nRING me "
        "back\r\n\r\nOK\r\n";
    const Exchange got = RunExchange("AT+MMGR=4", true, {{0, answer}});
    EXPECT_EQ(got.response, answer);
    EXPECT_TRUE(got.unsolicited.empty());

    const std::string cmgr =
        "\r\n+CMGR: \"REC READ\",\"+7911\"\r\n+CMTI: looks like one\r\n\r\nOK\r\n";
    const Exchange standard = RunExchange("AT+CMGR=1", true, {{0, cmgr}});
    EXPECT_EQ(standard.response, cmgr);
}

TEST(Unsolicited, ALineBetweenHeaderAndTextIsStillSetAside) {
    const std::string header =
        "\r\n+MMGR: \"REC READ\", \"+79111234567\", \"2006/12/26,09:05:07\"\r\n";
    const Exchange got =
        RunExchange("AT+MMGR=4", true, {{0, header + kNewMessage + "00410042\r\n\r\nOK\r\n"}});
    EXPECT_EQ(got.response, header + "00410042\r\n\r\nOK\r\n");
    EXPECT_EQ(got.unsolicited, Lines{"+CMTI: \"IM\",5"});
}

TEST(Unsolicited, Recognition) {
    EXPECT_TRUE(IsUnsolicitedFor("+CMT: \"+7911\",,\"06/12/26\"", "AT"));
    EXPECT_TRUE(IsUnsolicitedFor("+CMTI: \"SM\",1", "AT+CMT?"));  // naming CMT is not naming CMTI
    EXPECT_FALSE(IsUnsolicitedFor("+CMTI: \"SM\",1", "at+cmti?"));
    EXPECT_TRUE(IsUnsolicitedFor("+CRING: VOICE", "AT"));
    EXPECT_TRUE(IsUnsolicitedFor("+CDSI: \"SR\",2", "AT"));
    EXPECT_TRUE(IsUnsolicitedFor("+CBM: 23", "AT"));
    EXPECT_FALSE(IsUnsolicitedFor("+CMGW: 12", "AT"));
    EXPECT_FALSE(IsUnsolicitedFor("+CGMM: \"MODEL=C350\"", "AT+CGMM"));
    EXPECT_FALSE(IsUnsolicitedFor("OK", "AT"));
    EXPECT_TRUE(UnsolicitedCarriesDataLine("+CDS: 25"));
    EXPECT_FALSE(UnsolicitedCarriesDataLine("+CDSI: \"SR\",2"));
    EXPECT_TRUE(IsErrorFinalLine("+CME ERROR: 3"));
    EXPECT_FALSE(IsErrorFinalLine("+CMEE: 1"));
}

}  // namespace
}  // namespace orlin::test

namespace orlin::test {
namespace {

TEST(Unsolicited, APhoneThatNeverStopsRingingEndsAtTheDeadline) {
    // RING every few milliseconds for two seconds: each line resets the wait for data, so
    // only the exchange's own deadline ends it, with the time-out error; the newest lines
    // are kept and the rest counted.
    PtyResponder phone;
    std::vector<std::pair<int, std::string>> rings;
    for (int i = 0; i < 400; ++i) rings.push_back({5, "\r\nRING\r\n"});
    phone.Answer("AT", true, rings);
    TBlockSerial port;
    OpenLikeASession(port, phone, false, 400);
    port.AtDeadline = 600;
    phone.Start();
    const auto started = std::chrono::steady_clock::now();
    port.AtCommand("AT");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    EXPECT_EQ(port.LastError(), ErrTimeout);
    EXPECT_FALSE(port.AtOk);
    EXPECT_LT(took.count(), 1500);
    const auto kept = port.TakeUnsolicitedLines();
    EXPECT_EQ(kept.size(), TBlockSerial::kUnsolicitedLinesKept);
    EXPECT_GT(port.DroppedUnsolicitedLines(), 0u);
    phone.Finish();
}

TEST(Unsolicited, TheDefaultDeadlineLeavesRoomForTheLongestAnswer) {
    TBlockSerial port;
    port.AtTimeout = 1000;
    // 16 KiB at 9600 baud take about 17 s on the wire: the exchange may take twice that.
    EXPECT_NEAR(port.ExchangeDeadlineMs(), 1000 + 2 * 16384 * 10 * 1000 / 9600, 2);
    port.AtDeadline = 250;
    EXPECT_EQ(port.ExchangeDeadlineMs(), 250);
}

}  // namespace
}  // namespace orlin::test
