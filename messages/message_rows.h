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

// Icons of the "Тип" and "Статус" cells in the window's small-icon list.
inline constexpr int kNoMessageIcon = -1;
inline constexpr int kIncomingIcon = 36;
inline constexpr int kReadIcon = 34;
inline constexpr int kUnreadIcon = 35;
inline constexpr int kOutgoingIcon = 33;
inline constexpr int kSentIcon = 37;
inline constexpr int kUnsentIcon = 38;
inline constexpr int kDraftIcon = 30;
// The header of the sorted column: ascending, descending.
inline constexpr int kSortAscendingIcon = 41;
inline constexpr int kSortDescendingIcon = 40;

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
    int typeIcon = kNoMessageIcon;
    std::string statusText;
    int statusIcon = kNoMessageIcon;
    std::string text;

    // "Размер": the characters (bytes) of the decoded text.
    size_t size() const { return text.size(); }
    bool unread() const { return statusText == UnreadWord(); }
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

// The row after the phone took "mark as read": "прочитано" with its icon.
void MarkRowRead(MessageRow& row);

// The folder for a word of the command line: inbox, outgoing, sent, drafts, archive.
bool FolderByName(const std::string& name, MessageFolder& folder);

}  // namespace orlin
