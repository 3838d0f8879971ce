// The datebook: slot range and count, event lines, the lock, writing, deleting,
// skipped occurrences and the automatic deletion.
#include <gtest/gtest.h>

#include "link/phone_text.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

using namespace phonesim;

const std::string kEvent = "5,00480069,1,1,\"09:30\",\"01-24-2004\",60,\"09:15\",\"01-24-2004\",2";

PhoneSimOptions EmptyPhone() {
    PhoneSimOptions o;
    o.seeded = false;
    return o;
}

TEST(Datebook, RangeAnswerGivesLastSlotAndCount) {
    SimPort p;
    EXPECT_EQ(p.line("AT+MDBR=?"), "+MDBR: 500,12,64,8,2");
    PhoneSimOptions o = EmptyPhone();
    o.datebookLastSlot = 0;
    SimPort small(o);
    EXPECT_EQ(small.line("AT+MDBR=?"), "+MDBR: 0,0,64,8,2");
    EXPECT_EQ(small.at("AT+MDBR=0"), kOk);
    EXPECT_EQ(small.at("AT+MDBR=1"), "\r\nERROR\r\n");
}

TEST(Datebook, WriteNeedsTheLockAndReadsBack) {
    SimPort p(EmptyPhone());
    p.at("AT+CSCS=UCS2");
    EXPECT_EQ(p.at("AT+MDBW=" + kEvent), "\r\nERROR\r\n");  // unlocked
    p.at("AT+CMEE=1");
    EXPECT_EQ(p.at("AT+MDBW=" + kEvent), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(p.at("AT+MDBL=1"), kOk);
    EXPECT_EQ(p.at("AT+MDBW=" + kEvent), kOk);
    EXPECT_EQ(p.at("AT+MDBL=0"), kOk);
    // Reading needs no lock; an empty slot answers a bare OK.
    EXPECT_EQ(p.at("AT+MDBR=5"), "\r\n+MDBR: " + kEvent + "\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+MDBR=4"), kOk);
    EXPECT_EQ(p.line("AT+MDBR=?"), "+MDBR: 500,1,64,8,2");
    p.sim().withState([](PhoneState& s) {
        const DatebookEvent& e = s.contents.events.at(5);
        EXPECT_EQ(e.title, "Hi");
        EXPECT_EQ(e.repeat, 2);
        EXPECT_EQ(e.alarmTime, "09:15");
    });
    // Titles are quoted when the character set is not UCS2.
    p.at("AT+CSCS=IRA");
    EXPECT_EQ(p.line("AT+MDBR=5").substr(0, 17), "+MDBR: 5,\"Hi\",1,1");
}

TEST(Datebook, AlarmOffFormAndRefusedValues) {
    SimPort p(EmptyPhone());
    p.at("AT+CSCS=UCS2");
    p.at("AT+MDBL=1");
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,0,\"10:15\",\"12-31-2026\",1,\"00:00\",\"00-00-2000\",0"),
              kOk);
    // An alarm that reaches back before midnight gives a negative hour: refused.
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"00:10\",\"12-31-2026\",1,\"-1:50\",\"12-31-2026\",0"),
              "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"24:00\",\"12-31-2026\",1,\"09:00\",\"12-31-2026\",0"),
              "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"10:00\",\"02-30-2026\",1,\"09:00\",\"02-30-2026\",0"),
              "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"10:00\",\"12-31-2026\",1,\"09:00\",\"12-31-2026\",6"),
              "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBW=501,0041,1,1,\"10:00\",\"12-31-2026\",1,\"09:00\",\"12-31-2026\",0"),
              "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"10:00\",\"12-31-2026\",1,\"09:00\""), "\r\nERROR\r\n");
    // An alarm that is on needs its date.
    EXPECT_EQ(p.at("AT+MDBW=3,0041,1,1,\"10:00\",\"12-31-2026\",1,\"09:00\",\"00-00-2000\",0"),
              "\r\nERROR\r\n");
    // An empty title (everything dropped by the encoder) is stored as such.
    EXPECT_EQ(p.at("AT+MDBW=4,,1,1,\"10:00\",\"12-31-2026\",1,\"09:00\",\"12-31-2026\",0"), kOk);
    p.sim().withState([](PhoneState& s) {
        EXPECT_EQ(s.contents.events.at(3).alarmDate, "00-00-2000");
        EXPECT_EQ(s.contents.events.at(4).title, "");
    });
}

TEST(Datebook, DeleteNeedsTheLock) {
    SimPort p;
    EXPECT_EQ(p.at("AT+MDBWE=0,0,0"), "\r\nERROR\r\n");
    p.sim().withState([](PhoneState& s) { EXPECT_EQ(s.contents.events.count(0), 1u); });
    p.at("AT+MDBL=1");
    EXPECT_EQ(p.at("AT+MDBWE=0,0,0"), kOk);
    p.at("AT+MDBL=0");
    EXPECT_EQ(p.at("AT+MDBR=0"), kOk);
    EXPECT_EQ(p.line("AT+MDBR=?"), "+MDBR: 500,11,64,8,2");
}

TEST(Datebook, RangeReadAnnouncesSkippedOccurrences) {
    SimPort p(EmptyPhone());
    p.at("AT+CSCS=UCS2");
    p.at("AT+MDBL=1");
    ASSERT_EQ(p.at("AT+MDBW=" + kEvent), kOk);
    EXPECT_EQ(p.at("AT+MDBWE=5,3,1"), kOk);
    EXPECT_EQ(p.at("AT+MDBWE=5,1,1"), kOk);
    EXPECT_EQ(p.at("AT+MDBWE=4,1,1"), "\r\nERROR\r\n");  // no event there
    EXPECT_EQ(p.at("AT+MDBR=0,10"),
              "\r\n+MDBRE: 5,1,1\r\n\r\n+MDBRE: 5,3,1\r\n\r\n+MDBR: " + kEvent + "\r\n\r\nOK\r\n");
    // A single slot read carries only the event line.
    EXPECT_EQ(p.at("AT+MDBR=5"), "\r\n+MDBR: " + kEvent + "\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+MDBWE=5,3,0"), kOk);
    p.sim().withState(
        [](PhoneState& s) { EXPECT_EQ(s.contents.events.at(5).exceptions, std::vector<int>{1}); });
}

TEST(Datebook, AutomaticDeletionNeedsNoLock) {
    SimPort p;
    EXPECT_EQ(p.at("AT+MDBAD=2"), kOk);
    EXPECT_EQ(p.line("AT+MDBAD?"), "+MDBAD: 2");
    EXPECT_EQ(p.at("AT+MDBAD=3"), "\r\nERROR\r\n");
    EXPECT_EQ(p.at("AT+MDBAD="), "\r\nERROR\r\n");
    EXPECT_EQ(p.line("AT+MDBL?"), "+MDBL: 0");
}

}  // namespace
}  // namespace orlin::test
