// Pictures of a tree for papers, made as korvelant-cli draw makes them.
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

template <typename Choice, std::size_t N>
Choice Named(const std::pair<std::string_view, Choice> (&names)[N], const char* what,
             const std::string& text) {
  auto read = ReadChoice(names, what, text);
  if (auto* message = std::get_if<std::string>(&read)) throw py::value_error(*message);
  return std::get<Choice>(read);
}

// A picture side as draw takes it: 1 to 10000, or none.
std::optional<int> Side(const std::optional<long long>& value, const char* what) {
  if (!value) return std::nullopt;
  if (*value < 1 || *value > 10000)
    throw py::value_error(std::string(what) + " must be from 1 to 10000, not " +
                          std::to_string(*value));
  return static_cast<int>(*value);
}

py::bytes Picture(long long n, const EdgePairs& edges,
                  const std::optional<std::vector<std::pair<double, double>>>& depiction,
                  const std::optional<std::string>& typeName, const std::string& kind, double scale,
                  const std::string& background, bool numbers, const std::string& caption,
                  std::optional<long long> width, std::optional<long long> height,
                  const std::string& layout) {
  const Graph graph = GraphFrom(n, edges);
  if (const auto refusal = DrawingRefusal(graph.vertexCount, typeName.has_value()))
    throw py::value_error(*refusal);
  if (!RootTree(graph)) throw py::value_error(std::string(kNotATreeMessage));
  PaperPictureRequest request;
  if (typeName) {
    auto read = ReadMatrixType(*typeName);
    if (auto* message = std::get_if<std::string>(&read)) throw py::value_error(*message);
    request.type = std::get<MatrixType>(read);
  }
  request.kind = KindNamed(kind);
  request.scale = scale;
  request.background = Named(kBackgroundNames, "background", background);
  request.options = {numbers, caption};
  request.width = Side(width, "width");
  request.height = Side(height, "height");
  const DrawLayout drawLayout = Named(kLayoutNames, "layout", layout);
  std::vector<PlanePoint> points;
  for (const auto& [x, y] : depiction.value_or(std::vector<std::pair<double, double>>{}))
    points.push_back({x, y});
  if (!points.empty() && points.size() != static_cast<std::size_t>(graph.vertexCount))
    throw py::value_error("a picture needs one position for each vertex");
  std::string bytes;
  {
    const py::gil_scoped_release painting;
    bytes = PaperPictureBytes(graph, LaidOutPoints(graph, points, drawLayout), request,
                              PaintingPlatform::kOffscreen, ReportQtProblems);
  }
  return py::bytes(bytes);
}

}  // namespace

void AddPictureFunctions(py::module_& module) {
  module.def("picture", &Picture, py::arg("n"), py::arg("edges"), py::arg("depiction"),
             py::arg("type"), py::arg("kind"), py::arg("scale") = 1.0,
             py::arg("background") = "white", py::arg("numbers") = true, py::arg("caption") = "",
             py::arg("width") = py::none(), py::arg("height") = py::none(),
             py::arg("layout") = "skeleton");
}

}  // namespace korvelant::python
