#include "ui/logic/part_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engines/header_choice.h"
#include "models/winding_build.h"
#include "state/constants.h"
#include "state/number_format.h"

namespace tov {
namespace {

// Wires drawn one by one up to this many; past it the layers show as bands.
constexpr int kMostWiresDrawn = 4000;

std::string Figure(double value, bool metric, std::string_view inch_pattern) {
  return FormatNumber(value, metric ? "##0.0" : inch_pattern).value_or("");
}

std::string Unit(bool metric) {
  return metric ? " mm" : " in";
}

struct Toroid {
  float wind_id = 0, wind_od = 0, wind_ht = 0;
};

// False, with nothing drawn, when the winding does not fit.
bool DrawToroid(PartDrawing& p, const DesignResult& r, const Toroid& core, double u,
                const std::string& part_number, const std::string& header) {
  std::vector<ToroidLayer> layers;
  const ToroidBuild build = WindToroid(r.N, r.strands, r.d, core.wind_id, core.wind_od,
                                       core.wind_ht, r.stack_count, &layers);
  if (!build.fits) return false;
  p.layers = static_cast<int>(layers.size());
  const double d = u * r.d;
  const double od = u * build.ODw;
  const double ht = u * build.HTw;
  const double margin = 0.2 * od;
  p.text_size = 0.06 * od;

  // Seen from above.
  const double R = od / 2;
  const double cx = margin + R, cy = margin + R;
  p.rings.push_back({cx, cy, u * core.wind_id / 2, u * core.wind_od / 2, PartRole::Core, -1});
  int wires_drawn = 0;
  const bool each_wire = int32_t{r.N} * r.strands <= kMostWiresDrawn && d > 0;
  for (std::size_t k = 0; k < layers.size(); ++k) {
    const ToroidLayer& l = layers[k];
    const double inner = u * l.id / 2;
    const double outer = u * l.od / 2;
    const double next_outer = k + 1 < layers.size() ? u * layers[k + 1].od / 2 : R;
    const int layer = static_cast<int>(k);
    p.rings.push_back({cx, cy, inner - d, inner, PartRole::Layer, layer});
    p.rings.push_back({cx, cy, outer, next_outer, PartRole::Layer, layer});
    if (!each_wire) continue;
    // Side by side along the inner circumference, a wire's width apart.
    const double radius = inner - d / 2;
    const double step = radius > 0 ? d / radius : 0;
    for (int32_t w = 0; w < l.wires; ++w, ++wires_drawn) {
      const double angle = -std::numbers::pi / 2 + w * step;
      p.rings.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle), 0, d / 2,
                         PartRole::Wire, layer});
    }
  }
  const double below = cy + R + margin / 2;
  p.dimensions.push_back(
      {"wound_od", cx - R, below, cx + R, below, Figure(od, p.metric, "0.000") + Unit(p.metric)});

  // In section through the axis: the core's cross-section on both sides.
  const double sx = cx + R + margin * 1.5 + R;
  const double core_ht = u * core.wind_ht * r.stack_count;
  for (int side : {-1, 1}) {
    const auto radial = [&](double a, double b) {
      return side > 0 ? std::pair{sx + a, b - a} : std::pair{sx - b, b - a};
    };
    const auto [x, w] = radial(u * core.wind_id / 2, u * core.wind_od / 2);
    p.rects.push_back({x, cy - core_ht / 2, w, core_ht, PartRole::Core, -1});
    for (int s = 1; s < r.stack_count; ++s) {
      const double y = cy - core_ht / 2 + core_ht * s / r.stack_count;
      p.lines.push_back({x, y, x + w, y, PartRole::Joint});
    }
    for (std::size_t k = 0; k < layers.size(); ++k) {
      const ToroidLayer& l = layers[k];
      const double next_outer = k + 1 < layers.size() ? u * layers[k + 1].od / 2 : R;
      const double half = u * l.ht / 2 + d;
      const auto [lx, lw] = radial(u * l.id / 2 - d, next_outer);
      p.rects.push_back({lx, cy - half, lw, 2 * half, PartRole::Layer, static_cast<int>(k)});
    }
  }
  const double beside = sx + R + margin / 2;
  p.dimensions.push_back({"wound_height", beside, cy - ht / 2, beside, cy + ht / 2,
                          Figure(ht, p.metric, "0.000") + Unit(p.metric)});

  p.width = beside + margin;
  double y = below + margin / 2 + p.text_size * 1.5;
  const auto label = [&](std::string text) {
    p.labels.push_back({margin / 2, y, std::move(text)});
    y += p.text_size * 1.5;
  };
  std::string stack = r.stack_count > 1 ? "(" + std::to_string(r.stack_count) + "x)" : "";
  label(stack + part_number + ": " + std::to_string(r.N) + " turns" +
        (r.strands > 1 ? " of " + std::to_string(r.strands) + " strands" : "") + " of AWG " +
        std::to_string(r.G) + " (" + Figure(d, p.metric, "0.0000") + Unit(p.metric) + ") in " +
        std::to_string(p.layers) + (p.layers == 1 ? " layer" : " layers"));
  label("Header: " + header);
  p.height = y;
  return true;
}

// As the table holds them (8 bytes), as the window shows them.
struct ECore {
  double wound_length = 0, wound_width = 0;  // in
  double core_length = 0, core_width = 0;    // in
  double bobbin_ht = 0;                      // in
  double Wa = 0;                             // cm^2
};

