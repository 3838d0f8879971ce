// The message operations against the simulated C350 through the real serial layer: the
// folder reads, the archive, the three send paths, sending a stored message, deleting and
// marking, with the phone accepting and refusing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "link/phone_session.h"
#include "link/phone_text.h"
#include "messages/message_archive.h"
#include "messages/message_delete.h"
#include "messages/message_folders.h"
#include "messages/message_send.h"
#include "tests/support/cli_run.h"
#include "tests/support/pty_responder.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin {
namespace {

using phonesim::Message;
using phonesim::MessageStatus;
using phonesim::MessageStorage;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

// The archive lives in the current directory: every test gets a folder of its own.
class MessagesOnPhone : public ::testing::Test {
protected:
    FolderReport read(MessageFolder folder) {
        PhoneSession::Options options;
        options.useSettingsTimeout = true;
        PhoneSession session(phone.settings, options);
        return ReadMessageFolder(session, folder, interaction);
    }
    FolderReport readArchive() {
        PhoneSession session(phone.settings);
        return ReadMessageArchive(session);
    }
    std::string archive() const { return test::FileBytes(dir_ / "sms_789012.txt"); }
    std::vector<std::string> indexes(const FolderReport& report) const {
        std::vector<std::string> out;
        for (const MessageRow& row : report.rows) out.push_back(row.index);
        return out;
    }

    SimPhone phone{"C350"};  // demo contents: 5 in IM, 4 in OM, 2 in DM
    test::RecordingInteraction interaction;
    test::WorkingFolder folder_{"orlin_sms_"};
    const fs::path dir_ = folder_.path();
};

TEST_F(MessagesOnPhone, EachFolderListsItsMessages) {
    const struct {
        MessageFolder folder;
        std::vector<std::string> indexes;
        std::vector<std::string> statuses;
        size_t reads;
    } cases[] = {
        {MessageFolder::Inbox,
         {"1", "2", "3", "4", "5"},
         {UnreadWord(), ReadWord(), UnreadWord(), ReadWord(), ReadWord()},
         5},
        {MessageFolder::Outgoing, {"8", "9"}, {UnsentWord(), UnsentWord()}, 2},
        {MessageFolder::Sent, {"6", "7"}, {SentWord(), SentWord()}, 2},
        {MessageFolder::Drafts, {"10", "11"}, {UnsentWord(), UnsentWord()}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.folder));
        phone.mark();
        const FolderReport report = read(c.folder);
        EXPECT_EQ(report.status, FolderStatus::Done);
        EXPECT_FALSE(report.Failed());
        EXPECT_TRUE(report.listCleared);
        EXPECT_EQ(indexes(report), c.indexes);
        std::vector<std::string> statuses;
        for (const MessageRow& row : report.rows) statuses.push_back(row.statusText);
        EXPECT_EQ(statuses, c.statuses);
        EXPECT_EQ(phone.sinceStarting("AT+MMGR=").size(), c.reads);
        EXPECT_EQ(phone.sinceStarting("AT+CGSN").size(), c.folder == MessageFolder::Inbox);
        // Every message counts: the progress ends at the whole.
        EXPECT_EQ(interaction.lastPos, interaction.lastMax);
    }
    const FolderReport inbox = read(MessageFolder::Inbox);
    EXPECT_EQ(inbox.rows[0], InboxRow("1", "+79111234567", "2026/12/07,18:02:11",
                                      "Привет! Встречаемся в семь у метро.", true));
    EXPECT_EQ(inbox.rows[2].dateTime, "2026/12/5,21:14:45");  // as the phone gave it
    EXPECT_EQ(read(MessageFolder::Sent).rows[1],
              StoredRow("7", "+4915123456789", "Happy birthday, Anna!", true));
    const FolderReport drafts = read(MessageFolder::Drafts);
    EXPECT_EQ(drafts.rows[0], DraftRow("10", "", "Черновик: купить хлеб, молоко"));
    EXPECT_EQ(interaction.lastMax, 2);  // two drafts, the second ends the bar
    EXPECT_EQ(interaction.lastPos, 2);
}

