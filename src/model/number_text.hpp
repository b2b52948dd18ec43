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
std::string NumberText(FixedDecimal value);
std::string NumberText(ExactDecimal value);
// The same without the sign blank, as a table's cell or a JSON number holds it ("1.4142").
std::string BareNumberText(ExactDecimal value);
// The same text written at `out`, which has room for kLongestNumberText characters;
// returns the end. The matrix file writes thousands of them. A value past 128 bits
// (IsWide) has no room there: NumberText writes it, this throws OverflowError.
inline constexpr int kLongestNumberText = 48;
char* WriteNumberText(ExactDecimal value, char* out);
// The same for a whole number, as NumberText(ExactDecimal::FromInteger(whole)) writes it.
char* WriteWholeNumberText(Int128 whole, char* out);
// Up to 15 significant digits.
std::string NumberText(double value);

// Half of a matrix's element sum, exactly: the digits of sum / 2 with up to five decimals,
// no trailing zeros and no sign blank ("4.8284", "10", "0.00005").
std::string HalfSumDigits(ExactDecimal sum);

// The shortest text that reads back as the same double ("1.9142135623730951"), with "."
// whatever the locale and no sign blank.
std::string ShortestText(double value);

// Reads a number from a text such as " 12" or " 0": leading blanks are skipped, then an
// optional sign and decimal digits. Anything else, or nothing, gives no value.
std::optional<int> ReadNumber(std::string_view text);

}  // namespace korvelant
