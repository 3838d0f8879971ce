#include "link/phone_dialect.h"

#include "link/answers.h"

namespace orlin {

namespace {

// The command's name after "AT" and any blanks, in upper case: "+CPBS=ME" for "at +cpbs=ME".
std::string CommandName(const std::string& command) {
    if (command.size() < 2) return std::string();
    size_t at = 2;
    while (at < command.size() && command[at] == ' ') ++at;
    std::string name;
    for (size_t i = at; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '=' || c == '?') break;
        name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const std::string prefix = command.substr(0, 2);
    if (prefix != "AT" && prefix != "at" && prefix != "At" && prefix != "aT") return std::string();
    return name;
}

}  // namespace

bool IsMotorolaCommand(const std::string& command) {
    const std::string name = CommandName(command);
    return name.size() > 2 && name.compare(0, 2, "+M") == 0 && name != "+MODE";
}

bool MayNeedMode(const std::string& command) {
    const std::string name = CommandName(command);
    return IsMotorolaCommand(command) || name == "+CPBS" || name == "+CCLK" || name == "+CSCS";
}

std::string QuotedArgumentForm(const std::string& command) {
    const std::string name = CommandName(command);
    if (name != "+CSCS" && name != "+CPBS") return std::string();
    const size_t equals = command.find('=');
    if (equals == std::string::npos) return std::string();
    const std::string argument = command.substr(equals + 1);
    if (argument.empty() || argument == "?" || argument.find('"') != std::string::npos ||
        argument.find(',') != std::string::npos)
        return std::string();
    return command.substr(0, equals + 1) + "\"" + argument + "\"";
}

bool IsPlainError(const std::string& response) {
    return FinalResultLine(response) == "ERROR";
}

}  // namespace orlin
