#include "ui/logic/part_svg.h"

#include <array>
#include <charconv>
#include <cmath>

#include "io/export_save.h"

namespace tov {
namespace {

struct RoleStyle {
  const char* name;
  const char* fill;
  const char* stroke;
};

// Indexed by PartRole.
constexpr std::array<RoleStyle, 7> kRoleStyles = {{
    {"core", "#8c8c8c", "#404040"},
    {"joint", "none", "#404040"},
    {"layer", "none", "#b86b25"},
    {"wire", "#d9822b", "#7a4210"},
    {"outline", "none", "#2b5797"},
    {"window", "#ffffff", "#404040"},
    {"fill", "#d9822b", "none"},
}};

const RoleStyle& Style(PartRole role) {
  return kRoleStyles[static_cast<std::size_t>(role)];
}

// Shortest text that reads back as the same double; 0 for a value that is not finite.
std::string Num(double value) {
  if (!std::isfinite(value)) value = 0;
  std::array<char, 32> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  return std::string(buffer.data(), end);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string LayerAttribute(int layer) {
  return layer < 0 ? std::string() : " data-layer=\"" + std::to_string(layer) + "\"";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& rest) {
  return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
         Num(y2) + "\"" + rest + "/>\n";
}

}  // namespace

std::string PartSvg(const PartDrawing& p, const std::string& title) {
  const char* unit = p.metric ? "mm" : "in";
  const double thin = p.text_size / 12;
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(p.width) + unit + "\" height=\"" +
       Num(p.height) + unit + "\" viewBox=\"0 0 " + Num(p.width) + " " + Num(p.height) + "\">\n";
  s += "<title>" + Escaped(title) + "</title>\n";
  s += "<g id=\"part\" data-units=\"" + std::string(unit) + "\" data-layers=\"" +
       std::to_string(p.layers) + "\" stroke-width=\"" + Num(thin) + "\">\n";
  for (const PartRing& r : p.rings) {
    const RoleStyle& st = Style(r.role);
    const std::string common = " class=\"" + std::string(st.name) + "\"" + LayerAttribute(r.layer) +
                               " cx=\"" + Num(r.cx) + "\" cy=\"" + Num(r.cy) + "\"";
    if (r.inner <= 0) {
      s += "<circle" + common + " r=\"" + Num(r.outer) + "\" fill=\"" + st.fill + "\" stroke=\"" +
           st.stroke + "\"/>\n";
    } else {
      // A band: a circle through its middle, stroked as wide as the band.
      const std::string colour = r.role == PartRole::Layer ? "#d9822b" : st.fill;
      s += "<circle" + common + " r=\"" + Num((r.inner + r.outer) / 2) + "\" stroke-width=\"" +
           Num(r.outer - r.inner) + "\" fill=\"none\" stroke=\"" + colour + "\"/>\n";
    }
  }
  for (const PartRect& r : p.rects) {
    const RoleStyle& st = Style(r.role);
    s += "<rect class=\"" + std::string(st.name) + "\"" + LayerAttribute(r.layer) + " x=\"" +
         Num(r.x) + "\" y=\"" + Num(r.y) + "\" width=\"" + Num(r.width) + "\" height=\"" +
         Num(r.height) + "\" fill=\"" + st.fill + "\" stroke=\"" + st.stroke + "\"/>\n";
  }
  for (const PartLine& l : p.lines) {
    s += Line(l.x1, l.y1, l.x2, l.y2,
              " class=\"" + std::string(Style(l.role).name) + "\" stroke=\"" +
                  Style(l.role).stroke + "\"");
  }
  for (const PartDimension& d : p.dimensions) {
    s += "<g class=\"dimension\" id=\"" + Escaped(d.name) + "\" stroke=\"#000000\">\n";
    s += Line(d.x1, d.y1, d.x2, d.y2, "");
    // Ticks across both ends.
    const bool across = d.y1 == d.y2;
    const double t = p.text_size / 2;
    for (const auto& [x, y] : {std::pair{d.x1, d.y1}, std::pair{d.x2, d.y2}}) {
      s += across ? Line(x, y - t, x, y + t, "") : Line(x - t, y, x + t, y, "");
    }
    const double tx = (d.x1 + d.x2) / 2 + (across ? 0 : t);
    const double ty = (d.y1 + d.y2) / 2 + (across ? -t / 2 : 0);
    s += "<text x=\"" + Num(tx) + "\" y=\"" + Num(ty) + "\" font-size=\"" + Num(p.text_size) +
         "\" stroke=\"none\" text-anchor=\"" + (across ? "middle" : "start") + "\">" +
         Escaped(d.text) + "</text>\n</g>\n";
  }
  for (const PartLabel& l : p.labels) {
    s += "<text x=\"" + Num(l.x) + "\" y=\"" + Num(l.y) + "\" font-size=\"" + Num(p.text_size) +
         "\" stroke=\"none\">" + Escaped(l.text) + "</text>\n";
  }
  s += "</g>\n</svg>\n";
  return s;
}

std::string SavePartSvg(const PartDrawing& drawing, const std::string& title,
                        const std::filesystem::path& file,
                        const std::filesystem::path& design_file) {
  return SaveExport(file, PartSvg(drawing, title), design_file);
}

}  // namespace tov
