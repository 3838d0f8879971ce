#pragma once
// Texts for the system errors a user meets with files and ports, in Russian (UTF-8),
// so that they read right inside the Russian window and on the command line whatever the
// process locale is.

#include <string>
#include <system_error>

namespace orlin {

// The text of an errno value: our own Russian text for the errors people meet with files and
// serial ports (no such file, permission denied, busy, input/output error, not a terminal, no
// such device, invalid argument, read-only file system, a folder in the way, disk full); the
// C library's English text, which is plain ASCII in every locale, for anything else.
std::string ErrnoText(int code);

// The text of an errno value met while opening or using a serial port: ErrnoText, except that
// permission denied names the fix (the user is not in the group that owns serial devices).
std::string PortErrnoText(int code);

// Why the user may not open `device` (a path, UTF-8) and what to do, for "Нет доступа к
// порту: " and the port list's "нет доступа: ": join the group that owns the device (named from
// the device itself: dialout, uucp, tty...) and log in again, for a group joined counts only from
// the next login; or, when the device is open to its owner alone, that it is. Empty on Windows.
std::string PortAccessRemedy(const std::string& device);

// The text of an error the standard library reports (std::filesystem): ErrnoText for an errno
// value; on Windows, for a system error code, the system's own text in UTF-8
// (std::error_code::message() gives it in the ANSI code page there).
std::string ErrorCodeText(const std::error_code& error);

#ifdef _WIN32
// The system's text of a Win32 error code in UTF-8, without its closing line break;
// "System error N" when the system has none.
std::string WindowsSystemText(unsigned long code);
#endif

// The errno value that stands for a Win32 error code a serial port meets (no such port, access
// denied or sharing violation: the port is held by another program, device and I/O failures,
// not a communications device, invalid parameter); 0 for any other code, whose text stays the
// system's own.
int Win32PortErrorAsErrno(unsigned long code);

}  // namespace orlin
