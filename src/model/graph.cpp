#include "model/graph.hpp"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <utility>

namespace korvelant {

bool Joined(const Graph& graph, int a, int b) {
  return std::any_of(graph.edges.begin(), graph.edges.end(), [a, b](const Edge& edge) {
    return edge == Edge{a, b} || edge == Edge{b, a};
  });
}

Graph WithEdgeToggled(Graph graph, int a, int b) {
  const auto found = std::find_if(graph.edges.begin(), graph.edges.end(), [a, b](const Edge& e) {
    return e == Edge{a, b} || e == Edge{b, a};
  });
  if (found != graph.edges.end()) {
    graph.edges.erase(found);
  } else {
    graph.edges.emplace_back(std::min(a, b), std::max(a, b));
  }
  return graph;
}

void AppendEdgeListText(std::string& out, const Graph& graph) {
  // Edges gathered in a buffer, appended a few dozen at a time: batch rows list millions,
  // and an append for each edge cost more than writing its numbers.
  constexpr std::size_t kLongestEdge = 24;  // ",a-b" with two numbers of up to 11 characters
  char buffer[64 * kLongestEdge];
  char* at = buffer;
  bool first = true;
  for (const auto& [a, b] : graph.edges) {
    if (!first) *at++ = ',';
    first = false;
    at = std::to_chars(at, at + 11, std::min(a, b)).ptr;
    *at++ = '-';
    at = std::to_chars(at, at + 11, std::max(a, b)).ptr;
    if (buffer + sizeof buffer - at < static_cast<std::ptrdiff_t>(kLongestEdge)) {
      out.append(buffer, at);
      at = buffer;
    }
  }
  out.append(buffer, at);
}

std::string EdgeListText(const Graph& graph) {
  std::string text;
  AppendEdgeListText(text, graph);
  return text;
}

namespace {

// 100000 as "100,000".
std::string GroupedDigits(int value) {
  std::string digits = std::to_string(value);
  for (auto at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  return digits;
}

std::string LimitText(const char* what, int limit) {
  std::string text = "Korvelant computes ";
  return text.append(what)
      .append(" of trees of up to ")
      .append(GroupedDigits(limit))
      .append(" vertices");
}

std::string OneHas(std::string limit, int vertexCount) {
  return limit.append("; this one has ").append(std::to_string(vertexCount)).append(".");
}

}  // namespace

std::string MatrixLimitText() {
  return LimitText("matrices", kMaxMatrixVertices);
}

std::string HalfSumLimitText() {
  return LimitText("half-sums and indices", kMaxHalfSumVertices);
}

std::string MatrixTooLargeMessage(int vertexCount) {
  return OneHas(MatrixLimitText(), vertexCount);
}

std::string HalfSumTooLargeMessage(int vertexCount) {
  return OneHas(HalfSumLimitText(), vertexCount);
}

}  // namespace korvelant
