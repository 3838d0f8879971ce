#pragma once
// Writing a file as a whole: every file the program writes (the phonebook file, portcfg.ini,
// message exports, theme files, iCalendar and CSV files) goes through here, so that a failure
// half-way (a full disk, a quota, a removed stick) never leaves half a file where a whole one
// was. The message archive is the one file that is appended to instead.

#include <string>
#include <string_view>

namespace orlin {

// Writes `bytes` as the new content of `path` (a native file name): into a temporary file in
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
