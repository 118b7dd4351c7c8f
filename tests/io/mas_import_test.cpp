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

// kChoke changed by a JSON patch (RFC 6902).
std::string Patched(const char* patch) {
  return Json::parse(kChoke).patch(Json::parse(patch)).dump();
}

// kChoke with the current `value`.
std::string WithCurrent(const std::string& value) {
  return Patched(
      (R"([{"op": "replace", "path": "/inputs/operatingPoints/0/excitationsPerWinding/0/current",
           "value": )" +
       value + "}]")
          .c_str());
}

struct Expected {
  std::optional<double> Idc, dI, f_kHz, Lfl_uH, Lnl_uH, rise;
};

struct AcceptedCase {
  const char* name;
  std::string document;
  Expected expected;
};

TEST(MasImport, TakesTheInputsADocumentGives) {
  const AcceptedCase cases[] = {
      {"triangle of offset and peak to peak", kChoke, {10, 2, 100, 100, 150, 35}},
      {"nominal inductance, no ceiling, no temperature",
       Patched(R"([{"op": "replace", "path": "/inputs/designRequirements",
                    "value": {"magnetizingInductance": {"nominal": 4.7e-5}, "turnsRatios": []}}])"),
       {10, 2, 100, 47, std::nullopt, std::nullopt}},
      {"triangle of peak and offset",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 11.5}})"),
       {10, 3, 100, 100, 150, 35}},
      {"negative DC: the same choke",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": -4, "peakToPeak": 1}})"),
       {4, 1, 100, 100, 150, 35}},
      {"timed samples, 30 % duty",
       WithCurrent(R"({"waveform": {"data": [9, 11, 9], "time": [0, 3e-6, 1e-5]}})"),
       {10, 2, 100, 100, 150, 35}},
      {"timed samples starting mid-fall, extra points on the sides",
       WithCurrent(
           R"({"waveform": {"data": [10, 9, 10, 11, 10.5, 10], "time": [0, 1, 2, 3, 3.5, 4]}})"),
       {10, 2, 100, 100, 150, 35}},
      {"equidistant samples without the closing one",
       WithCurrent(R"({"waveform": {"data": [9, 10, 11, 10]}})"),
       {10, 2, 100, 100, 150, 35}},
      {"equidistant samples with the closing one",
       WithCurrent(R"({"waveform": {"data": [9, 10, 11, 10, 9]}, "processed": {"label": "custom",
                     "offset": 0, "peak": 11}})"),
       {10, 2, 100, 100, 150, 35}},
      {"sawtooth: a rise over the period, a fall at one instant",
       WithCurrent(R"({"waveform": {"data": [0, 10, 0], "time": [0, 1e-5, 1e-5]}})"),
       {5, 10, 100, 100, 150, 35}},
      {"DC without ripple",
       WithCurrent(R"({"waveform": {"data": [5, 5, 5]}})"),
       {5, 0, 100, 100, 150, 35}},
      {"ripple crossing zero",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 0.5, "peakToPeak": 2}})"),
       {0.5, 2, 100, 100, 150, 35}},
      {"conversions leave no noise",
       Patched(R"([{"op": "replace", "path": "/inputs/designRequirements/magnetizingInductance",
                    "value": {"minimum": 3.3e-7, "maximum": 1.1e-6}},
                   {"op": "replace", "path": "/inputs/operatingPoints/0/excitationsPerWinding/0/frequency",
                    "value": 123456.7}])"),
       {10, 2, 123.4567, 0.33, 1.1, 35}},
  };
  for (const AcceptedCase& c : cases) {
    const MasImport read = ImportMas(c.document);
    ASSERT_TRUE(read.inputs) << c.name << ": " << read.reason;
    const MasInputs& in = *read.inputs;
    EXPECT_EQ(in[MasInput::Idc], c.expected.Idc) << c.name;
    EXPECT_EQ(in[MasInput::Ripple], c.expected.dI) << c.name;
    EXPECT_EQ(in[MasInput::Frequency], c.expected.f_kHz) << c.name;
    EXPECT_EQ(in[MasInput::Density], std::nullopt) << c.name;
    EXPECT_EQ(in[MasInput::FullLoadL], c.expected.Lfl_uH) << c.name;
    EXPECT_EQ(in[MasInput::NoLoadL], c.expected.Lnl_uH) << c.name;
    EXPECT_EQ(in[MasInput::Rise], c.expected.rise) << c.name;
    EXPECT_TRUE(read.reason.empty()) << c.name;
  }
}

struct RefusedCase {
  const char* name;
  std::string document;
  const char* reason;  // a part of it
};

