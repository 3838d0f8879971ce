// The simulated phone's standard message commands in text mode (AT+CMGR, AT+CSDH), and a
// standard client reading its seeded messages with them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "link/phone_text.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

using phonesim::MessageStatus;
namespace fs = std::filesystem;

TEST(StandardMessages, ReadInTextModeWithAndWithoutTheFullHeader) {
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
            EncodePhoneText(W("Хорошо, буду.")) + "\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+CSDH=2"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+CMGR=99"), "\r\nERROR\r\n");
    p.at("AT+CPMS=\"IM\"");
    EXPECT_EQ(p.at("AT+CMGR=7"), "\r\nERROR\r\n");  // not in the storage read
}

// gammu, when it is installed, lists every seeded message.
TEST(StandardMessages, GammuReadsEverySeededMessage) {
    if (!fs::exists("/usr/bin/gammu")) GTEST_SKIP() << "gammu is not installed";
    const fs::path dir = fs::temp_directory_path() / ("orlin_gammu_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    phonesim::PhoneSimOptions options = PhoneOptions("C350");
    options.linkPath = (dir / "ttyPHONE").string();
    SimPhone phone(options);
    std::ofstream(dir / "gammurc")
        << "[gammu]\nport = " << options.linkPath << "\nconnection = at19200\n";
    const std::string command =
        "timeout 120 /usr/bin/gammu -c '" + (dir / "gammurc").string() + "' getallsms 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int status = pclose(pipe);
    fs::remove_all(dir);
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    EXPECT_NE(out.find("11 SMS parts in 11 SMS sequences"), std::string::npos) << out;
    for (const char* text : {"See you at the airport tomorrow, gate B12.", "Balance: 245.10 RUB",
                             "Happy birthday, Anna!", "Draft: call me back", "+441632960123",
                             "Привет! Встречаемся в семь у метро.", "Дякую за допомогу!",
                             "Черновик: купить хлеб, молоко"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
}

}  // namespace
}  // namespace orlin::test
