#include "matrices/matrix_drawing.hpp"

#include "matrices/cell_geometry.hpp"
#include "matrices/subgraph_selection.hpp"

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

void DrawTreeInCell(const TreeModel& model, const VertexPositions& positions, MatrixType type,
                    Int16 i, Int16 j, Drawing& picture) {
  const Int16 n = model.VertexCount;
  auto at = [&](Int16 v) { return VertexInCell(i, j, positions[CheckedIndex(v)]); };
  for (Int16 v = 1; v <= n; ++v) {
    picture.SetLineWidth(kThinLine);
    picture.DrawCircle(at(v), kCircleRadius);
  }
  for (Int16 k = 1; k <= n; ++k) {
    for (Int16 l = 1; l <= n; ++l) {
      if (model.Adjacency(k, l) != 1) continue;
      picture.SetLineWidth(IsRemovedEdge(model, i, j, k, l, type) ? kThinLine : kThickLine);
      picture.DrawLine(at(k), at(l));
    }
  }
}

}  // namespace

void DrawMatrix(const TreeModel& model, const VertexPositions& positions, MatrixType type,
                Drawing& picture) {
  const double zeroOffset = IsEdgeType(type) ? kEdgeTypeZeroOffset : kThirdOfPitch;
  const Int16 n = model.VertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = 1; j <= n; ++j) {
      if (IsEmptyElement(model, i, j, type)) {
        picture.SetTextPosition(CellPoint(i, j, zeroOffset));
        picture.Print("0");
      } else {
        DrawTreeInCell(model, positions, type, i, j, picture);
      }
    }
  }
}

}  // namespace korvelant
