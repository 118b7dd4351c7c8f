#pragma once
// Every core a request could be built on: each core row of the chosen
// materials, for each stack count, judged exactly as the automatic search
// judges a row, with the design values and the tests it fails.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "state/core_table.h"

namespace tov {

// The tests of a row, in the order they are reported.
enum class CandidateTest : int {
  Fill,         // window fill below 1.2 times the material's window factor
  FullLoadL,    // inductance at full load above the target
  NoLoadL,      // inductance at no load below the ceiling (Full Load L Maximum)
  SingleLayer,  // the winding lies in one layer (Single Layer Choke)
  Winding,      // the toroid build-up places every turn before the hole fills up
  Temperature,  // temperature rise within the allowable rise
};
inline constexpr std::size_t kCandidateTestCount = 6;

// "fill", "full_load_l", "no_load_l", "single_layer", "winding", "temperature".
std::string_view TestName(CandidateTest test);

// One test of a row: its figure against its limit, in the units of the
// design columns: fill as a factor; inductances in uH of the whole stack;
// the inner diameter in inches; wires (each strand counted) to place against
// wires placed; temperature rise in deg C. Fill, no-load inductance, wires
// and temperature must stay below (temperature: at most) their limit, the
// full-load inductance and the inner diameter above it.
struct TestMargin {
  bool applies = false;  // evaluated for this row (see Candidate::tests)
  bool passes = true;
  double value = 0;
  double limit = 0;
};

struct Candidate {
  Material material = Material::Velmax;
  int16_t row = 0;            // core row
  int16_t stack_count = 1;    // always 1 for E-cores
  std::string part_number;    // PartNo, followed by PartSuffix for toroids
  std::string header;         // recommended header (toroids) or bobbin part number (E-cores)
  bool search_start = false;  // the row the search starts from
  bool search_pick = false;   // the row Calculate picks for this material and stack
  // On the loss-volume front of the set it was compared in (LossVolumeFront);
  // false until the caller marks it.
  bool pareto = false;
  // Every wire found room on the toroid (always true for E-cores); without,
  // the wound size, resistance, copper and total loss and temperature rise
  // of `design` are not computed.
  bool wound = true;
  DesignResult design;
  // Indexed by CandidateTest. Fill and full-load inductance always apply;
  // no-load inductance under Full Load L Maximum, single layer under Single
  // Layer Choke, temperature when wound; winding only when it fails. A test
  // that fails always applies.
  std::array<TestMargin, kCandidateTestCount> tests{};

  const TestMargin& Test(CandidateTest test) const { return tests[static_cast<std::size_t>(test)]; }
  bool Passes() const;
  // Names of the failed tests, in the order of CandidateTest.
  std::vector<std::string_view> FailedTests() const;
};

// What to evaluate: materials in this order, each for these stack counts
// (empty: the request's). E-cores are never stacked: they are evaluated
// once, whatever the stack counts, on the request's stack count taken back
// to one core as Calculate takes it.
struct CandidateScope {
  std::vector<Material> materials{kMaterials.begin(), kMaterials.end()};
  std::vector<int16_t> stacks;
};

struct CandidateSet {
  // By material and stack count in the scope's order, then by row. Rows from
  // the search's start row on are evaluated as one walk, in order, so values
  // a step cannot compute carry from row to row as in the search; each row
  // before the start row is evaluated as the first row of a fresh walk.
  // Rows past a row the table marks as an end row are not listed.
  std::vector<Candidate> candidates;
  // What applies to every candidate: the wire too large for six strands of
  // gauge 12, and the current density used instead.
  Notices notices;
};

// The candidates of `request` (its material and stack count are replaced by
// those of the scope). The first passing candidate at or after the start row
// of a material and stack count is the core Calculate picks for them, with
// the same design.
CandidateSet EvaluateCandidates(const DesignRequest& request, const CoreTable& cores,
                                const CandidateScope& scope);

}  // namespace tov
