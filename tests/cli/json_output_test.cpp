// orlin-cli's --format json against simulated phones: every list verb and info give JSON that
// parses, one object per line of the tab-separated form with the same texts, codes as English
// words and dates in ISO 8601; the tab-separated form stays as it was.

#include "cli/json_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "cli/verb.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

class JsonCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_json_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words);
    }
    fs::path dir_;
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator && separator == '\t') parts.push_back("");
    return parts;
}

// A value as the tab-separated form shows it: a text as it is, a number in decimal.
std::string Cell(const Json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

// Every list verb, for a phone of each phonebook layout: the JSON parses (python3's json.tool
// takes it too), has one object per tab-separated line with exactly the keys of its kind, in
// order, the texts of that line, and its codes among the words of their list. The tab-separated
// form is the same with --format tsv as without.
TEST_F(JsonCli, EveryListVerbGivesOneObjectPerTabSeparatedLine) {
    const std::vector<std::string> entry = {"slot", "storage", "name", "number", "type", "ids"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> keys = entry;
        keys.insert(keys.end(), more.begin(), more.end());
        keys.push_back("raw");
        return keys;
    };
    const std::vector<std::string> event = {"slot",    "title",  "timed",    "date",
                                            "time",    "start",  "duration", "alarm",
                                            "alarmAt", "repeat", "raw"};
    const std::vector<std::string> message = {"index",  "folder", "number", "time", "type",
                                              "status", "size",   "text",   "raw"};
    const std::set<std::string> types = {"work",  "home",  "main",         "mobile", "fax",
                                         "pager", "email", "mailing-list", "sim"};
    const std::set<std::string> repeats = {"none",         "daily", "weekly", "monthly-weekday",
                                           "monthly-date", "yearly"};
    const std::set<std::string> statuses = {"read", "unread", "sent", "unsent", "archived"};
    const struct {
        const char* model;
        const char* verb;
        int headerLines;
        std::vector<std::string> keys;
        std::vector<std::pair<size_t, const char*>> columns;  // tab column -> key
        const char* codeKey;
        std::set<std::string> codes;
    } cases[] = {
        {"C350",
         "phonebook list",
         1,
         with({"icon", "category"}),
         {{0, "slot"}, {2, "name"}, {3, "number"}},
         "type",
         types},
        {"V300",
         "phonebook list",
         1,
         with({"picture", "category"}),
         {{0, "slot"}, {2, "name"}, {3, "number"}, {6, "picture"}},
         "type",
         types},
        {"T720",
         "phonebook list",
         1,
         with({}),
         {{0, "slot"}, {2, "name"}, {3, "number"}},
         "storage",
         {"phone", "sim"}},
        {"C350",
         "datebook list",
         0,
         event,
         {{0, "slot"}, {1, "title"}, {5, "duration"}},
         "repeat",
         repeats},
        {"V300", "datebook list --quick", 0, event, {{0, "slot"}, {1, "title"}}, "repeat", repeats},
        {"C350",
         "sms list inbox",
         0,
         message,
         {{0, "index"}, {1, "number"}, {4, "size"}},
         "status",
         statuses},
        {"C350",
         "sms list outgoing",
         0,
         message,
         {{0, "index"}, {1, "number"}, {6, "text"}},
         "type",
         {"outgoing"}},
        {"C350", "sms list Drafts", 0, message, {{0, "index"}, {6, "text"}}, "type", {"draft"}},
        {"C350",
         "sms list archive",
         0,
         message,
         {{1, "number"}, {6, "text"}},
         "status",
         {"archived"}},
    };
    std::map<std::string, std::unique_ptr<SimPhone>> phones;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.verb);
        auto& phone = phones[c.model];
        if (!phone) phone = std::make_unique<SimPhone>(c.model);
        const CliRun tabs = Cli(*phone, c.verb);
        ASSERT_EQ(tabs.status, 0) << tabs.err;
        const CliRun tsv = Cli(*phone, std::string(c.verb) + " --format=tsv");
        EXPECT_EQ(tsv.out, tabs.out);
        const CliRun json = Cli(*phone, std::string(c.verb) + " --format json");
        ASSERT_EQ(json.status, 0) << json.err;
        const Json list = Json::parse(json.out);
        const std::vector<std::string> lines = Split(tabs.out, '\n');
        ASSERT_TRUE(list.is_array());
        ASSERT_GT(list.size(), 0u);
        ASSERT_EQ(list.size() + c.headerLines, lines.size());
        // One object on each line between the brackets.
        EXPECT_EQ(Split(json.out, '\n').size(), list.size() + 2);
        for (size_t i = 0; i < list.size(); ++i) {
            const Json& item = list[i];
            EXPECT_EQ(Keys(item), c.keys) << item.dump();
            const std::vector<std::string> cells = Split(lines[i + c.headerLines], '\t');
            for (const auto& [column, key] : c.columns) {
                ASSERT_LT(column, cells.size());
                EXPECT_EQ(Cell(item[key]), cells[column]) << key;
            }
            ASSERT_TRUE(item[c.codeKey].is_string()) << item.dump();
            EXPECT_TRUE(c.codes.count(item[c.codeKey].get<std::string>())) << item.dump();
            EXPECT_TRUE(item["raw"].is_object());
        }
        const CliRun tool =
            test::RunCli(dir_, phone->settings.PortName,
                         std::string(c.verb) + " --format json | python3 -m json.tool");
        EXPECT_EQ(tool.status, 0) << tool.err;
    }
}

