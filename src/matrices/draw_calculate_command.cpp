#include "matrices/draw_calculate_command.hpp"

#include "engine/graphical_matrices.hpp"
#include "matrices/matrix_drawing.hpp"
#include "matrices/numeric_display.hpp"

namespace korvelant {

DrawCalculateOutcome RunDrawCalculate(const Graph& graph, const VertexPositions& positions,
                                      DisplayChoice display, MatrixType type, Drawing& picture) {
  picture.Clear();
  DrawCalculateOutcome outcome;
  outcome.tree = RootTree(graph);
  if (!outcome.tree) {
    outcome.remarks = std::string(kNotATreeMessage);
  } else if (!display) {
    DrawMatrix(*outcome.tree, positions, type, picture);
  } else {
    outcome.matrix = ComputeGraphicalMatrix(*outcome.tree, type, *display);
    PrintMatrix(*outcome.matrix, picture);
    outcome.remarks = HalfSumText(outcome.matrix->Sum());
  }
  return outcome;
}

std::optional<std::string> RunDrawCalculateCommand(const Graph& graph,
                                                   const VertexPositions& positions,
                                                   DisplayChoice display, MatrixType type,
                                                   Drawing& picture) {
  return RunDrawCalculate(graph, positions, display, type, picture).remarks;
}

}  // namespace korvelant
