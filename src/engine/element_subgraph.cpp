#include "engine/element_subgraph.hpp"

namespace korvelant {
namespace {

void RemoveEdgesAt(const RootedTree& tree, int v, std::vector<bool>& removed) {
  if (tree.parent[v] != 0) removed[v] = true;  // the edge up, where there is one
  for (const int child : tree.ChildrenOf(v))
    removed[child] = true;
}

// The edges of the path from i to j: climb from the deeper end until the two meet.
void RemovePath(const RootedTree& tree, int i, int j, std::vector<bool>& removed) {
  while (i != j) {
    if (tree.depth[i] < tree.depth[j]) std::swap(i, j);
    removed[i] = true;
    i = tree.parent[i];
  }
}

}  // namespace

bool IsEmptyElement(const RootedTree& tree, int i, int j, MatrixType type) {
  return i == j || (IsEdgeType(type) && tree.EdgeOwner(i, j) == 0);
}

std::vector<bool> RemovedEdgesByOwner(const RootedTree& tree, int i, int j, MatrixType type) {
  std::vector<bool> removed(static_cast<std::size_t>(tree.vertexCount()) + 1, false);
  if (IsEmptyElement(tree, i, j, type)) return removed;
  switch (type) {
    case MatrixType::EGM:
      removed[tree.EdgeOwner(i, j)] = true;
      break;
    case MatrixType::PGM:
      RemovePath(tree, i, j, removed);
      break;
    case MatrixType::SVGM:
    case MatrixType::DVGM:
      RemoveEdgesAt(tree, i, removed);
      RemoveEdgesAt(tree, j, removed);
      break;
  }
  return removed;
}

std::vector<bool> RemovedEdges(const RootedTree& tree, int i, int j, MatrixType type) {
  const std::vector<bool> byOwner = RemovedEdgesByOwner(tree, i, j, type);
  std::vector<bool> removed(tree.graph.edges.size(), false);
  for (int v = 1; v <= tree.vertexCount(); ++v) {
    if (tree.parentEdge[v] >= 0) removed[tree.parentEdge[v]] = byOwner[v];
  }
  return removed;
}

}  // namespace korvelant
