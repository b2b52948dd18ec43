#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/fixed_decimal.hpp"
#include "model/int16.hpp"

namespace korvelant {

// The one way a number becomes text, on screen and in the matrix file: a blank where the
// sign would stand (a minus for a negative value), the digits, "." as the decimal point
// whatever the locale, no trailing zeros, no point for a whole value, no exponent.
std::string NumberText(Int16 value);
std::string NumberText(FixedDecimal value);
// Up to 15 significant digits, as the half-sum is shown.
std::string NumberText(double value);

// Reads a number from a text such as " 12" or " 0": leading blanks are skipped, then an
// optional sign and decimal digits. Anything else, or nothing, gives no value.
std::optional<int> ReadNumber(std::string_view text);

}  // namespace korvelant
