#pragma once

#include <array>

#include "model/matrix_kind.hpp"
#include "reference/command_values.hpp"
#include "reference/tree_model.hpp"

namespace korvelant {

// The index step: the chosen index of the subgraph in SubAdjacency, which SelectSubgraph
// filled for element (i, j), i != j, and the same matrix type, into MatrixElement(i, j).
//   Wiener  sum of the distances of all connected pairs
//   Zagreb  sum over edges of the product of the end degrees
//   Randic  sum over edges of 1 / sqrt(product), each term first taken to four places
//   Hosoya  number of matchings; 0 for an empty EGM or SVGM element, whose edgeless
//           subgraph would otherwise count the empty matching
void ComputeMatrixElement(TreeModel& model, CommandValues& values, Int16 i, Int16 j,
                          TopologicalIndex index, MatrixType type);

// Every element of the n x n matrix of one type and index into MatrixElement: 0 on the
// diagonal, SelectSubgraph and the index step elsewhere. Distance must be current.
void ComputeMatrix(TreeModel& model, CommandValues& values, MatrixType type,
                   TopologicalIndex index);

// The four matrices of one type, in the order W, R, Z, H, each element's subgraph selected
// once for all four indices. MatrixElement is left holding the Hosoya matrix.
using MatricesOfOneType = std::array<BoundedMatrix<FixedDecimal>, kTopologicalIndices.size()>;
MatricesOfOneType ComputeMatricesOfType(TreeModel& model, CommandValues& values, MatrixType type);

}  // namespace korvelant
