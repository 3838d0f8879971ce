// Adding, editing, writing all and deleting against the simulated phone of each family.

#include "phonebook/phonebook_write.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/block_serial.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "phonebook/code_tables.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "tests/phonebook/read_all.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::ReadAll;
using test::RecordingInteraction;
using test::SimPhone;
using test::W;

EntryDraft Draft(int slot, const std::string& number, const std::string& name) {
    EntryDraft d;
    d.slotText = std::to_string(slot);
    d.number = number;
    d.name = name;
    d.typeItem = 3;
    d.idsText = IdsItems()[2];
    d.groupItem = 1;
    d.iconItem = 15;
    d.iconText = NoIconText();
    return d;
}

// Adds through the same steps as the tab: begin, the dialog's record, write.
EntryWriteResult Add(SimPhone& phone, PhonebookState& state, const EntryDraft& draft) {
    PhoneSession session(phone.settings);
    const std::optional<std::string> model = BeginAdd(session);
    EXPECT_TRUE(model.has_value());
    const ModelFamily family = FamilyOfModel(*model);
    return WriteEntry(session, state, family, RecordFromDraft(draft, family));
}

int FirstFree(const PhonebookState& state) {
    return FreeSlots(state.abonents).front();
}

TEST(PhonebookAdd, CommandOfEachFamilyAndThePhonesEntry) {
    struct Case {
        const char* model;
        const char* tail;  // the command after the name
    };
    for (const Case& c : {Case{"T720", ",3,0,255,0,1"}, Case{"C350", ",3,0,255,0,1,2,255,255,0"},
                          Case{"V300", ",3,0,255,0,1,2,255,255,0,,0,0"}}) {
        SCOPED_TRACE(c.model);
        SimPhone phone(c.model);
        PhonebookState state = ReadAll(phone);
        const int slot = FirstFree(state);
        phone.mark();
        const EntryWriteResult result = Add(phone, state, Draft(slot, "+7911", "Ївга"));
        ASSERT_TRUE(result.written);
        const std::string name = EncodeUcs2("Ївга");
        EXPECT_EQ(phone.since(),
                  (std::vector<std::string>{
                      "AT+CGMM", "AT+CPBS=AD", "AT+CSCS=UCS2", "AT+MPBR=?",
                      "AT+MPBW=" + std::to_string(slot) + ",\"+7911\",145," + name + c.tail}));
        const phonesim::PhonebookEntry stored = phone.phonebook().at(slot);
        EXPECT_EQ(stored.name, "Ївга");
        EXPECT_EQ(stored.number, "+7911");
        EXPECT_EQ(stored.type, 3);
        EXPECT_EQ(stored.ids, 255);
        const TAbonentInfo& record = state.abonents[slot - 1];
        EXPECT_EQ(record.Name, "Ївга");
        EXPECT_EQ(record.Storage, 0);
        EXPECT_EQ(state.readOrder.back(), slot);
    }
}

// An entry written into a SIM slot is a SIM entry in the table, so that a saved file keeps
// it on the SIM; one moved back into the phone memory is a phone entry again.
TEST(PhonebookAdd, EntryInASimSlotIsASimEntry) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    int simSlot = 0;
    for (int slot : FreeSlots(state.abonents))
        if (slot >= state.ranges.SimFirstIndex) {
            simSlot = slot;
            break;
        }
    ASSERT_GT(simSlot, 0);
    ASSERT_TRUE(Add(phone, state, Draft(simSlot, "+7911", "OnSim")).written);
    EXPECT_EQ(state.abonents[simSlot - 1].Storage, 1);
    const std::string simLine =
        "SIM;" + std::to_string(simSlot - state.ranges.SimFirstIndex + 1) + ";OnSim;+7911\r\n";
    EXPECT_NE(PhonebookFileText(state.abonents, state.ranges).bytes.find(simLine),
              std::string::npos);

    const int phoneSlot = FirstFree(state);
    ASSERT_LT(phoneSlot, state.ranges.SimFirstIndex);
    PhoneSession session(phone.settings);
    ASSERT_TRUE(BeginEdit(session));
    ASSERT_TRUE(
        WriteEntry(session, state, ModelFamily::Fields13,
                   RecordFromDraft(Draft(phoneSlot, "+7911", "OnSim"), ModelFamily::Fields13),
                   simSlot)
            .written);
    EXPECT_EQ(state.abonents[phoneSlot - 1].Storage, 0);
    EXPECT_TRUE(state.abonents[simSlot - 1].IsFree());
}