TEST_F(MessagesOnPhone, ARefusedCommandEndsTheReadWithItsNumber) {
    const struct {
        MessageFolder folder;
        std::string command;
        FolderStatus failure;
    } cases[] = {
        {MessageFolder::Inbox, "AT+CSCS=UCS2", FolderStatus::Charset},
        {MessageFolder::Inbox, "AT+CPMS=\"IM\"", FolderStatus::InboxStorage},
        {MessageFolder::Inbox, "AT+MMGL", FolderStatus::InboxList},
        {MessageFolder::Sent, "AT+CPMS=\"OM\"", FolderStatus::OutboxStorage},
        {MessageFolder::Outgoing, "AT+MMGL", FolderStatus::OutboxList},
        {MessageFolder::Drafts, "AT+CPMS=\"DM\"", FolderStatus::DraftsStorage},
        {MessageFolder::Drafts, "AT+MMGL", FolderStatus::DraftsList},
    };
    for (const char* line : {"", "+CME ERROR: 10", "+CMS ERROR: 500"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.command + " " + line);
            phonesim::FaultOptions faults;
            faults.errorOn = c.command;
            faults.errorLine = line;
            phone->setFaults(faults);
            const FolderReport report = read(c.folder);
            EXPECT_EQ(report.status, c.failure);
            EXPECT_FALSE(report.Failed());
            EXPECT_TRUE(report.rows.empty());
            EXPECT_EQ(report.listCleared, c.failure != FolderStatus::Charset);
        }
    }
    FolderReport refused;
    refused.status = FolderStatus::InboxStorage;
    EXPECT_EQ(StatusText(refused), "Проблемы с подключением. 2");
    EXPECT_EQ(StatusText(FolderReport()), "");
}

