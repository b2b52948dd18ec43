#include "engine/whole_tree_indices.hpp"

#include <cmath>
#include <vector>

#include "engine/tree_sides.hpp"

namespace korvelant {
namespace {

// Bounds at 100,000 vertices: W is at most the path's (n^3 - n) / 6 ~ 1.7e14, the squared
// sum below n^4 = 1e20 and WW below n^4 / 24: all far inside 128 bits, and M1 and M2 below
// n^2 and n^3 too (and 64 bits up to kMaxNarrowDistanceVertices).

struct DistanceSums {
  Int128 wiener = 0;
  Int128 squares = 0;  // over ordered pairs
};

// W: each edge lies on the paths of the pairs it separates, size below times size above.
// The sum over ordered pairs of the squared distances: Q(v), the sum from one vertex, moves
// from a parent p to its child c as every vertex outside c's subtree gets one farther and
// every vertex inside one nearer: Q(c) = Q(p) + 2 D(p) - 4 (Dsub(c) + size(c)) + n, where
// D is the distance sum over the tree and Dsub(c) that within c's subtree. D(c) = D(p) + n
// - 2 size(c). Int holds every sum: 64 bits up to kMaxNarrowDistanceVertices.
template <typename Int>
DistanceSums DistanceSumsOf(const RootedTree& tree) {
  const int n = tree.vertexCount();
  // Kept from tree to tree: a batch of small trees would spend as much on allocations.
  thread_local std::vector<Int> size, below, distances, squares;
  size.assign(tree.parent.size(), 1);
  below.assign(tree.parent.size(), 0);  // Dsub
  Int wiener = 0;
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int p = tree.parent[*at];
    if (p == 0) continue;
    wiener += size[*at] * (n - size[*at]);
    size[p] += size[*at];
    below[p] += below[*at] + size[*at];
  }
  distances.assign(tree.parent.size(), 0);  // D
  squares.assign(tree.parent.size(), 0);    // Q
  const int root = tree.order.front();
  distances[root] = below[root];
  for (const int v : tree.order)
    squares[root] += Int{tree.depth[v]} * tree.depth[v];
  Int sum = 0;
  for (const int v : tree.order) {
    const int p = tree.parent[v];
    if (p != 0) {
      distances[v] = distances[p] + n - 2 * size[v];
      squares[v] = squares[p] + 2 * distances[p] - 4 * (below[v] + size[v]) + n;
    }
    sum += squares[v];
  }
  return {wiener, sum};
}

// From the leaves up, the matchings of each subtree with its top free and with it matched:
// a vertex takes the edge to at most one child that is itself free. A subtree's counts are
// let go once joined to its parent's, so that those kept are of disjoint subtrees.
// free and matched: storage, kept from tree to tree by fixed-width callers.
template <typename Count>
Count MatchingCount(const RootedTree& tree, std::vector<Count>& free, std::vector<Count>& matched) {
  free.assign(tree.parent.size(), 1);
  matched.assign(tree.parent.size(), 0);
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int v = *at;
    const int p = tree.parent[v];
    if (p == 0) return free[v] + matched[v];
    const Count all = free[v] + matched[v];
    matched[p] = matched[p] * all + free[p] * free[v];
    free[p] *= all;
    free[v] = Count();
    matched[v] = Count();
  }
  return 1;
}

// The Hosoya count of a tree of n vertices is at most F(n + 1), the path's, below 2^127 up
// to 182 vertices; so are the counts of its subtrees.
constexpr int kMaxFixedWidthMatchings = 180;

ExactInteger HosoyaIndex(const RootedTree& tree) {
  if (tree.vertexCount() <= kMaxNarrowCountVertices) {
    thread_local std::vector<std::int64_t> free, matched;
    return Int128{MatchingCount(tree, free, matched)};
  }
  if (tree.vertexCount() <= kMaxFixedWidthMatchings) {
    thread_local std::vector<Int128> free, matched;
    return MatchingCount(tree, free, matched);
  }
  std::vector<mpz_class> free, matched;
  return ExactInteger(MatchingCount(tree, free, matched));
}

}  // namespace

WholeTreeIndices ComputeWholeTreeIndices(const RootedTree& tree) {
  WholeTreeIndices indices;
  const DistanceSums distances = tree.vertexCount() <= kMaxNarrowDistanceVertices
                                     ? DistanceSumsOf<std::int64_t>(tree)
                                     : DistanceSumsOf<Int128>(tree);
  indices.wiener = distances.wiener;
  indices.hosoya = HosoyaIndex(tree);
  // Each unordered pair counts twice in the squared sum: WW = (W + sum d^2 / 2) / 2.
  indices.hyperWiener = (indices.wiener + distances.squares / 2) / 2;

  thread_local std::vector<int> degree;
  degree.assign(tree.parent.size(), 0);
  for (const auto& [a, b] : tree.graph.edges) {
    ++degree[a];
    ++degree[b];
  }
  for (int v = 1; v <= tree.vertexCount(); ++v)
    indices.firstZagreb += Int128{degree[v]} * degree[v];
  for (const auto& [a, b] : tree.graph.edges) {
    indices.secondZagreb += Int128{degree[a]} * degree[b];
    indices.randic += 1.0 / std::sqrt(static_cast<double>(degree[a]) * degree[b]);
  }
  return indices;
}

}  // namespace korvelant
