#include "ui/version_info.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

using namespace orlin;

namespace {

// Reads a whole file.
QByteArray contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Text kept reversed in this program, so that the only forward copy in its file is the one in
// the embedded record and a search cannot stop at one of this test's own string constants.
QByteArray unreversed(const char* reversedText) {
    QByteArray text(reversedText);
    std::reverse(text.begin(), text.end());
    return text;
}

// Replaces the value that follows `key` in the embedded record of an executable image,
// keeping its length, so that the copy stays a valid executable.
QByteArray patchRecordValue(QByteArray image, const QByteArray& key, const QByteArray& newValue) {
    const QByteArray recordStart =
        unreversed("1NOISREVNILRO") + '\0' + unreversed("noitalsnarT\\ofnIeliFraV\\") + '\0';
    const qsizetype recordAt = image.indexOf(recordStart);
    const qsizetype keyAt = recordAt < 0 ? -1 : image.indexOf(key + '\0', recordAt);
    if (keyAt < 0) return {};
    const qsizetype valueAt = keyAt + key.size() + 1;
    const qsizetype end = image.indexOf('\0', valueAt);
    if (end - valueAt != newValue.size()) return {};
    image.replace(valueAt, newValue.size(), newValue);
    return image;
}

std::string readErrorFor(const QString& path) {
    try {
        VersionInfo info(path);
    } catch (const EReadError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(VersionInfoTest, TheProgramsOwnRecordReadsBackFromTheExecutable) {
    // This test program embeds the same record as orlin.
    const QString self = programFilePath();
    ASSERT_EQ(self, QCoreApplication::applicationFilePath());
    const VersionInfo info(self);
    EXPECT_EQ(info.translation(), "041904E3");
    EXPECT_EQ(info.value("FileVersion"), "0.9.1.11");
    EXPECT_EQ(info.value("ProductVersion"), "0.9.1.0");
    EXPECT_EQ(info.value("ProductName"), "Orlin");
    EXPECT_EQ(info.value("OriginalFilename"), "Orlin");
    EXPECT_EQ(info.value("Comments"), "Work with Motorola phone.");
    EXPECT_EQ(info.value("NoSuchName"), "n/a");

    const AboutTexts about = readAboutTexts();
    EXPECT_EQ(about.productName, "Product Name: Orlin");
    EXPECT_EQ(about.version, "Version: 0.9.1.11");
    EXPECT_EQ(about.copyright, "Copyrights: " + info.value("LegalCopyright"));
    EXPECT_NE(info.value("LegalCopyright"), "n/a");
    EXPECT_EQ(about.comments, "Comments: Work with Motorola phone.");
}

TEST(VersionInfoTest, FirstTranslationChoosesTheTableAndMissingValuesReadNA) {
    const VersionInfo info(QStringLiteral(ORLIN_TEST_PROBE));
    EXPECT_EQ(info.translation(), "040904B0");
    EXPECT_EQ(info.value("FileVersion"), "2.5.0.7");
    EXPECT_EQ(info.value("ProductName"), "Probe");
    // The Russian table has these, but only the first language counts.
    EXPECT_EQ(info.value("Comments"), "n/a");
    EXPECT_EQ(info.value("LegalCopyright"), "n/a");

    const AboutTexts about = readAboutTexts(QStringLiteral(ORLIN_TEST_PROBE));
    EXPECT_EQ(about.comments, "Comments: n/a");
    EXPECT_EQ(about.copyright, "Copyrights: n/a");
    EXPECT_EQ(about.version, "Version: 2.5.0.7");
}

TEST(VersionInfoTest, EveryReadTakesTheFileAsItIsNow) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("orlin");
    const QByteArray original = contents(programFilePath());
    ASSERT_TRUE(writeFile(copy, original));
    EXPECT_EQ(readAboutTexts(copy).version, "Version: 0.9.1.11");

    const QByteArray patched =
        patchRecordValue(original, "\\StringFileInfo\\041904E3\\FileVersion", "0.9.1.12");
    ASSERT_FALSE(patched.isEmpty());
    ASSERT_TRUE(writeFile(copy, patched));
    EXPECT_EQ(readAboutTexts(copy).version, "Version: 0.9.1.12");
}

TEST(VersionInfoTest, NoUsableTranslationIsAReadErrorNamingTheFile) {
    QTemporaryDir dir;
    const QByteArray self = contents(programFilePath());
    ASSERT_FALSE(self.isEmpty());

    // A file that is no executable at all.
    const QString text = dir.filePath("notes.txt");
    ASSERT_TRUE(writeFile(text, "just some words\n"));
    EXPECT_EQ(readErrorFor(text), "Invalid language info in file notes.txt");

    // A missing file.
    EXPECT_EQ(readErrorFor(dir.filePath("gone")), "Invalid language info in file gone");

    // A translation that is not a language and code page.
    const QString broken = dir.filePath("broken");
    const QByteArray badTranslation =
        patchRecordValue(self, "\\VarFileInfo\\Translation", "0419-4E3");
    ASSERT_FALSE(badTranslation.isEmpty());
    ASSERT_TRUE(writeFile(broken, badTranslation));
    EXPECT_EQ(readErrorFor(broken), "Invalid language info in file broken");

    // An executable without a record: the probe with its section renamed.
    QByteArray unnamed = contents(QStringLiteral(ORLIN_TEST_PROBE));
    const qsizetype nameAt = unnamed.indexOf(QByteArray(".orlin_version") + '\0');
    ASSERT_GE(nameAt, 0);
    unnamed.replace(nameAt, 14, ".other_section");
    const QString plain = dir.filePath("plain");
    ASSERT_TRUE(writeFile(plain, unnamed));
    EXPECT_EQ(readErrorFor(plain), "Invalid language info in file plain");
}

TEST(VersionInfoTest, DamagedExecutablesFailCleanly) {
    QTemporaryDir dir;
    const QByteArray self = contents(programFilePath());
    ASSERT_GT(self.size(), 4096);

    // Cut short: the section headers lie past the end.
    const QString cut = dir.filePath("cut");
    ASSERT_TRUE(writeFile(cut, self.left(4096)));
    EXPECT_EQ(readErrorFor(cut), "Invalid language info in file cut");

    // Section header offset pointing far outside the file (64-bit header field at 0x28).
    QByteArray wild = self;
    for (int i = 0; i < 8; ++i) wild[0x28 + i] = char(0x7F);
    const QString far = dir.filePath("far");
    ASSERT_TRUE(writeFile(far, wild));
    EXPECT_EQ(readErrorFor(far), "Invalid language info in file far");

    // Section count of zero with nothing in section 0 to say otherwise.
    QByteArray none = self;
    none[0x3C] = 0;
    none[0x3D] = 0;
    const QString empty = dir.filePath("empty");
    ASSERT_TRUE(writeFile(empty, none));
    EXPECT_EQ(readErrorFor(empty), "Invalid language info in file empty");

    // A section count in section 0 so large that count x entry size wraps around to a small
    // table: the reader must neither loop for ever nor read past the file.
    const QString wraps = dir.filePath("wraps");
    ASSERT_TRUE(
        writeFile(wraps, contents(QStringLiteral(ORLIN_TEST_DATA "/version-record-hang.elf"))));
    EXPECT_EQ(readErrorFor(wraps), "Invalid language info in file wraps");

    // Only the ELF magic.
    const QString stub = dir.filePath("stub");
    ASSERT_TRUE(writeFile(stub, QByteArray("\x7f"
                                           "ELF\x02\x01\x01",
                                           7)));
    EXPECT_EQ(readErrorFor(stub), "Invalid language info in file stub");
}

TEST(VersionInfoTest, NoSingleDamagedHeaderByteBreaksTheReader) {
    // Every byte of the ELF header and of the section header table set to 0xFF in turn: the
    // reader gives a record or the read error, and never reads outside the file.
    const QByteArray probe = contents(QStringLiteral(ORLIN_TEST_PROBE));
    ASSERT_GT(probe.size(), 64);
    quint64 tableAt = 0;
    for (int i = 7; i >= 0; --i) tableAt = (tableAt << 8) | quint8(probe[0x28 + i]);
    ASSERT_LT(tableAt, quint64(probe.size()));

    QTemporaryDir dir;
    const QString path = dir.filePath("probe");
    ASSERT_TRUE(writeFile(path, probe));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    QList<qsizetype> positions;
    for (qsizetype i = 0; i < 64; ++i) positions << i;
    for (qsizetype i = qsizetype(tableAt); i < probe.size(); ++i) positions << i;
    int readable = 0;
    for (const qsizetype position : positions) {
        ASSERT_TRUE(file.seek(position));
        ASSERT_EQ(file.write("\xFF", 1), 1);
        try {
            const VersionInfo info(path);
            ++readable;
            EXPECT_EQ(info.translation().size(), 8);
        } catch (const EReadError& error) {
            EXPECT_STREQ(error.what(), "Invalid language info in file probe");
        }
        ASSERT_TRUE(file.seek(position));
        ASSERT_EQ(file.write(probe.constData() + position, 1), 1);
    }
    // Most bytes (padding, flags, other sections) do not matter to the record.
    EXPECT_GT(readable, positions.size() / 2);
}
