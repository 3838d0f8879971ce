// Saving the phonebook of one simulated phone and loading the file into another.

#include <gtest/gtest.h>

#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_rows.h"
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

std::string SaveText(SimPhone& phone) {
    PhonebookState state = ReadAll(phone);
    PhoneSession session(phone.settings);
    PrepareSave(session, state);
    return PhonebookFileText(state.abonents, state.ranges).bytes;
}

LoadReport Load(SimPhone& phone, const std::string& bytes, RecordingInteraction& interaction) {
    const LoadTarget target = PrepareLoad(phone.settings, interaction);
    EXPECT_TRUE(target.connected);
    const FileEntries entries =
        ParsePhonebookFile(Cp1251ToUtf8(bytes), target.family, target.ranges);
    return WriteFileEntries(phone.settings, entries.records, target.family, interaction);
}

// What a list of the phone shows, slot by slot.
std::map<int, std::vector<std::string>> Listing(SimPhone& phone) {
    const PhonebookState state = ReadAll(phone);
    std::map<int, std::vector<std::string>> out;
    for (const TAbonentInfo& r : state.abonents) {
        if (r.IsFree()) continue;
        const PhonebookRow row = MakeRow(r, state.family, state.model, state.groupNames);
        out[r.Index] = {r.Storage ? "SM" : "ME",
                        row.name,
                        row.number,
                        row.typeText,
                        row.idsText,
                        row.iconText,
                        row.groupText};
    }
    return out;
}

TEST(PhonebookFiles, C350RoundTripKeepsSlotsNamesIconsAndSim) {
    SimPhone source("C350");
    const std::string bytes = SaveText(source);
    ASSERT_NE(bytes.find("SIM;"), std::string::npos);
    ASSERT_NE(bytes.find(W("Їжакевич")), std::string::npos) << "the demo phone has Ukrainian names";

    SimPhone target("C350", false);
    target.edit([&](phonesim::PhoneState& s) {
        s.contents.categories = source.state().contents.categories;
    });
    RecordingInteraction interaction;
    const LoadReport report = Load(target, bytes, interaction);
    EXPECT_TRUE(report.refused.empty());
    EXPECT_EQ(report.sent, report.total);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(Listing(target), Listing(source));
}

TEST(PhonebookFiles, SavingRereadsTheCategoryNames) {
    SimPhone phone("C350");
    PhonebookState state = ReadAll(phone);
    phone.edit([](phonesim::PhoneState& s) { s.contents.categories[2].name = "Робота"; });
    phone.mark();
    {
        PhoneSession session(phone.settings);
        EXPECT_EQ(PrepareSave(session, state), "C350");
    }
    EXPECT_EQ(state.groupNames.at(1), "Робота");
    const auto sent = phone.since();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], "AT+CGMM");
    EXPECT_EQ(sent[1], "AT+MPGR=?");
    EXPECT_EQ(sent[2], "AT +MPGR=1");
}

TEST(PhonebookFiles, SlotsComeBackWhenTheSimDoesNotFollowThePhone) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("T720", false);
    options.meFirst = 1;
    options.meLast = 200;
    options.smSize = 100;
    SimPhone phone(options);
    phone.edit([](phonesim::PhoneState& s) {
        // A gap between the storages: SIM 301-400.
        s.smFirst = 301;
        s.smLast = 400;
        phonesim::PhonebookEntry mem;
        mem.number = "+1";
        mem.numberFormat = 145;
        mem.name = "Mem";
        s.contents.phonebook[150] = mem;
        phonesim::PhonebookEntry sim;
        sim.number = "+2";
        sim.numberFormat = 145;
        sim.name = "Сім";
        sim.type = 7;
        s.contents.phonebook[350] = sim;
    });
    const std::string bytes = SaveText(phone);
    EXPECT_NE(bytes.find("SIM;50;"), std::string::npos) << bytes;
    phone.edit([](phonesim::PhoneState& s) { s.contents.phonebook.clear(); });
    RecordingInteraction interaction;
    phone.mark();
    Load(phone, bytes, interaction);
    const auto book = phone.phonebook();
    EXPECT_EQ(book.count(150), 1u);
    ASSERT_EQ(book.count(350), 1u);
    EXPECT_EQ(book.at(350).name, "Сім");
    // A SIM line writes the first four fields only; a phone line the 9-field layout.
    const auto writes = phone.sinceStarting("AT+MPBW=");
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], "AT+MPBW=150,\"+1\",145," + EncodeUcs2("Mem") + ",2,0,255,0,1");
    EXPECT_EQ(writes[1], "AT+MPBW=350,\"+2\",145," + EncodeUcs2("Сім"));
}

