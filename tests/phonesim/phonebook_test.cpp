// Phonebook storages in one numbering, the three entry layouts, writing and deleting
// entries, the phone's rules for writes, and categories.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/cp1251.h"
#include "link/phone_text.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

using namespace phonesim;

PhonebookEntry Ivan() {
    PhonebookEntry e;
    e.number = "+7911";
    e.numberFormat = 145;
    e.name = "Ivan";
    e.type = 3;
    e.category = 2;
    e.icon = 4;
    e.aux12 = 255;
    return e;
}

// An empty phone of the model with entry 12 in place.
struct BookPort : SimPort {
    explicit BookPort(const std::string& model) : SimPort(PhoneOptions(model, false)) {
        edit([](PhoneState& s) { s.contents.phonebook[12] = Ivan(); });
        at("AT+CSCS=UCS2");
        at("AT+CPBS=MT");
    }
};

TEST(PhonebookLayout, NineFieldLine) {
    BookPort p("T720");
    EXPECT_EQ(p.at("AT+MPBR=12"),
              "\r\n+MPBR: 12,\"+7911\",145,004900760061006E,3,0,255,0,1\r\n\r\nOK\r\n");
}

TEST(PhonebookLayout, ThirteenFieldLine) {
    BookPort p("C350");
    EXPECT_EQ(p.line("AT+MPBR=12"),
              "+MPBR: 12,\"+7911\",145,004900760061006E,3,0,255,0,1,2,4,255,0");
}

TEST(PhonebookLayout, SixteenFieldLineHasCommaAfterPicture) {
    BookPort p("V300");
    EXPECT_EQ(
        p.line("AT+MPBR=12"),
        "+MPBR: 12,\"+7911\",145,004900760061006E,3,0,255,0,1,2,4,255,0,,0,0,,,,,,,\"\",\"\"");
    p.sim().withState([](PhoneState& s) { s.contents.phonebook[12].picture = "a.jpg"; });
    std::string line = p.line("AT+MPBR=12");
    EXPECT_NE(line.find(",255,0,0061002E006A00700067,0,0,"), std::string::npos) << line;
}

TEST(PhonebookLayout, OtherModelsMapToTheirFamilies) {
    EXPECT_EQ(FamilyOfModel("V66i"), PhonebookFamily::NineField);
    EXPECT_EQ(FamilyOfModel("V150"), PhonebookFamily::ThirteenField);
    EXPECT_EQ(FamilyOfModel("C650"), PhonebookFamily::SixteenField);
    EXPECT_EQ(FamilyOfModel("V3000"), PhonebookFamily::NineField);  // whole names only
    EXPECT_EQ(FamilyOfModel("v300"), PhonebookFamily::NineField);
}

TEST(PhonebookLayout, PlainTextWhenNotInUcs2) {
    BookPort p("C350");
    p.at("AT+CSCS=IRA");
    EXPECT_EQ(p.line("AT+MPBR=12"), "+MPBR: 12,\"+7911\",145,\"Ivan\",3,0,255,0,1,2,4,255,0");
}

TEST(PhonebookStorages, RangesFollowTheSelectedStorage) {
    SimPort p;
    for (const char* sel : {"AT +CPBS=ME", "AT+CPBS=\"ME\""}) {
        EXPECT_EQ(p.at(sel), kOk);
        EXPECT_EQ(p.line("AT+MPBR=?"), "+MPBR: 1-1000,32,24,10,0-21,48,(0-255),(0),(0-1),0");
    }
    EXPECT_EQ(p.at("AT +CPBS=SM"), kOk);
    EXPECT_EQ(p.line("AT+MPBR=?").substr(0, 17), "+MPBR: 1001-1250,");
    EXPECT_EQ(p.at("AT+CPBS=MT"), kOk);
    EXPECT_EQ(p.line("AT+MPBR=?").substr(0, 14), "+MPBR: 1-1250,");
    EXPECT_EQ(p.at("AT+CPBS=AD"), kOk);
    EXPECT_EQ(p.line("AT+MPBR=?").substr(0, 14), "+MPBR: 1-1250,");
    EXPECT_EQ(p.at("AT+CPBS=XX"), "\r\nERROR\r\n");
}

