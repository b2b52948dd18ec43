#include "matrices/matrix_table.hpp"

#include "model/number_text.hpp"

namespace korvelant {

std::string SeparatedMatrix(const GraphicalMatrix& matrix, char separator) {
  const int n = matrix.size();
  std::string text;
  for (int i = 1; i <= n; ++i) {
    text += separator;
    text += std::to_string(i);
  }
  text += '\n';
  // The window's picture puts element (i, j) in column i and row j; its rows are the
  // table's rows. The matrices are symmetric, so calc's rows read the same.
  for (int j = 1; j <= n; ++j) {
    text += std::to_string(j);
    for (int i = 1; i <= n; ++i) {
      text += separator;
      text += BareNumberText(matrix(i, j));
    }
    text += '\n';
  }
  return text;
}

}  // namespace korvelant
