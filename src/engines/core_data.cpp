#include "engines/core_data.h"

#include "state/numeric.h"

namespace tov {

void ReadCoreData(CoreData& core, const CoreTable& cores, int16_t row) {
  const auto read = [&](float& target, CoreColumn column) {
    Commit(target, cores.Cell(row, column).AsSingle());
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
