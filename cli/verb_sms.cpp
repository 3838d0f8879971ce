// orlin-cli sms: list a folder (the inbox also goes into the archive, as in the window), send
// a new message, send a stored one, delete, mark as read, and export a folder to a file.

#include <iostream>
#include <optional>
#include <utility>

#include "cli/json_output.h"
#include "cli/progress.h"
#include "cli/verb.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/utf8.h"
#include "link/whole_file.h"
#include "messages/message_answers.h"
#include "messages/message_delete.h"
#include "messages/message_export.h"
#include "messages/message_folders.h"
#include "messages/message_send.h"

namespace orlin::cli {

namespace {

MessageFolder FolderWord(const std::string& word) {
    static const struct {
        const char* word;
        MessageFolder folder;
    } kFolders[] = {{"inbox", MessageFolder::Inbox},
                    {"outgoing", MessageFolder::Outgoing},
                    {"sent", MessageFolder::Sent},
                    {"drafts", MessageFolder::Drafts},
                    {"archive", MessageFolder::Archive}};
    // "Inbox" as the window's English tree shows it is "inbox" too.
    std::string lower = word;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const auto& each : kFolders)
        if (lower == each.word) return each.folder;
    throw UsageError("unknown folder '" + word + "' (inbox, outgoing, sent, drafts or archive)");
}

std::string CheckedIndex(const std::string& word) {
    if (!IsMessageIndex(word)) throw UsageError("'" + word + "' is not a message index");
    return word;
}

// The rows of a folder; false (after the messages on standard error) when the phone refused
// a command or some messages could not be read.
bool ReadRows(const Invocation& invocation, MessageFolder folder, std::vector<MessageRow>& rows) {
    CliProgress reading("reading");
    PhoneSession session(invocation.settings, SessionOptions(invocation, true));
    const FolderReport report = folder == MessageFolder::Archive
                                    ? ReadMessageArchive(session)
                                    : ReadMessageFolder(session, folder, reading);
    report.RaiseFailure();
    rows = report.rows;
    if (report.phoneIdMissing) std::cerr << PhoneIdWarning() << std::endl;
    const std::string status = StatusText(report);
    if (!status.empty()) std::cerr << status << std::endl;
    if (!report.unreadable.empty()) std::cerr << UnreadableText(report) << std::endl;
    return report.status == FolderStatus::Done && report.unreadable.empty();
}

Json JsonMessage(const MessageRow& row, const std::string& folder) {
    Json item;
    item["index"] = IsMessageIndex(row.index) && row.index.size() <= 9 ? Json(std::stoi(row.index))
                                                                       : Json(nullptr);
    item["folder"] = folder;
    item["number"] = row.number;
    item["time"] = JsonOrNull(IsoMessageTime(row.dateTime));
    item["type"] = row.kind == MessageKind::Incoming   ? "incoming"
                   : row.kind == MessageKind::Outgoing ? "outgoing"
                   : row.kind == MessageKind::Draft    ? "draft"
                                                       : "archived";
    const std::pair<std::string, const char*> statuses[] = {{ReadWord(), "read"},
                                                            {UnreadWord(), "unread"},
                                                            {SentWord(), "sent"},
                                                            {UnsentWord(), "unsent"},
                                                            {ArchivedWord(), "archived"}};
    item["status"] = nullptr;
    for (const auto& [text, word] : statuses)
        if (row.statusText == text) item["status"] = word;
    item["size"] = row.size();
    item["text"] = row.text;
    item["raw"] = {{"time", JsonText(row.dateTime)}};
    return item;
}

int List(const Invocation& invocation, MessageFolder folder, const std::string& folderWord,
         ListFormat format) {
    std::vector<MessageRow> rows;
    const bool whole = ReadRows(invocation, folder, rows);
    if (format == ListFormat::Json) {
        std::vector<Json> items;
        for (const MessageRow& row : rows) items.push_back(JsonMessage(row, folderWord));
        PrintJsonList(std::cout, items);
        return whole && std::cout ? 0 : 1;
    }
    for (const MessageRow& row : rows) std::cout << TabSeparatedLine(row) << '\n';
    return whole && std::cout ? 0 : 1;
}

int Send(const Invocation& invocation, const std::vector<std::string>& args) {
    SendAction action = SendAction::StoreAndSend;
    std::vector<std::string> words;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--store-only" || args[i] == "--delete-after") {
            if (action != SendAction::StoreAndSend)
                throw UsageError("give at most one of --store-only and --delete-after");
            action = args[i] == "--store-only" ? SendAction::StoreOnly : SendAction::SendAndDelete;
        } else if (args[i].compare(0, 2, "--") == 0) {
            throw UsageError("unknown option " + args[i]);
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() != 2) throw UsageError("sms send needs a NUMBER and a TEXT");
    const Utf8Text& number = words[0];
    if (number.empty()) throw UsageError("the NUMBER is empty: give the number to send to");
    if (!RecipientAllowed(number))
        throw UsageError("the number holds characters a number cannot hold");
    const std::optional<std::u32string> text = Utf8Characters(words[1]);
    if (!text) throw UsageError("the TEXT is not UTF-8");
    if (text->empty())
        throw UsageError("the TEXT is empty: a message needs at least one character");
    const Utf8Text& utf8 = words[1];
    // Any character goes; the limit follows from the text, as the phone sends it.
    const TextCapacity capacity = CapacityOfText(*text);
    if (capacity.length > capacity.limit)
        throw UsageError(
            capacity.gsm
                ? "the text takes " + std::to_string(capacity.length) +
                      " places; a message in the GSM 7-bit alphabet holds 160 (^ { } [ ] ~ | \\ "
                      "and the euro sign take two places each)"
                : "the text has " + std::to_string(capacity.length) +
                      " characters; a message holds 70 when a character lies outside the GSM "
                      "7-bit alphabet");