// info and ports: one object with the values of the "Name: value" lines, and one object per
// device with what answered.
TEST_F(JsonCli, InfoAndPortsGiveTheValuesOfTheirLines) {
    SimPhone phone("C350");
    const CliRun lines = Cli(phone, "info");
    ASSERT_EQ(lines.status, 0) << lines.err;
    const CliRun json = Cli(phone, "info --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const Json info = Json::parse(json.out);
    EXPECT_EQ(Keys(info),
              (std::vector<std::string>{"imei", "imsi", "manufacturer", "model", "bands",
                                        "firmware", "battery", "signal", "raw"}));
    const struct {
        const char* line;
        const char* key;
    } pairs[] = {{"IMEI", "imei"},    {"IMSI", "imsi"},         {"Manufacturer", "manufacturer"},
                 {"Model", "model"},  {"Firmware", "firmware"}, {"Battery", "battery"},
                 {"Signal", "signal"}};
    for (const auto& p : pairs)
        EXPECT_NE(lines.out.find(std::string(p.line) + ": " + Cell(info[p.key]) + "\n"),
                  std::string::npos)
            << p.key;
    std::string bands;
    for (const Json& band : info["bands"]) bands += (bands.empty() ? "" : ", ") + Cell(band);
    EXPECT_NE(lines.out.find("Bands: " + bands + "\n"), std::string::npos);
    EXPECT_TRUE(info["raw"]["rssi"].is_number());

    const CliRun ports = test::RunInFolder(
        dir_, "'" ORLIN_CLI "' ports '" + phone.settings.PortName + "' --format json");
    ASSERT_EQ(ports.status, 0) << ports.err;
    EXPECT_EQ(Json::parse(ports.out),
              Json::parse("[{\"device\":\"" + phone.settings.PortName +
                          "\",\"outcome\":\"phone\",\"text\":\"Motorola C350\"}]"));
}

// An untimed event of the extended line, a timed one without alarm and a raw repeat code the
// list has no word for: ISO dates and times where they mean something, null where not, and
// the phone's own fields under "raw".
TEST_F(JsonCli, EventsGiveIsoTimesAndNullsWhereTheyMeanNothing) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C650", false);
    options.forms.extendedDatebook = true;
    options.datebookLastSlot = 3;
    SimPhone phone(options);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::DatebookEvent holiday;
        holiday.title = "Holiday";
        holiday.firstFlag = 0;
        holiday.startTime = "00:00";
        holiday.startDate = "01-07-2027";
        holiday.duration = 2880;
        s.contents.events[0] = holiday;
        phonesim::DatebookEvent call;
        call.title = "Call \"B\"\\";
        call.startTime = "09:05";
        call.startDate = "02-28-2027";
        call.duration = 30;
        call.repeat = 3;
        s.contents.events[2] = call;
    });
    const CliRun run = Cli(phone, "datebook list --format json");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json list = Json::parse(run.out);
    ASSERT_EQ(list.size(), 2u);
    const Json& holiday = list[0];
    EXPECT_EQ(holiday["timed"], false);
    EXPECT_EQ(holiday["date"], "2027-01-07");
    EXPECT_TRUE(holiday["time"].is_null());
    EXPECT_EQ(holiday["start"], "2027-01-07");
    EXPECT_EQ(holiday["duration"], 2880);
    EXPECT_EQ(holiday["end"], "2027-01-09T00:00");
    EXPECT_EQ(holiday["alarm"], false);
    EXPECT_TRUE(holiday["alarmAt"].is_null());
    EXPECT_EQ(holiday["repeat"], "none");
    EXPECT_EQ(holiday["raw"]["timeFlag"], "0");
    EXPECT_EQ(holiday["raw"]["startDate"], "01-07-2027");
    const Json& call = list[1];
    EXPECT_EQ(call["slot"], 2);
    EXPECT_EQ(call["title"], "Call \"B\"\\");
    EXPECT_EQ(call["start"], "2027-02-28T09:05");
    EXPECT_EQ(call["time"], "09:05");
    EXPECT_EQ(call["end"], "2027-02-28T09:35");
    EXPECT_EQ(call["repeat"], "monthly-weekday");
    EXPECT_EQ(call["raw"]["repeatCode"], "3");
}

// A format that is not tsv or json, a missing value or a second one: a usage error (exit
// status 2) before the phone is asked anything.
TEST_F(JsonCli, BadFormatsAreRefusedBeforeThePhoneIsAsked) {
    SimPhone phone("C350");
    for (const char* words :
         {"phonebook list --format xml", "phonebook list --format", "info --format=csv",
          "sms list inbox --format json --format tsv", "datebook list --format=JSON",
          "ports --format yaml", "phonebook list extra --format json"}) {
        SCOPED_TRACE(words);
        phone.mark();
        const CliRun run = Cli(phone, words);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_TRUE(phone.since().empty());
    }
}

TEST(JsonOutput, MessageTimesBecomeIso8601) {
    const struct {
        const char* phone;
        std::optional<std::string> iso;
    } cases[] = {
        {"26/12/05,21:14:45+00", "2026-12-05T21:14:45+00:00"},
        {"09/08/18,19:11:45+12", "2009-08-18T19:11:45+03:00"},
        {"26/12/05,21:14:45-22", "2026-12-05T21:14:45-05:30"},
        {"2026/12/07,18:02:11", "2026-12-07T18:02:11"},
        {"99/1/2,3:04:05", "1999-01-02T03:04:05"},
        {"-------------", std::nullopt},
        {"", std::nullopt},
        {"26/13/05,21:14:45", std::nullopt},
        {"26/12/05,24:00:00", std::nullopt},
        {"26/12/05,21:14:45+", std::nullopt},
        {"26/12/05,21:14:45+00x", std::nullopt},
        {"026/12/05,21:14:45", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(cli::IsoMessageTime(c.phone), c.iso) << c.phone;
}

}  // namespace
}  // namespace orlin
