#include "io/curve_csv.h"

#include <array>
#include <cmath>
#include <utility>

#include "state/number_text.h"

namespace tov {
namespace {

constexpr int kSignificantDigits = 7;

std::string Cell(double value) {
  return std::isnan(value) ? std::string() : PlainNumberText(value, kSignificantDigits);
}

}  // namespace

std::string_view CurveName(CurveKind kind) {
  return InfoOf(kind).cli_name;
}

std::optional<CurveKind> CurveKindFromName(std::string_view name) {
  for (const CurveKindInfo& info : kCurveKindTable) {
    if (info.cli_name == name) return info.kind;
  }
  return std::nullopt;
}

std::string CurveCsv(const Curve& curve, std::string_view heading) {
  std::string text;
  if (!heading.empty()) {
    text = "# ";
    for (const char c : heading) text += c == '\n' || c == '\r' ? ' ' : c;
    text += '\n';
  }
  text += AxisTitle(curve.x);
  for (const CurveSeries& s : curve.series) {
    const auto axis = static_cast<std::size_t>(s.axis);
    text += ',';
    text += AxisTitle({s.name, axis < curve.y_axes.size() ? curve.y_axes[axis].unit : ""});
  }
  text += '\n';
  for (std::size_t i = 0; i < curve.xs.size(); ++i) {
    text += Cell(curve.xs[i]);
    for (const CurveSeries& s : curve.series) {
      text += ',';
      text += Cell(i < s.y.size() ? s.y[i] : NAN);
    }
    text += '\n';
  }
  return text;
}

}  // namespace tov
