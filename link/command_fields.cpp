#include "link/command_fields.h"

#include "link/errors.h"
#include "link/language.h"
#include "link/utf8.h"

namespace orlin {

namespace {

// The visible form of a field in a message: control characters as their codes.
std::string Shown(std::string_view value) {
    std::string text;
    for (char c : value) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127)
            text += "<" + std::to_string(code) + ">";
        else
            text += c;
    }
    if (text.size() <= 60) return text;
    // Cut at a character: the value is UTF-8.
    return text.substr(0, Utf8CharacterStart(text, 60)) + "...";
}

std::string CharacterName(unsigned char code) {
    switch (code) {
        case '\r':
            return "CR (13)";
        case '\n':
            return "LF (10)";
        case '\t':
            return "TAB (9)";
        case 26:
            return "Ctrl-Z (26)";
        case 27:
            return "ESC (27)";
        case '"':
            return "\"";
        case ';':
            return ";";
        default:
            return std::to_string(code);
    }
}

}  // namespace

std::string UnsafeFieldReason(std::string_view value) {
    for (char c : value) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127 || c == '"' || c == ';')
            return Tr("CommandFields", "недопустимый знак ") + CharacterName(code);
    }
    return {};
}

void CheckCommandField(std::string_view value, const std::string& what) {
    const std::string reason = UnsafeFieldReason(value);
    if (!reason.empty())
        throw EUnsafeField(what + ": " + reason + Tr("CommandFields", " в «") + Shown(value) + "»");
}

void CheckBareField(std::string_view value, const std::string& what) {
    CheckCommandField(value, what);
    if (value.find(',') != std::string_view::npos)
        throw EUnsafeField(what + Tr("CommandFields", ": недопустимый знак , в «") + Shown(value) +
                           "»");
}

}  // namespace orlin
