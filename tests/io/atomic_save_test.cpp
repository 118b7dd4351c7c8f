// Saving over whatever a name may stand for: special files are refused, links
// followed, hard links and mode kept, and a failed or killed save leaves the
// old content and, after the next save, no temporary file.

#include "io/atomic_save.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "state/file_bytes.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

class AtomicSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tov_save_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    fs::permissions(dir_, fs::perms::all);  // a plain user works in it too
  }
  void TearDown() override {
    std::error_code no_such_folder;
    fs::permissions(dir_ / "locked", fs::perms::owner_all, fs::perm_options::add, no_such_folder);
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    return ReadFileBytes(Path(name), 1 << 20).value_or("");
  }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename());
    return names;
  }
  mode_t TypeOf(const std::string& name) const {
    struct stat status {};
    lstat(Path(name).c_str(), &status);
    return status.st_mode & S_IFMT;
  }

  fs::path dir_;
};

// Runs `check` in a child process that gives up root's rights when the test
// runs as root; 0 when `check` held, 77 when the rights cannot be given up.
int AsPlainUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check() ? 0 : 1;
  const pid_t child = fork();
  if (child == 0) _exit(setgid(kNobody) != 0 || setuid(kNobody) != 0 ? 77 : check() ? 0 : 1);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(AtomicSaveTest, RefusesWhatIsNotAWritableRegularFileAndChangesNothing) {
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  fs::create_directory(Path("folder"));
  fs::create_symlink("/dev/null", Path("null-link"));
  Put("kept.tov", "old");
  fs::permissions(Path("kept.tov"), fs::perms::owner_read | fs::perms::group_read);

  std::vector<std::pair<std::string, std::string>> cases = {
      {"pipe", "A named pipe of that name is in the way."},
      {"folder", "A folder of that name is in the way."},
      {"folder/", "The name is a folder, not a file."},
      {"null-link", "A device of that name is in the way."},
      {"kept.tov", "The file is read-only."}};
  // A device of its own where the system lets the test make one.
  if (mknod(Path("device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    cases.emplace_back("device", "A device of that name is in the way.");
  }
  const std::set<std::string> before = Entries();
  for (const auto& [name, why] : cases) {
    const mode_t type = TypeOf(name);
    EXPECT_EQ(AtomicSave(Path(name), "new"), why) << name;
    EXPECT_EQ(TypeOf(name), type) << name;
  }
  EXPECT_EQ(Read("kept.tov"), "old");
  EXPECT_EQ(Entries(), before);
}

TEST_F(AtomicSaveTest, FollowsLinksAndKeepsModeOwnerAndEveryHardLink) {
  Put("a.tov", "old");
  fs::permissions(Path("a.tov"), fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::others_write);
  // Run as root, the file belongs to someone else.
  const uid_t owner = geteuid() == 0 ? kNobody : geteuid();
  const gid_t group = geteuid() == 0 ? kNobody : getegid();
  ASSERT_EQ(chown(Path("a.tov").c_str(), owner, group), 0);
  fs::create_symlink("a.tov", Path("link.tov"));
  fs::create_directory(Path("sub"));
  fs::create_symlink("sub/created.tov", Path("dangling.tov"));
  Put("hard.tov", "old");
  fs::create_hard_link(Path("hard.tov"), Path("hard2.tov"));

  for (const char* name : {"link.tov", "dangling.tov", "hard.tov"}) {
    EXPECT_EQ(AtomicSave(Path(name), name), "") << name;
  }
  EXPECT_EQ(std::tuple(Read("a.tov"), Read("sub/created.tov"), Read("hard2.tov")),
            std::tuple("link.tov", "dangling.tov", "hard.tov"));
  EXPECT_EQ(fs::hard_link_count(Path("hard.tov")), 2u);
  EXPECT_EQ(std::tuple(TypeOf("link.tov"), TypeOf("dangling.tov")), std::tuple(S_IFLNK, S_IFLNK));
  struct stat status {};
  ASSERT_EQ(stat(Path("a.tov").c_str(), &status), 0);
  EXPECT_EQ(std::tuple(status.st_mode & 07777, status.st_uid, status.st_gid),
            std::tuple(0642u, owner, group));
  EXPECT_EQ(Entries(), (std::set<std::string>{"a.tov", "dangling.tov", "hard.tov", "hard2.tov",
                                              "link.tov", "sub"}));
}

// At the file size limit of the process: through either temporary file and
// in place (a hard link).
TEST_F(AtomicSaveTest, AFailedSaveNamesItsCauseAndLeavesTheOldContentAndNoTemporaryFile) {
  const std::string old = "the good old design";
  Put("a.tov", old);
  Put("hard.tov", old);
  fs::create_hard_link(Path("hard.tov"), Path("hard2.tov"));
  const std::set<std::string> before = Entries();
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit tight{8, limit.rlim_max};
  for (const auto& [name, unnamed] :
       {std::pair{"a.tov", true}, {"a.tov", false}, {"hard.tov", true}}) {
    setrlimit(RLIMIT_FSIZE, &tight);
    const std::string failure = AtomicSave(Path(name), std::string(500, 'x'),
                                           {.unnamed_temporary = unnamed, .before_replace = {}});
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(failure, "File too large.") << name;
    EXPECT_EQ(Read(name), old) << name;
  }
  EXPECT_EQ(Read("hard2.tov"), old);
  EXPECT_EQ(AtomicSave(Path("missing/a.tov"), "x"), "No such file or directory.");
  EXPECT_EQ(Entries(), before);
}

// A folder that takes no new file: a new name is refused for what it is, an
// existing writable file is written in place.
TEST_F(AtomicSaveTest, AFolderWithoutWritePermissionTakesTheContentOfAWritableFileOnly) {
  fs::create_directory(Path("locked"));
  Put("locked/open.tov", "old");
  fs::permissions(Path("locked/open.tov"), fs::perms::all);
  fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  const std::string new_file = Path("locked/new.tov"), open_file = Path("locked/open.tov");
  const int held = AsPlainUser([&] {
    return AtomicSave(new_file, "new") == "Permission denied." &&
           AtomicSave(open_file, "new") == "";
  });
  if (held == 77) GTEST_SKIP() << "root's rights cannot be given up here";
  EXPECT_EQ(held, 0);
  EXPECT_EQ(Read("locked/open.tov"), "new");
}

// The save is killed once the new content is on disk, before it replaces the
// old: through an unnamed temporary file nothing is left, through a named one
// the next save removes what the killed one left.
TEST_F(AtomicSaveTest, AKilledSaveLeavesTheOldContentAndTheNextSaveNoTemporaryFile) {
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed" : "named");
    Put("a.tov", "old");
    const pid_t child = fork();
    if (child == 0) {
      AtomicSave(Path("a.tov"), "new",
                 {.unnamed_temporary = unnamed, .before_replace = [] { raise(SIGKILL); }});
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Read("a.tov"), "old");
    EXPECT_EQ(Entries().size(), unnamed ? 1u : 2u);

    EXPECT_EQ(
        AtomicSave(Path("a.tov"), "newer", {.unnamed_temporary = unnamed, .before_replace = {}}),
        "");
    EXPECT_EQ(Read("a.tov"), "newer");
    EXPECT_EQ(Entries(), std::set<std::string>{"a.tov"});
  }
}

}  // namespace
}  // namespace tov
