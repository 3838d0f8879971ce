// Writing a file as a whole: a failure half-way leaves the old file as it was.

#include "link/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/errors.h"
#include "tests/support/fault_runs.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orlin_whole_file_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        path_ = (dir_ / "backup.txt").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    size_t FilesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(WholeFile, ReplacesTheContentAndLeavesNothingBeside) {
    WriteWholeFile(path_, "old content\r\n");
    WriteWholeFile(path_, std::string(5000, 'x'));
    EXPECT_EQ(orlin::ReadWholeFile(path_), std::string(5000, 'x'));
    EXPECT_EQ(FilesInFolder(), 1u);
    WriteWholeFile(path_, "");
    EXPECT_EQ(orlin::ReadWholeFile(path_), "");
}

TEST_F(WholeFile, AFailedWriteLeavesTheOldFileByteForByte) {
    const std::string old = std::string(3800, 'a') + "\r\n";
    WriteWholeFile(path_, old);
    try {
        FileSizeLimit diskFullAt(1024);
        WriteWholeFile(path_, std::string(3800, 'b'));
        FAIL() << "a write past the limit reported success";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Файл слишком велик");
    }
    EXPECT_EQ(orlin::ReadWholeFile(path_), old);
    EXPECT_EQ(FilesInFolder(), 1u) << "the temporary file was left behind";
}

TEST_F(WholeFile, AFolderInTheWayOrAMissingFolderIsAnError) {
    fs::create_directories(path_);
    EXPECT_THROW(WriteWholeFile(path_, "x"), EInOutError);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(FilesInFolder(), 1u);
    // Each failure names its file, for orlin-cli to show.
    const std::string inMissingFolder = (dir_ / "missing" / "x.txt").string();
    for (const auto& [path, fails] : std::vector<std::pair<std::string, std::function<void()>>>{
             {inMissingFolder, [&] { WriteWholeFile(inMissingFolder, "x"); }},
             {inMissingFolder, [&] { AppendToFile(inMissingFolder, "x"); }},
             {(dir_ / "nothing.txt").string(),
              [&] { orlin::ReadWholeFile((dir_ / "nothing.txt").string()); }}}) {
        try {
            fails();
            ADD_FAILURE() << path;
        } catch (const EFileError& error) {
            EXPECT_EQ(error.path(), path);
            if (path.ends_with("nothing.txt")) {
                EXPECT_STREQ(error.what(), "File not found");
            }
        }
    }
}

TEST_F(WholeFile, OnlyARegularFileBelowItsBoundIsRead) {
    // A FIFO with no writer would block the open, and then be read for ever; a folder or a
    // file beyond its kind's bound is no file of that kind.
    const std::string fifo = (dir_ / "pipe.vcf").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = (dir_ / "sms_789012.txt").string();
    fs::create_directories(folder);
    WriteWholeFile(path_, std::string(2000, 'x'));
    const struct {
        std::string path;
        size_t most;
        std::string text;
    } cases[] = {
        {fifo, kMostVCardBytes, "Это не обычный файл (устройство, канал или сокет)"},
        {folder, kMostFileBytes, "На месте файла находится папка"},
        {path_, 1999, "Файл слишком велик: больше 1 КБ"},
        {"/dev/null", kMostFileBytes, "Это не обычный файл (устройство, канал или сокет)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(UnreadableFileReason(c.path, c.most), c.text);
        try {
            orlin::ReadWholeFile(c.path, c.most);
            ADD_FAILURE() << "read";
        } catch (const EFileError& error) {
            EXPECT_EQ(error.what(), c.text);
            EXPECT_EQ(error.path(), c.path);
        }
    }
    EXPECT_EQ(orlin::ReadWholeFile(path_, 2000).size(), 2000u);
    EXPECT_EQ(UnreadableFileReason(path_, 2000), "");
}

}  // namespace
}  // namespace orlin::test
