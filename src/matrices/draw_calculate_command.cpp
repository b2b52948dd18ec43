#include "matrices/draw_calculate_command.hpp"

#include "matrices/matrix_drawing.hpp"
#include "matrices/numeric_display.hpp"
#include "matrices/tree_check.hpp"
#include "model/distance_matrix.hpp"

namespace korvelant {

std::optional<std::string> RunDrawCalculateCommand(TreeModel& model, CommandValues& values,
                                                   const VertexPositions& positions,
                                                   DisplayChoice display, MatrixType type,
                                                   Drawing& picture) {
  picture.Clear();
  NadjiMatricuUdaljenosti(model);
  if (!IsTree(model, values)) return std::string(kNotATreeMessage);
  if (!display) {
    DrawMatrix(model, positions, type, picture);
    return std::nullopt;
  }
  return CalculateMatrix(model, values, type, *display, picture);
}

}  // namespace korvelant
