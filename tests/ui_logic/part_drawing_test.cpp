// The part drawing read back from its SVG: the outside diameter, the layer
// count and the height equal hand-wound figures and what the window shows.

#include "ui/logic/part_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "state/number_format.h"
#include "support/core_fixture.h"
#include "support/random_designs.h"
#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/part_svg.h"

namespace tov {
namespace {

// What the SVG says, read back from its elements' attributes.
struct ReadBack {
  int layers_attribute = -1;
  std::set<int> layers;     // distinct data-layer of class "layer"
  double outside = 0;       // largest outer diameter of a "layer" band
  double height = 0;        // tallest "layer" rectangle
  int wires = 0;            // "wire" circles
  int wires_astray = 0;     // wires not within the inner band of their layer
  double hole = 1e300;      // smallest inner diameter of a "layer" band, seen from above
  double section_hole = 0;  // gap between the innermost "layer" rectangles of the section
  std::vector<std::string> dimension_texts;
  std::vector<double> dimension_lengths;
  std::vector<std::vector<double>> rects;  // x, y, width, height of every rectangle, in order
};

double Attribute(const std::string& element, const std::string& name) {
  const std::regex pattern(" " + name + "=\"([^\"]*)\"");
  std::smatch m;
  if (!std::regex_search(element, m, pattern)) return 0;
  return std::strtod(m[1].str().c_str(), nullptr);
}

ReadBack Read(const std::string& svg) {
  ReadBack r;
  std::smatch m;
  if (std::regex_search(svg, m, std::regex("data-layers=\"(\\d+)\""))) {
    r.layers_attribute = std::stoi(m[1]);
  }
  struct Circle {
    int layer;
    double cx, cy, r, width;
  };
  std::vector<Circle> bands, wires;
  std::vector<std::pair<double, double>> section;  // left and right edges of layer rectangles
  std::istringstream lines(svg);
  for (std::string line; std::getline(lines, line);) {
    const auto at = [&](const char* name) { return Attribute(line, name); };
    if (line.find("class=\"wire\"") != std::string::npos) {
      ++r.wires;
      wires.push_back({int(at("data-layer")), at("cx"), at("cy"), at("r"), 0});
    }
    if (line.rfind("<rect", 0) == 0)
      r.rects.push_back({at("x"), at("y"), at("width"), at("height")});
    if (line.rfind("<line", 0) == 0 && r.dimension_lengths.size() < r.dimension_texts.size()) {
      r.dimension_lengths.push_back(std::hypot(at("x2") - at("x1"), at("y2") - at("y1")));
    }
    if (line.find("<text") != std::string::npos && !r.dimension_texts.empty() &&
        r.dimension_texts.back().empty()) {
      std::regex_search(line, m, std::regex(">([^<]*)</text>"));
      r.dimension_texts.back() = m[1];
    }
    if (line.find("class=\"dimension\"") != std::string::npos) r.dimension_texts.emplace_back();
    if (line.find("class=\"layer\"") == std::string::npos) continue;
    r.layers.insert(static_cast<int>(Attribute(line, "data-layer")));
    if (line.rfind("<circle", 0) == 0) {
      bands.push_back({int(at("data-layer")), at("cx"), at("cy"), at("r"), at("stroke-width")});
      r.outside = std::max(r.outside, 2 * at("r") + at("stroke-width"));
      r.hole = std::min(r.hole, 2 * at("r") - at("stroke-width"));
    } else {
      r.height = std::max(r.height, at("height"));
      section.emplace_back(at("x"), at("x") + at("width"));
    }
  }
  for (const Circle& w : wires) {
    // The inner band of a layer is its smaller circle.
    double inner = 1e300, outer = 0;
    for (const Circle& b : bands) {
      if (b.layer == w.layer && b.r - b.width / 2 < inner) {
        inner = b.r - b.width / 2, outer = b.r + b.width / 2;
      }
    }
    const double from_centre = std::hypot(w.cx - bands[0].cx, w.cy - bands[0].cy);
    const double eps = 1e-9;
    r.wires_astray += from_centre - w.r < inner - eps || from_centre + w.r > outer + eps;
  }
  if (!section.empty()) {
    double left = 1e300, right = -1e300;
    for (const auto& [a, b] : section) left = std::min(left, a), right = std::max(right, b);
    const double centre = (left + right) / 2;
    double hole_left = -1e300, hole_right = 1e300;
    for (const auto& [a, b] : section) {
      if (b < centre) hole_left = std::max(hole_left, b);
      if (a > centre) hole_right = std::min(hole_right, a);
    }
    r.section_hole = hole_right - hole_left;
  }
  return r;
}

// One wire of gauge 18 (0.0437 in) on a core wound from 0.5 in inside, 1.0 in
// outside, 0.4 in high. 30 turns lie in one layer (room for 32): OD 1.0 +
// 2 d (30 d / 1.0), height 0.4 + 2 d, the hole 0.5 - 2 d. 50 turns take 32
// and 18 in two layers; the hole is 0.5 - 4 d.
TEST(PartDrawingTest, ToroidReadBackEqualsHandWoundFigures) {
  struct Case {
    int16_t turns;
    bool metric;
    int layers;
    double outside_in, height_in, hole_in;
  };
  const Case cases[] = {{30, false, 1, 1.1146, 0.4874, 0.4126},
                        {50, false, 2, 1.1835, 0.5748, 0.3252},
                        {50, true, 2, 1.1835, 0.5748, 0.3252}};
  CoreTable cores = testing::EmptyCoreTable();
  testing::FixtureCore core;
  core.WindID = 0.5, core.WindOD = 1.0, core.WindHt = 0.4;
  const int16_t row = SectionOf(Material::Velmax).first_row;
  testing::PutCore(cores, row, core);
  for (const Case& c : cases) {
    DesignResult r;
    r.row = row;
    r.N = c.turns;
    r.G = 18;
    r.d = 0.0437f;
    r.ODw = static_cast<float>(c.outside_in);
    r.HTw = static_cast<float>(c.height_in);
    const auto drawing = DrawPart(r, cores, c.metric);
    ASSERT_TRUE(drawing) << c.turns;
    const ReadBack back = Read(PartSvg(*drawing, "T"));
    const double unit = c.metric ? 25.4 : 1.0;
    EXPECT_EQ(back.layers_attribute, c.layers) << c.turns;
    EXPECT_EQ(back.layers.size(), static_cast<std::size_t>(c.layers)) << c.turns;
    EXPECT_NEAR(back.outside, unit * c.outside_in, unit * 1e-4) << c.turns;
    EXPECT_NEAR(back.height, unit * c.height_in, unit * 1e-4) << c.turns;
    EXPECT_NEAR(back.hole, unit * c.hole_in, unit * 1e-6) << c.turns;
    EXPECT_NEAR(back.section_hole, unit * c.hole_in, unit * 1e-6) << c.turns;
    EXPECT_EQ(back.wires, c.turns);
    EXPECT_EQ(back.wires_astray, 0) << c.turns;
  }
}

// The start-up design, and others: the drawing's figures are the window's.
TEST(PartDrawingTest, DesignsReadBackAsTheWindowShowsThem) {
  struct Setting {
    Material material;
    int16_t stack;
    bool metric;
    const char* Idc;
  };
  const Setting settings[] = {
      {Material::Velmax, 1, false, "10"},  {Material::Velmax, 1, true, "10"},
      {Material::MPP, 3, false, "4"},      {Material::HF, 2, true, "25"},
      {Material::VelmaxE, 1, false, "10"}, {Material::VelmaxE, 1, true, "6"}};
  for (const Setting& s : settings) {
    testing::ScriptedUi ui;
    DesignController form(testing::ShippedCores(), ui);
    WindowModel& w = form.Model();
    ApplyStartupDefaults(w);
    w.material = s.material;
    w.state.stack_count = s.stack;
    w.state.metric = s.metric;
    w.dc_current.text = s.Idc;
    form.Calculate();
    ASSERT_TRUE(form.ShownDesign()) << s.Idc;
    const auto drawing = DrawPart(*form.ShownDesign(), testing::ShippedCores(), s.metric);
    ASSERT_TRUE(drawing);
    const ReadBack back = Read(PartSvg(*drawing, "start-up"));

    // Each dimension line is as long as its figure says.
    ASSERT_EQ(back.dimension_lengths.size(), back.dimension_texts.size());
    for (std::size_t i = 0; i < back.dimension_texts.size(); ++i) {
      // Within half a unit of the figure's last digit.
      const std::string& text = back.dimension_texts[i];
      const auto decimals = static_cast<int>(text.find(' ') - text.find('.') - 1);
      EXPECT_NEAR(back.dimension_lengths[i], std::strtod(text.c_str(), nullptr),
                  0.5 * std::pow(10.0, -decimals) + 1e-9)
          << text;
    }
    // The dimension figures, joined as the window joins them.
    std::string joined;
    for (std::string text : back.dimension_texts) {
      text = text.substr(0, text.find(' '));
      joined += (joined.empty() ? "" : " x ") + text;
    }
    if (s.material == Material::VelmaxE) {
      EXPECT_EQ(joined, w.wound_dimensions.text);
      EXPECT_EQ(back.layers_attribute, 0);
      // Seen from above the core set sits in the middle of its wound outline;
      // the window is filled from below by the winding factor.
      ASSERT_EQ(back.rects.size(), 5u);
      const auto middle = [](const std::vector<double>& q) {
        return std::pair{q[0] + q[2] / 2, q[1] + q[3] / 2};
      };
      EXPECT_NEAR(middle(back.rects[0]).first, middle(back.rects[1]).first, 1e-9);
      EXPECT_NEAR(middle(back.rects[0]).second, middle(back.rects[1]).second, 1e-9);
      const std::vector<double>&window = back.rects[3], &fill = back.rects[4];
      EXPECT_NEAR(fill[3] / window[3], form.ShownDesign()->fill, 1e-6);
      EXPECT_NEAR(fill[1] + fill[3], window[1] + window[3], 1e-9);
      continue;
    }
    EXPECT_EQ(joined, w.wound_dimensions.text);
    const std::string_view pattern = s.metric ? "##0.0" : "0.000";
    EXPECT_EQ(*FormatNumber(back.outside, pattern) + " x " + *FormatNumber(back.height, pattern),
              w.wound_dimensions.text);
    EXPECT_GE(back.layers_attribute, 1);
    EXPECT_EQ(back.layers.size(), static_cast<std::size_t>(back.layers_attribute));
    const DesignResult& r = *form.ShownDesign();
    EXPECT_EQ(back.wires, r.N * r.strands);
  }
}

TEST(PartDrawingTest, NothingToDrawWithoutACoreOrAWinding) {
  DesignResult outside;
  outside.row = 0;
  EXPECT_FALSE(DrawPart(outside, testing::ShippedCores(), false));
  DesignResult unwound;  // a toroid whose wound size was never computed
  unwound.row = SectionOf(Material::Velmax).first_row;
  unwound.N = 20;
  unwound.d = 0.05f;
  EXPECT_FALSE(DrawPart(unwound, testing::ShippedCores(), false));
}

}  // namespace
}  // namespace tov
