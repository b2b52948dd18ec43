#pragma once

#include <string>

#include "drawing/drawing.hpp"
#include "engine/graphical_matrices.hpp"

namespace korvelant {

// "Half-sum of matrix elements is: " and the number text of sum / 2, exact to the last
// of its at most five decimals; the number text's sign blank makes two blanks before the
// first digit.
std::string HalfSumText(ExactDecimal elementSum);

// The calculating run's printing: every cell (i outer, j inner) gets its element's number
// text printed a third of a cell into it, the diagonal " 0".
void PrintMatrix(const GraphicalMatrix& matrix, Drawing& picture);

}  // namespace korvelant
