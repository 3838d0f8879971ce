#include "ui/version_info.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <optional>

#ifdef _WIN32
#include <windows.h>

#include <iterator>
#include <vector>
#ifdef _MSC_VER
#pragma comment(lib, "version.lib")
#endif
#else
#include <QByteArray>
#endif

namespace orlin {

namespace {

const QString kMissing = QStringLiteral("n/a");
const QString kTranslationPath = QStringLiteral("\\VarFileInfo\\Translation");

QString stringPath(const QString& translation, const QString& name) {
    return QStringLiteral("\\StringFileInfo\\") + translation + QLatin1Char('\\') + name;
}

#ifdef _WIN32

// The VERSIONINFO resource of the file, read through the system's version API.
class RecordReader {
public:
    explicit RecordReader(const QString& path) {
        const std::wstring file = path.toStdWString();
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
        if (size == 0) return;
        data_.assign(size, 0);
        if (!GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
    }

    // The first language/code-page pair as 8 hex digits; nothing when the table is shorter
    // than one pair.
    std::optional<QString> translation() const {
        void* value = nullptr;
        UINT length = 0;
        if (data_.empty() ||
            !VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
            length < 4)
            return std::nullopt;
        const auto* words = static_cast<const WORD*>(value);
        return QStringLiteral("%1%2")
            .arg(words[0], 4, 16, QLatin1Char('0'))
            .arg(words[1], 4, 16, QLatin1Char('0'))
            .toUpper();
    }

    std::optional<QString> value(const QString& path) const {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring query = path.toStdWString();
        if (data_.empty() || !VerQueryValueW(data_.data(), query.c_str(), &value, &length) ||
            length == 0)
            return std::nullopt;
        return QString::fromWCharArray(static_cast<const wchar_t*>(value), int(length))
            .section(QChar(0), 0, 0);
    }

private:
    std::vector<char> data_;
};

#else

// The record embedded in the ELF section ".orlin_version": a magic string, then pairs of
// NUL-terminated UTF-8 strings, a query path and its value, up to an empty path.
const char kSectionName[] = ".orlin_version";
const QByteArray kMagic = QByteArrayLiteral("ORLINVERSION1");

// Reads integers of the file's byte order from a header held in memory; a read past the
// end yields nothing, so a truncated or malformed file can never be read out of bounds.
class ElfBytes {
public:
    ElfBytes(const QByteArray& bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}
    std::optional<std::uint64_t> get(std::uint64_t offset, int width) const {
        if (offset > std::uint64_t(bytes_.size()) ||
            std::uint64_t(bytes_.size()) - offset < std::uint64_t(width))
            return std::nullopt;
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i) {
            const auto byte =
                std::uint8_t(bytes_[qsizetype(offset + (bigEndian_ ? i : width - 1 - i))]);
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    const QByteArray& bytes_;
    bool bigEndian_;
};

std::optional<QByteArray> readAt(QFile& file, std::uint64_t offset, std::uint64_t size) {
    constexpr std::uint64_t kLimit = 64u * 1024u * 1024u;  // no header table is this large
    if (size > kLimit || offset > std::uint64_t(file.size()) ||
        std::uint64_t(file.size()) - offset < size)
        return std::nullopt;
    if (!file.seek(qint64(offset))) return std::nullopt;
    QByteArray data = file.read(qint64(size));
    if (std::uint64_t(data.size()) != size) return std::nullopt;
    return data;
}

// The contents of the named section of an ELF file (32 or 64 bit, either byte order).
std::optional<QByteArray> elfSection(const QString& path, const char* wanted) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto ident = readAt(file, 0, 64);
    if (!ident || !ident->startsWith("\x7f"
                                     "ELF"))
        return std::nullopt;
    const bool is64 = (*ident)[4] == 2;
    if (!is64 && (*ident)[4] != 1) return std::nullopt;
    const ElfBytes header(*ident, (*ident)[5] == 2);
    const int word = is64 ? 8 : 4;
    const auto shoff = header.get(is64 ? 0x28 : 0x20, word);
    const auto shentsize = header.get(is64 ? 0x3A : 0x2E, 2);
    auto shnum = header.get(is64 ? 0x3C : 0x30, 2);
    auto shstrndx = header.get(is64 ? 0x3E : 0x32, 2);
    if (!shoff || !shentsize || !shnum || !shstrndx || *shoff == 0 ||
        *shentsize < std::uint64_t(is64 ? 64 : 40))
        return std::nullopt;