TEST(PhonebookStorages, PhoneMemoryNotStartingAtOneAndNoSim) {
    PhoneSimOptions o;
    o.meFirst = 2;
    o.meLast = 500;
    o.simPresent = false;
    SimPort p(o);
    p.at("AT +CPBS=ME");
    EXPECT_EQ(p.line("AT+MPBR=?").substr(0, 13), "+MPBR: 2-500,");
    p.at("AT +CPBS=SM");
    EXPECT_EQ(p.at("AT+MPBR=?"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MPBW=501,\"1\",129,0041"), "\r\nERROR\r\n");
    p.at("AT+CPBS=MT");
    EXPECT_EQ(p.line("AT+MPBR=?").substr(0, 13), "+MPBR: 2-500,");
    // Slot 1 is not the phone's: writing it is refused.
    p.at("AT+CPBS=AD");
    EXPECT_EQ(p.at("AT+MPBW=1,\"1\",129,0041"), "\r\nERROR\r\n");
}

TEST(PhonebookStorages, RangeReadSendsOnlyExistingEntriesOfTheStorage) {
    SimPort p;  // the demo phone
    p.at("AT+CSCS=UCS2");
    p.at("AT+CPBS=MT");
    std::string all = p.at("AT+MPBR=1,1250");
    size_t lines = 0;
    for (size_t at = all.find("+MPBR: "); at != std::string::npos; at = all.find("+MPBR: ", at + 1))
        ++lines;
    EXPECT_GE(lines, 40u);
    // Every entry line is framed and separated by an empty line, as the reader expects.
    EXPECT_EQ(all.substr(0, 9), "\r\n+MPBR: ");
    EXPECT_NE(all.find("\r\n\r\n+MPBR: 2,"), std::string::npos);
    // Phone memory and SIM together hold them all; SIM entries carry the SIM type.
    p.at("AT+CPBS=SM");
    std::string sim = p.at("AT+MPBR=1001,1250");
    EXPECT_NE(sim.find("+MPBR: 1001,"), std::string::npos);
    EXPECT_EQ(sim.find("+MPBR: 1,"), std::string::npos);
    EXPECT_NE(sim.find(",8,0,255,0,1,"), std::string::npos);  // type 8 on a C350
    // Slots 7 and 8 of the demo phone are free: a range of only free slots answers a bare OK.
    p.at("AT+CPBS=MT");
    EXPECT_EQ(p.at("AT+MPBR=7,8"), kOk);
    EXPECT_EQ(p.at("AT+MPBR=1300,1310"), "\r\nERROR\r\n");
}

TEST(PhonebookDemo, NineFieldPhoneSendsNineFieldsForEveryEntry) {
    SimPort p(PhoneOptions("T720"));
    p.at("AT+CSCS=UCS2");
    p.at("AT+CPBS=MT");
    std::string all = p.at("AT+MPBR=1,1250");
    size_t entries = 0, simEntries = 0;
    for (size_t at = all.find("\r\n+MPBR: "); at != std::string::npos;
         at = all.find("\r\n+MPBR: ", at + 1)) {
        std::string line = all.substr(at + 2, all.find("\r\n", at + 2) - at - 2);
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 8) << line;
        ++entries;
        if (std::stoi(line.substr(7)) >= 1001) {
            ++simEntries;
            EXPECT_NE(line.find(",7,0,255,0,1"), std::string::npos)
                << line;  // the SIM type of this family
        }
    }
    EXPECT_GE(entries, 40u);
    EXPECT_GE(simEntries, 10u);
    // The standard read gives number, format and name only.
    p.at("AT+CSCS=IRA");
    EXPECT_EQ(p.line("AT+CPBR=1,1"), "+CPBR: 1,\"+79111234567\",145,\"???? ??????\"");
}

