// The seven information queries against the simulated phone through the real serial layer.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "link/block_serial.h"
#include "link/errors.h"
#include "status/phone_clock.h"
#include "status/phone_info.h"
#include "tests/support/sim_phone.h"
#include "tests/support/stopwatch.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

// One query over a session of its own, as a page asks a single value.
std::string AskOnce(const PortSettings& settings, const char* command) {
    PhoneSession session(settings);
    return AskInfo(session, command);
}

using test::SimPhone;

struct InfoValues {
    std::string imei, imsi, manufacturer, model, bands, firmware;
    int battery = -1;
    std::optional<int> signalGauge;
    std::optional<int> dBm;
    bool operator==(const InfoValues&) const = default;
};

void PrintTo(const InfoValues& v, std::ostream* out) {
    *out << v.imei << " | " << v.imsi << " | " << v.manufacturer << " | " << v.model << " | "
         << v.bands << " | " << v.firmware << " | " << v.battery << " | "
         << (v.signalGauge ? std::to_string(*v.signalGauge) : "none") << " | "
         << (v.dBm ? std::to_string(*v.dBm) : "none");
}

// One read over a session of the window's options, as the information page makes it.
InfoReport Read(const PortSettings& settings) {
    PhoneSession session(settings);
    return ReadPhoneInfo(session);
}

InfoValues QueryAll(const PortSettings& settings) {
    const InfoReport report = Read(settings);
    report.RaiseFailure();
    InfoValues v;
    v.imei = report.imei.value();
    v.imsi = report.imsi.value();
    v.manufacturer = report.manufacturer.value();
    v.model = report.model.value().model;
    v.bands = report.model.value().bands;
    v.firmware = report.firmware.value();
    v.battery = report.battery.value();
    v.signalGauge = report.signal.value().gaugeValue;
    v.dBm = report.signal.value().dBm;
    return v;
}

TEST(InfoQueries, EveryValueComesFromThePhone) {
    SimPhone phone;
    phone->withState([](phonesim::PhoneState& s) { s.bands = {"GSM900", "GSM1800", "GSM1900"}; });
    const InfoValues v = QueryAll(phone.settings);
    EXPECT_EQ(v.imei, "351234567890123");
    EXPECT_EQ(v.imsi, "250991234567890");
    EXPECT_EQ(v.manufacturer, "Motorola CE, Copyright 2000");
    EXPECT_EQ(v.model, "C350");
    EXPECT_EQ(v.bands, "GSM900, GSM1800, GSM1900");
    EXPECT_EQ(v.firmware, "R374_G_0E.41.C3R_A");
    EXPECT_EQ(v.battery, 80);
    EXPECT_EQ(v.dBm, -83);  // signal 15
    EXPECT_EQ(v.signalGauge, -83);
    // Each query is its own session: seven commands, nothing else sent.
    EXPECT_EQ(phone->commandLog(),
              (std::vector<std::string>{"AT+CGSN", "AT+CIMI", "AT+CGMI", "AT+CGMM", "AT+CGMR",
                                        "AT+CBC", "AT+CSQ"}));
}

TEST(InfoQueries, OtherPhoneValuesAndAnUndetectableSignal) {
    phonesim::PhoneSimOptions options;
    options.model = "V300";
    options.echo = false;
    SimPhone phone(options);
    phone->withState([](phonesim::PhoneState& s) {
        s.bands = {"GSM850"};
        s.batteryStatus = 1;
        s.batteryCharge = 100;
        s.signalRssi = 99;
    });
    const InfoValues v = QueryAll(phone.settings);
    EXPECT_EQ(v.model, "V300");
    EXPECT_EQ(v.bands, "GSM850");
    EXPECT_EQ(v.battery, 100);
    EXPECT_FALSE(v.dBm.has_value());
    EXPECT_EQ(v.signalGauge, kSignalGaugeMin);
}

TEST(InfoQueries, UnsolicitedLinesGiveTheSameValues) {
    SimPhone plain;
    const InfoValues expected = QueryAll(plain.settings);

    // A line before the echo and one inside every answer.
    SimPhone noisy;
    noisy->setFaults(test::UnsolicitedEverywhere());
    EXPECT_EQ(QueryAll(noisy.settings), expected);

    // Other kinds of line: a call, and the banner after a mode switch.
    for (const char* line :
         {"RING", "+CLIP: \"+79111234567\",145", "+MBAN: Copyright 2000-2004 Motorola, Inc."}) {
        SimPhone ringing;
        phonesim::FaultOptions faults = test::UnsolicitedEverywhere();
        faults.unsolicitedLine = line;
        ringing->setFaults(faults);
        EXPECT_EQ(QueryAll(ringing.settings), expected) << line;
    }
}

