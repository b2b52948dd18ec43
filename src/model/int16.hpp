#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace korvelant {

// Raised when 16-bit arithmetic or a fixed-point sum leaves its range. Within the
// vertex limit no input reaches it; it exists so that a wrong count cannot pass silently.
class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// A 16-bit signed integer whose arithmetic reports overflow instead of wrapping.
// Counters, vertex numbers, degrees, distances and every entry of the tree model use it.
class Int16 {
 public:
  constexpr Int16() = default;
  // Implicit so that model code reads like arithmetic: `Distance(i, m) = k + 1`.
  constexpr Int16(int value) : value_(Checked(value)) {}  // NOLINT(google-explicit-constructor)

  constexpr int value() const { return value_; }

  friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.value_ + b.value_); }
  friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.value_ - b.value_); }
  friend constexpr Int16 operator*(Int16 a, Int16 b) { return Int16(a.value_ * b.value_); }
  constexpr Int16& operator+=(Int16 other) { return *this = *this + other; }
  constexpr Int16& operator-=(Int16 other) { return *this = *this - other; }
  constexpr Int16& operator++() { return *this += 1; }
  constexpr Int16& operator--() { return *this -= 1; }

  friend constexpr bool operator==(Int16, Int16) = default;
  friend constexpr auto operator<=>(Int16, Int16) = default;

 private:
  static constexpr std::int16_t Checked(int value) {
    if (value < INT16_MIN || value > INT16_MAX) [[unlikely]] {
      throw OverflowError("16-bit integer overflow: " + std::to_string(value));
    }
    return static_cast<std::int16_t>(value);
  }

  std::int16_t value_ = 0;
};

}  // namespace korvelant
