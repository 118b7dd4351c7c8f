// Files that are not what they seem: pipes and folders are refused without
// blocking, and a read-only design file is never replaced.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "io/design_file.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

class SpecialFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / "tov_special_files";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_ / "kept.tov", fs::perms::owner_all, ignored);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(SpecialFiles, PipesAndFoldersAreRefusedWithoutWaiting) {
  const fs::path pipe = dir_ / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(pipe));
  EXPECT_FALSE(ReadFileBytes(dir_));
  EXPECT_FALSE(LoadCoreTable(pipe).table);
  EXPECT_NE(LoadCoreTable(dir_).error.find("could not be read"), std::string::npos);
}

TEST_F(SpecialFiles, ReadOnlyDesignFileIsNotReplaced) {
  const fs::path file = dir_ / "kept.tov";
  std::ofstream(file) << "old";
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  EXPECT_EQ(ReplaceFileContents(file, "new"), "The file is read-only.");
  EXPECT_EQ(ReadFileBytes(file), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace tov
