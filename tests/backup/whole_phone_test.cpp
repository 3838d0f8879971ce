// The whole-phone backup and restore of orlin_backup against simulated phones: what a backup
// that stops at each step leaves in its folder, what a restore refuses to start from, and
// that however a restore ends every slot holds what it held or what the backup holds.

#include "backup/whole_phone.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <type_traits>

#include "link/errors.h"
#include "link/stable_id.h"
#include "link/whole_file.h"
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
    bool confirmReplace(const RestoreCounts& c) override {
        ++questions;
        counts = c;
        return true;
    }
    bool confirmPartial(const std::string& text) override {
        partialText = text;
        return goOnWhenPartial;
    }
    std::function<void(CopyStage)> onStage;
    std::optional<CopyStage> stopAt;
    bool running = true;
    int questions = 0;
    RestoreCounts counts;
    std::string partialText;
    bool goOnWhenPartial = false;
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
    static std::map<int, phonesim::DatebookEvent> Events(SimPhone& phone) {
        return phone.state().contents.events;
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
        std::string missingOnTheWay;  // what a backup killed half-way leaves
        interaction.onStage = [&](CopyStage stage) {
            starts[stage] = phone.since().size();
            if (stage == CopyStage::Datebook)
                missingOnTheWay = test::FileBytes(fs::path("whole") / kMissingFile);
        };
        const BackupReport report = BackUpWholePhone({phone.settings}, "whole", kDate, interaction);
        EXPECT_EQ(missingOnTheWay, "This backup (" + kDate +
                                       ") is not complete. It stopped with: it was still being "
                                       "written\r\nMissing:\r\n  phone.txt\r\n  phonebook.txt\r\n"
                                       "  phonebook.vcf\r\n  datebook.ics\r\n  messages.csv\r\n"
                                       "  the message archive (sms_<phone id>.txt)\r\n");
        EXPECT_TRUE(test::FileBytes("whole/phone.txt")
                        .ends_with("Phonebook entries: 42\r\nDatebook events: 12\r\n"));
        ASSERT_TRUE(report.complete) << report.failure;
        EXPECT_NE(test::FileBytes("whole/phone.txt").find("\r\nBackup date: " + kDate + "\r\n"),
                  std::string::npos);
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
                      report.failure + "\r\nMissing:\r\n" + missing);
    }
}

