// The engine's results for one tree, as Python values: numpy matrices, exact half-sums, the
// whole tree's indices and the matrix file.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <limits>

#include "cli/matrix_names.hpp"
#include "cli/row_format.hpp"
#include "engine/element_sums.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/whole_tree_indices.hpp"
#include "input/tree_problem.hpp"
#include "model/number_text.hpp"
#include "native_module.hpp"
#include "output/matrix_file.hpp"
#include "output/safe_file_writer.hpp"
#include "python_values.hpp"

namespace korvelant::python {
namespace {

RootedTree Rooted(long long vertexCount, const EdgePairs& edges) {
  const Graph graph = GraphFrom(vertexCount, edges);
  std::optional<RootedTree> tree = RootTree(graph);
  if (!tree) throw py::value_error(NotATreeText(TreeProblem(graph)));
  return std::move(*tree);
}

// A tree whose matrices are wanted: within the matrices' size limit too.
RootedTree RootedForMatrices(long long vertexCount, const EdgePairs& edges) {
  if (vertexCount > kMaxMatrixVertices) {
    throw py::value_error(MatrixTooLargeMessage(
        static_cast<int>(std::min<long long>(vertexCount, std::numeric_limits<int>::max()))));
  }
  return Rooted(vertexCount, edges);
}

template <typename Value>
Value Chosen(std::variant<Value, std::string> read) {
  if (auto* message = std::get_if<std::string>(&read)) throw py::value_error(*message);
  return std::get<Value>(read);
}

bool FitsInt64(const GraphicalMatrix& matrix) {
  constexpr Int128 kLargest =
      Int128{std::numeric_limits<std::int64_t>::max()} * ExactDecimal::kScale;
  for (int i = 1; i <= matrix.size(); ++i) {
    for (int j = 1; j <= matrix.size(); ++j) {
      if (matrix(i, j).Ticks() > ExactInteger(kLargest)) return false;
    }
  }
  return true;
}

template <typename Element, typename Convert>
py::array NumericArray(const GraphicalMatrix& matrix, Convert convert) {
  const int n = matrix.size();
  py::array_t<Element> array({n, n});
  auto cells = array.template mutable_unchecked<2>();
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j)
      cells(i - 1, j - 1) = convert(matrix(i, j));
  }
  return array;
}

// Elements as Python objects (exact ints past 64 bits, Decimals), in an object array.
template <typename Convert>
py::array ObjectArray(const GraphicalMatrix& matrix, Convert convert) {
  const int n = matrix.size();
  py::list rows;
  for (int i = 1; i <= n; ++i) {
    py::list row;
    for (int j = 1; j <= n; ++j)
      row.append(convert(matrix(i, j)));
    rows.append(row);
  }
  return py::array(py::module_::import("numpy").attr("array")(rows, py::arg("dtype") = "O"));
}

py::object Decimal(ExactDecimal value) {
  const std::string text = NumberText(value);
  return PythonDecimal(std::string_view(text).substr(text.find_first_not_of(' ')));
}

// Wiener and Zagreb as int64, Hosoya too while every element fits; Randić as the file's
// four-place values in float64, or exactly as Decimals.
py::array MatrixArray(const GraphicalMatrix& matrix, TopologicalIndex index, bool exact) {
  if (index == TopologicalIndex::Randic) {
    if (exact) return ObjectArray(matrix, Decimal);
    return NumericArray<double>(matrix, [](ExactDecimal value) {
      return static_cast<double>(value.ticks()) / ExactDecimal::kScale;
    });
  }
  if (FitsInt64(matrix)) {
    return NumericArray<std::int64_t>(matrix, [](ExactDecimal value) {
      return static_cast<std::int64_t>(value.ticks() / ExactDecimal::kScale);
    });
  }
  return ObjectArray(matrix, WholeValue);
}

// Half of an element sum, exact: an int, or a Decimal for Randić.
py::object HalfSum(ExactDecimal sum, TopologicalIndex index) {
  if (index == TopologicalIndex::Randic) return PythonDecimal(HalfSumDigits(sum));
  return PythonInt(sum.Ticks() / (2 * ExactDecimal::kScale));  // a whole number
}

py::array Matrix(long long n, const EdgePairs& edges, const std::string& typeName,
                 const std::string& indexName, bool exact) {
  const MatrixType type = Chosen(ReadMatrixType(typeName));
  const TopologicalIndex index = Chosen(ReadTopologicalIndex(indexName));
  const RootedTree tree = RootedForMatrices(n, edges);
  GraphicalMatrix matrix;
  {
    py::gil_scoped_release computing;
    matrix = ComputeGraphicalMatrix(tree, type, index);
  }
  return MatrixArray(matrix, index, exact);
}

py::object OneHalfSum(long long n, const EdgePairs& edges, const std::string& typeName,
                      const std::string& indexName) {
  const MatrixType type = Chosen(ReadMatrixType(typeName));
  const TopologicalIndex index = Chosen(ReadTopologicalIndex(indexName));
  const RootedTree tree = Rooted(n, edges);
  std::array<ExactDecimal, 16> sums;
  {
    py::gil_scoped_release computing;
    sums = ComputeElementSums(tree);
  }
  // The file's order: the four indices of EGM, then of PGM, SVGM and DVGM.
  return HalfSum(sums[static_cast<int>(type) * 4 + static_cast<int>(index)], index);
}

py::dict HalfSums(long long n, const EdgePairs& edges) {
  const RootedTree tree = Rooted(n, edges);
  std::array<ExactDecimal, 16> sums;
  {
    py::gil_scoped_release computing;
    sums = ComputeElementSums(tree);
  }
  py::dict halfSums;
  for (int block = 0; block < 16; ++block)
    halfSums[py::str(BlockName(block))] = HalfSum(sums[block], BlockIndex(block));
  return halfSums;
}

py::dict WholeTree(long long n, const EdgePairs& edges) {
  const WholeTreeIndices indices = ComputeWholeTreeIndices(Rooted(n, edges));
  py::dict values;
  values["W"] = PythonInt(indices.wiener);
  values["WW"] = PythonInt(indices.hyperWiener);
  values["M1"] = PythonInt(indices.firstZagreb);
  values["M2"] = PythonInt(indices.secondZagreb);
  values["chi"] = py::float_(indices.randic);
  values["H"] = PythonInt(indices.hosoya);
  return values;
}

std::string FileText(long long n, const EdgePairs& edges) {
  const RootedTree tree = RootedForMatrices(n, edges);
  py::gil_scoped_release computing;
  return MatrixFileText(ComputeGraphicalMatrices(tree));
}

void WriteFile(const std::string& path, const py::bytes& bytes) {
  const std::string content = bytes;
  std::optional<std::string> failure;
  {
    py::gil_scoped_release writing;
    failure = WriteFileSafely(path, content);
  }
  if (failure) {
    PyErr_SetString(PyExc_OSError, failure->c_str());
    throw py::error_already_set();
  }
}

}  // namespace

void AddMatrixFunctions(py::module_& module) {
  module.def(
      "tree_problem",
      [](long long n, const EdgePairs& edges) { return TreeProblem(GraphFrom(n, edges)); },
      "Why the graph is not a tree, or \"\" for a tree.");
  module.def("matrix", &Matrix, py::arg("n"), py::arg("edges"), py::arg("type"), py::arg("index"),
             py::arg("exact"));
  module.def("half_sum", &OneHalfSum);
  module.def("half_sums", &HalfSums);
  module.def("indices", &WholeTree);
  module.def("matrix_file", &FileText);
  module.def("write_file", &WriteFile);
}

}  // namespace korvelant::python
