#include "candidates_check/candidates_check.h"

#include <cmath>
#include <sstream>

#include "engines/automatic_selection.h"
#include "engines/candidates.h"

namespace tov::check {
namespace {

double LogUniform(std::mt19937_64& rng, double lo, double hi) {
  return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
}

bool Chance(std::mt19937_64& rng, double p) {
  return std::bernoulli_distribution(p)(rng);
}

}  // namespace

DesignRequest RandomRequest(std::mt19937_64& rng) {
  DesignRequest r;
  r.dc_current_a = LogUniform(rng, 0.05, 200);
  r.ripple_a = Chance(rng, 0.1) ? 0 : LogUniform(rng, r.dc_current_a * 1e-3, 2 * r.dc_current_a);
  r.frequency_khz = LogUniform(rng, 1, 1000);
  r.current_density_a_cm2 = LogUniform(rng, 100, 1500);
  r.full_load_l_uh = LogUniform(rng, 1, 20000);
  r.no_load_l_uh = r.full_load_l_uh * LogUniform(rng, 1.05, 5);
  r.allowable_rise_c = LogUniform(rng, 5, 120);
  r.material = kMaterials[std::uniform_int_distribution<std::size_t>(0, 3)(rng)];
  r.stack_count = static_cast<int16_t>(std::uniform_int_distribution<int>(1, 5)(rng));
  const double ambient = std::uniform_real_distribution<double>(-50, 150)(rng);
  r.copper_factor = static_cast<float>(1 + 0.00393 * (ambient - 20));
  r.full_load_l_max = Chance(rng, 0.7);
  r.single_layer = Chance(rng, 0.3);
  if (Chance(rng, 0.03)) {
    double* inputs[] = {&r.dc_current_a,          &r.ripple_a,       &r.frequency_khz,
                        &r.current_density_a_cm2, &r.full_load_l_uh, &r.no_load_l_uh,
                        &r.allowable_rise_c};
    const double odd[] = {0, -1, 1e30, 1e-30, kNoNumber};
    *inputs[std::uniform_int_distribution<std::size_t>(0, 6)(rng)] =
        odd[std::uniform_int_distribution<std::size_t>(0, 4)(rng)];
  }
  return r;
}

std::string Describe(const DesignRequest& r) {
  std::ostringstream s;
  s.precision(17);
  s << "material " << InfoOf(r.material).cli_name << ", stack " << r.stack_count << ", Idc "
    << r.dc_current_a << ", dI " << r.ripple_a << ", f " << r.frequency_khz << ", J "
    << r.current_density_a_cm2 << ", Lfl " << r.full_load_l_uh << " uH, Lnl " << r.no_load_l_uh
    << " uH, Tallow " << r.allowable_rise_c << ", CuFactor " << r.copper_factor
    << (r.full_load_l_max ? ", Full Load L Maximum" : "")
    << (r.single_layer ? ", Single Layer Choke" : "");
  return s.str();
}

std::optional<std::string> CheckAgainstSearch(const DesignRequest& request,
                                              const CoreTable& cores) {
  const SearchOutcome search = SearchCores(request, cores);
  const CandidateSet set = EvaluateCandidates(
      request, cores, {.materials = {request.material}, .stacks = {request.stack_count}});

  const Candidate* pick = nullptr;
  int16_t next_row = SectionOf(request.material).first_row;
  for (const Candidate& c : set.candidates) {
    if (c.row != next_row++) return "row " + std::to_string(c.row) + " is out of turn";
    if (c.search_start != (c.row == search.start_row)) {
      return "row " + std::to_string(c.row) + " search_start is wrong; the search starts at " +
             std::to_string(search.start_row);
    }
    const bool first_pass = !pick && c.row >= search.start_row && c.Passes();
    if (first_pass) pick = &c;
    if (c.search_pick != first_pass) {
      return "row " + std::to_string(c.row) + " search_pick is wrong";
    }
  }
  if (next_row != SectionOf(request.material).end_row &&
      cores.Cell(next_row, CoreColumn::SizeFigure).AsDouble() != kEndRowSizeFigure) {
    return "the candidates end before row " + std::to_string(next_row);
  }
  if (!search.design) {
    if (pick)
      return "the search finds no core, the candidates pass row " + std::to_string(pick->row);
    return std::nullopt;
  }
  if (!pick)
    return "the search picks row " + std::to_string(search.core_row) + ", no candidate passes";
  if (pick->row != search.core_row) {
    return "the search picks row " + std::to_string(search.core_row) +
           ", the first passing candidate is row " + std::to_string(pick->row);
  }
  if (!(pick->design == *search.design)) {
    return "row " + std::to_string(pick->row) +
           ": the candidate's design differs from the search's";
  }
  return std::nullopt;
}

}  // namespace tov::check
