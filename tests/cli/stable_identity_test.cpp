// Stable identities of the cards and events orlin-cli writes: the same bytes from an unchanged
// phone, our own export put back in place, a vdir of one file per item; run as a program
// against simulated phones.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "link/stable_id.h"
#include "phonebook/vcard.h"
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

class StableIdentity : public ::testing::Test {
protected:
    CliRun Cli(const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words);
    }
    std::string Bytes(const std::string& name) { return test::FileBytes(dir_ / name); }
    // Every file of a folder, name and bytes, in name order.
    std::string FolderBytes(const std::string& name) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir_ / name))
            files[entry.path().filename().string()] = test::FileBytes(entry.path());
        std::string out;
        for (const auto& [file, bytes] : files) out += file + "\n" + bytes;
        return out;
    }
    void Replace(const std::string& name, const std::string& from, const std::string& to) {
        std::string text = Bytes(name);
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    test::WorkingFolder folder_{"orlin_identity_"};
    const fs::path& dir_ = folder_.path();
};

TEST(StableIds, HashStampAndOwnUids) {
    EXPECT_EQ(ShortHash(""), "cbf29ce484222325");  // FNV-1a's offset basis
    EXPECT_NE(PhoneKey("351234567890123"), PhoneKey("351234567890124"));
    EXPECT_EQ(PhoneKey("351234567890123").find("351234"), std::string::npos);
    const struct {
        int64_t seconds;
        const char* stamp;
    } stamps[] = {{0, "19700101T000000Z"},
                  {951782400, "20000229T000000Z"},
                  {1796742043, "20261208T150043Z"},
                  {-1, "19691231T235959Z"}};
    for (const auto& s : stamps) EXPECT_EQ(UtcStamp(s.seconds), s.stamp) << s.seconds;

    const struct {
        const char* uid;
        bool own;
        uint8_t storage;
        int32_t slot;
    } uids[] = {{"orlin-0123456789abcdef-ME5@phonebook", true, 0, 5},
                {"orlin-0123456789abcdef-SM1001@phonebook", true, 1, 1001},
                {"orlin-0123456789abcdef-XX5@phonebook", false, 0, 0},
                {"orlin-0123456789abcdef-ME0@phonebook", false, 0, 0},
                {"orlin-0123456789abcdef-ME@phonebook", false, 0, 0},
                {"orlin-0123456789abcdef-ME5@datebook", false, 0, 0},
                {"someone-else-1234@example.org", false, 0, 0},
                {"", false, 0, 0}};
    for (const auto& u : uids) {
        const auto own = ParseOwnCardUid(u.uid);
        ASSERT_EQ(own.has_value(), u.own) << u.uid;
        if (!own) continue;
        EXPECT_EQ(own->phoneKey, "0123456789abcdef");
        EXPECT_EQ(own->storage, u.storage) << u.uid;
        EXPECT_EQ(own->slot, u.slot) << u.uid;
    }
}

// Both books, as one file and as a vdir: two exports are the same bytes, each item names the
// phone by a hash (not the serial number), and importing the export writes nothing.
TEST_F(StableIdentity, TwoExportsAreTheSameBytesAndTheirImportWritesNothing) {
    SimPhone phone("C350");
    const struct {
        const char* book;
        const char* ext;
        const char* write;  // the command that would write an item
    } books[] = {{"phonebook", "vcf", "AT+MPBW"}, {"datebook", "ics", "AT+MDBW"}};
    const std::string key = PhoneKey("351234567890123");
    for (const auto& b : books) {
        for (const bool vdir : {false, true}) {
            SCOPED_TRACE(std::string(b.book) + (vdir ? " vdir" : " file"));
            const std::string first =
                std::string(b.book) + "1" + (vdir ? "" : "." + std::string(b.ext));
            const std::string second =
                std::string(b.book) + "2" + (vdir ? "" : "." + std::string(b.ext));
            const std::string how = vdir ? " --vdir " : " ";
            ASSERT_EQ(Cli(phone, std::string(b.book) + " export" + how + first).status, 0);
            sleep(1);  // a time in the output would differ now
            ASSERT_EQ(Cli(phone, std::string(b.book) + " export" + how + second).status, 0);
            const std::string bytes = vdir ? FolderBytes(first) : Bytes(first);
            EXPECT_EQ(bytes, vdir ? FolderBytes(second) : Bytes(second));
            EXPECT_NE(bytes.find("UID:orlin-" + key + "-"), std::string::npos);
            EXPECT_EQ(bytes.find("351234567890123"), std::string::npos);
            if (vdir) {
                // One file per item, named by its UID.
                for (const auto& entry : fs::directory_iterator(dir_ / first)) {
                    const std::string name = entry.path().filename().string();
                    EXPECT_EQ(entry.path().extension(), std::string(".") + b.ext);
                    EXPECT_NE(test::FileBytes(entry.path())
                                  .find("UID:" + entry.path().stem().string() + "\r\n"),
                              std::string::npos)
                        << name;
                }
            }
            phone.mark();
            const CliRun imported = Cli(phone, std::string(b.book) + " import" + how + first);
            EXPECT_EQ(imported.status, 0) << imported.err;
            EXPECT_TRUE(phone.sinceStarting(b.write).empty()) << imported.out;
        }
    }
}

