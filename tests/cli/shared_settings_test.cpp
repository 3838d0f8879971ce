// orlin-cli shares the window's settings: without portcfg.ini here and without --port it takes
// the one in the window's data folder (where the desktop launcher starts the window), and keeps
// the message archives there too; ports --save writes the port the window then starts with.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "link/port_probe.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"

namespace orlin::test {
namespace {

namespace fs = std::filesystem;

std::string Config(const std::string& port, const std::string& timeout = "3000") {
    return "[PORT CONFIG]\r\nPort=" + port + "; - \xE8\xEC\xFF \xEF\xEE\xF0\xF2\xE0\r\n" +
           "BaudRate=19200; - \xF1\xEA\xEE\xF0\xEE\xF1\xF2\xFC \xEF\xEE\xF0\xF2\xE0\r\n" +
           "TimeOut=" + timeout + "; - \xE7\xE0\xE4\xE5\xF0\xE6\xEA\xE0\r\n";
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class SharedSettings : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-shared-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        work_ = root_ / "work";
        windowFolder_ = root_ / "data" / "orlin";
        fs::create_directories(work_);
    }
    void TearDown() override { fs::remove_all(root_); }

    CliRun cli(const std::string& words) {
        return RunInFolder(work_, "XDG_DATA_HOME='" + (root_ / "data").string() + "' " +
                                      std::string(kPortPatternsVariable) + "='" +
                                      (root_ / "tty-*").string() + "' '" ORLIN_CLI "' " + words);
    }
    bool answered(const CliRun& run) {
        return run.status == 0 && run.out.find("Model: Motorola C350") != std::string::npos;
    }

    SimPhone phone_{"C350"};
    fs::path root_, work_, windowFolder_;
};

TEST_F(SharedSettings, AnEmptyFolderUsesTheWindowsSettingsAndArchive) {
    Write(windowFolder_ / "portcfg.ini", Config(phone_.portPath()));
    const CliRun info = cli("--verbose info");
    EXPECT_TRUE(answered(info)) << info.err;
    EXPECT_EQ(info.err,
              "orlin-cli: settings and message archives in " + windowFolder_.string() + "\n");
    // The inbox goes into the window's archive, not into the current directory.
    ASSERT_EQ(cli("sms list inbox").status, 0);
    int archives = 0;
    for (const auto& entry : fs::directory_iterator(windowFolder_))
        archives += entry.path().filename().string().rfind("sms_", 0) == 0;
    EXPECT_EQ(archives, 1);
    for (const auto& entry : fs::directory_iterator(work_))
        EXPECT_NE(entry.path().filename().string().rfind("sms_", 0), 0u) << entry.path();
}

TEST_F(SharedSettings, TheFileHereAndThePortOptionComeFirst) {
    // The window's file is broken: read only when nothing else names the port.
    Write(windowFolder_ / "portcfg.ini", Config(phone_.portPath(), "abc"));
    const CliRun broken = cli("info");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err,
              (windowFolder_ / "portcfg.ini").string() + ": 'abc' is not a valid integer value\n");
    EXPECT_TRUE(answered(cli("--port '" + phone_.portPath() + "' info")));
    Write(work_ / "portcfg.ini", Config(phone_.portPath()));
    const CliRun here = cli("--verbose info");
    EXPECT_TRUE(answered(here)) << here.err;
    EXPECT_EQ(here.err, "orlin-cli: settings and message archives in " + work_.string() + "\n");
    // Neither file: the port must be given.
    fs::remove(work_ / "portcfg.ini");
    fs::remove(windowFolder_ / "portcfg.ini");
    EXPECT_EQ(cli("info").status, 2);
}

TEST_F(SharedSettings, PortsSaveWritesThePortTheWindowStartsWith) {
    fs::create_symlink(phone_.portPath(), root_ / "tty-phone");
    const std::string link = (root_ / "tty-phone").string();
    const CliRun saved = cli("ports --save");
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(FileBytes(windowFolder_ / "portcfg.ini"), Config(link));
    EXPECT_TRUE(answered(cli("info")));

    // A file here is the one written, its other settings kept; the window's stays.
    Write(work_ / "portcfg.ini", Config("COM7", "2500"));
    EXPECT_EQ(cli("ports --save").status, 0);
    EXPECT_EQ(FileBytes(work_ / "portcfg.ini"), Config(link, "2500"));
    // No phone: nothing written.
    fs::remove(root_ / "tty-phone");
    Write(work_ / "portcfg.ini", Config("COM7"));
    const CliRun none = cli("ports --save");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(FileBytes(work_ / "portcfg.ini"), Config("COM7"));
}

}  // namespace
}  // namespace orlin::test
