#include "reference/subgraph_selection.hpp"

namespace korvelant {
namespace {

bool Joined(const TreeModel& model, Int16 i, Int16 j) {
  return model.Adjacency(i, j) != 0;
}

bool TouchesEither(Int16 i, Int16 j, Int16 k, Int16 l) {
  return k == i || k == j || l == i || l == j;
}

// The edge (k, l) lies on the path from i to j exactly when the distances add up along one
// of its two orientations.
bool OnPath(const TreeModel& model, Int16 i, Int16 j, Int16 k, Int16 l) {
  const auto& d = model.Distance;
  return d(i, k) + 1 + d(l, j) == d(i, j) || d(i, l) + 1 + d(k, j) == d(i, j);
}

}  // namespace

bool IsEmptyElement(const TreeModel& model, Int16 i, Int16 j, MatrixType type) {
  return i == j || (IsEdgeType(type) && !Joined(model, i, j));
}

bool IsRemovedEdge(const TreeModel& model, Int16 i, Int16 j, Int16 k, Int16 l, MatrixType type) {
  switch (type) {
    case MatrixType::EGM:
      return (i == k && j == l) || (i == l && j == k);
    case MatrixType::PGM:
      return OnPath(model, i, j, k, l);
    case MatrixType::SVGM:
    case MatrixType::DVGM:
      return TouchesEither(i, j, k, l);
  }
  return false;
}

void SelectSubgraph(TreeModel& model, Int16 i, Int16 j, MatrixType type) {
  const Int16 n = model.VertexCount;
  const bool empty = IsEmptyElement(model, i, j, type);
  for (Int16 k = 1; k <= n; ++k) {
    model.SubAdjacency(k, k) = 0;
    // Both orientations of an edge get the same answer, so each pair is decided once.
    for (Int16 l = k + 1; l <= n; ++l) {
      const bool kept = !empty && Joined(model, k, l) && !IsRemovedEdge(model, i, j, k, l, type);
      model.SubAdjacency(k, l) = kept ? 1 : 0;
      model.SubAdjacency(l, k) = model.SubAdjacency(k, l);
    }
  }
}

}  // namespace korvelant
