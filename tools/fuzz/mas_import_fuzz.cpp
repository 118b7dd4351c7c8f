// libFuzzer target: the MAS document reader (File > Import MAS..., tovcalc
// --from-mas) on any bytes. Besides a crash, a hang or a sanitizer report it
// fails on:
// - a refusal without a reason, an acceptance with one, or a reason showing
//   "nan" or "inf";
// - an accepted document without a DC current, ripple, frequency or full-load
//   inductance, with a current density, or with a value out of its range:
//   DC current and ripple >= 0, frequency and inductances > 0, a no-load
//   ceiling below the full-load inductance, a rise <= 0, any value not finite;
// - inputs that do not come back when written as the plainest document that
//   states them and read again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "io/mas_import.h"

namespace {

using tov::MasInput;

std::string PlainDocument(const tov::MasInputs& in) {
  nlohmann::json inductance = {{"minimum", *in[MasInput::FullLoadL] * 1e-6}};
  if (in[MasInput::NoLoadL]) inductance["maximum"] = *in[MasInput::NoLoadL] * 1e-6;
  nlohmann::json requirements = {{"magnetizingInductance", inductance}, {"turnsRatios", {}}};
  if (in[MasInput::Rise]) requirements["operatingTemperature"] = {{"maximum", *in[MasInput::Rise]}};
  const nlohmann::json current = {{"processed",
                                   {{"label", "triangular"},
                                    {"offset", *in[MasInput::Idc]},
                                    {"peakToPeak", *in[MasInput::Ripple]}}}};
  const nlohmann::json point = {
      {"conditions", {{"ambientTemperature", 0}}},
      {"excitationsPerWinding",
       {{{"frequency", *in[MasInput::Frequency] * 1e3}, {"current", current}}}}};
  return nlohmann::json{
      {"inputs", {{"designRequirements", requirements}, {"operatingPoints", {point}}}}}
      .dump();
}

void CheckAccepted(std::string_view text, const tov::MasInputs& in) {
  using tov::fuzz::Fail;
  for (const MasInput given :
       {MasInput::Idc, MasInput::Ripple, MasInput::Frequency, MasInput::FullLoadL}) {
    if (!in[given]) Fail("an accepted document lacks an input", text);
  }
  if (in[MasInput::Density]) Fail("a current density from a document", text);
  for (const auto& value : in.value) {
    if (value && !std::isfinite(*value)) Fail("an input that is not finite", text);
  }
  if (*in[MasInput::Idc] < 0 || *in[MasInput::Ripple] < 0 || !(*in[MasInput::Frequency] > 0) ||
      !(*in[MasInput::FullLoadL] > 0)) {
    Fail("an input out of its range", text);
  }
  if (in[MasInput::NoLoadL] && *in[MasInput::NoLoadL] < *in[MasInput::FullLoadL]) {
    Fail("a no-load ceiling below the full-load inductance", text);
  }
  if (in[MasInput::Rise] && !(*in[MasInput::Rise] > 0)) Fail("a rise of 0 or less", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tov::MasImport read = tov::ImportMas(text);
  if (!read.inputs) {
    if (read.reason.empty()) tov::fuzz::Fail("a refusal without a reason", text);
    tov::fuzz::ExpectFinite("reason", read.reason);
    return 0;
  }
  if (!read.reason.empty()) tov::fuzz::Fail("an acceptance with a reason", text);
  CheckAccepted(text, *read.inputs);
  const std::string plain = PlainDocument(*read.inputs);
  const tov::MasImport again = tov::ImportMas(plain);
  if (!again.inputs) tov::fuzz::Fail("the plain document is refused: " + again.reason, plain);
  for (std::size_t k = 0; k < tov::kMasInputCount; ++k) {
    const auto& a = read.inputs->value[k];
    const auto& b = again.inputs->value[k];
    if (a.has_value() != b.has_value() ||
        (a && std::abs(*a - *b) > 1e-12 * std::max(std::abs(*a), 1.0))) {
      tov::fuzz::Fail("inputs that do not come back", plain);
    }
  }
  return 0;
}
