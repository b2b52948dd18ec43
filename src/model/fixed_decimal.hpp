#pragma once

#include <cmath>
#include <cstdint>

#include "model/int16.hpp"

namespace korvelant {

// A decimal number with four places, held as a 64-bit count of ten-thousandths.
// Matrix elements and their sum use it, so that 0.7071 + 0.7071 is exactly 1.4142.
class FixedDecimal {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr FixedDecimal() = default;
  constexpr explicit FixedDecimal(Int16 whole) : ticks_(whole.value() * kScale) {}

  static constexpr FixedDecimal FromTicks(std::int64_t ticks) {
    FixedDecimal result;
    result.ticks_ = ticks;
    return result;
  }

  // The nearest ten-thousandth; a value exactly halfway goes to the even neighbour.
  static FixedDecimal FromDouble(double value) {
    const double scaled = std::nearbyint(value * kScale);
    if (!(std::fabs(scaled) < 9.0e18)) throw OverflowError("fixed-point conversion out of range");
    return FromTicks(static_cast<std::int64_t>(scaled));
  }

  constexpr std::int64_t ticks() const { return ticks_; }
  constexpr double ToDouble() const { return static_cast<double>(ticks_) / kScale; }

  friend FixedDecimal operator+(FixedDecimal a, FixedDecimal b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.ticks_, b.ticks_, &sum)) {
      throw OverflowError("fixed-point overflow");
    }
    return FromTicks(sum);
  }
  FixedDecimal& operator+=(FixedDecimal other) { return *this = *this + other; }

  friend constexpr bool operator==(FixedDecimal, FixedDecimal) = default;
  friend constexpr auto operator<=>(FixedDecimal, FixedDecimal) = default;

 private:
  std::int64_t ticks_ = 0;
};

}  // namespace korvelant
