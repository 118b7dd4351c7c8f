// Tools > Converter...: the fields read into a converter whose figures go
// into the design inputs; a field that is wrong is named.

#include "ui/logic/converter_form.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tov {
namespace {

TEST(ConverterForm, StartUpBuckFillsTheDesignInputs) {
  const ConverterFormResult result = ReadConverterForm({});
  ASSERT_TRUE(result.design) << result.error;
  WindowModel window;
  FillDesignInputs(window, *result.request, *result.design);
  // 36..60 V to 12 V at 10 A, 30 %: 10 A, the 3 A of the 60 V corner, 32 uH.
  EXPECT_EQ(std::tuple(window.dc_current.text, window.ripple_current.text, window.frequency.text,
                       window.full_load_l.text, window.no_load_l.text, window.current_density.text),
            std::tuple("10", "3", "100", "32", "64", WindowModel{}.current_density.text));
  EXPECT_TRUE(window.inputs_changed);
  const std::string figures = ConverterFigures(*result.request, *result.design);
  EXPECT_NE(figures.find("60 V: duty 0.2000, 10 A, ripple 3 A, peak 11.5 A"), std::string::npos)
      << figures;
  EXPECT_NE(figures.find("Choke: 10 A DC, 3 A ripple (at 60 V), 32 uH, 11.5 A peak"),
            std::string::npos)
      << figures;
}

TEST(ConverterForm, OtherTopologiesAndAGivenInductance) {
  ConverterFormTexts pfc;
  pfc.topology = Topology::PfcBoost;
  std::tie(pfc.vout, pfc.fsw, pfc.ripple_percent, pfc.efficiency) =
      std::tuple("400", "65", "20", "0.95");
  pfc.vin = pfc.iout = "not used";
  const ConverterFormResult p = ReadConverterForm(pfc);
  ASSERT_TRUE(p.design) << p.error;
  EXPECT_NEAR(p.design->inductance_uh, 979.07, 0.01);
  ConverterFormTexts given;
  given.ripple_percent = "";
  given.inductance_uh = "48";
  const ConverterFormResult g = ReadConverterForm(given);
  ASSERT_TRUE(g.design) << g.error;
  EXPECT_NEAR(g.design->ripple_pp, 2.0, 1e-12);  // 96 uVs / 48 uH
}

TEST(ConverterForm, NamesTheFieldThatIsWrong) {
  struct Case {
    const char* name;
    ConverterFormTexts texts;
    const char* error;
  };
  const auto with = [](auto change) {
    ConverterFormTexts t;
    change(t);
    return t;
  };
  const Case cases[] = {
      {"input", with([](ConverterFormTexts& t) { t.vin = "36-60"; }), "Input voltage takes"},
      {"output", with([](ConverterFormTexts& t) { t.vout = ""; }), "Output voltage is not"},
      {"current", with([](ConverterFormTexts& t) { t.iout = "x"; }), "Output current is not"},
      {"frequency", with([](ConverterFormTexts& t) { t.fsw = "?"; }), "Switching frequency"},
      {"efficiency", with([](ConverterFormTexts& t) { t.efficiency = "high"; }), "Efficiency"},
      {"goal", with([](ConverterFormTexts& t) { t.ripple_percent = "%"; }), "Ripple goal"},
      {"inductance", with([](ConverterFormTexts& t) { t.ripple_percent = ""; }), "Inductance"},
      {"buck above its input", with([](ConverterFormTexts& t) { t.vout = "40"; }),
       "40 V out needs more than 36 V in"},
      {"line", with([](ConverterFormTexts& t) {
         t.topology = Topology::PfcBoost;
         t.vac = "ninety";
       }),
       "Line voltage takes"},
  };
  for (const Case& c : cases) {
    const ConverterFormResult r = ReadConverterForm(c.texts);
    EXPECT_FALSE(r.design) << c.name;
    EXPECT_NE(r.error.find(c.error), std::string::npos) << c.name << ": " << r.error;
  }
}

}  // namespace
}  // namespace tov
