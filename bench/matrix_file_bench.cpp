// The file command's work without the disk: distances, the tree check, and all sixteen
// matrices computed and formatted, for three 8-vertex trees of different shape.
#include <benchmark/benchmark.h>

#include "matrices/tree_check.hpp"
#include "model/distance_matrix.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {
namespace {

TreeModel Tree(std::initializer_list<std::pair<int, int>> edges) {
  return TreeFromEdges(8, std::span(edges.begin(), edges.size()));
}

void AllSixteenMatrices(benchmark::State& state, TreeModel model) {
  CommandValues values;
  for (auto _ : state) {
    NadjiMatricuUdaljenosti(model);
    if (!IsTree(model, values)) state.SkipWithError("not a tree");
    std::string text = MatrixFileText(model, values);
    benchmark::DoNotOptimize(text);
  }
}

BENCHMARK_CAPTURE(AllSixteenMatrices, Path8,
                  Tree({{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}}))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AllSixteenMatrices, Star8,
                  Tree({{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}}))
    ->Unit(benchmark::kMicrosecond);
// 2,3-dimethylhexane
BENCHMARK_CAPTURE(AllSixteenMatrices, Branched8,
                  Tree({{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvelant
