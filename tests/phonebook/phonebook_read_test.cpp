// Reading the whole phonebook from the simulated phone of each family, through the real
// serial layer.

#include "phonebook/phonebook_read.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/errors.h"
#include "link/phone_session.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::RecordingInteraction;
using test::SimPhone;
using test::W;

PhonebookReport Read(SimPhone& phone, PhonebookState& state, RecordingInteraction* seen = nullptr) {
    RecordingInteraction local;
    PhoneSession session(phone.settings);
    PhonebookReport report = ReadPhonebook(session, state, seen ? *seen : local);
    report.RaiseFailure();
    return report;
}

// The record as the phone holds the entry.
void ExpectSameEntry(const TAbonentInfo& r, int slot, const phonesim::PhonebookEntry& e,
                     ModelFamily family) {
    SCOPED_TRACE("slot " + std::to_string(slot));
    EXPECT_EQ(r.Index, slot);
    EXPECT_EQ(r.Name, e.name);
    EXPECT_EQ(r.Number, e.number);
    EXPECT_EQ(r.NumberFormat, e.numberFormat);
    EXPECT_EQ(r.NumberType, e.type);
    EXPECT_EQ(r.Ids, e.ids);
    if (HasCategories(family)) {
        EXPECT_EQ(r.Category, e.category);
        EXPECT_EQ(r.Icon, e.icon);
    }
    if (family == ModelFamily::Fields16) {
        EXPECT_EQ(r.Picture, e.picture);
    }
}

TEST(PhonebookRead, C350WholePhonebookByIndex) {
    SimPhone phone("C350");
    const auto book = phone.phonebook();
    ASSERT_GT(book.size(), 10u);
    PhonebookState state;
    RecordingInteraction seen;
    phone.mark();
    const PhonebookReport report = Read(phone, state, &seen);

    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    EXPECT_TRUE(report.unreadable.empty());
    EXPECT_EQ(state.model, "C350");
    EXPECT_EQ(state.family, ModelFamily::Fields13);
    EXPECT_EQ(state.ranges.PhoneFirstIndex, 1);
    EXPECT_EQ(state.ranges.PhoneLastIndex, 1000);
    EXPECT_EQ(state.ranges.SimFirstIndex, 1001);
    EXPECT_EQ(state.ranges.SimLastIndex, 1250);
    EXPECT_EQ(report.slotCount, 1250);
    ASSERT_EQ(state.abonents.size(), 1250u);
    EXPECT_EQ(report.entries, static_cast<int>(book.size()));
    EXPECT_EQ(state.OccupiedCount(), static_cast<int>(book.size()));

    // 42 chunks of 30, the last one 1231-1250.
    const auto chunks = phone.sinceStarting("AT+MPBR=");
    std::vector<std::string> ranges;
    for (const auto& c : chunks)
        if (c != "AT+MPBR=?") ranges.push_back(c);
    ASSERT_EQ(ranges.size(), 42u);
    EXPECT_EQ(ranges.front(), "AT+MPBR=1,30");
    EXPECT_EQ(ranges[1], "AT+MPBR=31,60");
    EXPECT_EQ(ranges.back(), "AT+MPBR=1231,1250");

    bool sawSim = false;
    for (size_t i = 0; i < state.abonents.size(); ++i) {
        const TAbonentInfo& r = state.abonents[i];
        const int slot = static_cast<int>(i + 1);
        EXPECT_EQ(r.Index, slot);
        auto it = book.find(slot);
        if (it == book.end()) {
            EXPECT_TRUE(r.IsFree()) << slot;
            EXPECT_TRUE(r.Number.empty());
            continue;
        }
        ExpectSameEntry(r, slot, it->second, ModelFamily::Fields13);
        EXPECT_EQ(r.Storage, slot >= 1001 ? 1 : 0);
        sawSim = sawSim || slot >= 1001;
    }
    EXPECT_TRUE(sawSim) << "the demo phone has SIM entries";
    // The list's order: the phone's order, each slot once.
    EXPECT_EQ(state.readOrder.size(), book.size());

    // Category names as the phone has them; a category it does not report is empty.
    const auto categories = phone.state().contents.categories;
    ASSERT_EQ(state.groupNames.size(), 15u);
    for (int g = 1; g <= 15; ++g) {
        auto it = categories.find(g);
        EXPECT_EQ(state.groupNames[g - 1], it == categories.end() ? "" : it->second.name) << g;
    }
    EXPECT_EQ(seen.lastPos, 0);
    EXPECT_EQ(seen.lastMax, 1250);
}

