#include "phonesim/at_engine.h"

#include <cctype>

#include "phonesim/phone_charset.h"

namespace orlin::phonesim {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TrimBlanks(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    return text.substr(b, e - b);
}

std::vector<std::string> SplitArgs(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            out.push_back(TrimBlanks(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(TrimBlanks(cur));
    return out;
}

// ATI0..ATI9: a line or two about the phone.
Answer Information(const PhoneState& s, const std::string& digits) {
    int n = digits.empty() ? 0 : (ParseInt(digits) ? *ParseInt(digits) : -1);
    switch (n) {
        case 0:
            return Ok({s.model});
        case 1:
            return Ok({"Motorola Mobile Phone", s.model});
        case 2:
            return Ok({"Software version: " + s.firmware});
        case 3:
            return Ok({s.manufacturer});
        case 4: {
            std::string bands;
            for (const auto& b : s.bands) bands += (bands.empty() ? "" : " ") + b;
            return Ok({"Bands: " + bands});
        }
        case 5:
            return Ok({"IMEI: " + s.imei,
                       "Free memory: " +
                           std::to_string(s.combinedLast() -
                                          static_cast<int>(s.contents.phonebook.size())) +
                           " phonebook slots"});
        default:
            return Error(s, CmeIncorrectParameters);
    }
}

// The commands a vendor document lists as working in mode 2 only: the phonebook, the datebook,
// the message folders and the clock (the standard message storages work in any mode).
bool NeedsMode(const std::string& name) {
    if (name == "+MODE") return false;
    return name.compare(0, 2, "+M") == 0 || name == "+CPBS" || name == "+CCLK";
}

}  // namespace

std::string AnswerBytes(const Answer& answer) {
    std::string out;
    for (const auto& line : answer.lines) {
        if (line.framed) out += "\r\n";
        out += line.text;
        out += "\r\n";
    }
    if (answer.prompt) out += "\r\n> ";
    for (const auto& u : answer.unsolicited) out += "\r\n" + u + "\r\n";
    return out;
}

Answer Ok(std::vector<std::string> lines) {
    Answer a;
    for (auto& l : lines) a.lines.push_back({std::move(l), true});
    a.lines.push_back({"OK", true});
    return a;
}

Answer Error(const PhoneState& state, int cmeCode) {
    Answer a;
    a.lines.push_back(
        {state.verboseErrors ? "+CME ERROR: " + std::to_string(cmeCode) : "ERROR", true});
    return a;
}

Answer SmsError(const PhoneState& state, int cmsCode) {
    Answer a;
    a.lines.push_back(
        {state.verboseErrors ? "+CMS ERROR: " + std::to_string(cmsCode) : "ERROR", true});
    return a;
}

bool IsQuoted(const std::string& field) {
    return field.size() >= 2 && field.front() == '"' && field.back() == '"';
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Unquote(const std::string& field) {
    return IsQuoted(field) ? field.substr(1, field.size() - 2) : field;
}

std::string TextOnWire(const PhoneState& state, const std::string& utf8) {
    if (state.forms.plainTexts) return Quoted(EncodeField(utf8, "IRA"));
    if (state.forms.quotedTexts) return Quoted(EncodeField(utf8, state.charset));
    return TextField(utf8, state.charset);
}

std::optional<int> ParseInt(const std::string& field) {
    if (field.empty() || field.size() > 9) return std::nullopt;
    size_t i = field[0] == '-' ? 1 : 0;
    if (i == field.size()) return std::nullopt;
    int v = 0;
    for (; i < field.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(field[i]))) return std::nullopt;
        v = v * 10 + (field[i] - '0');
    }
    return field[0] == '-' ? -v : v;
}

AtEngine::AtEngine(PhoneState& state) : state_(state) {
    RegisterGeneralCommands(table_);
    RegisterPhonebookCommands(table_);
    RegisterDatebookCommands(table_);
    RegisterMessageCommands(table_);
}

Answer AtEngine::execute(const std::string& rawLine) {
    std::string line = TrimBlanks(rawLine);
    if (line.empty()) return Ok();  // an empty line is answered, though it does nothing
    if (line.size() < 2 || Upper(line.substr(0, 2)) != "AT") {
        Answer a;
        a.lines.push_back({"ERROR", true});
        return a;
    }
    // Real phones allow blanks between AT and the command ("AT +CPBS=ME").
    std::string rest = TrimBlanks(line.substr(2));
    if (rest.empty()) return Ok();

    if (rest[0] != '+') {
        // Basic commands: E, I, Z, &F, V, Q.
        std::string u = Upper(rest);
        if (u == "E0" || u == "E") {
            state_.echo = false;
            return Ok();
        }
        if (u == "E1") {
            state_.echo = true;
            return Ok();
        }
        if (u[0] == 'I') return Information(state_, u.substr(1));
        if (u == "Z" || u == "Z0" || u == "&F" || u == "&F0") {
            state_.verboseErrors = false;
            return Ok();
        }
        if (u == "V1" || u == "Q0" || u == "&C1" || u == "&D2" || u == "&D0") return Ok();
        Answer a;
        a.lines.push_back({"ERROR", true});
        return a;
    }

    AtCommandLine cmd;
    size_t i = 1;
    while (i < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[i])))) ++i;
    cmd.name = Upper(rest.substr(0, i));
    std::string tail = TrimBlanks(rest.substr(i));
    if (tail.empty()) {
        cmd.form = CommandForm::Action;
    } else if (tail == "?") {
        cmd.form = CommandForm::Read;
    } else if (tail[0] == '=') {
        std::string value = TrimBlanks(tail.substr(1));
        if (value == "?") {
            cmd.form = CommandForm::Test;
        } else {
            cmd.form = CommandForm::Set;
            cmd.argText = value;
            cmd.args = SplitArgs(value);
        }
    } else {
        Answer a;
        a.lines.push_back({"ERROR", true});
        return a;
    }

    if (cmd.name == "+CMGW" && cmd.form != CommandForm::Test && cmd.form != CommandForm::Read) {
        // The phone prompts and takes the text that follows, up to Ctrl-Z.
        Answer failure;
        auto pending = ParseMessageWrite(state_, cmd, failure);
        if (!pending) return failure;
        pending_ = pending;
        Answer prompt;
        prompt.prompt = true;
        return prompt;
    }
    if (state_.forms.needsMode != 0 && state_.mode != state_.forms.needsMode &&
        NeedsMode(cmd.name)) {
        // A phone in the wrong mode does not know the command at all.
        Answer a;
        a.lines.push_back({"ERROR", true});
        return a;
    }
    auto it = table_.find(cmd.name);
    if (it == table_.end()) {
        Answer a;
        a.lines.push_back({"ERROR", true});
        return a;
    }
    return it->second(state_, cmd);
}

Answer AtEngine::finishMessage(const std::string& text, bool cancelled) {
    PendingMessage pending = *pending_;
    pending_.reset();
    if (cancelled) return Ok();
    return StoreWrittenMessage(state_, pending, text);
}

}  // namespace orlin::phonesim
