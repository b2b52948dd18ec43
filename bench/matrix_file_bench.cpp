// All sixteen matrices of a tree computed and formatted as the file's bytes, without the
// disk. Each benchmark rotates through many distinct trees, since one tree repeated lets the
// processor learn its branches and flatters the figure.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "engine/tree_sides.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {
namespace {

// A uniformly random labelled tree on 1..n from a random Pruefer code.
Graph RandomTree(int n, std::mt19937& random) {
  Graph tree{n, {}};
  if (n == 1) return tree;
  std::uniform_int_distribution<int> vertex(1, n);
  std::vector<int> code(n - 2);
  for (int& v : code)
    v = vertex(random);
  std::vector<int> degree(n + 1, 1);
  for (const int v : code)
    ++degree[v];
  for (const int v : code) {
    int leaf = 1;
    while (degree[leaf] != 1)
      ++leaf;
    tree.edges.emplace_back(leaf, v);
    --degree[leaf];
    --degree[v];
  }
  int last = 1;
  while (degree[last] != 1)
    ++last;
  int other = last + 1;
  while (degree[other] != 1)
    ++other;
  tree.edges.emplace_back(last, other);
  return tree;
}

Graph Named(int n, std::vector<Edge> edges) {
  return Graph{n, std::move(edges)};
}

void FileOfTrees(benchmark::State& state, const std::vector<Graph>& trees) {
  std::size_t next = 0;
  for (auto _ : state) {
    const RootedTree tree = *RootTree(trees[next]);
    std::string text = MatrixFileText(ComputeGraphicalMatrices(tree));
    benchmark::DoNotOptimize(text);
    next = next + 1 == trees.size() ? 0 : next + 1;
  }
  state.counters["trees"] = static_cast<double>(trees.size());
}

std::vector<Graph> RandomTrees(int n, int count) {
  std::mt19937 random(20261208u + n);
  std::vector<Graph> trees;
  for (int k = 0; k < count; ++k)
    trees.push_back(RandomTree(n, random));
  return trees;
}

void RandomTreesOf(benchmark::State& state) {
  static std::vector<std::vector<Graph>> cache(kMaxFixedWidthVertices + 1);
  const int n = static_cast<int>(state.range(0));
  if (cache[n].empty()) cache[n] = RandomTrees(n, n <= 20 ? 500 : 50);
  FileOfTrees(state, cache[n]);
}

// The named shapes, each with relabelled copies so that the rotation holds distinct inputs.
std::vector<Graph> Relabelled(const Graph& tree, int copies) {
  std::mt19937 random(7u);
  std::vector<int> label(tree.vertexCount + 1);
  std::vector<Graph> trees;
  for (int k = 0; k < copies; ++k) {
    for (int v = 0; v <= tree.vertexCount; ++v)
      label[v] = v;
    std::shuffle(label.begin() + 1, label.end(), random);
    Graph copy{tree.vertexCount, {}};
    for (const auto& [a, b] : tree.edges)
      copy.edges.emplace_back(label[a], label[b]);
    trees.push_back(copy);
  }
  return trees;
}

void BM_Path8(benchmark::State& state) {
  static const auto trees =
      Relabelled(Named(8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}}), 200);
  FileOfTrees(state, trees);
}
void BM_Star8(benchmark::State& state) {
  static const auto trees =
      Relabelled(Named(8, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}}), 200);
  FileOfTrees(state, trees);
}
void BM_DimethylHexane(benchmark::State& state) {
  static const auto trees =
      Relabelled(Named(8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}), 200);
  FileOfTrees(state, trees);
}

BENCHMARK(BM_Path8);
BENCHMARK(BM_Star8);
BENCHMARK(BM_DimethylHexane);
BENCHMARK(RandomTreesOf)->Arg(8)->Arg(12)->Arg(16)->Arg(20)->Arg(50)->Arg(100)->Arg(128);

}  // namespace
}  // namespace korvelant
