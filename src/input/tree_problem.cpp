#include "input/tree_problem.hpp"

#include <algorithm>
#include <numeric>
#include <optional>
#include <queue>
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

// What joining the edges one by one finds: the components, the independent cycles, and the
// first edge that closed a cycle.
struct Shape {
  long components = 0;
  long cycles = 0;
  std::optional<Edge> closing;
};

Shape ShapeOf(const Graph& graph) {
  const int n = graph.vertexCount;
  std::vector<int> parent(static_cast<std::size_t>(n) + 1);
  std::iota(parent.begin(), parent.end(), 0);
  Shape shape;
  shape.components = n;
  for (const Edge& edge : graph.edges) {
    const int ra = Representative(parent, edge.first);
    const int rb = Representative(parent, edge.second);
    if (ra != rb) {
      parent[ra] = rb, --shape.components;
    } else if (!shape.closing) {
      shape.closing = edge;
    }
  }
  shape.cycles = static_cast<long>(graph.edges.size()) - n + shape.components;
  return shape;
}

// "2-3-4-2": the cycle `closing` closes, through the edges given before it.
std::string CycleThrough(const Graph& graph, Edge closing) {
  const auto n = static_cast<std::size_t>(graph.vertexCount);
  std::vector<std::vector<int>> neighbours(n + 1);
  for (const Edge& edge : graph.edges) {
    if (edge == closing) break;
    neighbours[edge.first].push_back(edge.second);
    neighbours[edge.second].push_back(edge.first);
  }
  std::vector<int> cameFrom(n + 1, 0);
  std::queue<int> queue;
  queue.push(closing.first);
  cameFrom[closing.first] = closing.first;
  while (!queue.empty() && cameFrom[closing.second] == 0) {
    const int v = queue.front();
    queue.pop();
    for (const int w : neighbours[v]) {
      if (cameFrom[w] == 0) cameFrom[w] = v, queue.push(w);
    }
  }
  std::vector<int> cycle = {closing.first};
  for (int v = closing.second; v != closing.first; v = cameFrom[v])
    cycle.push_back(v);
  // Told from its smallest vertex towards the smaller neighbour: one cycle, one text.
  std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
  if (cycle[1] > cycle.back()) std::reverse(cycle.begin() + 1, cycle.end());
  std::string text;
  for (const int v : cycle)
    text.append(std::to_string(v)).append(1, '-');
  return text.append(std::to_string(cycle.front()));
}

std::optional<int> IsolatedVertex(const Graph& graph) {
  std::vector<bool> touched(static_cast<std::size_t>(graph.vertexCount) + 1);
  for (const auto& [a, b] : graph.edges)
    touched[a] = touched[b] = true;
  for (int v = 1; v <= graph.vertexCount; ++v) {
    if (!touched[v]) return v;
  }
  return std::nullopt;
}

std::string GraphShapeProblem(const Graph& graph, const Shape& shape) {
  std::string problem;
  if (shape.cycles > 0)
    problem = Counted(shape.cycles, "cycle") + ": " + CycleThrough(graph, *shape.closing);
  if (shape.components > 1) {
    if (!problem.empty()) problem += "; ";
    const std::optional<int> isolated = IsolatedVertex(graph);
    problem += shape.components == 2 && isolated
                   ? "vertex " + std::to_string(*isolated) + " has no edge"
                   : Counted(shape.components, "component");
  }
  return problem;
}

std::string MoleculeShapeProblem(const Shape& shape) {
  std::string problem;
  if (shape.cycles > 0) problem = Counted(shape.cycles, "ring");
  if (shape.components > 1)
    problem += (problem.empty() ? "" : ", ") + Counted(shape.components, "fragment");
  return problem;
}

}  // namespace

std::string TreeProblem(const Graph& graph, TreeWording wording) {
  const int n = graph.vertexCount;
  if (n <= 0) return wording == TreeWording::kMolecule ? "0 vertices" : "no vertices";
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
  const Shape shape = ShapeOf(graph);
  return wording == TreeWording::kMolecule ? MoleculeShapeProblem(shape)
                                           : GraphShapeProblem(graph, shape);
}

std::string NotATreeText(const std::string& problem) {
  return problem.empty() ? "not a tree" : "not a tree: " + problem;
}

}  // namespace korvelant
