#include "engines/line_cycle_loss.h"

#include <algorithm>
#include <cmath>

#include "engines/spice_model.h"
#include "models/core_loss.h"
#include "models/rolloff.h"
#include "state/constants.h"

namespace tov {
namespace {

constexpr double kHertzPerKilohertz = 1e3;
constexpr double kMilliwattsPerWatt = 1e3;

}  // namespace

std::optional<double> CoreLossOfSwing(const DesignResult& d, double i_peak, double ripple_pp) {
  const auto H = MagForce(d.N, static_cast<float>(i_peak), d.le);
  const auto ue = H ? EffPerm(d.ui, *H, RollOffFor(d.material)) : std::nullopt;
  const auto Bac = ue ? AcFluxDensity(*ue, d.N, static_cast<float>(ripple_pp), d.le) : std::nullopt;
  if (!Bac) return std::nullopt;
  return CoreLoss(d.MatType, d.ui, d.in.f, *Bac, d.le, d.Ae, d.stack_count);
}

std::optional<LineCycleLoss> PfcLineCycleLoss(const DesignResult& d, const ConverterRequest& r) {
  if (r.topology != Topology::PfcBoost || !(r.vin_min > 0) || !(r.vout > 0)) return std::nullopt;
  const std::optional<SpiceModel> model = BuildSpiceModel(d);
  if (!model) return std::nullopt;
  const double f = r.fsw_khz * kHertzPerKilohertz;
  const double crest_v = std::sqrt(2.0) * r.vin_min;
  const double crest_a = std::sqrt(2.0) * r.pout / (r.efficiency * r.vin_min);
  LineCycleLoss loss;
  double core = 0, square = 0;
  int counted = 0;
  for (int k = 0; k < kLineCycleSamples; ++k) {
    const double s = std::sin(kPi / 2 * (k + 0.5) / kLineCycleSamples);
    const double vin = crest_v * s, i = crest_a * s;
    const double duty = std::max(0.0, 1 - r.efficiency * vin / r.vout);
    const double ripple = vin * duty / (ModelInductance(*model, i) * f);
    loss.ripple_pp_max_a = std::max(loss.ripple_pp_max_a, ripple);
    square += i * i + ripple * ripple / 12;
    if (const std::optional<double> p = CoreLossOfSwing(d, i + ripple / 2, ripple)) {
      core += *p;
      ++counted;
    } else {
      ++loss.angles_without_value;
    }
  }
  loss.core_mw = counted > 0 ? core / counted : 0;
  loss.i_rms_a = std::sqrt(square / kLineCycleSamples);
  loss.copper_mw = d.Rdc * square / kLineCycleSamples * kMilliwattsPerWatt;
  return loss;
}

}  // namespace tov
