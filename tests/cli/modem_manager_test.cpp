// orlin-cli against a stand-in ModemManager on a private bus that holds the simulated phone's
// device, as the service holds a phone it took for a modem: the error names the service and
// the remedy, the port list says who holds the port, and --inhibit-modemmanager asks the
// service to let go for as long as the program runs.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "link/phone_session.h"
#include "tests/support/cli_run.h"
#include "tests/support/private_bus.h"
#include "tests/support/sim_phone.h"

namespace orlin::test {
namespace {

constexpr const char* kUid = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2";

class CliModemManager : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-cli-mm-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_TRUE(bus_.ok()) << "dbus-daemon did not start";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    CliRun cli(const std::string& words) {
        return RunCli(folder_, phone_.portPath(), words,
                      "DBUS_SYSTEM_BUS_ADDRESS='" + bus_.address() + "' ");
    }

    std::filesystem::path folder_;
    SimPhone phone_{"C350"};
    PrivateBus bus_;
};

TEST_F(CliModemManager, NamesTheServiceAndLetsItGoOnlyWhenAsked) {
    ModemManagerStandIn modemManager(bus_, phone_.portPath(), kUid);
    ASSERT_TRUE(modemManager.ok()) << "the stand-in did not start";

    const CliRun refused = cli("info");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err.rfind("Порт занят службой ModemManager: она приняла телефон на " +
                                    phone_.portPath() + " за модем",
                                0),
              0u)
        << refused.err;
    EXPECT_NE(refused.err.find("--inhibit-modemmanager"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("60-orlin.rules"), std::string::npos) << refused.err;
    // The port list says who holds it; nothing asked the service to let go.
    const CliRun listed = cli("ports '" + phone_.portPath() + "'");
    EXPECT_EQ(listed.out, phone_.portPath() + "  занят службой ModemManager\n");
    EXPECT_TRUE(modemManager.calls().empty());

    phone_.mark();
    const CliRun asked = cli("--inhibit-modemmanager info");
    EXPECT_EQ(asked.status, 0) << asked.err;
    EXPECT_NE(asked.out.find("Model: Motorola C350\n"), std::string::npos) << asked.out;
    EXPECT_FALSE(phone_.sinceStarting("AT+CGMM").empty());
    // Let go while orlin-cli ran, handed back when it ended.
    EXPECT_EQ(modemManager.calls(),
              (std::vector<std::string>{std::string("InhibitDevice ") + kUid + " true",
                                        std::string("InhibitDevice ") + kUid + " false"}));
    // The service holds the device again.
    EXPECT_EQ(cli("info").status, 1);
}

TEST_F(CliModemManager, APortTheServiceDoesNotManageIsOnlyBusy) {
    SimPhone other("V300");
    ModemManagerStandIn modemManager(bus_, other.portPath(), kUid);
    ASSERT_TRUE(modemManager.ok());
    // Another program holds this phone's port: the service is asked and knows nothing of it.
    PhoneSession held(phone_.settings);
    const CliRun run = cli("--inhibit-modemmanager info");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Устройство или ресурс занят\n");
    EXPECT_TRUE(modemManager.calls().empty());
}

}  // namespace
}  // namespace orlin::test
