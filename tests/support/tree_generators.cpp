#include "support/tree_generators.hpp"

#include <algorithm>
#include <numeric>
#include <random>

namespace korvelant::testing {

Graph FromPruefer(int n, const std::vector<int>& code) {
  Graph tree{n, {}};
  std::vector<int> degree(n + 1, 1);
  for (const int v : code)
    ++degree[v];
  for (const int v : code) {
    const int leaf =
        static_cast<int>(std::find(degree.begin() + 1, degree.end(), 1) - degree.begin());
    tree.edges.emplace_back(leaf, v);
    --degree[leaf];
    --degree[v];
  }
  const auto last = std::find(degree.begin() + 1, degree.end(), 1);
  const auto other = std::find(last + 1, degree.end(), 1);
  tree.edges.emplace_back(static_cast<int>(last - degree.begin()),
                          static_cast<int>(other - degree.begin()));
  return tree;
}

std::vector<Graph> AllLabelledTrees(int n) {
  if (n == 1) return {Graph{1, {}}};
  if (n == 2) return {Graph{2, {{1, 2}}}};
  std::vector<Graph> trees;
  std::vector<int> code(n - 2, 1);
  while (true) {
    trees.push_back(FromPruefer(n, code));
    std::size_t digit = 0;
    while (digit < code.size() && code[digit] == n)
      code[digit++] = 1;
    if (digit == code.size()) return trees;
    ++code[digit];
  }
}

std::vector<Graph> RandomTrees(int n, int count, unsigned seed) {
  if (n <= 2) return std::vector<Graph>(count, AllLabelledTrees(n).front());
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> vertex(1, n);
  std::vector<Graph> trees;
  for (int t = 0; t < count; ++t) {
    std::vector<int> code(n - 2);
    for (int& v : code)
      v = vertex(random);
    trees.push_back(FromPruefer(n, code));
  }
  return trees;
}

Graph Relabelled(const Graph& graph, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<int> label(graph.vertexCount + 1);
  std::iota(label.begin(), label.end(), 0);
  std::shuffle(label.begin() + 1, label.end(), random);
  Graph copy{graph.vertexCount, {}};
  for (const auto& [a, b] : graph.edges)
    copy.edges.emplace_back(label[a], label[b]);
  return copy;
}

Graph Path(int n) {
  Graph tree{n, {}};
  for (int v = 1; v < n; ++v)
    tree.edges.emplace_back(v, v + 1);
  return tree;
}

Graph Star(int n) {
  Graph tree{n, {}};
  for (int v = 2; v <= n; ++v)
    tree.edges.emplace_back(1, v);
  return tree;
}

Graph Caterpillar(int spine, int legs) {
  Graph tree = Path(spine);
  for (int v = 1; v <= spine; ++v) {
    for (int leg = 0; leg < legs; ++leg)
      tree.edges.emplace_back(v, ++tree.vertexCount);
  }
  return tree;
}

Graph Broom(int handle, int bristles) {
  Graph tree = Path(handle);
  for (int leaf = 0; leaf < bristles; ++leaf)
    tree.edges.emplace_back(handle, ++tree.vertexCount);
  return tree;
}

Graph DoubleStar(int left, int right) {
  Graph tree{2, {{1, 2}}};
  for (int leaf = 0; leaf < left; ++leaf)
    tree.edges.emplace_back(1, ++tree.vertexCount);
  for (int leaf = 0; leaf < right; ++leaf)
    tree.edges.emplace_back(2, ++tree.vertexCount);
  return tree;
}

Graph Spider(int legs, int length) {
  Graph tree{1, {}};
  for (int leg = 0; leg < legs; ++leg) {
    int last = 1;
    for (int step = 0; step < length; ++step) {
      tree.edges.emplace_back(last, ++tree.vertexCount);
      last = tree.vertexCount;
    }
  }
  return tree;
}

}  // namespace korvelant::testing
