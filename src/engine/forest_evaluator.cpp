#include "engine/forest_evaluator.hpp"

#include <cmath>

#include "model/fixed_decimal.hpp"

namespace korvelant {

std::int64_t RandicTermTicks(int degreeProduct) {
  // Degrees stay below the vertex limit, so a table of every product serves all trees.
  static const std::vector<std::int64_t> kTerms = [] {
    constexpr int kLargestProduct = (kMaxTreeVertices - 1) * (kMaxTreeVertices - 1);
    std::vector<std::int64_t> terms(kLargestProduct + 1, 0);
    for (int product = 1; product <= kLargestProduct; ++product) {
      terms[product] =
          FixedDecimal::FromDouble(1.0 / std::sqrt(static_cast<double>(product))).ticks();
    }
    return terms;
  }();
  return kTerms.at(static_cast<std::size_t>(degreeProduct));
}

ForestEvaluator::ForestEvaluator(const RootedTree& tree)
    : tree_(tree),
      degree_(tree.parent.size()),
      size_(tree.parent.size()),
      componentSize_(tree.parent.size()),
      free_(tree.parent.size()),
      matched_(tree.parent.size()) {}

ForestIndices ForestEvaluator::Evaluate(const std::vector<char>& removed) {
  const std::vector<int>& order = tree_.order;
  const std::vector<int>& parent = tree_.parent;
  for (const int v : order) {
    degree_[v] = 0;
    size_[v] = 1;
    free_[v] = 1;
    matched_[v] = 0;
  }
  for (const int v : order) {
    if (parent[v] != 0 && !removed[v]) {
      ++degree_[v];
      ++degree_[parent[v]];
    }
  }

  // From the leaves up: each kept edge joins a finished subtree to its parent's.
  ForestIndices result;
  result.hosoya = 1;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const int v = *it;
    const int p = parent[v];
    const Int128 all = free_[v] + matched_[v];
    if (p == 0 || removed[v]) {
      result.hosoya = CheckedMultiply(result.hosoya, all);  // v roots a component
      continue;
    }
    const int product = degree_[v] * degree_[p];
    result.zagreb += product;
    result.randicTicks += RandicTermTicks(product);
    size_[p] += size_[v];
    // p stays free: v's subtree as it likes; p matched: to v (v free) or to an earlier child.
    matched_[p] = matched_[p] * all + free_[p] * free_[v];
    free_[p] = free_[p] * all;
  }

  // From the root down: each kept edge splits its component into size and the rest.
  for (const int v : order) {
    const int p = parent[v];
    if (p == 0 || removed[v]) {
      componentSize_[v] = size_[v];
      continue;
    }
    componentSize_[v] = componentSize_[p];
    result.wiener += static_cast<Int128>(size_[v] * (componentSize_[v] - size_[v]));
  }
  return result;
}

}  // namespace korvelant
