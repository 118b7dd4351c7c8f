#include "io/atomic_save.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "io/file_kind.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

// Symbolic links a dangling link may lead through, as many as the kernel follows.
constexpr int kMaxLinks = 40;
// A file written in place keeps its old content for a failure up to this size.
constexpr off_t kPutBackLimit = 16 << 20;
// The part of the file's name its temporary files carry: their names stay
// within the 255 bytes of a folder entry.
constexpr std::size_t kNameInTemporary = 200;
constexpr int kNameAttempts = 100;

// A file descriptor, closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The regular file a save writes, and its status when it exists.
struct SaveTarget {
  fs::path path;
  std::optional<struct stat> existing;
};

fs::path FolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

std::string InTheWay(mode_t mode) {
  std::string kind = NonRegularFileKind(mode);
  kind[0] = 'A';
  return kind + " of that name is in the way.";
}

// The first name along the chain of a dangling link that does not exist.
std::string FollowDanglingLink(const fs::path& link, fs::path& missing) {
  fs::path current = link;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(current.c_str(), buffer, sizeof buffer);
    if (length < 0) return ErrorText(errno);
    const fs::path next(std::string(buffer, static_cast<std::size_t>(length)));
    current = next.is_absolute() ? next : current.parent_path() / next;
    struct stat status;
    if (lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) return ErrorText(errno);
      missing = current;
      return {};
    }
    if (!S_ISLNK(status.st_mode)) return "The file appeared while it was being saved.";
  }
  return ErrorText(ELOOP);
}

