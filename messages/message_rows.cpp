#include "messages/message_rows.h"

#include "link/language.h"

namespace orlin {

Utf8Text ReadWord() {
    return Tr("MessageRows", "прочитано");
}
Utf8Text UnreadWord() {
    return Tr("MessageRows", "не прочитано");
}
Utf8Text SentWord() {
    return Tr("MessageRows", "отправлено");
}
Utf8Text UnsentWord() {
    return Tr("MessageRows", "не отправлено");
}
Utf8Text ArchivedWord() {
    return Tr("MessageRows", "сохранено");
}

size_t MessageRow::size() const {
    // Characters, line breaks included: every byte that does not continue a UTF-8 character.
    size_t characters = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return characters;
}

MessageRow InboxRow(const std::string& index, const Utf8Text& number, const std::string& dateTime,
                    const Utf8Text& text, bool unread) {
    MessageRow row;
    row.index = index;
    row.number = number;
    row.dateTime = dateTime;
    row.typeText = Tr("MessageRows", "входящее");
    row.kind = MessageKind::Incoming;
    row.statusText = unread ? UnreadWord() : ReadWord();
    row.state = unread ? MessageState::Unread : MessageState::Read;
    row.text = text;
    return row;
}

MessageRow StoredRow(const std::string& index, const Utf8Text& number, const Utf8Text& text,
                     bool sent) {
    MessageRow row;
    row.index = index;
    row.number = number;
    row.dateTime = kNoDateTime;
    row.typeText = Tr("MessageRows", "исходящее");
    row.kind = MessageKind::Outgoing;
    row.statusText = sent ? SentWord() : UnsentWord();
    row.state = sent ? MessageState::Sent : MessageState::Unsent;
    row.text = text;
    return row;
}

MessageRow DraftRow(const std::string& index, const Utf8Text& number, const Utf8Text& text) {
    MessageRow row = StoredRow(index, number, text, false);
    row.typeText = Tr("MessageRows", "черновик");
    row.kind = MessageKind::Draft;
    return row;
}

MessageRow ArchiveRow(const TArchiveSMS& message) {
    MessageRow row;
    row.number = message.number;
    row.dateTime = message.dateTime;
    row.typeText = Tr("MessageRows", "архив");
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
