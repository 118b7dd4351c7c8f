#pragma once
// The choke in its PFC boost as an ngspice deck: a half cycle of the lowest
// line, rectified, into synchronous switches whose duty follows
// 1 - efficiency vin / Vout against a sawtooth at the switching frequency, a
// bulk capacitor at the output voltage and a resistive load for the output
// power. A reduced time resolution (a hundredth of a switching period); the
// current's envelope in windows of the half cycle, and the ripple at the
// crest.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engines/converter.h"
#include "engines/spice_model.h"
#include "io/converter_deck.h"

namespace tov {

// Windows of the half line cycle the envelope is measured in.
inline constexpr int kEnvelopeWindows = 18;

// The deck; `vin` is the RMS line, `duty` the one at the crest,
// `inductor_idc` the line current's crest, `predicted_ripple` the crest's
// ripple from the model's curve. nullopt for another topology.
std::optional<ConverterDeck> BuildPfcDeck(const SpiceModel& model, const ConverterRequest& request);

// The largest and the smallest current (A) of each window, in order; empty
// when a measurement is missing.
struct Envelope {
  std::vector<double> upper;
  std::vector<double> lower;
};
Envelope ReadEnvelope(std::string_view output);

}  // namespace tov
