#include "io/design_file_load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>

#include "io/file_kind.h"

namespace tov {
namespace {

DesignFileRead Refused(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string AccessFailureText(int error) {
  if (error == ENOENT) return "It does not exist.";
  if (error == EACCES) return "Permission to read it is denied.";
  return ErrorText(error);
}

// Why the file is not a regular file; nullopt when it is one.
std::optional<std::string> NotRegular(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return std::nullopt;
  return "It is " + NonRegularFileKind(status.st_mode) + ", not a design file.";
}

// The first kDesignFileReadLimit bytes of an open file; `error` is set when a read fails.
std::string ReadUpToLimit(int fd, int& error) {
  std::string bytes;
  char buffer[4096];
  while (bytes.size() < kDesignFileReadLimit) {
    const std::size_t wanted = std::min(sizeof buffer, kDesignFileReadLimit - bytes.size());
    const ssize_t n = read(fd, buffer, wanted);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace

DesignFileRead LoadDesignFile(const std::filesystem::path& file) {
  // Whatever is not a regular file is refused before it is opened: opening a
  // named pipe could wait for a writer, opening a device could act on it.
  struct stat status;
  if (stat(file.c_str(), &status) != 0) return Refused(AccessFailureText(errno));
  if (auto why = NotRegular(status)) return Refused(*why);

  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refused(AccessFailureText(errno));
  int error = fstat(fd, &status) == 0 ? 0 : errno;
  std::optional<std::string> why = error == 0 ? NotRegular(status) : std::nullopt;
  const std::string bytes = error == 0 && !why ? ReadUpToLimit(fd, error) : std::string();
  close(fd);
  if (error != 0) return Refused(ErrorText(error));
  if (why) return Refused(*why);
  return ReadDesignFile(bytes);
}

}  // namespace tov
