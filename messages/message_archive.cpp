#include "messages/message_archive.h"

#include <fcntl.h>

#include <cerrno>
#include <set>

#include "link/errors.h"
#include "link/system_errors.h"
#include "link/whole_file.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace orlin {

namespace {

[[noreturn]] void RaiseFileError(int code) {
    throw EInOutError(ErrnoText(code == 0 ? EIO : code));
}

#ifdef _WIN32
int OpenForAppend(const std::string& path) {
    return ::_open(path.c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY,
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
long long EndOf(int fd) {
    return ::_lseeki64(fd, 0, SEEK_END);
}
void CutBackTo(int fd, long long size) {
    ::_chsize_s(fd, size);
}
#else
int OpenForAppend(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
long long EndOf(int fd) {
    return ::lseek(fd, 0, SEEK_END);
}
void CutBackTo(int fd, long long size) {
    [[maybe_unused]] const int ignored = ::ftruncate(fd, size);
}
#endif

// Appends `bytes` whole and flushes them to the disk. When that fails half-way, the part that
// went out is taken back, so that the file ends as it did before.
void AppendBytes(const std::string& path, const std::string& bytes) {
    errno = 0;
    const int fd = OpenForAppend(path);
    if (fd < 0) RaiseFileError(errno);
    const long long oldSize = EndOf(fd);
    int error = 0;
    size_t written = 0;
    while (written < bytes.size() && error == 0) {
        const auto n = WriteSome(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0)
            written += static_cast<size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            error = n < 0 ? errno : EIO;
    }
    if (error == 0 && Flush(fd) != 0) error = errno;
    if (error != 0 && oldSize >= 0) CutBackTo(fd, oldSize);
    if (CloseFile(fd) != 0 && error == 0) error = errno;
    if (error != 0) RaiseFileError(error);
}

}  // namespace

std::string ArchiveFileName(const std::string& phoneId) {
    return "sms_" + phoneId + ".txt";
}

std::vector<std::string> ArchiveLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

TArchiveSMS SplitArchiveLine(const std::string& line) {
    TArchiveSMS message;
    const size_t first = line.find(';');
    if (first == std::string::npos) {
        message.text = line;
        return message;
    }
    message.number = line.substr(0, first);
    const size_t second = line.find(';', first + 1);
    if (second == std::string::npos) {
        message.dateTime = line.substr(first + 1);
        return message;
    }
    message.dateTime = line.substr(first + 1, second - first - 1);
    message.text = line.substr(second + 1);
    return message;
}

std::string ArchiveLine(const TArchiveSMS& message) {
    std::string text;
    text.reserve(message.text.size());
    for (size_t i = 0; i < message.text.size(); ++i) {
        const char c = message.text[i];
        if (c == '\r' && i + 1 < message.text.size() && message.text[i + 1] == '\n') ++i;
        text += c == '\r' || c == '\n' ? ' ' : c;
    }
    return message.number + ";" + message.dateTime + ";" + text;
}

std::vector<TArchiveSMS> ParseArchive(const std::string& bytes) {
    std::vector<TArchiveSMS> messages;
    for (const std::string& line : ArchiveLines(bytes))
        if (!line.empty()) messages.push_back(SplitArchiveLine(line));
    return messages;
}

void EnsureArchive(const std::string& path) {
    AppendBytes(path, std::string());
}

int AppendToArchive(const std::string& path, const std::vector<TArchiveSMS>& messages) {
    EnsureArchive(path);
    const std::string existing = ReadWholeFile(path);
    const std::vector<std::string> lines = ArchiveLines(existing);
    const std::set<std::string> archived(lines.begin(), lines.end());
    std::string bytes;
    int appended = 0;
    for (const TArchiveSMS& message : messages) {
        const std::string line = ArchiveLine(message);
        if (archived.count(line)) continue;
        bytes += line + "\r\n";
        ++appended;
    }
    if (appended == 0) return 0;
    const bool ended =
        existing.size() >= 2 && existing.compare(existing.size() - 2, 2, "\r\n") == 0;
    if (!existing.empty() && !ended) bytes.insert(0, "\r\n");
    AppendBytes(path, bytes);
    return appended;
}

}  // namespace orlin
