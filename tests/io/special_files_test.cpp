// Files that are not what they seem: pipes and folders are refused without
// blocking.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "io/design_file_load.h"
#include "state/core_table_loader.h"
#include "state/file_bytes.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

TEST(SpecialFiles, PipesAndFoldersAreRefusedWithoutWaiting) {
  const fs::path dir = fs::temp_directory_path() / "tov_special_files";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path pipe = dir / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(pipe, 100));
  EXPECT_FALSE(ReadFileBytes(dir, 100));
  EXPECT_EQ(LoadDesignFile(pipe).error, "It is a named pipe, not a design file.");
  EXPECT_FALSE(LoadCoreTable(pipe).table);
  EXPECT_NE(LoadCoreTable(dir).error.find("could not be read"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tov
