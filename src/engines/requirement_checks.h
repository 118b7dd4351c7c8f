#pragma once
// A design held against what was asked of it: one check per requirement or
// validity condition, in a fixed order, each with its target, what the design
// achieves, the worst case where one applies, whether it passes and why not.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/worst_case.h"
#include "state/constants.h"

namespace tov {

enum class CheckKind {
  FullLoadInductance,
  NoLoadCeiling,
  TemperatureRise,
  WindingFitsWindow,
  WireAsSized,
  RollOff,
  LossData,
  ModelValidAtPeak,
  WorstCaseFullLoadInductance,
  WorstCaseRise,
  ThermalRunaway,
};

struct CheckDescriptor {
  CheckKind kind;
  std::string_view key;   // its name in tovcalc's JSON
  std::string_view what;  // what it holds the design to, in words
  std::string_view unit;  // of target, achieved and worst case; empty for none
  bool worst_case;        // it holds the design at its worst corner, not as designed
};

// In the order the checks are made and shown.
inline constexpr std::array<CheckDescriptor, 11> kCheckTable = {{
    {CheckKind::FullLoadInductance, "full_load_inductance", "Inductance at full load", "uH", false},
    {CheckKind::NoLoadCeiling, "no_load_ceiling", "Inductance at no load", "uH", false},
    {CheckKind::TemperatureRise, "temperature_rise", "Temperature rise", "degC", false},
    {CheckKind::WindingFitsWindow, "winding_fits_window", "Winding fits the core window", "fill",
     false},
    {CheckKind::WireAsSized, "wire_as_sized", "Wire as sized for the density", "AWG", false},
    {CheckKind::RollOff, "roll_off", "Inductance left at full load", "%", false},
    {CheckKind::LossData, "loss_data", "Core loss data for the grade", "", false},
    {CheckKind::ModelValidAtPeak, "model_valid_at_peak", "Roll-off model valid at the peak", "Oe",
     false},
    {CheckKind::WorstCaseFullLoadInductance, "worst_case_full_load_inductance",
     "Worst-case inductance at full load", "uH", true},
    {CheckKind::WorstCaseRise, "worst_case_rise", "Worst-case temperature rise", "degC", true},
    {CheckKind::ThermalRunaway, "thermal_runaway", "Winding temperature settles", "degC", true},
}};

const CheckDescriptor& DescriptorOf(CheckKind kind);

// Whether No Load L is a ceiling of the design shown, and if not, why.
enum class NoLoadCeiling {
  On,             // Full Load L Maximum is checked and the design is a search's
  OffByOption,    // Full Load L Maximum is not checked
  ClearedByPick,  // a core pick cleared Full Load L Maximum
};

struct RequirementCheck {
  CheckKind kind;
  std::optional<double> target;      // in the descriptor's unit; nullopt for none
  std::optional<double> achieved;    // likewise
  std::optional<double> worst_case;  // likewise, where a worst case applies
  bool pass = true;
  std::string reason;  // one line; empty when the check passes without remark
  friend bool operator==(const RequirementCheck&, const RequirementCheck&) = default;
};

// The least share of the no-load inductance that should be left at full
// load, %: below it the core runs deep in its roll-off (the roll-off warning's).
inline constexpr double kRecommendedRollOffPercent = 100.0 * double{kRollOffWarningRatio};

// Every check of `design` made from `request`, in kCheckTable's order. The
// inductances are of the whole stack in uH, as the request gives them.
std::vector<RequirementCheck> CheckDesign(const DesignRequest& request, const DesignResult& design,
                                          const WorstCase& worst, NoLoadCeiling ceiling);

// Whether every check passes.
bool AllPass(const std::vector<RequirementCheck>& checks);

}  // namespace tov
