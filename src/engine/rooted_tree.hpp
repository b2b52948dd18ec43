#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/graph.hpp"

namespace korvelant {

// A tree hung from vertex 1: the one shape every computation of the engine walks. Each
// vertex but the root owns the edge to its parent, so a set of tree edges is a set of
// vertices, and a pass over `order` backwards meets every vertex before its parent.
struct RootedTree {
  Graph graph;              // the tree as given; vertices 1..n
  std::vector<int> order;   // every vertex, breadth-first from vertex 1
  std::vector<int> parent;  // parent[v]; 0 for the root and at index 0
  std::vector<int> depth;   // edges from the root; index 0 unused
  // parentEdge[v]: the position in graph.edges of the edge {v, parent[v]}; -1 for the root.
  std::vector<int> parentEdge;
  // The children of v are children[childStart[v]] up to children[childStart[v + 1]].
  std::vector<int> children;
  std::vector<int> childStart;

  int vertexCount() const { return graph.vertexCount; }
  std::span<const int> ChildrenOf(int v) const {
    return std::span(children).subspan(childStart[v], childStart[v + 1] - childStart[v]);
  }
  // The vertex that owns the tree edge {a, b}, or 0 when a and b are not joined.
  int EdgeOwner(int a, int b) const;
};

// The graph rooted at vertex 1, or nothing when it is not a tree: no vertices, a vertex
// number outside 1..n, a loop, an edge twice, a cycle or more than one component. Throws
// std::invalid_argument past kMaxHalfSumVertices; readers refuse such input before.
std::optional<RootedTree> RootTree(const Graph& graph);
// The same into a tree filled before, whose storage it keeps, for callers that root tree
// after tree; false when the graph is not a tree, leaving `tree` unspecified.
bool RootTree(const Graph& graph, RootedTree& tree);

}  // namespace korvelant
