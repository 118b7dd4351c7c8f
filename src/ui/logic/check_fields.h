#pragma once
// Which output field of the window a requirement check speaks of: the window
// marks a failed check there.

#include <array>
#include <utility>

#include "engines/requirement_checks.h"
#include "ui/logic/window_model.h"

namespace tov {

inline constexpr std::array<std::pair<CheckKind, TextBox WindowModel::*>, 11> kCheckFields = {{
    {CheckKind::FullLoadInductance, &WindowModel::l_full_load},
    {CheckKind::NoLoadCeiling, &WindowModel::l_no_load},
    {CheckKind::TemperatureRise, &WindowModel::temp_rise},
    {CheckKind::WindingFitsWindow, &WindowModel::winding_factor},
    {CheckKind::WireAsSized, &WindowModel::wire},
    {CheckKind::RollOff, &WindowModel::mu_e_full_dc},
    {CheckKind::LossData, &WindowModel::core_loss},
    {CheckKind::ModelValidAtPeak, &WindowModel::l_full_load},
    {CheckKind::WorstCaseFullLoadInductance, &WindowModel::l_full_load},
    {CheckKind::WorstCaseRise, &WindowModel::temp_rise},
    {CheckKind::ThermalRunaway, &WindowModel::temp_rise},
}};

// The field a check of `kind` marks when it fails.
constexpr TextBox WindowModel::*FieldOfCheck(CheckKind kind) {
  return kCheckFields[static_cast<std::size_t>(kind)].second;
}

}  // namespace tov
