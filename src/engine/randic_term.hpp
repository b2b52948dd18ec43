#pragma once

#include <cstdint>

namespace korvelant {

// One term of the Randic index (Randic 1975), 1 / sqrt(product of an edge's end degrees),
// taken to the nearest ten-thousandth (halves to even), in ten-thousandths. Every element
// sums such rounded terms, so an element's value is exact in fixed point.
std::int64_t RandicTermTicks(int degreeProduct);

// The terms of every product a tree within the vertex limit has, 0 for product 0, indexed
// by the product: for loops that look up one term per edge.
const std::int64_t* RandicTermTable();

}  // namespace korvelant
