#include "support/forest_evaluator.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/randic_term.hpp"

namespace korvelant {

ForestEvaluator::ForestEvaluator(const RootedTree& tree)
    : n_(tree.vertexCount()), randicTerm_(RandicTermTable()) {
  std::array<int, kMaxFixedWidthVertices + 1> position;
  for (int k = 0; k < n_; ++k)
    position[tree.order[k]] = k;
  std::fill_n(at_.begin(), n_ + 1, 0);
  const int root = tree.order[0];
  up_[root] = toRoot_[root] = 0;
  parentAt_[0] = -1;
  // Breadth-first order meets every parent before its children.
  for (int k = 1; k < n_; ++k) {
    const int v = tree.order[k];
    const int p = tree.parent[v];
    const EdgeSet edge = EdgeSet{1} << k;
    parentAt_[k] = position[p];
    up_[v] = edge;
    toRoot_[v] = toRoot_[p] | edge;
    at_[v] |= edge;
    at_[p] |= edge;
    all_ |= edge;
  }
}

// Matchings of a forest of n vertices number at most F(n + 1), which fits 64 bits up to
// n = 91; larger trees count in 128 bits. Up to 64 vertices a set fits one word.
constexpr int kLargestIn64Bits = 90;
constexpr int kLargestInOneWord = 64;

SubgraphValues ForestEvaluator::Evaluate(EdgeSet kept) const {
  if (n_ <= kLargestInOneWord) return Pass<std::uint64_t, std::uint64_t, 1>({kept})[0];
  if (n_ <= kLargestIn64Bits) return Pass<std::uint64_t, EdgeSet, 1>({kept})[0];
  return Pass<Int128, EdgeSet, 1>({kept})[0];
}

std::array<SubgraphValues, 2> ForestEvaluator::Evaluate(EdgeSet first, EdgeSet second) const {
  if (n_ <= kLargestInOneWord) return Pass<std::uint64_t, std::uint64_t, 2>({first, second});
  if (n_ <= kLargestIn64Bits) return Pass<std::uint64_t, EdgeSet, 2>({first, second});
  // Two forests' 128-bit counts at once outrun the registers: one pass each is faster.
  return {Evaluate(first), Evaluate(second)};
}

// One pass from the leaves up, through every forest side by side. A kept edge v-p joins
// v's finished subtree to p's:
//  - Wiener: each kept edge adds size(v) * (C - size(v)) for its component of C vertices.
//    C is known only at the component's top, so the pass carries the sums of size(v) and
//    size(v)^2 over the component's edges and adds C * sum - sum of squares there.
//  - Hosoya: the matchings of v's subtree with v free and with v matched; p matched means
//    matched to v (v free) or to an earlier child.
template <typename Count, typename Mask, int Forests>
std::array<SubgraphValues, Forests> ForestEvaluator::Pass(
    const std::array<EdgeSet, Forests>& keptSets) const {
  // Sizes and their sums stay below 128^3, well inside 32 bits.
  struct Subtree {
    std::int32_t size;
    std::int32_t sizeSum;
    std::int32_t squareSum;
    Count free;
    Count matched;
  };
  static constexpr Subtree kLone{1, 0, 0, 1, 0};  // a vertex before its children join
  const int n = n_;
  const int* const parentAt = parentAt_.data();
  std::array<std::array<Subtree, kMaxFixedWidthVertices>, Forests> at;
  // By position, whether the edge up is kept (1 or 0), and the degree in the forest.
  std::array<std::array<int, kMaxFixedWidthVertices>, Forests> kept;
  std::array<std::array<int, kMaxFixedWidthVertices>, Forests> degree;
  for (int f = 0; f < Forests; ++f) {
    std::fill_n(at[f].begin(), n, kLone);
    // A parent comes before its children, so each degree is set before they add to it.
    // (Clearing the array first would be slower: the additions then wait for a bulk write.)
    degree[f][0] = 0;
    auto rest = static_cast<Mask>(keptSets[f]);
    for (int k = 1; k < n; ++k) {
      rest >>= 1;
      const int bit = static_cast<int>(rest & 1);
      kept[f][k] = bit;
      degree[f][k] = bit;
      degree[f][parentAt[k]] += bit;
    }
  }

  // The sums live in plain locals, set one by one (a bulk clearing would hold up the first
  // additions), and are copied out at the end.
  const std::int64_t* const randicTerm = randicTerm_;
  std::array<std::int64_t, Forests> wiener;
  std::array<std::int64_t, Forests> zagreb;
  std::array<std::int64_t, Forests> randicTicks;
  std::array<Count, Forests> hosoya;
  for (int f = 0; f < Forests; ++f) {
    wiener[f] = zagreb[f] = randicTicks[f] = 0;
    hosoya[f] = 1;
  }
  // Whether an edge is kept varies from forest to forest and defeats branch prediction, so
  // the loop has no branch on it: a taken-away edge adds nothing to its parent's sums and
  // closes its component instead.
  for (int k = n - 1; k >= 1; --k) {
    const int pk = parentAt[k];
    for (int f = 0; f < Forests; ++f) {
      const Subtree& v = at[f][k];
      const Count all = v.free + v.matched;
      const bool keep = kept[f][k] != 0;
      const std::int64_t closed = std::int64_t{v.size} * v.sizeSum - v.squareSum;
      wiener[f] += keep ? 0 : closed;
      hosoya[f] *= keep ? 1 : all;
      const int product = keep ? degree[f][k] * degree[f][pk] : 0;  // term 0 for product 0
      zagreb[f] += product;
      randicTicks[f] += randicTerm[product];
      const std::int32_t size = keep ? v.size : 0;
      Subtree& p = at[f][pk];
      p.size += size;
      p.sizeSum += keep ? v.sizeSum + size : 0;
      p.squareSum += keep ? v.squareSum + size * size : 0;
      const Count join = keep ? all : 1;
      p.matched = p.matched * join + p.free * (keep ? v.free : 0);
      p.free *= join;
    }
  }
  std::array<SubgraphValues, Forests> results;
  for (int f = 0; f < Forests; ++f) {
    const Subtree& root = at[f][0];
    results[f].wiener = wiener[f] + std::int64_t{root.size} * root.sizeSum - root.squareSum;
    results[f].zagreb = zagreb[f];
    results[f].randicTicks = randicTicks[f];
    results[f].hosoya = hosoya[f] * (root.free + root.matched);
  }
  return results;
}

}  // namespace korvelant
