// Fault runs of the messages: every phone operation under the simulated phone's silence, cut
// answer, hang-up and "+CME ERROR", through the cores and through orlin-cli. Each run must end
// with a clear message, leave the port free, and lose nothing: the archive only ever grows by
// messages of the inbox, and every message on the phone is as it was or as the operation left
// it, as far as the phone confirmed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>

#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "messages/message_archive.h"
#include "messages/message_delete.h"
#include "messages/message_folders.h"
#include "messages/message_send.h"
#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin {
namespace {

using phonesim::Message;
using test::FaultOutcome;
using test::PhoneFault;
using test::SimPhone;
using test::W;
namespace fs = std::filesystem;

constexpr int kTimeoutMs = 300;
constexpr int kNewIndex = 12;  // where the demo phone stores a new message
const char* const kArchive = "sms_789012.txt";

// An archive from earlier reads: one message the phone still holds, one it no longer does.
const std::string kOldArchive = "+79111234567;2026/12/07,18:02:11;" +
                                W("Привет! Встречаемся в семь у метро.") +
                                "\r\n+70000000000;2025/01/01,00:00:00;Old\r\n";

using Messages = std::map<int, Message>;

std::optional<Message> At(const Messages& messages, int index) {
    const auto it = messages.find(index);
    if (it == messages.end()) return std::nullopt;
    return it->second;
}

PhoneSession Session(SimPhone& phone) {
    PhoneSession::Options options;
    options.useSettingsTimeout = true;
    return PhoneSession(phone.settings, options);
}

// What the user hears when the line goes dead before `target`: the port cannot even be
// opened when the target is the operation's first command.
std::string HangUpText(const std::vector<std::string>& clean, const std::string& target) {
    return clean.front().rfind(target, 0) == 0 ? "Телефон не подключен." : "Ошибка ввода-вывода";
}

std::string FolderText(const FolderReport& report) {
    report.RaiseFailure();
    std::string text = report.phoneIdMissing ? PhoneIdWarning() : std::string();
    for (const std::string& part : {StatusText(report), UnreadableText(report)})
        if (!part.empty()) text += (text.empty() ? "" : "\r\n") + part;
    return text;
}

std::string ReadFolder(SimPhone& phone, MessageFolder folder) {
    Interaction quiet;
    PhoneSession session = Session(phone);
    return FolderText(ReadMessageFolder(session, folder, quiet));
}

std::string Compose(SimPhone& phone, SendAction action) {
    PhoneSession session = Session(phone);
    BeginCompose(session);
    const SendOutcome outcome =
        SendNewMessage(session, "+79001234567", "Привет", action, [](int) {});
    // Whatever became of the message, the phone's next answer belongs to the next command: a
    // late answer to the text must not stand in for it.
    std::string next;
    try {
        next = session.AtCommand("AT");
    } catch (const OrlinError&) {
        next = "OK";  // the fault took the line; the run's own checks cover that
    }
    if (next.find("OK") == std::string::npos) return "the next command got " + next;
    // Compared in the form of the exceptions' texts beside them.
    return IsSendFailure(outcome) ? SendOutcomeText(outcome) : std::string();
}

// Deleting as the window and the command line do it, through the core.
std::string DeleteEach(SimPhone& phone, const std::vector<std::string>& indexes, bool selectAll,
                       std::set<int>& confirmed) {
    PhoneSession session = Session(phone);
    const MessagesChange change = DeleteMessages(
        session, indexes, selectAll ? DeleteFrom::AllStorages : DeleteFrom::SelectedStorage);
    for (const std::string& index : change.done) confirmed.insert(std::stoi(index));
    change.RaiseFailure();
    return DeleteMessagesText(change);
}

// Under each fault in turn: the report expected, or "" for the failure raised as it is (the
// time-out under silence and a cut answer, the port's failure under a hang-up).
using Expected = std::vector<std::string>;

// One operation as a user starts it: what it reports, and the indexes the phone confirmed
// changed on the way (kept also when it raises).
struct Operation {
    const char* name;
    std::string target;  // the command the faults meet
    Expected expected;
    std::function<std::string(SimPhone&, std::set<int>& confirmed)> run;
};

std::vector<Operation> Operations() {
    const std::string raised;
    const std::string notDeleted = "Сообщение отправлено, но не удалено из телефона.";
    return {
        {"inbox",
         "AT+MMGR=3",
         {raised, raised, raised, "Не удалось прочитать сообщения: 3."},
         [](SimPhone& phone, std::set<int>&) { return ReadFolder(phone, MessageFolder::Inbox); }},
        {"outgoing",
         "AT+MMGL",
         {raised, raised, raised, "Проблемы с подключением. 3"},
         [](SimPhone& phone, std::set<int>&) {
             return ReadFolder(phone, MessageFolder::Outgoing);
         }},
        {"sent",
         "AT+CPMS",
         {raised, raised, raised, "Проблемы с подключением. 4"},
         [](SimPhone& phone, std::set<int>&) { return ReadFolder(phone, MessageFolder::Sent); }},
        {"drafts",
         "AT+MMGR=11",
         {raised, raised, raised, "Не удалось прочитать сообщения: 11."},
         [](SimPhone& phone, std::set<int>&) { return ReadFolder(phone, MessageFolder::Drafts); }},
        {"archive",
         "AT+CGSN",
         {raised, raised, raised, "Не удалось прочитать серийный номер телефона."},
         [](SimPhone& phone, std::set<int>&) {
             PhoneSession session(phone.settings);
             return FolderText(ReadMessageArchive(session));
         }},
        // Without an answer the phone takes the text for a command line, which it refuses.
        {"store",
         "AT+CMGW",
         {"Невозможно записать сообщение.", raised, raised, "Невозможно записать сообщение."},
         [](SimPhone& phone, std::set<int>&) { return Compose(phone, SendAction::StoreOnly); }},
        {"store and send",
         "AT+CMSS",
         {raised, raised, raised, "Сбой отправки..."},
         [](SimPhone& phone, std::set<int>&) { return Compose(phone, SendAction::StoreAndSend); }},
        // Once sent, the message is told to be sent whatever befalls the deleting.
        {"send and delete",
         "AT+CMGD",
         {notDeleted, notDeleted, notDeleted, notDeleted},
         [](SimPhone& phone, std::set<int>&) { return Compose(phone, SendAction::SendAndDelete); }},
        {"send stored",
         "AT+CMSS",
         {raised, raised, raised, "Сбой отправки..."},
         [](SimPhone& phone, std::set<int>& confirmed) {
             PhoneSession session = Session(phone);
             if (!SendStored(session, "8")) return std::string("Сбой отправки...");
             confirmed.insert(8);
             return std::string();
         }},
        {"delete",
         "AT+CMGD=3",
         {raised, raised, raised, "Телефон не удалил сообщение 3."},
         [](SimPhone& phone, std::set<int>& confirmed) {
             return DeleteEach(phone, {"10", "3", "6"}, true, confirmed);
         }},
        // The window deletes every row of the folder read last, from the last row up, in the
        // storage that read selected.
        {"delete all",
         "AT+CMGD=10",
         {raised, raised, raised, "Телефон не удалил сообщение 10."},
         [](SimPhone& phone, std::set<int>& confirmed) {
             ReadFolder(phone, MessageFolder::Drafts);
             return DeleteEach(phone, {"11", "10"}, false, confirmed);
         }},
        {"mark as read",
         "AT+MMAR",
         {raised, raised, raised, "The phone did not mark message 1 as read."},
         [](SimPhone& phone, std::set<int>& confirmed) {
             PhoneSession session = Session(phone);
             if (!MarkAsRead(session, "1"))
                 return std::string("The phone did not mark message 1 as read.");
             confirmed.insert(1);
             return std::string();
         }},
    };
}

// The archive lives in the current directory: every test gets a folder of its own.
class MessageFaults : public ::testing::Test {
protected:
    static void WriteArchive() { std::ofstream(kArchive, std::ios::binary) << kOldArchive; }

