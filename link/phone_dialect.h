#pragma once
// The forms a phone takes its commands in. Most phones take every command as it is. Some
// later Motorolas know the phonebook, datebook, message and clock commands only after
// AT+MODE=2 (answering a plain ERROR before it), and some take the character set and the
// phonebook storage only quoted (AT+CSCS="UCS2", AT+CPBS="ME"). A session learns this from the
// first refusal and remembers it; a phone that takes the commands as they are sees nothing
// but them.

#include <string>

namespace orlin {

// What one session learned about its phone.
struct PhoneDialect {
    bool modeSent = false;           // AT+MODE=2 went out in this session
    bool quotedArguments = false;    // the phone took the quoted form where the plain one failed
    bool extensionAnswered = false;  // a Motorola command (+M...) was taken: the mode is right
};

inline constexpr const char* kModeCommand = "AT+MODE=2";
inline constexpr const char* kModeBanner = "+MBAN:";
// How long to wait for the banner after AT+MODE=2 before going on.
inline constexpr int kModeBannerQuietMs = 300;

// A Motorola extension (AT+MPBR, AT +MPGR, AT+MDBL, AT+MMGL ...), AT+MODE itself excepted.
bool IsMotorolaCommand(const std::string& command);
// A command whose plain ERROR may mean the phone is in the wrong mode: the Motorola
// extensions, AT+CPBS, AT+CCLK and AT+CSCS.
bool MayNeedMode(const std::string& command);
// The command with its one argument quoted ("AT+CSCS=UCS2" gives AT+CSCS="UCS2", "AT +CPBS=ME"
// gives AT +CPBS="ME"); empty for any other command or an argument quoted already.
std::string QuotedArgumentForm(const std::string& command);
// The answer ends in a plain ERROR line: what a phone says to a command it does not know.
bool IsPlainError(const std::string& response);

}  // namespace orlin
