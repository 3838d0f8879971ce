#pragma once
// The phone's command interpreter: one command line in, one answer out. It knows nothing
// of the device, the line speed or faults; PhoneSimulator frames and writes the answer.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "phonesim/phone_state.h"

namespace orlin::phonesim {

// One line of an answer. A framed line goes out as CR LF <text> CR LF; an unframed one
// (the text after a +MMGR: header) as <text> CR LF.
struct AnswerLine {
    std::string text;
    bool framed = true;
};

struct Answer {
    std::vector<AnswerLine> lines;         // information lines, then the final result
    bool prompt = false;                   // AT+CMGW: send CR LF "> " and take text up to Ctrl-Z
    std::vector<std::string> unsolicited;  // lines that follow the answer (+MBAN: after AT+MODE=2)
    bool contentsChanged = false;          // the state file must be written
};

// The wire bytes of an answer, unsolicited lines included.
std::string AnswerBytes(const Answer& answer);

enum class CommandForm { Action, Read, Test, Set };  // AT+X, AT+X?, AT+X=?, AT+X=...

struct AtCommandLine {
    std::string name;  // upper case, with its '+': "+MPBR"
    CommandForm form = CommandForm::Action;
    std::string argText;            // everything after '=' (Set form)
    std::vector<std::string> args;  // argText split at commas outside quotes, blanks trimmed
};

// Helpers shared by the command files.
Answer Ok(std::vector<std::string> lines = {});
Answer Error(const PhoneState& state, int cmeCode);     // ERROR, or +CME ERROR: n after AT+CMEE=1
Answer SmsError(const PhoneState& state, int cmsCode);  // ERROR, or +CMS ERROR: n
bool IsQuoted(const std::string& field);
std::string Unquote(const std::string& field);          // drops one pair of enclosing quotes
std::string Quoted(const std::string& text);            // "text"
std::optional<int> ParseInt(const std::string& field);  // decimal, whole field, no blanks
// A text field of an answer line in the phone's character set and the form its options ask
// for: bare hexadecimal in UCS2, quoted plain text otherwise; quoted hexadecimal with
// quotedTexts; quoted plain text whatever the set with plainTexts.
std::string TextOnWire(const PhoneState& state, const std::string& utf8);

// Common CME error codes.
enum CmeCode {
    CmeNotAllowed = 3,
    CmeNotSupported = 4,
    CmeSimNotInserted = 10,
    CmeInvalidIndex = 21,
    CmeTextTooLong = 24,
    CmeInvalidTextChars = 25,
    CmeNumberTooLong = 26,
    CmeInvalidNumberChars = 27,
    CmeIncorrectParameters = 50,
    CmeUnknown = 100,
};

using CommandHandler = std::function<Answer(PhoneState&, const AtCommandLine&)>;
using CommandTable = std::map<std::string, CommandHandler>;

void RegisterGeneralCommands(CommandTable& table);
void RegisterPhonebookCommands(CommandTable& table);
void RegisterDatebookCommands(CommandTable& table);
void RegisterMessageCommands(CommandTable& table);

// A message being written after AT+CMGW, waiting for its text.
struct PendingMessage {
    std::string number;
    int numberFormat = 129;
    MessageStatus status = MessageStatus::StoUnsent;
};
std::optional<PendingMessage> ParseMessageWrite(PhoneState& state, const AtCommandLine& cmd,
                                                Answer& failure);
Answer StoreWrittenMessage(PhoneState& state, const PendingMessage& pending,
                           const std::string& text);

class AtEngine {
public:
    explicit AtEngine(PhoneState& state);

    // A command line as received, without its CR.
    Answer execute(const std::string& line);
    // The text typed after the AT+CMGW prompt, up to (not including) Ctrl-Z or Esc.
    Answer finishMessage(const std::string& text, bool cancelled);
    bool awaitingMessageText() const { return pending_.has_value(); }

private:
    PhoneState& state_;
    CommandTable table_;
    std::optional<PendingMessage> pending_;
};

}  // namespace orlin::phonesim
