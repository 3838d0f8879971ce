#include "link/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include "link/errors.h"
#include "link/language.h"
#include "link/system_errors.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace orlin {

namespace {

[[noreturn]] void RaiseFileError(int code, const std::string& path) {
    if (code == 0) code = EIO;
    throw EFileError(ErrnoText(code), path);
}

// What stands at a path, without opening it (opening a FIFO waits for a writer, opening a
// device may change its lines).
struct PathStat {
    int error = 0;  // errno of the look-up, 0 when something is there
    bool regular = false;
    bool folder = false;
    unsigned long long size = 0;
};

// "Файл слишком велик: больше 4 МБ" (or КБ below a megabyte).
std::string TooBigText(size_t mostBytes) {
    const bool megabytes = mostBytes >= (size_t{1} << 20);
    return Tr("WholeFile", "Файл слишком велик: больше ") +
           std::to_string(megabytes ? mostBytes >> 20 : mostBytes >> 10) +
           (megabytes ? Tr("WholeFile", " МБ") : Tr("WholeFile", " КБ"));
}

std::string NotRegularText() {
    return Tr("WholeFile", "Это не обычный файл (устройство, канал или сокет)");
}

// Ignores SIGXFSZ once: over a file-size limit a write then fails with EFBIG, and the
// writer's own error path removes its temporary file, instead of the signal ending the
// process half-way.
void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
#endif
}

#ifdef _WIN32
std::wstring Wide(const std::string& path) {
    return PathFromUtf8(path).wstring();
}
int OpenNew(const std::string& path) {
    return ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                    _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}
int Flush(int fd) {
    return ::_commit(fd);
}
int CloseFile(int fd) {
    return ::_close(fd);
}
bool ReplaceFile(const std::string& from, const std::string& to) {
    if (::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
}
void RemoveFile(const std::string& path) {
    ::_wremove(Wide(path).c_str());
}
void FlushFolderOf(const std::string&) {}
PathStat StatOf(const std::string& path) {
    PathStat out;
    struct _stat64 st;
    if (::_wstat64(Wide(path).c_str(), &st) != 0) {
        out.error = errno ? errno : ENOENT;
        return out;
    }
    out.regular = (st.st_mode & _S_IFMT) == _S_IFREG;
    out.folder = (st.st_mode & _S_IFMT) == _S_IFDIR;
    out.size = static_cast<unsigned long long>(st.st_size);
    return out;
}
int OpenForAppend(const std::string& path) {
    return ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY,
                    _S_IREAD | _S_IWRITE);
}
long long EndOf(int fd) {
    return ::_lseeki64(fd, 0, SEEK_END);
}
void CutBackTo(int fd, long long size) {
    ::_chsize_s(fd, size);
}
#else
int OpenNew(const std::string& path) {
    // 0666 less the umask, as any new file the program makes.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
ssize_t WriteSome(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}
int Flush(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}
bool ReplaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}
void RemoveFile(const std::string& path) {
    std::remove(path.c_str());
}
// The rename itself reaches the disk only with its folder.
void FlushFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
int OpenForAppend(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}
PathStat StatOf(const std::string& path) {
    PathStat out;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        out.error = errno ? errno : ENOENT;
        return out;
    }
    out.regular = S_ISREG(st.st_mode);
    out.folder = S_ISDIR(st.st_mode);
    out.size = static_cast<unsigned long long>(st.st_size);
    return out;
}
long long EndOf(int fd) {
    return ::lseek(fd, 0, SEEK_END);
}
void CutBackTo(int fd, long long size) {
    [[maybe_unused]] const int ignored = ::ftruncate(fd, size);
}
#endif

// Writes all of `bytes` and flushes them to the disk: 0, or the error that stopped it.
int WriteAllAndFlush(int fd, std::string_view bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const auto n = WriteSome(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0)
            written += static_cast<size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return n < 0 ? errno : EIO;
    }
    return Flush(fd) != 0 ? errno : 0;
}

// A name beside the target that no one else uses: "<path>.<pid>-<n>.tmp".
int CreateTemporaryBeside(const std::string& path, std::string& name) {
#ifdef _WIN32
    const unsigned long pid = ::GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(::getpid());
#endif
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = path + "." + std::to_string(pid) + "-" + std::to_string(++counter) + ".tmp";
        const int fd = OpenNew(name);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);  // the bytes as they are, whatever their encoding
#endif
}

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
#else
    return path.string();
#endif
}

std::FILE* OpenFileUtf8(const std::string& name, const char* mode) {
#ifdef _WIN32
    return ::_wfopen(Wide(name).c_str(), PathFromUtf8(mode).wstring().c_str());
#else
    return std::fopen(name.c_str(), mode);
#endif
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    IgnoreFileSizeSignal();
    if (StatOf(path).folder) RaiseFileError(EISDIR, path);
    std::string temporary;
    errno = 0;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) RaiseFileError(errno, path);

    int error = WriteAllAndFlush(fd, bytes);
    if (CloseFile(fd) != 0 && error == 0) error = errno;
    if (error == 0 && !ReplaceFile(temporary, path)) error = errno;
    if (error != 0) {
        RemoveFile(temporary);
        RaiseFileError(error, path);
    }
    FlushFolderOf(path);
}

void AppendToFile(const std::string& path, std::string_view bytes) {
    IgnoreFileSizeSignal();
    errno = 0;
    const int fd = OpenForAppend(path);
    if (fd < 0) RaiseFileError(errno, path);
    const long long oldSize = EndOf(fd);
    int error = WriteAllAndFlush(fd, bytes);
    if (error != 0 && oldSize >= 0) CutBackTo(fd, oldSize);
    if (CloseFile(fd) != 0 && error == 0) error = errno;
    if (error != 0) RaiseFileError(error, path);
}

std::string UnreadableFileReason(const std::string& path, size_t mostBytes) {
    const PathStat st = StatOf(path);
    if (st.error == ENOENT) return "File not found";
    if (st.error != 0) return ErrnoText(st.error);
    if (st.folder) return ErrnoText(EISDIR);
    if (!st.regular) return NotRegularText();
    if (st.size > mostBytes) return TooBigText(mostBytes);
    return {};
}

std::string ReadWholeFile(const std::string& path, size_t mostBytes) {
    errno = 0;
    const PathStat st = StatOf(path);
    if (st.error == ENOENT || st.error == ENOTDIR) throw EFileError("File not found", path);
    if (st.error != 0) RaiseFileError(st.error, path);
    if (st.folder) RaiseFileError(EISDIR, path);
    if (!st.regular) throw EFileError(NotRegularText(), path);
    if (st.size > mostBytes) throw EFileError(TooBigText(mostBytes), path);
#ifdef _WIN32
    std::FILE* file = OpenFileUtf8(path, "rb");
    if (!file) {
        if (errno == ENOENT || errno == 0) throw EFileError("File not found", path);
        RaiseFileError(errno, path);
    }
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > mostBytes) break;
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) RaiseFileError(error, path);
#else
    // Without waiting: what stood at the path may have been swapped for a FIFO since.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) throw EFileError("File not found", path);
        RaiseFileError(errno, path);
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        throw EFileError(NotRegularText(), path);
    }
    std::string bytes;
    char buffer[65536];
    int error = 0;
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<size_t>(n));
            if (bytes.size() > mostBytes) break;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n < 0) error = errno;
            break;
        }
    }
    ::close(fd);
    if (error != 0) RaiseFileError(error, path);
#endif
    // It grew while it was read.
    if (bytes.size() > mostBytes) throw EFileError(TooBigText(mostBytes), path);
    return bytes;
}

}  // namespace orlin
