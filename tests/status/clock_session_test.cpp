// The clock display's held port, its ticks and the synchronisation, against the simulated
// phone through the real serial layer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "link/block_serial.h"
#include "link/phone_session.h"
#include "status/phone_clock.h"
#include "status/phone_info.h"
#include "tests/support/sim_phone.h"
#include "tests/support/stopwatch.h"

namespace orlin {
namespace {

// One query over a session of its own, as a page asks a single value.
std::string AskOnce(const PortSettings& settings, const char* command) {
    PhoneSession session(settings);
    return AskInfo(session, command);
}

using test::SimPhone;

int64_t PhoneClockOffset(SimPhone& phone) {
    int64_t offset = 0;
    phone->withState([&](phonesim::PhoneState& s) { offset = s.clockOffsetSeconds; });
    return offset;
}

void SetPhoneClockOffset(SimPhone& phone, int64_t seconds, const std::string& zone = "+00") {
    phone->withState([&](phonesim::PhoneState& s) {
        s.clockOffsetSeconds = seconds;
        s.clockZone = zone;
    });
}

// The display form of the computer's local time shifted by `seconds`.
std::string LocalDisplayIn(int64_t seconds) {
    const std::time_t when = std::time(nullptr) + seconds;
    std::tm t{};
    localtime_r(&when, &t);
    return FormatClockDisplay(
        {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec});
}

// True when `shown` is the local time shifted by `seconds`, give or take the tick's second.
bool ShowsLocalTimeIn(const std::string& shown, int64_t seconds) {
    for (int slack = -2; slack <= 1; ++slack) {
        if (shown == LocalDisplayIn(seconds + slack)) return true;
    }
    return false;
}

TEST(ClockSession, TicksShowThePhonesTimeWithOrWithoutZone) {
    SimPhone phone;
    const int64_t twoDaysBack = -2 * 24 * 3600 - 3 * 3600 - 125;
    SetPhoneClockOffset(phone, twoDaysBack, "+00");
    ClockSession display(phone.settings);
    ASSERT_TRUE(display.IsOpen());
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), twoDaysBack);

    SetPhoneClockOffset(phone, twoDaysBack, "");  // a phone that sends no zone
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), twoDaysBack);
    SetPhoneClockOffset(phone, twoDaysBack, "-08");
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), twoDaysBack);
}

TEST(ClockSession, HoldsThePortUntilDestroyed) {
    SimPhone phone;
    {
        ClockSession display(phone.settings);
        ASSERT_TRUE(display.IsOpen());
        EXPECT_THROW(AskOnce(phone.settings, kImeiCommand), ESynaSerError);
        EXPECT_THROW(SynchronisePhoneClock(phone.settings, nullptr, CurrentLocalTime()),
                     ESynaSerError);
        EXPECT_FALSE(display.Tick().empty());  // the display itself still talks
    }
    EXPECT_EQ(ParseImei(AskOnce(phone.settings, kImeiCommand)), "351234567890123");
}

TEST(ClockSession, SilentPhoneGivesAnEmptyFieldAndNoException) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+CCLK?";
    phone->setFaults(faults);
    ClockSession display(phone.settings);
    std::string shown = "not run";
    const long long ms = test::MillisecondsOf([&] { shown = display.Tick(); });
    EXPECT_EQ(shown, "");
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 3000);

    // The phone comes back: the next tick shows its time again.
    phone->setFaults({});
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), 0);
}

TEST(ClockSession, AnswerCutOffGivesAnEmptyFieldAndTheNextTickRecovers) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.cutOn = "AT+CCLK?";
    faults.cutAfterBytes = 16;  // CR LF, +CCLK: and the first characters of the date
    phone->setFaults(faults);
    ClockSession display(phone.settings);
    EXPECT_EQ(display.Tick(), "");

    // The fragment waits in the port object and arrives first in the next exchange.
    phone->setFaults({});
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), 0);
}

TEST(ClockSession, NoPortMeansEmptyTicksNotFailures) {
    PortSettings settings;
    settings.PortName = "/dev/orlin-no-such-port";
    settings.PortBaudRate = 19200;
    ClockSession display(settings);
    EXPECT_FALSE(display.IsOpen());
    EXPECT_EQ(display.Tick(), "");
    EXPECT_EQ(display.Tick(), "");
}

TEST(ClockSession, UnsolicitedLinesDoNotDisturbOrPileUp) {
    SimPhone phone;
    phone->setFaults(test::UnsolicitedEverywhere());
    ClockSession display(phone.settings);
    for (int i = 0; i < 3; ++i) EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), 0);
    EXPECT_TRUE(display.port().TakeUnsolicitedLines().empty());
}

TEST(ClockSession, AnswersInSmallPiecesWithUnsolicitedLines) {
    SimPhone phone;
    phonesim::FaultOptions faults = test::UnsolicitedEverywhere();
    faults.chunkBytes = 3;
    faults.splitCrLf = true;
    faults.pauseBetweenWritesMs = 1;
    phone->setFaults(faults);
    SetPhoneClockOffset(phone, 600);
    ClockSession display(phone.settings);
    for (int i = 0; i < 3; ++i) EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), 600);
}

TEST(ClockSync, OwnSessionSetsThePhonesClock) {
    SimPhone phone;
    SetPhoneClockOffset(phone, 5 * 24 * 3600);
    EXPECT_EQ(SynchronisePhoneClock(phone.settings, nullptr, CurrentLocalTime()),
              ClockSyncOutcome::Synchronised);
    EXPECT_LE(std::llabs(PhoneClockOffset(phone)), 2);
    const auto log = phone->commandLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("AT+CCLK=\"", 0), 0u);
}

TEST(ClockSync, RefusedCommandIsAFailureAndChangesNothing) {
    SimPhone phone;
    SetPhoneClockOffset(phone, 3600);
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CCLK=";
    phone->setFaults(faults);
    EXPECT_EQ(SynchronisePhoneClock(phone.settings, nullptr, CurrentLocalTime()),
              ClockSyncOutcome::Failed);
    EXPECT_EQ(PhoneClockOffset(phone), 3600);
}

TEST(ClockSync, AnUnsolicitedLineInTheAnswerIsStillSuccess) {
    SimPhone phone;
    SetPhoneClockOffset(phone, -7200);
    phone->setFaults(test::UnsolicitedEverywhere());
    EXPECT_EQ(SynchronisePhoneClock(phone.settings, nullptr, CurrentLocalTime()),
              ClockSyncOutcome::Synchronised);
    EXPECT_LE(std::llabs(PhoneClockOffset(phone)), 2);
}

TEST(ClockSync, WhileTheDisplayRunsItGoesOverTheHeldPort) {
    SimPhone phone;
    SetPhoneClockOffset(phone, -86400);
    ClockSession display(phone.settings);
    ASSERT_TRUE(display.IsOpen());
    EXPECT_EQ(SynchronisePhoneClock(phone.settings, &display, CurrentLocalTime()),
              ClockSyncOutcome::SentOverDisplay);
    EXPECT_LE(std::llabs(PhoneClockOffset(phone)), 2);
    EXPECT_PRED2(ShowsLocalTimeIn, display.Tick(), 0);
}

}  // namespace
}  // namespace orlin
