#include "matrices/numeric_display.hpp"

#include "matrices/cell_geometry.hpp"
#include "model/number_text.hpp"

namespace korvelant {

std::string HalfSumText(ExactDecimal elementSum) {
  std::string text = "Half-sum of matrix elements is:  ";
  text += HalfSumDigits(elementSum);
  return text;
}

void PrintMatrix(const GraphicalMatrix& matrix, Drawing& picture) {
  const int n = matrix.size();
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      picture.SetTextPosition(CellPoint(i, j, kThirdOfPitch));
      picture.Print(NumberText(matrix(i, j)));
    }
  }
}

}  // namespace korvelant