TEST(PhonebookRead, V300PicturesAndT720WithoutCategories) {
    SimPhone v300("V300");
    v300.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+7911";
        e.numberFormat = 145;
        e.name = "Степан";
        e.picture = "кот.gif";
        e.category = 3;
        s.contents.phonebook[17] = e;
    });
    PhonebookState state;
    Read(v300, state);
    EXPECT_EQ(state.family, ModelFamily::Fields16);
    EXPECT_EQ(state.abonents[16].Picture, "кот.gif");
    EXPECT_EQ(state.abonents[16].Category, 3);
    for (const auto& [slot, e] : v300.phonebook())
        ExpectSameEntry(state.abonents[slot - 1], slot, e, ModelFamily::Fields16);

    SimPhone t720("T720");
    const GroupNames before = state.groupNames;
    t720.mark();
    Read(t720, state);
    EXPECT_EQ(state.family, ModelFamily::Fields9);
    EXPECT_TRUE(t720.sinceStarting("AT +MPGR").empty());
    EXPECT_EQ(state.groupNames, before) << "a 9-field read keeps the category names";
    for (const auto& [slot, e] : t720.phonebook())
        ExpectSameEntry(state.abonents[slot - 1], slot, e, ModelFamily::Fields9);
}

TEST(PhonebookRead, ChunksForThirtyFortyFiveAndNoSlots) {
    phonesim::PhoneSimOptions thirty = test::PhoneOptions("C350");
    thirty.meLast = 30;
    thirty.simPresent = false;
    SimPhone phone30(thirty);
    PhonebookState state;
    phone30.mark();
    Read(phone30, state);
    EXPECT_EQ(phone30.sinceStarting("AT+MPBR=1"), std::vector<std::string>{"AT+MPBR=1,30"});
    EXPECT_EQ(state.abonents.size(), 30u);

    phonesim::PhoneSimOptions fortyFive = test::PhoneOptions("C350");
    fortyFive.meLast = 30;
    fortyFive.smSize = 15;
    SimPhone phone45(fortyFive);
    phone45.mark();
    Read(phone45, state);
    const auto sent = phone45.sinceStarting("AT+MPBR=");
    EXPECT_EQ(std::vector<std::string>(sent.begin() + 3, sent.end()),
              (std::vector<std::string>{"AT+MPBR=1,30", "AT+MPBR=31,45"}));
    EXPECT_EQ(state.abonents.size(), 45u);
    EXPECT_EQ(state.ranges.SimFirstIndex, 31);

    SimPhone empty("C350", false);
    empty.edit([](phonesim::PhoneState& s) {
        s.simPresent = false;
        s.meLast = 0;
    });
    empty.mark();
    const PhonebookReport none = Read(empty, state);
    EXPECT_EQ(none.status, PhonebookReadStatus::Done);
    EXPECT_EQ(none.slotCount, 0);
    EXPECT_TRUE(state.abonents.empty());
    EXPECT_TRUE(state.readOrder.empty());
    for (const auto& c : empty.since())
        EXPECT_TRUE(c.find(',') == std::string::npos || c.rfind("AT+MPBR=", 0) != 0) << c;
}

TEST(PhonebookRead, MoreThan255ChunksAreRead) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.meLast = 7700;
    options.smSize = 10;
    SimPhone phone(options);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+1";
        e.name = "Last";
        s.contents.phonebook[7709] = e;
    });
    PhonebookState state;
    phone.mark();
    const PhonebookReport report = Read(phone, state);
    EXPECT_EQ(report.slotCount, 7710);
    EXPECT_EQ(phone.sinceStarting("AT+MPBR=7681,").back(), "AT+MPBR=7681,7710");
    EXPECT_EQ(state.abonents.at(7708).Name, "Last");
    EXPECT_EQ(state.abonents.at(7708).Storage, 1);
}

TEST(PhonebookRead, PhoneWithoutSimReadsItsMemory) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.simPresent = false;
    SimPhone phone(options);
    PhonebookState state;
    const PhonebookReport report = Read(phone, state);
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    EXPECT_EQ(state.ranges.SimFirstIndex, 1001);
    EXPECT_EQ(state.ranges.SimLastIndex, 1000);
    EXPECT_EQ(state.abonents.size(), 1000u);
    EXPECT_GT(state.OccupiedCount(), 0);
}

TEST(PhonebookRead, NumbersBeyondEveryPhoneStopTheReadBeforeAnythingMoreIsSent) {
    // A phone memory of 100,000,000 slots (no SIM, so the SIM starts right after it), and a
    // phone with 100,000,000 categories: each is refused with the answer named, and neither
    // a table nor a command follows from it.
    struct Case {
        std::function<void(phonesim::PhoneSimOptions&)> options;
        std::function<void(phonesim::PhoneState&)> state;
        std::string named;
        std::string neverSent;
    };
    const Case cases[] = {
        {[](phonesim::PhoneSimOptions& o) {
             o.meLast = 100000000;
             o.simPresent = false;
         },
         [](phonesim::PhoneState&) {}, "+MPBR: 1-100000000,", "AT+MPBR=1,"},
        {[](phonesim::PhoneSimOptions&) {},
         [](phonesim::PhoneState& s) { s.categoryCount = 100000000; }, "+MPGR: (1-100000000)",
         "AT +MPGR=1"},
    };
    for (const Case& c : cases) {
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        c.options(options);
        SimPhone phone(options);
        phone.edit(c.state);
        phone.mark();
        PhonebookState state;
        try {
            Read(phone, state);
            ADD_FAILURE() << "read on " << c.named;
        } catch (const OrlinError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Телефон сообщил недопустимый диапазон: ", 0),
                      0u)
                << error.what();
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
        EXPECT_TRUE(phone.sinceStarting(c.neverSent).empty()) << c.neverSent;
        EXPECT_TRUE(state.abonents.empty());
    }
}

