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
const std::string kExcited = "/inputs/operatingPoints/0/excitationsPerWinding/0";

// kChoke changed by a JSON patch (RFC 6902) of these operations.
std::string Patched(std::initializer_list<Json> operations) {
  Json patch = Json::array();
  for (const Json& operation : operations) patch.push_back(operation);
  return Json::parse(kChoke).patch(patch).dump();
}
Json Replace(const std::string& path, const char* value) {
  return {{"op", "replace"}, {"path", path}, {"value", Json::parse(value)}};
}
Json Add(const std::string& path, const char* value) {
  return {{"op", "add"}, {"path", path}, {"value", Json::parse(value)}};
}
Json Copy(const std::string& from, const std::string& path) {
  return {{"op", "copy"}, {"from", from}, {"path", path}};
}
Json Remove(const std::string& path) {
  return {{"op", "remove"}, {"path", path}};
}
std::string Replaced(const std::string& path, const char* value) {
  return Patched({Replace(path, value)});
}
std::string Removed(const std::string& path) {
  return Patched({Remove(path)});
}
std::string WithCurrent(const char* value) {
  return Replaced(kExcited + "/current", value);
}

struct Expected {
  std::optional<double> Idc, dI, f_kHz, Lfl_uH, Lnl_uH, rise;
};

TEST(MasImport, TakesTheInputsADocumentGives) {
  const Expected choke{10, 2, 100, 100, 150, 35};
  const struct {
    const char* name;
    std::string document;
    Expected expected;
  } cases[] = {
      {"triangle of offset and peak to peak", kChoke, choke},
      {"nominal inductance, no ceiling, no temperature",
       Replaced(kRequired, R"({"magnetizingInductance": {"nominal": 4.7e-5}, "turnsRatios": []})"),
       {10, 2, 100, 47, std::nullopt, std::nullopt}},
      {"triangle of peak and offset",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 11.5}})"),
       {10, 3, 100, 100, 150, 35}},
      {"negative DC: the same choke",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": -4, "peakToPeak": 1}})"),
       {4, 1, 100, 100, 150, 35}},
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
       {5, 10, 100, 100, 150, 35}},
      {"DC without ripple",
       WithCurrent(R"({"waveform": {"data": [5, 5, 5]}})"),
       {5, 0, 100, 100, 150, 35}},
      {"ripple crossing zero",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 0.5, "peakToPeak": 2}})"),
       {0.5, 2, 100, 100, 150, 35}},
      {"conversions leave no noise",
       Patched({Replace(kRequired + "/magnetizingInductance",
                        R"({"minimum": 3.3e-7, "maximum": 1.1e-6})"),
                Replace(kExcited + "/frequency", "123456.7")}),
       {10, 2, 123.4567, 0.33, 1.1, 35}},
  };
  for (const auto& c : cases) {
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

TEST(MasImport, RefusesWhatItCannotDesignWithTheReason) {
  const std::string not_triangular = "not DC plus a triangular ripple";
  const struct {
    const char* name;
    std::string document;
    std::string reason;  // a part of it
  } cases[] = {
      {"two windings by turns ratio",
       Patched({Add(kRequired + "/turnsRatios/-", R"({"nominal": 1})")}), "describes 2 windings"},
      {"two windings in the coil",
       Patched({Add("/magnetic/coil/functionalDescription/-", R"({"name": "Secondary"})")}),
       "describes 2 windings"},
      {"two excited windings",
       Patched({Copy(kExcited, "/inputs/operatingPoints/0/excitationsPerWinding/-")}),
       "excites 2 windings"},
      {"two operating points",
       Patched({Copy("/inputs/operatingPoints/0", "/inputs/operatingPoints/-")}),
       "has 2 operating points"},
      {"no operating point", Replaced("/inputs/operatingPoints", "[]"), "no operating point"},
      {"sinusoidal current",
       WithCurrent(R"({"processed": {"label": "sinusoidal", "offset": 0, "peak": 3}})"),
       "is sinusoidal, not DC plus a triangular ripple"},
      {"rectangular current",
       WithCurrent(R"({"processed": {"label": "rectangular", "offset": 0, "peak": 3}})"),
       "is rectangular"},
      {"square wave samples",
       WithCurrent(R"({"waveform": {"data": [0, 0, 10, 10, 0], "time": [0, 0, 0, 1, 1]}})"),
       not_triangular},
      {"trapezoid samples",
       WithCurrent(R"({"waveform": {"data": [0, 10, 10, 0], "time": [0, 1, 2, 3]}})"),
       not_triangular},
      {"two triangles a period",
       WithCurrent(R"({"waveform": {"data": [0, 10, 0, 10, 0], "time": [0, 1, 2, 3, 4]}})"),
       not_triangular},
      {"samples not closing the period",
       WithCurrent(R"({"waveform": {"data": [0, 10], "time": [0, 1]}})"), not_triangular},
      {"time running back", WithCurrent(R"({"waveform": {"data": [0, 10, 0], "time": [0, 2, 1]}})"),
       not_triangular},
      {"samples over two periods",
       WithCurrent(R"({"waveform": {"data": [0, 10, 0], "numberPeriods": 2}})"), not_triangular},
      {"harmonics only",
       WithCurrent(R"({"harmonics": {"amplitudes": [10, 1], "frequencies": [0, 100000]}})"),
       not_triangular},
      {"triangle without its offset",
       WithCurrent(R"({"processed": {"label": "triangular", "peakToPeak": 2}})"), not_triangular},
      {"peak below the offset",
       WithCurrent(R"({"processed": {"label": "triangular", "offset": 10, "peak": 9}})"),
       not_triangular},
      {"no current", Removed(kExcited + "/current"), "gives no current"},
      {"no frequency", Removed(kExcited + "/frequency"), "no ripple frequency"},
      {"frequency as a text", Replaced(kExcited + "/frequency", "\"1e5\""), "no ripple frequency"},
      {"a frequency that vanishes in kHz", Replaced(kExcited + "/frequency", "5e-324"),
       "no ripple frequency"},
      {"no required inductance", Removed(kRequired + "/magnetizingInductance"),
       "requires no inductance"},
      {"only a largest inductance",
       Replaced(kRequired + "/magnetizingInductance", R"({"maximum": 1e-4})"),
       "requires no inductance"},
      {"negative inductance", Replaced(kRequired + "/magnetizingInductance/minimum", "-1e-4"),
       "requires no inductance"},
      {"ceiling below the requirement",
       Replaced(kRequired + "/magnetizingInductance/maximum", "5e-5"),
       "largest inductance lies below"},
      {"an inductance beyond the numbers in uH",
       Replaced(kRequired + "/magnetizingInductance", R"({"minimum": 1e303})"),
       "beyond the range of numbers"},
      {"hottest below the ambient", Replaced(kRequired + "/operatingTemperature/maximum", "15"),
       "highest operating temperature"},
      {"hottest at the ambient", Replaced(kRequired + "/operatingTemperature/maximum", "20"),
       "highest operating temperature"},
      {"nesting just deeper than allowed", std::string(65, '[') + std::string(65, ']'),
       "nests too deep"},
      {"nesting as deep as allowed", std::string(64, '[') + std::string(64, ']'), "no JSON object"},
      {"no inputs", Removed("/inputs"), "has no inputs"},
      {"a JSON array", "[]", "no JSON object"},
      {"no JSON", "{\"inputs\": ", "not JSON text"},
      {"not UTF-8", "{\"inputs\": \"\xff\"}", "not JSON text"},
  };
  for (const auto& c : cases) {
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
