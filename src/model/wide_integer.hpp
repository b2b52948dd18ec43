#pragma once

#include <string>

namespace korvelant {

// A 128-bit signed integer: the exact values of trees up to the engine's vertex limit
// (Hosoya counts grow like the Fibonacci numbers and pass 64 bits from 93 vertices on).
// GCC's native type is several times faster than a library bignum here, and the limit
// keeps every value far inside its range.
__extension__ using Int128 = __int128;

// The decimal digits, with a leading "-" when negative.
std::string ToDecimalString(Int128 value);

// Checked arithmetic: throws OverflowError instead of wrapping.
Int128 CheckedAdd(Int128 a, Int128 b);
Int128 CheckedMultiply(Int128 a, Int128 b);

}  // namespace korvelant
