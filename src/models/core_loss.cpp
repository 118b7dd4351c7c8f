#include "models/core_loss.h"

#include <cmath>

#include "state/constants.h"
#include "state/material.h"
#include "state/numeric.h"

namespace tov {
CoreLossCoefficients CoreLossCoefficientsFor(int16_t MatType, float ui) {
  // Materials that share a MatType share their loss grades: the first one's count.
  for (const MaterialInfo& material : kMaterialTable) {
    if (material.MatType != MatType) continue;
    for (const CoreLossGrade& grade : material.loss_grades) {
      if (ui >= grade.ui_min && ui <= grade.ui_max) return grade.coefficients;
    }
    break;
  }
  return {};
}

std::optional<double> CoreLoss(int16_t MatType, float ui, float f, float Bac, float le, float Ae,
                               int16_t stack_count) {
  const CoreLossCoefficients k = CoreLossCoefficientsFor(MatType, ui);
  // The stack coefficient and the core volume are 4-byte products; the
  // powers and the last two products are formed in 8 bytes.
  auto s = ToSingle(static_cast<double>(stack_count) * k.k);
  if (!s) return std::nullopt;
  auto Ae_s = ToSingle(double{Ae} * *s);
  if (!Ae_s) return std::nullopt;
  auto volume_k = ToSingle(double{*Ae_s} * le);
  if (!volume_k) return std::nullopt;
  return Finite(double{*volume_k} * std::pow(double{f}, double{k.c}) *
                std::pow(double{Bac}, double{k.a}));
}

std::optional<float> AcFluxDensity(float ue, int16_t N, float dI, float le) {
  return ToSingle(double{ue} * kKilogaussPerGauss * kOerstedPerAmpereTurnPerCm * kPi * N * 0.5 *
                  dI / le);
}

}  // namespace tov
