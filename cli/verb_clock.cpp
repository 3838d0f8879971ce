// orlin-cli clock [--sync]: shows the phone's clock, or sets it from the computer's.

#include <iostream>

#include "cli/verb.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "status/phone_clock.h"

namespace orlin::cli {

namespace {

int RunClock(const Invocation& invocation) {
    bool sync = false;
    for (const std::string& arg : invocation.args) {
        if (arg == "--sync") {
            sync = true;
        } else {
            throw UsageError("clock: unknown argument '" + arg + "'");
        }
    }
    const PortSettings& settings = invocation.settings;

    if (sync) {
        const ClockSyncOutcome outcome = SynchronisePhoneClock(
            settings, nullptr, CurrentLocalTime(), SessionOptions(invocation));
        if (outcome == ClockSyncOutcome::Synchronised) {
            std::cout << Tr("PhoneClock", kClockSyncDoneText) << std::endl;
            return 0;
        }
        std::cerr << Tr("PhoneClock", kClockSyncFailedText) << std::endl;
        return 1;
    }

    std::string response;
    {
        PhoneSession session(settings, SessionOptions(invocation));
        response = session.AtCommand("AT+CCLK?");
    }
    const std::string shown = PhoneClockDisplay(response);
    if (shown.empty()) throw OrlinError(Tr("ClockVerb", "Телефон не сообщил время."));
    std::cout << shown << std::endl;
    return 0;
}

const VerbRegistration registration({
    "clock",
    "clock [--sync]",
    "Prints the phone's date and time (dd-mm-yy,   hh:mm:ss). With --sync sets the phone's\n"
    "clock to the computer's local time instead and reports whether the phone took it.",
    RunClock,
});

}  // namespace

}  // namespace orlin::cli
