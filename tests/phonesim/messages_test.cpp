// Message storages with one index numbering: listing, reading at the offsets the reader
// relies on, storing with the prompt and Ctrl-Z, sending, deleting and marking.
#include <gtest/gtest.h>

#include "link/phone_text.h"
#include "tests/support/raw_client.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

using namespace phonesim;

TEST(Messages, StorageCounts) {
    SimPort p;  // demo phone: 5 in IM, 4 in OM, 2 in DM
    EXPECT_EQ(p.line("AT+CPMS=\"IM\""), "+CPMS: 5,50,4,50,5,50");
    EXPECT_EQ(p.line("AT+CPMS=\"OM\""), "+CPMS: 4,50,4,50,5,50");
    EXPECT_EQ(p.line("AT+CPMS=\"DM\""), "+CPMS: 2,50,4,50,5,50");
    EXPECT_EQ(p.line("AT+CPMS=\"MT\""), "+CPMS: 11,150,4,50,5,50");
    EXPECT_EQ(p.at("AT+CPMS=\"XX\""), "\r\nERROR\r\n");
    EXPECT_EQ(p.line("AT+CPMS?"), "+CPMS: \"MT\",11,150,\"OM\",4,50,\"IM\",5,50");
}

TEST(Messages, HeaderListHasBlankAfterEveryComma) {
    SimPort p;
    p.at("AT+CPMS=\"IM\"");
    std::string r = p.at("AT+MMGL=\"HEADER ONLY\"");
    EXPECT_EQ(
        r.substr(0, 72),
        "\r\n+MMGL: 1, \"REC UNREAD\", \"+79111234567\", \"2026/12/07,18:02:11\"\r\n\r\n+MMGL");
    p.at("AT+CPMS=\"OM\"");
    r = p.at("AT+MMGL=\"HEADER ONLY\"");
    EXPECT_NE(r.find("\r\n+MMGL: 6, \"STO SENT\", \"+79111234567\"\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("\r\n+MMGL: 8, \"STO UNSENT\", \"+79265550101\"\r\n"), std::string::npos) << r;
    EXPECT_EQ(r.find("REC "), std::string::npos);
}

TEST(Messages, ReadAtTheReadersOffsets) {
    SimPort p;
    p.at("AT+CSCS=UCS2");
    p.at("AT+CPMS=\"IM\"");
    std::string r = p.at("AT+MMGR=1");
    std::string hex = EncodeUcs2("Привет! Встречаемся в семь у метро.");
    EXPECT_EQ(r, "\r\n+MMGR: \"REC UNREAD\", \"+79111234567\", \"2026/12/07,18:02:11\"\r\n" + hex +
                     "\r\n\r\nOK\r\n");
    // The reader cuts 23 characters for an unread message, 21 for a read one.
    EXPECT_EQ(r.substr(23, 1), "\"");
    EXPECT_EQ(p.at("AT+MMGR=2").substr(21, 13), "\"+79031112233");
    // Reading does not mark the message read; the index must be in the selected storage.
    EXPECT_EQ(p.at("AT+MMGR=6"), "\r\nERROR\r\n");
    p.at("AT+CPMS=\"OM\"");
    EXPECT_EQ(p.at("AT+MMGR=6").substr(21, 15), "\"+79111234567\"\r");
    EXPECT_EQ(p.at("AT+MMGR=8").substr(23, 15), "\"+79265550101\"\r");
    p.at("AT+CPMS=\"DM\"");
    EXPECT_EQ(p.at("AT+MMGR=11").substr(0, 25), "\r\n+MMGR: \"STO UNSENT\", \"+");
    p.sim().withState([](PhoneState& s) {
        EXPECT_EQ(s.contents.messages.at(1).status, MessageStatus::RecUnread);
    });
}

TEST(Messages, StoreWithPromptAndCtrlZ) {
    SimPort p;
    p.at("AT+CSCS=UCS2");
    // The exchange adds its CR after Ctrl-Z; that CR must get no answer of its own.
    std::string r = p.at("AT+CMGW=\"+79001234567\"\r" + EncodeUcs2("Hello") + "\x1a");
    EXPECT_TRUE(p.port.AtOk);
    EXPECT_NE(r.find("\r\n+CMGW: 12\r\n\r\nOK\r\n"), std::string::npos) << r;
    EXPECT_EQ(p.at("AT+CBC"), "\r\n+CBC: 0,80\r\n\r\nOK\r\n");  // nothing left over
    p.sim().withState([](PhoneState& s) {
        const Message& m = s.contents.messages.at(12);
        EXPECT_EQ(m.storage, MessageStorage::OM);
        EXPECT_EQ(m.status, MessageStatus::StoUnsent);
        EXPECT_EQ(m.number, "+79001234567");
        EXPECT_EQ(m.text, "Hello");
    });
    std::vector<std::string> log = p.sim().commandLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "AT+CMGW=\"+79001234567\"");
    EXPECT_EQ(log.back(), "AT+CBC");
}

