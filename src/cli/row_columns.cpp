#include "cli/row_format.hpp"

#include <charconv>
#include <cstdint>

#include "matrices/matrix_kind.hpp"

namespace korvelant {

std::string BlockName(int block) {
  const MatrixType type = kMatrixTypes[static_cast<std::size_t>(block / 4)];
  const TopologicalIndex index = kTopologicalIndices[static_cast<std::size_t>(block % 4)];
  std::string name(Letter(index));
  name += 'I';
  name += ShortName(type);
  return name;
}

MatrixView Block(const GraphicalMatrices& matrices, int block) {
  return matrices.Of(kMatrixTypes[static_cast<std::size_t>(block / 4)],
                     kTopologicalIndices[static_cast<std::size_t>(block % 4)]);
}

void AppendWholeNumber(std::string& out, const ExactInteger& value) {
  if (value.IsWide()) {
    out += ToDecimalString(value);
  } else {
    AppendWholeNumber(out, value.Narrow());
  }
}

void AppendWholeNumber(std::string& out, Int128 value) {
  if (value >= 0 && value <= static_cast<Int128>(UINT64_MAX)) {
    char buffer[24];
    out.append(
        buffer,
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(value)).ptr);
  } else {
    out += ToDecimalString(value);
  }
}

std::array<ExactDecimal, 16> BlockSums(const GraphicalMatrices& matrices) {
  thread_local std::vector<std::uint32_t> uses;  // per subgraph; kept to spare allocations
  std::array<ExactDecimal, 16> sums{};
  for (std::size_t type = 0; type < matrices.types.size(); ++type) {
    const TypeMatrices& elements = matrices.types[type];
    const std::vector<SubgraphValues>& subgraphs = elements.Subgraphs();
    uses.assign(subgraphs.size(), 0);
    for (int i = 1; i <= elements.size(); ++i) {
      for (int j = 1; j <= elements.size(); ++j)
        ++uses[elements.SubgraphOf(i, j)];
    }
    for (std::size_t subgraph = 0; subgraph < subgraphs.size(); ++subgraph) {
      if (uses[subgraph] == 0) continue;
      for (std::size_t index = 0; index < kTopologicalIndices.size(); ++index) {
        const ExactDecimal value =
            elements.Value(static_cast<std::uint32_t>(subgraph), kTopologicalIndices[index]);
        sums[type * 4 + index] +=
            ExactDecimal::FromTicks(value.Ticks() * ExactInteger(Int128{uses[subgraph]}));
      }
    }
  }
  return sums;
}

std::vector<std::string> ColumnNames(const RowLayout& layout) {
  std::vector<std::string> names = {"name"};
  if (layout.smilesColumn) names.emplace_back("smiles");
  names.insert(names.end(), {"vertices", "edges"});
  for (int block = 0; block < 16; ++block)
    names.push_back(BlockName(block));
  names.insert(names.end(), {"W", "WW", "M1", "M2", "chi", "H", "error"});
  names.insert(names.end(), layout.carried.begin(), layout.carried.end());
  return names;
}

}  // namespace korvelant
