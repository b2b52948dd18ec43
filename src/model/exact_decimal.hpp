#pragma once

#include <compare>
#include <cstdint>

#include "model/fixed_decimal.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// A matrix value of any tree size: a 128-bit count of ten-thousandths, like FixedDecimal
// with room for the Hosoya counts of large trees. Additions are checked.
class ExactDecimal {
 public:
  static constexpr std::int64_t kScale = FixedDecimal::kScale;

  constexpr ExactDecimal() = default;

  static constexpr ExactDecimal FromTicks(Int128 ticks) {
    ExactDecimal result;
    result.ticks_ = ticks;
    return result;
  }
  static ExactDecimal FromInteger(Int128 whole) {
    return FromTicks(CheckedMultiply(whole, kScale));
  }

  constexpr Int128 ticks() const { return ticks_; }

  friend ExactDecimal operator+(ExactDecimal a, ExactDecimal b) {
    return FromTicks(CheckedAdd(a.ticks_, b.ticks_));
  }
  ExactDecimal& operator+=(ExactDecimal other) { return *this = *this + other; }

  friend constexpr bool operator==(ExactDecimal, ExactDecimal) = default;
  friend constexpr auto operator<=>(ExactDecimal a, ExactDecimal b) {
    return a.ticks_ < b.ticks_   ? std::strong_ordering::less
           : a.ticks_ > b.ticks_ ? std::strong_ordering::greater
                                 : std::strong_ordering::equal;
  }

 private:
  Int128 ticks_ = 0;
};

}  // namespace korvelant
