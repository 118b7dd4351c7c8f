#pragma once
// Reading texts as numbers and writing numbers as plain text.
//
// A number, as the program accepts it anywhere (input fields, input boxes,
// the core database, design files): optional blanks (spaces or tabs), an
// optional sign, decimal digits with at most one "." as the decimal point
// (at least one digit on either side of it overall: "5", "5.", ".5"), an
// optional exponent ("e" or "E", optional sign, digits), optional blanks.
// Not numbers: the empty text, thousands separators ("1,000"), a comma as the
// decimal point, hexadecimal, "inf", "nan", and values beyond the range of an
// 8-byte float ("1e999").

#include <optional>
#include <string>
#include <string_view>

namespace tov {

// True when the text is a number as described above.
bool IsNumber(std::string_view text);

// The value of a number text; nullopt when the text is not a number.
std::optional<double> ParseNumber(std::string_view text);

// True when the text has the shape of a number but is beyond the range of a
// double ("1e400"), which ParseNumber does not take for a number.
bool IsNumberBeyondDouble(std::string_view text);

// Plain number text: the shortest decimal form of the value rounded to at most
// `significant_digits` digits, no trailing zeros, no decimal point for a whole
// number, a "0" before the point of a fraction, "." as the point. Magnitudes
// below 1e-5 or of 10^significant_digits and above take an exponent form:
// mantissa, "E", sign and at least two exponent digits (1E+07, 2.5E-06).
// 15 digits suit 8-byte values, 7 digits 4-byte floats.
std::string PlainNumberText(double value, int significant_digits = 15);

}  // namespace tov
