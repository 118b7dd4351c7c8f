#include "app/tovcalc/line_reader.h"

#include <unistd.h>

#include <algorithm>
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
    if (after_cr_) {
      after_cr_ = false;
      if (block_[begin_] == '\n') {  // the LF of a CR LF
        ++begin_;
        continue;
      }
    }
    any = true;
    const char* start = block_ + begin_;
    const char* end = block_ + end_;
    const char* stop = std::find_if(start, end, [](char c) { return c == '\n' || c == '\r'; });
    const auto take = static_cast<std::size_t>(stop - start);
    const std::size_t room = kMaxLine - line.size();
    if (take > room) too_long = true;
    line.append(start, take < room ? take : room);
    begin_ += take;
    if (stop != end) {
      after_cr_ = *stop == '\r';
      ++begin_;
      break;
    }
  }
  return any;
}

}  // namespace tov::tovcalc
