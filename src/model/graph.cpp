#include "model/graph.hpp"

#include <algorithm>
#include <charconv>
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
  bool first = true;
  char buffer[16];
  for (const auto& [a, b] : graph.edges) {
    if (!std::exchange(first, false)) out += ',';
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, std::min(a, b)).ptr);
    out += '-';
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, std::max(a, b)).ptr);
  }
}

std::string EdgeListText(const Graph& graph) {
  std::string text;
  AppendEdgeListText(text, graph);
  return text;
}

std::string TooLargeMessage(int vertexCount) {
  return "Korvelant computes trees of up to " + std::to_string(kMaxTreeVertices) +
         " vertices; this one has " + std::to_string(vertexCount) + ".";
}

}  // namespace korvelant