    const auto firstHeader = readAt(file, *shoff, *shentsize);
    if (!firstHeader) return std::nullopt;
    const ElfBytes first(*firstHeader, (*ident)[5] == 2);
    // Files with very many sections keep the real count and string-table index in section 0.
    if (*shnum == 0) shnum = first.get(is64 ? 0x20 : 0x14, word);
    if (*shstrndx == 0xFFFF) shstrndx = first.get(is64 ? 0x28 : 0x18, 4);
    if (!shnum || !shstrndx || *shstrndx >= *shnum) return std::nullopt;
    // The table lies inside the file: a count that could not is not a real one, and no
    // multiplication or loop below can then run past the file's size.
    if (*shnum > std::uint64_t(file.size()) / *shentsize) return std::nullopt;

    const auto table = readAt(file, *shoff, *shnum * *shentsize);
    if (!table) return std::nullopt;
    const ElfBytes sections(*table, (*ident)[5] == 2);
    struct Section {
        std::uint64_t name, type, offset, size;
    };
    auto section = [&](std::uint64_t index) -> std::optional<Section> {
        const std::uint64_t base = index * *shentsize;
        const auto name = sections.get(base, 4);
        const auto type = sections.get(base + 4, 4);
        const auto offset = sections.get(base + (is64 ? 0x18 : 0x10), word);
        const auto size = sections.get(base + (is64 ? 0x20 : 0x14), word);
        if (!name || !type || !offset || !size) return std::nullopt;
        return Section{*name, *type, *offset, *size};
    };
    constexpr std::uint64_t kNoBits = 8;

    const auto names = section(*shstrndx);
    if (!names || names->type == kNoBits) return std::nullopt;
    const auto nameTable = readAt(file, names->offset, names->size);
    if (!nameTable) return std::nullopt;
    for (std::uint64_t i = 0; i < *shnum; ++i) {
        const auto candidate = section(i);
        if (!candidate || candidate->name >= std::uint64_t(nameTable->size())) continue;
        if (qstrcmp(nameTable->constData() + candidate->name, wanted) != 0) continue;
        if (candidate->type == kNoBits) return std::nullopt;
        return readAt(file, candidate->offset, candidate->size);
    }
    return std::nullopt;
}

class RecordReader {
public:
    explicit RecordReader(const QString& path) {
        const auto section = elfSection(path, kSectionName);
        if (!section) return;
        const QList<QByteArray> parts = section->split('\0');
        if (parts.isEmpty() || parts.first() != kMagic) return;
        for (qsizetype i = 1; i + 1 < parts.size(); i += 2) {
            if (parts[i].isEmpty()) break;
            paths_ << QString::fromUtf8(parts[i]);
            values_ << QString::fromUtf8(parts[i + 1]);
        }
    }

    std::optional<QString> translation() const {
        const auto table = value(kTranslationPath);
        // Each pair is 8 hex digits; pairs are separated by blanks.
        const QString first = table ? table->section(QLatin1Char(' '), 0, 0) : QString();
        bool hex = false;
        first.toUInt(&hex, 16);
        if (first.size() != 8 || !hex) return std::nullopt;
        return first.toUpper();
    }

    std::optional<QString> value(const QString& path) const {
        const qsizetype index = paths_.indexOf(path);
        if (index < 0) return std::nullopt;
        return values_[index];
    }

private:
    QStringList paths_;
    QStringList values_;
};

#endif

}  // namespace

VersionInfo::VersionInfo(const QString& filePath) : fileName_(QFileInfo(filePath).fileName()) {
    const RecordReader record(filePath);
    const auto translation = record.translation();
    if (!translation) throw EReadError("Invalid language info in file " + fileName_.toStdString());
    translation_ = *translation;
    for (const QString& name : {QStringLiteral("FileVersion"), QStringLiteral("ProductVersion"),
                                QStringLiteral("ProductName"), QStringLiteral("FileDescription"),
                                QStringLiteral("InternalName"), QStringLiteral("OriginalFilename"),
                                QStringLiteral("CompanyName"), QStringLiteral("LegalCopyright"),
                                QStringLiteral("LegalTrademarks"), QStringLiteral("Comments")}) {
        if (const auto value = record.value(stringPath(translation_, name))) {
            names_ << name;
            values_ << *value;
        }
    }
}

QString VersionInfo::value(const QString& name) const {
    const qsizetype index = names_.indexOf(name);
    return index < 0 ? kMissing : values_[index];
}

QString programFilePath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
#ifdef _WIN32
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, DWORD(std::size(buffer)));
    return QString::fromWCharArray(buffer, int(length));
#else
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
#endif
}

AboutTexts readAboutTexts(const QString& filePath) {
    const VersionInfo info(filePath);
    return {QStringLiteral("Product Name: ") + info.value(QStringLiteral("ProductName")),
            QStringLiteral("Version: ") + info.value(QStringLiteral("FileVersion")),
            QStringLiteral("Copyrights: ") + info.value(QStringLiteral("LegalCopyright")),
            QStringLiteral("Comments: ") + info.value(QStringLiteral("Comments"))};
}

}  // namespace orlin
