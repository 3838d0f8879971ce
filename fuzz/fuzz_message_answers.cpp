// The message answers: AT+CGSN's phone id, AT+CPMS's count, AT+MMGL's header lines, AT+MMGR's
// message, AT+CMGW's index.
//   A phone id is six letters or digits; a count is within what a phone holds; a refusal is
//   never data; a message read has a known status and phone text as the phone sent it.

#include <cctype>
#include <cstdlib>
#include <string>

#include "link/answers.h"
#include "link/errors.h"
#include "messages/message_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string answer(reinterpret_cast<const char*>(data), size);
    const bool refusal = IsRefusal(answer);

    if (const auto id = ParseCgsnPhoneId(answer)) {
        if (refusal || id->size() != 6) std::abort();
        for (char c : *id)
            if (!std::isalnum(static_cast<unsigned char>(c))) std::abort();
    }
    try {
        const int count = ParseCpmsCount(answer);
        if (count < 0 || count > kMostMessages) std::abort();
    } catch (const OrlinError&) {
    }
    for (const MessageHeader& header : ParseMmglHeaders(answer)) IsMessageIndex(header.index);
    if (const auto message = ParseMmgrMessage(answer)) {
        if (refusal || !EndsInOk(answer)) std::abort();
        if (message->status != "REC READ" && message->status != "REC UNREAD" &&
            message->status != "STO SENT" && message->status != "STO UNSENT")
            std::abort();
        if (!message->received() && !message->dateTime.empty()) std::abort();
    }
    if (ParseCmgwIndex(answer) && refusal) std::abort();
    return 0;
}
