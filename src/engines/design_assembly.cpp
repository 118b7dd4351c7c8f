#include "engines/design_assembly.h"

namespace tov {

DesignResult AssembleDesign(int16_t row, const MaterialInfo& material, int16_t stack_count,
                            float copper_factor, const RunInputs& in, const CoreData& core,
                            const TurnsSolution& turns, const Winding& wire, float fill,
                            const WindingHeat& heat) {
  DesignResult r;
  r.row = row;
  r.material = material.material;
  r.e_core = material.e_core;
  r.stack_count = stack_count;
  r.MatType = material.MatType;
  r.copper_factor = copper_factor;
  r.in = in;
  r.ui = core.ui;
  r.AL = core.AL;
  r.le = core.le;
  r.Ae = core.Ae;
  r.N = turns.N;
  r.G = wire.G;
  r.strands = wire.S;
  r.d = wire.d;
  r.H = turns.H;
  r.ue = turns.ue;
  r.Lfl = turns.Lfl;
  r.Lnl = turns.Lnl;
  r.fill = fill;
  r.ODw = heat.ODw;
  r.HTw = heat.HTw;
  r.length = heat.length;
  r.Rdc = heat.Rdc;
  r.Bac = heat.Bac;
  r.Pfe = heat.Pfe;
  r.Pcu = heat.Pcu;
  r.Ptot = heat.Ptot;
  r.As = heat.As;
  r.dT = heat.dT;
  return r;
}

}  // namespace tov
