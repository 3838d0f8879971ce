// orlin-cli ports against simulated phones listed through the device-pattern variable: what
// answers on each device, and a device another session holds.

#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "link/phone_session.h"
#include "link/port_probe.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"

namespace orlin::test {
namespace {

phonesim::PhoneSimOptions Silent() {
    phonesim::PhoneSimOptions options;
    options.faults.silentOn = "*";
    return options;
}

class CliPorts : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-ports-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        // Links named as a by-id folder names them, so that the listing order is known.
        link(c350_, "tty-a-c350");
        link(v300_, "tty-b-v300");
        link(silent_, "tty-c-silent");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void link(SimPhone& phone, const std::string& name) {
        std::filesystem::create_symlink(phone.portPath(), folder_ / name);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    CliRun ports(const std::string& words = "") {
        return RunInFolder(folder_, std::string(kPortPatternsVariable) + "='" +
                                        (folder_ / "tty-*").string() + "' " ORLIN_CLI " ports" +
                                        words);
    }

    std::filesystem::path folder_;
    SimPhone c350_{"C350"};
    SimPhone v300_{"V300"};
    SimPhone silent_{Silent()};
};

TEST_F(CliPorts, ListsEachDeviceWithWhatAnswered) {
    c350_.mark();
    const CliRun run = ports();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, path("tty-a-c350") + "    Motorola C350\n" + path("tty-b-v300") +
                           "    Motorola V300\n" + path("tty-c-silent") + "  нет ответа\n");
    // Three questions and nothing that changes a setting of the phone.
    EXPECT_EQ(c350_.since(), (std::vector<std::string>{"AT", "AT+CGMI", "AT+CGMM"}));

    // A device named is probed alone, whatever the patterns list.
    const CliRun named = ports(" " + path("tty-b-v300"));
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, path("tty-b-v300") + "  Motorola V300\n");
}

TEST_F(CliPorts, SaysWhyADeviceDidNotAnswerAndReleasesEveryPort) {
    // Open to its group, dialout, which the user is not in.
    SimPhone locked("C350");
    ASSERT_EQ(::chown(locked.portPath().c_str(), 0, ::getgrnam("dialout")->gr_gid), 0);
    ASSERT_EQ(::chmod(locked.portPath().c_str(), 0660), 0);
    const bool canDropRoot = ::geteuid() == 0 && ::access("/usr/bin/setpriv", X_OK) == 0;
    const std::string nobody = "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups ";
    const struct {
        const char* what;
        std::string asUser;  // runs the program as another user
        std::string device;
        std::string says;
    } cases[] = {
        {"held by another session", "", path("tty-a-c350"), "занят"},
        {"not a terminal", "", "/dev/null", "не последовательный порт"},
        {"no such device", "", path("tty-none"), "нет такого порта"},
        {"no permission", canDropRoot ? nobody : "", locked.portPath(),
         "нет доступа: добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) "
         "и войдите в систему заново"},
    };
    {
        PhoneSession held(c350_.settings);
        for (const auto& c : cases) {
            if (std::string(c.what) == "no permission" && !canDropRoot) continue;
            const CliRun run =
                RunInFolder(folder_, c.asUser + "'" ORLIN_CLI "' ports '" + c.device + "'");
            EXPECT_EQ(run.status, 1) << c.what << ": no phone answered";
            EXPECT_EQ(run.out, c.device + "  " + c.says + "\n") << c.what;
        }
    }
    // The probes let go of every port: a session opens each of them at once.
    ports();
    for (SimPhone* phone : {&c350_, &v300_, &silent_}) {
        EXPECT_NO_THROW(PhoneSession session(phone->settings)) << phone->portPath();
    }
}

TEST(PortList, BuiltInPortsOnlyWhenAskedAndDevicesByNumber) {
    // The default list never holds /dev/ttyS*: only names are compared, nothing is opened.
    ::unsetenv(kPortPatternsVariable);
    for (const std::string& device : CandidatePorts(false))
        EXPECT_EQ(device.rfind("/dev/ttyS", 0), std::string::npos) << device;
    for (const std::string& pattern : DefaultPortPatterns(false))
        EXPECT_EQ(pattern.find("ttyS"), std::string::npos) << pattern;
    EXPECT_EQ(DefaultPortPatterns(true).back(), "/dev/ttyS*");
    // Bluetooth serial ports are listed like cables.
    const std::vector<std::string> patterns = DefaultPortPatterns(false);
    EXPECT_NE(std::find(patterns.begin(), patterns.end(), "/dev/rfcomm*"), patterns.end());

    // Numbers sort as numbers, and a link to a device listed already is not listed again.
    char pattern[] = "/tmp/orlin-list-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::filesystem::path folder = pattern;
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0"})
        std::ofstream(folder / name).close();
    std::filesystem::create_symlink(folder / "ttyACM0", folder / "by-id-phone");
    const std::string f = folder.string();
    EXPECT_EQ(ListPorts({f + "/by-id-*", f + "/ttyUSB*", f + "/ttyACM*", f + "/none*"}),
              (std::vector<std::string>{f + "/by-id-phone", f + "/ttyUSB2", f + "/ttyUSB10"}));
    ::setenv(kPortPatternsVariable, (f + "/ttyUSB1*:" + f + "/ttyACM*").c_str(), 1);
    EXPECT_EQ(CandidatePorts(true), (std::vector<std::string>{f + "/ttyUSB10", f + "/ttyACM0"}));
    ::unsetenv(kPortPatternsVariable);
    std::filesystem::remove_all(folder);
}

TEST(PortList, WhatAnsweredIsNamedFromMakerAndModel) {
    const std::string ok = "\r\nOK\r\n";
    const struct {
        std::string maker, model, name;
    } cases[] = {
        {"\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n" + ok,
         "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=C350\"\r\n" + ok, "Motorola C350"},
        // A refused or missing question leaves out its half.
        {"\r\nERROR\r\n", "\r\n+CGMM: \"GSM900\",\"MODEL=V3\"\r\n" + ok, "V3"},
        {"\r\n+CGMI: Motorola\r\n" + ok, "\r\n+CME ERROR: 10\r\n", "Motorola"},
        // A model without MODEL= is shown as the phone wrote it.
        {"\r\n+CGMI: \"ACME\"\r\n" + ok, "\r\n+CGMM: GX-1\r\n" + ok, "ACME GX-1"},
        {"", "", "отвечает на AT"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProbedName(c.maker, c.model), c.name) << c.name;
}

}  // namespace
}  // namespace orlin::test
