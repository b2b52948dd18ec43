#include "engine/rooted_tree.hpp"

#include <stdexcept>

namespace korvelant {
namespace {

// Neighbour lists with the position of each edge in the graph's list, or nothing when an
// edge names a vertex outside 1..n, joins a vertex to itself, or is given twice.
struct Incidence {
  int neighbour;
  int edge;
};

std::optional<std::vector<std::vector<Incidence>>> Neighbours(const Graph& graph) {
  const int n = graph.vertexCount;
  std::vector<std::vector<Incidence>> neighbours(static_cast<std::size_t>(n) + 1);
  for (std::size_t e = 0; e < graph.edges.size(); ++e) {
    const auto [a, b] = graph.edges[e];
    if (a < 1 || a > n || b < 1 || b > n || a == b) return std::nullopt;
    neighbours[a].push_back({b, static_cast<int>(e)});
    neighbours[b].push_back({a, static_cast<int>(e)});
  }
  return neighbours;
}

}  // namespace

int RootedTree::EdgeOwner(int a, int b) const {
  if (a < 1 || b < 1 || a > vertexCount() || b > vertexCount()) return 0;
  if (parent[a] == b) return a;
  if (parent[b] == a) return b;
  return 0;
}

std::optional<RootedTree> RootTree(const Graph& graph) {
  const int n = graph.vertexCount;
  if (n > kMaxTreeVertices) throw std::invalid_argument(TooLargeMessage(n));
  // n - 1 edges and every vertex reached from vertex 1 make a tree; a repeated edge would
  // leave a vertex unreached, so it needs no test of its own.
  if (n < 1 || graph.edges.size() != static_cast<std::size_t>(n - 1)) return std::nullopt;
  const auto neighbours = Neighbours(graph);
  if (!neighbours) return std::nullopt;

  const auto slots = static_cast<std::size_t>(n) + 1;
  RootedTree tree{graph,
                  {},
                  std::vector<int>(slots, 0),
                  std::vector<int>(slots, 0),
                  std::vector<int>(slots, -1)};
  std::vector<bool> reached(slots, false);
  tree.order.reserve(static_cast<std::size_t>(n));
  tree.order.push_back(1);
  reached[1] = true;
  for (std::size_t next = 0; next < tree.order.size(); ++next) {
    const int v = tree.order[next];
    for (const auto [w, edge] : (*neighbours)[v]) {
      if (reached[w]) continue;
      reached[w] = true;
      tree.parent[w] = v;
      tree.depth[w] = tree.depth[v] + 1;
      tree.parentEdge[w] = edge;
      tree.order.push_back(w);
    }
  }
  if (tree.order.size() != static_cast<std::size_t>(n)) return std::nullopt;
  return tree;
}

}  // namespace korvelant
