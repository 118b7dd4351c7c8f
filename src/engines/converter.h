#pragma once
// The converter a choke is designed for: buck, boost, inverting buck-boost
// and PFC boost in continuous conduction, their operating points at every
// corner of the input range and what the choke must meet there: its DC
// current, its ripple at the worst corner, the inductance that meets the
// ripple goal, its peak current.
//
// The switch and diode are ideal. The efficiency (1 when not given) sets the
// input power, Pin = Pout / efficiency; the inductor's DC current and the
// duty follow from its charge balance, the ripple from the volt-seconds of
// the on-time: buck Vin - Vout, boost and buck-boost Vin, for D / fsw.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tov {

enum class Topology { Buck, Boost, BuckBoost, PfcBoost };

struct TopologyInfo {
  Topology topology;
  std::string_view name;     // as the command line takes it: "buck-boost"
  std::string_view caption;  // "Buck-boost (inverting)"
};

inline constexpr std::array<TopologyInfo, 4> kTopologies = {{
    {Topology::Buck, "buck", "Buck"},
    {Topology::Boost, "boost", "Boost"},
    {Topology::BuckBoost, "buck-boost", "Buck-boost (inverting)"},
    {Topology::PfcBoost, "pfc-boost", "PFC boost"},
}};

const TopologyInfo& InfoOf(Topology topology);
// The topology of a command-line name, or nullopt.
std::optional<Topology> TopologyNamed(std::string_view name);

struct ConverterRequest {
  Topology topology = Topology::Buck;
  // DC input range, V (buck, boost, buck-boost); RMS line range, V (PFC).
  double vin_min = 0;
  double vin_max = 0;
  double vout = 0;     // V; the magnitude for the inverting buck-boost
  double iout = 0;     // A (buck, boost, buck-boost)
  double pout = 0;     // W (PFC)
  double fline = 0;    // Hz (PFC)
  double fsw_khz = 0;  // kHz, the switching frequency
  double efficiency = 1;
  // The ripple goal in % of the inductor's DC current where that is largest
  // (PFC: the crest of the line current at the lowest line); or the
  // inductance, uH, when given instead.
  std::optional<double> ripple_percent;
  std::optional<double> inductance_uh;
};

// One corner of the input range (PFC: one line voltage at one angle).
struct OperatingPoint {
  double vin = 0;          // V, instantaneous for PFC
  double duty = 0;         // on-time fraction
  double idc = 0;          // A, the inductor's DC (PFC: low-frequency) current
  double ripple_pp = 0;    // A, at the converter's inductance
  double ipk = 0;          // A, idc + ripple_pp / 2
  bool continuous = true;  // the current never reaches zero: ripple_pp / 2 < idc
};

struct ConverterDesign {
  // Every corner: the lowest and highest input (one when they are equal);
  // PFC: the crest at the lowest and at the highest line.
  std::vector<OperatingPoint> corners;
  double idc = 0;            // A, the largest inductor DC current: the choke's I_dc
  double ripple_pp = 0;      // A, the ripple at the worst corner: the choke's dI
  double ripple_vin = 0;     // V, the input (PFC: RMS line) of that corner
  double inductance_uh = 0;  // uH, meets the ripple goal (or as given)
  double ipk = 0;            // A, the largest idc + ripple / 2 at any corner
  // PFC: the line angle (degrees) where the ripple is largest, and the
  // ripple against angle at the lowest and at the highest line, 0..90 deg.
  double ripple_angle_deg = 0;
  std::vector<OperatingPoint> low_line_cycle;
  std::vector<OperatingPoint> high_line_cycle;
  // PFC: the mean square of the inductor current over the line cycle at the
  // lowest line, A^2 (the copper loss is R_DC times it).
  double i_rms_squared = 0;
};

struct ConverterOutcome {
  std::optional<ConverterDesign> design;
  std::string error;  // why there is none: an input out of range, a duty out of (0, 1)
};

ConverterOutcome DesignConverter(const ConverterRequest& request);

// The line angles (degrees) a PFC line cycle is sampled at: 0 to 90 in
// steps of this many degrees (the cycle is symmetric about 90).
inline constexpr double kLineAngleStepDeg = 1;

}  // namespace tov
