#include "link/data_folder.h"

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

}  // namespace orlin