TEST(PhonebookAdd, V300PictureGoesAsPhoneText) {
    SimPhone phone("V300");
    PhonebookState state = ReadAll(phone);
    EntryDraft draft = Draft(FirstFree(state), "+7911", "Pic");
    draft.iconText = "кот";
    ASSERT_TRUE(Add(phone, state, draft).written);
    EXPECT_EQ(phone.phonebook().at(std::stoi(draft.slotText)).picture, "кот");
}

TEST(PhonebookAdd, NumberFormatsReachThePhone) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    EntryDraft mail = Draft(FirstFree(state), "ivan@mail.ru", "Mail");
    mail.typeItem = 6;
    ASSERT_TRUE(Add(phone, state, mail).written);
    EXPECT_EQ(phone.phonebook().at(std::stoi(mail.slotText)).numberFormat, 128);
    EntryDraft digits = Draft(FirstFree(state), "89161234567", "Digits");
    ASSERT_TRUE(Add(phone, state, digits).written);
    EXPECT_EQ(phone.phonebook().at(std::stoi(digits.slotText)).numberFormat, 129);
}

TEST(PhonebookAdd, RefusedWriteChangesNothing) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    const Abonents before = state.abonents;
    const auto order = state.readOrder;
    const int slot = FirstFree(state);
    // Longer than the 24 characters the phone stores.
    const EntryWriteResult result = Add(phone, state, Draft(slot, "+7911", std::string(30, 'x')));
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.answer.find("ERROR"), std::string::npos);
    EXPECT_EQ(state.abonents, before);
    EXPECT_EQ(state.readOrder, order);
    EXPECT_EQ(phone.phonebook().count(slot), 0u);
}

TEST(PhonebookAdd, PhoneThatRefusesTheStorageGetsNoMore) {
    SimPhone phone("C350");
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CPBS=AD";
    phone.sim().setFaults(faults);
    PhoneSession session(phone.settings);
    phone.mark();
    EXPECT_FALSE(BeginAdd(session).has_value());
    // After the storage: mode 2 and the quoted form, which some later models want.
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+CGMM", "AT+CPBS=AD", "AT+MODE=2",
                                                       "AT+CPBS=AD", "AT+CPBS=\"AD\""}));
    PhonebookState none;
    EXPECT_THROW(WriteEntry(session, none, ModelFamily::None, TAbonentInfo{}), OrlinError);
}

TEST(PhonebookEdit, MovedEntryLeavesNothingInItsOldSlot) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        s.contents.phonebook.erase(7);
        phonesim::PhonebookEntry e;
        e.number = "+380501112233";
        e.numberFormat = 145;
        e.name = "Богдан";
        e.ids = 7;
        s.contents.phonebook[5] = e;
    });
    PhonebookState state = ReadAll(phone);
    EntryDraft draft = Draft(7, "+380501112233", "Богдан");
    draft.idsText = "7";
    PhoneSession session(phone.settings);
    ASSERT_TRUE(BeginEdit(session));
    phone.mark();
    const EntryWriteResult result = WriteEntry(session, state, ModelFamily::Fields13,
                                               RecordFromDraft(draft, ModelFamily::Fields13), 5);
    ASSERT_TRUE(result.written);
    EXPECT_TRUE(result.oldSlotEmptied);
    const auto sent = phone.since();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].rfind("AT+MPBW=7,", 0), 0u);
    EXPECT_EQ(sent[1], "AT+MPBW=5");
    const auto book = phone.phonebook();
    EXPECT_EQ(book.count(5), 0u);
    EXPECT_EQ(book.at(7).name, "Богдан");
    EXPECT_EQ(book.at(7).ids, 7);
    EXPECT_TRUE(state.abonents[4].IsFree());
    EXPECT_EQ(state.abonents[6].Name, "Богдан");
    EXPECT_EQ(std::count(state.readOrder.begin(), state.readOrder.end(), 5), 0);
    EXPECT_EQ(std::count(state.readOrder.begin(), state.readOrder.end(), 7), 1);
}

TEST(PhonebookEdit, OldSlotThePhoneWouldNotEmptyStaysInTheTable) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        s.contents.phonebook.erase(9);
        s.contents.phonebook[4].name = "Four";
    });
    PhonebookState state = ReadAll(phone);
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MPBW=4";  // the emptying of slot 4 (AT+MPBW=9,... goes through)
    phone.sim().setFaults(faults);
    PhoneSession session(phone.settings);
    const EntryWriteResult result =
        WriteEntry(session, state, ModelFamily::Fields13,
                   RecordFromDraft(Draft(9, "+1", "Four"), ModelFamily::Fields13), 4);
    EXPECT_TRUE(result.written);
    EXPECT_FALSE(result.oldSlotEmptied);
    EXPECT_EQ(state.abonents[3].Name, "Four");
    EXPECT_EQ(phone.phonebook().count(4), 1u);
}

