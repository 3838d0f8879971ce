// The sync's plan from both sides and the last state, its state file, and the file that keeps
// what the phone does not hold.

#include "sync/sync_plan.h"

#include <gtest/gtest.h>

#include "sync/sync_run.h"

namespace orlin::sync {
namespace {

// One item on each side, paired in the state with hashes "p0" and "f0"; each case changes a
// side ("p1"/"f1"), removes it ("-"), or makes the forms agree.
TEST(SyncPlan, OnePairedItemEveryWay) {
    const struct {
        const char* name;
        const char* phoneHash;  // "-": gone from the phone
        const char* fileHash;   // "-": gone from the folder
        bool sameForm;
        Prefer prefer;
        bool phoneComplete, dirComplete;
        std::vector<StepKind> steps;
        int held;
    } cases[] = {
        {"unchanged", "p0", "f0", false, Prefer::None, true, true, {}, 0},
        {"changed on the phone", "p1", "f0", false, Prefer::None, true, true, {StepKind::ToDir}, 0},
        {"changed in the folder",
         "p0",
         "f1",
         false,
         Prefer::None,
         true,
         true,
         {StepKind::ToPhone},
         0},
        {"changed alike", "p1", "f1", true, Prefer::None, true, true, {StepKind::Record}, 0},
        {"conflict", "p1", "f1", false, Prefer::None, true, true, {StepKind::Conflict}, 0},
        {"conflict, phone wins",
         "p1",
         "f1",
         false,
         Prefer::Phone,
         true,
         true,
         {StepKind::ToDir},
         0},
        {"conflict, folder wins",
         "p1",
         "f1",
         false,
         Prefer::Dir,
         true,
         true,
         {StepKind::ToPhone},
         0},
        {"deleted on the phone",
         "-",
         "f0",
         false,
         Prefer::None,
         true,
         true,
         {StepKind::DeleteFile},
         0},
        {"deleted on the phone, unread slots", "-", "f0", false, Prefer::None, false, true, {}, 1},
        {"deleted on the phone, a bad file", "-", "f0", false, Prefer::None, true, false, {}, 1},
        {"deleted on the phone, changed in the folder",
         "-",
         "f1",
         false,
         Prefer::None,
         true,
         true,
         {StepKind::Conflict},
         0},
        {"the same, folder wins",
         "-",
         "f1",
         false,
         Prefer::Dir,
         true,
         true,
         {StepKind::ToPhone},
         0},
        {"deleted in the folder",
         "p0",
         "-",
         false,
         Prefer::None,
         true,
         true,
         {StepKind::DeleteOnPhone},
         0},
        {"deleted in the folder, a bad file", "p0", "-", false, Prefer::None, true, false, {}, 1},
        {"deleted in the folder, changed on the phone",
         "p1",
         "-",
         false,
         Prefer::None,
         true,
         true,
         {StepKind::Conflict},
         0},
        {"the same, phone wins", "p1", "-", false, Prefer::Phone, true, true, {StepKind::ToDir}, 0},
        {"gone from both", "-", "-", false, Prefer::None, true, true, {StepKind::Forget}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SyncState state{"key", {{"uid1", "p0", "a.vcf", "f0"}}};
        std::vector<PhoneItem> phone;
        std::vector<DirItem> dir;
        if (std::string(c.phoneHash) != "-") phone.push_back({"uid1", c.phoneHash, "form-p", "A"});
        if (std::string(c.fileHash) != "-")
            dir.push_back({"a.vcf", "x", c.fileHash, c.sameForm ? "form-p" : "form-d", "A", true});
        const Plan plan = PlanSync(phone, dir, state, c.prefer, c.phoneComplete, c.dirComplete);
        std::vector<StepKind> kinds;
        for (const Step& s : plan.steps) {
            kinds.push_back(s.kind);
            EXPECT_EQ(s.pair, 0);
        }
        EXPECT_EQ(kinds, c.steps);
        EXPECT_EQ(plan.deletionsHeld, c.held);
    }
}

// Items on one side only: carried over, or paired with an item of the same form or UID.
TEST(SyncPlan, ItemsOnOneSideOnly) {
    const std::vector<PhoneItem> phone = {
        {"new-on-phone", "h", "form-1", "A"},
        {"same-form", "h", "form-2", "B"},
        {"same-uid", "h", "form-3", "C"},
    };
    const std::vector<DirItem> dir = {
        {"b.vcf", "b", "hb", "form-2", "B", true},
        {"c.vcf", "same-uid", "hc", "form-3-edited", "C", true},
        {"d.vcf", "d", "hd", "form-4", "D", true},
        {"e.vcf", "", "he", "", "", false},  // no item: left alone
    };
    const Plan plan = PlanSync(phone, dir, SyncState{"key", {}}, Prefer::None, true, true);
    ASSERT_EQ(plan.steps.size(), 4u);
    EXPECT_EQ(plan.steps[0].kind, StepKind::ToDir);
    EXPECT_EQ(plan.steps[0].dir, -1);
    EXPECT_EQ(plan.steps[1].kind, StepKind::Record);
    EXPECT_EQ(plan.steps[1].dir, 0);
    EXPECT_EQ(plan.steps[2].kind, StepKind::Conflict);
    EXPECT_EQ(plan.steps[2].dir, 1);
    EXPECT_EQ(plan.steps[3].kind, StepKind::ToPhone);
    EXPECT_EQ(plan.steps[3].dir, 2);
    EXPECT_EQ(PlanSync(phone, dir, SyncState{"key", {}}, Prefer::Phone, true, true).steps[2].kind,
              StepKind::ToDir);
}

TEST(SyncPlan, ManyDeletionsAreMoreThanAFifth) {
    Plan plan;
    plan.phoneDeletes = 1;
    EXPECT_FALSE(ManyDeletions(plan, 5, 5));
    plan.phoneDeletes = 2;
    EXPECT_TRUE(ManyDeletions(plan, 5, 100));
    plan.phoneDeletes = 0;
    plan.fileDeletes = 1;
    EXPECT_TRUE(ManyDeletions(plan, 5, 4));
    EXPECT_FALSE(ManyDeletions(plan, 5, 5));
}

TEST(SyncState, TextRoundTripAndWhatIsNoState) {
    const SyncState state{"0123456789abcdef",
                          {{"u1", "h1", "u1.vcf", "f1"}, {"u2", "h2", "other name.vcf", "f2"}}};
    EXPECT_EQ(ParseStateText(StateText(state)), state);
    EXPECT_EQ(ParseStateText(StateText(SyncState{"k", {}})), (SyncState{"k", {}}));
    for (const char* bad :
         {"", "orlin-sync 2\nphone k\n", "orlin-sync 1\n",
          "orlin-sync 1\nphone k\nu1\th1\tu1.vcf\n", "orlin-sync 1\nphone k\n\th1\tu1.vcf\tf1\n"})
        EXPECT_FALSE(ParseStateText(bad).has_value()) << bad;
}

TEST(KeepFullForm, WhatThePhoneDoesNotHoldStays) {
    const std::string fresh =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:orlin-k-ME1@phonebook\r\nFN:Ann B\r\nN:Ann B;;;;\r\n"
        "TEL;TYPE=CELL:+15550100100\r\nX-ORLIN-HASH:abc\r\nEND:VCARD\r\n";
    const std::string old =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:their-uid\r\nFN:Ann\r\nN:Ann;;;;\r\n"
        "TEL:+1 (555) 010-0100\r\nNOTE:a long\r\n  note\r\nX-ORLIN-HASH:old\r\nEND:VCARD\r\n";
    EXPECT_EQ(
        KeepFullForm(fresh, old, "VCARD", {"VERSION", "FN", "N", "TEL"}),
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:their-uid\r\nFN:Ann B\r\nN:Ann B;;;;\r\n"
        "TEL;TYPE=CELL:+15550100100\r\nX-ORLIN-HASH:abc\r\nNOTE:a long note\r\nEND:VCARD\r\n");
    // A number the phone holds the same keeps the form its address book wrote.
    EXPECT_EQ(KeepFullForm(fresh, old, "VCARD", {"VERSION", "FN", "N", "TEL"}, {"TEL"}),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:their-uid\r\nFN:Ann B\r\nN:Ann B;;;;\r\n"
              "X-ORLIN-HASH:abc\r\nTEL:+1 (555) 010-0100\r\nNOTE:a long note\r\nEND:VCARD\r\n");
    EXPECT_EQ(KeepFullForm(fresh, "", "VCARD", {}), fresh);
    // A kept line of bytes that are no UTF-8 is folded all the same (it once hung the fold).
    const std::string odd = "NOTE:" + std::string(200, '\x91');
    const std::string kept = KeepFullForm(fresh, "BEGIN:VCARD\r\n" + odd + "\r\nEND:VCARD\r\n",
                                          "VCARD", {"VERSION", "FN", "N", "TEL"});
    std::string unfolded;
    for (size_t at = 0; at < kept.size(); ++at) {
        if (kept.compare(at, 3, "\r\n ") == 0)
            at += 2;
        else
            unfolded += kept[at];
    }
    EXPECT_NE(unfolded.find(odd + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orlin::sync
