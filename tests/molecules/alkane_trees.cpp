#include "alkane_trees.hpp"

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>

namespace korvelant::testing {
namespace {

std::vector<std::vector<int>> Neighbours(const Graph& tree) {
  std::vector<std::vector<int>> neighbours(tree.vertexCount + 1);
  for (const auto& [a, b] : tree.edges) {
    neighbours[a].push_back(b);
    neighbours[b].push_back(a);
  }
  for (auto& list : neighbours)
    std::sort(list.begin(), list.end());
  return neighbours;
}

}  // namespace

std::vector<Graph> TreesFromParentArrays(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot open " + path);
  std::vector<Graph> trees;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream numbers(line);
    Graph tree;
    for (int parent; numbers >> parent;) {
      ++tree.vertexCount;
      if (parent != 0) tree.edges.emplace_back(parent, tree.vertexCount);
    }
    trees.push_back(tree);
  }
  return trees;
}

TreeSmiles WriteTreeSmiles(const Graph& tree) {
  const auto neighbours = Neighbours(tree);
  TreeSmiles written;
  std::function<void(int, int)> write = [&](int vertex, int parent) {
    written.smiles += 'C';
    written.atomVertex.push_back(vertex);
    std::vector<int> children;
    for (int next : neighbours[vertex]) {
      if (next != parent) children.push_back(next);
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
      const bool branch = i + 1 < children.size();
      if (branch) written.smiles += '(';
      write(children[i], vertex);
      if (branch) written.smiles += ')';
    }
  };
  if (tree.vertexCount > 0) write(1, 0);
  return written;
}

Graph ExpectedSkeleton(const Graph& tree, const TreeSmiles& written) {
  std::vector<int> atomOf(tree.vertexCount + 1);
  for (std::size_t k = 0; k < written.atomVertex.size(); ++k) {
    atomOf[written.atomVertex[k]] = static_cast<int>(k) + 1;
  }
  // In depth-first order every atom but the first hangs from one written before it.
  std::vector<int> hangsFrom(tree.vertexCount + 1, 0);
  for (const auto& [a, b] : tree.edges) {
    const int first = std::min(atomOf[a], atomOf[b]);
    const int second = std::max(atomOf[a], atomOf[b]);
    hangsFrom[second] = first;
  }
  Graph expected{tree.vertexCount, {}};
  for (int atom = 2; atom <= tree.vertexCount; ++atom) {
    expected.edges.emplace_back(hangsFrom[atom], atom);
  }
  return expected;
}

std::vector<Graph> RandomAlkaneTrees(int count, int maxVertices, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Graph> trees;
  for (int t = 0; t < count; ++t) {
    const int n = std::uniform_int_distribution<int>(1, maxVertices)(random);
    Graph tree{n, {}};
    std::vector<int> degree(n + 1, 0);
    for (int v = 2; v <= n; ++v) {
      std::vector<int> open;
      for (int u = 1; u < v; ++u) {
        if (degree[u] < 4) open.push_back(u);
      }
      const int parent =
          open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(random)];
      ++degree[parent];
      ++degree[v];
      tree.edges.emplace_back(parent, v);
    }
    trees.push_back(tree);
  }
  return trees;
}

}  // namespace korvelant::testing
