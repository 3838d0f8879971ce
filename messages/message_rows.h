#pragma once
// What the message list shows: the folders of the tree, one row per message with its kind
// and status words, and the archived message record. Texts are Windows-1251.

#include <string>
#include <vector>

namespace orlin {

// The folders of the tree, numbered by the state index of their node.
enum class MessageFolder { Inbox = 1, Outgoing = 2, Sent = 3, Drafts = 4, Archive = 5 };

// One archived message: number, date and time, text.
struct TArchiveSMS {
    std::string number;
    std::string dateTime;
    std::string text;
    bool operator==(const TArchiveSMS&) const = default;
};

// What a row is and what became of it: the "Тип" and "Статус" cells in words, and for the
// window the icon each kind and state has.
enum class MessageKind { Incoming, Outgoing, Draft, Archived };
enum class MessageState { Read, Unread, Sent, Unsent, Saved };

// The "Дата/Время" of stored messages, which carry none.
inline constexpr const char* kNoDateTime = "-------------";

// The status words of the list (Windows-1251).
std::string ReadWord();      // "прочитано"
std::string UnreadWord();    // "не прочитано"
std::string SentWord();      // "отправлено"
std::string UnsentWord();    // "не отправлено"
std::string ArchivedWord();  // "сохранено"

struct MessageRow {
    std::string index;  // "#": the index in the phone's storage; empty for archive rows
    std::string number;
    std::string dateTime;
    std::string typeText;
    MessageKind kind = MessageKind::Archived;
    std::string statusText;
    MessageState state = MessageState::Saved;
    std::string text;

    // "Размер": the characters (bytes) of the decoded text.
    size_t size() const { return text.size(); }
    bool unread() const { return state == MessageState::Unread; }
    bool fromArchive() const { return index.empty(); }
    bool operator==(const MessageRow&) const = default;
};

MessageRow InboxRow(const std::string& index, const std::string& number,
                    const std::string& dateTime, const std::string& text, bool unread);
// Outgoing and sent messages: "исходящее", sent or not.
MessageRow StoredRow(const std::string& index, const std::string& number, const std::string& text,
                     bool sent);
MessageRow DraftRow(const std::string& index, const std::string& number, const std::string& text);
MessageRow ArchiveRow(const TArchiveSMS& message);

// The row after the phone took "mark as read": "прочитано".
void MarkRowRead(MessageRow& row);

}  // namespace orlin
