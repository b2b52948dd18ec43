#include "engine/randic_term.hpp"

#include <cmath>
#include <vector>

#include "model/fixed_decimal.hpp"

namespace korvelant {
namespace {

// The largest t with t^2 <= value.
std::int64_t SquareRootFloor(std::int64_t value) {
  auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
  while (root * root > value)
    --root;
  while ((root + 1) * (root + 1) <= value)
    ++root;
  return root;
}

const std::vector<std::int64_t>& RandicTerms() {
  static const std::vector<std::int64_t> kTerms = [] {
    std::vector<std::int64_t> terms(kRandicTableProducts, 0);
    for (std::int64_t product = 1; product < kRandicTableProducts; ++product)
      terms[product] = RandicTermTicks(product);
    return terms;
  }();
  return kTerms;
}

}  // namespace

// The term is S / sqrt(p) with S the scale: its floor t is the floor of sqrt(S^2 / p), and
// it lies above t + 1/2 exactly when 4 S^2 > (2t + 1)^2 p, on it when they are equal.
std::int64_t RandicTermTicks(std::int64_t degreeProduct) {
  if (degreeProduct <= 0) return 0;
  constexpr std::int64_t kScaleSquared = FixedDecimal::kScale * FixedDecimal::kScale;
  const std::int64_t floor = SquareRootFloor(kScaleSquared / degreeProduct);
  __extension__ using Wide = __int128;
  const Wide odd = 2 * floor + 1;
  const Wide above = odd * odd * degreeProduct;
  const Wide fourScaleSquared = 4 * Wide{kScaleSquared};
  if (fourScaleSquared > above) return floor + 1;
  if (fourScaleSquared == above) return floor % 2 == 0 ? floor : floor + 1;
  return floor;
}

const std::int64_t* RandicTermTable() {
  return RandicTerms().data();
}

}  // namespace korvelant