TEST(PhonebookDemo, NamesInThreeAlphabetsAndEmail) {
    SimPort p;
    p.at("AT+CSCS=UCS2");
    p.at("AT+CPBS=MT");
    std::string all = p.at("AT+MPBR=1,1250");
    // Russian (Иван), Ukrainian (і is U+0456) and Latin names, and e-mail entries.
    EXPECT_NE(all.find(EncodeUcs2("Иван Петров")), std::string::npos);
    EXPECT_NE(all.find("0456"), std::string::npos);
    EXPECT_NE(all.find(EncodeUcs2("John Smith")), std::string::npos);
    EXPECT_NE(all.find("@example."), std::string::npos);
    EXPECT_NE(all.find("\",128,"), std::string::npos);
    p.sim().withState([](PhoneState& s) {
        int sim = 0, email = 0;
        for (const auto& [slot, e] : s.contents.phonebook) {
            sim += slot >= s.smFirst;
            email += e.type == 6 && e.numberFormat == 128;
        }
        EXPECT_GE(sim, 10);
        EXPECT_GE(email, 3);
        EXPECT_GE(s.contents.categories.size(), 4u);
        EXPECT_GE(s.contents.events.size(), 12u);
    });
}

TEST(PhonebookWrite, WriteThenReadBackAndEmpty) {
    BookPort p("C350");
    std::string name = EncodeUcs2("Пётр Ёжиков");
    EXPECT_EQ(p.at("AT+MPBW=1005,\"+79001112233\",145," + name + ",3,0,255,0,1,2,255,255,0"), kOk);
    EXPECT_EQ(p.line("AT+MPBR=1005"),
              "+MPBR: 1005,\"+79001112233\",145," + name + ",3,0,255,0,1,2,255,255,0");
    p.sim().withState(
        [](PhoneState& s) { EXPECT_EQ(s.contents.phonebook.at(1005).name, "Пётр Ёжиков"); });
    // Only the slot: the entry goes.
    EXPECT_EQ(p.at("AT+MPBW=1005"), kOk);
    EXPECT_EQ(p.at("AT+MPBR=1005"), kOk);
    p.sim().withState([](PhoneState& s) { EXPECT_EQ(s.contents.phonebook.count(1005), 0u); });
}

// The phone holds UCS2: a name in any script comes back as it went in, the state keeps it as
// UTF-8, and the limit counts characters, not bytes (24 Chinese ones fit, 25 do not).
TEST(PhonebookWrite, NamesInAnyScriptAndTheirLengthInCharacters) {
    BookPort p("C350");
    for (const char* name : {"Müller", "Łukasz Żółć", "Ελένη", "עברית", "中文"}) {
        const std::string hex = EncodeUcs2(name);
        EXPECT_EQ(p.at("AT+MPBW=7,\"+7911\",145," + hex + ",3,0,255,0,1,2,255,255,0"), kOk);
        EXPECT_EQ(p.line("AT+MPBR=7"),
                  "+MPBR: 7,\"+7911\",145," + hex + ",3,0,255,0,1,2,255,255,0");
        p.sim().withState([&](PhoneState& s) { EXPECT_EQ(s.contents.phonebook.at(7).name, name); });
    }
    std::string chinese;
    for (int i = 0; i < 24; ++i) chinese += "4E2D";
    EXPECT_EQ(p.at("AT+MPBW=7,\"+7911\",145," + chinese + ",3,0,255,0,1,2,255,255,0"), kOk);
    EXPECT_EQ(p.at("AT+MPBW=7,\"+7911\",145," + chinese + "4E2D,3,0,255,0,1,2,255,255,0"),
              "\r\nERROR\r\n");
}

TEST(PhonebookWrite, SimSlotWithFourFieldsGetsTheSimType) {
    BookPort p("T720");
    EXPECT_EQ(p.at("AT+MPBW=1001,\"+7911\",145,0041"), kOk);
    EXPECT_EQ(p.line("AT+MPBR=1001"), "+MPBR: 1001,\"+7911\",145,0041,7,0,255,0,1");
}

