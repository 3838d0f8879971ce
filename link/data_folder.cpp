#include "link/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "link/whole_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orlin {

namespace {

std::filesystem::path ProgramFile() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return {};
    return std::filesystem::path(std::wstring(buffer, length));
#else
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
#endif
}

std::string& Work() {
    static std::string folder;  // set once, before any file of the work folder is opened
    return folder;
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

std::string InstalledDataFolder() {
    const std::filesystem::path program = ProgramFile();
    if (program.empty()) return {};
    const std::filesystem::path folder = program.parent_path().parent_path() / "share" / "orlin";
    std::error_code ignored;
    return std::filesystem::is_directory(folder, ignored) ? Utf8FromPath(folder) : std::string();
}

std::string FindDataFile(const std::string& name) {
    return FindDataFile(name, InstalledDataFolder());
}

std::string FindDataFile(const std::string& name, const std::string& installed) {
    if (IsFile(PathFromUtf8(name))) return name;
    if (!installed.empty()) {
        const std::filesystem::path path = PathFromUtf8(installed) / PathFromUtf8(name);
        if (IsFile(path)) return Utf8FromPath(path);
    }
    return name;
}

std::string UserDataFolder() {
#ifdef _WIN32
    return {};
#else
    // As the desktop launcher (orlin-desktop) chooses it; an XDG_DATA_HOME that is not an
    // absolute path is to be ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return std::string(data) + "/orlin";
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    return std::string(home) + "/.local/share/orlin";
#endif
}

void SetWorkFolder(const std::string& folder) {
    Work() = folder;
}

const std::string& WorkFolder() {
    return Work();
}

std::string WorkFilePath(const std::string& name) {
    if (Work().empty()) return name;
    return Utf8FromPath(PathFromUtf8(Work()) / PathFromUtf8(name));
}

}  // namespace orlin