TEST(InfoQueries, ErrorAnswers) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+C";  // every query
    phone->setFaults(faults);
    // Text values show the raw answer; numbers fail their conversion, which ends the read
    // with the values before it kept.
    const InfoReport report = Read(phone.settings);
    EXPECT_EQ(report.imei.value_or(""), "\r\nERROR\r\n");
    EXPECT_TRUE(report.firmware);  // read before the battery
    EXPECT_FALSE(report.battery);
    EXPECT_FALSE(report.signal);
    EXPECT_THROW(report.RaiseFailure(), EConvertError);
    EXPECT_THROW(ParseSignal(AskOnce(phone.settings, kSignalCommand)), EConvertError);
}

// What the information page and the clock make of a phone that refuses every command: the
// text values, the messages of the failed conversions, a clock tick and the synchronisation.
std::vector<std::string> RefusedEverywhere(SimPhone& phone) {
    const auto failure = [](const std::function<void()>& query) -> std::string {
        try {
            query();
        } catch (const OrlinError& e) {
            return e.what();
        }
        return "no failure";
    };
    const PortSettings& s = phone.settings;
    const InfoReport report = Read(s);
    const ModelInfo model = report.model.value();
    std::vector<std::string> values = {report.imei.value(),
                                       report.imsi.value(),
                                       report.manufacturer.value(),
                                       report.firmware.value(),
                                       model.DisplayName(),
                                       model.bands,
                                       failure([&] { report.RaiseFailure(); }),
                                       failure([&] { ParseSignal(AskOnce(s, kSignalCommand)); })};
    values.push_back(ClockSession(s).Tick());  // the display's port is closed again after it
    const bool synchronised =
        SynchronisePhoneClock(s, nullptr, {2026, 12, 6, 9, 5, 7}) == ClockSyncOutcome::Synchronised;
    values.push_back(synchronised ? "synchronised" : "not synchronised");
    return values;
}

TEST(InfoQueries, NumberedRefusalsTakeThePathOfError) {
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+C";  // every query and the clock
    SimPhone plain;
    plain->setFaults(faults);
    const std::vector<std::string> expected = RefusedEverywhere(plain);
    EXPECT_EQ(expected[0], "\r\nERROR\r\n");
    EXPECT_EQ(expected[6], "'ERROR' is not a valid integer value");

    // +CME ERROR: 10, +CMS ERROR: 500, and the phone's own after AT+CMEE=1 (+CME ERROR: 100).
    for (const std::string line : {"+CME ERROR: 10", "+CMS ERROR: 500", ""}) {
        SCOPED_TRACE(line);
        phonesim::PhoneSimOptions options;
        options.numericErrors = line.empty();
        SimPhone phone(options);
        faults.errorLine = line;
        phone->setFaults(faults);
        const std::vector<std::string> values = RefusedEverywhere(phone);
        EXPECT_EQ(values, expected);
        for (const std::string& value : values) EXPECT_EQ(value.find("ROR: "), std::string::npos);
    }
}

TEST(InfoQueries, SilentPhoneTimesOutAfterOneSecondWhateverTheSettings) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+CGSN";
    phone->setFaults(faults);
    phone.settings.PortTimeOut = 5000;
    const long long ms = test::MillisecondsOf([&] {
        try {
            Read(phone.settings).RaiseFailure();
            ADD_FAILURE() << "a silent phone gave an answer";
        } catch (const ESynaSerError& e) {
            EXPECT_EQ(e.ErrorCode, ErrTimeout);
        }
    });
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 3000);
    // The port was freed on the way out: the next query works.
    EXPECT_EQ(ParseImsi(AskOnce(phone.settings, kImsiCommand)), "250991234567890");
}

TEST(InfoQueries, MissingPortSaysThePhoneIsNotConnected) {
    PortSettings settings;
    settings.PortName = "/dev/orlin-no-such-port";
    settings.PortBaudRate = 19200;
    try {
        Read(settings);
        FAIL() << "no exception for a missing port";
    } catch (const ESynaSerError& e) {
        EXPECT_EQ(std::string(e.what()), "Телефон не подключен.");
    }
}

}  // namespace
}  // namespace orlin
