// The phonebook in the forms real phones use: quoted names and categories, ranges the phone
// refuses, announced ranges far beyond the old bound, and models the program does not list.

#include <gtest/gtest.h>

#include "link/phone_session.h"
#include "link/remembered_options.h"
#include "link/utf8.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phonebook_read.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::RecordingInteraction;
using test::SimPhone;
using test::W;

PhonebookState Read(SimPhone& phone, RecordingInteraction& interaction,
                    PhonebookReport* out = nullptr) {
    PhonebookState state;
    PhoneSession session(phone.settings);
    const PhonebookReport report = ReadPhonebook(session, state, interaction);
    report.RaiseFailure();
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    if (out) *out = report;
    return state;
}

phonesim::PhoneSimOptions WithForms(const std::string& model, const phonesim::RealForms& forms) {
    phonesim::PhoneSimOptions options = test::PhoneOptions(model);
    options.forms = forms;
    return options;
}

// Quoted hexadecimal names and categories read as the bare ones; quoted 8-bit text is taken
// as it stands (the phone itself cannot send the Cyrillic letters that way).
TEST(PhonebookRealForms, QuotedNamesAndCategoriesReadAsTheBareOnes) {
    RecordingInteraction interaction;
    SimPhone plain("C650");
    const PhonebookState expected = Read(plain, interaction);
    phonesim::RealForms quoted;
    quoted.quotedTexts = true;
    SimPhone quotedPhone(WithForms("C650", quoted));
    const PhonebookState read = Read(quotedPhone, interaction);
    EXPECT_EQ(read.abonents, expected.abonents);
    EXPECT_EQ(read.groupNames, expected.groupNames);

    phonesim::RealForms plainTexts;
    plainTexts.plainTexts = true;
    SimPhone eightBit(WithForms("C650", plainTexts));
    const PhonebookState text = Read(eightBit, interaction);
    ASSERT_EQ(text.abonents.size(), expected.abonents.size());
    for (size_t i = 0; i < text.abonents.size(); ++i) {
        const std::string& name = expected.abonents[i].Name;
        std::string shown;
        // One '?' for each character beyond ASCII (the names are UTF-8 now).
        const std::u32string characters = Utf8Characters(name).value_or(std::u32string());
        for (char32_t c : characters) shown += c < 0x80 ? static_cast<char>(c) : '?';
        EXPECT_EQ(text.abonents[i].Name, shown) << i;
    }
    EXPECT_EQ(text.groupNames[3], "VIP");
}

// "+MPBR: 10-18259,...": a phonebook far beyond the old bound of 10000 is read, and the slot
// table holds the entries, not the slots.
TEST(PhonebookRealForms, AnnouncedRangesUpTo65535AreReadWithMemoryForWhatIsRead) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.meFirst = 10;
    options.meLast = 18259;
    SimPhone phone(options);
    RecordingInteraction interaction;
    PhonebookReport report;
    const PhonebookState state = Read(phone, interaction, &report);
    EXPECT_EQ(state.ranges.PhoneFirstIndex, 10);
    EXPECT_EQ(state.abonents.size(), 18259u + 250u);
    EXPECT_EQ(static_cast<size_t>(report.entries), phone.phonebook().size());
    EXPECT_EQ(state.abonents.held().size(), phone.phonebook().size());
    EXPECT_EQ(state.OccupiedCount(), report.entries);
    EXPECT_EQ(FreeSlots(state.abonents).size(), state.abonents.size() - phone.phonebook().size());

    options.meLast = 65536 - 250;  // one slot more than any phone has
    SimPhone beyond(options);
    PhonebookState none;
    PhoneSession session(beyond.settings);
    EXPECT_THROW(ReadPhonebook(session, none, interaction).RaiseFailure(), OrlinError);
}

// The slot table walks every slot and gives free records for the slots it holds nothing for.
TEST(PhonebookRealForms, TheSlotTableReadsAsOneRecordPerSlot) {
    TAbonentInfo entry = FreeSlot(3);
    entry.Name = "Three";
    Abonents table(5);
    table[2] = entry;
    EXPECT_EQ(table.held().size(), 1u);
    std::vector<std::string> names;
    for (const TAbonentInfo& r : table) names.push_back(r.Name + std::to_string(r.Index));
    EXPECT_EQ(names, (std::vector<std::string>{"NULL1", "NULL2", "Three3", "NULL4", "NULL5"}));
    EXPECT_EQ(table, (Abonents{FreeSlot(1), FreeSlot(2), entry, FreeSlot(4), FreeSlot(5)}));
    EXPECT_NE(table, Abonents(5));
    EXPECT_EQ(FreeSlots(table), (std::vector<int32_t>{1, 2, 4, 5}));
    EXPECT_THROW(table.at(5), std::out_of_range);
    EXPECT_EQ(SlotRecord(table, 6), nullptr);
}

// A V3's 24-field lines: read with the 16-field layout, after one note in the run; a model in no
// family with short lines keeps the nine-field reading and no layout for writing.
TEST(PhonebookRealForms, AnUnlistedModelWithLongLinesIsReadInSixteenFields) {
    SimPhone v300("V300");
    RecordingInteraction interaction;
    const PhonebookState expected = Read(v300, interaction);
    SimPhone v3("V3");
    ForgetFirstTimes();
    const PhonebookState first = Read(v3, interaction);
    const PhonebookState second = Read(v3, interaction);
    EXPECT_EQ(first.family, ModelFamily::Fields16);
    EXPECT_TRUE(first.unverifiedModel);
    EXPECT_EQ(first.LayoutOfModel("V3"), ModelFamily::Fields16);
    EXPECT_EQ(first.LayoutOfModel("E398"), ModelFamily::None);
    EXPECT_EQ(first.abonents, expected.abonents);
    EXPECT_EQ(second.groupNames, expected.groupNames);
    EXPECT_EQ(interaction.notes,
              std::vector<std::string>{
                  "V3: модель не проверена; записи пишутся в 16 полях, как у C650 и V300."});

    SimPhone unknown("E1000");
    const PhonebookState nine = Read(unknown, interaction);
    EXPECT_EQ(nine.family, ModelFamily::None);
    EXPECT_FALSE(nine.unverifiedModel);
    PhoneSession session(unknown.settings);
    EXPECT_EQ(LayoutOfUnlistedModel(session, "E1000", 1250, interaction), ModelFamily::None);
    EXPECT_EQ(EntryFieldCount("+MPBR: 18,\"a,b\",128,\"Contact, Name\",6,0,255,0,0,1,255,255,0,"
                              "\"\",0,0,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\""),
              24);
}

}  // namespace
}  // namespace orlin
