#pragma once
// The terminal's prepared commands and sending one command line to the phone.

#include <array>
#include <string>
#include <vector>

#include "link/port_settings.h"

namespace orlin {

inline constexpr int kTerminalCommandCount = 40;

// Entry i of one table belongs to entry i of the other. The texts are plain ASCII, so the
// same bytes are valid UTF-8 (for the widgets) and Windows-1251 (for the phone). Some
// commands are templates the user completes before sending ("AT+CPBR=", "AT+CBST=x,0,y").
extern const std::array<const char*, kTerminalCommandCount> TerminalCommands;
extern const std::array<const char*, kTerminalCommandCount> CommandDescriptions;

struct TerminalAnswer {
    // Everything the phone answered, the echo dropped, each line followed by CR LF,
    // up to and including the final "OK" or "ERROR" line (Windows-1251).
    std::string response;
    // Lines the phone sent of its own accord (+CMTI:, RING, ...) during the exchange,
    // in the order they came; the terminal shows them after the answer, marked as such.
    std::vector<std::string> unsolicited;
};

// One exchange over its own PhoneSession (raising on, AtTimeout 1000 ms whatever the
// configured time-out): the text is sent exactly as given (Windows-1251, not trimmed;
// an empty text sends a lone CR). An "ERROR" answer is an answer, not a failure; a port
// failure or a time-out raises ESynaSerError.
TerminalAnswer SendTerminalCommand(const PortSettings& settings, const std::string& text);

}  // namespace orlin
