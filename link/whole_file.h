#pragma once
// Writing a file as a whole: every file the program writes (the phonebook file, portcfg.ini,
// message exports, theme files, iCalendar and CSV files) goes through here, so that a failure
// half-way (a full disk, a quota, a removed stick) never leaves half a file where a whole one
// was. The message archive is the one file that is appended to instead.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace orlin {

// File names are UTF-8 on every system, as orlin-cli takes them from its command line. Windows'
// narrow file calls would read them in the ANSI code page, which has no room for most letters,
// so every file the cores open is opened through these.
std::filesystem::path PathFromUtf8(const std::string& name);
std::string Utf8FromPath(const std::filesystem::path& path);
std::FILE* OpenFileUtf8(const std::string& name, const char* mode);

// Writes `bytes` as the new content of `path` (a UTF-8 file name): into a temporary file in
// the same folder, flushed to the disk, then renamed over the target. On failure the target is
// left as it was, the temporary file is removed, and EInOutError is raised with the system's
// text (ErrnoText).
void WriteWholeFile(const std::string& path, std::string_view bytes);

// Appends `bytes` to `path` (created when missing) and flushes them to the disk: for the one
// file that is appended to, the message archive. When that fails half-way, the part that went
// out is taken back, so that the file ends as it did before; EInOutError as above.
void AppendToFile(const std::string& path, std::string_view bytes);

// The whole content of a file. Raises EInOutError: "File not found" when it does not exist,
// the system's text for any other failure.
std::string ReadWholeFile(const std::string& path);

}  // namespace orlin
