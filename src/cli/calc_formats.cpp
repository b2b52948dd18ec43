#include "cli/calc_formats.hpp"

#include "matrices/matrix_table.hpp"
#include "matrices/numeric_display.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

// amsmath's bmatrix takes this many columns unless MaxMatrixCols is raised.
constexpr int kAmsmathColumns = 10;

std::string PlainText(const GraphicalMatrix& matrix) {
  const int n = matrix.size();
  std::string text;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      text += NumberText(matrix(i, j));
      text += j < n ? ", " : "\n";
    }
  }
  text += HalfSumText(matrix.Sum());
  text += '\n';
  return text;
}

std::string JsonObject(const GraphicalMatrix& matrix, MatrixType type, TopologicalIndex index) {
  const int n = matrix.size();
  std::string text = "{\"type\":\"";
  text.append(ShortName(type)).append("\",\"index\":\"").append(Letter(index));
  text.append("\",\"vertices\":").append(std::to_string(n)).append(",\"matrix\":[");
  for (int i = 1; i <= n; ++i) {
    text += i > 1 ? ",[" : "[";
    for (int j = 1; j <= n; ++j) {
      if (j > 1) text += ',';
      text += BareNumberText(matrix(i, j));
    }
    text += ']';
  }
  return text.append("],\"half_sum\":").append(HalfSumDigits(matrix.Sum())).append("}\n");
}

// The index's name as TeX sets it: Randić with its accent.
std::string_view TexIndexName(TopologicalIndex index) {
  return index == TopologicalIndex::Randic ? "Randi\\'{c} index" : IndexName(index);
}

std::string Latex(const GraphicalMatrix& matrix, MatrixType type, TopologicalIndex index) {
  const int n = matrix.size();
  const std::string halfSum = HalfSumDigits(matrix.Sum());
  std::string text = "% korvelant-cli calc: ";
  text.append(ShortName(type)).append(", ").append(IndexName(index)).append("\n");
  std::string_view typeName = MatrixTypeName(type);
  text += static_cast<char>(typeName.front() - 'a' + 'A');
  text.append(typeName.substr(1)).append(" (").append(ShortName(type)).append(") with the ");
  text.append(TexIndexName(index)).append("; half-sum $").append(halfSum).append("$.\n");
  if (n > kAmsmathColumns) {
    text.append("\\setcounter{MaxMatrixCols}{").append(std::to_string(n)).append("}\n");
  }
  text += "\\[\n\\begin{bmatrix}\n";
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      text += BareNumberText(matrix(i, j));
      text += j < n ? " & " : (i < n ? " \\\\\n" : "\n");
    }
  }
  return text + "\\end{bmatrix}\n\\]\n";
}

}  // namespace

std::string CalcOutput(const GraphicalMatrix& matrix, MatrixType type, TopologicalIndex index,
                       CalcFormat format) {
  switch (format) {
    case CalcFormat::kText:
      return PlainText(matrix);
    case CalcFormat::kCsv:
      return SeparatedMatrix(matrix, ',');
    case CalcFormat::kTsv:
      return SeparatedMatrix(matrix, '\t');
    case CalcFormat::kJson:
      return JsonObject(matrix, type, index);
    case CalcFormat::kLatex:
      return Latex(matrix, type, index);
  }
  return PlainText(matrix);
}

}  // namespace korvelant
