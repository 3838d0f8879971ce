// The whole-phone backup and restore of orlin_backup against simulated phones: what a backup
// that stops at each step leaves in its folder, and what a restore does to a phone that holds
// data when it goes through, when the phone keeps an event and when the user stops.

#include "backup/whole_phone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "link/cp1251.h"
#include "link/errors.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/working_folder.h"

namespace orlin {
namespace {

using test::SimPhone;
namespace fs = std::filesystem;

const std::string kDate = "2001-02-03 04:05:06";

// Says yes to replacing, presses Stop as `stopAt` begins, and tells `onStage` of each stage.
class Scripted : public CopyInteraction {
public:
    void stage(CopyStage stage) override {
        if (onStage) onStage(stage);
        if (stage == stopAt) running = false;
    }
    bool keepRunning() override { return running; }
    bool confirmReplace(int, int) override {
        ++questions;
        return true;
    }
    std::function<void(CopyStage)> onStage;
    std::optional<CopyStage> stopAt;
    bool running = true;
    int questions = 0;
};

// The message archive lives in the working directory: every test gets a folder of its own.
class WholePhone : public ::testing::Test {
protected:
    static std::set<std::string> Files(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    // The events in slot order, without the skipped occurrences a backup does not hold.
    static std::vector<phonesim::DatebookEvent> Events(SimPhone& phone) {
        std::vector<phonesim::DatebookEvent> events;
        for (auto [slot, event] : phone.state().contents.events) {
            event.exceptions.clear();
            events.push_back(event);
        }
        return events;
    }
    test::WorkingFolder folder_{"orlin_whole_phone_"};
};

TEST_F(WholePhone, ABackupThatStopsKeepsTheFilesOfTheStepsBeforeAndNamesTheRest) {
    // A whole backup: where each stage begins among the phone's commands.
    std::map<CopyStage, size_t> starts;
    std::string archive;
    {
        SimPhone phone("C350");
        phone.mark();
        Scripted interaction;
        interaction.onStage = [&](CopyStage stage) { starts[stage] = phone.since().size(); };
        const BackupReport report = BackUpWholePhone({phone.settings}, "whole", kDate, interaction);
        ASSERT_TRUE(report.complete) << report.failure;
        EXPECT_TRUE(
            test::FileBytes("whole/phone.txt").ends_with("\r\nBackup date: " + kDate + "\r\n"));
        for (const std::string& name : Files("whole"))
            if (name.starts_with("sms_")) archive = name;
        EXPECT_EQ(Files("whole").size(), 6u);
    }
    // What each step writes, and how MISSING.txt names it.
    const std::vector<std::vector<std::string>> written = {{"phone.txt"},
                                                           {"phonebook.txt", "phonebook.vcf"},
                                                           {"datebook.ics"},
                                                           {"messages.csv"},
                                                           {archive}};
    const std::vector<std::vector<std::string>> named = {
        {"phone.txt"},
        {"phonebook.txt", "phonebook.vcf"},
        {"datebook.ics"},
        {"messages.csv"},
        {"the message archive (sms_<phone id>.txt)"}};

    struct Case {
        CopyStage stage;
        size_t step;
        int hangUpAfter;  // the phone hangs up after this many commands of the stage; -1: Stop
    };
    const Case cases[] = {
        {CopyStage::PhoneInfo, 0, 2}, {CopyStage::PhoneInfo, 0, -1}, {CopyStage::Phonebook, 1, 5},
        {CopyStage::Datebook, 2, 20}, {CopyStage::Datebook, 2, -1},  {CopyStage::Sent, 3, 1},
        {CopyStage::Drafts, 3, -1},   {CopyStage::Archive, 4, 0},    {CopyStage::Archive, 4, -1},
    };
    for (const Case& c : cases) {
        const std::string name = "case" + std::to_string(&c - cases);
        SCOPED_TRACE(name);
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        if (c.hangUpAfter >= 0)
            options.faults.hangUpAfterCommands = static_cast<int>(starts[c.stage]) + c.hangUpAfter;
        SimPhone phone(options);
        phone.mark();
        Scripted interaction;
        if (c.hangUpAfter < 0) interaction.stopAt = c.stage;
        const BackupReport report = BackUpWholePhone({phone.settings}, name, kDate, interaction);

        EXPECT_FALSE(report.complete);
        if (c.hangUpAfter < 0) {
            EXPECT_EQ(report.failure, StoppedText());
            EXPECT_EQ(phone.since().size(), starts[c.stage]) << "a command after Stop";
        } else {
            EXPECT_NE(report.failure, "");
            EXPECT_NE(report.failure, StoppedText());
        }
        std::set<std::string> left = {kMissingFile};
        std::string missing;
        for (size_t step = 0; step < written.size(); ++step) {
            if (step < c.step) left.insert(written[step].begin(), written[step].end());
            for (const std::string& file : step < c.step ? std::vector<std::string>{} : named[step])
                missing += "  " + file + "\r\n";
        }
        EXPECT_EQ(Files(name), left);
        EXPECT_EQ(test::FileBytes(fs::path(name) / kMissingFile),
                  "This backup (" + kDate + ") is not complete. It stopped with: " +
                      Cp1251ToUtf8(report.failure) + "\r\nMissing:\r\n" + missing);
    }
}

TEST_F(WholePhone, ARestoreWritesOnlyIntoAPhoneThatGaveUpAllItHeld) {
    SimPhone source("C350");
    Scripted saving;
    ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    const auto book = source.phonebook();
    const auto events = Events(source);

    struct Case {
        const char* name;
        std::string refused;  // a command the phone refuses
        std::optional<CopyStage> stopAt;
        std::optional<RestoreOutcome> outcome;  // none: it raises "Остановлено."
        bool phonebookWritten;
        bool datebookWritten;
    };
    const Case cases[] = {
        {"replaced", "", {}, RestoreOutcome::Done, true, true},
        {"an event the phone keeps", "AT+MDBWE", {}, RestoreOutcome::NotAllDeleted, false, false},
        {"Stop after the phonebook", "", CopyStage::WriteDatebook, RestoreOutcome::Stopped, true,
         false},
        {"Stop before anything changed", "", CopyStage::ReadDatebook, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        options.faults.errorOn = c.refused;
        SimPhone phone(options);
        // More than the copy holds: an entry and an event the restore must remove.
        phone.edit([](phonesim::PhoneState& state) {
            state.contents.phonebook[900] = state.contents.phonebook.begin()->second;
            state.contents.events[400] = state.contents.events.begin()->second;
        });
        const auto before = phone.phonebook();
        phone.mark();
        Scripted interaction;
        interaction.stopAt = c.stopAt;
        std::optional<RestoreReport> report;
        try {
            report = RestoreWholePhone({phone.settings}, "copy", interaction);
        } catch (const OrlinError& e) {
            EXPECT_EQ(e.what(), StoppedText());
        }
        ASSERT_EQ(report.has_value(), c.outcome.has_value());
        EXPECT_EQ(interaction.questions, c.outcome ? 1 : 0);

        int entriesWritten = 0;
        for (const std::string& command : phone.sinceStarting("AT+MPBW="))
            entriesWritten += command.find(',') != std::string::npos;
        EXPECT_EQ(entriesWritten > 0, c.phonebookWritten);
        EXPECT_EQ(phone.sinceStarting("AT+MDBW=").empty(), !c.datebookWritten);
        if (!report) {
            EXPECT_EQ(phone.phonebook(), before);
            EXPECT_TRUE(phone.sinceStarting("AT+MDBWE").empty());
            continue;
        }
        EXPECT_EQ(report->outcome, *c.outcome);
        if (c.phonebookWritten) {
            EXPECT_EQ(phone.phonebook(), book);
            EXPECT_EQ(report->entriesTaken, report->entries);
            EXPECT_EQ(report->entries, static_cast<int>(book.size()));
        }
        if (c.datebookWritten) {
            EXPECT_EQ(Events(phone), events);
            EXPECT_EQ(report->eventsTaken, static_cast<int>(events.size()));
        }
    }
}

}  // namespace
}  // namespace orlin
