#include "messages/message_folders.h"

#include <algorithm>

#include "link/answers.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/slot_list.h"
#include "link/whole_file.h"
#include "messages/message_answers.h"
#include "messages/message_archive.h"

namespace orlin {

namespace {

// The storage of a folder and where a refusal of its two commands stops the read.
struct FolderCommands {
    const char* storageCommand;
    FolderStatus storageRefused;
    FolderStatus listRefused;
    const char* onlyStatus;  // the folder lists only this status; null: every message
};

FolderCommands CommandsOf(MessageFolder folder) {
    switch (folder) {
        case MessageFolder::Inbox:
            return {"AT+CPMS=\"IM\"", FolderStatus::InboxStorage, FolderStatus::InboxList, nullptr};
        case MessageFolder::Outgoing:
            return {"AT+CPMS=\"OM\"", FolderStatus::OutboxStorage, FolderStatus::OutboxList,
                    "STO UNSENT"};
        case MessageFolder::Sent:
            return {"AT+CPMS=\"OM\"", FolderStatus::OutboxStorage, FolderStatus::OutboxList,
                    "STO SENT"};
        default:
            return {"AT+CPMS=\"DM\"", FolderStatus::DraftsStorage, FolderStatus::DraftsList,
                    nullptr};
    }
}

// The row of a message as its folder shows it; the status is the one the message's own
// answer gave.
MessageRow RowOf(MessageFolder folder, const std::string& index, const Utf8Text& number,
                 const MessageAnswer& message, const Utf8Text& text) {
    switch (folder) {
        case MessageFolder::Inbox:
            return InboxRow(index, number, message.dateTime, text, message.status == "REC UNREAD");
        case MessageFolder::Drafts:
            return DraftRow(index, number, text);
        default:
            return StoredRow(index, number, text, message.status == "STO SENT");
    }
}

}  // namespace

std::string StatusText(const FolderReport& report) {
    if (report.status == FolderStatus::Done) return {};
    return Tr("MessageFolders", "Проблемы с подключением. ") +
           std::to_string(static_cast<int>(report.status));
}

std::string PhoneIdWarning() {
    return Tr("MessageFolders", "Не удалось прочитать серийный номер телефона.");
}

std::string UnreadableText(const FolderReport& report) {
    if (report.unreadable.empty()) return {};
    return Tr("MessageFolders", "Не удалось прочитать сообщения: ") + SlotList(report.unreadable) +
           ".";
}

std::vector<std::string> WarningTexts(const FolderReport& report) {
    std::vector<std::string> texts;
    if (report.phoneIdMissing) texts.push_back(PhoneIdWarning());
    if (!report.unreadable.empty()) texts.push_back(UnreadableText(report));
    return texts;
}

std::optional<std::string> ReadPhoneId(PhoneSession& session) {
    return ParseCgsnPhoneId(session.AtCommand("AT+CGSN"));
}

namespace {

void ReadFolderSteps(PhoneSession& session, MessageFolder folder, Interaction& interaction,
                     const RowSink& sink, FolderReport& report) {
    std::string archive;
    if (folder == MessageFolder::Inbox) {
        const std::optional<std::string> id = ReadPhoneId(session);
        report.phoneIdMissing = !id;
        if (id) {
            archive = ArchivePath(*id);
            EnsureArchive(archive);
        }
    }

    if (!EndsInOk(session.AtCommand("AT+CSCS=UCS2"))) {
        report.status = FolderStatus::Charset;
        return;
    }
    report.listCleared = true;
    if (sink.cleared) sink.cleared();

    const FolderCommands commands = CommandsOf(folder);
    const std::string storage = session.AtCommand(commands.storageCommand);
    if (!EndsInOk(storage)) {
        report.status = commands.storageRefused;
        return;
    }
    const int count = ParseCpmsCount(storage);
    interaction.progress(0, count);
    const std::string list = session.AtCommand("AT+MMGL=\"HEADER ONLY\"");
    if (!EndsInOk(list)) {
        report.status = commands.listRefused;
        return;
    }

    std::vector<TArchiveSMS> received;
    const std::vector<MessageHeader> headers = ParseMmglHeaders(list);
    // Every message counts, the first as 1 and the last as the whole.
    const int total = static_cast<int>(headers.size());
    for (size_t i = 0; i < headers.size(); ++i) {
        const MessageHeader& header = headers[i];
        if (commands.onlyStatus && header.status != commands.onlyStatus) {
            interaction.progress(static_cast<int>(i) + 1, total);
            continue;
        }
        std::optional<MessageAnswer> message;
        Utf8Text text;
        if (IsMessageIndex(header.index)) {
            message = ParseMmgrMessage(session.AtCommand("AT+MMGR=" + header.index));
            try {
                if (message) text = DecodeUcs2(message->phoneText);
            } catch (const EConvertError&) {
                message.reset();
            }
        }
        if (!message) {
            report.unreadable.push_back(header.index.empty() ? "?" : header.index);
        } else {
            // The number as the phone put it in the header: ASCII, or 8-bit text as it was
            // always taken (Windows-1251 unless it is well-formed UTF-8).
            const Utf8Text number = Utf8OrCp1251ToUtf8(message->number);
            const MessageRow row = RowOf(folder, header.index, number, *message, text);
            report.rows.push_back(row);
            if (sink.added) sink.added(row);
            if (folder == MessageFolder::Inbox)
                received.push_back({number, message->dateTime, text});
        }
        interaction.progress(static_cast<int>(i) + 1, total);
        interaction.processEvents();
    }
    if (!archive.empty()) report.archived = AppendToArchive(archive, received);
}

}  // namespace

FolderReport ReadMessageFolder(PhoneSession& session, MessageFolder folder,
                               Interaction& interaction, const RowSink& sink) {
    FolderReport report;
    KeepFailure(report, [&] { ReadFolderSteps(session, folder, interaction, sink, report); });
    return report;
}

FolderReport ReadMessageArchive(PhoneSession& session) {
    FolderReport report;
    KeepFailure(report, [&] {
        const std::optional<std::string> id = ReadPhoneId(session);
        report.listCleared = true;
        if (!id) {
            report.phoneIdMissing = true;
            return;
        }
        const std::string path = ArchivePath(*id);
        EnsureArchive(path);
        for (const TArchiveSMS& message : ParseArchive(ReadWholeFile(path)))
            report.rows.push_back(ArchiveRow(message));
    });
    return report;
}

}  // namespace orlin
