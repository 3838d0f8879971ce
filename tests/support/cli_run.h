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

// Runs orlin-cli (ORLIN_CLI, the program the build made) in `folder` against the phone at
// `port`: `words` is the rest of its command line as the shell reads it (quote what needs it),
// `before` goes in front of the program on the same shell line: variables ("TZ=MSK-3 ") or a
// command joined with "&& " (a ulimit, say).
CliRun RunCli(const std::filesystem::path& folder, const std::string& port,
              const std::string& words, const std::string& before = "");

// The bytes of a file ("" when it cannot be read).
std::string FileBytes(const std::filesystem::path& path);

}  // namespace orlin::test
