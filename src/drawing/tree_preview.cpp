#include "drawing/tree_preview.hpp"

#include <vector>

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

void DrawTreePreview(const Graph& graph, const VertexPositions& positions, Drawing& picture) {
  picture.Clear();
  const int n = graph.vertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    const TwipPoint centre = PreviewPoint(positions[CheckedIndex(i)]);
    picture.DrawCircle(centre, kCircleRadius);
    picture.SetTextPosition({centre.x, centre.y - kLabelLift});
    picture.Print(NumberText(i));
  }
  // Row by row, each edge from both of its ends, as the window always drew it.
  std::vector<char> joined(static_cast<std::size_t>(n + 1) * (n + 1), 0);
  for (const auto& [a, b] : graph.edges) {
    if (a < 1 || a > n || b < 1 || b > n) continue;  // not a vertex of this graph
    joined[static_cast<std::size_t>(a) * (n + 1) + b] = 1;
    joined[static_cast<std::size_t>(b) * (n + 1) + a] = 1;
  }
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      if (joined[static_cast<std::size_t>(i) * (n + 1) + j] != 0) {
        picture.DrawLine(PreviewPoint(positions[CheckedIndex(i)]),
                         PreviewPoint(positions[CheckedIndex(j)]));
      }
    }
  }
}

}  // namespace korvelant
