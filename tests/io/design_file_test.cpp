#include "io/design_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

namespace tov {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStartupFile =
    "0\r\n0\r\n\"10\"\r\n\"2\"\r\n\"100\"\r\n\"600\"\r\n\"100\"\r\n\"150\"\r\n\"35\"\r\n"
    "3\r\n1\r\n20\r\n1\r\n0\r\n";

DesignFileRecord StartupRecord() {
  WindowModel window;
  ApplyStartupDefaults(window);
  return RecordFromWindow(window);
}

TEST(DesignFileWriter, StartupSettingsGiveTheFourteenLinesByteForByte) {
  EXPECT_EQ(WriteDesignFile(StartupRecord()), kStartupFile);
}

TEST(DesignFileWriter, RecordFromWindowTakesTextsMaterialChecksAndState) {
  WindowModel window;
  ApplyStartupDefaults(window);
  window.txtLnl.text = "not checked, 1.5";
  window.material = Material::VelmaxE;
  window.mnuLfl = false;
  window.mnuSingleLayer = true;
  window.state.CoreIdx = 530;
  window.state.DesignMode = 1;
  window.state.StackCount = 3;
  window.state.AmbientTemp = -12.25f;
  const DesignFileRecord r = RecordFromWindow(window);
  EXPECT_EQ(r.Lnl, "not checked, 1.5");
  EXPECT_EQ(r.MaterialCode, 4);
  EXPECT_EQ(r.FullLoadLMax, 0);
  EXPECT_EQ(r.SingleLayer, 1);
  EXPECT_EQ(r.CoreIdx, 530);
  EXPECT_EQ(r.DesignMode, 1);
  EXPECT_EQ(r.StackCount, 3);
  EXPECT_EQ(r.AmbientTemp, -12.25f);
}

struct AmbientCase {
  float value;
  const char* written;
};
class AmbientWriting : public ::testing::TestWithParam<AmbientCase> {};

TEST_P(AmbientWriting, ShortestFormOfAtMostSevenDigits) {
  DesignFileRecord r = StartupRecord();
  r.AmbientTemp = GetParam().value;
  const std::string bytes = WriteDesignFile(r);
  EXPECT_NE(bytes.find(std::string("\r\n1\r\n") + GetParam().written + "\r\n1\r\n0\r\n"),
            std::string::npos)
      << bytes;
  const auto back = ReadDesignFile(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->AmbientTemp, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, AmbientWriting,
                         ::testing::Values(AmbientCase{20.0f, "20"}, AmbientCase{37.5f, "37.5"},
                                           AmbientCase{-12.25f, "-12.25"},
                                           AmbientCase{20.1f, "20.1"}, AmbientCase{0.25f, "0.25"},
                                           AmbientCase{1e-7f, "1E-07"},
                                           AmbientCase{1.5e7f, "1.5E+07"}));

TEST(DesignFileRoundTrip, EveryValueSurvivesIncludingACommaInsideAText) {
  DesignFileRecord r;
  r.CoreIdx = -32768;
  r.DesignMode = 32767;
  r.Idc = "1,5";
  r.Idelta = "";
  r.Freq = "  100  ";
  r.CurDens = "abc";
  r.Lfl = "1e2";
  r.Lnl = "150";
  r.TempInput = "35.0";
  r.MaterialCode = 0;
  r.FullLoadLMax = 5;
  r.AmbientTemp = 45.0f;
  r.StackCount = -3;
  r.SingleLayer = 1;
  const auto back = ReadDesignFile(WriteDesignFile(r));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, r);
}

TEST(DesignFileRoundTrip, ADoubleQuoteInsideATextCutsTheTextThere) {
  DesignFileRecord r = StartupRecord();
  r.Idc = "10\"x";
  const auto back = ReadDesignFile(WriteDesignFile(r));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Idc, "10");
  EXPECT_EQ(back->Idelta, "2");
}

TEST(DesignFileReader, ValuesMayStandSeveralToALineWithBlanksBefore) {
  const auto r = ReadDesignFile(
      "400, 1,  \"7\",\"2\"\n\"100\",\"600\",\"100\",\"150\",\"35\"\n1,1,  45 ,2,1\n");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->CoreIdx, 400);
  EXPECT_EQ(r->DesignMode, 1);
  EXPECT_EQ(r->Idc, "7");
  EXPECT_EQ(r->MaterialCode, 1);
  EXPECT_EQ(r->AmbientTemp, 45.0f);
  EXPECT_EQ(r->StackCount, 2);
  EXPECT_EQ(r->SingleLayer, 1);
}

TEST(DesignFileReader, UnquotedInputRecordsAreTakenAsPlainNumberTextOrAsTheyStand) {
  const auto r = ReadDesignFile(
      "0\r\n0\r\n10.50\r\n+2\r\n1e2\r\n  600  \r\n.5\r\nabc def "
      "\r\n\r\n3\r\n1\r\n20\r\n1\r\n0\r\n");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Idc, "10.5");
  EXPECT_EQ(r->Idelta, "2");
  EXPECT_EQ(r->Freq, "100");
  EXPECT_EQ(r->CurDens, "600");
  EXPECT_EQ(r->Lfl, "0.5");
  EXPECT_EQ(r->Lnl, "abc def");
  EXPECT_EQ(r->TempInput, "");
}

TEST(DesignFileReader, WhatFollowsTheFourteenthRecordIsIgnored) {
  const auto r = ReadDesignFile(std::string(kStartupFile) + "garbage,\"more\n99999\r\n");
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, StartupRecord());
}

