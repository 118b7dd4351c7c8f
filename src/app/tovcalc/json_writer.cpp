#include "app/tovcalc/json_writer.h"

#include <charconv>
#include <cmath>

#include "app/tovcalc/utf8_text.h"

namespace tov::tovcalc {
void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  while (!text.empty()) {
    // The run of characters written as they are, in one go.
    std::size_t plain = 0;
    while (plain < text.size()) {
      const auto c = static_cast<unsigned char>(text[plain]);
      if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
      ++plain;
    }
    out.append(text.substr(0, plain));
    text.remove_prefix(plain);
    if (text.empty()) break;

    const auto c = static_cast<unsigned char>(text.front());
    if (c >= 0x80) {
      text.remove_prefix(AppendUtf8Sequence(out, text));
      continue;
    }
    text.remove_prefix(1);
    switch (c) {
      case '"':
        out.append("\\\"");
        break;
      case '\\':
        out.append("\\\\");
        break;
      case '\b':
        out.append("\\b");
        break;
      case '\f':
        out.append("\\f");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      case '\t':
        out.append("\\t");
        break;
      default:
        out.append("\\u00");
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 0xF]);
    }
  }
  out.push_back('"');
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out.append("null");
    return;
  }
  char buffer[32];
  // Whole numbers up to 2^53 are written as integers.
  constexpr double kExactWhole = 9007199254740992.0;
  if (value == std::trunc(value) && std::fabs(value) <= kExactWhole) {
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    out.append(buffer, end.ptr);
    return;
  }
  // The shortest digits that read back as the value, then the shorter of
  // the plain and the exponent form, the plain one when both are as long.
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific);
  const std::string_view scientific(buffer, static_cast<std::size_t>(end.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  int exponent = 0;
  std::string_view exponent_text = scientific.substr(e + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  const int count = static_cast<int>(digits.size());
  const int point = exponent + 1;  // digits before the decimal point
  std::string plain;
  if (point <= 0) {
    plain = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (point >= count) {
    plain = digits + std::string(static_cast<std::size_t>(point - count), '0');
  } else {
    plain = digits.substr(0, static_cast<std::size_t>(point)) + "." +
            digits.substr(static_cast<std::size_t>(point));
  }
  std::string exponential = digits.substr(0, 1);
  if (count > 1) exponential += "." + digits.substr(1);
  const int magnitude = std::abs(exponent);
  exponential += exponent < 0 ? "e-" : "e+";
  if (magnitude < 10) exponential += '0';
  exponential += std::to_string(magnitude);

  if (value < 0) out.push_back('-');
  out.append(plain.size() <= exponential.size() ? plain : exponential);
}

void JsonWriter::Indent(std::size_t level) {
  if (layout_ == JsonLayout::Indented) out_.append(4 * level, ' ');
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) out_.append(layout_ == JsonLayout::Indented ? ",\n" : ",");
  level.empty = false;
  Indent(levels_.size());
}

void JsonWriter::Key(std::string_view name) {
  Level& level = levels_.back();
  if (!level.empty) out_.append(layout_ == JsonLayout::Indented ? ",\n" : ",");
  level.empty = false;
  Indent(levels_.size());
  AppendJsonString(out_, name);
  out_.append(layout_ == JsonLayout::Indented ? ": " : ":");
  after_key_ = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_.push_back(bracket);
  if (layout_ == JsonLayout::Indented) out_.push_back('\n');
  levels_.push_back({bracket == '[', true});
}

void JsonWriter::Close(char bracket) {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (layout_ == JsonLayout::Indented && !empty) out_.push_back('\n');
  Indent(levels_.size());
  out_.push_back(bracket);
  if (levels_.empty() && layout_ == JsonLayout::Indented) out_.push_back('\n');
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  AppendJsonString(out_, text);
}

void JsonWriter::Int(long long value) {
  BeforeValue();
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, end.ptr);
}

void JsonWriter::Double(double value) {
  BeforeValue();
  AppendJsonNumber(out_, value);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_.append(value ? "true" : "false");
}

}  // namespace tov::tovcalc