// The regular file behind `file`: the file itself, or where its symbolic
// link leads, under its real name so that the link stays a link.
std::string ResolveTarget(const fs::path& file, SaveTarget& target) {
  if (file.filename().empty()) return "The name is a folder, not a file.";
  struct stat status;
  if (lstat(file.c_str(), &status) != 0) {
    if (errno != ENOENT) return ErrorText(errno);
    target.path = file;
  } else if (!S_ISLNK(status.st_mode)) {
    target.path = file;
    target.existing = status;
  } else if (stat(file.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return InTheWay(status.st_mode);
    char* real = realpath(file.c_str(), nullptr);
    if (!real) return ErrorText(errno);
    target.path = real;
    std::free(real);
    struct stat behind;
    if (lstat(target.path.c_str(), &behind) != 0 || behind.st_dev != status.st_dev ||
        behind.st_ino != status.st_ino) {
      return "The file the link leads to has no name of its own to save under.";
    }
    target.existing = status;
  } else if (errno == ENOENT) {
    if (std::string failure = FollowDanglingLink(file, target.path); !failure.empty()) {
      return failure;
    }
    if (target.path.filename().empty()) return "The name is a folder, not a file.";
  } else {
    return ErrorText(errno);
  }
  if (target.existing && !S_ISREG(target.existing->st_mode)) {
    return InTheWay(target.existing->st_mode);
  }
  return {};
}

// Writes all of `bytes` from the start of the file; `written` counts the bytes written.
std::string WriteFromStart(int fd, std::string_view bytes, std::size_t& written) {
  written = 0;
  while (written < bytes.size()) {
    const ssize_t n =
        pwrite(fd, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return ErrorText(n < 0 ? errno : EIO);
    written += static_cast<std::size_t>(n);
  }
  return {};
}

std::optional<std::string> ReadWhole(int fd, off_t size) {
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

// Rewrites what a failed write in place overwrote of the old content, and the old length.
bool PutBack(int fd, const std::string& old, std::size_t overwritten) {
  std::size_t written = 0;
  const std::string_view part(old.data(), std::min(overwritten, old.size()));
  return WriteFromStart(fd, part, written).empty() &&
         ftruncate(fd, static_cast<off_t>(old.size())) == 0 && fsync(fd) == 0;
}

// Writes the new content over the old in the file itself: every hard link
// sees it and the folder needs no new file, but it is not atomic.
std::string WriteInPlace(const fs::path& target, std::string_view bytes) {
  int opened = open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (opened < 0 && errno == EACCES)
    opened = open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  const Descriptor fd(opened);
  if (!fd.valid()) return ErrorText(errno);
  struct stat status;
  if (fstat(fd.get(), &status) != 0) return ErrorText(errno);
  if (!S_ISREG(status.st_mode)) return InTheWay(status.st_mode);
  const std::optional<std::string> old =
      status.st_size <= kPutBackLimit ? ReadWhole(fd.get(), status.st_size) : std::nullopt;

  std::size_t written = 0;
  std::string failure = WriteFromStart(fd.get(), bytes, written);
  if (failure.empty() && ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) {
    failure = ErrorText(errno);
  }
  if (failure.empty() && fsync(fd.get()) != 0) failure = ErrorText(errno);
  if (!failure.empty() && !(old && PutBack(fd.get(), *old, written))) {
    failure += " The file may be left partly written.";
  }
  return failure;
}

// The old file's owner and group where the user may give them away, then its
// mode (after the owner: a change of owner clears the set-user-ID bit).
std::string KeepOwnerAndMode(int fd, const struct stat& old) {
  if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
      fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Not permitted: the new content belongs to whoever saves it.
  }
  if (fchmod(fd, old.st_mode & 07777) != 0) return ErrorText(errno);
  return {};
}

// The complete new content in a temporary file: written, with the old file's
// owner and mode, on disk.
std::string FillTemporary(int fd, std::string_view bytes, const SaveTarget& target) {
  std::size_t written = 0;
  std::string failure = WriteFromStart(fd, bytes, written);
  if (failure.empty() && target.existing) failure = KeepOwnerAndMode(fd, *target.existing);
  if (failure.empty() && fsync(fd) != 0) failure = ErrorText(errno);
  return failure;
}

// Temporary files are named ".NAME.XXXXXXXX.tmp" beside the file, with eight
// hexadecimal digits.
std::string TemporaryPrefix(const fs::path& target) {
  return "." + target.filename().string().substr(0, kNameInTemporary) + ".";
}

fs::path TemporaryName(const fs::path& target, unsigned salt) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%08x.tmp", salt);
  return FolderOf(target) / (TemporaryPrefix(target) + suffix);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  constexpr std::string_view kEnd = ".tmp";
  constexpr std::size_t kDigits = 8;
  if (name.size() != prefix.size() + kDigits + kEnd.size() || !name.starts_with(prefix) ||
      !name.ends_with(kEnd)) {
    return false;
  }
  const std::string_view digits = name.substr(prefix.size(), kDigits);
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// A save holds a lock on its temporary file while it lives, so that the next
// save can tell one left by a killed save. False when another save is taking
// the file away as left behind; true also where the file system has no locks.
bool LockTemporary(int fd) {
  return flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

bool StillNamed(int fd, const fs::path& name) {
  struct stat opened, named;
  return fstat(fd, &opened) == 0 && lstat(name.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A new, locked temporary file beside the target; -1 with errno set when none can be made.
int CreateNamedTemporary(const fs::path& target, fs::path& name) {
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TemporaryName(target, random());
    const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return -1;
    if (LockTemporary(fd) && StillNamed(fd, name)) return fd;
    close(fd);  // taken away by another save between its creation and the lock
  }
  errno = EEXIST;
  return -1;
}

// Removes the temporary files of this target that killed saves left behind:
// the ones no living save holds a lock on.
void RemoveLeftTemporaries(const fs::path& target) {
  const fs::path folder = FolderOf(target);
  const std::string prefix = TemporaryPrefix(target);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    if (!IsTemporaryName(entry->d_name, prefix)) continue;
    const fs::path path = folder / entry->d_name;
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (fd.valid() && fstat(fd.get(), &status) == 0 && S_ISREG(status.st_mode) &&
        flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
      unlink(path.c_str());
    }
  }
  closedir(dir);
}

// Flushes the folder so that the rename survives a power cut. The new content
// is in place by then: a folder that cannot be flushed does not fail the save.
void SyncFolder(const fs::path& folder) {
  const Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) fsync(fd.get());
}

// The folder may refuse a new file (no write permission, a sticky folder that
// is not the user's) while the file itself may be written.
bool FolderRefuses(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Gives a complete unnamed temporary file the target's name: a link cannot
// replace a file, so it is linked under a temporary name that is then renamed
// over the target. False when the file system, or a missing /proc, does not allow it.
bool LinkIntoPlace(int fd, const fs::path& target) {
  char proc_path[32];
  std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd);
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const fs::path name = TemporaryName(target, random());
    if (linkat(AT_FDCWD, proc_path, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (rename(name.c_str(), target.c_str()) == 0) return true;
    unlink(name.c_str());
    return false;
  }
  return false;
}

// A save through a temporary file that has no name until it is complete;
// nullopt when the file system does not offer one or it cannot be named.
std::optional<std::string> SaveThroughUnnamed(const SaveTarget& target, std::string_view bytes,
                                              const AtomicSaveOptions& options) {
  const Descriptor fd(open(FolderOf(target.path).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
  if (!fd.valid()) return std::nullopt;
  LockTemporary(fd.get());
  if (std::string failure = FillTemporary(fd.get(), bytes, target); !failure.empty()) {
    return failure;
  }
  if (options.before_replace) options.before_replace();
  if (!LinkIntoPlace(fd.get(), target.path)) return std::nullopt;
  return std::string();
}

std::string SaveThroughNamed(const SaveTarget& target, std::string_view bytes,
                             const AtomicSaveOptions& options) {
  fs::path name;
  const Descriptor fd(CreateNamedTemporary(target.path, name));
  if (!fd.valid()) {
    const int error = errno;
    // The folder takes no new file but the file itself is writable: it is
    // written in place, which is not atomic but the only way to save it.
    if (target.existing && FolderRefuses(error)) return WriteInPlace(target.path, bytes);
    return ErrorText(error);
  }
  std::string failure = FillTemporary(fd.get(), bytes, target);
  if (failure.empty() && options.before_replace) options.before_replace();
  if (failure.empty() && rename(name.c_str(), target.path.c_str()) != 0) {
    const int error = errno;
    // The folder does not let the file be replaced: written in place, as above.
    if (target.existing && FolderRefuses(error)) {
      unlink(name.c_str());
      return WriteInPlace(target.path, bytes);
    }
    failure = ErrorText(error);
  }
  if (!failure.empty()) unlink(name.c_str());
  return failure;
}

}  // namespace

std::string AtomicSave(const fs::path& file, std::string_view bytes,
                       const AtomicSaveOptions& options) {
  SaveTarget target;
  if (std::string failure = ResolveTarget(file, target); !failure.empty()) return failure;
  if (target.existing) {
    // A file nobody may write to is read-only on purpose: it is not replaced.
    if ((target.existing->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      return "The file is read-only.";
    }
    if (access(target.path.c_str(), W_OK) != 0) return ErrorText(errno);
    // Every name of a file with several hard links must see the new content.
    if (target.existing->st_nlink > 1) return WriteInPlace(target.path, bytes);
  }

  std::optional<std::string> failure;
  if (options.unnamed_temporary) failure = SaveThroughUnnamed(target, bytes, options);
  if (!failure) failure = SaveThroughNamed(target, bytes, options);
  if (failure->empty()) {
    SyncFolder(FolderOf(target.path));
    RemoveLeftTemporaries(target.path);
  }
  return *failure;
}

}  // namespace tov