std::vector<ListRow> RowsOf(const PhonebookState& state, const std::vector<int>& slots) {
    std::vector<ListRow> rows;
    for (int slot : slots) {
        const PhonebookRow row =
            MakeRow(state.abonents[slot - 1], state.family, state.model, state.groupNames);
        rows.push_back({row.caption, row.name, row.number, row.typeText, row.idsText});
    }
    return rows;
}

TEST(PhonebookWriteAll, ExactCommandOfEachFamilyLosesNothing) {
    for (const char* model : {"T720", "C350", "V300"}) {
        SCOPED_TRACE(model);
        SimPhone phone(model);
        phone.edit([](phonesim::PhoneState& s) {
            phonesim::PhonebookEntry e;
            e.number = "+7911";
            e.numberFormat = 145;
            e.name = "Ivan";
            e.type = 3;
            e.aux6 = 1;
            e.ids = 255;
            e.aux9 = 1;
            if (s.family != phonesim::PhonebookFamily::NineField) {
                e.category = 2;
                e.icon = s.family == phonesim::PhonebookFamily::ThirteenField ? 4 : 255;
                e.aux13 = 3;
            }
            if (s.family == phonesim::PhonebookFamily::SixteenField) e.picture = "sun.gif";
            s.contents.phonebook[12] = e;
        });
        const auto before = phone.phonebook();
        PhonebookState state = ReadAll(phone);
        RecordingInteraction interaction;
        PhoneSession session(phone.settings, PhoneSession::Options{true, true});
        phone.mark();
        const SlotChange report = WriteAllRows(session, RowsOf(state, {12}), state, interaction);
        EXPECT_FALSE(report.refusedAccess);
        EXPECT_TRUE(report.refused.empty());
        const auto writes = phone.sinceStarting("AT+MPBW=");
        ASSERT_EQ(writes.size(), 1u);
        std::string expected = "AT+MPBW=12,\"+7911\",145,004900760061006E,3,1,255,0,1";
        if (std::string(model) == "C350") expected += ",2,4,255,3";
        if (std::string(model) == "V300")
            expected += ",2,255,255,3," + EncodeUcs2("sun.gif") + ",0,0";
        EXPECT_EQ(writes[0], expected);
        EXPECT_EQ(phone.phonebook(), before) << "writing back what was read changes nothing";
    }
}

// The rows a write of all rows sent: taken or refused.
size_t Sent(const SlotChange& change) {
    return change.done.size() + change.refused.size();
}

TEST(PhonebookWriteAll, RefusalsAreCounted) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    std::vector<int> slots(state.readOrder.begin(), state.readOrder.begin() + 3);
    state.abonents[slots[1] - 1].Category = 200;  // no such category: the phone refuses
    RecordingInteraction interaction;
    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    const SlotChange report = WriteAllRows(session, RowsOf(state, slots), state, interaction);
    EXPECT_EQ(Sent(report), 3u);
    EXPECT_EQ(report.refused, std::vector<int32_t>{slots[1]});
}

TEST(PhonebookWriteAll, StopAsksAndEnds) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    std::vector<int> slots(state.readOrder.begin(), state.readOrder.begin() + 6);

    RecordingInteraction yes;
    yes.stopAfterEvents = 2;
    yes.answers = {true};
    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    phone.mark();
    SlotChange report = WriteAllRows(session, RowsOf(state, slots), state, yes);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(Sent(report), 2u);
    EXPECT_EQ(report.unsent.size(), 4u);
    EXPECT_EQ(phone.sinceStarting("AT+MPBW=").size(), 2u);
    ASSERT_EQ(yes.questions.size(), 1u);
    EXPECT_EQ(yes.questions[0], StopWritingQuestion());

    // No goes on to the end; the user is asked once.
    RecordingInteraction no;
    no.stopAfterEvents = 2;
    no.answers = {false};
    report = WriteAllRows(session, RowsOf(state, slots), state, no);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(Sent(report), 6u);
    EXPECT_EQ(no.questions.size(), 1u);

    // A box closed without an answer asks again after the next row.
    RecordingInteraction closed;
    closed.stopAfterEvents = 2;
    closed.resetOnNo = false;
    closed.answers = {false, true};
    report = WriteAllRows(session, RowsOf(state, slots), state, closed);
    EXPECT_EQ(Sent(report), 3u);
    EXPECT_EQ(closed.questions.size(), 2u);
}

