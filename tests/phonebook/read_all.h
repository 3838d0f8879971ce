#pragma once
// Reads the whole phonebook of a simulated phone through the real serial layer, for the
// tests that need the phonebook state an operation starts from.

#include <gtest/gtest.h>

#include "link/phone_session.h"
#include "phonebook/phonebook_read.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"

namespace orlin::test {

inline PhonebookState ReadAll(SimPhone& phone) {
    PhonebookState state;
    RecordingInteraction interaction;
    PhoneSession session(phone.settings);
    const PhonebookReport report = ReadPhonebook(session, state, interaction);
    report.RaiseFailure();
    EXPECT_EQ(report.status, PhonebookReadStatus::Done);
    return state;
}

}  // namespace orlin::test
