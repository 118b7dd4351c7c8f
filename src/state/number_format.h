#pragma once
// Digit patterns of the result fields: "0.000", "#####0.00", "###", "##0.0",
// "####0.0", "#0.00", "###0.000", "0.00".

#include <optional>
#include <string>
#include <string_view>

namespace tov {

// The value written with the pattern: the value is first written to 15
// significant digits (as a person reads it: 2.675 stays 2.675), then rounded
// half away from zero to as many decimals as the pattern has positions after
// its "."; a "0" position always shows a digit, a "#" position only a
// significant one; no thousands separator, "." as the point, "-" before a
// negative value whose rounded form is not zero. So 0 in "###" gives the empty
// text, 0.4 in "0.000" gives "0.400", 2.675 in "0.00" gives "2.68", -0.04 in
// "##0.0" gives "0.0". nullopt for a value that is not finite.
std::optional<std::string> FormatNumber(double value, std::string_view pattern);

}  // namespace tov
