// orlin-cli sync against the simulated phone: the first copy, changes both ways, conflicts,
// deletions and their guards, and a run whose state was lost.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "link/stable_id.h"
#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

const char* const kForeignCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-1@example.org\r\nFN:Nora Quist\r\n"
    "TEL;TYPE=CELL:+1 (555) 010-0100\r\nNOTE:met at the fair\r\nEND:VCARD\r\n";
const char* const kForeignEvent =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\nBEGIN:VEVENT\r\n"
    "UID:event-1@example.org\r\nDTSTAMP:20261201T000000Z\r\nSUMMARY:Hygienist\r\n"
    "DTSTART:20270110T140000\r\nDURATION:PT30M\r\nRRULE:FREQ=WEEKLY;INTERVAL=2\r\n"
    "LOCATION:Main street 1\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class SyncCli : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_ / "vdir"); }

    CliRun Sync(const SimPhone& phone, const std::string& words = "") {
        return test::RunCli(
            dir_, phone.settings.PortName,
            "--timeout 1000 sync --contacts vdir/contacts --calendar vdir/calendar " + words +
                " </dev/null");
    }
    fs::path Contacts() const { return dir_ / "vdir" / "contacts"; }
    fs::path Calendar() const { return dir_ / "vdir" / "calendar"; }
    // Every file of a folder by name.
    static std::map<std::string, std::string> Files(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder))
            files[entry.path().filename().string()] = test::FileBytes(entry.path());
        return files;
    }
    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    // The file of a folder whose text holds `needle`.
    static fs::path FileWith(const fs::path& folder, const std::string& needle) {
        for (const auto& [name, bytes] : Files(folder))
            if (bytes.find(needle) != std::string::npos) return folder / name;
        return {};
    }
    static int SlotOf(SimPhone& phone, const std::string& name) {
        for (const auto& [slot, entry] : phone.phonebook())
            if (entry.name == name) return slot;
        return -1;
    }
    static int EventSlotOf(SimPhone& phone, const std::string& title) {
        for (const auto& [slot, event] : phone.state().contents.events)
            if (event.title == title) return slot;
        return -1;
    }
    test::WorkingFolder folder_{"orlin_sync_"};
    const fs::path& dir_ = folder_.path();
};

TEST_F(SyncCli, TheFirstSyncCopiesThePhoneAndTheNextChangesNothing) {
    SimPhone phone("C350");
    const CliRun first = Sync(phone);
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    std::set<std::string> names;
    for (const auto& [slot, entry] : phone.phonebook()) names.insert(entry.name);
    EXPECT_EQ(Files(Contacts()).size(), names.size());
    EXPECT_EQ(Files(Calendar()).size(), phone.state().contents.events.size());
    const std::string key = PhoneKey(phone.state().imei);
    EXPECT_TRUE(fs::exists(dir_ / "vdir" / (".contacts." + key + ".orlin-sync")));
    EXPECT_TRUE(fs::exists(dir_ / "vdir" / (".calendar." + key + ".orlin-sync")));

    const auto contacts = Files(Contacts());
    const auto events = Files(Calendar());
    phone.mark();
    const CliRun second = Sync(phone);
    EXPECT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_EQ(second.out,
              "contacts: 0 to the phone, 0 to the folder, 0 deleted on the phone, 0 files "
              "deleted, 0 conflicts\ncalendar: 0 to the phone, 0 to the folder, 0 deleted on "
              "the phone, 0 files deleted, 0 conflicts\n");
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    EXPECT_TRUE(phone.sinceStarting("AT+MDBW").empty());
    EXPECT_EQ(Files(Contacts()), contacts);
    EXPECT_EQ(Files(Calendar()), events);
}

TEST_F(SyncCli, ChangesTravelBothWaysAndTheFileKeepsItsFullForm) {
    SimPhone phone("C350");
    ASSERT_EQ(Sync(phone).status, 0);
    // Added elsewhere: into the phone, as the phone can hold them; the files stay as they are.
    Write(Contacts() / "card-1.vcf", kForeignCard);
    Write(Calendar() / "event-1.ics", kForeignEvent);
    const CliRun added = Sync(phone);
    EXPECT_EQ(added.status, 0) << added.out << added.err;
    const int slot = SlotOf(phone, "Nora Quist");
    ASSERT_GT(slot, 0) << added.out;
    EXPECT_EQ(phone.phonebook().at(slot).number, "+15550100100");
    const int eventSlot = EventSlotOf(phone, "Hygienist");
    ASSERT_GE(eventSlot, 0);
    EXPECT_EQ(phone.state().contents.events.at(eventSlot).repeat, 2);
    EXPECT_NE(added.out.find("calendar: «Hygienist» 10.01.2027 14:00: "
                             "повтор FREQ=WEEKLY;INTERVAL=2 перенесён как «еженедельно»"),
              std::string::npos)
        << added.out;
    EXPECT_EQ(test::FileBytes(Contacts() / "card-1.vcf"), kForeignCard);
    EXPECT_EQ(test::FileBytes(Calendar() / "event-1.ics"), kForeignEvent);

    // Changed on the phone: the files follow and keep what the phone does not hold.
    phone.edit([&](phonesim::PhoneState& s) {
        s.contents.phonebook.at(slot).name = "Nora Quist-Berg";
        s.contents.events.at(eventSlot).title = "Hygienist again";
    });
    const CliRun changed = Sync(phone);
    EXPECT_EQ(changed.status, 0) << changed.out << changed.err;
    const std::string card = test::FileBytes(Contacts() / "card-1.vcf");
    EXPECT_NE(card.find("FN:Nora Quist-Berg\r\n"), std::string::npos) << card;
    for (const char* kept : {"UID:card-1@example.org\r\n", "TEL;TYPE=CELL:+1 (555) 010-0100\r\n",
                             "NOTE:met at the fair\r\n"})
        EXPECT_NE(card.find(kept), std::string::npos) << kept << "\n" << card;
    const std::string event = test::FileBytes(Calendar() / "event-1.ics");
    for (const char* kept : {"SUMMARY:Hygienist again\r\n", "UID:event-1@example.org\r\n",
                             "RRULE:FREQ=WEEKLY;INTERVAL=2\r\n", "LOCATION:Main street 1\r\n"})
        EXPECT_NE(event.find(kept), std::string::npos) << kept << "\n" << event;

    // Deleted on one side: deleted on the other.
    const fs::path mum = FileWith(Contacts(), "FN:" + phone.phonebook().at(2).name);
    ASSERT_FALSE(mum.empty());
    fs::remove(mum);
    phone.edit([&](phonesim::PhoneState& s) { s.contents.events.erase(eventSlot); });
    const CliRun deleted = Sync(phone);
    EXPECT_EQ(deleted.status, 0) << deleted.out << deleted.err;
    EXPECT_EQ(phone.phonebook().count(2), 0u);
    EXPECT_FALSE(fs::exists(Calendar() / "event-1.ics"));
    EXPECT_NE(deleted.out.find("1 deleted on the phone"), std::string::npos) << deleted.out;
}

