#include "drawing/tree_preview.hpp"

#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr int kGridStep = 150;
constexpr int kMargin = 250;
constexpr int kCircleRadius = 50;
constexpr int kLabelLift = 300;

}  // namespace

TwipPoint PreviewPoint(GridPosition position) {
  const Int16 x = Int16(kGridStep) * position.x + kMargin;
  const Int16 y = Int16(kGridStep) * (kGridPositions - position.y) + kMargin;
  return {static_cast<float>(x.value()), static_cast<float>(y.value())};
}

void DrawTreePreview(const TreeModel& model, const VertexPositions& positions, Drawing& picture) {
  picture.Clear();
  const Int16 n = model.VertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    const TwipPoint centre = PreviewPoint(positions[CheckedIndex(i)]);
    picture.DrawCircle(centre, kCircleRadius);
    picture.SetTextPosition({centre.x, centre.y - kLabelLift});
    picture.Print(NumberText(i));
  }
  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = 1; j <= n; ++j) {
      if (model.Adjacency(i, j) != 0) {
        picture.DrawLine(PreviewPoint(positions[CheckedIndex(i)]),
                         PreviewPoint(positions[CheckedIndex(j)]));
      }
    }
  }
}

}  // namespace korvelant
