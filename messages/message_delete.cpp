#include "messages/message_delete.h"

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/language.h"
#include "link/slot_list.h"

namespace orlin {

MessagesChange DeleteMessages(PhoneSession& session, const std::vector<std::string>& indexes,
                              DeleteFrom from) {
    MessagesChange change;
    KeepFailure(change, [&] {
        // Every storage, so that an index of any folder names its message.
        if (from == DeleteFrom::AllStorages && !indexes.empty())
            session.AtCommand("AT+CPMS=\"MT\"");
        for (const std::string& index : indexes) {
            CheckBareField(index, Tr("MessageDelete", "номер сообщения"));
            change.unanswered = index;
            const bool deleted = EndsInOk(session.AtCommand("AT+CMGD=" + index));
            change.unanswered.reset();
            if (deleted)
                change.done.push_back(index);
            else
                change.Refuse(index);
        }
    });
    change.LeaveUnsent(indexes);
    return change;
}

Utf8Text DeleteMessagesText(const MessagesChange& change) {
    if (change.refused.empty()) return {};
    return std::string(change.refused.size() == 1
                           ? Tr("MessageDelete", "Телефон не удалил сообщение ")
                           : Tr("MessageDelete", "Телефон не удалил сообщения: ")) +
           SlotList(change.refused) + ".";
}

bool MarkAsRead(PhoneSession& session, const std::string& index) {
    CheckBareField(index, Tr("MessageDelete", "номер сообщения"));
    return EndsInOk(session.AtCommand("AT+MMAR=" + index));
}

Utf8Text MarkAsReadRefusedText(const std::string& index) {
    return "The phone did not mark message " + index + " as read.";
}

Utf8Text NothingSelectedText() {
    return Tr("MessageDelete", "Нет выбранной записи...");
}

Utf8Text NothingHighlightedText() {
    return Tr("MessageDelete", "Нет выделенной записи...");
}

Utf8Text ArchiveRowText() {
    return Tr("MessageDelete", "Это сообщение из архива на компьютере: на телефоне его нет.");
}

}  // namespace orlin
