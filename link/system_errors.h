#pragma once
// Texts for the system errors a user meets with files and ports, in Russian (Windows-1251),
// so that they read right inside the Russian window and on the command line whatever the
// process locale is.

#include <string>

namespace orlin {

// The text of an errno value: our own Russian text for the errors people meet with files and
// serial ports (no such file, permission denied, busy, input/output error, not a terminal, no
// such device, invalid argument, read-only file system, a folder in the way, disk full); the
// C library's English text, which is plain ASCII in every locale, for anything else.
std::string ErrnoText(int code);

}  // namespace orlin
