// The unsolicited-line filter over whole raw answers: the first line of the input is the
// command, every later line (CR LF, CR or LF ended) is judged against it.
//   The command's case does not matter.
//   Only a line the filter sets aside can carry a data line.

#include <cstdlib>
#include <string>

#include "link/unsolicited.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t end = input.find_first_of("\r\n");
    const std::string command = input.substr(0, end);
    while (end != std::string::npos) {
        const size_t start = end + 1;
        end = input.find_first_of("\r\n", start);
        const std::string line = input.substr(start, end == std::string::npos ? end : end - start);
        const bool aside = IsUnsolicitedFor(line, command);
        if (aside != IsUnsolicitedFor(line, Upper(command)) ||
            aside != IsUnsolicitedFor(line, Lower(command)))
            std::abort();
        if (UnsolicitedCarriesDataLine(line) && !IsUnsolicitedFor(line, "AT")) std::abort();
        if (IsErrorFinalLine(line) && IsUnsolicitedFor(line, "AT")) std::abort();
    }
    return 0;
}
