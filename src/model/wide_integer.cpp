#include "model/wide_integer.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "model/int16.hpp"

namespace korvelant {
namespace {

__extension__ using UInt128 = unsigned __int128;

UInt128 Magnitude(Int128 value) {
  return value < 0 ? UInt128(0) - static_cast<UInt128>(value) : UInt128(value);
}

// The 19 digits of a part below 10^19, leading zeros kept.
char* PutNineteenDigits(std::uint64_t part, char* out) {
  char digits[20];
  char* end = std::to_chars(digits, digits + sizeof digits, part).ptr;
  out = std::fill_n(out, 19 - (end - digits), '0');
  return std::copy(digits, end, out);
}

}  // namespace

char* WriteDecimalDigits(Int128 value, char* out) {
  char* const end = out + kLongestInt128Digits;
  if (value >= INT64_MIN && value <= INT64_MAX) {
    return std::to_chars(out, end, static_cast<std::int64_t>(value)).ptr;
  }
  if (value < 0) *out++ = '-';
  // Split at 10^19, so that each part prints as 64 bits; the magnitude as unsigned, so that
  // the most negative value has one too.
  constexpr std::uint64_t kTenTo19 = 10'000'000'000'000'000'000ULL;
  const UInt128 magnitude = Magnitude(value);
  if (magnitude <= UINT64_MAX)
    return std::to_chars(out, end, static_cast<std::uint64_t>(magnitude)).ptr;
  const UInt128 high = magnitude / kTenTo19;
  if (high > UINT64_MAX) {  // past 38 digits
    out = std::to_chars(out, end, static_cast<std::uint64_t>(high / kTenTo19)).ptr;
    out = PutNineteenDigits(static_cast<std::uint64_t>(high % kTenTo19), out);
  } else {
    out = std::to_chars(out, end, static_cast<std::uint64_t>(high)).ptr;
  }
  return PutNineteenDigits(static_cast<std::uint64_t>(magnitude % kTenTo19), out);
}

std::string ToDecimalString(Int128 value) {
  char buffer[kLongestInt128Digits];
  return std::string(buffer, WriteDecimalDigits(value, buffer));
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

mpz_class ToWide(Int128 value) {
  // Two 64-bit halves of the magnitude, as GMP reads 64-bit words.
  const UInt128 magnitude = Magnitude(value);
  mpz_class result(static_cast<unsigned long>(magnitude >> 64));
  result <<= 64;
  result += mpz_class(static_cast<unsigned long>(magnitude & UINT64_MAX));
  if (value < 0) result = -result;
  return result;
}

bool FitsInt128(const mpz_class& value) {
  // Int128 holds -2^127 .. 2^127 - 1; a magnitude of at most 127 bits always fits.
  return mpz_sizeinbase(value.get_mpz_t(), 2) <= 127;
}

Int128 ToInt128(const mpz_class& value) {
  if (!FitsInt128(value)) ExactInteger::ThrowTooWide();
  const mpz_class magnitude = abs(value);
  const mpz_class high = magnitude >> 64;
  const mpz_class low = magnitude - (high << 64);
  const UInt128 bits = (UInt128(high.get_ui()) << 64) | UInt128(low.get_ui());
  const auto result = static_cast<Int128>(bits);
  return value < 0 ? -result : result;
}

ExactInteger::ExactInteger(const mpz_class& value) {
  if (FitsInt128(value)) {
    small_ = ToInt128(value);
  } else {
    wide_ = std::make_shared<const mpz_class>(value);
  }
}

void ExactInteger::ThrowTooWide() {
  throw OverflowError("a count past 127 bits as Int128");
}

mpz_class ExactInteger::Wide() const {
  return wide_ ? *wide_ : ToWide(small_);
}

ExactInteger operator+(const ExactInteger& a, const ExactInteger& b) {
  Int128 sum = 0;
  if (!a.wide_ && !b.wide_ && !__builtin_add_overflow(a.small_, b.small_, &sum)) return sum;
  return ExactInteger(mpz_class(a.Wide() + b.Wide()));
}

ExactInteger operator*(const ExactInteger& a, const ExactInteger& b) {
  Int128 product = 0;
  if (!a.wide_ && !b.wide_ && !__builtin_mul_overflow(a.small_, b.small_, &product)) {
    return product;
  }
  return ExactInteger(mpz_class(a.Wide() * b.Wide()));
}

ExactInteger operator/(const ExactInteger& a, long divisor) {
  if (!a.wide_) return a.small_ / divisor;
  return ExactInteger(mpz_class(*a.wide_ / divisor));
}

bool operator==(const ExactInteger& a, const ExactInteger& b) {
  if (!a.wide_ && !b.wide_) return a.small_ == b.small_;
  if (!a.wide_ || !b.wide_) return false;  // a wide value never fits Int128
  return *a.wide_ == *b.wide_;
}

std::strong_ordering operator<=>(const ExactInteger& a, const ExactInteger& b) {
  if (!a.wide_ && !b.wide_) {
    return a.small_ < b.small_   ? std::strong_ordering::less
           : a.small_ > b.small_ ? std::strong_ordering::greater
                                 : std::strong_ordering::equal;
  }
  const int sign = cmp(a.Wide(), b.Wide());
  return sign < 0   ? std::strong_ordering::less
         : sign > 0 ? std::strong_ordering::greater
                    : std::strong_ordering::equal;
}

std::string ToDecimalString(const ExactInteger& value) {
  return value.IsWide() ? value.Wide().get_str() : ToDecimalString(value.Narrow());
}

void AppendDecimalDigits(std::string& out, const ExactInteger& value) {
  if (value.IsWide()) {
    out += value.Wide().get_str();
    return;
  }
  char buffer[kLongestInt128Digits];
  out.append(buffer, WriteDecimalDigits(value.Narrow(), buffer));
}

}  // namespace korvelant
