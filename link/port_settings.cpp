#include "link/port_settings.h"

#include <algorithm>

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/text_utils.h"
#include "link/whole_file.h"

namespace orlin {

namespace {

// The text line that starts at `at`, which moves past its end: a line ends at CR LF, LF or a
// lone CR; an empty string past the end of the file.
std::string TakeTextLine(const std::string& text, size_t& at) {
    if (at >= text.size()) return {};
    const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    std::string line = text.substr(at, end - at);
    at = end;
    if (at < text.size()) {
        const bool cr = text[at++] == '\r';
        if (cr && at < text.size() && text[at] == '\n') ++at;  // CR LF
    }
    return line;
}

// The value of a line: from the given character on, cut at the first ';', trimmed.
std::string ValueFrom(const std::string& line, size_t firstCharacter) {
    std::string value =
        line.size() >= firstCharacter ? line.substr(firstCharacter - 1) : std::string();
    const size_t semicolon = value.find(';');
    if (semicolon != std::string::npos) value.erase(semicolon);
    return Trim(value);
}

}  // namespace

void LoadPortSettings(PortSettings& settings, const std::string& path) {
    // The whole file first: a file that cannot be read (a folder of that name, a disk error)
    // is an input/output error that changes nothing, not an empty number.
    // The file is Windows-1251; its texts (the port's name) are UTF-8 from here on.
    const Utf8Text text = Cp1251ToUtf8(ReadWholeFile(path));
    std::string lines[4];
    size_t at = 0;
    for (std::string& line : lines) line = TakeTextLine(text, at);  // line 1: the section head
    settings.PortName = ValueFrom(lines[1], 6);                     // after "Port="
    settings.PortBaudRate = StrToInt(ValueFrom(lines[2], 10));      // after "BaudRate="
    // after "TimeOut="; a time-out of 0 or less would end every exchange at once, so it reads
    // as the dialog's lowest value (positive values stay as they are).
    const int timeout = StrToInt(ValueFrom(lines[3], 9));
    settings.PortTimeOut = timeout > 0 ? timeout : kLowestTimeOut;
}

void SavePortSettings(const PortSettings& settings, const std::string& path) {
    const Utf8Text text = "[PORT CONFIG]\r\nPort=" + settings.PortName + "; - имя порта\r\n" +
                          "BaudRate=" + std::to_string(settings.PortBaudRate) +
                          "; - скорость порта\r\n" +
                          "TimeOut=" + std::to_string(settings.PortTimeOut) + "; - задержка\r\n";
    // Windows-1251, the file's form: a letter of a port name it lacks becomes '?'.
    WriteWholeFile(path, Utf8ToCp1251(text));
}

}  // namespace orlin