TEST(PhonebookRead, MalformedLineIsSkippedAndNamed) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        // A quote inside the number breaks the line's fields.
        s.contents.phonebook[44].number = "12\"34";
    });
    const size_t entries = phone.phonebook().size();
    PhonebookState state;
    const PhonebookReport report = Read(phone, state);
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    ASSERT_EQ(report.unreadable.size(), 1u);
    EXPECT_EQ(report.unreadable[0], (SlotSpan{44, 44}));
    EXPECT_EQ(state.abonents.size(), 1250u);
    EXPECT_TRUE(state.abonents[43].IsFree());
    EXPECT_EQ(state.OccupiedCount(), static_cast<int>(entries) - 1);
    for (size_t i = 0; i < state.abonents.size(); ++i)
        EXPECT_EQ(state.abonents[i].Index, static_cast<int>(i + 1));
}

TEST(PhonebookRead, UnsolicitedLinesChangeNothing) {
    SimPhone plain("C350");
    PhonebookState expected;
    Read(plain, expected);

    SimPhone noisy("C350");
    phonesim::FaultOptions faults;
    faults.unsolicitedBeforeOn = "*";
    faults.unsolicitedInsideOn = "*";
    noisy.sim().setFaults(faults);
    PhonebookState state;
    const PhonebookReport report = Read(noisy, state);
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    EXPECT_TRUE(report.unreadable.empty());
    EXPECT_EQ(state.abonents, expected.abonents);
    EXPECT_EQ(state.groupNames, expected.groupNames);
    EXPECT_EQ(state.ranges.SimFirstIndex, expected.ranges.SimFirstIndex);
}

TEST(PhonebookRead, RefusalsEndTheReadWithoutTouchingTheTable) {
    SimPhone phone("C350");
    PhonebookState state;
    Read(phone, state);
    const Abonents before = state.abonents;
    phone.edit(
        [](phonesim::PhoneState& s) { s.contents.phonebook.erase(s.contents.phonebook.begin()); });

    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CPBS=MT";
    phone.sim().setFaults(faults);
    EXPECT_EQ(Read(phone, state).status, PhonebookReadStatus::NoAccess);
    PhonebookReport refused;
    refused.status = PhonebookReadStatus::NoAccess;
    EXPECT_EQ(StatusText(refused), "Нет доступа а справочнику.");
    EXPECT_EQ(state.abonents, before);

    faults.errorOn = "AT+CSCS=UCS2";
    phone.sim().setFaults(faults);
    EXPECT_EQ(Read(phone, state).status, PhonebookReadStatus::CharsetRefused);
    EXPECT_EQ(state.abonents, before);

    // A phone that stops answering in the middle: the error reaches the caller and the
    // table stays as the last complete read left it.
    faults.errorOn.clear();
    faults.silentOn = "AT+MPBR=61,";
    phone.sim().setFaults(faults);
    EXPECT_THROW(Read(phone, state), ESynaSerError);
    EXPECT_EQ(state.abonents, before);
}

// A refused chunk is read again in ranges of 10 (some phones send at most 15 entries at once):
// its entries are not lost, and nothing is reported unread.
TEST(PhonebookRead, RefusedChunkIsReadAgainInSmallerRanges) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "5";
        e.name = "In chunk two";
        s.contents.phonebook[35] = e;
    });
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MPBR=31,60";
    phone.sim().setFaults(faults);
    PhonebookState state;
    phone.mark();
    const PhonebookReport report = Read(phone, state);
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    EXPECT_TRUE(report.unreadable.empty());
    EXPECT_EQ(state.abonents[34].Name, "In chunk two");
    EXPECT_EQ(state.abonents.size(), 1250u);
    EXPECT_EQ(phone.sinceStarting("AT+MPBR=31,").size(), 2u);  // 31,60 refused; 31,40
    EXPECT_EQ(phone.sinceStarting("AT+MPBR=61,").size(), 1u);  // then tens: 61,70
    EXPECT_EQ(phone.sinceStarting("AT+MPBR=61,70").size(), 1u);
}

}  // namespace
}  // namespace orlin
