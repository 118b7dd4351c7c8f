#pragma once
// A curve as comma-separated values, and the short names that pick a curve
// on the command line and in exported file names.

#include <optional>
#include <string>
#include <string_view>

#include "engines/curves.h"

namespace tov {

// "l-vs-i", "mu-vs-h", "loss-vs-i", "loss-vs-f".
std::string_view CurveName(CurveKind kind);

// The curve a short name picks (case matters); nullopt for any other text.
std::optional<CurveKind> CurveKindFromName(std::string_view name);

// The curve as CSV text: a header line whose first column is the x quantity
// and whose every column names its unit ("Current (A),Inductance (uH)", the
// micro sign in UTF-8), then one line per point. Numbers are plain decimal
// text of up to 7 significant digits; a point without a value is an empty cell.
// Lines end in "\n". With a `heading` the text starts with one more line,
// "# " and the heading (its line breaks made blanks), which CSV readers that
// know comments skip: the curve's title and the design it belongs to.
std::string CurveCsv(const Curve& curve, std::string_view heading = {});

}  // namespace tov
