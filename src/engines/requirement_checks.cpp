#include "engines/requirement_checks.h"

#include <algorithm>
#include <cmath>

#include "models/core_loss.h"
#include "models/rolloff.h"
#include "models/wire_gauge.h"
#include "models/wire_sizing.h"
#include "state/material.h"
#include "state/number_format.h"

namespace tov {
namespace {

constexpr double kUhPerMh = 1000.0;
constexpr double kPercent = 100.0;

// A figure as the reason quotes it: two decimals.
std::string Figure(double value) {
  return FormatNumber(value, "0.00").value_or("?");
}

RequirementCheck Make(CheckKind kind, std::optional<double> target = std::nullopt,
                      std::optional<double> achieved = std::nullopt,
                      std::optional<double> worst_case = std::nullopt) {
  return {kind, target, achieved, worst_case, true, {}};
}

std::string WireName(int16_t G, int16_t strands) {
  std::string name = "AWG " + std::to_string(G);
  return strands > 1 ? std::to_string(strands) + " x " + name : name;
}

RequirementCheck FullLoad(const DesignRequest& request, const DesignResult& d,
                          const WorstCase& worst) {
  const double achieved = kUhPerMh * d.stack_count * double{d.Lfl};
  RequirementCheck c =
      Make(CheckKind::FullLoadInductance, request.full_load_l_uh, achieved, worst.Lfl_min_uH);
  c.pass = achieved >= request.full_load_l_uh;
  if (!c.pass) {
    c.reason = Figure(achieved) + " uH is below the " + Figure(request.full_load_l_uh) +
               " uH required at full load";
  }
  return c;
}

RequirementCheck NoLoad(const DesignRequest& request, const DesignResult& d,
                        NoLoadCeiling ceiling) {
  const double achieved = kUhPerMh * d.stack_count * double{d.Lnl};
  const bool above = achieved > request.no_load_l_uh;
  RequirementCheck c = Make(CheckKind::NoLoadCeiling, request.no_load_l_uh, achieved);
  switch (ceiling) {
    case NoLoadCeiling::On:
      c.pass = !above;
      if (above) {
        c.reason = Figure(achieved) + " uH exceeds the " + Figure(request.no_load_l_uh) +
                   " uH ceiling at no load";
      }
      break;
    case NoLoadCeiling::OffByOption:
      c.target.reset();
      c.reason = "off: Full Load L Maximum is not checked";
      break;
    case NoLoadCeiling::ClearedByPick:
      // The field still shows a ceiling the engineer typed: a design above it
      // must not pass without a word.
      c.pass = !above;
      c.reason = above ? "off: cleared by the core pick; " + Figure(achieved) + " uH exceeds the " +
                             Figure(request.no_load_l_uh) + " uH typed"
                       : "off: cleared by the core pick";
      break;
  }
  return c;
}

RequirementCheck Rise(const DesignRequest& request, const DesignResult& d, const WorstCase& worst) {
  RequirementCheck c = Make(CheckKind::TemperatureRise, request.allowable_rise_c, double{d.dT});
  if (worst.hot) c.worst_case = worst.hot->dT;
  c.pass = double{d.dT} <= request.allowable_rise_c;
  if (!c.pass) {
    c.reason =
        Figure(d.dT) + " degC is above the " + Figure(request.allowable_rise_c) + " degC allowed";
  }
  return c;
}

RequirementCheck Fits(const DesignResult& d) {
  RequirementCheck c = Make(CheckKind::WindingFitsWindow, std::nullopt, double{d.fill});
  c.pass = d.G <= kThinnestGauge;
  if (!c.pass) c.reason = "no wire fits the window (AWG 43): the copper figures mean nothing";
  return c;
}

RequirementCheck Wire(const DesignResult& d) {
  const WireSizing sized = SizeWire(d.in.Iw, d.in.J);
  RequirementCheck c =
      Make(CheckKind::WireAsSized, static_cast<double>(sized.wire.G), static_cast<double>(d.G));
  c.pass = d.G == sized.wire.G && d.strands == sized.wire.S;
  if (!c.pass) {
    c.reason = "thinned from " + WireName(sized.wire.G, sized.wire.S) + " to " +
               WireName(d.G, d.strands) + " to fit the core";
  }
  return c;
}

RequirementCheck RollOffLeft(const DesignResult& d) {
  const double left = d.Lnl > 0 ? kPercent * double{d.Lfl} / double{d.Lnl} : 0.0;
  RequirementCheck c = Make(CheckKind::RollOff, kRecommendedRollOffPercent, left);
  c.pass = left >= kRecommendedRollOffPercent;
  if (!c.pass) {
    c.reason = "only " + Figure(left) + " % of the no-load inductance is left at full load (" +
               Figure(kRecommendedRollOffPercent) + " % recommended)";
  }
  return c;
}

RequirementCheck Loss(const DesignResult& d) {
  RequirementCheck c = Make(CheckKind::LossData);
  c.pass = CoreLossCoefficientsFor(d.MatType, d.ui).k != 0;
  if (!c.pass) c.reason = "the core grade has no loss data: the core loss 0.0 is not a figure";
  return c;
}

RequirementCheck ModelValid(const DesignResult& d) {
  RequirementCheck c = Make(CheckKind::ModelValidAtPeak, std::nullopt, double{d.H});
  c.pass = EffPerm(d.ui, d.H, RollOffFor(d.material)).has_value();
  if (!c.pass) {
    c.reason = "the roll-off model has no value at " + Figure(d.H) +
               " Oe: the inductance at full load is not a valid figure";
  }
  return c;
}

RequirementCheck WorstFullLoad(const DesignRequest& request, const WorstCase& worst) {
  RequirementCheck c = Make(CheckKind::WorstCaseFullLoadInductance, request.full_load_l_uh,
                            worst.Lfl_min_uH, worst.Lfl_min_uH);
  c.pass = worst.Lfl_min_uH >= request.full_load_l_uh;
  if (!c.pass) {
    c.reason = Figure(worst.Lfl_min_uH) + " uH at the AL's " + Figure(worst.al_tolerance_percent) +
               " % tolerance is below the " + Figure(request.full_load_l_uh) + " uH required";
  }
  return c;
}

RequirementCheck WorstRise(const DesignRequest& request, const WorstCase& worst) {
  RequirementCheck c = Make(CheckKind::WorstCaseRise, request.allowable_rise_c);
  if (!worst.hot) {
    c.pass = false;
    c.reason = "thermal runaway";
    return c;
  }
  c.achieved = c.worst_case = worst.hot->dT;
  c.pass = double{worst.hot->dT} <= request.allowable_rise_c;
  if (!c.pass) {
    c.reason = Figure(worst.hot->dT) + " degC with the copper hot is above the " +
               Figure(request.allowable_rise_c) + " degC allowed";
  }
  return c;
}

RequirementCheck Runaway(const WorstCase& worst) {
  RequirementCheck c = Make(CheckKind::ThermalRunaway, kCopperMeltingC);
  if (worst.hot) {
    c.achieved = c.worst_case = worst.hot->T_copper;
    return c;
  }
  c.pass = false;
  c.reason =
      "thermal runaway: the winding's temperature does not settle below copper's melting point";
  return c;
}

}  // namespace

const CheckDescriptor& DescriptorOf(CheckKind kind) {
  return kCheckTable[static_cast<std::size_t>(kind)];
}

std::vector<RequirementCheck> CheckDesign(const DesignRequest& request, const DesignResult& design,
                                          const WorstCase& worst, NoLoadCeiling ceiling) {
  return {FullLoad(request, design, worst),
          NoLoad(request, design, ceiling),
          Rise(request, design, worst),
          Fits(design),
          Wire(design),
          RollOffLeft(design),
          Loss(design),
          ModelValid(design),
          WorstFullLoad(request, worst),
          WorstRise(request, worst),
          Runaway(worst)};
}

bool AllPass(const std::vector<RequirementCheck>& checks) {
  return std::all_of(checks.begin(), checks.end(),
                     [](const RequirementCheck& c) { return c.pass; });
}

}  // namespace tov
