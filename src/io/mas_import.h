#pragma once
// Reading the inputs of a design from a MAS document (the open JSON format
// magnetics tools exchange designs in): the DC current, the ripple and its
// frequency from the one operating point's current, the inductance required
// and, where the document states them, the no-load ceiling and the allowed
// temperature rise. A document the program cannot design from is refused
// with the reason.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tov {

// Files larger than this are refused unread: a MAS document with sampled
// waveforms stays far below it.
inline constexpr std::size_t kMasMaxBytes = 16 * 1024 * 1024;

// The seven inputs in the order of the window's fields, in its units: DC
// current (A), ripple (A peak to peak), frequency (kHz), current density
// (A/cm^2, never in a document), Full Load L (uH), No Load L (uH) and
// temperature rise (deg C). nullopt: the document does not say; the input
// keeps its value.
enum class MasInput : std::size_t { Idc, Ripple, Frequency, Density, FullLoadL, NoLoadL, Rise };
inline constexpr std::size_t kMasInputCount = 7;

struct MasInputs {
  std::array<std::optional<double>, kMasInputCount> value;
  std::optional<double>& operator[](MasInput input) {
    return value[static_cast<std::size_t>(input)];
  }
  const std::optional<double>& operator[](MasInput input) const {
    return value[static_cast<std::size_t>(input)];
  }
};

struct MasImport {
  std::optional<MasInputs> inputs;  // nullopt: refused
  std::string reason;               // why it was refused, a sentence; empty otherwise
};

// The inputs of the document `text` (UTF-8 JSON). Values are rounded to 15
// significant digits, so that the units' conversions leave no trailing noise.
// Refused: no JSON object, more than one winding or operating point, a
// current that is not DC plus a triangle, no frequency, no required
// inductance, a figure out of range.
MasImport ImportMas(std::string_view text);

}  // namespace tov
