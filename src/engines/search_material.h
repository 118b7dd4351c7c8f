#pragma once
// Material constants of the automatic core selection and the size figure a
// core must reach before the search evaluates it.

#include <cstdint>
#include <optional>

#include "state/material.h"

namespace tov {

// The roll-off coefficients go with the material too (RollOffFor).
struct SearchMaterial {
  Material material;
  float K;            // window factor the search designs to
  int16_t first_row;  // first core row of the material's section
  float ui0;          // initial permeability the size figure assumes
  int16_t MatType;    // material code of the core loss
};

inline constexpr SearchMaterial kSearchMaterials[] = {
    {Material::MPP, 0.4f, 1, 300.0f, 1},
    {Material::HF, 0.4f, 252, 160.0f, 2},
    {Material::Velmax, 0.4f, 395, 125.0f, 3},
    {Material::VelmaxE, 0.67f, 522, 90.0f, 3},
};

constexpr const SearchMaterial& SearchMaterialOf(Material m) {
  for (const SearchMaterial& entry : kSearchMaterials) {
    if (entry.material == m) return entry;
  }
  return kSearchMaterials[0];
}

// Required size figure Wa^2 Ae / le, cm^5, of the smallest core that can carry
// the winding: 1e6 Ltarget Ipk^2 / (4 pi K^2 J^2 ui0 r), in 8-byte arithmetic,
// with Ltarget in mH per core, Ipk in A, J in A/cm^2 and r the allowed
// roll-off ratio. nullopt when it has no value (a zero divisor).
std::optional<double> RequiredSizeFigure(float Ltarget, float Ipk, float J, float r,
                                         const SearchMaterial& m);

}  // namespace tov