    // The phone text has no place for them (the window's editor drops them the same way).
    if (utf8.find_first_of("\r\n") != std::string::npos)
        std::cerr << "Line breaks are not sent: the text goes as one line." << std::endl;
    // Nothing is replaced in silence.
    const Utf8Text beyond = MessageBeyondUcs2Text(utf8);
    if (!beyond.empty()) std::cerr << beyond << std::endl;

    PhoneSession session(invocation.settings, SessionOptions(invocation, true));
    BeginCompose(session);
    const SendOutcome outcome = SendNewMessage(session, number, utf8, action);
    (IsSendFailure(outcome) ? std::cerr : std::cout) << SendOutcomeText(outcome) << std::endl;
    return IsSendFailure(outcome) ? 1 : 0;
}

int SendStoredMessage(const Invocation& invocation, const std::string& index) {
    PhoneSession session(invocation.settings, SessionOptions(invocation, true));
    const bool sent = SendStored(session, index);
    (sent ? std::cout : std::cerr) << SendStoredText(sent) << std::endl;
    return sent ? 0 : 1;
}

int Delete(const Invocation& invocation, const std::vector<std::string>& indexes) {
    MessagesChange change;
    try {
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        change = DeleteMessages(session, indexes);
    } catch (const OrlinError&) {
        std::cout << "0 deleted\n";  // the port did not open
        throw;
    }
    // How many the phone deleted, also before a failure, then the failure.
    std::cout << change.done.size() << " deleted\n";
    change.RaiseFailure();
    if (change.refused.empty()) return 0;
    std::cerr << DeleteMessagesText(change) << std::endl;
    return 1;
}

int MarkRead(const Invocation& invocation, const std::string& index) {
    PhoneSession session(invocation.settings, SessionOptions(invocation, true));
    if (MarkAsRead(session, index)) return 0;
    std::cerr << MarkAsReadRefusedText(index) << std::endl;
    return 1;
}