TEST(PhonebookFiles, TimeoutAsksWhetherToGoOn) {
    SimPhone phone("C350", false);
    const std::string bytes =
        "PHONE;3;A;+1;2;0;255;0;1;1;255;255;0\r\n"
        "PHONE;4;B;+2;2;0;255;0;1;1;255;255;0\r\n"
        "PHONE;5;C;+3;2;0;255;0;1;1;255;255;0\r\n";
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+MPBW=4,";
    phone.sim().setFaults(faults);
    phone.settings.PortTimeOut = 300;

    RecordingInteraction stop;
    stop.answers = {false};
    LoadReport report = Load(phone, bytes, stop);
    EXPECT_TRUE(stop.questions.size() == 1u);
    EXPECT_EQ(stop.questions.at(0),
              "Ошибка по таймауту...\r\nУстановите большее значение "
              "таймаута...\r\nПродолжить запись?");
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.sent, 2);
    EXPECT_EQ(phone.phonebook().count(5), 0u);

    RecordingInteraction goOn;
    goOn.answers = {true};
    report = Load(phone, bytes, goOn);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.sent, 3);
    EXPECT_EQ(report.refused, std::vector<int32_t>{4});
    EXPECT_EQ(phone.phonebook().count(5), 1u);
}

TEST(PhonebookFiles, StopButtonEndsLoading) {
    SimPhone phone("C350", false);
    std::string bytes;
    for (int i = 1; i <= 5; ++i)
        bytes += "PHONE;" + std::to_string(i) + ";N;+1;2;0;255;0;1;1;255;255;0\r\n";
    RecordingInteraction interaction;
    interaction.stopAfterEvents = 2;
    const LoadReport report = Load(phone, bytes, interaction);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.sent, 2);
    EXPECT_EQ(phone.phonebook().size(), 2u);
}

TEST(PhonebookFiles, RefusedEntriesAreNamed) {
    SimPhone phone("C350", false);
    const std::string bytes =
        "PHONE;3;A;+1;2;0;255;0;1;1;255;255;0\r\n"
        "PHONE;4;B;+2;2;0;255;0;1;1;99;255;0\r\n";  // icon 99 does not exist
    RecordingInteraction interaction;
    const LoadReport report = Load(phone, bytes, interaction);
    EXPECT_EQ(report.refused, std::vector<int32_t>{4});
    EXPECT_EQ(phone.phonebook().count(3), 1u);
}

TEST(PhonebookFiles, MissingPortAndSilentPhone) {
    PortSettings nowhere;
    nowhere.PortName = "/dev/orlin-no-such-port";
    nowhere.PortBaudRate = 115200;
    nowhere.PortTimeOut = 300;
    RecordingInteraction interaction;
    const LoadTarget target = PrepareLoad(nowhere, interaction);
    EXPECT_FALSE(target.connected);
    EXPECT_EQ(interaction.notes, std::vector<std::string>{"не подключен"});

    SimPhone phone("C350");
    phonesim::FaultOptions faults;
    faults.silentOn = "*";
    phone.sim().setFaults(faults);
    EXPECT_THROW(PrepareLoad(phone.settings, interaction), ESynaSerError);
}

TEST(PhonebookFiles, PhoneWithoutSimTakesItsMemoryEntries) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.simPresent = false;
    SimPhone phone(options);
    RecordingInteraction interaction;
    const LoadReport report = Load(phone, "PHONE;8;A;+1;2;0;255;0;1;1;255;255;0\r\n", interaction);
    EXPECT_TRUE(report.refused.empty());
    EXPECT_EQ(phone.phonebook().count(8), 1u);
}

}  // namespace
}  // namespace orlin
