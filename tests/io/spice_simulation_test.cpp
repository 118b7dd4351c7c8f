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

// Runs ngspice in batch mode on `deck`; the ".meas" results by name.
std::map<std::string, double> Simulate(const fs::path& deck) {
  std::map<std::string, double> measured;
  FILE* pipe = popen(("timeout 300 ngspice -b '" + deck.string() + "' 2>&1").c_str(), "r");
  const std::regex line(R"(^(\w+)\s+=\s+([-+]?[0-9.]+e[-+][0-9]+))");
  std::cmatch m;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
    if (std::regex_search(buffer, m, line)) measured[m[1]] = std::stod(m[2]);
  }
  if (pipe) pclose(pipe);
  return measured;
}

// Molypermalloy, High Flux and Velmax toroids and the E-cores on one core with
// both sets of inputs, the toroids on three cores with the heavier; and among
// random designs the one closest to its no-load ceiling.
std::vector<DesignResult> Designs() {
  std::vector<DesignResult> designs;
  for (const Material material : kMaterials) {
    for (const int16_t stack : {int16_t{1}, int16_t{3}}) {
      if (stack > 1 && material == Material::VelmaxE) continue;
      for (const bool light : {false, true}) {
        if (stack > 1 && light) continue;
        const DesignRequest r = testing::ReferenceRequest(material, stack, light);
        if (auto d = SearchCores(r, testing::ShippedCores()).design) designs.push_back(*d);
      }
    }
  }
  designs.push_back(testing::NearestItsCeiling(testing::RandomDesigns()));
  return designs;
}

TEST(SpiceSimulation, NgspiceFindsTheDesignsInductanceResistanceAndCoreLoss) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  std::string pattern = (fs::temp_directory_path() / "tov_spice_XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  const std::vector<DesignResult> designs = Designs();
  ASSERT_GE(designs.size(), 12u);
  for (std::size_t k = 0; k < designs.size(); ++k) {
    const DesignResult& d = designs[k];
    const std::string which = "design " + std::to_string(k) + ", row " + std::to_string(d.row);
    const std::optional<SpiceModel> model = BuildSpiceModel(d);
    ASSERT_TRUE(model && model->Rloss && d.Rdc > 0) << which;
    SpiceModel lossless = *model;
    lossless.Rloss.reset();
    std::ofstream(dir / "model.cir")
        << SpiceNetlist(*model, {"CHOKE", {}, {}}) << SpiceNetlist(lossless, {"CHOKE_NL", {}, {}});

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
    std::ofstream deck(dir / "deck.cir");
    deck << "* SPICE model check\n.include '" << (dir / "model.cir").string() << "'\n"
         << "IA 0 a DC " << N(Idc) << "\nXA a 0 CHOKE\n"
         << "IB 0 b PWL(0 " << N(-0.5 * Ipk) << " " << N(T) << " " << N(1.6 * Ipk) << ")\n"
         << "VB b b2 0\nXB b2 0 CHOKE_NL\n"
         << "IC 0 c PWL(" << ripple << ")\nXC c 0 CHOKE\n"
         << ".options method=gear\n"
         << ".tran " << N(T / 4000) << " " << N(T) << " 0 " << N(T / 4000) << "\n"
         << ".meas tran rdc find par('v(a)/" << N(Idc) << "') at=" << N(T / 2) << "\n";
    const double currents[] = {0, Ipk, 1.5 * Ipk};
    const char* names[] = {"l0", "lpk", "l150"};
    for (int i = 0; i < 3; ++i) {
      deck << ".meas tran " << names[i] << " find par('(v(b2)-" << N(Rdc) << "*i(VB))/" << N(slope)
           << "') at=" << N((currents[i] + 0.5 * Ipk) / slope) << "\n";
    }
    deck << ".meas tran ploss avg par('v(xc.b)*v(xc.b)/" << N(*model->Rloss)
         << "') from=" << N(2 * period) << " to=" << N(T) << "\n.end\n";
    deck.close();

    const std::map<std::string, double> got = Simulate(dir / "deck.cir");
    ASSERT_EQ(got.size(), 5u) << which;
    for (int i = 0; i < 3; ++i) {
      // The program's curve; past where the model leaves it, the value the
      // model holds there.
      const bool on_curve = !model->leaves_curve_at || currents[i] < *model->leaves_curve_at;
      const double L =
          on_curve ? *StackInductance(d, currents[i]) : ModelInductance(*model, currents[i]);
      EXPECT_NEAR(got.at(names[i]) / L, 1, 0.02) << which << " " << names[i];
    }
    EXPECT_NEAR(got.at("rdc") / Rdc, 1, 0.01) << which;
    EXPECT_NEAR(got.at("ploss") / (d.Pfe * 1e-3), 1, 0.10) << which;
  }
  fs::remove_all(dir);
}

// A hard start-up: the input of a buck at duty 0.5 for the design's ripple
// across a Velmax choke picked far past its roll-off, for five switching
// periods. Whatever the curve does, the flux linkage is at least the air-core
// inductance times the current, so the current stays below V t / L_air
// (held at the last tabulated inductance, 1/140 of that, it ran far past).
TEST(SpiceSimulation, HardStartUpOfARolledOffVelmaxChokeIsBoundedByTheAirCore) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  DesignRequest r;
  r.material = Material::Velmax;
  r.dc_current_a = 1.064;
  r.ripple_a = 0.512;
  r.frequency_khz = 246.03;
  r.current_density_a_cm2 = 722;
  r.full_load_l_uh = 2683;
  r.no_load_l_uh = 6347.31;
  r.allowable_rise_c = 70.8;
  const std::optional<DesignResult> d = DesignOnCore(r, testing::ShippedCores(), 411).design;
  ASSERT_TRUE(d);
  const std::optional<SpiceModel> model = BuildSpiceModel(*d);
  ASSERT_TRUE(model && model->leaves_curve_at);
  const double L_air = 4 * 3.14e-7 * d->N * d->N * d->Ae * 1e-4 / (d->le * 1e-2);
  const double vin = 4 * r.ripple_a * (r.full_load_l_uh * 1e-6) * (r.frequency_khz * 1e3);
  const double t = 5 / (r.frequency_khz * 1e3);

  std::string pattern = (fs::temp_directory_path() / "tov_startup_XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  // Without its resistances, which would hold the current below V / R_DC
  // whatever the inductance: the bound is then the inductance's alone.
  SpiceModel lossless = *model;
  lossless.Rdc = 0;
  lossless.Rloss.reset();
  std::ofstream(dir / "model.cir") << SpiceNetlist(lossless, {"CHOKE", {}, {}});
  std::ofstream(dir / "deck.cir") << "* hard start-up\n.include '" << (dir / "model.cir").string()
                                  << "'\nV1 in 0 " << N(vin) << "\nX1 in 0 CHOKE\n"
                                  << ".tran " << N(t / 2000) << " " << N(t) << " 0 " << N(t / 2000)
                                  << " uic\n"
                                  << ".meas tran ipeak max par('-i(V1)')\n.end\n";
  const std::map<std::string, double> got = Simulate(dir / "deck.cir");
  fs::remove_all(dir);
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
