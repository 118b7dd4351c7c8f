// Where the programs look for their data: beside themselves in a build tree,
// in the share folder of the prefix they are installed in, then /usr/share.

#include "app/data_location.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tov {
namespace {

namespace fs = std::filesystem;

TEST(DataLocation, BesideTheProgramFirstThenTheInstalledShareFolder) {
  const fs::path prefix =
      fs::temp_directory_path() / ("tov_data_location_" + std::to_string(getpid()));
  const fs::path bin = prefix / "bin", share = prefix / "share" / TOV_DATA_PACKAGE;
  const std::string name = "data-location-test-file";
  fs::create_directories(bin);
  fs::create_directories(share);

  EXPECT_EQ(LocateData(bin, name), bin / name) << "found nowhere: the path beside the program";
  const std::string message = DataNotFoundMessage(bin, name, "the test data");
  for (const fs::path& looked :
       {bin / name, share / name, fs::path("/usr/share") / TOV_DATA_PACKAGE / name}) {
    EXPECT_NE(message.find(looked.string() + "\r"), std::string::npos) << message;
  }
  std::ofstream(share / name) << "installed";
  EXPECT_EQ(LocateData(bin, name), share / name);
  std::ofstream(bin / name) << "build tree";
  EXPECT_EQ(LocateData(bin, name), bin / name);
  fs::remove_all(prefix);
}

}  // namespace
}  // namespace tov
