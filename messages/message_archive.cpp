#include "messages/message_archive.h"

#include <set>

#include "link/cp1251.h"
#include "link/data_folder.h"
#include "link/whole_file.h"

namespace orlin {

std::string ArchiveFileName(const std::string& phoneId) {
    return "sms_" + phoneId + ".txt";
}

std::string ArchivePath(const std::string& phoneId) {
    return WorkFilePath(ArchiveFileName(phoneId));
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

Utf8Text ArchiveLineText(const std::string& bytes) {
    return Utf8OrCp1251ToUtf8(bytes);
}

TArchiveSMS SplitArchiveLine(const std::string& bytes) {
    // ";" is the same byte in both encodings: the line is decoded whole, then split.
    const Utf8Text line = ArchiveLineText(bytes);
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
    const Utf8Text line = message.number + ";" + message.dateTime + ";" + text;
    // A line of Cyrillic and ASCII stays byte for byte what it always was, unless its bytes
    // happen to be well-formed UTF-8 (a capital letter followed by "»" or "ё" and nothing
    // else beyond ASCII), which the reader would misread: that line goes as UTF-8 too.
    if (FitsCp1251(line)) {
        Cp1251Bytes bytes = Utf8ToCp1251(line);
        if (ArchiveLineText(bytes) == line) return bytes;
    }
    return line;
}

std::vector<TArchiveSMS> ParseArchive(const std::string& bytes) {
    std::vector<TArchiveSMS> messages;
    for (const std::string& line : ArchiveLines(bytes))
        if (!line.empty()) messages.push_back(SplitArchiveLine(line));
    return messages;
}

void EnsureArchive(const std::string& path) {
    AppendToFile(path, std::string());
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
    AppendToFile(path, bytes);
    return appended;
}

}  // namespace orlin
