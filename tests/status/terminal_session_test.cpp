// Sending terminal commands to the simulated phone through the real serial layer.

#include <gtest/gtest.h>

#include "link/block_serial.h"
#include "status/terminal_commands.h"
#include "tests/support/sim_phone.h"
#include "tests/support/stopwatch.h"

namespace orlin {
namespace {

using test::SimPhone;

const std::string kModelAnswer =
    "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=C350\"\r\n\r\nOK\r\n";

void UseThreeBands(SimPhone& phone) {
    phone->withState([](phonesim::PhoneState& s) { s.bands = {"GSM900", "GSM1800", "GSM1900"}; });
}

TEST(Terminal, AnswerWithoutEchoAndWithoutUnsolicitedLines) {
    SimPhone phone;
    UseThreeBands(phone);
    const TerminalAnswer answer = SendTerminalCommand(phone.settings, "AT+CGMM");
    EXPECT_EQ(answer.response, kModelAnswer);
    EXPECT_TRUE(answer.unsolicited.empty());
}

TEST(Terminal, UnsolicitedLinesAreHandedBackSeparately) {
    SimPhone phone;
    UseThreeBands(phone);
    phonesim::FaultOptions faults = test::UnsolicitedEverywhere();
    faults.unsolicitedLine = "+CMTI: \"IM\",7";
    phone->setFaults(faults);
    const TerminalAnswer answer = SendTerminalCommand(phone.settings, "AT+CGMM");
    EXPECT_EQ(answer.response, kModelAnswer);
    EXPECT_EQ(answer.unsolicited, (std::vector<std::string>{"+CMTI: \"IM\",7", "+CMTI: \"IM\",7"}));
}

TEST(Terminal, ErrorIsAnAnswerNotAFailure) {
    SimPhone phone;
    const TerminalAnswer answer = SendTerminalCommand(phone.settings, "AT+NOSUCHTHING");
    EXPECT_EQ(answer.response, "\r\nERROR\r\n");
}

TEST(Terminal, EmptyLineSendsALoneCarriageReturn) {
    SimPhone phone;
    // The phone's empty framing lines equal the empty command, so they count as its echo.
    EXPECT_EQ(SendTerminalCommand(phone.settings, "").response, "OK\r\n");
    EXPECT_EQ(phone->commandLog().back(), "");
}

TEST(Terminal, TextIsSentAsTypedAndTheTimeoutIsOneSecond) {
    SimPhone phone;
    SendTerminalCommand(phone.settings, "AT+CPBS=\"ME\"");
    EXPECT_EQ(phone->commandLog().back(), "AT+CPBS=\"ME\"");

    phonesim::FaultOptions faults;
    faults.silentOn = "AT+CSQ";
    phone->setFaults(faults);
    phone.settings.PortTimeOut = 8000;
    const long long ms = test::MillisecondsOf(
        [&] { EXPECT_THROW(SendTerminalCommand(phone.settings, "AT+CSQ"), ESynaSerError); });
    EXPECT_LT(ms, 3000);
}

}  // namespace
}  // namespace orlin
