#pragma once

#include <string>

#include "engine/graphical_matrices.hpp"

namespace korvelant {

// The matrix as a spreadsheet takes it: a header row and a header column of vertex
// numbers (the corner cell empty), the numbers with "." and without the blank of the sign,
// `separator` between the cells and a line end after each row. A tab for the clipboard
// and TSV, a comma for CSV: no number holds either, so no cell needs quotes.
std::string SeparatedMatrix(const GraphicalMatrix& matrix, char separator);

}  // namespace korvelant
