#include "models/core_loss.h"

#include <array>
#include <cmath>
#include <limits>

#include "state/numeric.h"

namespace tov {
namespace {

struct CoreLossRow {
  int16_t MatType;
  float ui_min;  // inclusive
  float ui_max;  // inclusive
  CoreLossCoefficients coefficients;
};

constexpr float kAnyPerm = std::numeric_limits<float>::infinity();

// Exact permeabilities come before the ranges of the same material; the
// rows do not overlap, so the first row that covers ui is the one.
constexpr std::array<CoreLossRow, 12> kCoreLossTable = {{
    {1, 14, 14, {2.341f, 1.31f, 2.21f}},
    {1, 26, 26, {0.999f, 1.41f, 2.18f}},
    {1, 60, 60, {0.625f, 1.41f, 2.24f}},
    {1, 125, 125, {1.199f, 1.4f, 2.31f}},
    {1, 147, 173, {0.771f, 1.5f, 2.25f}},
    {1, 200, 300, {1.0f, 1.64f, 2.27f}},
    {2, 14, 14, {6.37f, 1.26f, 2.52f}},
    {2, 26, 26, {5.437f, 1.25f, 2.55f}},
    {2, 60, 60, {4.578f, 1.23f, 2.56f}},
    {2, 125, 125, {2.687f, 1.33f, 2.59f}},
    {2, 147, 160, {3.613f, 1.41f, 2.56f}},
    {3, -kAnyPerm, kAnyPerm, {1.0f, 1.46f, 2.0f}},
}};

}  // namespace

CoreLossCoefficients CoreLossCoefficientsFor(int16_t MatType, float ui) {
  for (const CoreLossRow& row : kCoreLossTable) {
    if (row.MatType == MatType && ui >= row.ui_min && ui <= row.ui_max) return row.coefficients;
  }
  return {};
}

std::optional<double> CoreLoss(int16_t MatType, float ui, float f, float Bac, float le, float Ae,
                               int16_t StackCount) {
  const CoreLossCoefficients k = CoreLossCoefficientsFor(MatType, ui);
  // The stack coefficient and the core volume are 4-byte products; the
  // powers and the last two products are formed in 8 bytes.
  auto s = ToSingle(static_cast<double>(StackCount) * k.k);
  if (!s) return std::nullopt;
  auto Ae_s = ToSingle(double{Ae} * *s);
  if (!Ae_s) return std::nullopt;
  auto volume_k = ToSingle(double{*Ae_s} * le);
  if (!volume_k) return std::nullopt;
  return Finite(double{*volume_k} * std::pow(double{f}, double{k.c}) *
                std::pow(double{Bac}, double{k.a}));
}

std::optional<float> AcFluxDensity(float ue, int16_t N, float dI, float le) {
  return ToSingle(double{ue} * 0.001 * 0.4 * kPi * N * 0.5 * dI / le);
}

}  // namespace tov
