#include "messages/message_rows.h"

#include "link/cp1251.h"

namespace orlin {

std::string ReadWord() {
    return Utf8ToCp1251("прочитано");
}
std::string UnreadWord() {
    return Utf8ToCp1251("не прочитано");
}
std::string SentWord() {
    return Utf8ToCp1251("отправлено");
}
std::string UnsentWord() {
    return Utf8ToCp1251("не отправлено");
}
std::string ArchivedWord() {
    return Utf8ToCp1251("сохранено");
}

MessageRow InboxRow(const std::string& index, const std::string& number,
                    const std::string& dateTime, const std::string& text, bool unread) {
    MessageRow row;
    row.index = index;
    row.number = number;
    row.dateTime = dateTime;
    row.typeText = Utf8ToCp1251("входящее");
    row.kind = MessageKind::Incoming;
    row.statusText = unread ? UnreadWord() : ReadWord();
    row.state = unread ? MessageState::Unread : MessageState::Read;
    row.text = text;
    return row;
}

MessageRow StoredRow(const std::string& index, const std::string& number, const std::string& text,
                     bool sent) {
    MessageRow row;
    row.index = index;
    row.number = number;
    row.dateTime = kNoDateTime;
    row.typeText = Utf8ToCp1251("исходящее");
    row.kind = MessageKind::Outgoing;
    row.statusText = sent ? SentWord() : UnsentWord();
    row.state = sent ? MessageState::Sent : MessageState::Unsent;
    row.text = text;
    return row;
}

MessageRow DraftRow(const std::string& index, const std::string& number, const std::string& text) {
    MessageRow row = StoredRow(index, number, text, false);
    row.typeText = Utf8ToCp1251("черновик");
    row.kind = MessageKind::Draft;
    return row;
}

MessageRow ArchiveRow(const TArchiveSMS& message) {
    MessageRow row;
    row.number = message.number;
    row.dateTime = message.dateTime;
    row.typeText = Utf8ToCp1251("архив");
    row.kind = MessageKind::Archived;
    row.statusText = ArchivedWord();
    row.state = MessageState::Saved;
    row.text = message.text;
    return row;
}

void MarkRowRead(MessageRow& row) {
    row.statusText = ReadWord();
    row.state = MessageState::Read;
}

}  // namespace orlin
