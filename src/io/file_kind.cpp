#include "io/file_kind.h"

#include <sys/stat.h>

#include <cstring>

namespace tov {

std::string NonRegularFileKind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

std::string ErrorText(int error) {
  return std::string(std::strerror(error)) + ".";
}

}  // namespace tov
