// Exports onto files that are not plain files: the PDF (tovdesign
// --export-pdf, a process of its own), a curve (the Curves window) and the
// comparison table (Compare Cores) either refuse with the reason and leave
// what is there untouched, or write through a hard link keeping it one file.
// Never is the design file an export was made from replaced.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "io/atomic_save.h"
#include "qt_test_support.h"
#include "ui/qt/compare_window.h"
#include "ui/qt/curves_window.h"

namespace tov::qt::testing {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool MakeOldFile(const fs::path& path) {
  std::ofstream(path, std::ios::binary) << "old content";
  return fs::exists(path);
}

struct Target {
  const char* name;
  // Makes the target beside the design file; nullptr: the target is the design file.
  std::function<bool(const fs::path& target, const fs::path& design)> make;
  // A part of the refusal; nullptr: the export is written, through the hard link.
  const char* refusal;
};

// The safe writer's own refusals are tested on it; here each export passes on
// its reason and names the design file it was made from.
const Target kTargets[] = {
    {"named pipe", [](const fs::path& t, const fs::path&) { return mkfifo(t.c_str(), 0600) == 0; },
     "named pipe"},
    {"the design file", nullptr, "design file"},
    {"link to the design file",
     [](const fs::path& t, const fs::path& d) { return symlink(d.c_str(), t.c_str()) == 0; },
     "design file"},
    {"hard link to the design file",
     [](const fs::path& t, const fs::path& d) { return link(d.c_str(), t.c_str()) == 0; },
     "design file"},
    {"hard link",
     [](const fs::path& t, const fs::path&) {
       return MakeOldFile(t) && link(t.c_str(), (t.parent_path() / "other").c_str()) == 0;
     },
     nullptr},
};

// What is at a name, to tell that nothing was replaced.
struct Snapshot {
  ino_t inode = 0;
  mode_t type = 0;
  std::string content;      // of a regular file
  std::size_t entries = 0;  // in its folder: no temporary file is left
};
Snapshot Take(const fs::path& path) {
  Snapshot s;
  struct stat status {};
  lstat(path.c_str(), &status);
  s.inode = status.st_ino;
  s.type = status.st_mode & S_IFMT;
  if (S_ISREG(status.st_mode)) s.content = Slurp(path);
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(path.parent_path())) ++s.entries;
  return s;
}

// An export onto `target`; returns the reason it gave, empty when it wrote.
using Exporter = std::function<std::string(const fs::path& target, const fs::path& design)>;

struct ExportCase {
  const char* name;
  Exporter run;
};

TEST(ExportTargets, AreRefusedWithTheReasonOrWrittenThroughAHardLinkNeverReplaced) {
  WindowUnderTest t;
  QTemporaryDir dir;
  const fs::path root = dir.path().toStdString();
  const std::string design_text = FilterChokeFile();

  // The window shows the design of a file; its design file changes per case.
  const auto open_in_window = [&](const fs::path& design) {
    t.ui.open_paths.push_back(design.string());
    t.Trigger("mnuOpen");
    ASSERT_EQ(t.frm->DesignFile(), design.string());
  };
  const ExportCase exports[] = {
      {"PDF",
       [&](const fs::path& target, const fs::path& design) {
         const auto [status, errors] =
             RunTovdesign({"--export-pdf", target.string(), design.string()});
         EXPECT_EQ(status, errors.empty() ? 0 : 3) << errors;
         EXPECT_EQ(errors.find("XDG_RUNTIME_DIR"), std::string::npos) << errors;
         return errors;
       }},
      {"curve",
       [&](const fs::path& target, const fs::path& design) {
         open_in_window(design);
         t.Trigger("mnuCurves");
         return t.window->Curves()
             ->ExportCurve(CurveKind::InductanceVsCurrent, ExportFormat::Png,
                           QString::fromStdString(target.string()))
             .toStdString();
       }},
      {"comparison",
       [&](const fs::path& target, const fs::path& design) {
         open_in_window(design);
         t.Trigger("mnuCompare");
         const std::size_t shown = t.ui.messages.size();
         t.ui.save_paths.push_back(target.string());
         t.window->Compare()->findChild<QPushButton*>("cmdExport")->click();
         return t.ui.messages.size() > shown ? t.ui.messages.back().text : std::string();
       }},
  };

  int folder = 0;
  for (const ExportCase& e : exports) {
    for (const Target& target : kTargets) {
      SCOPED_TRACE(std::string(e.name) + " onto a " + target.name);
      const fs::path here = root / std::to_string(folder++);
      fs::create_directories(here);
      const fs::path design = here / "design.tov";
      ASSERT_EQ(AtomicSave(design, design_text), "");
      const fs::path path = target.make ? here / "export" : design;
      if (target.make && !target.make(path, design)) {
        ADD_FAILURE() << "could not be made here: " << strerror(errno);
        continue;
      }
      const Snapshot before = Take(path);
      const std::string reason = e.run(path, design);
      const Snapshot after = Take(path);
      EXPECT_EQ(Slurp(design), design_text);
      EXPECT_EQ(after.entries, before.entries);
      if (!target.refusal) {
        EXPECT_EQ(reason, "");
        EXPECT_EQ(after.inode, before.inode);
        EXPECT_NE(after.content, before.content);
        EXPECT_EQ(Slurp(here / "other"), after.content);
        continue;
      }
      EXPECT_NE(reason.find(target.refusal), std::string::npos) << reason;
      EXPECT_EQ(after.inode, before.inode);
      EXPECT_EQ(after.type, before.type);
      EXPECT_EQ(after.content, before.content);
    }
  }
}

// File names are bytes: a design file and a PDF whose names are not UTF-8
// are read and written as named.
TEST(ExportTargets, PdfExportTakesFileNamesAsBytes) {
  QTemporaryDir dir;
  const fs::path root = dir.path().toStdString();
  const fs::path design = root / "d\xe9.tov", pdf = root / "o\xe9.pdf";
  ASSERT_EQ(AtomicSave(design, FilterChokeFile()), "");
  const auto [status, errors] = RunTovdesign({"--export-pdf=" + pdf.string(), design.string()});
  EXPECT_EQ(status, 0) << errors;
  EXPECT_EQ(errors, "");
  EXPECT_EQ(Slurp(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_FALSE(fs::exists(root / "o\xef\xbf\xbd.pdf"));
}

}  // namespace
}  // namespace tov::qt::testing