// Seen from above (the core set inside its wound outline), from the side (the
// bobbin's height) and the winding window with the share the copper fills.
// The data give the window's area, not its shape: it is drawn as a square.
void DrawECore(PartDrawing& p, const DesignResult& r, const ECore& e, double u,
               const std::string& part_number, const std::string& bobbin) {
  const double length = u * std::max(e.wound_length, e.core_length);
  const double width = u * std::max(e.wound_width, e.core_width);
  const double height = u * e.bobbin_ht;
  const double margin = 0.2 * std::max(length, width);
  p.text_size = 0.06 * std::max(length, width);

  const double cx = margin + length / 2, cy = margin + width / 2;
  const auto centred = [](double x, double y, double w, double h, PartRole role) {
    return PartRect{x - w / 2, y - h / 2, w, h, role, -1};
  };
  p.rects.push_back(centred(cx, cy, u * e.wound_length, u * e.wound_width, PartRole::Outline));
  p.rects.push_back(centred(cx, cy, u * e.core_length, u * e.core_width, PartRole::Core));
  const double below = cy + width / 2 + margin / 2;
  const double wl = u * e.wound_length, ww = u * e.wound_width;
  p.dimensions.push_back({"wound_length", cx - wl / 2, below, cx + wl / 2, below,
                          Figure(wl, p.metric, "0.00") + Unit(p.metric)});
  const double right = cx + length / 2 + margin / 2;
  p.dimensions.push_back({"wound_width", right, cy - ww / 2, right, cy + ww / 2,
                          Figure(ww, p.metric, "0.00") + Unit(p.metric)});

  // From the side: the wound set on its bobbin.
  const double sx = right + margin + wl / 2;
  p.rects.push_back(centred(sx, cy, wl, height, PartRole::Outline));
  const double beside = sx + wl / 2 + margin / 2;
  p.dimensions.push_back({"wound_height", beside, cy - height / 2, beside, cy + height / 2,
                          Figure(height, p.metric, "0.00") + Unit(p.metric)});

  // The window, a square of its area, filled from the bottom.
  const double side = u * std::sqrt(e.Wa) / kCmPerInch;
  const double wx = beside + margin;
  p.rects.push_back({wx, cy - side / 2, side, side, PartRole::Window, -1});
  const double filled = side * std::clamp(double{r.fill}, 0.0, 1.0);
  p.rects.push_back({wx, cy + side / 2 - filled, side, filled, PartRole::Fill, -1});

  p.width = wx + side + margin;
  double y = below + margin / 2 + p.text_size * 1.5;
  const auto label = [&](std::string text) {
    p.labels.push_back({margin / 2, y, std::move(text)});
    y += p.text_size * 1.5;
  };
  label(part_number + ": " + std::to_string(r.N) + " turns of " +
        (r.strands > 1 ? std::to_string(r.strands) + " x " : std::string()) + "AWG " +
        std::to_string(r.G) + ", window " + Figure(e.Wa, false, "0.000") + " cm\u00B2 filled " +
        Figure(r.fill, false, "0.00"));
  label("Bobbin: " + bobbin);
  p.height = std::max(y, cy + std::max(width, side) / 2 + margin);
}

}  // namespace

std::optional<PartDrawing> DrawPart(const DesignResult& r, const CoreTable& cores, bool metric) {
  if (!CoreTable::IsRow(r.row)) return std::nullopt;
  const CoreRowNumbers& row = cores.Numbers(r.row);
  const auto single = [&](CoreColumn column) { return row.Single(column); };
  const auto wind_id = single(CoreColumn::WindID);
  const auto wind_od = single(CoreColumn::WindOD);
  const auto wind_ht = single(CoreColumn::WindHt);
  if (!wind_id || !wind_od || !wind_ht) return std::nullopt;
  PartDrawing p;
  p.metric = metric;
  const double u = metric ? kMmPerInch : 1.0;
  const std::string part_number = cores.PartNumber(r.row, r.e_core);

  if (!r.e_core) {
    if (!(*wind_od > *wind_id && *wind_id > 0 && *wind_ht > 0 && r.ODw > 0 && r.HTw > 0)) {
      return std::nullopt;
    }
    if (!DrawToroid(p, r, {*wind_id, *wind_od, *wind_ht}, u, part_number,
                    ChooseHeader(r.ODw, r.HTw))) {
      return std::nullopt;
    }
    return p;
  }

  const auto number = [&](CoreColumn column) { return row.Number(column); };
  const auto wound_length = number(CoreColumn::WindID);
  const auto wound_width = number(CoreColumn::WindOD);
  const auto core_length = number(CoreColumn::NomID);
  const auto core_width = number(CoreColumn::NomOD);
  const auto bobbin_ht = number(CoreColumn::NomHt);
  const auto Wa = number(CoreColumn::WindowArea);
  if (!wound_length || !wound_width || !core_length || !core_width || !bobbin_ht || !Wa)
    return std::nullopt;
  if (!(*wound_length > 0 && *wound_width > 0 && *core_length > 0 && *core_width > 0 &&
        *bobbin_ht > 0 && *Wa > 0)) {
    return std::nullopt;
  }
  DrawECore(p, r, {*wound_length, *wound_width, *core_length, *core_width, *bobbin_ht, *Wa}, u,
            part_number, cores.Display(r.row, CoreColumn::BobbinPN));
  return p;
}

}  // namespace tov
