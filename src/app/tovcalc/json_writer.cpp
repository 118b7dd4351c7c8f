#include "app/tovcalc/json_writer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/tovcalc/shortest_decimal.h"
#include "app/tovcalc/staged_text.h"
#include "app/tovcalc/utf8_text.h"
#include "state/decimal_digits.h"

namespace tov::tovcalc {
namespace {

// Whether the byte is written as it is inside a JSON string: printable
// ASCII other than the quote and the backslash.
constexpr bool IsPlain(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

// The length of the run of plain bytes at the start of `text`, sixteen bytes
// at a time where the processor compares them at once.
std::size_t PlainRun(std::string_view text) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  // As signed bytes, those from 0x80 up are negative: one "less than 0x20"
  // finds them with the control characters.
  const __m128i space = _mm_set1_epi8(0x20);
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i needs_escape =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)),
                     _mm_cmplt_epi8(bytes, space));
    const int mask = _mm_movemask_epi8(needs_escape);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  while (i < text.size() && IsPlain(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

// The escape of an ASCII byte that is not plain.
void PutEscape(StagedText& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
  std::size_t length = 2;
  switch (c) {
    case '"':
    case '\\':
      escape[1] = static_cast<char>(c);
      break;
    case '\b':
      escape[1] = 'b';
      break;
    case '\f':
      escape[1] = 'f';
      break;
    case '\n':
      escape[1] = 'n';
      break;
    case '\r':
      escape[1] = 'r';
      break;
    case '\t':
      escape[1] = 't';
      break;
    default:
      length = 6;
  }
  out.Put(std::string_view(escape, length));
}

void PutJsonString(StagedText& out, std::string_view text) {
  out.Put('"');
  while (!text.empty()) {
    const std::size_t plain = PlainRun(text);
    out.Put(text.substr(0, plain));
    text.remove_prefix(plain);
    if (text.empty()) break;
    const auto c = static_cast<unsigned char>(text.front());
    if (c >= 0x80) {
      text.remove_prefix(AppendUtf8Sequence(out.Direct(), text));
    } else {
      PutEscape(out, c);
      text.remove_prefix(1);
    }
  }
  out.Put('"');
}

// Whole numbers up to 2^53 are exact in a double.
constexpr double kExactWhole = 9007199254740992.0;

// `width` blanks at `to`; returns their end.
char* Blanks(char* to, std::size_t width) {
  if (width == 0) return to;
  std::memset(to, ' ', width);
  return to + width;
}

// The shortest digits that read back as a magnitude (finite, not zero):
// the digits without a point, and the decimal exponent of the first one.
struct ShortestDigits {
  // Up to 17 digits, then bytes of no meaning: the forms below copy a fixed
  // 17 from any place of the first 17, into buffers with room for that, and
  // keep only the digits.
  static constexpr std::size_t kCopied = 17;
  char digits[2 * kCopied];
  int8_t count;
  int16_t exponent;
};

// The significand's digits, and the exponent of the first one, written
// to `d` in place.
void FindShortestDigits(double magnitude, ShortestDigits& d) {
  const Decimal decimal = ShortestDecimal(magnitude);
  const int count = DigitCount(decimal.significand);
  WriteDigitsEndingAt(d.digits + count, decimal.significand);
  d.count = static_cast<int8_t>(count);
  d.exponent = static_cast<int16_t>(decimal.exponent + count - 1);
}

// A comparison writes the same limits, permeabilities and stack multiples
// over and over: the digits of recent magnitudes, by their bits, spare half
// the conversions. Zero bits never occur (zero is not converted).
struct RecentDigits {
  std::uint64_t bits;
  ShortestDigits digits;
};
constexpr std::size_t kRecentBits = 9;
thread_local RecentDigits recent_digits[std::size_t{1} << kRecentBits];

const ShortestDigits& Shortest(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  RecentDigits& slot = recent_digits[(bits * 0x9E3779B97F4A7C15u) >> (64 - kRecentBits)];
  if (slot.bits != bits) {
    slot.bits = bits;
    FindShortestDigits(magnitude, slot.digits);
  }
  return slot.digits;
}

// d.ddde+XX, the exponent with two digits at least; returns the end.
char* ExponentForm(char* out, const ShortestDigits& d) {
  *out++ = d.digits[0];
  if (d.count > 1) {
    *out++ = '.';
    std::memcpy(out, d.digits + 1, ShortestDigits::kCopied);
    out += d.count - 1;
  }
  *out++ = 'e';
  *out++ = d.exponent < 0 ? '-' : '+';
  const int magnitude = std::abs(d.exponent);
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

// The digits with their decimal point where `point` (digits before it) puts
// it, zeros filled in; returns the end.
char* PlainForm(char* out, const ShortestDigits& d, int point) {
  const auto count = static_cast<std::size_t>(d.count);
  if (point <= 0) {
    *out++ = '0';
    *out++ = '.';
    std::memset(out, '0', static_cast<std::size_t>(-point));
    out += -point;
    std::memcpy(out, d.digits, ShortestDigits::kCopied);
    return out + count;
  }
  const auto before = static_cast<std::size_t>(point);
  std::memcpy(out, d.digits, ShortestDigits::kCopied);
  if (before >= count) {
    std::memset(out + count, '0', before - count);
    return out + before;
  }
  out[before] = '.';
  std::memcpy(out + before + 1, d.digits + before, ShortestDigits::kCopied);
  return out + count + 1;
}

std::size_t ExponentFormSize(const ShortestDigits& d) {
  const int magnitude = std::abs(d.exponent);
  const int exponent_digits = magnitude < 100 ? 2 : 3;
  return static_cast<std::size_t>(d.count + (d.count > 1 ? 1 : 0) + 2 + exponent_digits);
}

std::size_t PlainFormSize(const ShortestDigits& d, int point) {
  if (point <= 0) return static_cast<std::size_t>(2 - point + d.count);
  if (point >= d.count) return static_cast<std::size_t>(point);
  return static_cast<std::size_t>(d.count + 1);
}

}  // namespace

char* WriteJsonNumber(char* out, double value) {
  if (!std::isfinite(value)) {
    std::memcpy(out, "null", 4);
    return out + 4;
  }
  // Whole numbers up to 2^53 are written as integers.
  if (value == std::trunc(value) && std::fabs(value) <= kExactWhole) {
    return std::to_chars(out, out + kNumberRoom, static_cast<long long>(value)).ptr;
  }
  // The shortest digits that read back as the value, then the shorter of
  // the plain and the exponent form, the plain one when both are as long.
  const ShortestDigits& d = Shortest(std::fabs(value));
  const int point = d.exponent + 1;  // digits before the decimal point
  if (value < 0) *out++ = '-';
  return PlainFormSize(d, point) <= ExponentFormSize(d) ? PlainForm(out, d, point)
                                                        : ExponentForm(out, d);
}

char* WriteJsonReal(char* out, double value) {
  if (!std::isfinite(value)) {
    std::memcpy(out, "null", 4);
    return out + 4;
  }
  if (std::signbit(value)) *out++ = '-';
  if (value == 0) {
    std::memcpy(out, "0.0", 3);
    return out + 3;
  }
  constexpr int kLeastPoint = -3;  // 0.000ddd
  constexpr int kMostPoint = 15;   // ddddddddddddddd.d
  const ShortestDigits& d = Shortest(std::fabs(value));
  const int point = d.exponent + 1;
  if (point < kLeastPoint || point > kMostPoint) return ExponentForm(out, d);
  out = PlainForm(out, d, point);
  if (point >= d.count) {
    *out++ = '.';
    *out++ = '0';
  }
  return out;
}

std::size_t JsonWriter::IndentWidth(std::size_t level) const {
  switch (layout_) {
    case JsonLayout::Indented:
      return 4 * level;
    case JsonLayout::IndentedByTwo:
      return 2 * level;
    case JsonLayout::Compact:
      break;
  }
  return 0;
}

void JsonWriter::Indent(std::size_t level) {
  const std::size_t width = IndentWidth(level);
  stage_.Put(width, [&](char* to) { return Blanks(to, width); });
}

// Before a member or an element of the open array or object: the comma, the
// line break and the blanks, written to `to`; returns their end.
char* JsonWriter::NextItem(char* to) {
  const bool empty = LevelEmpty();
  if (!empty) *to++ = ',';
  // Four blanks a level break the line after the bracket, two before each item.
  if (layout_ == JsonLayout::IndentedByTwo || (layout_ == JsonLayout::Indented && !empty)) {
    *to++ = '\n';
  }
  filled_ |= std::uint64_t{1} << depth_;
  return Blanks(to, IndentWidth(depth_));
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (depth_ > 0) stage_.Put(2 + IndentWidth(depth_), [&](char* to) { return NextItem(to); });
}

void JsonWriter::Key(std::string_view name) {
  after_key_ = true;
  const std::string_view colon = layout_ == JsonLayout::Compact ? ":" : ": ";
  const std::size_t lead = 2 + IndentWidth(depth_);
  // A short name of plain characters (as nearly every one is) goes out with
  // its comma, blanks and colon in one go.
  constexpr std::size_t kShortName = 64;
  if (name.size() <= kShortName && PlainRun(name) == name.size()) {
    stage_.Put(lead + name.size() + 4, [&](char* to) {
      to = NextItem(to);
      *to++ = '"';
      std::memcpy(to, name.data(), name.size());
      to += name.size();
      *to++ = '"';
      std::memcpy(to, colon.data(), colon.size());
      return to + colon.size();
    });
    return;
  }
  stage_.Put(lead, [&](char* to) { return NextItem(to); });
  PutJsonString(stage_, name);
  stage_.Put(colon);
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  stage_.Put(bracket);
  if (layout_ == JsonLayout::Indented) stage_.Put('\n');
  ++depth_;
  filled_ &= ~(std::uint64_t{1} << depth_);
}

void JsonWriter::Close(char bracket) {
  const bool empty = LevelEmpty();
  --depth_;
  switch (layout_) {
    case JsonLayout::Indented:
      if (!empty) stage_.Put('\n');
      Indent(depth_);
      break;
    case JsonLayout::IndentedByTwo:
      if (!empty) {
        stage_.Put('\n');
        Indent(depth_);
      }
      break;
    case JsonLayout::Compact:
      break;
  }
  stage_.Put(bracket);
  if (depth_ == 0 && layout_ != JsonLayout::Compact) stage_.Put('\n');
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  PutJsonString(stage_, text);
}

void JsonWriter::Int(long long value) {
  BeforeValue();
  stage_.Put(kNumberRoom, [&](char* to) { return std::to_chars(to, to + kNumberRoom, value).ptr; });
}

void JsonWriter::Double(double value) {
  BeforeValue();
  stage_.Put(kNumberRoom, [&](char* to) { return WriteJsonNumber(to, value); });
}

void JsonWriter::Real(double value) {
  BeforeValue();
  stage_.Put(kNumberRoom, [&](char* to) { return WriteJsonReal(to, value); });
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  stage_.Put(value ? "true" : "false");
}

void JsonWriter::Encoded(std::string_view json) {
  BeforeValue();
  stage_.Put(json);
}

void JsonWriter::Null() {
  BeforeValue();
  stage_.Put("null");
}

}  // namespace tov::tovcalc
