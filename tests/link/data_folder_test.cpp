// The program's read-only files: the current directory first, then the installed folder.

#include "link/data_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orlin::test {
namespace {

TEST(DataFolder, TheCurrentDirectoryComesBeforeTheInstalledFolder) {
    char pattern[] = "/tmp/orlin-data-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::filesystem::path root = pattern;
    const std::filesystem::path here = root / "here", installed = root / "share" / "orlin";
    std::filesystem::create_directories(here);
    std::filesystem::create_directories(installed);
    std::ofstream(here / "info.txt").close();
    std::ofstream(installed / "info.txt").close();
    std::ofstream(installed / "c350.jpg").close();
    std::filesystem::create_directory(here / "v150.jpg");  // a folder is no file
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(here);

    const std::string folder = installed.string();
    EXPECT_EQ(FindDataFile("info.txt", folder), "info.txt");
    EXPECT_EQ(FindDataFile("c350.jpg", folder), (installed / "c350.jpg").string());
    EXPECT_EQ(FindDataFile("v150.jpg", folder), "v150.jpg");  // named as before: not found
    EXPECT_EQ(FindDataFile("c350.jpg", ""), "c350.jpg");
    // This test program runs from the build folder, which has no share/orlin.
    EXPECT_EQ(InstalledDataFolder(), "");

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace orlin::test
