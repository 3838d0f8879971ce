#include "link/unsolicited.h"

#include <cctype>

namespace orlin {

namespace {

struct UnsolicitedCode {
    const char* prefix;  // how the line begins
    const char* name;    // the name a command uses to ask for it
};

// "+CMT:" ends in its colon, so it never catches "+CMTI:"; "+CMGW:" and "+CMSS:" are
// answers, not listed.
constexpr UnsolicitedCode kCodes[] = {
    {"+CMTI:", "CMTI"}, {"+CMT:", "CMT"},     {"+CDSI:", "CDSI"}, {"+CDS:", "CDS"},
    {"+CBMI:", "CBMI"}, {"+CBM:", "CBM"},     {"RING", "RING"},   {"+CRING:", "CRING"},
    {"+CLIP:", "CLIP"}, {"+CCWA:", "CCWA"},   {"+CIEV:", "CIEV"}, {"+MBAN:", "MBAN"},
    {"+CREG:", "CREG"}, {"+CGREG:", "CGREG"},
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The command names the code as a word of its own: AT+CREG? names CREG, AT+CGREG? does not.
bool CommandNames(const std::string& command, const std::string& name) {
    std::string upper = command;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (size_t pos = upper.find(name); pos != std::string::npos; pos = upper.find(name, pos + 1)) {
        const bool startsWord = pos == 0 || !IsNameCharacter(upper[pos - 1]);
        const size_t end = pos + name.size();
        const bool endsWord = end == upper.size() || !IsNameCharacter(upper[end]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

}  // namespace

bool IsUnsolicitedFor(const std::string& line, const std::string& command) {
    for (const UnsolicitedCode& code : kCodes) {
        if (StartsWith(line, code.prefix)) return !CommandNames(command, code.name);
    }
    return false;
}

bool UnsolicitedCarriesDataLine(const std::string& line) {
    return StartsWith(line, "+CMT:") || StartsWith(line, "+CDS:") || StartsWith(line, "+CBM:");
}

bool IsErrorFinalLine(const std::string& line) {
    return StartsWith(line, "+CME ERROR:") || StartsWith(line, "+CMS ERROR:");
}

}  // namespace orlin
