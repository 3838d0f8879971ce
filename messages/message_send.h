#pragma once
// Composing a message (recipient, text limits, the AT+CMGW command), storing and sending it,
// and sending a message already stored on the phone. Texts are UTF-8; the key filter alone
// takes a key as its Windows-1251 byte, as it always did.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/phone_session.h"
#include "link/text_types.h"

namespace orlin {

// The dialog's actions, in the order of its radio group.
enum class SendAction { StoreOnly = 0, StoreAndSend = 1, SendAndDelete = 2 };

// The language of the text decides only the counter and which keys are taken.
enum class MessageLanguage { English = 0, Russian = 1 };

// 160 characters in "английский", 70 in "русский".
int TextLimit(MessageLanguage language);

// What a text takes of a message, for the command line, which has no language to choose:
// 160 places when every character lies in the GSM 7-bit default alphabet (the characters of
// its extension table, ^ { } [ ] ~ | \ and €, take two places each, as the phone sends them
// with an escape), else 70 characters, as the phone then sends the text in UCS2 (a character
// beyond UCS2 is one '?').
struct TextCapacity {
    size_t length = 0;  // the places the text takes
    size_t limit = 0;   // 160 or 70
    bool gsm = false;   // every character in the GSM 7-bit default alphabet
};
TextCapacity CapacityOfText(std::u32string_view text);

// Why a text of `length` characters (more than the language's limit) is refused, naming the
// length, the limit and how much to cut.
Utf8Text TooLongText(int length, MessageLanguage language);

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
    Utf8Text name;
    Utf8Text number;
    bool operator==(const Contact&) const = default;
};

// The number to send to. `picked` is the contact chosen in the box while its text is still
// that contact's name: its own number, so that two contacts of one name stay apart. Typed text
// is looked up by name (byte for byte, first match); without a match it is the number itself.
Utf8Text ResolveRecipient(const Utf8Text& text, std::optional<size_t> picked,
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

// The text of an outcome and whether it is a failure (an error box).
Utf8Text SendOutcomeText(SendOutcome outcome);
bool IsSendFailure(SendOutcome outcome);

// What the phone gets of a text: every character of the Basic Multilingual Plane as it is;
// those beyond it (an emoji), which UCS2 cannot hold, become '?'. Empty when none does, else
// "Телефон не хранит 2 символа текста (за пределами UCS2, например эмодзи): в сообщении
// вместо них будут «?»."
Utf8Text MessageBeyondUcs2Text(const Utf8Text& text);

// A new message to `number` (its text sent in UCS2, EncodeUcs2), over a session that
// BeginCompose prepared: stores it (ComposeCommand) and, by the action, sends it (AT+CMSS) and
// deletes it (500 ms later, AT+CPMS="MT" then AT+CMGD). Nothing is sent after a refusal, nor
// with an empty index. Once the phone confirmed the sending, a port failure in the deleting
// gives SentNotDeleted instead of raising; any other port failure raises. `wait` lets the
// 500 ms pass (by default the thread sleeps).
SendOutcome SendNewMessage(PhoneSession& session, const Utf8Text& number, const Utf8Text& text,
                           SendAction action, const std::function<void(int ms)>& wait = {});

// Sends the stored message of `index` (AT+CMSS): true when the phone answered OK.
bool SendStored(PhoneSession& session, const std::string& index);
// "Сообщение отправлено..." when it was sent, else "Сбой отправки...".
Utf8Text SendStoredText(bool sent);

}  // namespace orlin
