#pragma once

#include <cstdint>

#include "model/exact_decimal.hpp"
#include "model/matrix_kind.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// The four indices of one subgraph of a tree, a forest: Wiener, Zagreb and Hosoya are whole
// numbers, Randic a sum of terms each taken to four places.
struct SubgraphValues {
  std::int64_t wiener = 0;       // below n^3 / 6
  std::int64_t randicTicks = 0;  // in ten-thousandths
  std::int64_t zagreb = 0;       // below n^3
  Int128 hosoya = 0;             // at most F(n + 1); passes 64 bits from 93 vertices

  // The value of one index as a matrix element. Within the vertex limit every value times
  // the scale fits 128 bits (see kMaxTreeVertices).
  ExactDecimal Of(TopologicalIndex index) const {
    switch (index) {
      case TopologicalIndex::Wiener:
        return ExactDecimal::FromTicks(Int128{wiener} * ExactDecimal::kScale);
      case TopologicalIndex::Randic:
        return ExactDecimal::FromTicks(randicTicks);
      case TopologicalIndex::Zagreb:
        return ExactDecimal::FromTicks(Int128{zagreb} * ExactDecimal::kScale);
      case TopologicalIndex::Hosoya:
        return ExactDecimal::FromTicks(hosoya * ExactDecimal::kScale);
    }
    return {};
  }

  friend bool operator==(const SubgraphValues&, const SubgraphValues&) = default;
};

}  // namespace korvelant
