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
// text (ErrnoText); a folder at `path` is refused before anything is written. A file-size
// limit (ulimit -f) fails the write like a full disk: the signal it sends is ignored.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// Appends `bytes` to `path` (created when missing) and flushes them to the disk: for the one
// file that is appended to, the message archive. When that fails half-way, the part that went
// out is taken back, so that the file ends as it did before; EInOutError as above.
void AppendToFile(const std::string& path, std::string_view bytes);

// The most bytes a file of each kind may hold: a larger one is no such file (or a crafted
// one), and reading it whole would only fill the memory.
inline constexpr size_t kMostFileBytes = size_t{64} << 20;  // anything else (the archive)
inline constexpr size_t kMostPhonebookFileBytes = size_t{4} << 20;
inline constexpr size_t kMostVCardBytes = size_t{16} << 20;
inline constexpr size_t kMostICalendarBytes = size_t{16} << 20;
inline constexpr size_t kMostToneBytes = size_t{2} << 20;
inline constexpr size_t kMostPictureBytes = size_t{16} << 20;

// The whole content of a file. Raises EInOutError: "File not found" when it does not exist,
// "На месте файла находится папка" for a folder, a text of its own for anything else that is
// not a regular file (a FIFO or a device would be read until it ends, or for ever), "Файл
// слишком велик" above `mostBytes`, the system's text for any other failure.
std::string ReadWholeFile(const std::string& path, size_t mostBytes = kMostFileBytes);

// Why `path` cannot be read as a file of at most `mostBytes` (UTF-8, as ReadWholeFile
// would say it), or empty when it can: for a reader that opens the file itself (a picture).
std::string UnreadableFileReason(const std::string& path, size_t mostBytes);

}  // namespace orlin
