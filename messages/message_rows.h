#pragma once
// What the message list shows: the folders of the tree, one row per message with its kind
// and status words, and the archived message record. Texts are UTF-8.

#include <string>
#include <vector>

#include "link/text_types.h"

namespace orlin {

// The folders of the tree, numbered by the state index of their node.
enum class MessageFolder { Inbox = 1, Outgoing = 2, Sent = 3, Drafts = 4, Archive = 5 };

// One archived message: number, date and time, text.
struct TArchiveSMS {
    Utf8Text number;
    std::string dateTime;
    Utf8Text text;
    bool operator==(const TArchiveSMS&) const = default;
};

// What a row is and what became of it: the "Тип" and "Статус" cells in words, and for the
// window the icon each kind and state has.
enum class MessageKind { Incoming, Outgoing, Draft, Archived };
enum class MessageState { Read, Unread, Sent, Unsent, Saved };

// The "Дата/Время" of stored messages, which carry none.
inline constexpr const char* kNoDateTime = "-------------";

// The status words of the list (UTF-8).
Utf8Text ReadWord();      // "прочитано"
Utf8Text UnreadWord();    // "не прочитано"
Utf8Text SentWord();      // "отправлено"
Utf8Text UnsentWord();    // "не отправлено"
Utf8Text ArchivedWord();  // "сохранено"

struct MessageRow {
    std::string index;  // "#": the index in the phone's storage; empty for archive rows
    Utf8Text number;
    std::string dateTime;
    Utf8Text typeText;
    MessageKind kind = MessageKind::Archived;
    Utf8Text statusText;
    MessageState state = MessageState::Saved;
    Utf8Text text;

    // "Размер": the characters of the decoded text (Unicode characters, line breaks included).
    size_t size() const;
    bool unread() const { return state == MessageState::Unread; }
    bool fromArchive() const { return index.empty(); }
    bool operator==(const MessageRow&) const = default;
};

MessageRow InboxRow(const std::string& index, const Utf8Text& number, const std::string& dateTime,
                    const Utf8Text& text, bool unread);
// Outgoing and sent messages: "исходящее", sent or not.
MessageRow StoredRow(const std::string& index, const Utf8Text& number, const Utf8Text& text,
                     bool sent);
MessageRow DraftRow(const std::string& index, const Utf8Text& number, const Utf8Text& text);
MessageRow ArchiveRow(const TArchiveSMS& message);

// The row after the phone took "mark as read": "прочитано".
void MarkRowRead(MessageRow& row);

}  // namespace orlin
