#include "molecules/tree_problem.hpp"

#include <numeric>
#include <vector>

namespace korvelant {
namespace {

int Root(std::vector<int>& parent, int vertex) {
  while (parent[vertex] != vertex) {
    parent[vertex] = parent[parent[vertex]];
    vertex = parent[vertex];
  }
  return vertex;
}

int FragmentCount(const Graph& graph) {
  std::vector<int> parent(graph.vertexCount + 1);
  std::iota(parent.begin(), parent.end(), 0);
  int fragments = graph.vertexCount;
  for (const auto& [a, b] : graph.edges) {
    const int rootA = Root(parent, a);
    const int rootB = Root(parent, b);
    if (rootA == rootB) continue;
    parent[rootA] = rootB;
    --fragments;
  }
  return fragments;
}

std::string Counted(int count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

std::string TreeProblem(const Graph& graph) {
  if (graph.vertexCount == 0) return "0 vertices";
  const int fragments = FragmentCount(graph);
  const int rings = static_cast<int>(graph.edges.size()) - graph.vertexCount + fragments;
  std::string problem;
  if (rings > 0) problem = Counted(rings, "ring");
  if (fragments > 1) problem += (problem.empty() ? "" : ", ") + Counted(fragments, "fragment");
  return problem;
}

}  // namespace korvelant
