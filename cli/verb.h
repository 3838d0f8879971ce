#pragma once
// orlin-cli is one program with verbs (at, info, clock, phonebook, ...). Each verb lives in
// its own verb_*.cpp file and registers itself with a static VerbRegistration, so adding a
// verb touches no shared file. All verbs share the options parsed by main.cpp.

#include <stdexcept>
#include <string>
#include <vector>

#include "link/phone_session.h"
#include "link/port_settings.h"

namespace orlin::cli {

struct Invocation {
    PortSettings settings;          // portcfg.ini (when present) overridden by the options
    bool timeoutGiven = false;      // --timeout was given on the command line
    bool yes = false;               // --yes: go on where the window would ask
    std::vector<std::string> args;  // the words after the verb
};

// The options of a verb's sessions: errors raised, and the time-out of --timeout when it was
// given; else the verb's own default, which its help states: the window's 1000 ms, or, where
// the window waits the configured time-out, portcfg.ini's TimeOut (3000 without the file).
inline PhoneSession::Options SessionOptions(const Invocation& invocation,
                                            bool settingsTimeoutByDefault = false) {
    PhoneSession::Options options;
    options.raiseErrors = true;
    options.useSettingsTimeout = invocation.timeoutGiven || settingsTimeoutByDefault;
    return options;
}

// Wrong words on the command line: main prints the message and the usage, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Returns the exit status: 0 done, 1 failure. Exceptions derived from OrlinError are
// caught by main, which prints their message (UTF-8) on standard error and returns 1.
using VerbFunction = int (*)(const Invocation&);

struct Verb {
    const char* name;   // "phonebook"
    const char* usage;  // "phonebook list | save FILE | load FILE [--yes]"
    const char* help;   // a few lines for --help
    VerbFunction run;
    bool offline = false;  // works on files only: needs no port and no portcfg.ini
};

struct VerbRegistration {
    explicit VerbRegistration(const Verb& verb);
};

const std::vector<Verb>& RegisteredVerbs();

}  // namespace orlin::cli
