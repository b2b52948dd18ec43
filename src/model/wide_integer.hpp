#pragma once

#include <gmpxx.h>

#include <compare>
#include <memory>
#include <string>

namespace korvelant {

// A 128-bit signed integer: the exact values of trees up to the engine's vertex limit
// (Hosoya counts grow like the Fibonacci numbers and pass 64 bits from 93 vertices on).
// GCC's native type is several times faster than a library bignum here, and the limit
// keeps every value far inside its range.
__extension__ using Int128 = __int128;

// The decimal digits, with a leading "-" when negative.
std::string ToDecimalString(Int128 value);
// The same written at `out`, which has room for kLongestInt128Digits characters; returns the
// end. Nearly every value fits 64 bits and takes no 128-bit division.
inline constexpr int kLongestInt128Digits = 40;
char* WriteDecimalDigits(Int128 value, char* out);

// Checked arithmetic: throws OverflowError instead of wrapping.
Int128 CheckedAdd(Int128 a, Int128 b);
Int128 CheckedMultiply(Int128 a, Int128 b);

// An exact integer of any size: an Int128 while the value fits one, a GMP number past it
// (the Hosoya counts of trees past about 180 vertices). A value that fits is always held
// as Int128, so that the fast paths see nearly every value and equal values look alike.
class ExactInteger {
 public:
  ExactInteger() = default;
  ExactInteger(Int128 value) : small_(value) {}  // NOLINT: every Int128 is one
  explicit ExactInteger(const mpz_class& value);

  bool IsWide() const { return wide_ != nullptr; }
  // The value as Int128; throws OverflowError when it does not fit.
  Int128 Narrow() const {
    if (wide_) ThrowTooWide();
    return small_;
  }
  mpz_class Wide() const;

  friend ExactInteger operator+(const ExactInteger& a, const ExactInteger& b);
  friend ExactInteger operator*(const ExactInteger& a, const ExactInteger& b);
  // The quotient rounded toward zero, as Int128's division; divisor not 0.
  friend ExactInteger operator/(const ExactInteger& a, long divisor);
  friend bool operator==(const ExactInteger& a, const ExactInteger& b);
  friend std::strong_ordering operator<=>(const ExactInteger& a, const ExactInteger& b);

  // Throws the OverflowError of a value that does not fit Int128.
  [[noreturn]] static void ThrowTooWide();

 private:
  Int128 small_ = 0;
  std::shared_ptr<const mpz_class> wide_;  // set only when the value does not fit Int128
};

std::string ToDecimalString(const ExactInteger& value);
// The digits of `value` appended to `out`, with no string of their own where it fits 128 bits.
void AppendDecimalDigits(std::string& out, const ExactInteger& value);

// The GMP number of an Int128, and the Int128 of a GMP number that fits one.
mpz_class ToWide(Int128 value);
bool FitsInt128(const mpz_class& value);
Int128 ToInt128(const mpz_class& value);

}  // namespace korvelant
