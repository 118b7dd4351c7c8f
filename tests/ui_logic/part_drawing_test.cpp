// The part drawing read back from its SVG: the outside diameter, the layer
// count and the height equal hand-wound figures and what the window shows.

#include "ui/logic/part_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "state/core_table_loader.h"
#include "state/number_format.h"
#include "support/core_fixture.h"
#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/part_svg.h"

namespace tov {
namespace {

const CoreTable& Shipped() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  return *load.table;
}

// What the SVG says, read back from its elements' attributes.
struct ReadBack {
  int layers_attribute = -1;
  std::set<int> layers;  // distinct data-layer of class "layer"
  double outside = 0;    // largest outer diameter of a "layer" band
  double height = 0;     // tallest "layer" rectangle
  int wires = 0;         // "wire" circles
  std::vector<std::string> dimension_texts;
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
  std::istringstream lines(svg);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("class=\"wire\"") != std::string::npos) ++r.wires;
    if (line.find("<text") != std::string::npos && !r.dimension_texts.empty() &&
        r.dimension_texts.back().empty()) {
      std::regex_search(line, m, std::regex(">([^<]*)</text>"));
      r.dimension_texts.back() = m[1];
    }
    if (line.find("class=\"dimension\"") != std::string::npos) r.dimension_texts.emplace_back();
    if (line.find("class=\"layer\"") == std::string::npos) continue;
    r.layers.insert(static_cast<int>(Attribute(line, "data-layer")));
    if (line.rfind("<circle", 0) == 0) {
      r.outside = std::max(r.outside, 2 * Attribute(line, "r") + Attribute(line, "stroke-width"));
    } else {
      r.height = std::max(r.height, Attribute(line, "height"));
    }
  }
  return r;
}

// One wire of gauge 18 (0.0437 in) on a core wound from 0.5 in inside, 1.0 in
// outside, 0.4 in high. 30 turns lie in one layer (room for 32): OD 1.0 +
// 2 d (30 d / 1.0), height 0.4 + 2 d. 50 turns take 32 and 18 in two layers.
TEST(PartDrawingTest, ToroidReadBackEqualsHandWoundFigures) {
  struct Case {
    int16_t turns;
    bool metric;
    int layers;
    double outside_in, height_in;
  };
  const Case cases[] = {{30, false, 1, 1.1146, 0.4874},
                        {50, false, 2, 1.1835, 0.5748},
                        {50, true, 2, 1.1835, 0.5748}};
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
    EXPECT_EQ(back.wires, c.turns);
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
    DesignController form(Shipped(), ui);
    WindowModel& w = form.Model();
    ApplyStartupDefaults(w);
    w.material = s.material;
    w.state.stack_count = s.stack;
    w.state.metric = s.metric;
    w.dc_current.text = s.Idc;
    form.Calculate();
    ASSERT_TRUE(form.ShownDesign()) << s.Idc;
    const auto drawing = DrawPart(*form.ShownDesign(), Shipped(), s.metric);
    ASSERT_TRUE(drawing);
    const ReadBack back = Read(PartSvg(*drawing, "start-up"));

    // The dimension figures, joined as the window joins them.
    std::string joined;
    for (std::string text : back.dimension_texts) {
      text = text.substr(0, text.find(' '));
      joined += (joined.empty() ? "" : " x ") + text;
    }
    if (s.material == Material::VelmaxE) {
      EXPECT_EQ(joined, w.wound_dimensions.text);
      EXPECT_EQ(back.layers_attribute, 0);
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
  EXPECT_FALSE(DrawPart(outside, Shipped(), false));
  DesignResult unwound;  // a toroid whose wound size was never computed
  unwound.row = SectionOf(Material::Velmax).first_row;
  unwound.N = 20;
  unwound.d = 0.05f;
  EXPECT_FALSE(DrawPart(unwound, Shipped(), false));
}

}  // namespace
}  // namespace tov
