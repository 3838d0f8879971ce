#pragma once
// A folder of the test's own, named after the process and the test, that is the working
// directory while it lives (the message archive lives there) and is removed afterwards.
//
//   class ArchiveTest : public ::testing::Test {
//       test::WorkingFolder folder_{"orlin_sms_"};
//   };

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace orlin::test {

class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& prefix)
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() /
                (prefix + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~WorkingFolder() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
        std::filesystem::remove_all(path_, error);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace orlin::test
