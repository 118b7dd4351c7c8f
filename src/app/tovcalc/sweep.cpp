#include "app/tovcalc/sweep.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/tovcalc/request.h"
#include "state/number_text.h"

namespace tov::tovcalc {
namespace {

constexpr uint64_t kMaxValues = uint64_t{1} << 40;
constexpr int64_t kExactLimit = int64_t{1} << 53;

// A plain decimal number text as whole units of 10^-decimals: "2.50" with
// 3 decimals is 2500. nullopt when it is no such number or too large.
std::optional<int64_t> Units(std::string_view text, int decimals) {
  const std::optional<double> value = ParseNumber(text);
  if (!value) return std::nullopt;
  const double scaled = *value * std::pow(10.0, decimals);
  const double whole = std::nearbyint(scaled);
  // Written so that a NaN (0 times 10^400) is refused too.
  if (!(std::fabs(whole) < static_cast<double>(kExactLimit)) ||
      !(std::fabs(scaled - whole) <= 1e-6)) {
    return std::nullopt;
  }
  // The decimal text must have said exactly this many units.
  return static_cast<int64_t>(whole);
}

// Decimals a number text is written with: "2.50" 2, "1e-3" 3, "15" 0.
int DecimalsOf(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, e);
  const std::size_t point = mantissa.find('.');
  long long decimals =
      point == std::string_view::npos ? 0 : static_cast<long long>(mantissa.size() - point - 1);
  if (e != std::string_view::npos) {
    int exponent = 0;  // stays 0 beyond the int range: such a number is 0 or no number
    std::string_view exponent_text = text.substr(e + 1);
    if (!exponent_text.empty() && exponent_text.front() == '+') exponent_text.remove_prefix(1);
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
    decimals -= exponent;
  }
  // Beyond some hundred decimals no range is exact: the count only needs to stay an int.
  return static_cast<int>(std::clamp(decimals, 0LL, 100'000LL));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Units of 10^-decimals as decimal text without trailing zeros: 2500, 3 -> "2.5".
std::string UnitsText(int64_t units, int decimals) {
  std::string digits = std::to_string(units < 0 ? -units : units);
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  }
  std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return (units < 0 ? "-" : "") + text;
}

}  // namespace

std::optional<SweepAxis> SweepAxis::Parse(std::string_view text, std::string& error) {
  const std::size_t assign = text.find('=');
  if (assign == std::string_view::npos) {
    error = "--sweep takes NAME=START:STOP:STEP or NAME=A,B,C, not \"" + std::string(text) + "\".";
    return std::nullopt;
  }
  const std::string_view name = Trim(text.substr(0, assign));
  const std::string_view values = text.substr(assign + 1);
  SweepAxis axis;
  std::string why;
  const std::optional<OptionId> id = RequestOptionNamed(name, why);
  if (!id) {
    error = "--sweep " + std::string(text) + ": " + why + ".";
    return std::nullopt;
  }
  axis.option_ = *id;
  const bool flag = EntryOf(*id).value_name.empty();

  const std::size_t colon = values.find(':');
  if (colon == std::string_view::npos || flag) {
    const auto cells = SplitCsvLine(values);
    for (const std::string& cell : cells.value_or(std::vector<std::string>{})) {
      axis.list_.emplace_back(Trim(cell));
      if (flag && !ParseTruth(axis.list_.back())) {
        error = "--sweep " + std::string(text) + ": --" + std::string(name) +
                " takes true or false, not \"" + axis.list_.back() + "\".";
        return std::nullopt;
      }
    }
    if (!cells) {
      error = "--sweep " + std::string(text) + ": a quote is left open.";
      return std::nullopt;
    }
    return axis;
  }

  const std::string_view start = Trim(values.substr(0, colon));
  const std::string_view rest = values.substr(colon + 1);
  const std::size_t colon2 = rest.find(':');
  const std::string_view stop = Trim(rest.substr(0, colon2));
  const std::string_view step =
      colon2 == std::string_view::npos ? "" : Trim(rest.substr(colon2 + 1));
  const auto s = ParseNumber(start), e = ParseNumber(stop), d = ParseNumber(step);
  if (colon2 == std::string_view::npos || !s || !e || !d) {
    error = "--sweep " + std::string(text) + ": a range is START:STOP:STEP, three numbers.";
    return std::nullopt;
  }
  if (*d == 0 || (*e - *s) / *d < 0 || !std::isfinite((*e - *s) / *d)) {
    error = "--sweep " + std::string(text) + ": the STEP must lead from START to STOP.";
    return std::nullopt;
  }
  axis.decimals_ = std::max(DecimalsOf(start), DecimalsOf(step));
  const auto start_units = Units(start, axis.decimals_);
  const auto step_units = Units(step, axis.decimals_);
  const auto stop_units = Units(stop, axis.decimals_);
  double steps = 0;
  if (axis.decimals_ <= 15 && start_units && step_units && stop_units) {
    axis.exact_ = true;
    axis.start_units_ = *start_units;
    axis.step_units_ = *step_units;
    steps = std::floor(static_cast<double>((*stop_units - *start_units) / *step_units));
  } else {
    axis.start_ = *s;
    axis.step_ = *d;
    steps = std::floor((*e - *s) / *d * (1 + 1e-12));
  }
  if (steps + 1 > static_cast<double>(kMaxValues)) {
    error = "--sweep " + std::string(text) + ": more values than can be designed.";
    return std::nullopt;
  }
  axis.count_ = static_cast<uint64_t>(steps) + 1;
  return axis;
}

std::string SweepAxis::Value(uint64_t i) const {
  if (!list_.empty()) return list_[i];
  if (exact_) {
    return UnitsText(start_units_ + static_cast<int64_t>(i) * step_units_, decimals_);
  }
  return PlainNumberText(start_ + static_cast<double>(i) * step_, 15);
}

std::optional<SweepProduct> SweepProduct::Of(std::vector<SweepAxis> axes, std::string& error) {
  SweepProduct product;
  for (std::size_t a = 0; a < axes.size(); ++a) {
    for (std::size_t b = 0; b < a; ++b) {
      if (SetsSameOption(axes[a].Option(), axes[b].Option())) {
        error = "--sweep: --" + std::string(EntryOf(axes[a].Option()).name) +
                " is swept twice; sweep each option once.";
        return std::nullopt;
      }
    }
  }
  for (const SweepAxis& axis : axes) {
    if (axis.Count() > kMaxValues / product.count_) {
      error = "--sweep: more combinations than can be designed.";
      return std::nullopt;
    }
    product.count_ *= axis.Count();
  }
  product.axes_ = std::move(axes);
  return product;
}

std::vector<std::pair<OptionId, std::string>> SweepProduct::Combination(uint64_t i) const {
  std::vector<std::pair<OptionId, std::string>> values(axes_.size());
  for (std::size_t a = axes_.size(); a-- > 0;) {
    const uint64_t count = axes_[a].Count();
    values[a] = {axes_[a].Option(), axes_[a].Value(i % count)};
    i /= count;
  }
  return values;
}

}  // namespace tov::tovcalc
