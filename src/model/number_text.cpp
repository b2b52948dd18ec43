#include "model/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace korvelant {
namespace {

// GCC 12 warns falsely about `std::string + std::string` here, so texts are built by append.
std::string WithSignPlace(bool negative, std::string_view digits) {
  std::string text(negative ? "-" : " ");
  text.append(digits);
  return text;
}

}  // namespace

std::string NumberText(Int16 value) {
  return WithSignPlace(value.value() < 0, std::to_string(std::abs(value.value())));
}

namespace {

// The digits of a non-negative count of units of 10^-places, with the point placed and
// trailing zeros dropped.
std::string ScaledDigits(std::string digits, int places) {
  if (digits.size() <= static_cast<std::size_t>(places)) {
    digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

// "00" to "99", two characters each: digits are written in pairs.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int k = 0; k < 100; ++k) {
    pairs[2 * k] = static_cast<char>('0' + k / 10);
    pairs[2 * k + 1] = static_cast<char>('0' + k % 10);
  }
  return pairs;
}();

char* PutDigitPair(unsigned pair, char* out) {
  std::memcpy(out, &kDigitPairs[2 * pair], 2);
  return out + 2;
}

}  // namespace

char* WriteNumberText(ExactDecimal value, char* out) {
  static_assert(ExactDecimal::kScale == 10'000);
  const Int128 ticks = value.ticks();
  const Int128 magnitude = ticks < 0 ? -ticks : ticks;
  *out++ = ticks < 0 ? '-' : ' ';
  const std::int64_t scale = ExactDecimal::kScale;
  unsigned fraction = 0;
  if (magnitude < 100 * scale) {  // most values: the whole part in one pair or one digit
    const auto small = static_cast<unsigned>(magnitude);
    const unsigned whole = small / scale;
    if (whole >= 10)
      out = PutDigitPair(whole, out);
    else
      *out++ = static_cast<char>('0' + whole);
    fraction = small % scale;
  } else if (magnitude <= static_cast<Int128>(UINT64_MAX)) {
    const auto small = static_cast<std::uint64_t>(magnitude);
    out = std::to_chars(out, out + kLongestInt128Digits, small / scale).ptr;
    fraction = static_cast<unsigned>(small % scale);
  } else {  // past 64 bits (only large Hosoya counts) one 128-bit division splits it
    out = WriteDecimalDigits(magnitude / scale, out);
    fraction = static_cast<unsigned>(magnitude % scale);
  }
  if (fraction == 0) return out;
  // Four places in two pairs, then the trailing zeros taken back.
  *out++ = '.';
  out = PutDigitPair(fraction / 100, out);
  out = PutDigitPair(fraction % 100, out);
  const int trailingZeros = (fraction % 10 == 0) + (fraction % 100 == 0) + (fraction % 1000 == 0);
  return out - trailingZeros;
}

char* WriteWholeNumberText(Int128 whole, char* out) {
  *out++ = whole < 0 ? '-' : ' ';
  return WriteDecimalDigits(whole < 0 ? -whole : whole, out);
}

std::string NumberText(ExactDecimal value) {
  if (value.IsWide()) {
    const mpz_class ticks = value.Ticks().Wide();
    return WithSignPlace(ticks < 0, ScaledDigits(mpz_class(abs(ticks)).get_str(), 4));
  }
  char buffer[kLongestNumberText];
  return std::string(buffer, WriteNumberText(value, buffer));
}

namespace {

// Half of n ten-thousandths is 5n hundred-thousandths, exactly: the digits of a half-sum
// whose 5n fits 128 bits, written at `out`.
char* WriteNarrowHalfSum(Int128 ticks, char* out) {
  const Int128 halves = ticks * 5;
  if (halves < 0) *out++ = '-';
  const Int128 magnitude = halves < 0 ? -halves : halves;
  constexpr unsigned kPlaces = 100'000;
  unsigned fraction = 0;
  if (magnitude <= static_cast<Int128>(UINT64_MAX)) {
    const auto small = static_cast<std::uint64_t>(magnitude);
    out = std::to_chars(out, out + kLongestInt128Digits, small / kPlaces).ptr;
    fraction = static_cast<unsigned>(small % kPlaces);
  } else {
    out = WriteDecimalDigits(magnitude / kPlaces, out);
    fraction = static_cast<unsigned>(magnitude % kPlaces);
  }
  if (fraction == 0) return out;
  *out++ = '.';
  for (unsigned place = kPlaces / 10; fraction != 0; place /= 10) {
    *out++ = static_cast<char>('0' + fraction / place);
    fraction %= place;
  }
  return out;
}

// Whether 5 times the sum's ticks fits 128 bits, for WriteNarrowHalfSum.
bool HalfSumIsNarrow(const ExactDecimal& sum) {
  constexpr Int128 kLargestNarrow = std::numeric_limits<Int128>::max() / 5;
  return !sum.IsWide() && sum.ticks() <= kLargestNarrow && sum.ticks() >= -kLargestNarrow;
}

}  // namespace

void AppendHalfSumDigits(std::string& out, const ExactDecimal& sum) {
  if (HalfSumIsNarrow(sum)) {
    char buffer[kLongestNumberText];
    out.append(buffer, WriteNarrowHalfSum(sum.ticks(), buffer));
    return;
  }
  const ExactInteger halves = sum.Ticks() * ExactInteger(5);
  const bool negative = halves < ExactInteger(0);
  std::string digits = ToDecimalString(halves);
  if (negative) digits.erase(0, 1);
  if (negative) out += '-';
  out.append(ScaledDigits(std::move(digits), 5));
}

std::string HalfSumDigits(ExactDecimal sum) {
  std::string text;
  AppendHalfSumDigits(text, sum);
  return text;
}

char* WriteShortestText(double value, char* out) {
  const auto [end, error] = std::to_chars(out, out + kLongestInt128Digits, value);
  return error == std::errc{} ? end : out;
}

std::string ShortestText(double value) {
  char buffer[kLongestNumberText];
  return std::string(buffer, WriteShortestText(value, buffer));
}

char* WriteBareNumberText(ExactDecimal value, char* out) {
  char* end = WriteNumberText(value, out);
  if (*out != ' ') return end;
  std::memmove(out, out + 1, static_cast<std::size_t>(end - out - 1));
  return end - 1;
}

std::string BareNumberText(ExactDecimal value) {
  if (value.IsWide()) {
    std::string text = NumberText(value);
    if (text.front() == ' ') text.erase(0, 1);
    return text;
  }
  char buffer[kLongestNumberText];
  return std::string(buffer, WriteBareNumberText(value, buffer));
}

}  // namespace korvelant
