// Identity, battery, signal, clock, character sets, echo, error reporting and the
// terminal's extras, as a client sees them on the line.
#include <gtest/gtest.h>

#include <ctime>

#include "tests/support/raw_client.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

using namespace phonesim;

TEST(PhoneIdentity, AnswersByteForByteWithEchoOn) {
    PhoneSimulator sim(PhoneOptions("C350"));
    sim.start();
    RawClient client(sim.portPath());
    client.send("AT+CGMM\r");
    EXPECT_EQ(
        client.readUntil(kOk),
        "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=C350\"\r\n\r\nOK\r\n");
    client.send("AT+CGSN\r");
    EXPECT_EQ(client.readUntil(kOk), "AT+CGSN\r\r\n+CGSN: IMEI351234567890123\r\n\r\nOK\r\n");
    client.send("AT+CIMI\r");
    EXPECT_EQ(client.readUntil(kOk), "AT+CIMI\r\r\n+CIMI: 250991234567890\r\n\r\nOK\r\n");
}

TEST(PhoneIdentity, QueriesThroughTheSerialPort) {
    SimPort p(PhoneOptions("V300"));
    EXPECT_EQ(p.at("AT+CGMM"),
              "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=V300\"\r\n\r\nOK\r\n");
    EXPECT_TRUE(p.port.AtOk);
    EXPECT_EQ(p.line("AT+CGMI"), "+CGMI: \"Motorola CE, Copyright 2000\"");
    std::string fw = p.line("AT+CGMR");
    EXPECT_EQ(fw.substr(0, 8), "+CGMR: \"");
    EXPECT_EQ(fw.back(), '"');
    p.sim().withState([](PhoneState& s) {
        s.batteryStatus = 1;
        s.batteryCharge = 100;
        s.signalRssi = 31;
    });
    EXPECT_EQ(p.line("AT+CBC"), "+CBC: 1,100");
    EXPECT_EQ(p.line("AT+CSQ"), "+CSQ: 31,99");
}

TEST(PhoneIdentity, NoSimRefusesImsiAndOwnNumber) {
    PhoneSimOptions o;
    o.simPresent = false;
    SimPort p(o);
    EXPECT_EQ(p.at("AT+CIMI"), "\r\nERROR\r\n");
    p.at("AT+CMEE=1");
    EXPECT_EQ(p.at("AT+CNUM"), "\r\n+CME ERROR: 10\r\n");
}

TEST(PhoneClock, RunsAndCanBeSet) {
    SimPort p;
    ASSERT_EQ(p.at("AT+CCLK=\"26/12/06,09:05:07\""), kOk);
    std::string first = p.line("AT+CCLK?");
    EXPECT_EQ(first.substr(0, 24), "+CCLK: \"26/12/06,09:05:0");
    EXPECT_EQ(first.size(), 29u);
    EXPECT_EQ(first.substr(25), "+00\"");
    // The clock runs on: 1.2 s later it shows at least one second more.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    std::string later = p.line("AT+CCLK?");
    EXPECT_GT(later.substr(23, 2), first.substr(23, 2)) << first << " then " << later;

    // A zone given with the time is kept; impossible dates are refused. The
    // time set leaves half a minute before midnight so that a slow run (the
    // sanitized suite under load) still reads the same day back.
    EXPECT_EQ(p.at("AT+CCLK=\"27/02/28,23:59:20+12\""), kOk);
    EXPECT_NE(p.line("AT+CCLK?").find("27/02/28,23:59:"), std::string::npos);
    EXPECT_EQ(p.at("AT+CCLK=\"27/02/29,10:00:00\""), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CCLK=\"26/13/01,10:00:00\""), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CCLK=26/12/01,10:00:00"), "\r\nERROR\r\n");
}

TEST(PhoneCharset, AcceptsQuotedAndUnquotedAndOffersThreeSets) {
    SimPort p;
    EXPECT_EQ(p.line("AT+CSCS=?"), "+CSCS: (\"IRA\",\"GSM\",\"UCS2\")");
    EXPECT_EQ(p.at("AT+CSCS=UCS2"), kOk);
    EXPECT_EQ(p.line("AT+CSCS?"), "+CSCS: \"UCS2\"");
    EXPECT_EQ(p.at("AT+CSCS=\"GSM\""), kOk);
    EXPECT_EQ(p.line("AT+CSCS?"), "+CSCS: \"GSM\"");
    EXPECT_EQ(p.at("AT+CSCS=IRA"), kOk);
    EXPECT_EQ(p.at("AT+CSCS=HEX"), "\r\nERROR\r\n");
    EXPECT_EQ(p.line("AT+CSCS?"), "+CSCS: \"IRA\"");
}

