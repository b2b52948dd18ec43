#include "window/picture_descriptions.hpp"

#include <initializer_list>

#include "engine/element_subgraph.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kEnDash = "\u2013";

// The pieces one after another. (GCC 12 warns wrongly about "literal" + std::string at -O3.)
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces)
    text += piece;
  return text;
}

std::string Pair(int a, int b) {
  return Concat({std::to_string(a), kEnDash, std::to_string(b)});
}

// The number as the screen shows it, less the blank that stands for the sign.

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

}  // namespace

std::string DescribePreview(const Graph& graph, const VertexPositions& positions) {
  const int n = graph.vertexCount;
  if (n == 0) return "No vertices.";
  std::vector<std::string> places;
  for (int v = 1; v <= n; ++v) {
    const GridPosition p = positions.at(static_cast<std::size_t>(v));
    places.push_back(Concat(
        {std::to_string(v), " at (", std::to_string(p.x + 1), ", ", std::to_string(p.y + 1), ")"}));
  }
  std::vector<std::string> edges;
  for (const auto& [a, b] : graph.edges)
    edges.push_back(Pair(std::min(a, b), std::max(a, b)));
  return Concat({std::to_string(n), n == 1 ? " vertex, " : " vertices, ", Joined(places, ", "),
                 edges.empty() ? "; no edges." : "; edges ", Joined(edges, ", "),
                 edges.empty() ? "" : "."});
}

std::string DescribeDrawnMatrix(const RootedTree& tree, MatrixType type) {
  const int n = tree.vertexCount();
  std::vector<std::string> elements;
  for (int i = 1; i <= n; ++i) {
    for (int j = i; j <= n; ++j) {
      if (IsEmptyElement(tree, i, j, type)) {
        elements.push_back(Concat({"element ", Pair(i, j), ": empty, shows 0"}));
        continue;
      }
      const std::vector<bool> removed = RemovedEdges(tree, i, j, type);
      std::vector<std::string> kept;
      for (std::size_t e = 0; e < tree.graph.edges.size(); ++e) {
        const auto [a, b] = tree.graph.edges[e];
        if (!removed[e]) kept.push_back(Pair(std::min(a, b), std::max(a, b)));
      }
      elements.push_back(Concat(
          {"element ", Pair(i, j), ": keeps ", kept.empty() ? "nothing" : Joined(kept, ", ")}));
    }
  }
  return Concat({"Drawn ", MatrixTypeName(type), ", ", std::to_string(n), " by ", std::to_string(n),
                 " cells: each shows the tree with the edges its element keeps thick. ",
                 Joined(elements, "; "), "."});
}

std::string DescribeCalculatedMatrix(const GraphicalMatrix& matrix, MatrixType type,
                                     TopologicalIndex index) {
  const int n = matrix.size();
  std::vector<std::string> rows;
  for (int j = 1; j <= n; ++j) {
    std::vector<std::string> numbers;
    for (int i = 1; i <= n; ++i)
      numbers.push_back(BareNumberText(matrix(i, j)));
    rows.push_back(Concat({"row ", std::to_string(j), ": ", Joined(numbers, ", ")}));
  }
  return Concat({IndexName(index), " of the ", MatrixTypeName(type), ", ", std::to_string(n),
                 " by ", std::to_string(n), ". ", Joined(rows, "; "), ". Half-sum ",
                 HalfSumDigits(matrix.Sum()), "."});
}

}  // namespace korvelant
