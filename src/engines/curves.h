#pragma once
// The curves of one design, computed with the same models and number rules as
// the design itself: inductance against current, effective permeability
// against magnetising force for every grade of the material, losses and
// temperature rise against load, and core loss against frequency. A point
// where the model has no value is NaN (a gap in the curve), never a value
// made up for it. Where a curve leaves the range of the roll-off fit (past
// the fit's minimum, or beyond where it has no value) the points go on but
// are marked as outside it.

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engines/design_result.h"
#include "state/core_table.h"

namespace tov {

enum class CurveKind { InductanceVsCurrent, PermeabilityVsField, LossVsCurrent, LossVsFrequency };

inline constexpr std::array<CurveKind, 4> kCurveKinds = {
    CurveKind::InductanceVsCurrent, CurveKind::PermeabilityVsField, CurveKind::LossVsCurrent,
    CurveKind::LossVsFrequency};

// A quantity and its unit, as axis titles and column headers name it.
struct Quantity {
  std::string name;  // "DC current"
  std::string unit;  // "A"
};

// "DC current (A)".
std::string AxisTitle(const Quantity& quantity);

// The number of leading points of a series that lie in the range of its
// model: all of them.
inline constexpr std::size_t kWholeSeries = std::numeric_limits<std::size_t>::max();

struct CurveSeries {
  std::string name;       // "Inductance", "\u00b5 60", "Core loss"
  int axis = 0;           // 0: the left y axis, 1: the right one
  std::vector<double> y;  // one value per x; NaN where the model has no value
  // The points y[0 .. in_range) lie in the range of the model; the rest lie
  // beyond it (past the roll-off fit's minimum or its band without a value).
  std::size_t in_range = kWholeSeries;
};

// A point of the design itself, drawn on its series.
struct CurveMark {
  std::string label;       // "No load", "DC current", "Peak current", "Design"
  std::size_t series = 0;  // index into Curve::series
  double x = 0;
  double y = 0;
};

struct Curve {
  CurveKind kind = CurveKind::InductanceVsCurrent;
  std::string title;
  Quantity x;
  std::vector<Quantity> y_axes;  // the left axis, then the right one if any
  bool log_x = false;
  bool log_y = false;
  std::vector<double> xs;  // ascending
  std::vector<CurveSeries> series;
  std::vector<CurveMark> marks;
  // Why points lie beyond the model's range ("Dashed: ..."), when any with
  // a value does; empty otherwise.
  std::string beyond_range;
};

// True when point i of the series lies in its model's range.
bool InRange(const CurveSeries& series, std::size_t i);

// Inductance of one core at current I >= 0 (A), mH: L_nl without current,
// else the full-load formula at the permeability left at I; nullopt where the
// roll-off model has no value.
std::optional<float> InductanceAtCurrent(const DesignResult& design, float I);

// Inductance of the whole stack (uH) against current, 0 to twice the peak
// current, with the no-load, DC and peak currents among the points; at zero
// current and at the peak current the values are the design's L_nl and L_fl.
// In range up to the current whose field reaches the end of the roll-off fit.
Curve InductanceCurve(const DesignResult& design);

// Effective permeability in % of the initial permeability against
// magnetising force (Oe, log axis from 1 to 1000 Oe, widened to take the
// operating point) for every permeability of the material's cores in `cores`,
// with the design's operating point marked. Each grade in range up to the
// field where ui H reaches the end of the roll-off fit.
Curve PermeabilityCurve(const DesignResult& design, const CoreTable& cores);

// Core, copper and total loss (mW, left axis) and temperature rise (deg C,
// right axis) against the DC current from 10 % to 150 % of the design's, the
// ripple held; at 100 % the design's own values, marked once (on the total
// loss). The copper loss is in range throughout; the others up to the load
// whose peak current reaches the end of the roll-off fit.
Curve LossCurve(const DesignResult& design);

// Core loss (mW) against frequency (kHz) from 1 kHz to 1 MHz on a log axis
// (widened to take the design's frequency), the flux swing held; beyond the
// model's range as a whole when the design's own field is.
Curve FrequencyCurve(const DesignResult& design);

// What the program knows of each kind of curve: its name on tovcalc's
// command line and in exported file names, its tab in the Curves window, and
// how it is built.
struct CurveKindInfo {
  CurveKind kind;
  std::string_view cli_name;   // "l-vs-i"
  std::string_view tab_title;  // "&Inductance", with its access key
  Curve (*build)(const DesignResult& design, const CoreTable& cores);
};

// In the order of kCurveKinds.
inline constexpr std::array<CurveKindInfo, 4> kCurveKindTable = {{
    {CurveKind::InductanceVsCurrent, "l-vs-i", "&Inductance",
     [](const DesignResult& d, const CoreTable&) { return InductanceCurve(d); }},
    {CurveKind::PermeabilityVsField, "mu-vs-h", "&Permeability", &PermeabilityCurve},
    {CurveKind::LossVsCurrent, "loss-vs-i", "&Losses",
     [](const DesignResult& d, const CoreTable&) { return LossCurve(d); }},
    {CurveKind::LossVsFrequency, "loss-vs-f", "&Frequency",
     [](const DesignResult& d, const CoreTable&) { return FrequencyCurve(d); }},
}};

const CurveKindInfo& InfoOf(CurveKind kind);

// The design as exported curves name it: part number (and stack), turns and
// the inputs, "MP130-060-E, 71 turns; 10 A DC, 2 A ripple at 100 kHz, Full
// Load L 100 \u00b5H" (the inductance of the whole stack).
std::string DesignIdentity(const DesignResult& design, const CoreTable& cores);

// All four, in the order of kCurveKinds.
std::array<Curve, 4> DesignCurves(const DesignResult& design, const CoreTable& cores);

}  // namespace tov
