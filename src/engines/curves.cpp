#include "engines/curves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "models/core_loss.h"
#include "models/rolloff.h"
#include "models/rolloff_range.h"
#include "models/winding_build.h"
#include "models/wire_sizing.h"
#include "state/number_text.h"
#include "state/numeric.h"

namespace tov {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// Sample counts: intervals of the linear and logarithmic sweeps.
constexpr int kCurrentSteps = 200;
constexpr int kLogSteps = 120;
// The load sweep: 10 % to 150 % of the DC current in 1 % steps.
constexpr int kLoadFromPercent = 10;
constexpr int kLoadToPercent = 150;
// Log axes span at least these ranges.
constexpr double kFieldFrom_Oe = 1;
constexpr double kFieldTo_Oe = 1000;
constexpr double kFrequencyFrom_kHz = 1;
constexpr double kFrequencyTo_kHz = 1000;

const char* const kMicro = "\u00b5";

double Value(const std::optional<float>& v) {
  return v ? static_cast<double>(*v) : kGap;
}

// Adds the 4-byte values of `extra` to the sweep and sorts it.
std::vector<double> WithPoints(std::vector<double> xs, std::initializer_list<float> extra) {
  for (const float x : extra) xs.push_back(x);
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  return xs;
}

// 0..to in `steps` equal steps, each a 4-byte value (the models take floats).
std::vector<double> LinearSweep(double to, int steps) {
  std::vector<double> xs;
  for (int i = 0; i <= steps; ++i) {
    if (const auto x = ToSingle(to * i / steps)) xs.push_back(*x);
  }
  return xs;
}

// from..to (both > 0) in `steps` equal ratios, each a 4-byte value.
std::vector<double> LogSweep(double from, double to, int steps) {
  std::vector<double> xs;
  const double span = std::log(to / from);
  for (int i = 0; i <= steps; ++i) {
    if (const auto x = ToSingle(from * std::exp(span * i / steps))) xs.push_back(*x);
  }
  return xs;
}

// The span of a log axis: at least from..to, widened to hold `x` when it is positive.
std::pair<double, double> LogSpan(double from, double to, double x) {
  if (!(x > 0) || !std::isfinite(x)) return {from, to};
  return {std::min(from, x), std::max(to, x)};
}

// Effective permeability of the design's core at current I (A).
std::optional<float> PermAtCurrent(const DesignResult& d, float I) {
  const auto H = MagForce(d.N, I, d.le);
  if (!H) return std::nullopt;
  return EffPerm(d.ui, *H, RollOffFor(d.material));
}

// The permeabilities of the material's cores, ascending, and the design's own.
std::vector<float> PermeabilityGrades(const DesignResult& d, const CoreTable& cores) {
  std::vector<float> grades{d.ui};
  const MaterialSection section = SectionOf(d.material);
  for (int row = section.first_row; row <= section.last_core_row; ++row) {
    const auto ui = cores.Cell(row, CoreColumn::Perm).AsSingle();
    if (ui && *ui > 0) grades.push_back(*ui);
  }
  std::sort(grades.begin(), grades.end());
  grades.erase(std::unique(grades.begin(), grades.end()), grades.end());
  grades.erase(std::remove_if(grades.begin(), grades.end(), [](float ui) { return !(ui > 0); }),
               grades.end());
  return grades;
}

std::string GradeName(float ui) {
  return std::string(kMicro) + " " + PlainNumberText(ui, 7);
}

// The legend text of points beyond the range of the material's roll-off fit.
std::string BeyondRangeText(RollOffLimit limit) {
  return limit == RollOffLimit::NoValue ? "Dashed: past the fit's gap (no value there)"
                                        : "Dashed: past the fit's minimum (not the material)";
}

RollOffRange RangeFor(const DesignResult& d) {
  return RangeOf(RollOffFor(d.material));
}

// True when the design's core at current I (A) works in the range of its fit.
bool CurrentInRange(const DesignResult& d, const RollOffRange& range, float I) {
  const auto H = MagForce(d.N, I, d.le);
  return H && InFitRange(range, d.ui, *H);
}

// The count of leading values for which `in_range` holds.
template <typename Values, typename Predicate>
std::size_t LeadingInRange(const Values& values, Predicate in_range) {
  std::size_t count = 0;
  while (count < values.size() && in_range(values[count])) ++count;
  return count;
}

// Names why points lie beyond the range when any series has such a point
// with a value (one that is drawn).
void NoteBeyondRange(Curve& c, RollOffLimit limit) {
  for (const CurveSeries& s : c.series) {
    for (std::size_t i = s.in_range; i < s.y.size(); ++i) {
      if (!std::isnan(s.y[i])) {
        c.beyond_range = BeyondRangeText(limit);
        return;
      }
    }
  }
}

// Losses and temperature rise of the design's winding at one load.
struct LoadPoint {
  std::optional<float> Pfe, Pcu, Ptot, dT;
};

LoadPoint AtLoad(const DesignResult& d, float Ipk, float Iw) {
  LoadPoint p;
  if (const auto ue = PermAtCurrent(d, Ipk)) {
    if (const auto Bac = AcFluxDensity(*ue, d.N, d.in.dI, d.le)) {
      if (const auto Pfe = CoreLoss(d.MatType, d.ui, d.in.f, *Bac, d.le, d.Ae, d.stack_count)) {
        p.Pfe = ToSingle(*Pfe);
      }
    }
  }
  p.Pcu = CopperLoss(d.Rdc, Iw);
  if (p.Pfe && p.Pcu) p.Ptot = ToSingle(static_cast<double>(*p.Pfe) + *p.Pcu);
  if (p.Ptot) p.dT = TempRise(*p.Ptot, d.As);
  return p;
}

}  // namespace

