#pragma once
// The values of one core row that a design run computes with.

#include <cstdint>

#include "state/core_table.h"
#include "state/numeric.h"

namespace tov {

// Working values read from a core row; a cell that cannot be read as a
// 4-byte number keeps the value the run held before (zero at the start).
struct CoreData {
  float ui = 0;           // Perm, initial permeability
  float AL = 0;           // mH per 1000 turns
  float le = 0;           // PathLen, cm
  float Ae = 0;           // CoreArea, cm^2
  float Wa = 0;           // WindowArea, cm^2
  float WindID = 0;       // toroid: winding ID, in; E-core: wound length of the set, in
  float WindOD = 0;       // toroid: winding OD, in; E-core: wound width of the set, in
  float WindHt = 0;       // toroid: winding height, in; E-core: mean length per turn, cm
  float SurfaceArea = 0;  // E-core: cooling surface, cm^2
};

// Reads the row's cells into `core`. The row must lie in the table. Inline:
// the automatic search reads every row it walks.
inline void ReadCoreData(CoreData& core, const CoreTable& cores, int16_t row) {
  const CoreRowNumbers& numbers = cores.Numbers(row);
  const auto read = [&](float& target, CoreColumn column) {
    Commit(target, numbers.Single(column));
  };
  read(core.ui, CoreColumn::Perm);
  read(core.AL, CoreColumn::AL);
  read(core.le, CoreColumn::PathLen);
  read(core.Ae, CoreColumn::CoreArea);
  read(core.Wa, CoreColumn::WindowArea);
  read(core.WindID, CoreColumn::WindID);
  read(core.WindOD, CoreColumn::WindOD);
  read(core.WindHt, CoreColumn::WindHt);
  read(core.SurfaceArea, CoreColumn::SurfaceArea);
}

}  // namespace tov