TEST_F(SyncCli, AConflictIsLeftAloneUnlessASideIsPreferred) {
    SimPhone phone("C350");
    ASSERT_EQ(Sync(phone).status, 0);
    const std::string name = phone.phonebook().at(3).name;
    const fs::path file = FileWith(Contacts(), "FN:" + name + "\r\n");
    ASSERT_FALSE(file.empty());
    std::string text = test::FileBytes(file);
    text.replace(text.find("FN:"), 3 + name.size(), "FN:From the folder");
    Write(file, text);
    phone.edit([](phonesim::PhoneState& s) { s.contents.phonebook.at(3).name = "From the phone"; });

    const CliRun conflict = Sync(phone);
    EXPECT_EQ(conflict.status, 1);
    EXPECT_NE(conflict.out.find("contacts: conflict: changed on both sides, left alone"),
              std::string::npos)
        << conflict.out;
    EXPECT_EQ(phone.phonebook().at(3).name, "From the phone");
    EXPECT_EQ(test::FileBytes(file), text);
    // Left alone again, until a side is preferred.
    EXPECT_EQ(Sync(phone).status, 1);
    const CliRun preferred = Sync(phone, "--prefer dir");
    EXPECT_EQ(preferred.status, 0) << preferred.out;
    EXPECT_EQ(phone.phonebook().at(3).name, "From the folder");
    EXPECT_EQ(Sync(phone).status, 0);
}

TEST_F(SyncCli, ManyDeletionsAskFirstAndADryRunChangesNothing) {
    SimPhone phone("C350");
    ASSERT_EQ(Sync(phone).status, 0);
    const size_t entries = phone.phonebook().size();
    fs::remove_all(Contacts());
    fs::create_directories(Contacts());

    const CliRun dry = Sync(phone, "--dry-run");
    EXPECT_EQ(dry.status, 0) << dry.out;
    EXPECT_NE(dry.out.find("contacts: deleted in the folder, deleting on the phone: "),
              std::string::npos)
        << dry.out;
    const CliRun refused = Sync(phone);  // no terminal to ask on
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("contacts: nothing was done (give --allow-deletes"),
              std::string::npos)
        << refused.out;
    EXPECT_EQ(phone.phonebook().size(), entries);
    EXPECT_TRUE(Files(Contacts()).empty());

    const CliRun allowed = Sync(phone, "--allow-deletes");
    EXPECT_EQ(allowed.status, 0) << allowed.out;
    EXPECT_TRUE(phone.phonebook().empty());
}

// A run stopped after its work and before its state was saved: the next one finds both sides
// agreeing and writes nothing twice.
TEST_F(SyncCli, ALostStateWritesNothingTwice) {
    SimPhone phone("C350");
    fs::create_directories(Contacts());
    fs::create_directories(Calendar());
    Write(Contacts() / "card-1.vcf", kForeignCard);
    Write(Calendar() / "event-1.ics", kForeignEvent);
    ASSERT_EQ(Sync(phone).status, 0);
    const size_t entries = phone.phonebook().size();
    const size_t events = phone.state().contents.events.size();
    const auto contacts = Files(Contacts());
    for (const auto& entry : fs::directory_iterator(dir_ / "vdir"))
        if (entry.is_regular_file()) fs::remove(entry.path());

    phone.mark();
    const CliRun again = Sync(phone);
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty()) << again.out;
    EXPECT_TRUE(phone.sinceStarting("AT+MDBW").empty()) << again.out;
    EXPECT_EQ(phone.phonebook().size(), entries);
    EXPECT_EQ(phone.state().contents.events.size(), events);
    EXPECT_EQ(Files(Contacts()), contacts);
}

}  // namespace
}  // namespace orlin
