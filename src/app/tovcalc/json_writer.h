#pragma once
// A streaming JSON writer whose output is laid out byte for byte as tovcalc
// has always printed it: members in the order given, whole numbers of up to
// 2^53 without a decimal point, other numbers in the shorter of the plain
// and the exponent form (1e-05, 1e+16), and every text as valid UTF-8 (a
// byte that is not part of a valid sequence becomes U+FFFD). A design's
// document has four blanks per level and an empty array or object opened on
// one line and closed on the next; a comparison's document two blanks per
// level, an empty array or object as [] or {}, and its real numbers always
// with a fraction or an exponent (2.0, 0.0001, 1e-05, 1e+16).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/tovcalc/staged_text.h"

namespace tov::tovcalc {

enum class JsonLayout {
  Indented,       // the document on many lines, four blanks a level, ended by a line break
  IndentedByTwo,  // the document on many lines, two blanks a level, ended by a line break
  Compact,        // the document on one line, no line break
};

class JsonWriter {
 public:
  // Writes to the end of `out`, through a block of its own on the stack:
  // what it wrote is all in `out` after Flush() and when it is destroyed.
  // Allocates nothing of its own.
  JsonWriter(std::string& out, JsonLayout layout) : stage_(out), layout_(layout) {}

  // Everything written so far appended to `out`.
  void Flush() { stage_.Direct(); }

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // The name of the next member of the open object.
  void Key(std::string_view name);

  void String(std::string_view text);
  void Int(long long value);
  void Double(double value);
  // A number that reads as a real one: 2.0, not 2 (see AppendJsonReal).
  void Real(double value);
  void Bool(bool value);
  void Null();
  // A value already written as JSON (a string encoded once for many documents).
  void Encoded(std::string_view json);

  JsonLayout Layout() const { return layout_; }

 private:
  void BeforeValue();
  char* NextItem(char* to);
  void Open(char bracket);
  void Close(char bracket);
  void Indent(std::size_t level);
  std::size_t IndentWidth(std::size_t level) const;

  // Whether the open array or object at each depth holds an item yet; bit
  // `depth` is the innermost's (the documents written nest up to 63 levels).
  bool LevelEmpty() const { return (filled_ >> depth_ & 1) == 0; }

  StagedText stage_;
  JsonLayout layout_;
  std::uint64_t filled_ = 0;
  std::size_t depth_ = 0;
  bool after_key_ = false;
};

// The room a number needs in a buffer it is written to; it writes fewer
// characters than that, and returns their end.
inline constexpr std::size_t kNumberRoom = 48;

// The number as JSON writes it (see above); "null" when it is not finite.
char* WriteJsonNumber(char* out, double value);

// The number as a real one: the shortest digits that read back as it, with a
// decimal point (2.0, 0.0001, 123456789012345.0) while its decimal point lies
// from 4 places after the first digit's place to 15 places before it, else
// as d.ddde+XX (1e-05, 1.5e+16); "-0.0" for negative zero, "null" when it is
// not finite.
char* WriteJsonReal(char* out, double value);

}  // namespace tov::tovcalc
