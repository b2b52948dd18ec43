#pragma once

#include "model/bounded_array.hpp"
#include "model/fixed_decimal.hpp"
#include "model/int16.hpp"

namespace korvelant {

// The values that the Draw/Calculate command and the file command share: the elements of
// the matrix computed last, the subgraph degrees, the sum of the elements and the number
// of edges found by the last tree check.
struct CommandValues {
  BoundedMatrix<FixedDecimal> MatrixElement;
  BoundedVector<Int16> SubDegree;
  FixedDecimal ElementSum;
  Int16 EdgeCount = 0;
};

}  // namespace korvelant