TEST(PhonebookDelete, OneAndSeveral) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    const int a = state.readOrder[0], b = state.readOrder[1], c = state.readOrder[2];
    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    phone.mark();
    const SlotChange one = DeletePhonebookEntries(session, state, {a});
    EXPECT_EQ(phone.since(),
              (std::vector<std::string>{"AT+CPBS=AD", "AT+MPBW=" + std::to_string(a)}));
    EXPECT_EQ(one.done, std::vector<int32_t>{a});
    EXPECT_TRUE(state.abonents[a - 1].IsFree());
    EXPECT_EQ(state.abonents[a - 1].Icon, 255);
    EXPECT_EQ(state.abonents[a - 1].Aux12, 255);

    phone.mark();
    const SlotChange several = DeletePhonebookEntries(
        session, state, SlotsOfCaptions({std::to_string(b), "2000", std::to_string(c)}));
    EXPECT_EQ(phone.since().size(), 4u);
    EXPECT_EQ(several.done, (std::vector<int32_t>{b, c}));
    EXPECT_EQ(several.refused, std::vector<int32_t>{2000});
    const auto book = phone.phonebook();
    EXPECT_EQ(book.count(a) + book.count(b) + book.count(c), 0u);

    EXPECT_EQ(DeletePhonebookText(several), "Телефон не удалил записи: 2000.");
    EXPECT_THROW(SlotsOfCaptions({"x"}), EConvertError);
}

// The exact-OK checks of adding, writing all and deleting hold when the phone puts an
// unsolicited line before or inside every answer.
TEST(PhonebookWrites, UnsolicitedLinesChangeNothing) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    phonesim::FaultOptions faults;
    faults.unsolicitedBeforeOn = "*";
    faults.unsolicitedInsideOn = "*";
    phone.sim().setFaults(faults);

    const int slot = FirstFree(state);
    const EntryWriteResult added = Add(phone, state, Draft(slot, "+380", "Ірина"));
    EXPECT_TRUE(added.written);
    EXPECT_EQ(phone.phonebook().at(slot).name, "Ірина");

    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    RecordingInteraction interaction;
    const std::vector<int> slots{state.readOrder[0], slot};
    std::vector<ListRow> rows;
    for (int s : slots) {
        const PhonebookRow row =
            MakeRow(state.abonents[s - 1], state.family, state.model, state.groupNames);
        rows.push_back({row.caption, row.name, row.number, row.typeText, row.idsText});
    }
    const SlotChange written = WriteAllRows(session, rows, state, interaction);
    EXPECT_FALSE(written.refusedAccess);
    EXPECT_EQ(Sent(written), 2u);
    EXPECT_TRUE(written.refused.empty());

    const SlotChange deleted = DeletePhonebookEntries(session, state, {slot});
    EXPECT_FALSE(deleted.refusedAccess);
    EXPECT_EQ(deleted.done, std::vector<int32_t>{slot});
    EXPECT_EQ(phone.phonebook().count(slot), 0u);
}

// A time-out half-way: the slot whose answer never came is unanswered, the rest unsent, and
// only the slot the phone emptied is emptied in the table.
TEST(PhonebookDelete, ATimeOutLeavesTheRestUnsent) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    const int a = state.readOrder[0], b = state.readOrder[1], c = state.readOrder[2];
    // The phone is silent on every command that starts so: slot a must not.
    ASSERT_NE(std::to_string(a).rfind(std::to_string(b), 0), 0u);
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+MPBW=" + std::to_string(b);
    phone.sim().setFaults(faults);
    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    const SlotChange change = DeletePhonebookEntries(session, state, {a, b, c});
    EXPECT_EQ(change.done, std::vector<int32_t>{a});
    EXPECT_EQ(change.unanswered, std::optional<int>(b));
    EXPECT_EQ(change.unsent, std::vector<int32_t>{c});
    EXPECT_THROW(change.RaiseFailure(), ESynaSerError);
    EXPECT_TRUE(state.abonents[a - 1].IsFree());
    EXPECT_FALSE(state.abonents[b - 1].IsFree());
    EXPECT_FALSE(state.abonents[c - 1].IsFree());
}

TEST(PhonebookDelete, RefusedStorageSendsNothingMore) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CPBS=AD";
    phone.sim().setFaults(faults);
    PhoneSession session(phone.settings, PhoneSession::Options{true, true});
    phone.mark();
    const SlotChange report = DeletePhonebookEntries(session, state, {state.readOrder[0]});
    EXPECT_TRUE(report.refusedAccess);
    EXPECT_EQ(report.unsent, std::vector<int32_t>{state.readOrder[0]});
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+CPBS=AD", "AT+MODE=2", "AT+CPBS=AD",
                                                       "AT+CPBS=\"AD\""}));
    EXPECT_FALSE(state.abonents[state.readOrder[0] - 1].IsFree());
}

}  // namespace
}  // namespace orlin
