#pragma once

#include <cstdint>

namespace korvelant {

// One term of the Randic index (Randic 1975), 1 / sqrt(product of an edge's end degrees),
// taken to the nearest ten-thousandth (halves to even), in ten-thousandths. Every element
// sums such rounded terms, so an element's value is exact in fixed point. Found in whole
// numbers, so that a term exactly halfway (a product of 1,024 gives 0.03125, 25,600 gives
// 0.00625) is a tie and not a double a hair above or below it. 0 for product 0.
std::int64_t RandicTermTicks(std::int64_t degreeProduct);

// The terms of the products below kRandicTableProducts, indexed by the product: for loops
// that look up one term per edge. Larger products (degrees past 127) take RandicTerm.
inline constexpr std::int64_t kRandicTableProducts = 128 * 128;
const std::int64_t* RandicTermTable();

// The term from the table, or computed past it.
inline std::int64_t RandicTerm(const std::int64_t* table, std::int64_t degreeProduct) {
  return degreeProduct < kRandicTableProducts ? table[degreeProduct]
                                              : RandicTermTicks(degreeProduct);
}

}  // namespace korvelant