TEST_F(MessagesOnPhone, ReadingTheInboxTwiceArchivesEachMessageOnce) {
    phone.edit([](phonesim::PhoneState& s) {
        // Another sender in the same second, and a text with line breaks.
        s.contents.messages[20] = {MessageStorage::IM, MessageStatus::RecRead, "+79990000000",
                                   "2026/12/07,18:02:11", "Same second"};
        s.contents.messages[21] = {MessageStorage::IM, MessageStatus::RecRead, "+79990000001",
                                   "2026/12/08,10:00:00", "two\r\nlines"};
    });
    const FolderReport first = read(MessageFolder::Inbox);
    EXPECT_EQ(first.archived, 7);
    EXPECT_FALSE(first.phoneIdMissing);
    const std::string bytes = archive();
    EXPECT_NE(bytes.find("+79990000000;2026/12/07,18:02:11;Same second\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("+79990000001;2026/12/08,10:00:00;two lines\r\n"), std::string::npos);
    EXPECT_EQ(ParseArchive(bytes).size(), 7u);
    EXPECT_EQ(read(MessageFolder::Inbox).archived, 0);
    EXPECT_EQ(archive(), bytes);
    // The archive view shows the same messages; other folders never touch the file.
    const FolderReport view = readArchive();
    ASSERT_EQ(view.rows.size(), 7u);
    EXPECT_EQ(view.rows[0], ArchiveRow({"+79111234567", "2026/12/07,18:02:11",
                                        "Привет! Встречаемся в семь у метро."}));
    read(MessageFolder::Sent);
    EXPECT_EQ(archive(), bytes);
}

TEST_F(MessagesOnPhone, UnreadableMessagesAreSkippedAndNamed) {
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MMGR=3";
    phone->setFaults(faults);
    FolderReport report = read(MessageFolder::Inbox);
    EXPECT_EQ(indexes(report), (std::vector<std::string>{"1", "2", "4", "5"}));
    EXPECT_EQ(report.unreadable, std::vector<std::string>{"3"});
    EXPECT_EQ(UnreadableText(report), "Не удалось прочитать сообщения: 3.");
    EXPECT_EQ(archive().find("airport"), std::string::npos);
    // Once readable, the skipped message is archived like any new one.
    phone->setFaults({});
    report = read(MessageFolder::Inbox);
    EXPECT_TRUE(report.unreadable.empty());
    EXPECT_EQ(report.archived, 1);
}

TEST_F(MessagesOnPhone, UnsolicitedLinesMidReadChangeNothing) {
    const FolderReport plain = read(MessageFolder::Inbox);
    fs::remove("sms_789012.txt");
    phone->setFaults(test::UnsolicitedEverywhere());
    const FolderReport noisy = read(MessageFolder::Inbox);
    EXPECT_EQ(noisy.rows, plain.rows);
    EXPECT_TRUE(noisy.unreadable.empty());
    EXPECT_EQ(noisy.archived, 5);
}

TEST_F(MessagesOnPhone, WithoutAPhoneIdNoArchiveIsTouched) {
    for (const char* imei : {"35123", "3512345678-0123"}) {
        SCOPED_TRACE(imei);
        phone.edit([&](phonesim::PhoneState& s) { s.imei = imei; });
        const FolderReport inbox = read(MessageFolder::Inbox);
        EXPECT_TRUE(inbox.phoneIdMissing);
        EXPECT_EQ(inbox.rows.size(), 5u);
        EXPECT_EQ(inbox.archived, 0);
        EXPECT_FALSE(read(MessageFolder::Drafts).phoneIdMissing);
        const FolderReport view = readArchive();
        EXPECT_TRUE(view.phoneIdMissing);
        EXPECT_TRUE(view.rows.empty());
        EXPECT_TRUE(fs::is_empty(dir_));
    }
}

// The three send paths with the phone accepting and refusing each step.
TEST_F(MessagesOnPhone, SendPathsReportWhatThePhoneDid) {
    const struct {
        SendAction action;
        std::string refused;  // the command the phone refuses
        SendOutcome outcome;
        std::vector<std::string> sent;  // commands after AT+CMGW
        bool stored;                    // the message is still on the phone
        MessageStatus status;
    } cases[] = {
        {SendAction::StoreOnly, "", SendOutcome::Stored, {}, true, MessageStatus::StoUnsent},
        {SendAction::StoreAndSend,
         "",
         SendOutcome::SentAndStored,
         {"AT+CMSS=12"},
         true,
         MessageStatus::StoSent},
        {SendAction::SendAndDelete,
         "",
         SendOutcome::SentAndDeleted,
         {"AT+CMSS=12", "AT+CPMS=\"MT\"", "AT+CMGD=12"},
         false,
         MessageStatus::StoSent},
        {SendAction::SendAndDelete,
         "AT+CMSS",
         SendOutcome::SendRefused,
         {"AT+CMSS=12"},
         true,
         MessageStatus::StoUnsent},
        {SendAction::SendAndDelete,
         "AT+CMGD",
         SendOutcome::SentNotDeleted,
         {"AT+CMSS=12", "AT+CPMS=\"MT\"", "AT+CMGD=12"},
         true,
         MessageStatus::StoSent},
        {SendAction::SendAndDelete,
         "AT+CPMS",
         SendOutcome::SentNotDeleted,
         {"AT+CMSS=12", "AT+CPMS=\"MT\""},
         true,
         MessageStatus::StoSent},
        // Last: the phone takes the text after a refused write as a command line of its own.
        {SendAction::StoreAndSend,
         "AT+CMGW",
         SendOutcome::WriteRefused,
         {},
         false,
         MessageStatus::StoSent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.action)) + " " + c.refused);
        phone.edit([](phonesim::PhoneState& s) { s.contents.messages.erase(12); });
        phonesim::FaultOptions faults;
        faults.errorOn = c.refused;
        faults.errorLine = c.refused == "AT+CMSS" ? "+CMS ERROR: 500" : "";
        phone->setFaults(faults);
        phone.mark();
        PhoneSession session(phone.settings);
        BeginCompose(session);
        const SendOutcome outcome = SendNewMessage(session, "+79001234567", "Привет", c.action,
                                                   [](int ms) { EXPECT_EQ(ms, 500); });
        EXPECT_EQ(outcome, c.outcome);
        std::vector<std::string> log = phone.since();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[1], "AT+CMGW=\"+79001234567\"");
        std::vector<std::string> after;
        for (size_t i = 2; i < log.size(); ++i)
            if (log[i].compare(0, 2, "AT") == 0) after.push_back(log[i]);
        EXPECT_EQ(after, c.sent);
        const auto messages = phone.state().contents.messages;
        ASSERT_EQ(messages.count(12), c.stored ? 1u : 0u);
        if (c.stored) {
            EXPECT_EQ(messages.at(12).text, "Привет");
            EXPECT_EQ(messages.at(12).status, c.status);
        }
    }
    EXPECT_EQ(SendOutcomeText(SendOutcome::Stored), "Сообщение записано в \"Иходящие\".");
}

