#pragma once

#include <compare>
#include <cstdint>

#include "model/fixed_decimal.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// A matrix value of any tree size: an exact count of ten-thousandths, like FixedDecimal
// with room for the Hosoya counts of large trees (128 bits, and past them GMP).
class ExactDecimal {
 public:
  static constexpr std::int64_t kScale = FixedDecimal::kScale;

  ExactDecimal() = default;

  static ExactDecimal FromTicks(ExactInteger ticks) {
    ExactDecimal result;
    result.ticks_ = std::move(ticks);
    return result;
  }
  static ExactDecimal FromInteger(const ExactInteger& whole) {
    return FromTicks(whole * ExactInteger(kScale));
  }

  // The count as Int128; throws OverflowError for a value past 127 bits (IsWide).
  Int128 ticks() const { return ticks_.Narrow(); }
  const ExactInteger& Ticks() const { return ticks_; }
  bool IsWide() const { return ticks_.IsWide(); }

  friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
    return FromTicks(a.ticks_ + b.ticks_);
  }
  ExactDecimal& operator+=(const ExactDecimal& other) { return *this = *this + other; }

  friend bool operator==(const ExactDecimal&, const ExactDecimal&) = default;
  friend std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b) {
    return a.ticks_ <=> b.ticks_;
  }

 private:
  ExactInteger ticks_;
};

}  // namespace korvelant
