// The readers of ngspice's batch output on any bytes: they never throw, and
// what they accept is finite, each figure as the line named it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "io/converter_deck.h"
#include "io/pfc_deck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const bool has_rloss : {false, true}) {
    const std::optional<tov::SimulatedChoke> choke = tov::ReadSimulatedChoke(bytes, has_rloss);
    if (!choke) continue;
    for (const double v : {choke->ripple_pp_a, choke->i_avg_a, choke->i_peak_a, choke->i_rms_a,
                           choke->p_rdc_mw, choke->p_rloss_mw}) {
      if (!std::isfinite(v)) tov::fuzz::Fail("a figure that is not finite", bytes);
    }
    if (!has_rloss && !tov::ReadSimulatedChoke(bytes, true) && choke->p_rloss_mw != 0) {
      tov::fuzz::Fail("R_LOSS power without its measurement", bytes);
    }
  }
  const tov::Envelope envelope = tov::ReadEnvelope(bytes);
  if (!envelope.upper.empty()) {
    if (envelope.upper.size() != tov::kEnvelopeWindows ||
        envelope.lower.size() != tov::kEnvelopeWindows) {
      tov::fuzz::Fail("an envelope of the wrong length", bytes);
    }
    for (std::size_t k = 0; k < envelope.upper.size(); ++k) {
      if (!std::isfinite(envelope.upper[k]) || !std::isfinite(envelope.lower[k])) {
        tov::fuzz::Fail("an envelope value that is not finite", bytes);
      }
    }
  }
  return 0;
}
