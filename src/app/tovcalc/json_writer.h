#pragma once
// A streaming JSON writer whose output is laid out byte for byte as tovcalc
// has always printed it: members in the order given (callers give them
// sorted by name), four blanks per level, an empty array or object opened on
// one line and closed on the next, whole numbers of up to 2^53 without a
// decimal point, other numbers in the shorter of the plain and the exponent
// form (1e-05, 1e+16), and every text as valid UTF-8 (a byte that is not
// part of a valid sequence becomes U+FFFD).

#include <string>
#include <string_view>
#include <vector>

namespace tov::tovcalc {

enum class JsonLayout {
  Indented,  // the document on many lines, ended by a line break
  Compact,   // the document on one line, no line break
};

class JsonWriter {
 public:
  JsonWriter(std::string& out, JsonLayout layout) : out_(out), layout_(layout) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // The name of the next member of the open object.
  void Key(std::string_view name);

  void String(std::string_view text);
  void Int(long long value);
  void Double(double value);
  void Bool(bool value);

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void Indent(std::size_t level);

  struct Level {
    bool array = false;
    bool empty = true;
  };
  std::string& out_;
  JsonLayout layout_;
  std::vector<Level> levels_;
  bool after_key_ = false;
};

// The text as a JSON string, quotes included, appended to `out`.
void AppendJsonString(std::string& out, std::string_view text);

// The number as JSON writes it (see above); "null" when it is not finite.
void AppendJsonNumber(std::string& out, double value);

}  // namespace tov::tovcalc
