// Names of every script the phone holds, through orlin-cli: listed as they are, and from a
// phone into an empty one by each way the program has (vCard, the backup, a UTF-8 phonebook
// file), byte for byte. The user's Windows-1251 file says what it could not hold.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::CliRun;
using test::SimPhone;

namespace fs = std::filesystem;

const std::vector<std::string> kNames = {"Müller", "Łukasz Żółć", "Ελένη",
                                         "עברית",  "中文",        "Оксана Їжакевич"};

class PhonebookUnicode : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlin_pb_unicode_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const SimPhone& phone, const std::string& words) {
        return test::RunCli(dir_, phone.settings.PortName, "--timeout 1000 " + words);
    }
    // A C350 holding the six names in slots 1..6 (with a category named in Greek).
    static void Seed(SimPhone& phone) {
        phone.edit([](phonesim::PhoneState& s) {
            s.contents.phonebook.clear();
            for (size_t i = 0; i < kNames.size(); ++i) {
                phonesim::PhonebookEntry e;
                e.name = kNames[i];
                e.number = "+7916000000" + std::to_string(i);
                e.numberFormat = 145;
                e.type = 3;
                e.category = 2;
                s.contents.phonebook[static_cast<int>(i) + 1] = e;
            }
            s.contents.categories[2].name = "Φίλοι";
        });
    }
    fs::path dir_;
};

TEST_F(PhonebookUnicode, EveryNameIsListedAndComesBackByEveryWay) {
    SimPhone source("C350", false);
    Seed(source);
    const CliRun tsv = Cli(source, "phonebook list");
    const CliRun json = Cli(source, "phonebook list --format json");
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    ASSERT_EQ(json.status, 0) << json.err;
    for (size_t i = 0; i < kNames.size(); ++i) {
        const std::string slot = std::to_string(i + 1);
        EXPECT_NE(tsv.out.find("\n" + slot + "\tME\t" + kNames[i] + "\t+7916000000" +
                               std::to_string(i) + "\tМобильный\t"),
                  std::string::npos)
            << kNames[i] << "\n"
            << tsv.out;
        EXPECT_NE(json.out.find("\"name\":\"" + kNames[i] + "\""), std::string::npos)
            << kNames[i] << "\n"
            << json.out;
    }
    EXPECT_NE(tsv.out.find("\tΦίλοι\n"), std::string::npos) << tsv.out;
    EXPECT_NE(json.out.find("\"category\":\"Φίλοι\""), std::string::npos) << json.out;

    const struct {
        const char* way;
        std::function<void(SimPhone& from, SimPhone& to)> carry;
    } ways[] = {
        {"vCard",
         [&](SimPhone& from, SimPhone& to) {
             ASSERT_EQ(Cli(from, "phonebook export book.vcf").status, 0);
             const CliRun imported = Cli(to, "phonebook import book.vcf");
             ASSERT_EQ(imported.status, 0) << imported.err;
             EXPECT_EQ(imported.err.find("?"), std::string::npos) << imported.err;
         }},
        {"backup and restore",
         [&](SimPhone& from, SimPhone& to) {
             ASSERT_EQ(Cli(from, "backup copy").status, 0);
             const std::string book = test::FileBytes(dir_ / "copy" / "phonebook.txt");
             EXPECT_EQ(book.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 behind its byte-order mark";
             const CliRun restored = Cli(to, "restore copy --yes");
             ASSERT_EQ(restored.status, 0) << restored.err;
         }},
        {"a phonebook file in UTF-8",
         [&](SimPhone& from, SimPhone& to) {
             ASSERT_EQ(Cli(from, "backup copy").status, 0);
             fs::copy_file(dir_ / "copy" / "phonebook.txt", dir_ / "book.txt");
             const CliRun loaded = Cli(to, "phonebook load book.txt");
             ASSERT_EQ(loaded.status, 0) << loaded.err;
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        fs::remove_all(dir_ / "copy");
        SimPhone empty("C350", false);
        empty.edit([](phonesim::PhoneState& s) { s.contents.categories[2].name = "Φίλοι"; });
        w.carry(source, empty);
        EXPECT_EQ(empty.phonebook(), source.phonebook());
        EXPECT_EQ(Cli(empty, "phonebook list").out, tsv.out);
        EXPECT_EQ(Cli(empty, "phonebook list --format json").out, json.out);
    }
}

TEST_F(PhonebookUnicode, TheWindows1251FileSaysWhatItCouldNotHold) {
    SimPhone phone("C350", false);
    Seed(phone);
    const CliRun saved = Cli(phone, "phonebook save book.csv");
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_NE(saved.err.find("В 5 записях есть буквы, которых нет в кодировке Windows-1251: они "
                             "сохранены как «?». Полностью их сохраняют vCard и резервная копия."),
              std::string::npos)
        << saved.err;
    const std::string bytes = test::FileBytes(dir_ / "book.csv");
    // The Cyrillic entry in the very bytes it always had; the others with '?'.
    EXPECT_NE(bytes.find("PHONE;6;" + test::W("Оксана Їжакевич") + ";+79160000005;"),
              std::string::npos);
    EXPECT_NE(bytes.find("PHONE;1;M?ller;"), std::string::npos);
    EXPECT_NE(bytes.find("PHONE;5;??;"), std::string::npos);
}

TEST_F(PhonebookUnicode, AnEmojiThePhoneCannotHoldIsSaidByName) {
    SimPhone phone("C350", false);
    std::ofstream(dir_ / "smile.vcf", std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ελένη 😀\r\nTEL:+302101234567\r\nEND:VCARD\r\n";
    const CliRun imported = Cli(phone, "phonebook import smile.vcf");
    EXPECT_NE(imported.err.find("Ελένη 😀: знаки вне UCS2 (эмодзи) телефон не хранит, записаны как "
                                "«?»"),
              std::string::npos)
        << imported.err;
    ASSERT_EQ(phone.phonebook().size(), 1u);
    EXPECT_EQ(phone.phonebook().begin()->second.name, "Ελένη ?");
}

}  // namespace
}  // namespace orlin