    // The messages after a fault: a new one may stand at any step of its way, each other one
    // as it was or as the clean run left it, and each one the phone confirmed as the clean run
    // left it. The archive keeps its bytes and grows by lines of the clean run only.
    static void ExpectNothingLost(SimPhone& phone, const Messages& before, const Messages& after,
                                  const std::vector<std::string>& archived,
                                  const std::set<int>& confirmed) {
        Messages now = phone.state().contents.messages;
        if (const auto added = At(now, kNewIndex)) {
            EXPECT_EQ(added->text, "Привет");
            EXPECT_EQ(added->number, "+79001234567");
            now.erase(kNewIndex);
        }
        Messages afterOthers = after;
        afterOthers.erase(kNewIndex);
        EXPECT_EQ(test::NeitherBeforeNorAfter(before, afterOthers, now), std::vector<int>{});
        for (int index : confirmed) EXPECT_EQ(At(now, index), At(after, index)) << index;
        const std::string bytes = test::FileBytes(kArchive);
        EXPECT_EQ(bytes.compare(0, kOldArchive.size(), kOldArchive), 0);
        for (const std::string& line : ArchiveLines(bytes))
            EXPECT_NE(std::find(archived.begin(), archived.end(), line), archived.end()) << line;
    }

    test::WorkingFolder folder_{"orlin_sms_faults_"};
    const fs::path dir_ = folder_.path();
};

TEST_F(MessageFaults, EveryOperationUnderEveryFault) {
    for (const Operation& op : Operations()) {
        SCOPED_TRACE(op.name);
        SimPhone clean("C350");
        clean.settings.PortTimeOut = kTimeoutMs;
        const Messages before = clean.state().contents.messages;
        std::set<int> unused;
        WriteArchive();
        clean.mark();
        ASSERT_EQ(op.run(clean, unused), "");
        const std::vector<std::string> commands = clean.since();
        const Messages after = clean.state().contents.messages;
        const std::vector<std::string> archived = ArchiveLines(test::FileBytes(kArchive));
        for (size_t f = 0; f < std::size(test::kEveryPhoneFault); ++f) {
            const PhoneFault fault = test::kEveryPhoneFault[f];
            SCOPED_TRACE(test::FaultName(fault));
            SimPhone phone("C350");
            phone.settings.PortTimeOut = kTimeoutMs;
            WriteArchive();
            std::set<int> confirmed;
            const FaultOutcome outcome = test::RunWithFault(
                phone, fault, op.target, commands, [&] { return op.run(phone, confirmed); });
            const bool raised = op.expected[f].empty();
            const std::string expected = !raised ? op.expected[f]
                                         : fault == PhoneFault::HangUp
                                             ? HangUpText(commands, op.target)
                                             : test::kTimeoutText;
            EXPECT_EQ(outcome.raised, raised);
            EXPECT_EQ(outcome.message, expected);
            EXPECT_EQ(outcome.portProblem, "");
            ExpectNothingLost(phone, before, after, archived, confirmed);
        }
    }
}

// orlin-cli sms: the verbs a user types, with what each prints under each fault.
struct CommandLine {
    const char* words;
    std::string target;
    Expected expected;             // on standard error; "": the failure as it is
    std::vector<std::string> out;  // standard output under each fault in turn; "*": any
    // Under each fault in turn, the messages it told deleted ("N deleted" and the refusals).
    std::vector<std::set<int>> confirmed = {{}, {}, {}, {}};
};

std::vector<CommandLine> CommandLines() {
    const std::string raised;
    const std::string notDeleted = "Сообщение отправлено, но не удалено из телефона.";
    return {
        {"sms list inbox",
         "AT+MMGR=3",
         {raised, raised, raised, "Не удалось прочитать сообщения: 3."},
         {"", "", "", "*"}},
        {"sms send +79001234567 Привет --delete-after",
         "AT+CMGD",
         {notDeleted, notDeleted, notDeleted, notDeleted},
         {"", "", "", ""}},
        {"sms send-stored 8",
         "AT+CMSS",
         {raised, raised, raised, "Сбой отправки..."},
         {"", "", "", ""}},
        {"sms delete 10 3 6",
         "AT+CMGD=3",
         {raised, raised, raised, "Телефон не удалил сообщение 3."},
         {"1 deleted\n", "1 deleted\n", "1 deleted\n", "2 deleted\n"},
         {{10}, {10}, {10}, {10, 6}}},
        {"sms mark-read 1",
         "AT+MMAR",
         {raised, raised, raised, "The phone did not mark message 1 as read."},
         {"", "", "", ""}},
        {"sms export sent.txt --folder sent",
         "AT+MMGR=7",
         {raised, raised, raised, "Не удалось прочитать сообщения: 7."},
         {"", "", "", ""}},
    };
}

TEST_F(MessageFaults, EveryCommandLineUnderEveryFault) {
    const std::string oldExport = "an older export\r\n";
    const auto run = [&](SimPhone& phone, const char* words) {
        WriteArchive();
        std::ofstream("sent.txt", std::ios::binary) << oldExport;
        return test::RunCli(dir_, phone.settings.PortName,
                            "--timeout " + std::to_string(kTimeoutMs) + " " + words);
    };
    for (const CommandLine& line : CommandLines()) {
        SCOPED_TRACE(line.words);
        SimPhone clean("C350");
        const Messages before = clean.state().contents.messages;
        clean.mark();
        const test::CliRun cleanRun = run(clean, line.words);
        ASSERT_EQ(cleanRun.status, 0) << cleanRun.err;
        const std::vector<std::string> commands = clean.since();
        const Messages after = clean.state().contents.messages;
        const std::vector<std::string> archived = ArchiveLines(test::FileBytes(kArchive));
        for (size_t f = 0; f < std::size(test::kEveryPhoneFault); ++f) {
            const PhoneFault fault = test::kEveryPhoneFault[f];
            SCOPED_TRACE(test::FaultName(fault));
            SimPhone phone("C350");
            test::CliRun cli;
            const FaultOutcome outcome =
                test::RunWithFault(phone, fault, line.target, commands, [&] {
                    cli = run(phone, line.words);
                    return cli.err;
                });
            EXPECT_EQ(cli.status, 1);
            const std::string expected = !line.expected[f].empty() ? line.expected[f]
                                         : fault == PhoneFault::HangUp
                                             ? HangUpText(commands, line.target)
                                             : test::kTimeoutText;
            EXPECT_NE(cli.err.find(expected), std::string::npos) << cli.err;
            if (line.out[f] != "*") {
                EXPECT_EQ(cli.out, line.out[f]);
            }
            EXPECT_EQ(outcome.portProblem, "");
            EXPECT_EQ(test::FileBytes("sent.txt"), oldExport);
            ExpectNothingLost(phone, before, after, archived, line.confirmed[f]);
        }
    }
}

}  // namespace
}  // namespace orlin
