#pragma once
// Designs of random requests on the shipped core database: every material
// and stack count, each request designed by the search and on a random core
// of its material.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "state/core_table_loader.h"

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
  DesignRequest r;
  r.material = material;
  r.stack_count = stack;
  r.dc_current_a = light ? 3 : 10;
  r.ripple_a = light ? 1 : 2;
  r.frequency_khz = light ? 50 : 100;
  r.full_load_l_uh = light ? 600 : 100;
  r.no_load_l_uh = light ? 1000 : 150;
  return r;
}

inline std::vector<DesignResult> RandomDesigns() {
  std::mt19937 random(13);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  std::vector<DesignResult> designs;
  for (const Material material : kMaterials) {
    for (int16_t stack = 1; stack <= 5; ++stack) {
      for (int i = 0; i < 16; ++i) {
        DesignRequest r;
        r.material = material;
        r.stack_count = stack;
        r.dc_current_a = uniform(0.2, 60);
        r.ripple_a = uniform(0, 0.6) * r.dc_current_a;
        r.frequency_khz = uniform(5, 400);
        r.current_density_a_cm2 = uniform(300, 900);
        r.full_load_l_uh = uniform(5, 3000);
        r.no_load_l_uh = r.full_load_l_uh * uniform(1.1, 4);
        r.allowable_rise_c = uniform(15, 80);
        r.full_load_l_max = i % 2 == 0;
        if (auto found = SearchCores(r, ShippedCores()).design) designs.push_back(*found);
        const MaterialSection section = SectionOf(material);
        const auto row = static_cast<int16_t>(
            std::uniform_int_distribution<int>(section.first_row, section.last_core_row)(random));
        if (auto picked = DesignOnCore(r, ShippedCores(), row).design) designs.push_back(*picked);
      }
    }
  }
  return designs;
}

}  // namespace tov::testing
