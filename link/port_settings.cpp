#include "link/port_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/system_errors.h"
#include "link/text_utils.h"
#include "link/whole_file.h"

namespace orlin {

namespace {

// The input/output error of a file operation: "File not found" when the file is missing,
// otherwise the system's text.
[[noreturn]] void RaiseFileError(int error) {
    if (error == ENOENT) throw EInOutError("File not found");
    throw EInOutError(ErrnoText(error));
}

// One text line: ends at CR LF, LF or a lone CR; an empty string past the end of the file.
std::string ReadTextLine(std::FILE* file) {
    std::string line;
    for (;;) {
        const int c = std::fgetc(file);
        if (c == EOF || c == '\n') break;
        if (c == '\r') {
            const int next = std::fgetc(file);
            if (next != '\n' && next != EOF) std::ungetc(next, file);
            break;
        }
        line += static_cast<char>(c);
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

struct FileCloser {
    std::FILE* file;
    ~FileCloser() {
        if (file) std::fclose(file);
    }
};

}  // namespace

void LoadPortSettings(PortSettings& settings, const std::string& path) {
    errno = 0;
    FileCloser closer{OpenFileUtf8(path, "rb")};
    if (!closer.file) RaiseFileError(errno ? errno : ENOENT);
    // All four lines first: a file that cannot be read (a folder of that name, a disk
    // error) is an input/output error that changes nothing, not an empty number.
    std::string lines[4];
    for (std::string& line : lines) line = ReadTextLine(closer.file);  // line 1: the section head
    if (std::ferror(closer.file)) RaiseFileError(errno ? errno : EIO);
    settings.PortName = ValueFrom(lines[1], 6);                 // after "Port="
    settings.PortBaudRate = StrToInt(ValueFrom(lines[2], 10));  // after "BaudRate="
    // after "TimeOut="; a time-out of 0 or less would end every exchange at once, so it reads
    // as the dialog's lowest value (positive values stay as they are).
    const int timeout = StrToInt(ValueFrom(lines[3], 9));
    settings.PortTimeOut = timeout > 0 ? timeout : kLowestTimeOut;
}

void SavePortSettings(const PortSettings& settings, const std::string& path) {
    const std::string text =
        "[PORT CONFIG]\r\n"
        "Port=" +
        settings.PortName + Utf8ToCp1251("; - имя порта") + "\r\n" +
        "BaudRate=" + std::to_string(settings.PortBaudRate) + Utf8ToCp1251("; - скорость порта") +
        "\r\n" + "TimeOut=" + std::to_string(settings.PortTimeOut) + Utf8ToCp1251("; - задержка") +
        "\r\n";
    WriteWholeFile(path, text);
}

}  // namespace orlin
