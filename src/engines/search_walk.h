#pragma once
// The automatic search's walk through a material's rows, one step at a time:
// what Calculate runs, and what a comparison of every row reuses so that it
// judges each row exactly as the search does.

#include <cstdint>

#include "engines/core_data.h"
#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "engines/winding_heat.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"
#include "state/core_table.h"

namespace tov {

// The four tests a row must pass, with the values they compare.
struct RowTests {
  float fill = 0, fill_limit = 0;  // passes while fill < fill_limit (1.2 K)
  float Lfl = 0, Ltarget = 0;      // mH per core; passes while Lfl > Ltarget
  float Lnl = 0, Lmax = 0;         // mH per core; passes while Lnl < Lmax
  float ID = 0, IDreq = 0;         // in; passes while ID > IDreq (0 without single layer)
  bool FillPasses() const { return fill_limit > fill; }
  bool FullLoadPasses() const { return Lfl > Ltarget; }
  bool NoLoadPasses() const { return Lnl < Lmax; }
  bool SingleLayerPasses() const { return ID > IDreq; }
  bool Pass() const {
    return FillPasses() && FullLoadPasses() && NoLoadPasses() && SingleLayerPasses();
  }
};

class SearchWalk {
 public:
  // Prepares the walk: takes back the options E-cores cannot have, reads the
  // inputs, sizes the wire once (six strands and the density they reach when
  // more would be needed) and finds the start row.
  SearchWalk(const DesignRequest& request, const CoreTable& cores);

  const Notices& notices() const { return notices_; }
  Notices& notices() { return notices_; }
  const RunEffects& effects() const { return effects_; }
  RunEffects& effects() { return effects_; }
  const RunInputs& inputs() const { return in_; }
  const MaterialInfo& material() const { return material_; }
  const Winding& wire() const { return wire_; }

  // The first row whose size figure reaches the required one; the section's
  // end row at the latest.
  int16_t StartRow() const { return start_row_; }
  // Whether the row ends the walk: the section's end row, or a row whose
  // size figure marks one.
  bool IsEndRow(int16_t row) const;

  // Turns, inductances and window fill of the row, and its tests. Values a
  // step cannot compute stay those of the row evaluated before.
  RowTests Evaluate(int16_t row);
  // Losses and temperature rise of the row evaluated last. False when its
  // toroid build-up fills the hole before every turn is placed.
  bool WindAndHeat();
  const WindingHeat& heat() const { return carried_.heat; }
  // The losses and temperature rise WindAndHeat would find for the row
  // evaluated last, leaving the walk's values as they are.
  WindingHeat HeatOfLastRow() const;

  // Forgets every value carried from earlier rows: the next row evaluated
  // starts from zero, as the first row of a fresh walk.
  void Restart();

  // The design on the row evaluated last, after WindAndHeat.
  DesignResult Result(int16_t row) const { return Result(row, carried_.heat); }
  // The same with the losses and temperature rise `heat`.
  DesignResult Result(int16_t row, const WindingHeat& heat) const;

 private:
  const CoreTable& cores_;
  const MaterialInfo& material_;
  DesignRequest request_;
  Notices notices_;
  RunEffects effects_;
  RunInputs in_;
  float r_ = 0;  // allowed roll-off ratio
  Winding wire_;
  int16_t start_row_ = 0;

  // Working values carried from row to row.
  struct Carried {
    CoreData core;
    TurnsSolution turns;
    float IDreq = 0;  // in, inner diameter a single layer needs
    float ID = 0;     // in, the row's inner diameter
    float fill = 0;
    WindingHeat heat;
  };
  Carried carried_;

  HeatInputs HeatInputsOfLastRow() const;
};

}  // namespace tov
