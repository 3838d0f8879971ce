// What keeps a phone's port from the user, told apart: a USB serial adapter that got no port
// (brltty took it, no driver), the group that may open a device, and which of ModemManager's
// modems holds a device.

#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/modem_manager.h"
#include "link/system_errors.h"
#include "link/usb_adapters.h"
#include "tests/support/pty_responder.h"

namespace orlin::test {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text << "\n";
}

// A USB device in a sysfs of the test's own: its ids, and per interface a driver and a tty.
struct FakeDevice {
    std::string name, vendor, product, label;
    std::vector<std::pair<std::string, std::string>> interfaces;  // driver, tty ("" for none)
};

class AdapterNotices : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-sysfs-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "sys/bus/usb/devices");
        fs::create_directories(root_ / "proc/1");
        Put(root_ / "proc/1/comm", "init");
    }
    void TearDown() override { fs::remove_all(root_); }

    // Laid out as the kernel does: the device's folder under devices/, a link to it and to
    // each interface in bus/usb/devices, the interface's driver a link to the driver's folder.
    void add(const FakeDevice& d) {
        const fs::path device = root_ / "sys/devices/usb1" / d.name;
        Put(device / "idVendor", d.vendor);
        Put(device / "idProduct", d.product);
        if (!d.label.empty()) Put(device / "product", d.label);
        fs::create_directory_symlink(device, root_ / "sys/bus/usb/devices" / d.name);
        int number = 0;
        for (const auto& [driver, tty] : d.interfaces) {
            const std::string name = d.name + ":1." + std::to_string(number++);
            const fs::path interface = device / name;
            fs::create_directories(interface);
            fs::create_directory_symlink(interface, root_ / "sys/bus/usb/devices" / name);
            if (!driver.empty()) {
                fs::create_directories(root_ / "sys/bus/usb/drivers" / driver);
                fs::create_directory_symlink(root_ / "sys/bus/usb/drivers" / driver,
                                             interface / "driver");
            }
            if (!tty.empty()) fs::create_directories(interface / tty);
        }
    }
    void runBrltty() { Put(root_ / "proc/812/comm", "brltty"); }

    fs::path root_;
};

TEST_F(AdapterNotices, AnAdapterWithoutAPortIsNamedWithWhatTookIt) {
    add({"1-1", "1a86", "7523", "USB Serial", {{"usbfs", ""}}});                 // brltty took it
    add({"1-2", "10c4", "ea60", "", {{"", ""}}});                                // no driver
    add({"1-3", "0403", "6001", "FT232R USB UART", {{"ftdi_sio", "ttyUSB0"}}});  // has its port
    add({"1-4",
         "22b8",
         "3802",
         "Motorola Phone (C350)",
         {{"cdc_acm", "tty/ttyACM0"}, {"cdc_acm", ""}}});  // the data interface has no tty
    add({"1-5", "046d", "c52b", "USB Receiver", {{"usbhid", ""}}});  // no serial adapter
    std::vector<orlin::AdapterNotice> notices = orlin::AdapterNotices(root_.string());
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].adapter, "USB 1-1 (1a86:7523 USB Serial)");
    EXPECT_NE(notices[0].text.find("занял brltty"), std::string::npos);
    EXPECT_NE(notices[0].text.find("sudo apt remove brltty"), std::string::npos);
    EXPECT_EQ(notices[1].adapter, "USB 1-2 (10c4:ea60 CP210x)");
    EXPECT_EQ(notices[1].text,
              "порт не создан: драйвер адаптера не загружен (sudo modprobe cp210x)");

    // A running brltty is named for an adapter with no driver too: it claims and lets go.
    runBrltty();
    notices = orlin::AdapterNotices(root_.string());
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[1].text.find("занял brltty"), std::string::npos);
}

TEST_F(AdapterNotices, TheVariableNamesTheRootAndATestListNamesNone) {
    add({"2-1", "067b", "2303", "", {{"", ""}}});
    ::setenv(kSystemRootVariable, root_.c_str(), 1);
    EXPECT_EQ(CurrentAdapterNotices().size(), 1u);
    ::unsetenv(kSystemRootVariable);
    ::setenv("ORLIN_PORT_PATTERNS", "/nonexistent/tty-*", 1);
    EXPECT_TRUE(CurrentAdapterNotices().empty());
    ::unsetenv("ORLIN_PORT_PATTERNS");
}

TEST(PortAccess, TheRemedyNamesTheGroupThatOwnsTheDevice) {
    PtyResponder device;
    const std::string path = device.SlavePath();
    // getgrnam() answers in storage of its own that the next call overwrites.
    ASSERT_TRUE(::getgrnam("dialout") && ::getgrnam("tty"));
    const gid_t dialout = ::getgrnam("dialout")->gr_gid;
    const gid_t tty = ::getgrnam("tty")->gr_gid;
    const struct {
        gid_t group;
        mode_t mode;
        std::string says;
    } cases[] = {
        {dialout, 0660,
         "добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и войдите в "
         "систему заново"},
        {tty, 0660,
         "добавьте пользователя в группу tty (sudo usermod -aG tty $USER) и войдите в систему "
         "заново"},
        // A group that may not write, or root's: joining it would not help.
        {tty, 0640, "порт открыт только владельцу (root, 0640)"},
        {0, 0660, "порт открыт только владельцу (root, 0660)"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::chown(path.c_str(), 0, c.group), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        EXPECT_EQ(PortAccessRemedy(path).rfind(c.says, 0), 0u) << PortAccessRemedy(path);
    }
}

TEST(ModemManagerPorts, AModemHoldsADeviceByItsNameBelowDev) {
    PtyResponder device;
    const std::string real = fs::canonical(device.SlavePath()).string();
    const fs::path link = fs::temp_directory_path() / ("orlin-by-id-" + std::to_string(::getpid()));
    fs::create_symlink(real, link);
    const std::vector<ManagedModem> modems = {
        {"/org/freedesktop/ModemManager1/Modem/0",
         "/sys/devices/usb1/1-1",
         {"cdc-wdm0", "ttyACM9"}},
        {"/org/freedesktop/ModemManager1/Modem/1",
         "/sys/devices/usb1/1-2",
         {"wwan0", real.substr(5)}},
    };
    for (const std::string& name : {real, link.string()}) {
        const auto found = ModemOfDevice(modems, name);
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(found->uid, "/sys/devices/usb1/1-2");
    }
    EXPECT_EQ(ModemOfDevice(modems, "/dev/ttyACM9")->uid, "/sys/devices/usb1/1-1");
    EXPECT_FALSE(ModemOfDevice(modems, "/dev/ttyACM0"));
    EXPECT_FALSE(ModemOfDevice({}, real));
    fs::remove(link);
}

}  // namespace
}  // namespace orlin::test
