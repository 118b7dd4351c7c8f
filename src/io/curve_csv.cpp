#include "io/curve_csv.h"

#include <array>
#include <cmath>
#include <utility>

#include "state/number_text.h"

namespace tov {
namespace {

constexpr std::array<std::pair<CurveKind, std::string_view>, 4> kNames = {{
    {CurveKind::InductanceVsCurrent, "l-vs-i"},
    {CurveKind::PermeabilityVsField, "mu-vs-h"},
    {CurveKind::LossVsCurrent, "loss-vs-i"},
    {CurveKind::LossVsFrequency, "loss-vs-f"},
}};

constexpr int kSignificantDigits = 7;

std::string Cell(double value) {
  return std::isnan(value) ? std::string() : PlainNumberText(value, kSignificantDigits);
}

}  // namespace

std::string_view CurveName(CurveKind kind) {
  for (const auto& [k, name] : kNames) {
    if (k == kind) return name;
  }
  return {};
}

std::optional<CurveKind> CurveKindFromName(std::string_view name) {
  for (const auto& [kind, n] : kNames) {
    if (n == name) return kind;
  }
  return std::nullopt;
}

std::string CurveCsv(const Curve& curve) {
  std::string text = AxisTitle(curve.x);
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
