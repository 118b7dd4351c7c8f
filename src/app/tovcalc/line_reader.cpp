#include "app/tovcalc/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tov::tovcalc {

LineReader::~LineReader() {
  if (fd_ != STDIN_FILENO) ::close(fd_);
}

bool LineReader::Fill() {
  if (at_end_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, block_, sizeof block_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failure_ = std::strerror(errno);
    if (n <= 0) {
      at_end_ = true;
      return false;
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(n);
    return true;
  }
}

bool LineReader::Next(std::string& line, bool& too_long) {
  line.clear();
  too_long = false;
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      if (!failure_.empty()) return false;
      break;  // a last line without a line break
    }
    any = true;
    const char* start = block_ + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    const std::size_t take = newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
    const std::size_t room = kMaxLine - line.size();
    if (take > room) too_long = true;
    line.append(start, take < room ? take : room);
    begin_ += take;
    if (newline) {
      ++begin_;
      break;
    }
  }
  if (!line.empty() && line.back() == '\r' && !too_long) line.pop_back();
  return any;
}

}  // namespace tov::tovcalc
