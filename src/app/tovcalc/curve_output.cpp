#include "app/tovcalc/curve_output.h"

#include "io/curve_csv.h"

namespace tov::tovcalc {

std::string CurveOptionNames() {
  std::string names;
  for (const CurveKind kind : kCurveKinds) {
    if (!names.empty()) names += "|";
    names += CurveName(kind);
  }
  return names;
}

std::optional<std::string> CurveOutput(const DesignController& form, CurveKind kind) {
  const auto& design = form.ShownDesign();
  if (!design) return std::nullopt;
  return CurveCsv(DesignCurves(*design, form.Cores())[static_cast<std::size_t>(kind)]);
}

}  // namespace tov::tovcalc
