#pragma once
// Designs of random requests on the shipped core database: every material
// and stack count, each request designed by the search and on a random core
// of its material.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engines/automatic_selection.h"
#include "engines/converter.h"
#include "engines/selected_core.h"
#include "state/constants.h"
#include "state/copper_factor.h"
#include "state/core_table_loader.h"
#include "state/number_text.h"

namespace tov::testing {

inline const CoreTable& ShippedCores() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  static const CoreTable empty;
  if (!load.table) ADD_FAILURE() << load.error;
  return load.table ? *load.table : empty;
}

// The two requests the simulation tests design on: 10 A with 2 A of ripple at
// 100 kHz for 100 uH (at most 150 uH at no load), or, light, 3 A with 1 A at
// 50 kHz for 600 uH (at most 1000 uH).
inline DesignRequest ReferenceRequest(Material material, int16_t stack, bool light) {
  return light ? DesignRequest{3, 1, 50, 600, 600, 1000, 35, material, stack, 1, true, false}
               : DesignRequest{10, 2, 100, 600, 100, 150, 35, material, stack, 1, true, false};
}

// A PFC boost from 90..265 V RMS to 400 V, 500 W at 95 %, 65 kHz, a ripple
// of 20 % of the line current's crest at the lowest line.
inline ConverterRequest ReferencePfc() {
  // topology, vin_min, vin_max, vout, iout, pout, fline, fsw_khz, efficiency, ripple_percent,
  // inductance_uh
  return {Topology::PfcBoost, 90, 265, 400, 0, 500, 50, 65, 0.95, 20, std::nullopt};
}

// The request for a choke of `material` to the converter's figures, with
// room up to twice its inductance at no load.
inline DesignRequest ChokeRequestFor(const ConverterDesign& c, double fsw_khz, Material material) {
  return {c.idc, c.ripple_pp, fsw_khz, 600,  c.inductance_uh, 2 * c.inductance_uh, 35, material,
          1,     1,           true,    false};
}

// A random request of `material` and `stack`, its figures as typed (six
// significant digits); the `i`th of a series alternates the no-load ceiling,
// sets every fourth single-layer and runs through four ambients.
inline DesignRequest RandomRequest(std::mt19937& random, Material material, int16_t stack, int i) {
  const auto typed = [](double value) { return *ParseNumber(PlainNumberText(value, 6)); };
  const auto uniform = [&](double low, double high) {
    return typed(std::uniform_real_distribution<double>(low, high)(random));
  };
  const float ambients[] = {-25, 20, 40, 85};
  DesignRequest r;
  r.material = material;
  r.stack_count = stack;
  r.dc_current_a = uniform(0.2, 60);
  r.ripple_a = typed(uniform(0, 0.6) * r.dc_current_a);
  r.frequency_khz = uniform(5, 400);
  r.current_density_a_cm2 = uniform(300, 900);
  r.full_load_l_uh = uniform(5, 3000);
  r.no_load_l_uh = typed(r.full_load_l_uh * uniform(1.1, 4));
  r.allowable_rise_c = uniform(15, 80);
  r.full_load_l_max = i % 2 == 0;
  r.single_layer = i % 4 == 1;
  r.copper_factor = *CopperFactor(ambients[i % 4]);
  return r;
}

// A random core row of the material's section.
inline int16_t RandomRow(std::mt19937& random, Material material) {
  const MaterialSection section = SectionOf(material);
  return static_cast<int16_t>(
      std::uniform_int_distribution<int>(section.first_row, section.last_core_row)(random));
}

inline std::vector<DesignResult> RandomDesigns() {
  std::mt19937 random(13);
  std::vector<DesignResult> designs;
  for (const Material material : kMaterials) {
    for (int16_t stack = 1; stack <= 5; ++stack) {
      for (int i = 0; i < 16; ++i) {
        const DesignRequest r = RandomRequest(random, material, stack, i);
        if (auto found = SearchCores(r, ShippedCores()).design) designs.push_back(*found);
        const int16_t row = RandomRow(random, material);
        if (auto picked = DesignOnCore(r, ShippedCores(), row).design) designs.push_back(*picked);
      }
    }
  }
  return designs;
}

// The design whose no-load inductance comes nearest its ceiling.
inline DesignResult NearestItsCeiling(const std::vector<DesignResult>& designs) {
  const DesignResult* nearest = nullptr;
  for (const DesignResult& d : designs) {
    if (d.in.Lmax > 0 && d.in.Lmax < kNoCeiling_mH && d.in.dI > 0 &&
        (!nearest || d.Lnl / d.in.Lmax > nearest->Lnl / nearest->in.Lmax)) {
      nearest = &d;
    }
  }
  EXPECT_GT(nearest->Lnl / nearest->in.Lmax, 0.97f);
  return *nearest;
}

}  // namespace tov::testing