TEST(DesignFileReader, IntegerRecordsTakeTheWhole16BitRange) {
  const auto r = ReadDesignFile(
      "-32768\r\n32767\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n7\r\n5\r\n"
      "-1e1\r\n\"2\"\r\n-0\r\n");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->CoreIdx, -32768);
  EXPECT_EQ(r->DesignMode, 32767);
  EXPECT_EQ(r->MaterialCode, 7);
  EXPECT_EQ(r->FullLoadLMax, 5);
  EXPECT_EQ(r->AmbientTemp, -10.0f);
  EXPECT_EQ(r->StackCount, 2);
  EXPECT_EQ(r->SingleLayer, 0);
}

// The start-up file with record `index` (0-based) replaced.
std::string StartupWith(int index, const std::string& value) {
  std::string out;
  std::string file = kStartupFile;
  for (int i = 0; i < 14; ++i) {
    const std::size_t end = file.find("\r\n");
    out += (i == index ? value : file.substr(0, end)) + "\r\n";
    file.erase(0, end + 2);
  }
  return out;
}

// The start-up file less its last `count` records.
std::string StartupWithout(int count) {
  std::string file = kStartupFile;
  for (int i = 0; i < count; ++i) file.erase(file.rfind("\r\n", file.size() - 3) + 2);
  return file;
}

struct BadFile {
  const char* why;
  std::string bytes;
};
class DesignFileReaderRejects : public ::testing::TestWithParam<BadFile> {};

TEST_P(DesignFileReaderRejects, TheWholeFile) {
  EXPECT_FALSE(ReadDesignFile(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignFileReaderRejects,
    ::testing::Values(BadFile{"empty", ""}, BadFile{"blank", " \r\n \r\n"},
                      BadFile{"thirteen records", StartupWithout(1)},
                      BadFile{"two records", StartupWithout(12)},
                      BadFile{"CoreIdx above 16 bits", StartupWith(0, "32768")},
                      BadFile{"DesignMode below 16 bits", StartupWith(1, "-32769")},
                      BadFile{"fractional material", StartupWith(9, "3.5")},
                      BadFile{"text in an integer record", StartupWith(10, "yes")},
                      BadFile{"empty integer record", StartupWith(13, "")},
                      BadFile{"huge stack count", StartupWith(12, "1e300")},
                      BadFile{"text as ambient temperature", StartupWith(11, "warm")},
                      BadFile{"ambient beyond a 4-byte float", StartupWith(11, "1e39")}),
    [](const auto& info) {
      std::string name = info.param.why;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(DesignFileReader, ThirteenRecordsFailButFourteenPass) {
  const std::string file = kStartupFile;
  EXPECT_FALSE(ReadDesignFile(file.substr(0, file.size() - 3)));
  EXPECT_TRUE(ReadDesignFile(file.substr(0, file.size() - 2)));
}

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("tov_io_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& file) {
    return ReadFileBytes(file).value_or("<none>");
  }
  static void Put(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  // Nothing but the named entries is left in the folder (no temporary file).
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(FileReplacement, ReplacesAnExistingFileAndKeepsItsPermissions) {
  const fs::path file = dir_ / "design.tov";
  Put(file, "old contents that are longer than the new ones");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ReplaceFileContents(file, "new"), "");
  EXPECT_EQ(Contents(file), "new");
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileReplacement, CreatesANewFileAndFollowsASymbolicLink) {
  const fs::path target = dir_ / "real.tov";
  Put(target, "old");
  fs::create_symlink(target, dir_ / "link.tov");
  EXPECT_EQ(ReplaceFileContents(dir_ / "link.tov", "via link"), "");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.tov"));
  EXPECT_EQ(Contents(target), "via link");
  EXPECT_EQ(ReplaceFileContents(dir_ / "fresh.tov", "fresh"), "");
  EXPECT_EQ(Contents(dir_ / "fresh.tov"), "fresh");
  EXPECT_EQ(Entries(), 3u);
}

TEST_F(FileReplacement, AFolderInTheWayOrAMissingFolderFailsWithAReason) {
  fs::create_directory(dir_ / "taken.tov");
  Put(dir_ / "taken.tov" / "inside", "kept");
  EXPECT_NE(ReplaceFileContents(dir_ / "taken.tov", "x"), "");
  EXPECT_EQ(Contents(dir_ / "taken.tov" / "inside"), "kept");
  EXPECT_NE(ReplaceFileContents(dir_ / "missing" / "a.tov", "x"), "");
  EXPECT_NE(ReplaceFileContents(dir_ / "taken.tov" / "", "x"), "");
  EXPECT_EQ(Entries(), 1u);
}

// A write that fails half-way (here: the file size limit of the process)
// must leave the old file as it was and no temporary file behind.
TEST_F(FileReplacement, AFailedWriteLeavesTheOldFileIntact) {
  const fs::path file = dir_ / "design.tov";
  Put(file, "the good old design");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 8;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  const std::string failure = ReplaceFileContents(file, std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);
  EXPECT_NE(failure, "");
  EXPECT_EQ(Contents(file), "the good old design");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileReplacement, ReadFileBytesFailsOnAMissingFileOrAFolderAndStopsAtItsLimit) {
  EXPECT_FALSE(ReadFileBytes(dir_ / "missing.tov"));
  EXPECT_FALSE(ReadFileBytes(dir_));
  Put(dir_ / "big", std::string(10000, 'b'));
  EXPECT_EQ(ReadFileBytes(dir_ / "big", 5000)->size(), 5000u);
  Put(dir_ / "empty", "");
  EXPECT_EQ(ReadFileBytes(dir_ / "empty"), "");
}

}  // namespace
}  // namespace tov
