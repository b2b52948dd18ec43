#include "session/window_model.hpp"

#include <stdexcept>
#include <utility>

namespace korvelant {
namespace {

void RequireVertex(int vertex, int last, const char* what) {
  if (vertex < 1 || vertex > last) {
    throw std::out_of_range(std::string(what) + " " + std::to_string(vertex) + " is outside 1.." +
                            std::to_string(last));
  }
}

}  // namespace

std::string EdgeCaption(EdgeMark mark) {
  switch (mark) {
    case EdgeMark::Untouched:
      return "0";
    case EdgeMark::Edge:
      return " 1";  // the number as the window prints it, after a blank for the sign
    case EdgeMark::NoEdge:
      return " 0";
  }
  throw std::logic_error("unknown edge mark");
}

WindowModel::WindowModel() = default;

EdgeMark WindowModel::edgeMark(int i, int j) const {
  RequireVertex(i, graph_.vertexCount, "row");
  RequireVertex(j, graph_.vertexCount, "column");
  return marks_.at(i).at(j);
}

const VertexRow& WindowModel::row(int vertex) const {
  RequireVertex(vertex, kMaxVertices, "vertex row");
  return rows_.at(vertex);
}

VertexRow& WindowModel::MutableRow(int vertex) {
  RequireVertex(vertex, kMaxVertices, "vertex row");
  return rows_.at(vertex);
}

VertexPositions WindowModel::positions() const {
  VertexPositions positions{};
  for (int v = 1; v <= kMaxVertices; ++v)
    positions.at(v) = {rows_.at(v).x.value_or(0), rows_.at(v).y.value_or(0)};
  return positions;
}

SavedTree WindowModel::enteredTree() const {
  SavedTree tree{graph_, {}};
  const VertexPositions all = positions();
  for (int v = 1; v <= graph_.vertexCount; ++v)
    tree.positions.push_back(all.at(static_cast<std::size_t>(v)));
  return tree;
}

StaleParts WindowModel::TakeStale() {
  return std::exchange(stale_, StaleParts{});
}

void WindowModel::ChooseVertexCount(int count) {
  if (count < 0 || count > kMaxVertices) {
    throw std::out_of_range("the window takes 0 to " + std::to_string(kMaxVertices) +
                            " vertices, not " + std::to_string(count));
  }
  chosenCount_ = count;
  stale_.countChoice = true;
  graph_ = Graph{count, {}};  // a new vertex count starts without edges
  LayOutGrid();
  LayOutVertexRows();
  TreeChanged();
}

void WindowModel::LayOutGrid() {
  for (auto& marks : marks_)
    marks.fill(EdgeMark::Untouched);
  stale_.grid = true;
}

// Rows 1..n go to their places on the circle; rows beyond n keep what they show.
void WindowModel::LayOutVertexRows() {
  for (int v = 1; v <= graph_.vertexCount; ++v) {
    const GridPosition home = DefaultPosition(v, graph_.vertexCount);
    rows_.at(v) = {true, home.x, home.y};
  }
  stale_.rows = true;
}

void WindowModel::ToggleEdge(int i, int j) {
  if (graph_.vertexCount == 0) return;
  RequireVertex(i, graph_.vertexCount, "row");
  RequireVertex(j, graph_.vertexCount, "column");
  if (i == j) throw std::invalid_argument("a vertex has no edge to itself");
  graph_ = WithEdgeToggled(std::move(graph_), i, j);
  const EdgeMark mark = Joined(graph_, i, j) ? EdgeMark::Edge : EdgeMark::NoEdge;
  marks_.at(i).at(j) = mark;
  marks_.at(j).at(i) = mark;
  stale_.toggledEdges.emplace_back(i, j);
  TreeChanged();
}

void WindowModel::ChooseX(int vertex, int x) {
  MutableRow(vertex).x = x;
  TreeChanged();
}

void WindowModel::ChooseY(int vertex, int y) {
  MutableRow(vertex).y = y;
  TreeChanged();
}

void WindowModel::ChooseDisplay(DisplayChoice display) {
  display_ = display;
  stale_.options = true;
  ClearResult();
}

// A result stays only under the options it was made with: PGM numbers left standing under
// the EGM option would read as EGM numbers.
void WindowModel::ChooseMatrixType(MatrixType type) {
  matrixType_ = type;
  stale_.options = true;
  ClearResult();
}

void WindowModel::DrawOrCalculate() {
  result_ = RunDrawCalculate(graph_, positions(), display_, matrixType_, picture_);
  if (result_->remarks) SetRemarks(*result_->remarks);
  stale_.result = true;
  stale_.description = true;
}

FileCommandResult WindowModel::WriteMatrices(const std::string& path) {
  FileCommandResult written = RunFileCommand(graph_, [&path] { return path; });
  if (written.status != FileCommandStatus::Written) SetRemarks(written.message);
  return written;
}

void WindowModel::EnterTree(const SavedTree& tree) {
  const int n = tree.graph.vertexCount;
  if (n < 0 || n > kMaxVertices) {
    throw std::invalid_argument("the window holds trees of up to " + std::to_string(kMaxVertices) +
                                " vertices");
  }
  if (const auto problem = TreeProblem(tree)) throw std::invalid_argument(*problem);
  ChooseVertexCount(n);
  for (const auto& [a, b] : tree.graph.edges)
    ToggleEdge(a, b);
  for (int v = 1; v <= n; ++v) {
    const GridPosition& position = tree.positions.at(static_cast<std::size_t>(v - 1));
    rows_.at(v).x = position.x;
    rows_.at(v).y = position.y;
  }
  TreeChanged();
}

void WindowModel::ClearTree() {
  chosenCount_.reset();
  stale_.countChoice = true;
  graph_ = Graph{};
  LayOutGrid();
  rows_.fill(VertexRow{});
  stale_.rows = true;
  TreeChanged();
}

void WindowModel::ShowFailure(const std::string& remark) {
  picture_.Clear();
  result_.reset();
  stale_.result = true;
  SetRemarks(remark);
}

void WindowModel::TreeChanged() {
  stale_.tree = true;
  ClearResult();
}

void WindowModel::ClearResult() {
  picture_.Clear();
  result_.reset();
  stale_.result = true;
  stale_.description = true;
  SetRemarks({});
}

void WindowModel::SetRemarks(std::string text) {
  remarks_ = std::move(text);
  stale_.remarks = true;
}

}  // namespace korvelant
