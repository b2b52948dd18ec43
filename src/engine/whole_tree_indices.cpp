#include "engine/whole_tree_indices.hpp"

#include <cmath>
#include <vector>

#include "engine/forest_evaluator.hpp"

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

}  // namespace

WholeTreeIndices ComputeWholeTreeIndices(const RootedTree& tree) {
  WholeTreeIndices indices;
  const ForestEvaluator forests(tree);
  const SubgraphValues whole = forests.Evaluate(forests.AllEdges());
  indices.wiener = whole.wiener;
  indices.secondZagreb = whole.zagreb;
  indices.hosoya = whole.hosoya;
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
    indices.randic += 1.0 / std::sqrt(static_cast<double>(degree[a]) * degree[b]);
  }
  return indices;
}

}  // namespace korvelant
