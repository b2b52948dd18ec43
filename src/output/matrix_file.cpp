#include "output/matrix_file.hpp"

#include "matrices/matrix_kind.hpp"
#include "matrices/topological_index.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string BlockName(MatrixType type, TopologicalIndex index) {
  std::string name(Letter(index));
  name += "I";
  name += ShortName(type);
  // Two names break the line before their matrix; files in use have always looked so.
  const bool ownLine =
      index == TopologicalIndex::Hosoya && (type == MatrixType::EGM || type == MatrixType::DVGM);
  if (ownLine) name += kLineEnd;
  return name;
}

void AppendRows(const TreeModel& model, const BoundedMatrix<FixedDecimal>& matrix,
                std::string& text) {
  const Int16 n = model.VertexCount;
  text += "= { ";
  for (Int16 i = 1; i <= n; ++i) {
    text += "{";
    for (Int16 j = 1; j <= n; ++j) {
      text += NumberText(matrix(i, j));
      text += j < n ? ", " : "}";
    }
    text += i < n ? ", " : " }";
    text += kLineEnd;
  }
}

}  // namespace

std::string MatrixFileText(TreeModel& model, CommandValues& values) {
  std::string text;
  text.reserve(16 * 8 * 100);
  for (const MatrixType type : kMatrixTypes) {
    const MatricesOfOneType matrices = ComputeMatricesOfType(model, values, type);
    for (std::size_t k = 0; k < matrices.size(); ++k) {
      text += BlockName(type, kTopologicalIndices[k]);
      AppendRows(model, matrices[k], text);
    }
  }
  return text;
}

}  // namespace korvelant
