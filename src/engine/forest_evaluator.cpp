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
    : tree_(tree),
      randicTerm_(RandicTerms().data()),
      position_(tree.parent.size(), 0),
      parentAt_(tree.order.size(), -1),
      removed_(tree.order.size(), 0),
      degree_(tree.order.size(), 0) {
  for (std::size_t k = 0; k < tree.order.size(); ++k)
    position_[tree.order[k]] = static_cast<int>(k);
  for (std::size_t k = 1; k < tree.order.size(); ++k) {
    parentAt_[k] = position_[tree.parent[tree.order[k]]];
    ++degree_[k];
    ++degree_[parentAt_[k]];
  }
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
  // Sizes and their sums stay below 128^3, well inside 32 bits.
  struct Subtree {
    std::int32_t size;
    std::int32_t sizeSum;
    std::int32_t squareSum;
    Count free;
    Count matched;
  };
  static constexpr Subtree kLone{1, 0, 0, 1, 0};  // a vertex before its children join
  std::array<Subtree, kMaxTreeVertices> at;
  const int n = tree_.vertexCount();
  std::fill_n(at.begin(), n, kLone);
  const std::int64_t* const randicTerm = randicTerm_;
  const int* const parentAt = parentAt_.data();
  const char* const removed = removed_.data();
  const int* const degree = degree_.data();

  SubgraphValues result;
  Count hosoya = 1;
  for (int k = n - 1; k >= 0; --k) {
    const Subtree& v = at[k];
    const Count all = v.free + v.matched;
    if (k == 0 || removed[k]) {  // v tops a component
      result.wiener += std::int64_t{v.size} * v.sizeSum - v.squareSum;
      hosoya *= all;
      continue;
    }
    const int pk = parentAt[k];
    const int product = degree[k] * degree[pk];
    result.zagreb += product;
    result.randicTicks += randicTerm[product];
    Subtree& p = at[pk];
    p.size += v.size;
    p.sizeSum += v.sizeSum + v.size;
    p.squareSum += v.squareSum + v.size * v.size;
    p.matched = p.matched * all + p.free * v.free;
    p.free *= all;
  }
  result.hosoya = hosoya;
  return result;
}

}  // namespace korvelant
