#pragma once
// The message archive: one text file per phone, "sms_" + phone id + ".txt" in the current
// directory, one received message a line: number ";" date/time ";" text, CR LF. A line is
// Windows-1251 when Windows-1251 holds every character of it (the form it always had) and
// UTF-8 otherwise, so that no message loses a character; the reader tells the two apart line
// by line. It is the one copy of old messages, so it is only ever created and appended to:
// never rewritten, never shortened, every append flushed to the disk before it counts.

#include <string>
#include <vector>

#include "messages/message_rows.h"

namespace orlin {

// "sms_" + id + ".txt".
std::string ArchiveFileName(const std::string& phoneId);
// The archive's path: its file name in the work folder (link/data_folder.h), which is the
// current directory unless orlin-cli works in the window's data folder.
std::string ArchivePath(const std::string& phoneId);

// The lines of a file's bytes. A line ends in CR LF, or in a lone CR or LF (a file edited by
// hand); a last line without an end counts as well.
std::vector<std::string> ArchiveLines(const std::string& bytes);

// The UTF-8 text of a line's bytes: UTF-8 when they are well-formed UTF-8 holding a byte
// beyond ASCII, else Windows-1251 (every line older versions wrote).
Utf8Text ArchiveLineText(const std::string& bytes);

// A line (its bytes, as ArchiveLineText takes them) split at its first ";" (number) and the
// next (date/time); the rest, which may hold more ";", is the text. A line without ";" is all
// text.
TArchiveSMS SplitArchiveLine(const std::string& line);

// The bytes of a message's line, without its CR LF: Windows-1251 when it holds every
// character and ArchiveLineText reads those bytes back as they were, else UTF-8. Line breaks in the
// text (CR LF, CR, LF) become one blank each, so that the message stays on its line.
std::string ArchiveLine(const TArchiveSMS& message);

// The archived messages of a file's bytes: every non-empty line.
std::vector<TArchiveSMS> ParseArchive(const std::string& bytes);

// Creates the file empty when it does not exist (nothing else changes). Raises EInOutError.
void EnsureArchive(const std::string& path);

// Appends the messages whose line the file does not hold yet, in order (messages of this call
// are not compared with each other: two equal messages of one read are two messages). When the
// file does not end in CR LF (a line cut by a crash or by hand), CR LF comes first. The bytes go
// out whole and are flushed to the disk before it returns; returns how many were appended. An
// append that fails (a full disk) takes back the part of it that went out, so the file ends as
// it did. Creates the file when it does not exist. Raises EInOutError with the system's text.
int AppendToArchive(const std::string& path, const std::vector<TArchiveSMS>& messages);

}  // namespace orlin
