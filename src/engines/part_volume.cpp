#include "engines/part_volume.h"

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {
namespace {

constexpr double kCm3PerIn3 = kCmPerInch * kCmPerInch * kCmPerInch;

}  // namespace

std::optional<double> WoundVolumeCm3(const DesignResult& design, bool wound,
                                     const CoreTable& cores) {
  if (design.e_core) {
    if (!CoreTable::IsRow(design.row)) return std::nullopt;
    const CoreRowNumbers& row = cores.Numbers(design.row);
    const auto length = row.Number(CoreColumn::WindID);
    const auto width = row.Number(CoreColumn::WindOD);
    const auto height = row.Number(CoreColumn::NomHt);
    if (!length || !width || !height) return std::nullopt;
    return Finite(*length * *width * *height * kCm3PerIn3);
  }
  if (!wound) return std::nullopt;
  const double radius = design.ODw / 2.0;
  return Finite(kPi * radius * radius * design.HTw * kCm3PerIn3);
}

std::optional<double> CoreVolumeCm3(const DesignResult& design) {
  return Finite(double{design.Ae} * design.le * design.stack_count);
}

}  // namespace tov
