#pragma once
// Runs a command line (orlin-cli, say) through the shell in a folder of the test's choosing and
// collects what it printed.

#include <filesystem>
#include <string>

namespace orlin::test {

struct CliRun {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `commandLine` (quoted for the shell) in `folder`; its output and error output go to
// out.txt and err.txt there and are read back.
CliRun RunInFolder(const std::filesystem::path& folder, const std::string& commandLine);

// The bytes of a file ("" when it cannot be read).
std::string FileBytes(const std::filesystem::path& path);

}  // namespace orlin::test
