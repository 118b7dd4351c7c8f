// The exported SPICE model run in ngspice: a slow current ramp shows the
// design's inductance at no load, at full load and at 150 % of the peak
// current; a DC current its resistance; a triangular ripple the core loss of
// its loss resistor. Skipped where ngspice is not installed.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engines/spice_model.h"
#include "io/spice_netlist.h"
#include "support/random_designs.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

std::string N(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// Runs ngspice in batch mode on the deck (the model's subcircuits first, then
// the deck's lines) in a temporary folder; the ".meas" results by name.
std::map<std::string, double> Simulate(const std::string& models, const std::string& deck) {
  std::string pattern = (fs::temp_directory_path() / "tov_spice_XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  std::ofstream(dir / "deck.cir") << "* SPICE model check\n" << models << deck << ".end\n";
  std::map<std::string, double> measured;
  FILE* pipe =
      popen(("timeout 300 ngspice -b '" + (dir / "deck.cir").string() + "' 2>&1").c_str(), "r");
  const std::regex line(R"(^(\w+)\s+=\s+([-+]?[0-9.]+e[-+][0-9]+))");
  std::cmatch m;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
    if (std::regex_search(buffer, m, line)) measured[m[1]] = std::stod(m[2]);
  }
  if (pipe) pclose(pipe);
  fs::remove_all(dir);
  return measured;
}

bool NoNgspice() {
  return std::system("command -v ngspice >/dev/null 2>&1") != 0;
}

// Every material on one core with both reference requests, the toroids on
// three cores with the heavier; and among random designs the one closest to
// its no-load ceiling.
TEST(SpiceSimulation, NgspiceFindsTheDesignsInductanceResistanceAndCoreLoss) {
  if (NoNgspice()) GTEST_SKIP() << "no ngspice";
  std::vector<DesignResult> designs;
  for (const Material material : kMaterials) {
    for (const auto& [stack, light] : {std::pair{1, false}, {1, true}, {3, false}}) {
      if (stack == 1 || material != Material::VelmaxE) {
        const DesignRequest r = testing::ReferenceRequest(material, int16_t(stack), light);
        designs.push_back(SearchCores(r, testing::ShippedCores()).design.value());
      }
    }
  }
  designs.push_back(testing::NearestItsCeiling(testing::RandomDesigns()));
  for (const DesignResult& d : designs) {
    SCOPED_TRACE("row " + std::to_string(d.row));
    const std::optional<SpiceModel> model = BuildSpiceModel(d);
    ASSERT_TRUE(model && model->Rloss && d.Rdc > 0);
    SpiceModel lossless = *model;
    lossless.Rloss.reset();

    // In one transient of ten ripple periods: a DC current, a ramp from -0.5
    // to 1.6 times the peak current, and the triangular ripple.
    const double Ipk = d.in.Ipk, Idc = d.in.Idc, dI = d.in.dI, Rdc = d.Rdc;
    const double period = 1e-3 / d.in.f, T = 10 * period, slope = 2.1 * Ipk / T;
    std::string ripple = "0 " + N(Idc);
    for (int p = 0; p < 10; ++p) {
      ripple += " " + N((p + 0.25) * period) + " " + N(Idc + dI / 2) + " " +
                N((p + 0.75) * period) + " " + N(Idc - dI / 2) + " " + N((p + 1) * period) + " " +
                N(Idc);
    }
    std::ostringstream deck;
    deck << "IA 0 a DC " << N(Idc) << "\nXA a 0 CHOKE\n"
         << "IB 0 b PWL(0 " << N(-0.5 * Ipk) << " " << N(T) << " " << N(1.6 * Ipk) << ")\n"
         << "VB b b2 0\nXB b2 0 CHOKE_NL\n"
         << "IC 0 c PWL(" << ripple << ")\nXC c 0 CHOKE\n"
         << ".options method=gear\n"
         << ".tran " << N(T / 4000) << " " << N(T) << " 0 " << N(T / 4000) << "\n"
         << ".meas tran rdc find par('v(a)/" << N(Idc) << "') at=" << N(T / 2) << "\n";
    const std::pair<const char*, double> points[] = {{"l0", 0}, {"lpk", Ipk}, {"l150", 1.5 * Ipk}};
    for (const auto& [name, current] : points) {
      deck << ".meas tran " << name << " find par('(v(b2)-" << N(Rdc) << "*i(VB))/" << N(slope)
           << "') at=" << N((current + 0.5 * Ipk) / slope) << "\n";
    }
    deck << ".meas tran ploss avg par('v(xc.b)*v(xc.b)/" << N(*model->Rloss)
         << "') from=" << N(2 * period) << " to=" << N(T) << "\n";

    const std::map<std::string, double> got = Simulate(
        SpiceNetlist(*model, {"CHOKE", {}, {}}) + SpiceNetlist(lossless, {"CHOKE_NL", {}, {}}),
        deck.str());
    ASSERT_EQ(got.size(), 5u);
    for (const auto& [name, current] : points) {
      // The program's curve; past where the model leaves it, the value the
      // model holds there.
      const bool on_curve = !model->leaves_curve_at || current < *model->leaves_curve_at;
      const double L = on_curve ? *StackInductance(d, current) : ModelInductance(*model, current);
      EXPECT_NEAR(got.at(name) / L, 1, 0.02) << name;
    }
    EXPECT_NEAR(got.at("rdc") / Rdc, 1, 0.01);
    EXPECT_NEAR(got.at("ploss") / (d.Pfe * 1e-3), 1, 0.10);
  }
}

// A hard start-up: the input of a buck at duty 0.5 for the design's ripple
// across a Velmax choke picked far past its roll-off, for five switching
// periods. Whatever the curve does, the flux linkage is at least the air-core
// inductance times the current, so the current stays below V t / L_air
// (held at the last tabulated inductance, 1/140 of that, it ran far past).
// Without its resistances, which would hold the current below V / R_DC
// whatever the inductance: the bound is then the inductance's alone.
TEST(SpiceSimulation, HardStartUpOfARolledOffVelmaxChokeIsBoundedByTheAirCore) {
  if (NoNgspice()) GTEST_SKIP() << "no ngspice";
  const DesignRequest r{1.064, 0.512, 246.03, 722,  2683, 6347.31, 70.8, Material::Velmax,
                        1,     1,     true,   false};
  const std::optional<DesignResult> d = DesignOnCore(r, testing::ShippedCores(), 411).design;
  ASSERT_TRUE(d);
  const std::optional<SpiceModel> model = BuildSpiceModel(*d);
  ASSERT_TRUE(model && model->leaves_curve_at);
  const double L_air = 4 * 3.14e-7 * d->N * d->N * d->Ae * 1e-4 / (d->le * 1e-2);
  const double vin = 4 * r.ripple_a * (r.full_load_l_uh * 1e-6) * (r.frequency_khz * 1e3);
  const double t = 5 / (r.frequency_khz * 1e3);
  SpiceModel lossless = *model;
  lossless.Rdc = 0;
  lossless.Rloss.reset();
  const std::map<std::string, double> got =
      Simulate(SpiceNetlist(lossless, {"CHOKE", {}, {}}),
               "V1 in 0 " + N(vin) + "\nX1 in 0 CHOKE\n.tran " + N(t / 2000) + " " + N(t) + " 0 " +
                   N(t / 2000) + " uic\n.meas tran ipeak max par('-i(V1)')\n");
  ASSERT_EQ(got.count("ipeak"), 1u);
  const double bound = vin * t / L_air;
  EXPECT_LE(got.at("ipeak"), bound * 1.001);
  // It is a test of the floor: the current runs far past where the model
  // leaves the curve, and the air core carries most of it (the flux the
  // core took below its knee is a fifth of V t).
  EXPECT_GT(got.at("ipeak"), 10 * *model->leaves_curve_at);
  EXPECT_GT(got.at("ipeak"), 0.7 * bound);
}

}  // namespace
}  // namespace tov
