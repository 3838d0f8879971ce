// Titles in any script the phone can hold, through orlin-cli against simulated phones: listed,
// through an iCalendar file and through a backup into an empty phone, byte for byte; what the
// phone cannot hold (an emoji, a title beyond its length) is named.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
namespace fs = std::filesystem;

const std::vector<std::string> kTitles = {"Müller", "Łukasz Żółć", "Ελένη",
                                          "עברית",  "中文",        "Встреча"};

class DatebookUnicode : public ::testing::Test {
public:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_db_utf_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words, "TZ=MSK-3 ");
    }
    // One event a title, in slots 0..5, on the 10th..15th of January 2027 at 09:30.
    static void Seed(SimPhone& phone) {
        phone.edit([](phonesim::PhoneState& s) {
            s.contents.events.clear();
            for (size_t i = 0; i < kTitles.size(); ++i) {
                phonesim::DatebookEvent e;
                e.title = kTitles[i];
                e.startTime = "09:30";
                e.startDate = "01-1" + std::to_string(i) + "-2027";
                s.contents.events[static_cast<int>(i)] = e;
            }
        });
    }
    static std::vector<std::string> Titles(SimPhone& phone) {
        std::vector<std::string> titles;
        for (const auto& [slot, e] : phone.state().contents.events) titles.push_back(e.title);
        return titles;
    }
    fs::path dir_;
};

// Each path from a phone to the user or to a file and back into an empty phone keeps every
// title as it was.
TEST_F(DatebookUnicode, EveryPathKeepsEveryTitle) {
    std::string tsv;
    for (size_t i = 0; i < kTitles.size(); ++i)
        tsv += std::to_string(i) + "\t" + kTitles[i] + "\t09:30\t00:00\t01-1" + std::to_string(i) +
               "-2027\t60\tнет\tвыкл.\n";
    struct Path {
        const char* name;
        // Runs the path from `source` into `empty`; returns what the user reads (the list) or
        // nothing when the path ends in the empty phone.
        std::function<std::string(DatebookUnicode&, SimPhone&, SimPhone&)> run;
        std::string expected;  // what the user reads; empty: the titles of the empty phone
    };
    const std::vector<Path> paths = {
        {"list",
         [](DatebookUnicode& t, SimPhone& source, SimPhone&) {
             const CliRun run = t.Cli(source, "datebook list");
             EXPECT_EQ(run.status, 0) << run.err;
             return run.out;
         },
         tsv},
        {"list as JSON",
         [](DatebookUnicode& t, SimPhone& source, SimPhone&) {
             const CliRun run = t.Cli(source, "datebook list --format json");
             EXPECT_EQ(run.status, 0) << run.err;
             std::string titles;
             for (size_t at = run.out.find("\"title\":\""); at != std::string::npos;
                  at = run.out.find("\"title\":\"", at + 1))
                 titles += run.out.substr(at + 9, run.out.find('"', at + 9) - at - 9) + "|";
             return titles;
         },
         "Müller|Łukasz Żółć|Ελένη|עברית|中文|Встреча|"},
        {"iCalendar",
         [](DatebookUnicode& t, SimPhone& source, SimPhone& empty) {
             const CliRun exported = t.Cli(source, "datebook export book.ics");
             EXPECT_EQ(exported.status, 0) << exported.err;
             const std::string file = test::FileBytes(t.dir_ / "book.ics");
             for (const std::string& title : kTitles)
                 EXPECT_NE(file.find("SUMMARY:" + title + "\r\n"), std::string::npos) << title;
             const CliRun imported = t.Cli(empty, "datebook import book.ics");
             EXPECT_EQ(imported.status, 0) << imported.err;
             EXPECT_EQ(imported.err, "");
             return std::string();
         },
         ""},
        {"backup",
         [](DatebookUnicode& t, SimPhone& source, SimPhone& empty) {
             const CliRun saved = t.Cli(source, "backup copy");
             EXPECT_EQ(saved.status, 0) << saved.err;
             const CliRun restored = t.Cli(empty, "restore copy");
             EXPECT_EQ(restored.status, 0) << restored.err;
             return std::string();
         },
         ""},
    };
    for (const Path& path : paths) {
        SCOPED_TRACE(path.name);
        SimPhone source("C350");
        SimPhone empty("C350", false);
        Seed(source);
        const std::string got = path.run(*this, source, empty);
        if (path.expected.empty())
            EXPECT_EQ(Titles(empty), kTitles);
        else
            EXPECT_EQ(got, path.expected);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
}

// A title goes to the phone whole up to its limit counted in characters, not bytes (a Chinese
// character is three); beyond it add refuses, an import cuts and says so; an emoji, which the
// phone cannot hold, is written as '?' and named by its event.
TEST_F(DatebookUnicode, TheLimitCountsCharactersAndAnEmojiIsNamed) {
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) { s.datebookTitleLength = 8; });
    std::string eight;
    for (int i = 0; i < 8; ++i) eight += "中";
    const CliRun whole =
        Cli(phone, "datebook add --title " + eight + " --date 2027-01-10 --time 09:30");
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(Titles(phone), std::vector<std::string>({eight}));
    const CliRun over =
        Cli(phone, "datebook add --title " + eight + "文" + " --date 2027-01-11 --time 09:30");
    EXPECT_EQ(over.status, 2) << over.err;
    EXPECT_NE(over.err.find("the title has 9 characters; the phone takes at most 8"),
              std::string::npos)
        << over.err;

    const CliRun party = Cli(phone, "datebook add --title 'Ура 🎉' --date 2027-01-12 --time 10:00");
    ASSERT_EQ(party.status, 0) << party.err;
    EXPECT_NE(party.err.find("«Ура 🎉»: знаки, которых телефон не хранит"), std::string::npos)
        << party.err;

    std::ofstream(dir_ / "in.ics", std::ios::binary)
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n"
           "BEGIN:VEVENT\r\nUID:a\r\nSUMMARY:Ελένη 🎂\r\nDTSTART:20270201T090000\r\n"
           "DURATION:PT1H\r\nEND:VEVENT\r\n"
           "BEGIN:VEVENT\r\nUID:b\r\nSUMMARY:"
        << eight + "文"
        << "\r\nDTSTART:20270202T090000\r\nDURATION:PT1H\r\nEND:VEVENT\r\n"
           "END:VCALENDAR\r\n";
    const CliRun imported = Cli(phone, "datebook import in.ics");
    EXPECT_EQ(imported.out, "2 of 2 events imported\n");
    EXPECT_NE(imported.err.find("«Ελένη ?» 01.02.2027 09:00: знаки заголовка, которых нет в "
                                "телефоне, заменены на «?»"),
              std::string::npos)
        << imported.err;
    EXPECT_NE(imported.err.find("«" + eight +
                                "» 02.02.2027 09:00: заголовок укорочен до 8 "
                                "знаков"),
              std::string::npos)
        << imported.err;
    EXPECT_EQ(Titles(phone), std::vector<std::string>({eight, "Ура ?", "Ελένη ?", eight}));
}

}  // namespace
}  // namespace orlin
