#include "engines/winding_heat.h"

#include "models/core_loss.h"
#include "models/winding_build.h"
#include "models/wire_gauge.h"
#include "state/numeric.h"

namespace tov {
namespace {

std::optional<float> StrandBundleResistance(int16_t G, int16_t S) {
  const auto per_wire = WireRes(G);
  if (!per_wire || S == 0) return std::nullopt;
  return ToSingle(*per_wire / S);
}

}  // namespace

HeatInputs HeatInputsOf(const MaterialInfo& material, const TurnsSolution& turns,
                        const Winding& wire, const RunInputs& in, int16_t stack_count,
                        float copper_factor) {
  return {.MatType = material.MatType,
          .e_core = material.e_core,
          .N = turns.N,
          .ue = turns.ue,
          .G = wire.G,
          .S = wire.S,
          .d = wire.d,
          .dI = in.dI,
          .f = in.f,
          .Iw = in.Iw,
          .stack_count = stack_count,
          .copper_factor = copper_factor};
}

void WindAndHeat(WindingHeat& heat, const HeatInputs& in, const CoreData& core) {
  heat.fits = true;
  Commit(heat.Bac, AcFluxDensity(in.ue, in.N, in.dI, core.le));
  if (const auto Pfe =
          CoreLoss(in.MatType, core.ui, in.f, heat.Bac, core.le, core.Ae, in.stack_count)) {
    Commit(heat.Pfe, ToSingle(*Pfe));
  }
  Commit(heat.Rprime, StrandBundleResistance(in.G, in.S));

  if (in.e_core) {
    if (const auto length = BobbinWireLength(in.N, core.WindHt)) {
      Commit(heat.length, ToSingle(*length));
      Commit(heat.Rdc, WindingResistance(*length, heat.Rprime, in.copper_factor));
    }
    heat.As = core.SurfaceArea;
  } else {
    const ToroidBuild build =
        WindToroid(in.N, in.S, in.d, core.WindID, core.WindOD, core.WindHt, in.stack_count);
    heat.fits = build.fits;
    heat.wires_placed = build.placed;
    if (!build.fits) return;
    heat.length = build.length;
    heat.ODw = build.ODw;
    heat.HTw = build.HTw;
    Commit(heat.Rdc, WindingResistance(heat.length, heat.Rprime, in.copper_factor));
    Commit(heat.As, ToroidSurface(heat.ODw, heat.HTw));
  }

  Commit(heat.Pcu, CopperLoss(heat.Rdc, in.Iw));
  Commit(heat.Ptot, ToSingle(static_cast<double>(heat.Pfe) + static_cast<double>(heat.Pcu)));
  Commit(heat.dT, TempRise(heat.Ptot, heat.As));
}

}  // namespace tov
