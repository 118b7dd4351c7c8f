#include "app/tovcalc/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tov::tovcalc {

void StandardOutput::Flush() {
  std::size_t done = 0;
  while (failure_.empty() && done < buffer_.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure_ = n < 0 ? std::strerror(errno) : "nothing could be written";
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  // After a failure the rest is dropped: it can never arrive in order.
  buffer_.clear();
}

bool StandardOutput::Close() {
  if (!used_) return true;
  Flush();
  if (::close(STDOUT_FILENO) != 0 && errno != EINTR && failure_.empty()) {
    failure_ = std::strerror(errno);
  }
  return failure_.empty();
}

}  // namespace tov::tovcalc
