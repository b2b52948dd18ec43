#include "matrices/draw_calculate_command.hpp"

#include "engine/graphical_matrices.hpp"
#include "matrices/matrix_drawing.hpp"
#include "matrices/numeric_display.hpp"

namespace korvelant {

std::optional<std::string> RunDrawCalculateCommand(const Graph& graph,
                                                   const VertexPositions& positions,
                                                   DisplayChoice display, MatrixType type,
                                                   Drawing& picture) {
  picture.Clear();
  const std::optional<RootedTree> tree = RootTree(graph);
  if (!tree) return std::string(kNotATreeMessage);
  if (!display) {
    DrawMatrix(*tree, positions, type, picture);
    return std::nullopt;
  }
  const GraphicalMatrix matrix = ComputeGraphicalMatrix(*tree, type, *display);
  PrintMatrix(matrix, picture);
  return HalfSumText(matrix.Sum());
}

}  // namespace korvelant
