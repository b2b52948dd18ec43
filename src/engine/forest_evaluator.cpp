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
    : tree_(tree), randicTerm_(RandicTerms().data()) {
  const std::size_t n = tree.order.size();
  position_[0] = 0;  // owner 0, no edge, stands for the root: taking it away changes nothing
  parentAt_[0] = -1;
  Degrees& degree = degree_[0];
  std::fill_n(degree.begin(), n, 0);
  for (std::size_t k = 0; k < n; ++k)
    position_[tree.order[k]] = static_cast<int>(k);
  for (std::size_t k = 1; k < n; ++k) {
    parentAt_[k] = position_[tree.parent[tree.order[k]]];
    ++degree[k];
    ++degree[parentAt_[k]];
  }
  for (int forest = 0; forest < kForests; ++forest) {
    std::fill_n(removed_[forest].begin(), n, 0);
    std::copy_n(degree.begin(), n, degree_[forest].begin());
  }
}

// Matchings of a forest of n vertices number at most F(n + 1), which fits 64 bits up to
// n = 91; larger trees count in 128 bits.
constexpr int kLargestIn64Bits = 90;

SubgraphValues ForestEvaluator::Evaluate() const {
  return tree_.vertexCount() <= kLargestIn64Bits ? Pass<std::uint64_t, 1>(0)[0]
                                                 : Pass<Int128, 1>(0)[0];
}

std::array<SubgraphValues, ForestEvaluator::kForests> ForestEvaluator::EvaluateBoth() const {
  if (tree_.vertexCount() <= kLargestIn64Bits) return Pass<std::uint64_t, kForests>(0);
  // Two forests' 128-bit counts at once outrun the registers: one pass each is faster.
  return {Pass<Int128, 1>(0)[0], Pass<Int128, 1>(1)[0]};
}

// One pass from the leaves up, through every forest side by side. A kept edge v-p joins
// v's finished subtree to p's:
//  - Wiener: each kept edge adds size(v) * (C - size(v)) for its component of C vertices.
//    C is known only at the component's top, so the pass carries the sums of size(v) and
//    size(v)^2 over the component's edges and adds C * sum - sum of squares there.
//  - Hosoya: the matchings of v's subtree with v free and with v matched; p matched means
//    matched to v (v free) or to an earlier child.
template <typename Count, int Forests>
std::array<SubgraphValues, Forests> ForestEvaluator::Pass(int first) const {
  // Sizes and their sums stay below 128^3, well inside 32 bits.
  struct Subtree {
    std::int32_t size;
    std::int32_t sizeSum;
    std::int32_t squareSum;
    Count free;
    Count matched;
  };
  static constexpr Subtree kLone{1, 0, 0, 1, 0};  // a vertex before its children join
  std::array<std::array<Subtree, kMaxTreeVertices>, Forests> at;
  const int n = tree_.vertexCount();
  for (auto& forest : at)
    std::fill_n(forest.begin(), n, kLone);
  const std::int64_t* const randicTerm = randicTerm_;
  const int* const parentAt = parentAt_.data();

  // Whether an edge is kept varies from forest to forest and defeats branch prediction, so
  // the loop has no branch on it: a taken-away edge adds nothing to its parent's sums and
  // closes its component instead.
  std::array<SubgraphValues, Forests> results{};
  std::array<Count, Forests> hosoya;
  hosoya.fill(1);
  for (int k = n - 1; k >= 1; --k) {
    const int pk = parentAt[k];
    for (int f = 0; f < Forests; ++f) {
      const Subtree& v = at[f][k];
      const Count all = v.free + v.matched;
      const bool kept = removed_[first + f][k] == 0;
      const std::int64_t closed = std::int64_t{v.size} * v.sizeSum - v.squareSum;
      results[f].wiener += kept ? 0 : closed;
      hosoya[f] *= kept ? 1 : all;
      const Degrees& degree = degree_[first + f];
      const int product = kept ? degree[k] * degree[pk] : 0;  // term 0 for product 0
      results[f].zagreb += product;
      results[f].randicTicks += randicTerm[product];
      const std::int32_t size = kept ? v.size : 0;
      Subtree& p = at[f][pk];
      p.size += size;
      p.sizeSum += kept ? v.sizeSum + size : 0;
      p.squareSum += kept ? v.squareSum + size * size : 0;
      const Count join = kept ? all : 1;
      p.matched = p.matched * join + p.free * (kept ? v.free : 0);
      p.free *= join;
    }
  }
  for (int f = 0; f < Forests; ++f) {
    const Subtree& root = at[f][0];
    results[f].wiener += std::int64_t{root.size} * root.sizeSum - root.squareSum;
    results[f].hosoya = hosoya[f] * (root.free + root.matched);
  }
  return results;
}

}  // namespace korvelant
