#include "messages/message_send.h"

#include <chrono>
#include <thread>
#include <vector>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/fill_in.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "link/plural.h"
#include "messages/message_answers.h"

namespace orlin {

int TextLimit(MessageLanguage language) {
    return language == MessageLanguage::Russian ? 70 : 160;
}

namespace {

// The GSM 7-bit default alphabet beyond ASCII, and the ASCII characters it lacks.
constexpr std::u32string_view kGsmBeyondAscii = U"£¥èéùìòÇØøÅåΔΦΓΛΩΠΨΣΘΞÆæßÉ¤¡ÄÖÑÜ§¿äöñüà€";
constexpr std::u32string_view kAsciiOutsideGsm = U"`";
// The characters of the extension table: an escape and a character each.
constexpr std::u32string_view kGsmExtension = U"^{}\\[~]|€";

}  // namespace

TextCapacity CapacityOfText(std::u32string_view text) {
    TextCapacity capacity;
    capacity.gsm = true;
    for (char32_t c : text) {
        const bool ascii = c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F);
        if (ascii ? kAsciiOutsideGsm.find(c) != std::u32string_view::npos
                  : kGsmBeyondAscii.find(c) == std::u32string_view::npos) {
            capacity.gsm = false;
            break;
        }
        capacity.length += kGsmExtension.find(c) != std::u32string_view::npos ? 2 : 1;
    }
    if (capacity.gsm) {
        capacity.limit = 160;
        return capacity;
    }
    capacity.limit = 70;
    capacity.length = text.size();
    return capacity;
}

namespace {

// "3 символа" / "3 characters", in the language shown.
std::string Characters(long long count) {
    return CountedText(count, "MessageSend", ORLIN_TRANSLATE_NOOP("MessageSend", "символ"),
                       ORLIN_TRANSLATE_NOOP("MessageSend", "символа"),
                       ORLIN_TRANSLATE_NOOP("MessageSend", "символов"));
}

}  // namespace

Utf8Text TooLongText(int length, MessageLanguage language) {
    const int limit = TextLimit(language);
    return FillIn(
        Tr("MessageSend",
           "Текст не поместится в сообщение: в нём %1, а сообщение на "
           "языке «%2» вмещает %3. Сократите текст на %4."),
        {Characters(length),
         Tr("MessageSend", language == MessageLanguage::Russian ? "русский" : "английский"),
         Characters(limit), Characters(length - limit)});
}

Utf8Text MessageBeyondUcs2Text(const Utf8Text& text) {
    size_t replaced = 0;
    EncodeUcs2(text, &replaced);
    if (replaced == 0) return {};
    return FillIn(replaced == 1 ? Tr("MessageSend",
                                     "Телефон не хранит %1 текста (за пределами UCS2, например "
                                     "эмодзи): в сообщении вместо него будет «?».")
                                : Tr("MessageSend",
                                     "Телефон не хранит %1 текста (за пределами UCS2, например "
                                     "эмодзи): в сообщении вместо них будут «?»."),
                  {Characters(static_cast<long long>(replaced))});
}

KeyVerdict FilterKey(MessageLanguage language, int length, char key) {
    if (key == kBackspaceKey || key == kDeleteKey) return KeyVerdict::Accept;
    const auto code = static_cast<unsigned char>(key);
    if (code == '\r') return KeyVerdict::Discard;
    if (language == MessageLanguage::English && code >= 192) return KeyVerdict::Discard;
    if (TextLimit(language) - length <= 0) return KeyVerdict::Discard;
    return KeyVerdict::Accept;
}

Utf8Text ResolveRecipient(const Utf8Text& text, std::optional<size_t> picked,
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
    CheckCommandField(number, Tr("MessageSend", "номер получателя"));
    return "AT+CMGW=\"" + number + "\"\r" + phoneText + "\x1a";
}

void BeginCompose(PhoneSession& session) {
    session.AtCommand("AT+CSCS=UCS2");
}

Utf8Text SendOutcomeText(SendOutcome outcome) {
    switch (outcome) {
        case SendOutcome::WriteRefused:
            return Tr("MessageSend", "Невозможно записать сообщение.");
        case SendOutcome::NoIndex:
            return Tr("MessageSend", "Сообщение записано, но не отправлено.");
        case SendOutcome::Stored:
            return Tr("MessageSend", "Сообщение записано в \"Иходящие\".");
        case SendOutcome::SendRefused:
            return Tr("MessageSend", "Сбой отправки...");
        case SendOutcome::SentAndStored:
            return Tr("MessageSend", "Сообщение отправлено и записано в \"Иходящие\".");
        case SendOutcome::SentAndDeleted:
            return Tr("MessageSend", "Сообщение отправлено.");
        case SendOutcome::SentNotDeleted:
            return Tr("MessageSend", "Сообщение отправлено, но не удалено из телефона.");
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

SendOutcome SendNewMessage(PhoneSession& session, const Utf8Text& number, const Utf8Text& text,
                           SendAction action, const std::function<void(int ms)>& wait) {
    const std::string command = ComposeCommand(number, EncodeUcs2(text));
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
    CheckBareField(index, Tr("MessageSend", "номер сообщения"));
    return EndsInOk(session.AtCommand("AT+CMSS=" + index));
}

Utf8Text SendStoredText(bool sent) {
    return sent ? Tr("MessageSend", "Сообщение отправлено...")
                : Tr("MessageSend", "Сбой отправки...");
}

}  // namespace orlin
