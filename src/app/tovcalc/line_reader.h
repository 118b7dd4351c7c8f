#pragma once
// Lines of a file or of standard input, read in blocks, one at a time: the
// memory used stays the same however many lines there are.

#include <cstddef>
#include <string>

namespace tov::tovcalc {

class LineReader {
 public:
  // A line longer than this is cut there and the rest of it skipped.
  static constexpr std::size_t kMaxLine = 64 * 1024;

  // Reads from an open file descriptor, which it closes unless it is
  // standard input.
  explicit LineReader(int fd) : fd_(fd) {}
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line without its line break (LF, CR LF or CR); false after the
  // last line or on a read error (see Failure). `too_long` tells that the
  // line was cut.
  bool Next(std::string& line, bool& too_long);
  // Why reading failed; empty while it has not.
  const std::string& Failure() const { return failure_; }

 private:
  bool Fill();  // false at the end of the input or on an error

  int fd_;
  char block_[64 * 1024];
  std::size_t begin_ = 0, end_ = 0;
  bool at_end_ = false;
  bool after_cr_ = false;  // the last line ended in CR: a LF next is part of its line break
  std::string failure_;
};

}  // namespace tov::tovcalc
