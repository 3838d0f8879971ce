#include "tests/support/cli_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/private_bus.h"

namespace orlin::test {

namespace {
// Before any test runs orlin-cli: no real system bus, no user's settings.
const bool kIsolated = (IsolateTestProcess(), true);
}  // namespace

CliRun RunInFolder(const std::filesystem::path& folder, const std::string& commandLine) {
    const std::string command =
        "cd '" + folder.string() + "' && " + commandLine + " > out.txt 2> err.txt";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = FileBytes(folder / "out.txt");
    run.err = FileBytes(folder / "err.txt");
    return run;
}

CliRun RunCli(const std::filesystem::path& folder, const std::string& port,
              const std::string& words, const std::string& before) {
    return RunInFolder(folder, before + "'" ORLIN_CLI "' --port '" + port + "' " + words);
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace orlin::test
