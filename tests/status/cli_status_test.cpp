// orlin-cli info and clock, run as a program against the simulated phone.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "status/phone_clock.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/stopwatch.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;

// Runs orlin-cli in an empty folder of its own (no portcfg.ini) with the phone's port.
CliRun RunCli(SimPhone& phone, const std::string& words) {
    static int counter = 0;
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("orlin-cli-status-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(folder);
    const CliRun result = test::RunCli(folder, phone.settings.PortName, words);
    std::filesystem::remove_all(folder);
    return result;
}

void UseKnownIdentity(SimPhone& phone) {
    phone->withState([](phonesim::PhoneState& s) {
        s.model = "C350";
        s.bands = {"GSM900", "GSM1800", "GSM1900"};
        s.batteryCharge = 64;
        s.signalRssi = 15;
    });
}

const std::string kInfoLines =
    "IMEI: 351234567890123\n"
    "IMSI: 250991234567890\n"
    "Manufacturer: Motorola CE, Copyright 2000\n"
    "Model: Motorola C350\n"
    "Bands: GSM900, GSM1800, GSM1900\n"
    "Firmware: R374_G_0E.41.C3R_A\n"
    "Battery: 64\n"
    "Signal: -83\n";

TEST(CliInfo, PrintsTheEightLines) {
    SimPhone phone;
    UseKnownIdentity(phone);
    const CliRun run = RunCli(phone, "info");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kInfoLines);
}

TEST(CliInfo, SameLinesWithUnsolicitedLinesInEveryAnswer) {
    SimPhone phone;
    UseKnownIdentity(phone);
    phone->setFaults(test::UnsolicitedEverywhere());
    const CliRun run = RunCli(phone, "info");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kInfoLines);
}

TEST(CliInfo, UndetectableSignalAndCyrillicTextInUtf8) {
    SimPhone phone;
    phone->withState([](phonesim::PhoneState& s) {
        s.signalRssi = 99;
        s.manufacturer = test::W("Моторола");
    });
    const CliRun run = RunCli(phone, "info");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nManufacturer: Моторола\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("\nSignal: unknown\n")) << run.out;
}

TEST(CliInfo, FailureKeepsWhatWasReadAndSaysWhy) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+CGMR";
    phone->setFaults(faults);
    const CliRun run = RunCli(phone, "info");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Bands: "), std::string::npos);
    EXPECT_EQ(run.out.find("Firmware: "), std::string::npos);
    EXPECT_NE(run.err.find("Ошибка по таймауту"), std::string::npos) << run.err;
    EXPECT_EQ(RunCli(phone, "info extra").status, 2);
}

// The eight lines with the values of `names` left empty.
std::string WithEmptyValues(const std::vector<std::string>& names) {
    std::string out = kInfoLines;
    for (const std::string& name : names) {
        const size_t value = out.find(name + ": ") + name.size() + 2;
        out.erase(value, out.find('\n', value) - value);
    }
    return out;
}

TEST(CliInfo, ARefusedQueryIsEmptyAndNamed) {
    const struct {
        const char* command;
        const char* errorLine;  // "" for the plain ERROR
        std::vector<std::string> emptied;
        const char* err;
    } cases[] = {
        {"AT+CBC",
         "+CME ERROR: 10",
         {"Battery"},
         "The phone refused AT+CBC (Battery): +CME ERROR: 10\n"},
        {"AT+CGMM",
         "+CME ERROR: 3",
         {"Model", "Bands"},
         "The phone refused AT+CGMM (Model): +CME ERROR: 3\n"},
        {"AT+CGSN", "", {"IMEI"}, "The phone refused AT+CGSN (IMEI): ERROR\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        SimPhone phone;
        UseKnownIdentity(phone);
        phonesim::FaultOptions faults;
        faults.errorOn = c.command;
        faults.errorLine = c.errorLine;
        phone->setFaults(faults);
        const CliRun run = RunCli(phone, "info");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, WithEmptyValues(c.emptied));
        EXPECT_EQ(run.err, c.err);
    }
}

TEST(CliClock, PrintsThePhonesTime) {
    SimPhone phone;
    phone->withState([](phonesim::PhoneState& s) { s.clockZone = ""; });
    ASSERT_EQ(SynchronisePhoneClock(phone.settings, nullptr, {2031, 3, 4, 5, 6, 7}),
              ClockSyncOutcome::Synchronised);
    const CliRun run = RunCli(phone, "clock");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == "04-03-31,   05:06:07\n" || run.out == "04-03-31,   05:06:08\n")
        << run.out;
}

TEST(CliClock, SyncSetsThePhoneFromTheComputer) {
    SimPhone phone;
    phone->withState([](phonesim::PhoneState& s) { s.clockOffsetSeconds = -40000; });
    const CliRun run = RunCli(phone, "clock --sync");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Дата и время синхронизированы!!!\n");
    int64_t offset = 0;
    phone->withState([&](phonesim::PhoneState& s) { offset = s.clockOffsetSeconds; });
    EXPECT_LE(std::llabs(offset), 2);
}

TEST(CliClock, FailuresAreReported) {
    SimPhone phone;
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CCLK";
    phone->setFaults(faults);
    const CliRun sync = RunCli(phone, "clock --sync");
    EXPECT_EQ(sync.status, 1);
    EXPECT_EQ(sync.out, "");
    EXPECT_EQ(sync.err, "Не удалось синхронизировать.\n");

    const CliRun show = RunCli(phone, "clock");
    EXPECT_EQ(show.status, 1);
    EXPECT_EQ(show.err, "Телефон не сообщил время.\n");

    // A refusal with a number is a refusal like ERROR.
    faults.errorLine = "+CME ERROR: 10";
    phone->setFaults(faults);
    EXPECT_EQ(RunCli(phone, "clock --sync").err, "Не удалось синхронизировать.\n");
    EXPECT_EQ(RunCli(phone, "clock").err, "Телефон не сообщил время.\n");

    EXPECT_EQ(RunCli(phone, "clock --now").status, 2);
}

}  // namespace
}  // namespace orlin

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;

TEST(CliOptions, EveryVerbWaitsTheTimeoutItIsGiven) {
    // A phone that stays silent: each verb gives up after --timeout, not after its default
    // of 1000 ms.
    struct Case {
        const char* words;
        const char* silentOn;
    };
    for (const Case& c :
         {Case{"info", "AT+CGSN"}, Case{"clock", "AT+CCLK?"}, Case{"clock --sync", "AT+CCLK="},
          Case{"at AT", "AT"}, Case{"phonebook list", "AT+CGMM"}}) {
        SimPhone phone;
        phonesim::FaultOptions faults;
        faults.silentOn = c.silentOn;
        phone->setFaults(faults);
        test::Stopwatch watch;
        const CliRun run = RunCli(phone, std::string("--timeout 1700 ") + c.words);
        EXPECT_EQ(run.status, 1) << c.words;
        EXPECT_GE(watch.Elapsed(), 1650) << c.words;
    }
}

TEST(CliOptions, ABrokenSettingsFileIsNotNeededWithAllThreeOptions) {
    SimPhone phone;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orlin-cli-settings-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "portcfg.ini", std::ios::binary)
        << "[PORT CONFIG]\r\nPort=COM1\r\nBaudRate=fast\r\nTimeOut=3000\r\n";
    const CliRun all =
        test::RunCli(folder, phone.settings.PortName, "--baud 19200 --timeout 1000 at AT");
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, "");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orlin