// A restore starts only from files that check whole: each broken copy below raises with the
// file, the line and the reason before the phone hears a single command.
TEST_F(WholePhone, ARestoreRefusesABrokenBackupBeforeAnyCommand) {
    SimPhone source("C350");
    Scripted saving;
    ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    const std::string book = test::FileBytes("copy/phonebook.txt");
    const std::string calendar = test::FileBytes("copy/datebook.ics");
    const auto replaceLine = [](std::string text, int line, const std::string& with) {
        size_t at = 0;
        for (int i = 1; i < line; ++i) at = text.find("\r\n", at) + 2;
        return text.replace(at, text.find("\r\n", at) - at, with);
    };
    const struct {
        const char* name;
        std::string file;
        std::string bytes;
        std::string message;  // the start of what it raises (UTF-8)
    } cases[] = {
        {"a malformed line", "phonebook.txt",
         replaceLine(book, 3, "PHONE;99;Bad;+123;3;0;255;0;1;x;255;255;0"),
         "phonebook.txt, строка 3: 'x' is not a valid integer value"},
        {"a command inside a number", "phonebook.txt",
         replaceLine(book, 2, "PHONE;77;Bad;123\rAT+CMGD=1\rAT+MPBW=2\rAT;3;0;255;0;1;1;255;255;0"),
         "phonebook.txt, строка 2: номер: недопустимый знак CR (13)"},
        {"an unrelated file", "phonebook.txt", "Dear diary,\r\ntoday I copied a file.\r\n",
         "phonebook.txt: в файле нет ни одной записи"},
        {"a slot twice", "phonebook.txt", book + book.substr(0, book.find("\r\n") + 2),
         "phonebook.txt, строка 43: ячейка"},
        {"a line lost", "phonebook.txt", book.substr(book.find("\r\n") + 2),
         "phonebook.txt: записей в файле 41, а в phone.txt сказано 42"},
        {"a date that does not exist", "datebook.ics",
         calendar.substr(0, calendar.find("DTSTART:") + 8) + "20270230T093000" +
             calendar.substr(calendar.find("\r\n", calendar.find("DTSTART:"))),
         "datebook.ics, строка "},
        {"no iCalendar", "datebook.ics", "nothing\r\n", "datebook.ics: Файл не является"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all("broken");
        fs::copy("copy", "broken");
        WriteWholeFile("broken/" + c.file, c.bytes);
        SimPhone phone("C350");
        const auto before = phone.state().contents;
        phone.mark();
        Scripted interaction;
        try {
            RestoreWholePhone({phone.settings}, "broken", interaction);
            ADD_FAILURE() << "restored";
        } catch (const OrlinError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
        EXPECT_EQ(phone.since(), std::vector<std::string>{});
        EXPECT_EQ(phone.state().contents, before);
        EXPECT_EQ(interaction.questions, 0);
    }
}

// A name the phone holds with a line break in it is written as a blank, the save names the
// slot, and the backup restores (it used to split its line and break the restore).
TEST_F(WholePhone, ALineBreakInANameIsWrittenAsABlankAndTheBackupRestores) {
    SimPhone source("C350");
    source.edit([](phonesim::PhoneState& s) { s.contents.phonebook[5].name = "Ann\nAT+CMGD=1"; });
    Scripted saving;
    const BackupReport report = BackUpWholePhone({source.settings}, "copy", kDate, saving);
    ASSERT_TRUE(report.complete) << report.failure;
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_NE(report.notes[0].find("(ячейки 5)"), std::string::npos);
    EXPECT_NE(test::FileBytes("copy/phonebook.txt").find(";Ann AT+CMGD=1;"), std::string::npos);

    SimPhone empty("C350", false);
    Scripted restoring;
    const RestoreReport restored = RestoreWholePhone({empty.settings}, "copy", restoring);
    EXPECT_EQ(restored.outcome, RestoreOutcome::Done);
    EXPECT_EQ(empty.phonebook().size(), 42u);
    EXPECT_EQ(empty.phonebook()[5].name, "Ann AT+CMGD=1");
    EXPECT_EQ(restored.phonebook.written.size(), 42u);
}

// The phone as the restore found it, and as the backup would leave it.
struct Sides {
    phonesim::PhoneContents old;
    phonesim::PhoneContents backup;
};

// A phone that differs from the backup in every way a restore meets: entries and events
// changed, missing and extra, a SIM entry, skipped occurrences changed.
void Diverge(phonesim::PhoneState& s) {
    auto& book = s.contents.phonebook;
    book[3].name = "Changed";
    book[1005].name = "SIM changed";
    book.erase(10);
    book[900] = book[1];
    book[1100] = book[1002];
    auto& events = s.contents.events;
    events[1].title = "Moved meeting";
    events.erase(2);
    events[300] = events[0];
    events[4].exceptions = {1};
    events[0].exceptions.clear();
}

// Checks that every slot of `after` holds the old content or the backup's, and that the
// report says which: what it names written holds the backup's, refused and not removed the
// old, removed nothing; an event written without all its skipped occurrences is named.
void CheckSlots(const Sides& sides, const phonesim::PhoneContents& after,
                const RestoreReport& report) {
    const auto has = [](const std::vector<int>& list, int slot) {
        return std::find(list.begin(), list.end(), slot) != list.end();
    };
    const auto check = [&](const auto& old, const auto& backup, const auto& now,
                           const RestorePart& part, const char* what) {
        std::set<int> slots;
        for (const auto* table : {&old, &backup, &now})
            for (const auto& [slot, value] : *table) slots.insert(slot);
        for (int slot : slots) {
            SCOPED_TRACE(std::string(what) + " slot " + std::to_string(slot));
            const auto value = [slot](const auto& table) {
                const auto it = table.find(slot);
                return it == table.end() ? std::nullopt : std::optional(it->second);
            };
            auto oldValue = value(old), backupValue = value(backup), nowValue = value(now);
            if constexpr (std::is_same_v<std::decay_t<decltype(*nowValue)>,
                                         phonesim::DatebookEvent>) {
                if (has(part.skipsMissing, slot) && nowValue && backupValue) {
                    // Written, then stopped before all of its skipped occurrences.
                    nowValue->exceptions.clear();
                    backupValue->exceptions.clear();
                    EXPECT_EQ(nowValue, backupValue);
                    continue;
                }
            }
            EXPECT_TRUE(nowValue == oldValue || nowValue == backupValue)
                << "the slot holds neither what it held nor the backup's";
            if (part.unanswered == slot) continue;
            if (has(part.written, slot)) {
                EXPECT_EQ(nowValue, backupValue);
            }
            if (has(part.removed, slot)) {
                EXPECT_FALSE(nowValue.has_value());
            }
            if (has(part.refused, slot) || has(part.notRemoved, slot)) {
                EXPECT_EQ(nowValue, oldValue);
            }
            if (nowValue != oldValue) {
                EXPECT_TRUE(has(part.written, slot) || has(part.removed, slot))
                    << "changed without a word";
            }
        }
    };
    check(sides.old.phonebook, sides.backup.phonebook, after.phonebook, report.phonebook,
          "phonebook");
    check(sides.old.events, sides.backup.events, after.events, report.datebook, "datebook");
}

// The fault sweep: the phone hangs up after k commands, for k across the whole restore
// (reading, saving, writing, removing). Nothing is ever missing from both sides, and the
// report matches the phone read back.
TEST_F(WholePhone, AHangUpAnywhereLeavesEverySlotWithItsOldOrItsBackupContent) {
    {
        SimPhone source("C350");
        Scripted saving;
        ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    }
    Sides sides;
    std::vector<std::string> commands;
    size_t writingFrom = 0;
    {
        SimPhone phone("C350");
        phone.edit(Diverge);
        sides.old = phone.state().contents;
        phone.mark();
        Scripted interaction;
        interaction.onStage = [&](CopyStage stage) {
            if (stage == CopyStage::WritePhonebook) writingFrom = phone.since().size();
        };
        // "copy/" as a shell completes it: the copy of the phone still goes beside it.
        const RestoreReport report = RestoreWholePhone({phone.settings}, "copy/", interaction);
        ASSERT_EQ(report.outcome, RestoreOutcome::Done) << report.failure;
        EXPECT_EQ(report.savedFolder.parent_path(), fs::current_path());
        sides.backup = phone.state().contents;
        commands = phone.since();
        EXPECT_EQ(interaction.counts.phoneEntries, 43);
        EXPECT_EQ(interaction.counts.backupEntries, 42);
        EXPECT_EQ(interaction.counts.phoneEvents, 12);
        EXPECT_EQ(interaction.counts.backupEvents, 12);
        // Written in place, then removed: never a delete before the last write.
        for (const char* part : {"AT+MPBW=", "AT+MDBW"}) {
            size_t lastWrite = 0, firstRemoval = commands.size();
            for (size_t i = writingFrom; i < commands.size(); ++i) {
                const std::string& c = commands[i];
                if (c.rfind(part, 0) != 0) continue;
                const bool removal = c.rfind("AT+MPBW=", 0) == 0
                                         ? c.find(',') == std::string::npos
                                         : c.rfind("AT+MDBWE=", 0) == 0 && c.ends_with(",0,0");
                if (removal)
                    firstRemoval = std::min(firstRemoval, i);
                else
                    lastWrite = std::max(lastWrite, i);
            }
            EXPECT_LT(lastWrite, firstRemoval) << part;
            EXPECT_LT(firstRemoval, commands.size()) << part;
        }
        EXPECT_EQ(report.phonebook.removed, (std::vector<int>{900, 1100}));
        EXPECT_EQ(report.datebook.removed, std::vector<int>{300});
        EXPECT_EQ(report.phonebook.same, 39);
        // One copy per restore, each a backup of its own that the restore would take.
        EXPECT_TRUE(IsBackupFolder(report.savedFolder));
        EXPECT_FALSE(fs::exists(report.savedFolder / kMissingFile));
        EXPECT_EQ(NewestBackupIn(report.savedFolder.parent_path()), std::nullopt);
    }
    ASSERT_GT(commands.size(), writingFrom + 15);
    // Every command of the writing, and a spread over the reading before it.
    std::vector<size_t> ks;
    for (size_t k = 1; k < writingFrom; k += writingFrom / 12) ks.push_back(k);
    for (size_t k = writingFrom; k <= commands.size(); ++k) ks.push_back(k);
    ASSERT_GE(ks.size(), 30u);
    std::cout << "[ sweep    ] a hang-up after each of " << ks.size() << " commands\n";
    for (size_t k : ks) {
        SCOPED_TRACE("hang-up after " + std::to_string(k) + " commands (" +
                     (k <= commands.size() ? commands[k - 1] : "") + ")");
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        options.faults.hangUpAfterCommands = static_cast<int>(k);
        SimPhone phone(options);
        phone.edit(Diverge);
        Scripted interaction;
        RestoreReport report;
        try {
            report = RestoreWholePhone({phone.settings}, "copy", interaction);
        } catch (const OrlinError&) {
            EXPECT_LT(k, writingFrom) << "a failure once the phone changes is reported, not raised";
            EXPECT_EQ(phone.state().contents, sides.old);
            continue;
        }
        if (k < commands.size()) {
            EXPECT_EQ(report.outcome, RestoreOutcome::Incomplete);
            EXPECT_NE(report.failure, "");
        }
        CheckSlots(sides, phone.state().contents, report);
    }
}

// One write the phone refuses: its slot keeps what it held, everything else is restored, and
// the report says which slot (it used to delete everything first and then say "nothing was
// restored" with 41 contacts and 12 events gone).
TEST_F(WholePhone, ARefusedWriteKeepsItsSlotAndTheRestIsRestored) {
    {
        SimPhone source("C350");
        Scripted saving;
        ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    }
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.faults.errorOn = "AT+MPBW=3,";
    SimPhone phone(options);
    phone.edit(Diverge);
    Sides sides;
    sides.old = phone.state().contents;
    Scripted interaction;
    const RestoreReport report = RestoreWholePhone({phone.settings}, "copy", interaction);
    EXPECT_EQ(report.outcome, RestoreOutcome::Incomplete);
    EXPECT_EQ(report.phonebook.refused, std::vector<int>{3});
    EXPECT_EQ(report.phonebook.written, (std::vector<int>{10, 1005}));
    EXPECT_EQ(report.datebook.written, (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(phone.phonebook()[3].name, "Changed");
    EXPECT_EQ(phone.phonebook().size(), 42u);
    EXPECT_EQ(phone.state().contents.events.size(), 12u);
}

// A folder with MISSING.txt is a partial backup: the restore asks, and a no sends nothing.
TEST_F(WholePhone, APartialBackupIsRestoredOnlyWhenTheUserSaysSo) {
    {
        SimPhone source("C350");
        Scripted saving;
        ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    }
    WriteWholeFile("copy/MISSING.txt", "This backup is not complete.\r\n");
    for (const bool goOn : {false, true}) {
        SimPhone phone("C350", false);
        phone.mark();
        Scripted interaction;
        interaction.goOnWhenPartial = goOn;
        const RestoreReport report = RestoreWholePhone({phone.settings}, "copy", interaction);
        EXPECT_EQ(interaction.partialText, "This backup is not complete.\r\n");
        EXPECT_EQ(report.outcome, goOn ? RestoreOutcome::Done : RestoreOutcome::PartialRefused);
        EXPECT_EQ(phone.since().empty(), !goOn);
        EXPECT_EQ(phone.phonebook().size(), goOn ? 42u : 0u);
    }
}

// Skipped occurrences go out with the backup and come back after their event; an event whose
// slot this phone lacks goes into a free one, and the report says where.
TEST_F(WholePhone, SkippedOccurrencesComeBackAndAMissingSlotIsTakenFromTheFree) {
    SimPhone source("C350");
    source.edit([](phonesim::PhoneState& s) {
        s.contents.events[450] = s.contents.events[4];  // with its skipped occurrences
    });
    Scripted saving;
    ASSERT_TRUE(BackUpWholePhone({source.settings}, "copy", kDate, saving).complete);
    const std::string calendar = test::FileBytes("copy/datebook.ics");
    EXPECT_NE(calendar.find("X-ORLIN-SLOT:450\r\n"), std::string::npos);
    EXPECT_NE(calendar.find("X-ORLIN-EXCEPTION:"), std::string::npos);
    EXPECT_NE(calendar.find("EXDATE:"), std::string::npos);

    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.datebookLastSlot = 99;
    SimPhone small(options);
    Scripted restoring;
    const RestoreReport report = RestoreWholePhone({small.settings}, "copy", restoring);
    EXPECT_EQ(report.outcome, RestoreOutcome::Done);
    ASSERT_EQ(report.datebook.moved.size(), 1u);
    EXPECT_EQ(report.datebook.moved[0].first, 450);
    const int slot = report.datebook.moved[0].second;
    auto events = source.state().contents.events;
    const auto moved = events[450];
    events.erase(450);
    events[slot] = moved;
    EXPECT_EQ(small.state().contents.events, events);
    EXPECT_FALSE(moved.exceptions.empty());
    EXPECT_TRUE(report.savedFolder.empty()) << "an empty phone has nothing to save";
}

// Two backups of an unchanged phone hold the same phonebook.vcf and datebook.ics (the phone's
// stable UIDs); a restore finds each event's slot in its UID, in that form and in the older
// time-based one, also without the slot line.
TEST_F(WholePhone, TwoBackupsOfAnUnchangedPhoneAreTheSameAndRestoreReadsBothUidForms) {
    SimPhone source("C350");
    Scripted saving;
    ASSERT_TRUE(BackUpWholePhone({source.settings}, "one", kDate, saving).complete);
    sleep(1);  // a time in the files would differ now
    ASSERT_TRUE(BackUpWholePhone({source.settings}, "two", kDate, saving).complete);
    const std::string key = PhoneKey("351234567890123");
    for (const char* file : {"phonebook.vcf", "datebook.ics"}) {
        SCOPED_TRACE(file);
        const std::string bytes = test::FileBytes(fs::path("one") / file);
        EXPECT_EQ(bytes, test::FileBytes(fs::path("two") / file));
        EXPECT_NE(bytes.find("UID:orlin-" + key + "-"), std::string::npos);
    }

    const std::string stable = test::FileBytes("one/datebook.ics");
    const struct {
        const char* name;
        std::string calendar;
    } forms[] = {
        {"stable", stable},
        {"stable, no slot line",
         std::regex_replace(stable, std::regex("X-ORLIN-SLOT:[0-9]+\r\n"), "")},
        {"time-based, no slot line",
         std::regex_replace(std::regex_replace(stable, std::regex("UID:orlin-" + key + "-"),
                                               "UID:orlin-1796742043-"),
                            std::regex("X-ORLIN-SLOT:[0-9]+\r\n"), "")},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.name);
        ASSERT_NE(f.calendar.find("BEGIN:VEVENT"), std::string::npos);
        EXPECT_EQ(f.calendar.find("X-ORLIN-SLOT") != std::string::npos,
                  std::string(f.name) == "stable");
        WriteWholeFile("one/datebook.ics", f.calendar);
        SimPhone empty("C350", false);
        Scripted restoring;
        const RestoreReport report = RestoreWholePhone({empty.settings}, "one", restoring);
        EXPECT_EQ(report.outcome, RestoreOutcome::Done);
        EXPECT_TRUE(report.datebook.moved.empty());
        EXPECT_EQ(Events(empty), Events(source));
    }
}

// The folder a backup was written into holds it in a folder of its own: the newest is found,
// a copy a restore saved is never taken for one.
TEST_F(WholePhone, TheNewestBackupInsideAFolderIsFoundAndNeverACopyOfARestore) {
    SimPhone phone("C350");
    Scripted interaction;
    for (const char* name : {"orlin-backup-2024-01-01-100000", "orlin-backup-2024-03-01-100000"})
        ASSERT_TRUE(BackUpWholePhone({phone.settings}, fs::path("all") / name, kDate, interaction)
                        .complete);
    fs::copy("all/orlin-backup-2024-01-01-100000", "all/before-restore-2025-01-01-100000");
    fs::create_directories("all/orlin-backup-2025-01-01-100000");  // empty: no backup
    EXPECT_FALSE(IsBackupFolder("all"));
    EXPECT_EQ(NewestBackupIn("all"), fs::path("all/orlin-backup-2024-03-01-100000"));
    EXPECT_EQ(NewestBackupIn("all/orlin-backup-2024-03-01-100000"), std::nullopt);
    EXPECT_EQ(BackupFileLookedFor("all"), fs::path("all/phonebook.txt"));
}

}  // namespace
}  // namespace orlin
