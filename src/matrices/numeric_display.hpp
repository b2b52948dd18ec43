#pragma once

#include <string>

#include "drawing/drawing.hpp"
#include "matrices/command_values.hpp"
#include "matrices/matrix_kind.hpp"
#include "model/tree_model.hpp"

namespace korvelant {

// "Half-sum of matrix elements is: " and the number text of sum / 2, computed in double
// precision; the number text's sign blank makes two blanks before the first digit.
std::string HalfSumText(FixedDecimal elementSum);

// The calculating run: every cell (i outer, j inner) gets its element's number text printed
// a third of a cell into it, the diagonal " 0"; the off-diagonal elements are summed into
// ElementSum. Distance must be current and the graph a tree. Returns the half-sum text.
std::string CalculateMatrix(TreeModel& model, CommandValues& values, MatrixType type,
                            TopologicalIndex index, Drawing& picture);

}  // namespace korvelant
