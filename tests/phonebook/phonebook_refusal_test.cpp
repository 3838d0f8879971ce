// A phone that refuses with "+CME ERROR: n" or "+CMS ERROR: n" (numeric errors switched on by
// AT+CMEE=1, which stays on) instead of "ERROR": every phonebook operation must take the path it
// takes for ERROR, and no piece of the error line may turn up as data or in a message.

#include <gtest/gtest.h>

#include <functional>

#include "link/errors.h"
#include "link/phone_session.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_rows.h"
#include "phonebook/phonebook_write.h"
#include "tests/phonebook/read_all.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"

namespace orlin {
namespace {

using test::RecordingInteraction;
using test::SimPhone;

// Runs on a fresh phone, arms the phone's refusal (after its own preparation) and sums up what
// the operation reported.
using Operation = std::function<std::string(SimPhone&, const std::function<void()>& arm)>;

// Runs `operation` against a C350 of 90 slots refusing `command` with ERROR, then with
// +CME ERROR: 10, +CMS ERROR: 500 and, numeric errors switched on, the phone's own +CME ERROR.
void ExpectThePathOfError(const std::string& command, const Operation& operation,
                          bool simPresent = true) {
    SCOPED_TRACE("refused: " + command);
    const auto outcome = [&](const std::string& line, bool numeric) {
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        options.meLast = 60;
        options.smSize = 30;
        options.simPresent = simPresent;
        options.numericErrors = numeric;
        SimPhone phone(options);
        phonesim::FaultOptions faults;
        faults.errorOn = command;
        faults.errorLine = line;
        try {
            return operation(phone, [&] { phone->setFaults(faults); });
        } catch (const OrlinError& e) {
            return std::string("failed: ") + e.what();
        }
    };
    const std::string expected = outcome("", false);
    for (const auto& [line, numeric] : {std::pair{"+CME ERROR: 10", false},
                                        std::pair{"+CMS ERROR: 500", false}, std::pair{"", true}}) {
        const std::string got = outcome(line, numeric);
        EXPECT_EQ(got, expected) << line;
        EXPECT_EQ(got.find("ROR: "), std::string::npos) << got;
    }
}

std::string Slots(const std::vector<int32_t>& slots) {
    std::string text;
    for (int32_t slot : slots) text += std::to_string(slot) + " ";
    return text;
}

TEST(NumberedRefusals, ReadingThePhonebook) {
    const Operation read = [](SimPhone& phone, const std::function<void()>& arm) {
        arm();
        PhonebookState state;
        RecordingInteraction interaction;
        PhoneSession session(phone.settings);
        const PhonebookReport report = ReadPhonebook(session, state, interaction);
        report.RaiseFailure();
        std::string text = std::to_string(static_cast<int>(report.status)) + " '" + state.model +
                           "' " + std::to_string(state.ranges.SimFirstIndex) + "-" +
                           std::to_string(state.ranges.SimLastIndex) + " " +
                           std::to_string(report.entries) + " " + SpanList(report.unreadable);
        for (const std::string& name : state.groupNames) text += "|" + name;
        return text;
    };
    for (const char* command : {"AT+CGMM", "AT+MPBR=?", "AT +CPBS=SM", "AT+CPBS=MT", "AT+CSCS",
                                "AT +MPGR=?", "AT +MPGR=2", "AT+MPBR=31,"})
        ExpectThePathOfError(command, read);
    // A phone without a SIM card refuses the SIM's range by itself.
    ExpectThePathOfError("", read, false);
}

TEST(NumberedRefusals, WritingAllAndLoadingAFile) {
    ExpectThePathOfError("AT+MPBW=", [](SimPhone& phone, const std::function<void()>& arm) {
        const PhonebookState state = test::ReadAll(phone);
        std::vector<ListRow> rows;
        for (int32_t slot : state.readOrder) {
            const PhonebookRow row =
                MakeRow(state.abonents[slot - 1], state.family, state.model, state.groupNames);
            rows.push_back({row.caption, row.name, row.number, row.typeText, row.idsText});
        }
        arm();
        PhoneSession session(phone.settings);
        RecordingInteraction interaction;
        const SlotChange change = WriteAllRows(session, rows, state, interaction);
        change.RaiseFailure();
        return std::to_string(change.done.size() + change.refused.size()) + " sent, refused " +
               Slots(change.refused);
    });

    for (const char* command : {"AT+CGMM", "AT+MPBR=?", "AT+MPBW="})
        ExpectThePathOfError(command, [](SimPhone& phone, const std::function<void()>& arm) {
            arm();
            RecordingInteraction interaction;
            const LoadTarget target = PrepareLoad(phone.settings, interaction);
            const FileEntries entries =
                ParsePhonebookFile("PHONE;5;A;+1;2;0;255;0;1;1;255;255;0\r\nSIM;2;B;+2\r\n",
                                   target.family, target.ranges);
            const LoadReport report =
                WriteFileEntries(phone.settings, entries.records, target.family, interaction);
            return "'" + target.model + "' refused " + Slots(report.refused);
        });
}

}  // namespace
}  // namespace orlin
