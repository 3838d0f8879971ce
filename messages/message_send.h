#pragma once
// Composing a message (recipient, text limits, the AT+CMGW command), storing and sending it,
// and sending a message already stored on the phone. Texts are Windows-1251.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/phone_session.h"

namespace orlin {

// The dialog's actions, in the order of its radio group.
enum class SendAction { StoreOnly = 0, StoreAndSend = 1, SendAndDelete = 2 };

// The language of the text decides only the counter and which keys are taken.
enum class MessageLanguage { English = 0, Russian = 1 };

// 160 characters in "английский", 70 in "русский".
int TextLimit(MessageLanguage language);

// The language a text needs: "английский" when every character is Latin-1 (up to U+00FF),
// else "русский".
MessageLanguage LanguageOfText(std::u32string_view text);

// Why a text of `length` characters (more than the language's limit) is refused, naming the
// length, the limit and how much to cut (Windows-1251).
std::string TooLongText(int length, MessageLanguage language);

// What becomes of a key typed into the text.
enum class KeyVerdict { Accept, Discard };

inline constexpr char kBackspaceKey = 8;
inline constexpr char kDeleteKey = 127;

// A character key (Windows-1251) typed into a text of `length` characters. Enter is never
// taken; in "английский" the Russian letters (192..255) are not either (Ё and ё pass). With
// no characters left, character keys are discarded. Backspace and Delete always pass.
KeyVerdict FilterKey(MessageLanguage language, int length, char key);

// A recipient the phonebook offers: its name and number.
struct Contact {
    std::string name;
    std::string number;
    bool operator==(const Contact&) const = default;
};

// The number to send to. `picked` is the contact chosen in the box while its text is still
// that contact's name: its own number, so that two contacts of one name stay apart. Typed text
// is looked up by name (byte for byte, first match); without a match it is the number itself.
std::string ResolveRecipient(const std::string& text, std::optional<size_t> picked,
                             const std::vector<Contact>& contacts);

// False for a number holding a double quote, ";" or a control character (CR, LF, Ctrl-Z ...),
// which would end the command line and let the rest run as commands.
bool RecipientAllowed(const std::string& number);

// "AT+CMGW=" + quoted number + CR + phone text + Ctrl-Z.
std::string ComposeCommand(const std::string& number, const std::string& phoneText);

// Before the dialog: AT+CSCS=UCS2 (its answer is not needed).
void BeginCompose(PhoneSession& session);

enum class SendOutcome {
    WriteRefused,  // AT+CMGW refused: "Невозможно записать сообщение."
    NoIndex,  // OK without "+CMGW: n": "Сообщение записано, но не отправлено."
    Stored,       // "Сообщение записано в "Иходящие"."
    SendRefused,  // AT+CMSS refused: "Сбой отправки..."
    SentAndStored,  // "Сообщение отправлено и записано в "Иходящие"."
    SentAndDeleted,  // "Сообщение отправлено."
    SentNotDeleted,  // "Сообщение отправлено, но не удалено из телефона."
};

// The text of an outcome (Windows-1251) and whether it is a failure (an error box).
std::string SendOutcomeText(SendOutcome outcome);
bool IsSendFailure(SendOutcome outcome);

// A new message to `number` (Windows-1251 text, sent as phone text), over a session that
// BeginCompose prepared: stores it (ComposeCommand) and, by the action, sends it (AT+CMSS) and
// deletes it (500 ms later, AT+CPMS="MT" then AT+CMGD). Nothing is sent after a refusal, nor
// with an empty index. Once the phone confirmed the sending, a port failure in the deleting
// gives SentNotDeleted instead of raising; any other port failure raises. `wait` lets the
// 500 ms pass (by default the thread sleeps).
SendOutcome SendNewMessage(PhoneSession& session, const std::string& number,
                           const std::string& text, SendAction action,
                           const std::function<void(int ms)>& wait = {});

// Sends the stored message of `index` (AT+CMSS): true when the phone answered OK.
bool SendStored(PhoneSession& session, const std::string& index);
// "Сообщение отправлено..." when it was sent, else "Сбой отправки...".
std::string SendStoredText(bool sent);

}  // namespace orlin
