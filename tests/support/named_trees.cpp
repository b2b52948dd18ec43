#include "support/named_trees.hpp"

namespace korvelant::testing {

TreeModel MakeTree(int vertices, std::initializer_list<std::pair<int, int>> edges) {
  return TreeFromEdges(vertices, std::span(edges.begin(), edges.size()));
}

TreeModel PathTree(int vertices) {
  TreeModel model = MakeTree(vertices, {});
  for (int v = 1; v < vertices; ++v) {
    model.Adjacency(v, v + 1) = 1;
    model.Adjacency(v + 1, v) = 1;
  }
  return model;
}

TreeModel StarTree(int vertices) {
  TreeModel model = MakeTree(vertices, {});
  for (int leaf = 2; leaf <= vertices; ++leaf) {
    model.Adjacency(1, leaf) = 1;
    model.Adjacency(leaf, 1) = 1;
  }
  return model;
}

TreeModel DimethylHexane() {
  return MakeTree(8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}});
}

Graph GraphOf(const TreeModel& model) {
  Graph graph{model.VertexCount.value(), {}};
  for (int i = 1; i <= graph.vertexCount; ++i) {
    for (int j = i + 1; j <= graph.vertexCount; ++j) {
      if (model.Adjacency(i, j) != 0) graph.edges.emplace_back(i, j);
    }
  }
  return graph;
}

}  // namespace korvelant::testing
