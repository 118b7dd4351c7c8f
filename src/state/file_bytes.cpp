#include "state/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tov {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::size_t max_bytes) {
  // Only a regular file is opened (a device or a FIFO could block or never
  // end), and it is checked again once open, in case the path changed.
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // One block of the size the file says it has (one more byte to see its
  // end), grown only if it turns out longer.
  std::string bytes;
  bytes.resize(std::min(static_cast<std::size_t>(info.st_size) + 1, max_bytes));
  std::size_t used = 0;
  bool failed = false;
  while (used < max_bytes) {
    if (used == bytes.size())
      bytes.resize(std::min(std::max<std::size_t>(2 * used, 4096), max_bytes));
    const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    used += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (failed) return std::nullopt;
  bytes.resize(used);
  return bytes;
}

}  // namespace tov