TEST(PhonebookWrite, BreakingTheRulesIsRefused) {
    BookPort p("T720");
    const std::string ok9 = ",\"+7911\",145,0041,3,0,255,0,1";
    EXPECT_EQ(p.at("AT+MPBW=1251" + ok9), "\r\nERROR\r\n");  // slot out of range
    EXPECT_EQ(p.at("AT+MPBW=0" + ok9), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MPBW=5" + ok9 + ",2,255,255,0"), "\r\nERROR\r\n");  // 13 fields on a T720
    std::string longName;
    for (int i = 0; i < 25; ++i) longName += "0041";
    EXPECT_EQ(p.at("AT+MPBW=5,\"+7911\",145," + longName + ",3,0,255,0,1"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MPBW=5,\"+7911\",145,004,3,0,255,0,1"),
              "\r\nERROR\r\n");  // not whole groups
    EXPECT_EQ(p.at("AT+MPBW=5,\"+79x1\",145,0041,3,0,255,0,1"),
              "\r\nERROR\r\n");  // a letter in a number
    EXPECT_EQ(p.at("AT+MPBW=5,\"+7911\",145,0041,9,0,255,0,1"), "\r\nERROR\r\n");  // type 9
    p.at("AT+CMEE=1");
    EXPECT_EQ(p.at("AT+MPBW=1251" + ok9), "\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(p.at("AT+MPBW=5,\"+7911\",145," + longName + ",3,0,255,0,1"),
              "\r\n+CME ERROR: 24\r\n");
    p.sim().withState(
        [](PhoneState& s) { EXPECT_EQ(s.contents.phonebook.size(), 1u); });  // only slot 12
    // A name of 24 characters is fine; an e-mail address in the number field too.
    EXPECT_EQ(p.at("AT+MPBW=5,\"+7911\",145," + longName.substr(4) + ",3,0,255,0,1"), kOk);
    EXPECT_EQ(p.at("AT+MPBW=6,\"ivan@example.ru\",128,0041,6,0,255,0,1"), kOk);
}

TEST(PhonebookWrite, ThirteenFieldIconsAndSixteenFieldPictureText) {
    BookPort c350("C350");
    EXPECT_EQ(c350.at("AT+MPBW=5,\"+7911\",145,0041,3,0,255,0,1,2,15,255,0"),
              "\r\nERROR\r\n");  // icon 15
    EXPECT_EQ(c350.at("AT+MPBW=5,\"+7911\",145,0041,3,0,255,0,1,2,255,255,0"), kOk);
    BookPort v300("V300");
    // The picture is phone text like the name: a plain word in UCS2 mode is refused.
    EXPECT_EQ(v300.at("AT+MPBW=5,\"+7911\",145,0041,3,0,255,0,1,2,255,255,0," +
                      Utf8ToCp1251("нет") + ",0,0"),
              "\r\nERROR\r\n");
    EXPECT_EQ(v300.at("AT+MPBW=5,\"+7911\",145,0041,3,0,255,0,1,2,255,255,0," + EncodeUcs2("pic") +
                      ",0,0"),
              kOk);
    // The 13-field layout that writing all sends to every model with categories is taken.
    EXPECT_EQ(v300.at("AT+MPBW=6,\"+7911\",145,0042,3,0,255,0,1,2,255,255,0"), kOk);
    v300.sim().withState([](PhoneState& s) {
        EXPECT_EQ(s.contents.phonebook.at(5).picture, "pic");
        EXPECT_EQ(s.contents.phonebook.at(6).name, "B");
    });
}

TEST(PhonebookCategories, CountAndNames) {
    SimPort p;  // a C350 with the demo categories
    p.at("AT+CSCS=UCS2");
    EXPECT_EQ(p.at("AT +MPGR=?"), "\r\n+MPGR: (1-15),16\r\n\r\nOK\r\n");
    EXPECT_EQ(p.line("AT+MPGR=?"), "+MPGR: (1-15),16");
    EXPECT_EQ(p.line("AT +MPGR=1"), "+MPGR: 1," + EncodeUcs2("Семья") + ",1");
    EXPECT_EQ(p.at("AT +MPGR=12"), kOk);  // no such category: a bare OK
    EXPECT_EQ(p.at("AT +MPGR=16"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MPGW=12," + EncodeUcs2("Gym") + ",3"), kOk);
    EXPECT_EQ(p.line("AT+MPGR=12"), "+MPGR: 12,00470079006D,3");

    SimPort t720(PhoneOptions("T720"));
    EXPECT_EQ(t720.at("AT+MPGR=?"), "\r\nERROR\r\n");  // no categories in the nine-field family
}

TEST(PhonebookCategories, AnEmptyPhoneKeepsItsBuiltInCategories) {
    BookPort p("C350");  // started without contents
    EXPECT_EQ(p.line("AT +MPGR=1"), "+MPGR: 1," + EncodeUcs2("Семья") + ",1");
    p.sim().withState([](PhoneState& s) { EXPECT_EQ(s.contents.events.size(), 0u); });
}

}  // namespace
}  // namespace orlin::test
