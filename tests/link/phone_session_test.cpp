// PhoneSession: open, configure and free one port object in a fixed way.

#include "link/phone_session.h"

#include <gtest/gtest.h>

#include "tests/support/pty_responder.h"
#include "tests/support/stopwatch.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

PortSettings SettingsFor(const std::string& port, int timeOut = 3000) {
    return PortSettings{port, 19200, timeOut};
}

TEST(PhoneSession, TimeoutIsOneSecondUnlessTheSettingsAreAskedFor) {
    PtyResponder phone;
    {
        PhoneSession session(SettingsFor(phone.SlavePath(), 2500));
        EXPECT_EQ(session.port().AtTimeout, 1000);
        EXPECT_TRUE(session.port().RaiseErrors);
    }
    PhoneSession::Options options;
    options.useSettingsTimeout = true;
    options.raiseErrors = false;
    PhoneSession session(SettingsFor(phone.SlavePath(), 2500), options);
    EXPECT_EQ(session.port().AtTimeout, 2500);
    EXPECT_FALSE(session.port().RaiseErrors);
}

TEST(PhoneSession, TheSessionHoldsThePortUntilItEnds) {
    PtyResponder phone;
    phone.Answer("AT+CBC", true, {{0, "\r\n+CBC: 0,80\r\n\r\nOK\r\n"}});
    phone.Answer("AT", true, {{0, "\r\nOK\r\n"}});
    phone.Start();
    {
        PhoneSession session(SettingsFor(phone.SlavePath()));
        EXPECT_THROW(PhoneSession(SettingsFor(phone.SlavePath())), ESynaSerError);
        EXPECT_EQ(session.AtCommand("AT+CBC"), "\r\n+CBC: 0,80\r\n\r\nOK\r\n");
    }
    PhoneSession next(SettingsFor(phone.SlavePath()));
    EXPECT_EQ(next.AtCommand("AT"), "\r\nOK\r\n");
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(PhoneSession, ANegativeTimeoutFromTheSettingsWaitsNotAtAll) {
    // portcfg.ini is edited by hand too: TimeOut=-1 must end in a time-out, not hang.
    PtyResponder phone;
    phone.Answer("AT", true, {});
    phone.Start();
    PhoneSession::Options options;
    options.useSettingsTimeout = true;
    PhoneSession session(SettingsFor(phone.SlavePath(), -1), options);
    Stopwatch watch;
    try {
        session.AtCommand("AT");
        FAIL() << "no time-out";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(error.ErrorCode, ErrTimeout);
    }
    EXPECT_LT(watch.Elapsed(), 500);
    EXPECT_TRUE(phone.Finish()) << phone.Failure();
}

TEST(PhoneSession, AFailureOnTheWayFreesThePort) {
    PtyResponder phone;
    // An unusable line speed fails after the port was opened; the port must be free again.
    EXPECT_THROW(PhoneSession(PortSettings{phone.SlavePath(), 12345, 3000}), ESynaSerError);
    PhoneSession session(SettingsFor(phone.SlavePath()));
    EXPECT_TRUE(session.port().IsOpen());
}

TEST(PhoneSession, AMissingPort) {
    try {
        PhoneSession session(SettingsFor("/dev/orlin-test-no-such-port"));
        FAIL() << "opened a missing port";
    } catch (const ESynaSerError& error) {
        EXPECT_EQ(std::string(error.what()), "Телефон не подключен.");
    }
    PhoneSession::Options quiet;
    quiet.raiseErrors = false;
    PhoneSession session(SettingsFor("/dev/orlin-test-no-such-port"), quiet);
    EXPECT_FALSE(session.port().IsOpen());
    EXPECT_EQ(session.port().LastError(), 2) << "the open's own error";
    EXPECT_EQ(session.AtCommand("AT"), "\r\n");
    EXPECT_EQ(session.port().LastError(), ErrPortNotOpen);
}

}  // namespace
}  // namespace orlin::test
