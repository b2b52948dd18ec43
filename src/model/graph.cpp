#include "model/graph.hpp"

#include <algorithm>

namespace korvelant {

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