int Export(const Invocation& invocation, const std::vector<std::string>& args) {
    std::optional<MessageFolder> folder;
    bool csv = false;
    std::vector<std::string> words;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string word = args[i];
        std::string value;
        const size_t equals = word.find('=');
        const bool option = word.compare(0, 2, "--") == 0;
        if (option && equals != std::string::npos) {
            value = word.substr(equals + 1);
            word.erase(equals);
        } else if (option && (word == "--folder" || word == "--format")) {
            if (i + 1 >= args.size()) throw UsageError(word + " needs a value");
            value = args[++i];
        }
        if (word == "--folder") {
            folder = FolderWord(value);
        } else if (word == "--format") {
            if (value != "blocks" && value != "csv")
                throw UsageError("--format is blocks or csv, not '" + value + "'");
            csv = value == "csv";
        } else if (option) {
            throw UsageError("unknown option " + word);
        } else {
            words.push_back(word);
        }
    }
    if (words.size() != 1) throw UsageError("sms export needs one FILE");
    if (!folder) throw UsageError("sms export needs --folder");
    std::vector<MessageRow> rows;
    if (!ReadRows(invocation, *folder, rows)) return 1;
    size_t changed = 0;
    WriteWholeFile(words[0], csv ? ExportCsv(rows) : ExportBlocks(rows, &changed));
    std::cout << rows.size() << " messages exported to " << words[0] << "\n";
    // The blocks are Windows-1251: what they could not hold is said, with the way out.
    if (changed > 0) std::cerr << BlocksChangedText(changed) << std::endl;
    return 0;
}

int RunSms(const Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.empty())
        throw UsageError("sms needs list, send, send-stored, delete, mark-read or export");
    const std::string& what = args[0];
    if (what == "list") {
        std::vector<std::string> words = args;
        const ListFormat format = TakeListFormat(words);
        if (words.size() != 2) throw UsageError("sms list needs one folder");
        return List(invocation, FolderWord(words[1]), words[1], format);
    }
    if (what == "send") return Send(invocation, args);
    if (what == "send-stored" || what == "mark-read") {
        if (args.size() != 2) throw UsageError("sms " + what + " needs one INDEX");
        const std::string index = CheckedIndex(args[1]);
        return what == "send-stored" ? SendStoredMessage(invocation, index)
                                     : MarkRead(invocation, index);
    }
    if (what == "delete") {
        if (args.size() < 2) throw UsageError("sms delete needs at least one INDEX");
        std::vector<std::string> indexes;
        for (size_t i = 1; i < args.size(); ++i) indexes.push_back(CheckedIndex(args[i]));
        return Delete(invocation, indexes);
    }
    if (what == "export") return Export(invocation, args);
    throw UsageError("unknown sms command '" + what + "'");
}

const VerbRegistration registration({
    "sms",
    "sms list FOLDER [--format json] | send NUMBER TEXT [--store-only | --delete-after] | "
    "send-stored INDEX |\n"
    "      delete INDEX... | mark-read INDEX | export FILE --folder FOLDER [--format blocks|csv]",
    "FOLDER is inbox, outgoing, sent, drafts or archive (in any case: Inbox too).\n"
    "list: one line a message, tab-separated: index, number, date/time, type, size, status,\n"
    "  text (line breaks as blanks). Reading the inbox adds its new messages to the archive\n"
    "  sms_<phone id>.txt in the current directory, as the window does. --format json: one\n"
    "  JSON object per message (see JSON output below).\n"
    "send: stores the message on the phone and sends it; --store-only only stores it,\n"
    "  --delete-after deletes it once sent. Any text of the phone's characters goes: it holds\n"
    "  160 characters when all of them are in the GSM 7-bit alphabet, else 70; characters\n"
    "  beyond UCS2 (emoji) are sent as '?', which it says.\n"
    "send-stored, delete, mark-read: by the index that list shows. delete prints how many\n"
    "  were deleted, also when a failure stops it half-way.\n"
    "export: reads the folder and writes it to FILE: blocks (the window's text format,\n"
    "  Windows-1251, '?' for what it lacks, which it says) or csv (RFC 4180, UTF-8 with a\n"
    "  byte-order mark, every character).\n"
    "A command the phone refuses exits 1 with its message.",
    RunSms,
});

}  // namespace

}  // namespace orlin::cli
