#pragma once
// Where the program's files lie. Its read-only files: the resource container, the help text and the
// model pictures. Run from a folder that holds them (the build folder, a copied set), the
// program takes them from there; an installed program also finds them in share/orlin beside
// the bin/ folder it runs from. Its own files (portcfg.ini, the message archives) lie in the work
// folder: the current directory, which the desktop launcher makes the user's data folder, or
// that folder named outright when orlin-cli takes the window's settings from there. Paths are
// in the system's own encoding.

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

// The folder the window started from the desktop menu works in: $XDG_DATA_HOME/orlin, else
// $HOME/.local/share/orlin, whether or not it exists yet; empty on Windows or without HOME.
std::string UserDataFolder();

// The work folder: "" (the default) is the current directory.
void SetWorkFolder(const std::string& folder);
const std::string& WorkFolder();
// `name` in the work folder (`name` itself while that is the current directory).
std::string WorkFilePath(const std::string& name);

}  // namespace orlin