// A vdir exported again loses the files of items gone from the phone, and only those: files of
// other programs, of another phone and one whose content names another UID stay.
TEST_F(StableIdentity, AVdirExportedAgainRemovesOnlyTheFilesOfItemsGoneFromThePhone) {
    SimPhone phone("C350");
    const std::string key = PhoneKey("351234567890123");
    const std::string other = PhoneKey("other");
    const struct {
        const char* book;
        const char* ext;
        const char* noun;
        std::string gone;  // the UID of the item emptied on the phone
        std::string otherPhone;
        std::function<void(phonesim::PhoneState&)> empty;
    } books[] = {
        {"phonebook", "vcf", "cards", "orlin-" + key + "-ME1@phonebook",
         "orlin-" + other + "-ME1@phonebook",
         [](phonesim::PhoneState& s) { s.contents.phonebook.erase(1); }},
        {"datebook", "ics", "events", "orlin-" + key + "-0@datebook",
         "orlin-" + other + "-0@datebook",
         [](phonesim::PhoneState& s) { s.contents.events.erase(0); }},
    };
    for (const auto& b : books) {
        SCOPED_TRACE(b.book);
        const std::string dir = std::string(b.book) + "-vdir";
        const std::string ext = std::string(".") + b.ext;
        CliRun run = Cli(phone, std::string(b.book) + " export --vdir " + dir);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("Removed 0 files of " + std::string(b.noun)), std::string::npos)
            << run.out;
        ASSERT_TRUE(fs::exists(dir_ / dir / (b.gone + ext)));
        const std::string kept = test::FileBytes(dir_ / dir / (b.gone + ext));
        // Files that are not ours to remove: another program's, another phone's, and a file
        // named like ours that says another UID.
        std::ofstream(dir_ / dir / ("someone-else" + ext), std::ios::binary)
            << "UID:someone-else\r\n";
        std::ofstream(dir_ / dir / (b.otherPhone + ext), std::ios::binary)
            << "UID:" << b.otherPhone << "\r\n";
        const std::string renamed =
            "orlin-" + key + (b.ext[0] == 'v' ? "-ME99@phonebook" : "-99@datebook");
        std::ofstream(dir_ / dir / (renamed + ext), std::ios::binary) << "UID:not-this\r\n";
        const std::string before = FolderBytes(dir);

        phone.edit(b.empty);
        run = Cli(phone, std::string(b.book) + " export --vdir " + dir);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("Removed 1 files of " + std::string(b.noun)), std::string::npos)
            << run.out;
        EXPECT_FALSE(fs::exists(dir_ / dir / (b.gone + ext)));
        for (const std::string& stays : {std::string("someone-else"), b.otherPhone, renamed})
            EXPECT_TRUE(fs::exists(dir_ / dir / (stays + ext))) << stays;
        // Nothing else changed: the folder is the one before, less the gone item's file.
        std::string expected = before;
        const std::string entry = b.gone + ext + "\n" + kept;
        const size_t at = expected.find(entry);
        ASSERT_NE(at, std::string::npos);
        expected.erase(at, entry.size());
        EXPECT_EQ(FolderBytes(dir), expected);
    }
}

// An item edited in the exported file goes back into its own slot while the phone still holds
// what was exported; once the phone changed that slot, the item goes into a free slot and the
// report says so.
TEST_F(StableIdentity, AnEditedExportGoesBackInPlaceOnlyWhileTheSlotHoldsIt) {
    SimPhone phone("C350");
    ASSERT_EQ(Cli(phone, "phonebook export book.vcf").status, 0);
    ASSERT_EQ(Cli(phone, "datebook export events.ics").status, 0);
    const size_t contacts = phone.phonebook().size();
    const size_t events = phone.state().contents.events.size();
    const std::string name = phone.phonebook().at(2).name;
    const std::string title = phone.state().contents.events.at(1).title;
    Replace("book.vcf", "FN:" + name + "\r\n", "FN:Renamed\r\n");
    Replace("events.ics", "SUMMARY:" + title + "\r\n", "SUMMARY:Moved\r\n");

    const CliRun contactsIn = Cli(phone, "phonebook import book.vcf");
    EXPECT_EQ(contactsIn.status, 0) << contactsIn.err;
    EXPECT_NE(contactsIn.out.find("1 cards in place"), std::string::npos) << contactsIn.out;
    EXPECT_EQ(phone.phonebook().at(2).name, "Renamed");
    EXPECT_EQ(phone.phonebook().size(), contacts);
    const CliRun eventsIn = Cli(phone, "datebook import events.ics");
    EXPECT_EQ(eventsIn.status, 0) << eventsIn.err;
    EXPECT_EQ(phone.state().contents.events.at(1).title, "Moved");
    EXPECT_EQ(phone.state().contents.events.size(), events);

    // The phone's slot changed since: the file's items no longer go there.
    phone.edit([](phonesim::PhoneState& s) {
        s.contents.phonebook.at(2).name = "Other";
        s.contents.events.at(1).title = "Other";
    });
    Replace("book.vcf", "FN:Renamed\r\n", "FN:Again\r\n");
    Replace("events.ics", "SUMMARY:Moved\r\n", "SUMMARY:Again\r\n");
    const CliRun contactsAgain = Cli(phone, "phonebook import book.vcf");
    EXPECT_NE(contactsAgain.err.find("ячейка 2 хранит теперь другое"), std::string::npos)
        << contactsAgain.err;
    EXPECT_EQ(phone.phonebook().at(2).name, "Other");
    EXPECT_EQ(phone.phonebook().size(), contacts + 1);
    const CliRun eventsAgain = Cli(phone, "datebook import events.ics");
    EXPECT_NE(eventsAgain.err.find("ячейка 1 хранит теперь другое событие"), std::string::npos)
        << eventsAgain.err;
    EXPECT_EQ(phone.state().contents.events.at(1).title, "Other");
    EXPECT_EQ(phone.state().contents.events.size(), events + 1);
}

}  // namespace
}  // namespace orlin
