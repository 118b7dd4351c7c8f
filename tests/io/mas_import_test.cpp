// Reading the inputs of MAS documents: what a document gives, and the
// documents the program refuses with their reasons.

#include "io/mas_import.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

namespace tov {
namespace {

using Json = nlohmann::json;

// A choke of 10 A DC with 2 A ripple at 100 kHz, at least 100 uH, at most
// 150 uH, at most 55 deg C in a 20 deg C ambient.
const char* const kChoke = R"({
  "masConformance": "A",
  "inputs": {
    "designRequirements": {
      "magnetizingInductance": {"minimum": 1e-4, "maximum": 1.5e-4},
      "turnsRatios": [],
      "operatingTemperature": {"maximum": 55}
    },
    "operatingPoints": [{
      "conditions": {"ambientTemperature": 20},
      "excitationsPerWinding": [{
        "frequency": 100000,
        "current": {"processed": {"label": "triangular", "offset": 10, "peakToPeak": 2}}
      }]
    }]
  },
  "magnetic": {"coil": {"functionalDescription": [{"name": "Winding"}]}},
  "outputs": []
})";

const std::string kRequired = "/inputs/designRequirements";
const std::string kInductance = kRequired + "/magnetizingInductance";
const std::string kPoint = "/inputs/operatingPoints/0";
const std::string kExcited = kPoint + "/excitationsPerWinding/0";

// A JSON patch (RFC 6902) operation: `arg` is the value (JSON text) or, for a
// copy, the path copied from.
Json Op(const std::string& op, const std::string& path, const std::string& arg = "") {
  Json operation = {{"op", op}, {"path", path}};
  if (op == "copy") operation["from"] = arg;
  if (op == "add" || op == "replace") operation["value"] = Json::parse(arg);
  return operation;
}
std::string Patched(const Json& operation) {
  return Json::parse(kChoke).patch(Json::array({operation})).dump();
}
std::string Replaced(const std::string& path, const std::string& value) {
  return Patched(Op("replace", path, value));
}
std::string WithCurrent(const std::string& value) {
  return Replaced(kExcited + "/current", value);
}

TEST(MasImport, TakesTheInputsADocumentGives) {
  using Inputs = std::array<std::optional<double>, kMasInputCount>;  // no current density
  const Inputs choke{10, 2, 100, {}, 100, 150, 35};
  const struct {
    const char* name;
    std::string document;
    Inputs expected;
  } cases[] = {
      {"triangle of offset and peak to peak", kChoke, choke},
      {"nominal inductance, no ceiling, no temperature",
       Replaced(kRequired, R"({"magnetizingInductance": {"nominal": 4.7e-5}, "turnsRatios": []})"),
       {10, 2, 100, {}, 47, {}, {}}},
      {"triangle of peak and offset",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 11.5}})"),
       {10, 3, 100, {}, 100, 150, 35}},
      {"negative DC: the same choke",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": -4, "peakToPeak": 1}})"),
       {4, 1, 100, {}, 100, 150, 35}},
      {"timed samples, 30 % duty",
       WithCurrent(R"({"waveform": {"data": [9, 11, 9], "time": [0, 3e-6, 1e-5]}})"), choke},
      {"timed samples starting mid-fall, extra points on the sides",
       WithCurrent(
           R"({"waveform": {"data": [10, 9, 10, 11, 10.5, 10], "time": [0, 1, 2, 3, 3.5, 4]}})"),
       choke},
      {"equidistant samples without the closing one",
       WithCurrent(R"({"waveform": {"data": [9, 10, 11, 10]}})"), choke},
      {"equidistant samples with the closing one",
       WithCurrent(R"({"waveform": {"data": [9, 10, 11, 10, 9]}, "processed": {"label": "custom",
                     "offset": 0, "peak": 11}})"),
       choke},
      {"sawtooth: a rise over the period, a fall at one instant",
       WithCurrent(R"({"waveform": {"data": [0, 10, 0], "time": [0, 1e-5, 1e-5]}})"),
       {5, 10, 100, {}, 100, 150, 35}},
      {"DC without ripple",
       WithCurrent(R"({"waveform": {"data": [5, 5, 5]}})"),
       {5, 0, 100, {}, 100, 150, 35}},
      {"conversions leave no noise",
       Json::parse(Replaced(kInductance, R"({"minimum": 3.3e-7, "maximum": 1.1e-6})"))
           .patch(Json::array({Op("replace", kExcited + "/frequency", "123456.7")}))
           .dump(),
       {10, 2, 123.4567, {}, 0.33, 1.1, 35}},
  };
  for (const auto& c : cases) {
    const MasImport read = ImportMas(c.document);
    ASSERT_TRUE(read.inputs) << c.name << ": " << read.reason;
    EXPECT_EQ(read.inputs->value, c.expected) << c.name;
    EXPECT_EQ(read.reason, "") << c.name;
  }
}

