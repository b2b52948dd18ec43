#include "reference/tree_model.hpp"

namespace korvelant {

TreeModel TreeFromEdges(int vertices, std::span<const std::pair<int, int>> edges) {
  TreeModel model;
  model.VertexCount = vertices;
  for (const auto& [a, b] : edges) {
    model.Adjacency(a, b) = 1;
    model.Adjacency(b, a) = 1;
  }
  return model;
}

}  // namespace korvelant
