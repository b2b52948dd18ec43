#include "matrices/matrix_drawing.hpp"

#include "engine/element_subgraph.hpp"
#include "matrices/cell_geometry.hpp"

namespace korvelant {
namespace {

constexpr int kVertexScale = 60;
constexpr int kCircleRadius = 50;
constexpr int kThinLine = 1;
constexpr int kThickLine = 5;
constexpr double kEdgeTypeZeroOffset = 60;

TwipPoint VertexInCell(Int16 i, Int16 j, GridPosition position) {
  const TwipPoint origin = CellOrigin(i, j);
  const Int16 dx = Int16(kVertexScale) * position.x;
  const Int16 dy = Int16(kVertexScale) * (kGridPositions - position.y);
  return {origin.x + static_cast<float>(dx.value()), origin.y + static_cast<float>(dy.value())};
}

void DrawTreeInCell(const RootedTree& tree, const VertexPositions& positions, MatrixType type,
                    int i, int j, Drawing& picture) {
  const int n = tree.vertexCount();
  const std::vector<bool> removed = RemovedEdgesByOwner(tree, i, j, type);
  auto at = [&](int v) { return VertexInCell(i, j, positions[CheckedIndex(v)]); };
  for (int v = 1; v <= n; ++v) {
    picture.SetLineWidth(kThinLine);
    picture.DrawCircle(at(v), kCircleRadius);
  }
  for (int k = 1; k <= n; ++k) {
    for (int l = 1; l <= n; ++l) {
      const int owner = tree.EdgeOwner(k, l);
      if (owner == 0) continue;
      picture.SetLineWidth(removed[owner] ? kThinLine : kThickLine);
      picture.DrawLine(at(k), at(l));
    }
  }
}

}  // namespace

void DrawMatrix(const RootedTree& tree, const VertexPositions& positions, MatrixType type,
                Drawing& picture) {
  const double zeroOffset = IsEdgeType(type) ? kEdgeTypeZeroOffset : kThirdOfPitch;
  const int n = tree.vertexCount();
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      if (IsEmptyElement(tree, i, j, type)) {
        picture.SetTextPosition(CellPoint(i, j, zeroOffset));
        picture.Print("0");
      } else {
        DrawTreeInCell(tree, positions, type, i, j, picture);
      }
    }
  }
}

}  // namespace korvelant
