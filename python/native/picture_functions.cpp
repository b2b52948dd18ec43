// Pictures of a tree, painted by the window's drawing code as korvelant-cli draw paints them.
#include <pybind11/stl.h>

#include "cli/drawn_picture.hpp"
#include "cli/matrix_names.hpp"
#include "engine/rooted_tree.hpp"
#include "input/ignoring_case.hpp"
#include "native_module.hpp"
#include "python_values.hpp"

namespace korvelant::python {
namespace {

DrawFileKind KindNamed(const std::string& name) {
  if (SameIgnoringCase(name, "svg")) return DrawFileKind::kSvg;
  if (SameIgnoringCase(name, "png")) return DrawFileKind::kPng;
  if (SameIgnoringCase(name, "pdf")) return DrawFileKind::kPdf;
  throw py::value_error("a picture is made as svg, png or pdf, not " + name);
}

py::bytes Picture(long long n, const EdgePairs& edges,
                  const std::optional<std::vector<std::pair<int, int>>>& positions,
                  const std::optional<std::string>& typeName, const std::string& kind,
                  double scale) {
  const Graph graph = GraphFrom(n, edges);
  if (auto refusal = DrawingRefusal(graph.vertexCount)) throw py::value_error(*refusal);
  if (!RootTree(graph)) throw py::value_error(std::string(kNotATreeMessage));
  std::optional<MatrixType> type;
  if (typeName) {
    auto read = ReadMatrixType(*typeName);
    if (auto* message = std::get_if<std::string>(&read)) throw py::value_error(*message);
    type = std::get<MatrixType>(read);
  }
  std::vector<GridPosition> grid;
  for (const auto& [x, y] : positions.value_or(std::vector<std::pair<int, int>>{}))
    grid.push_back({x, y});
  if (!grid.empty() && grid.size() != static_cast<std::size_t>(graph.vertexCount))
    throw py::value_error("a picture needs one position for each vertex");
  std::string bytes;
  {
    const py::gil_scoped_release painting;
    bytes =
        DrawnPictureBytes(graph, grid, type, KindNamed(kind), scale, PaintingPlatform::kOffscreen);
  }
  return py::bytes(bytes);
}

}  // namespace

void AddPictureFunctions(py::module_& module) {
  module.def("picture", &Picture, py::arg("n"), py::arg("edges"), py::arg("positions"),
             py::arg("type"), py::arg("kind"), py::arg("scale") = 1.0);
}

}  // namespace korvelant::python
