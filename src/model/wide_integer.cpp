#include "model/wide_integer.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "model/int16.hpp"

namespace korvelant {

std::string ToDecimalString(Int128 value) {
  if (value == 0) return "0";
  // Nearly every value fits 64 bits, whose digits need no 128-bit division.
  if (value > INT64_MIN && value <= INT64_MAX) {
    char buffer[24];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
    return std::string(buffer, end.ptr);
  }
  // The magnitude as unsigned, so that the most negative value has one too.
  __extension__ using UInt128 = unsigned __int128;
  UInt128 magnitude = value < 0 ? UInt128(0) - static_cast<UInt128>(value) : UInt128(value);
  std::string digits;
  while (magnitude != 0) {
    digits.push_back(static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  }
  if (value < 0) digits.push_back('-');
  std::reverse(digits.begin(), digits.end());
  return digits;
}

Int128 CheckedAdd(Int128 a, Int128 b) {
  Int128 sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) throw OverflowError("128-bit overflow in a sum");
  return sum;
}

Int128 CheckedMultiply(Int128 a, Int128 b) {
  Int128 product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    throw OverflowError("128-bit overflow in a product");
  }
  return product;
}

}  // namespace korvelant