TEST(Messages, PromptBytesOnTheLine) {
    PhoneSimOptions o;
    o.echo = false;
    PhoneSimulator sim(o);
    sim.start();
    RawClient c(sim.portPath());
    c.send("AT+CMGW=\"+7911\"\r");
    EXPECT_EQ(c.readUntil("> "), "\r\n> ");
    c.send("Hi\x1a\r");
    EXPECT_EQ(c.readUntil(kOk), "\r\n+CMGW: 12\r\n\r\nOK\r\n");
    EXPECT_EQ(c.readQuiet(150), "");  // the CR after Ctrl-Z stays unanswered
    // Esc cancels: nothing is stored.
    c.send("AT+CMGW=\"+7911\"\r");
    c.readUntil("> ");
    c.send("Bye\x1b");
    EXPECT_EQ(c.readUntil(kOk), kOk);
    sim.withState([](PhoneState& s) { EXPECT_EQ(s.contents.messages.size(), 12u); });
}

TEST(Messages, ClientLeavingDuringTextEntryDoesNotBlockTheNext) {
    PhoneSimulator sim;
    sim.start();
    {
        RawClient c(sim.portPath());
        c.send("AT+CMGW=\"+7911\"\r");
        c.readUntil("> ");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5600));
    RawClient next(sim.portPath());
    next.send("AT\r");
    EXPECT_EQ(next.readUntil(kOk), "AT\r" + kOk);
    sim.withState([](PhoneState& s) { EXPECT_EQ(s.contents.messages.size(), 11u); });
}

TEST(Messages, TextTooLongOrBadHexIsRefused) {
    SimPort p;
    p.at("AT+CSCS=UCS2");
    std::string cyrillic71;
    for (int i = 0; i < 71; ++i) cyrillic71 += "А";
    const std::string russian71 = EncodeUcs2(cyrillic71);
    EXPECT_EQ(p.at("AT+CMGW=\"+7911\"\r" + russian71 + "\x1a").find("OK"), std::string::npos);
    EXPECT_EQ(p.at("AT+CMGW=\"+7911\"\r004\x1a").find("OK"), std::string::npos);
    EXPECT_NE(
        p.at("AT+CMGW=\"+7911\"\r" + EncodeUcs2(std::string(160, 'a')) + "\x1a").find("+CMGW: 12"),
        std::string::npos);
}

TEST(Messages, SendMovesToSentDeleteAndMark) {
    SimPort p;
    // A draft is sent: it counts as sent, keeps its index and now lives in the outgoing storage.
    EXPECT_EQ(p.at("AT+CMSS=11"), "\r\n+CMSS: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+CMSS=8"), "\r\n+CMSS: 2\r\n\r\nOK\r\n");
    EXPECT_EQ(p.at("AT+CMSS=10"), "\r\nERROR\r\n");  // a draft without a recipient
    p.sim().withState([](PhoneState& s) {
        EXPECT_EQ(s.contents.messages.at(11).storage, MessageStorage::OM);
        EXPECT_EQ(s.contents.messages.at(11).status, MessageStatus::StoSent);
        EXPECT_EQ(s.contents.messages.at(8).status, MessageStatus::StoSent);
    });
    // Index 3 is in the inbox; deleting it from the outgoing storage is refused, under MT it goes.
    p.at("AT+CPMS=\"OM\"");
    EXPECT_EQ(p.at("AT+CMGD=3"), "\r\nERROR\r\n");
    p.at("AT+CMEE=1");
    EXPECT_EQ(p.at("AT+CMGD=3"), "\r\n+CMS ERROR: 321\r\n");
    p.at("AT+CPMS=\"MT\"");
    EXPECT_EQ(p.at("AT+CMGD=3"), kOk);
    EXPECT_EQ(p.at("AT+CMGD=3"), "\r\n+CMS ERROR: 321\r\n");
    EXPECT_EQ(p.at("AT+CMGD="), "\r\n+CMS ERROR: 321\r\n");
    // Marking read.
    EXPECT_EQ(p.at("AT+MMAR=1"), kOk);
    EXPECT_EQ(p.at("AT+MMAR=99"), "\r\n+CMS ERROR: 321\r\n");
    p.at("AT+CPMS=\"IM\"");
    EXPECT_NE(p.at("AT+MMGL=\"HEADER ONLY\"").find("+MMGL: 1, \"REC READ\""), std::string::npos);
    p.sim().withState([](PhoneState& s) {
        EXPECT_EQ(s.contents.messages.count(3), 0u);
        EXPECT_EQ(s.contents.messages.at(1).status, MessageStatus::RecRead);
    });
    // The freed index 3 is the next one a stored message takes.
    EXPECT_NE(p.at("AT+CMGW=\"+7911\"\rHi\x1a").find("+CMGW: 3"), std::string::npos);
}

TEST(Messages, EmptyPhoneListsNothing) {
    PhoneSimOptions o;
    o.seeded = false;
    SimPort p(o);
    EXPECT_EQ(p.line("AT+CPMS=\"IM\""), "+CPMS: 0,50,0,50,0,50");
    EXPECT_EQ(p.at("AT+MMGL=\"HEADER ONLY\""), kOk);
}

}  // namespace
}  // namespace orlin::test
