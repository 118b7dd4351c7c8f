// MAS documents of designs: valid against the class A schema, read back to
// the same inputs, and holding figures that recompute from the document
// itself, the core table and the definitions of wire gauge and waveform.

#include "io/mas_export.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "io/mas_import.h"
#include "models/rolloff.h"
#include "models/wire_gauge.h"
#include "support/random_designs.h"
#include "ui/logic/window_model.h"

namespace tov {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

struct Exported {
  DesignRequest request;
  DesignResult design;
  std::string text;
  Json json() const { return Json::parse(text); }
};

MasExportInput InputOf(const DesignRequest& request, const DesignResult& design) {
  const CoreTable& cores = testing::ShippedCores();
  return {request, design, MasCoreRowOf(cores, design.row, design.e_core),
          WorstCaseOf(design, kDefaultALTolerancePercent),
          RollOffSamplesOf(PermeabilityCurve(design, cores), design)};
}

// Designs of random requests, every material, stack count and option, by the
// search and on a random core, exported. Only a design without a wire, or one
// the roll-off model has no value for at its currents, has no document.
const std::vector<Exported>& RandomExports() {
  static const std::vector<Exported> exports = [] {
    std::vector<Exported> all;
    std::mt19937 random(26);
    for (const Material material : kMaterials) {
      for (int16_t stack = 1; stack <= 5; ++stack) {
        for (int i = 0; i < 8; ++i) {
          const DesignRequest r = testing::RandomRequest(random, material, stack, i);
          const int16_t row = testing::RandomRow(random, material);
          for (const auto& found : {SearchCores(r, testing::ShippedCores()).design,
                                    DesignOnCore(r, testing::ShippedCores(), row).design}) {
            if (!found) continue;
            const MasExportResult result = ExportMas(InputOf(r, *found));
            if (!result.text.empty()) {
              all.push_back({r, *found, result.text});
            } else {
              EXPECT_TRUE(found->G > kThinnestGauge || !(found->Lfl > 0) ||
                          result.reason.find("roll-off model has no value") != std::string::npos)
                  << result.reason;
            }
          }
        }
      }
    }
    return all;
  }();
  return exports;
}

// The validator's exit status for `files` (0 valid, 1 invalid, 77 no validator).
int Validate(const fs::path& schemas, const std::vector<std::string>& files) {
  std::string command =
      "python3 '" TOV_SOURCE_DIR "/tests/io/mas_schema_check.py' '" + schemas.string() + "'";
  for (const std::string& file : files) command += " '" + file + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MasExport, EveryRandomDesignIsAClassADocumentAndABrokenOneIsNot) {
  fs::path schemas = fs::path(TOV_SOURCE_DIR) / ".." / "shared" / "mas" / "schemas";
  if (!fs::exists(schemas / "conformance")) schemas = "/work/shared/mas/schemas";
  if (!fs::exists(schemas / "conformance" / "class-A.json")) GTEST_SKIP() << "no MAS schemas";
  const fs::path dir = fs::temp_directory_path() / ("mas_export." + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<std::string> files;
  std::set<int> materials, stacks, ceilings;
  // Every third document (the validator is slow), of every kind of design.
  for (std::size_t k = 0; k < RandomExports().size(); k += 3) {
    const Exported& e = RandomExports()[k];
    files.push_back((dir / ("d" + std::to_string(k) + ".json")).string());
    std::ofstream(files.back()) << e.text;
    materials.insert(static_cast<int>(e.design.material));
    stacks.insert(e.design.stack_count);
    ceilings.insert(e.request.full_load_l_max);
  }
  EXPECT_EQ(std::tuple(materials.size(), stacks.size(), ceilings.size()), std::tuple(4, 5, 2));
  const int status = Validate(schemas, files);
  if (status == 77) GTEST_SKIP() << "python3-jsonschema is not installed.";
  EXPECT_EQ(status, 0) << files.size() << " documents";

  for (const char* pointer :
       {"/inputs/designRequirements/magnetizingInductance",
        "/magnetic/coil/functionalDescription/0/numberTurns",
        "/magnetic/core/functionalDescription/material/saturation", "/outputs"}) {
    Json broken = RandomExports().front().json();
    const Json::json_pointer at(pointer);
    broken[at.parent_pointer()].erase(at.back());
    std::ofstream(dir / "broken.json") << broken.dump();
    EXPECT_EQ(Validate(schemas, {(dir / "broken.json").string()}), 1) << pointer;
  }
  fs::remove_all(dir);
}

double RelativeError(double value, double expected) {
  return std::abs(value - expected) / std::abs(expected);
}

// Effective permeability at H (A/m) from the document's roll-off samples,
// interpolated linearly (a millionth beyond the last one is the last: the
// design's own field may end the curve).
double SampledPermeability(const Json& samples, double H) {
  const double last = samples.back()["magneticFieldDcBias"];
  if (H > last && H < last * (1 + 1e-6)) return samples.back()["value"];
  for (std::size_t k = 1; k < samples.size(); ++k) {
    const double h0 = samples[k - 1]["magneticFieldDcBias"], h1 = samples[k]["magneticFieldDcBias"];
    if (H < h0 || H > h1) continue;
    const double u0 = samples[k - 1]["value"], u1 = samples[k]["value"];
    return u0 + (u1 - u0) * (H - h0) / (h1 - h0);
  }
  ADD_FAILURE() << "no sample holds H = " << H;
  return 0;
}

// The document reads back to the inputs it was made from. Within 0.1 %: L = N^2 AL (ue / ui at N
// Ipk / le), P = k f^alpha (B/2)^beta Ve, the rise. The wire is AWG n: 0.005 in x 92^((36 - n) /
// 39), the tables rounding it; the current a triangle of RMS sqrt(Idc^2 + dI^2 / 12).
TEST(MasExport, ReadsBackAndFiguresRecomputeFromTheDocumentAndTheirDefinitions) {
  const CoreTable& cores = testing::ShippedCores();
  int with_core_loss = 0;
  for (const Exported& e : RandomExports()) {
    const Json doc = e.json();
    const CoreRowNumbers& row = cores.Numbers(e.design.row);
    const double AL = *row.Number(CoreColumn::AL) * 1e-9;  // H per turn squared
    const double le = *row.Number(CoreColumn::PathLen) * 1e-2;
    const double Ae = *row.Number(CoreColumn::CoreArea) * 1e-4;
    const Json& core = doc["magnetic"]["core"]["functionalDescription"];
    const Json& winding = doc["magnetic"]["coil"]["functionalDescription"][0];
    const double N = winding["numberTurns"], stack = core["numberStacks"];
    const Json& material = core["material"];
    const double ui = material["permeability"]["initial"]["value"];
    const Json& full = doc["outputs"][0];
    const Json& point = doc["inputs"]["operatingPoints"][0];
    const Json& L_full = full["inductance"]["magnetizingInductance"];
    const double Idc = e.request.dc_current_a, dI = e.request.ripple_a;

    const double L0 = doc["outputs"][1]["inductance"]["magnetizingInductance"]
                         ["magnetizingInductance"]["nominal"];
    EXPECT_LT(RelativeError(L0, N * N * AL * stack), 1e-3) << e.text;
    const double Ipk = L_full["measurementCondition"]["dcBiasCurrent"];
    const double ue = SampledPermeability(material["permeability"]["incremental"], N * Ipk / le);
    EXPECT_LT(
        RelativeError(L_full["magnetizingInductance"]["nominal"], N * N * AL * stack * ue / ui),
        1e-3);
    EXPECT_LT(RelativeError(Ipk, Idc + dI / 2), 1e-14);
    const double ambient = point["conditions"]["ambientTemperature"];
    EXPECT_LT(std::abs(double{full["temperature"]["maximumTemperature"]} - ambient - e.design.dT),
              1e-3 * e.design.dT + 1e-6);

    const Json& wire = winding["wire"];
    const double awg = 0.005 * 0.0254 * std::pow(92.0, (36.0 - e.design.G) / 39.0);
    EXPECT_LT(RelativeError(wire["conductingDiameter"]["nominal"], awg), 0.02) << e.design.G;
    EXPECT_GT(double{wire["outerDiameter"]["nominal"]},
              double{wire["conductingDiameter"]["nominal"]});
    EXPECT_EQ(winding["numberParallels"], e.design.strands);
    const Json& current = point["excitationsPerWinding"][0]["current"]["processed"];
    EXPECT_EQ(std::tuple(current["label"], current["offset"], current["peakToPeak"]),
              std::tuple(Json("triangular"), Json(Idc), Json(dI)));
    EXPECT_LT(RelativeError(current["peak"], Idc + dI / 2), 1e-14);
    EXPECT_LT(RelativeError(current["rms"], std::hypot(Idc, dI / std::sqrt(12.0))), 1e-14);

    const DesignRequest& r = e.request;
    const bool ceiling =
        r.full_load_l_max && e.design.in.Lmax > 0 && e.design.in.Lmax < kNoCeiling_mH;
    const std::optional<double> no_load = ceiling ? std::optional(r.no_load_l_uh) : std::nullopt;
    const std::optional<MasInputs> in = ImportMas(e.text).inputs;
    ASSERT_TRUE(in);
    const MasInputs expected{
        {Idc, dI, r.frequency_khz, std::nullopt, r.full_load_l_uh, no_load, in->value.back()}};
    EXPECT_EQ(in->value, expected.value);
    EXPECT_NEAR(in->value.back().value_or(0), r.allowable_rise_c, 1e-9 * r.allowable_rise_c);

    if (!full.contains("coreLosses")) continue;
    ++with_core_loss;
    const Json& loss = full["coreLosses"];
    const Json& law = material["volumetricLosses"]["default"][0]["ranges"][0];
    const double f = point["excitationsPerWinding"][0]["frequency"];
    const double B = double{loss["magneticFluxDensity"]["processed"]["peakToPeak"]} / 2;
    const double density =
        double{law["k"]} * std::pow(f, double{law["alpha"]}) * std::pow(B, double{law["beta"]});
    EXPECT_LT(RelativeError(loss["volumetricLosses"], density), 1e-3);
    EXPECT_LT(RelativeError(loss["coreLosses"], density * le * Ae * stack), 1e-3);
    // Velmax, 1.0 mW/cm^3 at 1 kHz and 1 kG, f^1.46 B^2, by hand in SI units:
    // k = 10^(3 - 3 x 1.46 + 2) = 4.1687 W/m^3.
    EXPECT_NEAR(e.design.MatType == 3 ? double{law["k"]} : 4.16869, 4.16869, 1e-4);
  }
  EXPECT_GT(with_core_loss, 50);
}

// The saturation point follows the format's convention: the differential
// permeability of the roll-off model has fallen to a tenth of ui there.
TEST(MasExport, SaturationLiesWhereTheDifferentialPermeabilityIsATenth) {
  for (const Material material : kMaterials) {
    const auto found =
        std::find_if(RandomExports().begin(), RandomExports().end(),
                     [&](const Exported& e) { return e.design.material == material; });
    ASSERT_NE(found, RandomExports().end());
    const Json point =
        found->json()["magnetic"]["core"]["functionalDescription"]["material"]["saturation"][0];
    const double H_Oe = double{point["magneticField"]} * 4 * 3.14 / 1000;
    const float ui = found->design.ui;
    const auto BH = [&](double H) {
      return double{*EffPerm(ui, static_cast<float>(H), RollOffFor(material))} * H;
    };
    const double differential = (BH(H_Oe * 1.01) - BH(H_Oe * 0.99)) / (0.02 * H_Oe);
    EXPECT_NEAR(differential / ui, 0.1, 0.01) << InfoOf(material).caption;
    EXPECT_LT(RelativeError(double{point["magneticFluxDensity"]}, BH(H_Oe) * 1e-4), 1e-3);
  }
}

// Each row changes one thing of a design that exports: what is refused, and
// the reason given (a part of it; nullptr: exported).
TEST(MasExport, RefusesADesignItCannotDescribe) {
  const Exported& e = RandomExports().front();
  const std::pair<void (*)(MasExportInput&), const char*> cases[] = {
      {[](MasExportInput& in) { in.request.dc_current_a *= 2; }, "calculate the design again"},
      {[](MasExportInput& in) { in.design.G = kThinnestGauge + 1; }, "no wire"},
      {[](MasExportInput& in) { in.design.N = 0; }, "no inductance"},
      {[](MasExportInput& in) { in.design.Lnl = 0; }, "no inductance"},
      {[](MasExportInput& in) { in.design.Lfl = 0; }, "no inductance at full load"},
      {[](MasExportInput& in) { in.worst.Lfl_min_uH = 0; }, "no inductance at full load"},
      {[](MasExportInput& in) { in.rolloff.resize(1); }, "no roll-off curve"},
      {[](MasExportInput& in) { in.rolloff.resize(2); }, nullptr},
  };
  for (const auto& [change, reason] : cases) {
    MasExportInput in = InputOf(e.request, e.design);
    change(in);
    const MasExportResult result = ExportMas(in);
    EXPECT_EQ(result.text.empty(), reason != nullptr) << result.reason;
    EXPECT_NE(result.reason.find(reason ? reason : ""), std::string::npos) << result.reason;
  }
}

}  // namespace
}  // namespace tov
