// Reading molecules: distinct alkane SMILES of 1 to 20 carbons, each a random tree of
// maximum degree 4 written depth first, read in turn so no two reads in a row repeat.
// Target: at most 50 microseconds a molecule without depiction.
#include <benchmark/benchmark.h>

#include <set>
#include <string>
#include <vector>

#include "alkane_trees.hpp"
#include "molecules/grid_layout.hpp"
#include "molecules/molecule_reading.hpp"
#include "molecules/molecule_records.hpp"

namespace korvelant {
namespace {

// Distinct SMILES of random alkanes of 1..20 carbons, or of exactly `carbons`.
std::vector<std::string> DistinctAlkanes(int carbons = 0) {
  std::set<std::string> distinct;
  for (const Graph& tree : testing::RandomAlkaneTrees(20000, 20, 2024)) {
    if (carbons == 0 || tree.vertexCount == carbons) {
      distinct.insert(testing::WriteTreeSmiles(tree).smiles);
    }
  }
  return std::vector<std::string>(distinct.begin(), distinct.end());
}

void ReadAlkaneSmiles(benchmark::State& state) {
  const std::vector<std::string> molecules = DistinctAlkanes(static_cast<int>(state.range(0)));
  std::size_t next = 0;
  for (auto _ : state) {
    MoleculeReading reading = ReadSmiles(molecules[next]);
    if (!reading.IsTree()) state.SkipWithError("an alkane was refused");
    benchmark::DoNotOptimize(reading);
    next = (next + 1) % molecules.size();
  }
  state.SetLabel(std::to_string(molecules.size()) + " distinct");
}
// Argument: every size up to 20 carbons (0), or 20 carbons only, the slowest.
BENCHMARK(ReadAlkaneSmiles)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);
// The batch's workers read in parallel.
BENCHMARK(ReadAlkaneSmiles)->Arg(20)->Unit(benchmark::kMicrosecond)->Threads(2)->UseRealTime();

void ReadSmiLines(benchmark::State& state) {
  const std::vector<std::string> molecules = DistinctAlkanes();
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < molecules.size(); ++i) {
    lines.push_back(molecules[i] + "\talkane " + std::to_string(i));
  }
  std::size_t next = 0;
  for (auto _ : state) {
    TreeRecord record = SmilesLineRecord(lines[next]);
    benchmark::DoNotOptimize(record);
    next = (next + 1) % lines.size();
  }
}
BENCHMARK(ReadSmiLines)->Unit(benchmark::kMicrosecond);

// What the window does with a SMILES typed in: read, depict, lay out on the grid.
void ReadDepictAndLayOut(benchmark::State& state) {
  std::vector<std::string> small;
  for (const Graph& tree : testing::RandomAlkaneTrees(2000, 8, 99)) {
    small.push_back(testing::WriteTreeSmiles(tree).smiles);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    MoleculeReading reading = ReadSmiles(small[next], Depiction::Compute);
    std::vector<GridPosition> grid = GridLayout(reading.depiction);
    benchmark::DoNotOptimize(grid);
    next = (next + 1) % small.size();
  }
}
BENCHMARK(ReadDepictAndLayOut)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvelant
