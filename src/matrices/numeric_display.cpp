#include "matrices/numeric_display.hpp"

#include "matrices/cell_geometry.hpp"
#include "matrices/topological_index.hpp"
#include "model/number_text.hpp"

namespace korvelant {

std::string HalfSumText(FixedDecimal elementSum) {
  return "Half-sum of matrix elements is: " + NumberText(elementSum.ToDouble() / 2.0);
}

std::string CalculateMatrix(TreeModel& model, CommandValues& values, MatrixType type,
                            TopologicalIndex index, Drawing& picture) {
  ComputeMatrix(model, values, type, index);
  const Int16 n = model.VertexCount;
  values.ElementSum = FixedDecimal();
  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = 1; j <= n; ++j) {
      picture.SetTextPosition(CellPoint(i, j, kThirdOfPitch));
      picture.Print(NumberText(values.MatrixElement(i, j)));
      if (i != j) values.ElementSum += values.MatrixElement(i, j);
    }
  }
  return HalfSumText(values.ElementSum);
}

}  // namespace korvelant
