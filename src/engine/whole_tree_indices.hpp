#pragma once

#include "engine/rooted_tree.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// The classic indices of the whole tree, exact where they are integers.
struct WholeTreeIndices {
  Int128 wiener = 0;        // W: sum of the distances of all pairs (Wiener 1947)
  Int128 hyperWiener = 0;   // WW: half the sum of d + d^2 over all pairs (Randic 1993)
  Int128 firstZagreb = 0;   // M1: sum of the squared degrees (Gutman, Trinajstic 1972)
  Int128 secondZagreb = 0;  // M2: sum over edges of the products of end degrees
  double randic = 0;        // chi: sum over edges of 1 / sqrt(d(u) d(v)), unrounded (1975)
  ExactInteger hosoya = 0;  // Z: number of matchings, the empty one included (Hosoya 1971)

  friend bool operator==(const WholeTreeIndices&, const WholeTreeIndices&) = default;
};

// The largest tree whose distance sums the indices add up in 64 bits: the sum of the
// squared distances over ordered pairs, the largest, is below n^4 < 6.3e18 < 2^63 ~ 9.2e18.
inline constexpr int kMaxNarrowDistanceVertices = 50000;

WholeTreeIndices ComputeWholeTreeIndices(const RootedTree& tree);

}  // namespace korvelant