TEST(MessageSend, AWriteWithoutAnIndexSendsNothingMore) {
    test::PtyResponder script;
    script.Answer("AT+CMGW=\"+7911\"", false, {{0, "\r\n> "}})
        .Expect("\x1a")
        .Send("\r\nOK\r\n")
        .Expect("\r");
    script.Start();
    PortSettings settings{script.SlavePath(), 19200, 1000};
    PhoneSession session(settings);
    EXPECT_EQ(SendNewMessage(session, "+7911", "A", SendAction::SendAndDelete),
              SendOutcome::NoIndex);
    EXPECT_TRUE(script.Finish()) << script.Failure();
    EXPECT_EQ(script.Received().find("CMSS"), std::string::npos) << script.Received();
}

TEST_F(MessagesOnPhone, StoredMessagesAreSentDeletedAndMarkedByIndex) {
    PhoneSession session(phone.settings);
    EXPECT_TRUE(SendStored(session, "8"));
    EXPECT_EQ(phone.state().contents.messages.at(8).status, MessageStatus::StoSent);
    EXPECT_FALSE(SendStored(session, "99"));
    EXPECT_TRUE(MarkAsRead(session, "1"));
    EXPECT_EQ(phone.state().contents.messages.at(1).status, MessageStatus::RecRead);
    EXPECT_FALSE(MarkAsRead(session, "99"));
    phone.mark();
    const MessagesChange first = DeleteMessages(session, {"10", "99", "11"});
    EXPECT_EQ(phone.since().front(), "AT+CPMS=\"MT\"");
    EXPECT_EQ(first.done, (std::vector<std::string>{"10", "11"}));
    EXPECT_EQ(first.refused, std::vector<std::string>{"99"});
    EXPECT_TRUE(first.unsent.empty());
    EXPECT_EQ(DeleteMessagesText(first), "Телефон не удалил сообщение 99.");
    EXPECT_EQ(phone.state().contents.messages.count(10), 0u);
    phone.mark();
    const MessagesChange again = DeleteMessages(session, {"10"}, DeleteFrom::SelectedStorage);
    EXPECT_EQ(phone.since(), std::vector<std::string>{"AT+CMGD=10"});
    EXPECT_EQ(again.refused, std::vector<std::string>{"10"});
    EXPECT_TRUE(DeleteMessages(session, {}).Whole());
    MessagesChange refused;
    refused.refused = {"7", "3"};
    EXPECT_EQ(DeleteMessagesText(refused), "Телефон не удалил сообщения: 3, 7.");
    EXPECT_EQ(DeleteMessagesText(MessagesChange()), "");
}

}  // namespace
}  // namespace orlin
