#pragma once
// Where the program's read-only files lie: the resource container, the help text and the
// model pictures. Run from a folder that holds them (the build folder, a copied set), the
// program takes them from there; an installed program also finds them in share/orlin beside
// the bin/ folder it runs from. Paths are in the system's own encoding.

#include <string>

namespace orlin {

// share/orlin beside the folder of the running program (/usr/bin/orlin gives
// /usr/share/orlin), when that folder exists; empty otherwise.
std::string InstalledDataFolder();

// `name` when it is a file in the current directory; else the installed folder's file of that
// name when there is one; else `name` unchanged, so that a failure names it as before.
std::string FindDataFile(const std::string& name);
// The same with the installed folder given (empty: none).
std::string FindDataFile(const std::string& name, const std::string& installedFolder);

}  // namespace orlin
