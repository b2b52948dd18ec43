#include "cli/drawn_picture.hpp"

#include <iostream>

#include "cli/messages.hpp"
#include "molecules/skeleton_layout.hpp"

namespace korvelant {

void ReportQtProblems(std::string_view message) {
  ReportProblem(std::cerr, "Qt: " + std::string(message));
}

std::optional<std::string> DrawingRefusal(int vertexCount, bool matrix) {
  const int limit = matrix ? kMaxDrawnMatrixVertices : kMaxDrawnTreeVertices;
  if (vertexCount <= limit) return std::nullopt;
  return std::string("draw draws ") + (matrix ? "the matrices of trees" : "trees") + " of up to " +
         std::to_string(limit) + " vertices; this one has " + std::to_string(vertexCount) + ".";
}

std::vector<PlanePoint> LaidOutPoints(const Graph& tree, std::span<const PlanePoint> depiction,
                                      DrawLayout layout) {
  if (layout == DrawLayout::kCircle) return CirclePoints(tree.vertexCount);
  if (!depiction.empty()) return {depiction.begin(), depiction.end()};
  return SkeletonLayout(tree);
}

}  // namespace korvelant
