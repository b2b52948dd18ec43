#include "input/tree_problem.hpp"

#include <algorithm>
#include <numeric>
#include <vector>

namespace korvelant {
namespace {

std::string Counted(long count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

int Representative(std::vector<int>& parent, int v) {
  while (parent[v] != v)
    v = parent[v] = parent[parent[v]];
  return v;
}

std::string ShapeProblem(const Graph& graph) {
  const int n = graph.vertexCount;
  std::vector<int> parent(static_cast<std::size_t>(n) + 1);
  std::iota(parent.begin(), parent.end(), 0);
  long fragments = n;
  for (const auto& [a, b] : graph.edges) {
    const int ra = Representative(parent, a);
    const int rb = Representative(parent, b);
    if (ra != rb) parent[ra] = rb, --fragments;
  }
  const long rings = static_cast<long>(graph.edges.size()) - n + fragments;
  if (rings > 0 && fragments > 1) {
    return Counted(rings, "ring") + ", " + Counted(fragments, "fragment");
  }
  if (rings > 0) return Counted(rings, "ring");
  if (fragments > 1) return Counted(fragments, "fragment");
  return "";
}

}  // namespace

std::string TreeProblem(const Graph& graph) {
  const int n = graph.vertexCount;
  if (n <= 0) return "no vertices";
  std::vector<Edge> seen;
  seen.reserve(graph.edges.size());
  for (const auto& [a, b] : graph.edges) {
    for (const int v : {a, b}) {
      if (v < 1 || v > n) {
        return "vertex " + std::to_string(v) + " outside 1.." + std::to_string(n);
      }
    }
    if (a == b) return "a loop at vertex " + std::to_string(a);
    seen.emplace_back(std::min(a, b), std::max(a, b));
  }
  std::sort(seen.begin(), seen.end());
  const auto repeat = std::adjacent_find(seen.begin(), seen.end());
  if (repeat != seen.end()) {
    return "edge " + std::to_string(repeat->first) + "-" + std::to_string(repeat->second) +
           " given twice";
  }
  return ShapeProblem(graph);
}

}  // namespace korvelant