TEST(PhoneEcho, SwitchesWithAte0AndAte1) {
    PhoneSimulator sim;
    sim.start();
    RawClient client(sim.portPath());
    client.send("ATE0\r");
    EXPECT_EQ(client.readUntil(kOk), "ATE0\r\r\nOK\r\n");  // echoed as it arrived
    client.send("AT\r");
    EXPECT_EQ(client.readUntil(kOk), "\r\nOK\r\n");
    client.send("ATE1\r");
    EXPECT_EQ(client.readUntil(kOk), "\r\nOK\r\n");
    client.send("AT\r");
    EXPECT_EQ(client.readUntil(kOk), "AT\r\r\nOK\r\n");
}

TEST(PhoneEcho, StartsWithoutEchoWhenAsked) {
    PhoneSimOptions o;
    o.echo = false;
    PhoneSimulator sim(o);
    sim.start();
    RawClient client(sim.portPath());
    client.send("AT+CBC\r");
    EXPECT_EQ(client.readUntil(kOk), "\r\n+CBC: 0,80\r\n\r\nOK\r\n");
}

TEST(PhoneErrors, CmeeSwitchesErrorToNumberedError) {
    SimPort p;
    EXPECT_EQ(p.at("AT+MPBR=5000,5001"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CMEE=1"), kOk);
    EXPECT_EQ(p.at("AT+MPBR=5000,5001"), "\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(p.line("AT+CMEE?"), "+CMEE: 1");
    // Unknown commands stay a plain ERROR, as on real phones.
    EXPECT_EQ(p.at("AT+NOSUCH"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("HELLO"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CMEE=0"), kOk);
    EXPECT_EQ(p.at("AT+MPBR=5000,5001"), "\r\nERROR\r\n");
}

TEST(PhoneConnection, StandardClientGreetingIsAnswered) {
    SimPort p;
    EXPECT_EQ(p.at("AT+CMEE=1"), kOk);
    EXPECT_EQ(p.at("AT+CFUN=1"), kOk);
    EXPECT_EQ(p.at("AT+MODE=2"), kOk);
    // The banner follows the OK of its own accord; the port sets it aside with the next answer.
    EXPECT_EQ(p.at("AT+CSCS?"), "\r\n+CSCS: \"IRA\"\r\n\r\nOK\r\n");
    auto aside = p.port.TakeUnsolicitedLines();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(aside[0].rfind("+MBAN: ", 0), 0u);
    EXPECT_EQ(p.line("AT+CPBS=?"),
              "+CPBS: (\"ME\",\"SM\",\"MT\",\"ON\",\"DC\",\"MC\",\"RC\",\"AD\",\"QD\")");
    EXPECT_EQ(p.line("AT+CPBS?"), "+CPBS: \"ME\",30,1000");
    EXPECT_EQ(p.line("AT+CPMS=?"), "+CPMS: (\"IM\",\"OM\",\"DM\",\"MT\"),(\"OM\",\"DM\"),(\"IM\")");
}

TEST(PhoneTerminal, PreparedCommandsAnswerPlausibly) {
    SimPort p;
    EXPECT_EQ(p.at("AT"), kOk);
    for (const char* cmd : {"ATI1", "ATI2", "ATI3", "ATI4", "ATI5"}) {
        std::string r = p.at(cmd);
        EXPECT_TRUE(p.port.AtOk) << cmd;
        EXPECT_GT(r.size(), kOk.size() + 4) << cmd;  // at least one line of text
    }
    EXPECT_EQ(p.at("AT+CPBS=\"ME\""), kOk);
    EXPECT_EQ(p.line("AT+CPBR=?"), "+CPBR: (1-1000),32,24");
    EXPECT_EQ(p.at("AT+CPBR="), "\r\nERROR\r\n");  // the template, not completed
    EXPECT_EQ(p.line("AT+CNUM"), "+CNUM: \"\",\"+79161234567\",145");
    EXPECT_EQ(p.at("AT+CKPD="), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CKPD=\"1\""), kOk);
    EXPECT_EQ(p.at("AT+CMGL="), "\r\nERROR\r\n");
    EXPECT_EQ(p.line("AT+MDBAD?"), "+MDBAD: 0");
    for (const char* mode :
         {"AT+MODE=0", "AT+MODE=1", "AT+MODE=3", "AT+MODE=4", "AT+MODE=8", "AT+MODE=12"})
        EXPECT_EQ(p.at(mode), kOk) << mode;
    EXPECT_EQ(p.at("AT+MODE=7"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CMOD="), "\r\nERROR\r\n");
    EXPECT_EQ(p.line("AT+CMOD=?"), "+CMOD: (0-3)");
    EXPECT_EQ(p.line("AT+CMOD?"), "+CMOD: 0");
    EXPECT_EQ(p.at("AT+CBST=x,0,y"), "\r\nERROR\r\n");  // placeholders left in
    EXPECT_EQ(p.at("AT+CBST=71,0,1"), kOk);
    EXPECT_EQ(p.line("AT+CBST?"), "+CBST: 71,0,1");
    // An empty line is answered, so a terminal that sends one is not left waiting.
    EXPECT_EQ(p.at(""), "OK\r\n");
}

}  // namespace
}  // namespace orlin::test
