#include "engine/forest_evaluator.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/fixed_decimal.hpp"

namespace korvelant {

namespace {

// Degrees stay below the vertex limit, so a table of every product serves all trees.
const std::vector<std::int64_t>& RandicTerms() {
  static const std::vector<std::int64_t> kTerms = [] {
    constexpr int kLargestProduct = (kMaxTreeVertices - 1) * (kMaxTreeVertices - 1);
    std::vector<std::int64_t> terms(kLargestProduct + 1, 0);
    for (int product = 1; product <= kLargestProduct; ++product) {
      const double term = 1.0 / std::sqrt(static_cast<double>(product));
      terms[product] = FixedDecimal::FromDouble(term).ticks();
    }
    return terms;
  }();
  return kTerms;
}

}  // namespace

std::int64_t RandicTermTicks(int degreeProduct) {
  return RandicTerms().at(static_cast<std::size_t>(degreeProduct));
}

ForestEvaluator::ForestEvaluator(const RootedTree& tree)
    : tree_(tree), removed_(tree.parent.size(), 0), degree_(tree.parent.size(), 0) {
  for (const auto& [a, b] : tree.graph.edges) {
    ++degree_[a];
    ++degree_[b];
  }
}

void ForestEvaluator::TakeAway(int owner) {
  if (tree_.parent[owner] == 0 || removed_[owner]) return;
  removed_[owner] = 1;
  --degree_[owner];
  --degree_[tree_.parent[owner]];
}

void ForestEvaluator::PutBack(int owner) {
  if (!removed_[owner]) return;
  removed_[owner] = 0;
  ++degree_[owner];
  ++degree_[tree_.parent[owner]];
}

SubgraphValues ForestEvaluator::Evaluate() const {
  // Matchings of a forest of n vertices number at most F(n + 1), which fits 64 bits up to
  // n = 91; larger trees count in 128 bits.
  constexpr int kLargestIn64Bits = 90;
  return tree_.vertexCount() <= kLargestIn64Bits ? Pass<std::uint64_t>() : Pass<Int128>();
}

// One pass from the leaves up. A kept edge v-p joins v's finished subtree to p's:
//  - Wiener: each kept edge adds size(v) * (C - size(v)) for its component of C vertices.
//    C is known only at the component's top, so the pass carries the sums of size(v) and
//    size(v)^2 over the component's edges and adds C * sum - sum of squares there.
//  - Hosoya: the matchings of v's subtree with v free and with v matched; p matched means
//    matched to v (v free) or to an earlier child.
template <typename Count>
SubgraphValues ForestEvaluator::Pass() const {
  constexpr std::size_t kSlots = kMaxTreeVertices + 1;
  // Sizes and their sums stay below 128^3, well inside 32 bits.
  std::array<std::int32_t, kSlots> size;
  std::array<std::int32_t, kSlots> sizeSum;
  std::array<std::int32_t, kSlots> squareSum;
  std::array<Count, kSlots> free;
  std::array<Count, kSlots> matched;
  const auto slots = static_cast<std::size_t>(tree_.vertexCount()) + 1;
  std::fill_n(size.begin(), slots, 1);
  std::fill_n(sizeSum.begin(), slots, 0);
  std::fill_n(squareSum.begin(), slots, 0);
  std::fill_n(free.begin(), slots, 1);
  std::fill_n(matched.begin(), slots, 0);
  const std::int64_t* const randicTerm = RandicTerms().data();

  SubgraphValues result;
  Count hosoya = 1;
  for (auto it = tree_.order.rbegin(); it != tree_.order.rend(); ++it) {
    const int v = *it;
    const int p = tree_.parent[v];
    const Count all = free[v] + matched[v];
    if (p == 0 || removed_[v]) {  // v tops a component
      result.wiener += std::int64_t{size[v]} * sizeSum[v] - squareSum[v];
      hosoya *= all;
      continue;
    }
    const int product = degree_[v] * degree_[p];
    result.zagreb += product;
    result.randicTicks += randicTerm[product];
    size[p] += size[v];
    sizeSum[p] += sizeSum[v] + size[v];
    squareSum[p] += squareSum[v] + size[v] * size[v];
    matched[p] = matched[p] * all + free[p] * free[v];
    free[p] *= all;
  }
  result.hosoya = hosoya;
  return result;
}

}  // namespace korvelant