std::optional<float> InductanceAtCurrent(const DesignResult& d, float I) {
  if (I == 0) return NoLoadL(d.N, d.AL);
  const auto ue = PermAtCurrent(d, I);
  if (!ue) return std::nullopt;
  return FullLoadL(d.N, d.AL, *ue, d.ui);
}

bool InRange(const CurveSeries& series, std::size_t i) {
  return i < series.in_range;
}

std::string AxisTitle(const Quantity& quantity) {
  return quantity.name + " (" + quantity.unit + ")";
}

Curve InductanceCurve(const DesignResult& d) {
  Curve c;
  c.kind = CurveKind::InductanceVsCurrent;
  c.title = "Inductance against DC current";
  c.x = {"Current", "A"};
  c.y_axes = {{"Inductance", std::string(kMicro) + "H"}};
  c.xs = WithPoints(LinearSweep(2.0 * d.in.Ipk, kCurrentSteps), {0.0f, d.in.Idc, d.in.Ipk});

  // uH of the whole stack as the window shows them: stack_count x 1000 as a
  // 16-bit count, times the per-core mH.
  const auto uH_per_mH = CheckedMul(d.stack_count, 1000);
  const auto uH = [&](std::optional<float> mH) {
    return mH && uH_per_mH ? *uH_per_mH * static_cast<double>(*mH) : kGap;
  };
  CurveSeries& L = c.series.emplace_back(CurveSeries{"Inductance", 0, {}});
  for (const double I : c.xs) L.y.push_back(uH(InductanceAtCurrent(d, static_cast<float>(I))));
  const RollOffRange range = RangeFor(d);
  L.in_range = LeadingInRange(
      c.xs, [&](double I) { return CurrentInRange(d, range, static_cast<float>(I)); });
  NoteBeyondRange(c, range.limit);

  c.marks.push_back({"No load", 0, 0.0, uH(d.Lnl)});
  const double at_dc = uH(InductanceAtCurrent(d, d.in.Idc));
  if (!std::isnan(at_dc)) c.marks.push_back({"DC current", 0, d.in.Idc, at_dc});
  c.marks.push_back({"Peak current", 0, d.in.Ipk, uH(d.Lfl)});
  return c;
}

Curve PermeabilityCurve(const DesignResult& d, const CoreTable& cores) {
  Curve c;
  c.kind = CurveKind::PermeabilityVsField;
  c.title = "Effective permeability against magnetising force";
  c.x = {"Magnetising force", "Oe"};
  c.y_axes = {{"Effective permeability", std::string("% of ") + kMicro}};
  c.log_x = true;
  const auto [from, to] = LogSpan(kFieldFrom_Oe, kFieldTo_Oe, d.H);
  c.xs = LogSweep(from, to, kLogSteps);
  if (d.H > 0) c.xs = WithPoints(std::move(c.xs), {d.H});

  const RollOffCoefficients k = RollOffFor(d.material);
  const RollOffRange range = RangeOf(k);
  const auto percent = [](float ue, float ui) {
    return 100.0 * static_cast<double>(ue) / static_cast<double>(ui);
  };
  for (const float ui : PermeabilityGrades(d, cores)) {
    CurveSeries& s = c.series.emplace_back(CurveSeries{GradeName(ui), 0, {}});
    for (const double H : c.xs) {
      const auto ue = EffPerm(ui, static_cast<float>(H), k);
      s.y.push_back(ue ? percent(*ue, ui) : kGap);
    }
    s.in_range = LeadingInRange(
        c.xs, [&](double H) { return InFitRange(range, ui, static_cast<float>(H)); });
    if (ui == d.ui && d.H > 0) {
      c.marks.push_back({"Operating point", c.series.size() - 1, d.H, percent(d.ue, d.ui)});
    }
  }
  NoteBeyondRange(c, range.limit);
  return c;
}

