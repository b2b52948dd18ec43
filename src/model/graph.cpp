#include "model/graph.hpp"

#include <algorithm>

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

std::string EdgeListText(const Graph& graph) {
  std::string text;
  for (const auto& [a, b] : graph.edges) {
    if (!text.empty()) text += ',';
    text += std::to_string(std::min(a, b));
    text += '-';
    text += std::to_string(std::max(a, b));
  }
  return text;
}

std::string TooLargeMessage(int vertexCount) {
  return "Korvelant computes trees of up to " + std::to_string(kMaxTreeVertices) +
         " vertices; this one has " + std::to_string(vertexCount) + ".";
}

}  // namespace korvelant
