// The sixteen matrices of a tree without the file's text: the engine against the forest-by-
// forest computation it replaced (tests/support/forest_by_forest), timed in the same run on
// the same trees. Each benchmark rotates through hundreds of distinct random trees, since one
// tree repeated lets the processor learn its branches and flatters the figure.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/element_sums.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/tree_sides.hpp"
#include "support/forest_by_forest.hpp"
#include "support/tree_generators.hpp"

namespace korvelant {
namespace {

const std::vector<RootedTree>& TreesOf(int n) {
  static std::vector<std::vector<RootedTree>> cache(kMaxFixedWidthVertices + 1);
  if (cache[n].empty()) {
    for (const Graph& graph : testing::RandomTrees(n, 400, 20261209u + n))
      cache[n].push_back(*RootTree(graph));
  }
  return cache[n];
}

template <GraphicalMatrices (*Compute)(const RootedTree&)>
void MatricesOf(benchmark::State& state) {
  const std::vector<RootedTree>& trees = TreesOf(static_cast<int>(state.range(0)));
  std::size_t next = 0;
  for (auto _ : state) {
    GraphicalMatrices matrices = Compute(trees[next]);
    benchmark::DoNotOptimize(matrices);
    next = next + 1 == trees.size() ? 0 : next + 1;
  }
  state.counters["trees"] = static_cast<double>(trees.size());
}

void BM_Engine(benchmark::State& state) {
  MatricesOf<ComputeGraphicalMatrices>(state);
}
void BM_ForestByForest(benchmark::State& state) {
  MatricesOf<testing::ComputeForestByForest>(state);
}

// The sixteen element sums alone, in O(n), as a batch without matrices needs them.
void BM_ElementSums(benchmark::State& state) {
  const std::vector<RootedTree>& trees = TreesOf(static_cast<int>(state.range(0)));
  std::size_t next = 0;
  for (auto _ : state) {
    std::array<ExactDecimal, 16> sums = ComputeElementSums(trees[next]);
    benchmark::DoNotOptimize(sums);
    next = next + 1 == trees.size() ? 0 : next + 1;
  }
  state.counters["trees"] = static_cast<double>(trees.size());
}

BENCHMARK(BM_ElementSums)->Arg(8)->Arg(20)->Arg(128);
BENCHMARK(BM_Engine)->Arg(8)->Arg(20)->Arg(50)->Arg(128);
BENCHMARK(BM_ForestByForest)->Arg(8)->Arg(20)->Arg(50)->Arg(128);

}  // namespace
}  // namespace korvelant