Curve LossCurve(const DesignResult& d) {
  Curve c;
  c.kind = CurveKind::LossVsCurrent;
  c.title = "Losses and temperature rise against DC current";
  c.x = {"DC current", "A"};
  c.y_axes = {{"Loss", "mW"}, {"Temperature rise", "\u00b0C"}};
  c.series = {{"Core loss", 0, {}},
              {"Copper loss", 0, {}},
              {"Total loss", 0, {}},
              {"Temperature rise", 1, {}}};
  // The peak current of each point, for the range of the roll-off fit.
  std::vector<float> peaks;
  for (int percent = kLoadFromPercent; percent <= kLoadToPercent; ++percent) {
    // At 100 % the design's own currents, whose peak was formed from the
    // entered (8-byte) current; elsewhere the same formulas on the scaled one.
    std::optional<float> Idc = d.in.Idc, Ipk = d.in.Ipk, Iw = d.in.Iw;
    if (percent != 100) {
      Idc = ToSingle(static_cast<double>(d.in.Idc) * percent / 100);
      if (!Idc) continue;
      Ipk = ToSingle(*Idc + 0.5 * static_cast<double>(d.in.dI));
      Iw = WindingCurrent(*Idc, d.in.dI);
    }
    const LoadPoint p = Ipk && Iw ? AtLoad(d, *Ipk, *Iw) : LoadPoint{};
    c.xs.push_back(*Idc);
    peaks.push_back(Ipk ? *Ipk : std::numeric_limits<float>::quiet_NaN());
    c.series[0].y.push_back(Value(p.Pfe));
    c.series[1].y.push_back(Value(p.Pcu));
    c.series[2].y.push_back(Value(p.Ptot));
    c.series[3].y.push_back(Value(p.dT));
  }
  const RollOffRange range = RangeFor(d);
  const std::size_t in_range =
      LeadingInRange(peaks, [&](float Ipk) { return CurrentInRange(d, range, Ipk); });
  // The copper loss does not depend on the permeability.
  for (CurveSeries* s : {&c.series[0], &c.series[2], &c.series[3]}) s->in_range = in_range;
  NoteBeyondRange(c, range.limit);
  c.marks = {{"Design", 2, d.in.Idc, d.Ptot}};
  return c;
}

Curve FrequencyCurve(const DesignResult& d) {
  Curve c;
  c.kind = CurveKind::LossVsFrequency;
  c.title = "Core loss against frequency";
  c.x = {"Frequency", "kHz"};
  c.y_axes = {{"Core loss", "mW"}};
  c.log_x = true;
  const auto [from, to] = LogSpan(kFrequencyFrom_kHz, kFrequencyTo_kHz, d.in.f);
  c.xs = LogSweep(from, to, kLogSteps);
  if (d.in.f > 0) c.xs = WithPoints(std::move(c.xs), {d.in.f});

  CurveSeries& s = c.series.emplace_back(CurveSeries{"Core loss", 0, {}});
  bool all_positive = true;
  for (const double f : c.xs) {
    const auto Pfe =
        CoreLoss(d.MatType, d.ui, static_cast<float>(f), d.Bac, d.le, d.Ae, d.stack_count);
    const double y = Value(Pfe ? ToSingle(*Pfe) : std::nullopt);
    all_positive = all_positive && (std::isnan(y) || y > 0);
    s.y.push_back(y);
  }
  // A log axis needs values above zero; no ripple gives no core loss at all.
  c.log_y = all_positive;
  const RollOffRange range = RangeFor(d);
  if (!InFitRange(range, d.ui, d.H)) s.in_range = 0;
  NoteBeyondRange(c, range.limit);
  c.marks.push_back({"Design", 0, d.in.f, d.Pfe});
  return c;
}

static_assert([] {
  for (std::size_t i = 0; i < kCurveKinds.size(); ++i) {
    if (kCurveKindTable[i].kind != kCurveKinds[i]) return false;
  }
  return true;
}());

std::string DesignIdentity(const DesignResult& d, const CoreTable& cores) {
  const auto number = [](double value) { return PlainNumberText(value, 7); };
  std::string text = cores.PartNumber(d.row, d.e_core);
  if (d.stack_count > 1) text += " (stack of " + std::to_string(d.stack_count) + ")";
  text += ", " + std::to_string(d.N) + " turns; " + number(d.in.Idc) + " A DC, " + number(d.in.dI) +
          " A ripple at " + number(d.in.f) + " kHz, Full Load L " +
          number(1000.0 * d.stack_count * d.in.Ltarget) + " " + kMicro + "H";
  return text;
}

const CurveKindInfo& InfoOf(CurveKind kind) {
  return kCurveKindTable[static_cast<std::size_t>(kind)];
}

std::array<Curve, 4> DesignCurves(const DesignResult& design, const CoreTable& cores) {
  std::array<Curve, 4> curves;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    curves[i] = kCurveKindTable[i].build(design, cores);
  }
  return curves;
}

}  // namespace tov
