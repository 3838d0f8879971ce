// The simulated phone as a standard client (gammu) meets it: its standard message commands in
// text mode (AT+CMGR, AT+CSDH); gammu, when it is installed, identifying the phone, reading its
// phone memory and every seeded message.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "link/phone_text.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin::test {
namespace {

using phonesim::MessageStatus;
namespace fs = std::filesystem;

// gammu over the phone `start` starts, with a configuration of its own in the test's folder
// that names the phone's device.
class Gammu : public ::testing::Test {
protected:
    static bool GammuInstalled() { return fs::exists("/usr/bin/gammu"); }
    void start(phonesim::PhoneSimOptions options) {
        options.linkPath = (folder_.path() / "ttyPHONE").string();
        phone_ = std::make_unique<SimPhone>(options);
        std::ofstream(folder_.path() / "gammurc")
            << "[gammu]\nport = " << options.linkPath << "\nconnection = at19200\n";
    }
    // What gammu printed (both streams); `status` its exit status.
    std::string run(const std::string& args) {
        const CliRun got =
            RunInFolder(folder_.path(), "timeout 120 /usr/bin/gammu -c gammurc " + args);
        status = got.status;
        return got.out + got.err;
    }
    WorkingFolder folder_{"orlin_gammu_"};
    std::unique_ptr<SimPhone> phone_;
    int status = -1;
};

class StandardMessages : public Gammu {};

TEST_F(StandardMessages, ReadInTextModeWithAndWithoutTheFullHeader) {
    SimPort p;
    p.at("AT+CPMS=\"MT\"");
    EXPECT_EQ(p.at("AT+CMGR=3"),
              "\r\n+CMGR: \"REC UNREAD\",\"+441632960123\",,\"26/12/05,21:14:45+00\"\r\n"
              "See you at the airport tomorrow, gate B12.\r\n\r\nOK\r\n");
    EXPECT_EQ(p.state().contents.messages.at(3).status, MessageStatus::RecRead);
    EXPECT_EQ(p.line("AT+CSDH?"), "+CSDH: 0");
    EXPECT_EQ(p.at("AT+CSDH=1"), "\r\nOK\r\n");
    EXPECT_EQ(p.line("AT+CMGR=3"),
              "+CMGR: \"REC READ\",\"+441632960123\",,\"26/12/05,21:14:45+00\",145,4,0,0,"
              "\"+79168999100\",145,42");
    EXPECT_EQ(p.line("AT+CMGR=7"),
              "+CMGR: \"STO SENT\",\"+4915123456789\",,145,17,0,0,167,\"+79168999100\",145,21");
    // Beyond ASCII the text comes as UCS2 in hexadecimal, its length in octets.
    EXPECT_EQ(
        p.at("AT+CMGR=6"),
        "\r\n+CMGR: \"STO SENT\",\"+79111234567\",,145,17,0,8,167,\"+79168999100\",145,26\r\n" +
            EncodeUcs2("Хорошо, буду.") + "\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+CSDH=2"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CMGR=99"), "\r\nERROR\r\n");
    p.at("AT+CPMS=\"IM\"");
    EXPECT_EQ(p.at("AT+CMGR=7"), "\r\nERROR\r\n");  // not in the storage read
}

// A public AT suite must be able to identify the phone and read its phone memory.
class PublicSuite : public Gammu {
protected:
    void SetUp() override {
        if (!GammuInstalled()) GTEST_SKIP() << "gammu is not installed";
        phonesim::PhoneSimOptions options = PhoneOptions("C350");
        options.meLast = 60;  // the suite asks for each slot on its own
        start(options);
    }
};

TEST_F(PublicSuite, Identify) {
    std::string out = run("identify");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Motorola"), std::string::npos) << out;
    EXPECT_NE(out.find("C350"), std::string::npos) << out;
    EXPECT_NE(out.find("351234567890123"), std::string::npos) << out;
}

TEST_F(PublicSuite, GetAllMemoryOfThePhone) {
    std::string out = run("getallmemory ME");
    EXPECT_EQ(status, 0) << out;
    size_t entries = 0;
    for (size_t at = out.find("Memory ME, Location "); at != std::string::npos;
         at = out.find("Memory ME, Location ", at + 1))
        ++entries;
    int expected = 0;
    phone_->edit([&](phonesim::PhoneState& s) {
        for (const auto& [slot, e] : s.contents.phonebook) expected += slot <= s.meLast;
    });
    EXPECT_EQ(entries, static_cast<size_t>(expected)) << out;
    EXPECT_NE(out.find("Иван Петров"), std::string::npos) << out;
    EXPECT_NE(out.find("John Smith"), std::string::npos) << out;
    EXPECT_NE(out.find("\"+79111234567\""), std::string::npos) << out;
}

// gammu, when it is installed, lists every seeded message.
TEST_F(StandardMessages, GammuReadsEverySeededMessage) {
    if (!GammuInstalled()) GTEST_SKIP() << "gammu is not installed";
    start(PhoneOptions("C350"));
    const std::string out = run("getallsms");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("11 SMS parts in 11 SMS sequences"), std::string::npos) << out;
    for (const char* text : {"See you at the airport tomorrow, gate B12.", "Balance: 245.10 RUB",
                             "Happy birthday, Anna!", "Draft: call me back", "+441632960123",
                             "Привет! Встречаемся в семь у метро.", "Дякую за допомогу!",
                             "Черновик: купить хлеб, молоко"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
}

}  // namespace
}  // namespace orlin::test
