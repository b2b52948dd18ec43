#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/exact_decimal.hpp"
#include "model/fixed_decimal.hpp"
#include "model/int16.hpp"

namespace korvelant {

// The one way a number becomes text, on screen and in the matrix file: a blank where the
// sign would stand (a minus for a negative value), the digits, "." as the decimal point
// whatever the locale, no trailing zeros, no point for a whole value, no exponent.
std::string NumberText(Int16 value);
std::string NumberText(ExactDecimal value);
// The same without the sign blank, as a table's cell or a JSON number holds it ("1.4142"),
// for every value, those past 128 bits too.
std::string BareNumberText(ExactDecimal value);
// The same text written at `out`, which has room for kLongestNumberText characters;
// returns the end. The matrix file writes thousands of them. A value past 128 bits
// (IsWide) has no room there: NumberText writes it, this throws OverflowError.
inline constexpr int kLongestNumberText = 48;
char* WriteNumberText(ExactDecimal value, char* out);
// The same for a whole number, as NumberText(ExactDecimal::FromInteger(whole)) writes it.
char* WriteWholeNumberText(Int128 whole, char* out);
// BareNumberText written at `out`, room as for WriteNumberText; returns the end.
char* WriteBareNumberText(ExactDecimal value, char* out);

// Half of a matrix's element sum, exactly: the digits of sum / 2 with up to five decimals,
// no trailing zeros and no sign blank ("4.8284", "10", "0.00005").
std::string HalfSumDigits(ExactDecimal sum);
// The same appended to `out`, with no string of its own where the value fits 128 bits: a
// batch writes sixteen per row.
void AppendHalfSumDigits(std::string& out, const ExactDecimal& sum);

// The shortest text that reads back as the same double ("1.9142135623730951"), with "."
// whatever the locale and no sign blank.
std::string ShortestText(double value);
// The same written at `out`, room as for WriteNumberText; returns the end.
char* WriteShortestText(double value, char* out);

}  // namespace korvelant
