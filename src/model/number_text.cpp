#include "model/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace korvelant {
namespace {

// GCC 12 warns falsely about `std::string + std::string` here, so texts are built by append.
std::string WithSignPlace(bool negative, std::string_view digits) {
  std::string text(negative ? "-" : " ");
  text.append(digits);
  return text;
}

void StripTrailingZeros(std::string& digits) {
  const auto point = digits.find('.');
  if (point == std::string::npos) return;
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.back() == '.') digits.pop_back();
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
  StripTrailingZeros(digits);
  return digits;
}

// The digits of a non-negative whole number; past 64 bits it is split at 10^19 so that
// each half prints as 64 bits.
char* WriteWholeDigits(Int128 whole, char* out) {
  if (whole <= static_cast<Int128>(UINT64_MAX)) {
    return std::to_chars(out, out + kLongestNumberText, static_cast<std::uint64_t>(whole)).ptr;
  }
  constexpr std::uint64_t kTenTo19 = 10'000'000'000'000'000'000ULL;
  const Int128 high = whole / kTenTo19;
  if (high > static_cast<Int128>(UINT64_MAX)) {  // past 38 digits: never within the limit
    const std::string digits = ToDecimalString(whole);
    return std::copy(digits.begin(), digits.end(), out);
  }
  out = std::to_chars(out, out + kLongestNumberText, static_cast<std::uint64_t>(high)).ptr;
  char low[20];
  char* lowEnd =
      std::to_chars(low, low + sizeof low, static_cast<std::uint64_t>(whole % kTenTo19)).ptr;
  out = std::fill_n(out, 19 - (lowEnd - low), '0');
  return std::copy(low, lowEnd, out);
}

}  // namespace

namespace {

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
    out = std::to_chars(out, out + kLongestNumberText, small / scale).ptr;
    fraction = static_cast<unsigned>(small % scale);
  } else {  // past 64 bits (only large Hosoya counts) one 128-bit division splits it
    out = WriteWholeDigits(magnitude / scale, out);
    fraction = static_cast<unsigned>(magnitude % scale);
  }
  if (fraction == 0) return out;
  // Four places in two pairs, then the trailing zeros taken back, counted without a branch:
  // they vary from value to value and would defeat branch prediction.
  *out++ = '.';
  out = PutDigitPair(fraction / 100, out);
  out = PutDigitPair(fraction % 100, out);
  const int trailingZeros = (fraction % 10 == 0) + (fraction % 100 == 0) + (fraction % 1000 == 0);
  return out - trailingZeros;
}

char* WriteWholeNumberText(Int128 whole, char* out) {
  *out++ = whole < 0 ? '-' : ' ';
  return WriteWholeDigits(whole < 0 ? -whole : whole, out);
}

std::string NumberText(ExactDecimal value) {
  if (value.IsWide()) {
    const mpz_class ticks = value.Ticks().Wide();
    return WithSignPlace(ticks < 0, ScaledDigits(mpz_class(abs(ticks)).get_str(), 4));
  }
  char buffer[kLongestNumberText];
  return std::string(buffer, WriteNumberText(value, buffer));
}

std::string NumberText(FixedDecimal value) {
  return NumberText(ExactDecimal::FromTicks(value.ticks()));
}

std::string HalfSumDigits(ExactDecimal sum) {
  // Half of n ten-thousandths is 5n hundred-thousandths, exactly.
  const ExactInteger halves = sum.Ticks() * ExactInteger(5);
  const bool negative = halves < ExactInteger(0);
  std::string digits = ToDecimalString(halves);
  if (negative) digits.erase(0, 1);
  std::string text(negative ? "-" : "");
  text.append(ScaledDigits(std::move(digits), 5));
  return text;
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc{} ? std::string(buffer, end) : std::string();
}

std::string NumberText(double value) {
  constexpr int kSignificantDigits = 15;
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return WithSignPlace(value < 0, "Infinity");
  const double magnitude = std::fabs(value);
  // Fixed notation with as many decimals as keep 15 significant digits, so no exponent.
  const int leadingDigitPower =
      magnitude == 0 ? 0 : static_cast<int>(std::floor(std::log10(magnitude)));
  const int decimals = std::max(0, kSignificantDigits - 1 - leadingDigitPower);
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  std::string text(buffer, error == std::errc{} ? end : buffer);
  StripTrailingZeros(text);
  return WithSignPlace(value < 0 && text != "0", text);
}

std::optional<int> ReadNumber(std::string_view text) {
  const auto start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string BareNumberText(ExactDecimal value) {
  std::string text = NumberText(value);
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

}  // namespace korvelant
