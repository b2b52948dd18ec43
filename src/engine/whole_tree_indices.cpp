#include "engine/whole_tree_indices.hpp"

#include <cmath>
#include <vector>

namespace korvelant {
namespace {

std::vector<std::vector<int>> Neighbours(const RootedTree& tree) {
  std::vector<std::vector<int>> neighbours(tree.parent.size());
  for (const auto& [a, b] : tree.graph.edges) {
    neighbours[a].push_back(b);
    neighbours[b].push_back(a);
  }
  return neighbours;
}

// The sum over ordered pairs of the squared distances, by a breadth-first search from
// every vertex: n^2 steps, nothing next to the matrices.
Int128 SquaredDistanceSum(const RootedTree& tree) {
  const auto neighbours = Neighbours(tree);
  const int n = tree.vertexCount();
  Int128 sum = 0;
  std::vector<int> distance(tree.parent.size());
  std::vector<int> queue;
  for (int source = 1; source <= n; ++source) {
    std::fill(distance.begin(), distance.end(), -1);
    distance[source] = 0;
    queue.assign(1, source);
    for (std::size_t next = 0; next < queue.size(); ++next) {
      const int v = queue[next];
      sum += static_cast<Int128>(distance[v]) * distance[v];
      for (const int w : neighbours[v]) {
        if (distance[w] < 0) {
          distance[w] = distance[v] + 1;
          queue.push_back(w);
        }
      }
    }
  }
  return sum;
}

// Each edge lies on the paths of the pairs it separates: size below times size above.
Int128 WienerIndex(const RootedTree& tree) {
  const int n = tree.vertexCount();
  std::vector<int> size(tree.parent.size(), 1);
  Int128 wiener = 0;
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int v = *at;
    if (tree.parent[v] == 0) continue;
    wiener += Int128{size[v]} * (n - size[v]);
    size[tree.parent[v]] += size[v];
  }
  return wiener;
}

// From the leaves up, the matchings of each subtree with its top free and with it matched:
// a vertex takes the edge to at most one child that is itself free.
Int128 MatchingCount(const RootedTree& tree) {
  std::vector<Int128> free(tree.parent.size(), 1);
  std::vector<Int128> matched(tree.parent.size(), 0);
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int v = *at;
    const int p = tree.parent[v];
    if (p == 0) return free[v] + matched[v];
    const Int128 all = free[v] + matched[v];
    matched[p] = matched[p] * all + free[p] * free[v];
    free[p] *= all;
  }
  return 1;
}

}  // namespace

WholeTreeIndices ComputeWholeTreeIndices(const RootedTree& tree) {
  WholeTreeIndices indices;
  indices.wiener = WienerIndex(tree);
  indices.hosoya = MatchingCount(tree);
  // Each unordered pair counts twice in the squared sum: WW = (W + sum d^2 / 2) / 2.
  indices.hyperWiener = (indices.wiener + SquaredDistanceSum(tree) / 2) / 2;

  std::vector<int> degree(tree.parent.size(), 0);
  for (const auto& [a, b] : tree.graph.edges) {
    ++degree[a];
    ++degree[b];
  }
  for (int v = 1; v <= tree.vertexCount(); ++v)
    indices.firstZagreb += degree[v] * degree[v];
  for (const auto& [a, b] : tree.graph.edges) {
    indices.secondZagreb += degree[a] * degree[b];
    indices.randic += 1.0 / std::sqrt(static_cast<double>(degree[a]) * degree[b]);
  }
  return indices;
}

}  // namespace korvelant
