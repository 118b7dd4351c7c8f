#pragma once
// Standard output written through one buffer whose every write and whose
// closing are checked: a full disk or a closed pipe is reported, never
// mistaken for success.

#include <string>
#include <string_view>

namespace tov::tovcalc {

class StandardOutput {
 public:
  StandardOutput() { buffer_.reserve(kFlushAt * 2); }
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // Appends the bytes; the buffer goes out whenever it holds kFlushAt bytes.
  void Write(std::string_view bytes) {
    used_ = true;
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushAt) Flush();
  }
  // The buffer the next write appends to, for writers that build in place.
  std::string& Buffer() {
    used_ = true;
    return buffer_;
  }
  // After appending to Buffer(): sends the buffer when it holds kFlushAt bytes.
  void FlushIfFull() {
    if (buffer_.size() >= kFlushAt) Flush();
  }
  // Sends what is buffered now (a streaming batch does so after each line
  // when the reader waits for it).
  void Flush();
  // Sends the rest and closes standard output, when anything was written.
  // False, with the system's reason in Failure(), when any write or the
  // closing failed.
  bool Close();
  // Why the output failed ("No space left on device"); empty while it has not.
  const std::string& Failure() const { return failure_; }

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  std::string buffer_;
  std::string failure_;
  bool used_ = false;
};

}  // namespace tov::tovcalc
