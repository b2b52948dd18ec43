#include "engine/rooted_tree.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace korvelant {
namespace {

// Neighbour lists with the position of each edge in the graph's list, all in one array:
// the neighbours of v are at start[v] up to start[v + 1]. Nothing when an edge names a
// vertex outside 1..n or joins a vertex to itself.
struct Incidence {
  int neighbour;
  int edge;
};

// The caller has checked n and the edge count. Kept per thread, so that rooting tree after
// tree allocates only what it returns.
struct Neighbours {
  std::vector<int> start;
  std::vector<Incidence> at;
  std::vector<int> placed;
};

Neighbours* NeighboursOf(const Graph& graph) {
  thread_local Neighbours result;
  const int n = graph.vertexCount;
  result.start.assign(static_cast<std::size_t>(n) + 2, 0);
  result.at.resize(2 * graph.edges.size());
  result.placed.resize(static_cast<std::size_t>(n) + 1);
  for (const auto& [a, b] : graph.edges) {
    if (a < 1 || a > n || b < 1 || b > n || a == b) return nullptr;
    ++result.start[a + 1];
    ++result.start[b + 1];
  }
  for (int v = 1; v <= n; ++v)
    result.start[v + 1] += result.start[v];
  std::vector<int>& placed = result.placed;
  std::copy_n(result.start.begin(), n + 1, placed.begin());
  for (std::size_t e = 0; e < graph.edges.size(); ++e) {
    const auto [a, b] = graph.edges[e];
    result.at[placed[a]++] = {b, static_cast<int>(e)};
    result.at[placed[b]++] = {a, static_cast<int>(e)};
  }
  return &result;
}

// Children grouped by parent, counted first and then placed.
void FillChildren(RootedTree& tree) {
  const int n = tree.vertexCount();
  tree.childStart.assign(static_cast<std::size_t>(n) + 2, 0);
  for (int v = 1; v <= n; ++v) {
    if (tree.parent[v] != 0) ++tree.childStart[tree.parent[v] + 1];
  }
  for (int v = 1; v <= n; ++v)
    tree.childStart[v + 1] += tree.childStart[v];
  tree.children.assign(static_cast<std::size_t>(n > 0 ? n - 1 : 0), 0);
  thread_local std::vector<int> placed;  // kept from tree to tree, as NeighboursOf's
  placed.assign(tree.childStart.begin(), tree.childStart.begin() + n + 1);
  for (const int v : tree.order) {
    if (tree.parent[v] != 0) tree.children[placed[tree.parent[v]]++] = v;
  }
}

}  // namespace

int RootedTree::EdgeOwner(int a, int b) const {
  if (a < 1 || b < 1 || a > vertexCount() || b > vertexCount()) return 0;
  if (parent[a] == b) return a;
  if (parent[b] == a) return b;
  return 0;
}

bool RootTree(const Graph& graph, RootedTree& tree) {
  const int n = graph.vertexCount;
  if (n > kMaxHalfSumVertices) throw std::invalid_argument(HalfSumTooLargeMessage(n));
  // n - 1 edges and every vertex reached from vertex 1 make a tree; a repeated edge would
  // leave a vertex unreached, so it needs no test of its own.
  if (n < 1 || graph.edges.size() != static_cast<std::size_t>(n - 1)) return false;
  const Neighbours* const neighbours = NeighboursOf(graph);
  if (!neighbours) return false;

  // Assignments, not new vectors: a tree filled before keeps its storage.
  const auto slots = static_cast<std::size_t>(n) + 1;
  tree.graph = graph;
  tree.parent.assign(slots, 0);
  tree.depth.assign(slots, 0);
  tree.parentEdge.assign(slots, -1);
  tree.order.clear();
  tree.order.reserve(static_cast<std::size_t>(n));
  tree.order.push_back(1);
  for (std::size_t next = 0; next < tree.order.size(); ++next) {
    const int v = tree.order[next];
    for (int k = neighbours->start[v]; k < neighbours->start[v + 1]; ++k) {
      const auto [w, edge] = neighbours->at[k];
      if (w == 1 || tree.parent[w] != 0) continue;  // reached before: the root or a child
      tree.parent[w] = v;
      tree.depth[w] = tree.depth[v] + 1;
      tree.parentEdge[w] = edge;
      tree.order.push_back(w);
    }
  }
  if (tree.order.size() != static_cast<std::size_t>(n)) return false;
  FillChildren(tree);
  return true;
}

std::optional<RootedTree> RootTree(const Graph& graph) {
  RootedTree tree;
  if (!RootTree(graph, tree)) return std::nullopt;
  return tree;
}

}  // namespace korvelant
