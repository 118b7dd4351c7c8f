#pragma once
// Text appended to a string through a block on the stack: a row of many
// small pieces costs a copy each and one append to the string a block.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tov::tovcalc {

class StagedText {
 public:
  explicit StagedText(std::string& out) : out_(out) {}
  StagedText(const StagedText&) = delete;
  StagedText& operator=(const StagedText&) = delete;
  ~StagedText() { Flush(); }

  void Put(char c) {
    if (next_ == block_ + kBlock) Flush();
    *next_++ = c;
  }
  void Put(std::string_view text) {
    if (text.size() > Room()) {
      Flush();
      if (text.size() > kBlock) {
        out_.append(text);
        return;
      }
    }
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
  }
  // Writes at most `size` (up to a block) characters with `write(char*)`,
  // which returns their end.
  template <typename Write>
  void Put(std::size_t size, Write write) {
    if (size > Room()) Flush();
    next_ = write(next_);
  }
  // The string itself, everything staged appended to it: for a piece
  // written by a function that takes the string.
  std::string& Direct() {
    Flush();
    return out_;
  }

 private:
  static constexpr std::size_t kBlock = 4096;

  std::size_t Room() const { return static_cast<std::size_t>(block_ + kBlock - next_); }
  void Flush() {
    out_.append(block_, next_);
    next_ = block_;
  }

  std::string& out_;
  char block_[kBlock];
  char* next_ = block_;
};

}  // namespace tov::tovcalc
