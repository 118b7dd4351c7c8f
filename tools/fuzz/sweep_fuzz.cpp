// The --sweep parser on any text. A range that is accepted has values that
// are plain numbers, the first START, each STEP from the one before within
// rounding, none beyond STOP, and no room for one more; a list has one value
// per cell. Sweeping the same option twice is refused.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/request.h"
#include "app/tovcalc/sweep.h"
#include "fuzz_checks.h"

namespace {

// The number a whole text is, as the C library reads it; nullopt otherwise.
std::optional<double> Number(const std::string& text) {
  std::string trimmed = text;
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.pop_back();
  char* end = nullptr;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (trimmed.empty() || *end != '\0') return std::nullopt;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto axis = tov::tovcalc::SweepAxis::Parse(text, error);
  if (axis.has_value() == !error.empty()) tov::fuzz::Fail("refused without a reason", text);
  if (!axis) return 0;
  if (axis->Count() < 1) tov::fuzz::Fail("no value", text);

  std::string twice_error;
  if (tov::tovcalc::SweepProduct::Of({*axis, *axis}, twice_error)) {
    tov::fuzz::Fail("the same option swept twice", text);
  }

  const std::string values = text.substr(text.find('=') + 1);
  const std::size_t colon = values.find(':');
  if (colon == std::string::npos || tov::tovcalc::EntryOf(axis->Option()).value_name.empty()) {
    const auto cells = tov::tovcalc::SplitCsvLine(values);
    if (!cells || cells->size() != axis->Count()) tov::fuzz::Fail("list values", text);
    return 0;
  }
  const std::size_t colon2 = values.find(':', colon + 1);
  const auto start = Number(values.substr(0, colon));
  const auto stop = Number(values.substr(colon + 1, colon2 - colon - 1));
  const auto step = Number(values.substr(colon2 + 1));
  if (!start || !stop || !step) return 0;  // leading blanks and such: nothing to compare
  const double scale = std::fmax(std::fabs(*start), std::fmax(std::fabs(*stop), std::fabs(*step)));
  const double slack = 1e-9 * scale;
  const uint64_t count = axis->Count();
  for (const uint64_t i : {uint64_t{0}, count / 2, count - 1}) {
    const std::string shown = axis->Value(i);
    tov::fuzz::ExpectFinite("value", shown);
    const auto value = Number(shown);
    if (!value) tov::fuzz::Fail("a value that is no number", text + " -> " + shown);
    const double expected = *start + static_cast<double>(i) * *step;
    if (std::fabs(*value - expected) > slack + 1e-9 * std::fabs(expected)) {
      tov::fuzz::Fail("a value off its place", text + " -> " + shown);
    }
    if ((*value - *stop) * (*step > 0 ? 1 : -1) > slack) tov::fuzz::Fail("beyond STOP", text);
  }
  const double one_more = *start + static_cast<double>(count) * *step;
  if ((*stop - one_more) * (*step > 0 ? 1 : -1) > slack) tov::fuzz::Fail("a value left out", text);
  return 0;
}
