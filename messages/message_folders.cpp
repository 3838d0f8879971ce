#include "messages/message_folders.h"

#include <algorithm>

#include "link/answers.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/whole_file.h"
#include "messages/message_answers.h"
#include "messages/message_archive.h"

namespace orlin {

namespace {

// The storage of a folder and where a refusal of its two commands stops the read.
struct FolderCommands {
    const char* storageCommand;
    FolderFailure storageRefused;
    FolderFailure listRefused;
    const char* onlyStatus;  // the folder lists only this status; null: every message
};

FolderCommands CommandsOf(MessageFolder folder) {
    switch (folder) {
        case MessageFolder::Inbox:
            return {"AT+CPMS=\"IM\"", FolderFailure::InboxStorage, FolderFailure::InboxList,
                    nullptr};
        case MessageFolder::Outgoing:
            return {"AT+CPMS=\"OM\"", FolderFailure::OutboxStorage, FolderFailure::OutboxList,
                    "STO UNSENT"};
        case MessageFolder::Sent:
            return {"AT+CPMS=\"OM\"", FolderFailure::OutboxStorage, FolderFailure::OutboxList,
                    "STO SENT"};
        default:
            return {"AT+CPMS=\"DM\"", FolderFailure::DraftsStorage, FolderFailure::DraftsList,
                    nullptr};
    }
}

// The row of a message as its folder shows it; the status is the one the message's own
// answer gave.
MessageRow RowOf(MessageFolder folder, const std::string& index, const MessageAnswer& message,
                 const std::string& text) {
    switch (folder) {
        case MessageFolder::Inbox:
            return InboxRow(index, message.number, message.dateTime, text,
                            message.status == "REC UNREAD");
        case MessageFolder::Drafts:
            return DraftRow(index, message.number, text);
        default:
            return StoredRow(index, message.number, text, message.status == "STO SENT");
    }
}

}  // namespace

std::string FailureText(FolderFailure failure) {
    if (failure == FolderFailure::None) return {};
    return Utf8ToCp1251("Проблемы с подключением. ") + std::to_string(static_cast<int>(failure));
}

std::string PhoneIdWarning() {
    return Utf8ToCp1251("Не удалось прочитать серийный номер телефона.");
}

std::string UnreadableText(const FolderReport& report) {
    if (report.unreadable.empty()) return {};
    std::string list;
    for (const std::string& index : report.unreadable) list += (list.empty() ? "" : ", ") + index;
    return Utf8ToCp1251("Не удалось прочитать сообщения: ") + list + ".";
}

std::optional<std::string> ReadPhoneId(const PortSettings& settings) {
    PhoneSession session(settings);
    return PhoneIdFromAnswer(session.AtCommand("AT+CGSN"));
}

FolderReport ReadMessageFolder(const PortSettings& settings, MessageFolder folder,
                               Interaction& interaction, const RowSink& sink) {
    FolderReport report;
    std::string archive;
    if (folder == MessageFolder::Inbox) {
        const std::optional<std::string> id = ReadPhoneId(settings);
        report.phoneIdMissing = !id;
        if (id) {
            archive = ArchivePath(*id);
            EnsureArchive(archive);
        }
    }

    PhoneSession::Options options;
    options.useSettingsTimeout = true;
    PhoneSession session(settings, options);
    if (!EndsInOk(session.AtCommand("AT+CSCS=UCS2"))) {
        report.failure = FolderFailure::Charset;
        return report;
    }
    report.listCleared = true;
    if (sink.cleared) sink.cleared();

    const FolderCommands commands = CommandsOf(folder);
    const std::string storage = session.AtCommand(commands.storageCommand);
    if (!EndsInOk(storage)) {
        report.failure = commands.storageRefused;
        return report;
    }
    const int count = StorageCountFromAnswer(storage);
    interaction.progress(0, count);
    const std::string list = session.AtCommand("AT+MMGL=\"HEADER ONLY\"");
    if (!EndsInOk(list)) {
        report.failure = commands.listRefused;
        return report;
    }

    std::vector<TArchiveSMS> received;
    const std::vector<MessageHeader> headers = HeaderLines(list);
    // Every message counts, the first as 1 and the last as the whole.
    const int total = static_cast<int>(headers.size());
    for (size_t i = 0; i < headers.size(); ++i) {
        const MessageHeader& header = headers[i];
        if (commands.onlyStatus && header.status != commands.onlyStatus) {
            interaction.progress(static_cast<int>(i) + 1, total);
            continue;
        }
        std::optional<MessageAnswer> message;
        std::string text;
        if (IsMessageIndex(header.index)) {
            message = ParseMessageAnswer(session.AtCommand("AT+MMGR=" + header.index));
            try {
                if (message) text = DecodePhoneText(message->phoneText);
            } catch (const EConvertError&) {
                message.reset();
            }
        }
        if (!message) {
            report.unreadable.push_back(header.index.empty() ? "?" : header.index);
        } else {
            const MessageRow row = RowOf(folder, header.index, *message, text);
            report.rows.push_back(row);
            if (sink.added) sink.added(row);
            if (folder == MessageFolder::Inbox)
                received.push_back({message->number, message->dateTime, text});
        }
        interaction.progress(static_cast<int>(i) + 1, total);
        interaction.processEvents();
    }
    if (!archive.empty()) report.archived = AppendToArchive(archive, received);
    return report;
}

FolderReport ShowMessageArchive(const PortSettings& settings) {
    FolderReport report;
    const std::optional<std::string> id = ReadPhoneId(settings);
    report.listCleared = true;
    if (!id) {
        report.phoneIdMissing = true;
        return report;
    }
    const std::string path = ArchivePath(*id);
    EnsureArchive(path);
    for (const TArchiveSMS& message : ParseArchive(ReadWholeFile(path)))
        report.rows.push_back(ArchiveRow(message));
    return report;
}

}  // namespace orlin