TEST(MasImport, RefusesWhatItCannotDesignWithTheReason) {
  const std::string deep = std::string(200, '[') + std::string(200, ']');
  const RefusedCase cases[] = {
      {"two windings by turns ratio",
       Patched(R"([{"op": "add", "path": "/inputs/designRequirements/turnsRatios/-",
                    "value": {"nominal": 1}}])"),
       "describes 2 windings"},
      {"two windings in the coil",
       Patched(R"([{"op": "add", "path": "/magnetic/coil/functionalDescription/-",
                    "value": {"name": "Secondary"}}])"),
       "describes 2 windings"},
      {"two excited windings",
       Patched(R"([{"op": "copy", "from": "/inputs/operatingPoints/0/excitationsPerWinding/0",
                    "path": "/inputs/operatingPoints/0/excitationsPerWinding/-"}])"),
       "excites 2 windings"},
      {"two operating points", Patched(R"([{"op": "copy", "from": "/inputs/operatingPoints/0",
                    "path": "/inputs/operatingPoints/-"}])"),
       "has 2 operating points"},
      {"no operating point",
       Patched(R"([{"op": "replace", "path": "/inputs/operatingPoints", "value": []}])"),
       "no operating point"},
      {"sinusoidal current",
       WithCurrent(R"({"processed": {"label": "sinusoidal", "offset": 0, "peak": 3}})"),
       "is sinusoidal, not DC plus a triangular ripple"},
      {"rectangular current",
       WithCurrent(R"({"processed": {"label": "rectangular", "offset": 0, "peak": 3}})"),
       "is rectangular"},
      {"square wave samples", WithCurrent(R"({"waveform": {"data": [0, 0, 10, 10, 0],
                                           "time": [0, 0, 0, 1, 1]}})"),
       "not DC plus a triangular ripple"},
      {"trapezoid samples", WithCurrent(R"({"waveform": {"data": [0, 10, 10, 0],
                                        "time": [0, 1, 2, 3]}})"),
       "not DC plus a triangular ripple"},
      {"two triangles a period", WithCurrent(R"({"waveform": {"data": [0, 10, 0, 10, 0],
                                              "time": [0, 1, 2, 3, 4]}})"),
       "not DC plus a triangular ripple"},
      {"samples not closing the period", WithCurrent(R"({"waveform": {"data": [0, 10],
                                                     "time": [0, 1]}})"),
       "not DC plus a triangular ripple"},
      {"time running back", WithCurrent(R"({"waveform": {"data": [0, 10, 0],
                                         "time": [0, 2, 1]}})"),
       "not DC plus a triangular ripple"},
      {"samples over two periods",
       WithCurrent(R"({"waveform": {"data": [0, 10, 0], "numberPeriods": 2}})"),
       "not DC plus a triangular ripple"},
      {"harmonics only",
       WithCurrent(R"({"harmonics": {"amplitudes": [10, 1], "frequencies": [0, 100000]}})"),
       "not DC plus a triangular ripple"},
      {"triangle without its offset",
       WithCurrent(R"({"processed": {"label": "triangular", "peakToPeak": 2}})"),
       "not DC plus a triangular ripple"},
      {"peak below the offset",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 9}})"),
       "not DC plus a triangular ripple"},
      {"no current", Patched(R"([{"op": "remove", "path":
                                 "/inputs/operatingPoints/0/excitationsPerWinding/0/current"}])"),
       "gives no current"},
      {"no frequency", Patched(R"([{"op": "remove", "path":
                                   "/inputs/operatingPoints/0/excitationsPerWinding/0/frequency"}])"),
       "no ripple frequency"},
      {"frequency as a text", Patched(R"([{"op": "replace", "path":
                    "/inputs/operatingPoints/0/excitationsPerWinding/0/frequency", "value": "1e5"}])"),
       "no ripple frequency"},
      {"no required inductance",
       Patched(R"([{"op": "remove", "path": "/inputs/designRequirements/magnetizingInductance"}])"),
       "requires no inductance"},
      {"only a largest inductance",
       Patched(R"([{"op": "replace", "path": "/inputs/designRequirements/magnetizingInductance",
                    "value": {"maximum": 1e-4}}])"),
       "requires no inductance"},
      {"negative inductance", Patched(R"([{"op": "replace", "path":
                    "/inputs/designRequirements/magnetizingInductance/minimum", "value": -1e-4}])"),
       "requires no inductance"},
      {"ceiling below the requirement", Patched(R"([{"op": "replace", "path":
                    "/inputs/designRequirements/magnetizingInductance/maximum", "value": 5e-5}])"),
       "largest inductance lies below"},
      {"hottest below the ambient", Patched(R"([{"op": "replace", "path":
                    "/inputs/designRequirements/operatingTemperature/maximum", "value": 15}])"),
       "highest operating temperature"},
      {"hottest at the ambient", Patched(R"([{"op": "replace", "path":
                    "/inputs/designRequirements/operatingTemperature/maximum", "value": 20}])"),
       "highest operating temperature"},
      {"a frequency that vanishes in kHz", Patched(R"([{"op": "replace", "path":
                    "/inputs/operatingPoints/0/excitationsPerWinding/0/frequency", "value": 5e-324}])"),
       "no ripple frequency"},
      {"an inductance beyond the numbers in uH", Patched(R"([{"op": "replace", "path":
                    "/inputs/designRequirements/magnetizingInductance", "value": {"minimum": 1e303}}])"),
       "beyond the range of numbers"},
      {"nesting just deeper than allowed", std::string(65, '[') + std::string(65, ']'),
       "nests too deep"},
      {"nesting as deep as allowed", std::string(64, '[') + std::string(64, ']'), "no JSON object"},
      {"no inputs", Patched(R"([{"op": "remove", "path": "/inputs"}])"), "has no inputs"},
      {"a JSON array", "[]", "no JSON object"},
      {"no JSON", "{\"inputs\": ", "not JSON text"},
      {"nesting too deep", deep, "nests too deep"},
      {"not UTF-8", "{\"inputs\": \"\xff\"}", "not JSON text"},
  };
  for (const RefusedCase& c : cases) {
    const MasImport read = ImportMas(c.document);
    EXPECT_FALSE(read.inputs) << c.name;
    EXPECT_NE(read.reason.find(c.reason), std::string::npos) << c.name << ": " << read.reason;
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
