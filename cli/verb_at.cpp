// orlin-cli at COMMAND: one AT exchange; the phone's answer goes to standard output byte
// for byte, exactly as the exchange returns it.

#include <cstdio>
#include <iostream>

#include "cli/verb.h"
#include "link/answers.h"
#include "link/phone_session.h"

namespace orlin::cli {

namespace {

int RunAt(const Invocation& invocation) {
    if (invocation.args.empty()) throw UsageError("at needs the command to send, e.g. AT+CGMM");
    for (const std::string& word : invocation.args) {
        if (word.rfind("--", 0) == 0) throw UsageError("unknown option " + word);
    }
    // Words split by the shell are one command again ("AT +CPBS=ME").
    std::string command = invocation.args.front();
    for (size_t i = 1; i < invocation.args.size(); ++i) command += " " + invocation.args[i];

    // Like the terminal: 1000 ms for the next answer unless --timeout says otherwise.
    PhoneSession session(invocation.settings, SessionOptions(invocation));
    const std::string response = session.port().AtCommand(command);  // exactly as given
    std::cout.flush();
    std::fwrite(response.data(), 1, response.size(), stdout);
    std::fflush(stdout);
    // Lines the phone sent of its own accord are not part of the answer: noted aside.
    for (const std::string& line : session.port().TakeUnsolicitedLines()) {
        std::cerr << "Unsolicited: " << AnswerText(line) << "\n";
    }
    return std::ferror(stdout) ? 1 : 0;
}

const VerbRegistration registration({
    "at",
    "at COMMAND",
    "Sends one AT command (for instance AT+CGMM) and prints the phone's answer exactly as it\n"
    "came, echo dropped, up to and including the final OK or ERROR line. An ERROR answer is\n"
    "still a completed exchange (exit status 0). Lines the phone sends of its own accord\n"
    "(RING, +CMTI: ...) are left out of the answer and noted on standard error.",
    RunAt,
});

}  // namespace

}  // namespace orlin::cli
