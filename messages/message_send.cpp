#include "messages/message_send.h"

#include <chrono>
#include <thread>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"
#include "link/plural.h"
#include "messages/message_answers.h"

namespace orlin {

int TextLimit(MessageLanguage language) {
    return language == MessageLanguage::Russian ? 70 : 160;
}

MessageLanguage LanguageOfText(std::u32string_view text) {
    for (char32_t c : text)
        if (c > 0xFF) return MessageLanguage::Russian;
    return MessageLanguage::English;
}

std::string TooLongText(int length, MessageLanguage language) {
    const int limit = TextLimit(language);
    return Utf8ToCp1251(
        "Текст не поместится в сообщение: в нём " +
        RussianCount(length, "символ", "символа", "символов") + ", а сообщение на языке «" +
        (language == MessageLanguage::Russian ? "русский" : "английский") + "» вмещает " +
        RussianCount(limit, "символ", "символа", "символов") + ". Сократите текст на " +
        RussianCount(length - limit, "символ", "символа", "символов") + ".");
}

KeyVerdict FilterKey(MessageLanguage language, int length, char key) {
    if (key == kBackspaceKey || key == kDeleteKey) return KeyVerdict::Accept;
    const auto code = static_cast<unsigned char>(key);
    if (code == '\r') return KeyVerdict::Discard;
    if (language == MessageLanguage::English && code >= 192) return KeyVerdict::Discard;
    if (TextLimit(language) - length <= 0) return KeyVerdict::Discard;
    return KeyVerdict::Accept;
}

std::string ResolveRecipient(const std::string& text, std::optional<size_t> picked,
                             const std::vector<Contact>& contacts) {
    if (picked && *picked < contacts.size() && contacts[*picked].name == text)
        return contacts[*picked].number;
    for (const Contact& contact : contacts)
        if (contact.name == text) return contact.number;
    return text;
}

bool RecipientAllowed(const std::string& number) {
    return UnsafeFieldReason(number).empty();
}

std::string ComposeCommand(const std::string& number, const std::string& phoneText) {
    CheckCommandField(number, Utf8ToCp1251("номер получателя"));
    return "AT+CMGW=\"" + number + "\"\r" + phoneText + "\x1a";
}

void BeginCompose(PhoneSession& session) {
    session.AtCommand("AT+CSCS=UCS2");
}

std::string SendOutcomeText(SendOutcome outcome) {
    switch (outcome) {
        case SendOutcome::WriteRefused:
            return Utf8ToCp1251("Невозможно записать сообщение.");
        case SendOutcome::NoIndex:
            return Utf8ToCp1251("Сообщение записано, но не отправлено.");
        case SendOutcome::Stored:
            return Utf8ToCp1251("Сообщение записано в \"Иходящие\".");
        case SendOutcome::SendRefused:
            return Utf8ToCp1251("Сбой отправки...");
        case SendOutcome::SentAndStored:
            return Utf8ToCp1251("Сообщение отправлено и записано в \"Иходящие\".");
        case SendOutcome::SentAndDeleted:
            return Utf8ToCp1251("Сообщение отправлено.");
        case SendOutcome::SentNotDeleted:
            return Utf8ToCp1251("Сообщение отправлено, но не удалено из телефона.");
    }
    return {};
}

bool IsSendFailure(SendOutcome outcome) {
    return outcome == SendOutcome::WriteRefused || outcome == SendOutcome::NoIndex ||
           outcome == SendOutcome::SendRefused || outcome == SendOutcome::SentNotDeleted;
}

namespace {

// How long a phone that refused the compose command may stay quiet before its answer to
// the text is taken to be none (a phone ignores a line that does not start with AT).
constexpr int kLateAnswerQuietMs = 250;

// The phone's prompt "> " starts a line once it takes the text of the message. Without it
// the phone refused the command line, and the text after it, Ctrl-Z and CR included, went
// to the phone as a command line of its own: its answer to that comes after the refusal.
bool TextTaken(const std::string& answer) {
    return answer.rfind("> ", 0) == 0 || answer.find("\n> ") != std::string::npos;
}

}  // namespace

SendOutcome SendNewMessage(PhoneSession& session, const std::string& number,
                           const std::string& text, SendAction action,
                           const std::function<void(int ms)>& wait) {
    const std::string command = ComposeCommand(number, EncodePhoneText(text));
    const std::string written = session.AtCommand(command);
    if (!EndsInOk(written)) {
        if (!TextTaken(written)) session.port().DiscardLateAnswer(kLateAnswerQuietMs);
        return SendOutcome::WriteRefused;
    }
    if (action == SendAction::StoreOnly) return SendOutcome::Stored;
    const std::optional<std::string> index = ParseCmgwIndex(written);
    if (!index) return SendOutcome::NoIndex;
    if (!SendStored(session, *index)) return SendOutcome::SendRefused;
    if (action == SendAction::StoreAndSend) return SendOutcome::SentAndStored;

    // The phone deletes from the storage selected for reading: all of them.
    if (wait)
        wait(500);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // The message is gone out: a failure of the port from here on must not hide that, or the
    // user would send it a second time.
    try {
        if (!EndsInOk(session.AtCommand("AT+CPMS=\"MT\""))) return SendOutcome::SentNotDeleted;
        if (!EndsInOk(session.AtCommand("AT+CMGD=" + *index))) return SendOutcome::SentNotDeleted;
    } catch (const OrlinError&) {
        return SendOutcome::SentNotDeleted;
    }
    return SendOutcome::SentAndDeleted;
}

bool SendStored(PhoneSession& session, const std::string& index) {
    CheckBareField(index, Utf8ToCp1251("номер сообщения"));
    return EndsInOk(session.AtCommand("AT+CMSS=" + index));
}

std::string SendStoredText(bool sent) {
    return Utf8ToCp1251(sent ? "Сообщение отправлено..." : "Сбой отправки...");
}

}  // namespace orlin
