#pragma once

#include <string>

#include "cli/command_line.hpp"
#include "engine/graphical_matrices.hpp"

namespace korvelant {

// What calc prints for one matrix, every number as the text format shows it ("." whatever
// the locale, every digit), with a line end at the end:
//  * text: line i holds elements (i, 1) to (i, n) separated by ", ", then the line
//    "Half-sum of matrix elements is: " and the half-sum;
//  * csv, tsv: the matrix alone, vertex numbers as the header row and first column;
//  * json: {"type":"PGM","index":"R","vertices":4,"matrix":[[0,1.4142,...],...],
//    "half_sum":7.2426};
//  * latex: a comment and a caption line naming type, index and half-sum, then the matrix
//    as a bmatrix (amsmath) in display math, ready for \input.
std::string CalcOutput(const GraphicalMatrix& matrix, MatrixType type, TopologicalIndex index,
                       CalcFormat format);

}  // namespace korvelant
