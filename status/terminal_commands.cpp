// The terminal's 40 prepared commands with their descriptions, and one send.

#include "status/terminal_commands.h"

#include "link/phone_session.h"

namespace orlin {

// One command a line, in the order of the list.
// clang-format off
const std::array<const char*, kTerminalCommandCount> TerminalCommands = {
    "AT",
    "AT+CGMI",
    "AT+CGMM",
    "AT+CGSN",
    "AT+CGMR",
    "AT+CIMI",
    "AT+CPBS=?",
    "AT+CPBS?",
    "AT+CPBS=\"ME\"",
    "AT+CPBR=?",
    "AT+CPBR=",
    "AT+CNUM",
    "AT+CBC",
    "AT+CSQ",
    "AT+CKPD=",
    "AT+CCLK?",
    "AT+CSCS=IRA",
    "AT+CSCS=?",
    "AT+CSCS=GSM",
    "AT+CSCS=HEX",
    "AT+CSCS=UCS2",
    "AT+CMGL=",
    "ATI1",
    "ATI2",
    "ATI3",
    "ATI4",
    "ATI5",
    "AT+MDBAD?",
    "AT+MODE=0",
    "AT+MODE=1",
    "AT+MODE=2",
    "AT+MODE=3",
    "AT+MODE=4",
    "AT+MODE=8",
    "AT+MODE=12",
    "AT+CMOD=",
    "AT+CMOD=?",
    "AT+CMOD?",
    "AT+CBST=x,0,y",
    "AT+CBST?",
};
// clang-format on

// Trailing blanks in some of these belong to the texts.
const std::array<const char*, kTerminalCommandCount> CommandDescriptions = {
    "AT",
    "AT+CGMI: Query phone manufacturer.",
    "AT+CGMM: Query phone model.",
    "AT+CGSN: Query phone serial number.",
    "AT+CGMR: Query phone revision.",
    "AT+CIMI: international mobile subscriber identity <IMSI>",
    "AT+CPBS=?: list of supported phonebook memory storages",
    "AT+CPBS?: current phonebook memory storage",
    "AT+CPBS=\"ME\"",
    "AT+CPBR=?: Read Phonebook Entries test command",
    "AT+CPBR=: Read Phonebook selected Entries",
    "AT+CNUM: subscriber number",
    "AT+CBC: battery charge level ",
    "AT+CSQ: signal quality level",
    "AT+CKPD=: keypad control",
    "AT+CCLK?: get current data&time",
    "AT+CSCS=IRA: select character set - international reference alphabet ",
    "AT+CSCS=?: List of supported character sets",
    "AT+CSCS=GSM: ",
    "AT+CSCS=HEX: ",
    "AT+CSCS=UCS2: 16-bit universal multiple-octet coded character set ",
    "AT+CMGL=: check sms",
    "ATI1",
    "ATI2",
    "ATI3",
    "ATI4",
    "ATI5",
    "AT+MDBAD?",
    "AT+MODE=0",
    "AT+MODE=1",
    "AT+MODE=2",
    "AT+MODE=3",
    "AT+MODE=4",
    "AT+MODE=8",
    "AT+MODE=12",
    "AT+CMOD= : Call mode +CMOD",
    "AT+CMOD=?: List of supported call modes",
    "AT+CMOD?: current call mode",
    "AT+CBST=x,0,y : The following commands are described more fully in the ETSI "
    "specification GSM 07.07.x takes the following values: 0 Autobauding "
    "(non-transparent only).1 300 bps V.21. 2 1200 bps V.22. 3 1200/75 bps V.23. 4 2400 "
    "bps V.22bis. 5 2400 bps V.26ter. 6 4800 bps V.32. 7 9600 bps V.32 65 300 bps V.110. "
    "66 1200 bps V.110. 68 2400 bps V.110. 70 4800 bps V.110. 71 9600 bps V.110. y takes "
    "the following values: 0 Transparent connection (default). 1 Non-transparent "
    "connection (uses RLP).",
    "AT+CBST?: Query the bearer service type.",
};

TerminalAnswer SendTerminalCommand(const PortSettings& settings, const std::string& text) {
    PhoneSession session(settings);
    TerminalAnswer answer;
    answer.response = session.port().AtCommand(text);  // exactly what the user typed
    answer.unsolicited = session.port().TakeUnsolicitedLines();
    return answer;
}

}  // namespace orlin