TEST(MasImport, RefusesWhatItCannotDesignWithTheReason) {
  const std::string not_triangular = "not DC plus a triangular ripple";
  const std::pair<std::string, std::string> cases[] = {
      // the document, a part of the reason
      {Patched(Op("add", kRequired + "/turnsRatios/-", R"({"nominal": 1})")),
       "describes 2 windings"},
      {Patched(Op("add", "/magnetic/coil/functionalDescription/-", R"({"name": "Secondary"})")),
       "describes 2 windings"},
      {Patched(Op("copy", kPoint + "/excitationsPerWinding/-", kExcited)), "excites 2 windings"},
      {Patched(Op("copy", "/inputs/operatingPoints/-", kPoint)), "has 2 operating points"},
      {Replaced("/inputs/operatingPoints", "[]"), "no operating point"},
      {WithCurrent(R"({"processed": {"label": "sinusoidal", "offset": 0, "peak": 3}})"),
       "is sinusoidal, not DC plus a triangular ripple"},
      {WithCurrent(R"({"processed": {"label": "rectangular", "offset": 0, "peak": 3}})"),
       "is rectangular"},
      // A square wave, a trapezoid, two triangles a period, samples not closing
      // the period, time running back, two periods, harmonics only.
      {WithCurrent(R"({"waveform": {"data": [0, 0, 10, 10, 0], "time": [0, 0, 0, 1, 1]}})"),
       not_triangular},
      {WithCurrent(R"({"waveform": {"data": [0, 10, 10, 0], "time": [0, 1, 2, 3]}})"),
       not_triangular},
      {WithCurrent(R"({"waveform": {"data": [0, 10, 0, 10, 0], "time": [0, 1, 2, 3, 4]}})"),
       not_triangular},
      {WithCurrent(R"({"waveform": {"data": [0, 10], "time": [0, 1]}})"), not_triangular},
      {WithCurrent(R"({"waveform": {"data": [0, 10, 0], "time": [0, 2, 1]}})"), not_triangular},
      {WithCurrent(R"({"waveform": {"data": [0, 10, 0], "numberPeriods": 2}})"), not_triangular},
      {WithCurrent(R"({"harmonics": {"amplitudes": [10, 1], "frequencies": [0, 100000]}})"),
       not_triangular},
      {WithCurrent(R"({"processed": {"label": "triangular", "peakToPeak": 2}})"), not_triangular},
      {WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 9}})"),
       not_triangular},
      {Patched(Op("remove", kExcited + "/current")), "gives no current"},
      {Patched(Op("remove", kExcited + "/frequency")), "no ripple frequency"},
      {Replaced(kExcited + "/frequency", "5e-324"), "no ripple frequency"},  // vanishes in kHz
      {Patched(Op("remove", kInductance)), "requires no inductance"},
      {Replaced(kInductance + "/minimum", "-1e-4"), "requires no inductance"},
      {Replaced(kInductance + "/maximum", "5e-5"), "largest inductance lies below"},
      {Replaced(kInductance, R"({"minimum": 1e303})"), "beyond the range of numbers"},
      {Replaced(kRequired + "/operatingTemperature/maximum", "20"),  // the ambient
       "highest operating temperature"},
      {std::string(65, '[') + std::string(65, ']'), "nests too deep"},
      {std::string(64, '[') + std::string(64, ']'), "no JSON object"},
      {Patched(Op("remove", "/inputs")), "has no inputs"},
      {"{\"inputs\": ", "not JSON text"},
      {"{\"inputs\": \"\xff\"}", "not JSON text"},
  };
  for (const auto& [document, reason] : cases) {
    const MasImport read = ImportMas(document);
    EXPECT_FALSE(read.inputs) << document;
    EXPECT_NE(read.reason.find(reason), std::string::npos) << read.reason << "\n" << document;
  }
}

TEST(MasImport, RefusesAFileTooLargeUnparsed) {
  std::string huge(kMasMaxBytes + 1, ' ');
  EXPECT_NE(ImportMas(huge).reason.find("larger"), std::string::npos);
  huge.pop_back();  // the largest file read
  EXPECT_NE(ImportMas(huge).reason.find("not JSON text"), std::string::npos);
}

}  // namespace
}  // namespace tov
