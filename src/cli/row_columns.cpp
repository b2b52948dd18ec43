#include "cli/row_format.hpp"

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

std::vector<std::string> ColumnNames(const RowLayout& layout) {
  std::vector<std::string> names = {"name"};
  if (layout.smilesColumn) names.emplace_back("smiles");
  names.insert(names.end(), {"vertices", "edges"});
  for (int block = 0; block < 16; ++block)
    names.push_back(BlockName(block));
  names.insert(names.end(), {"W", "WW", "M1", "M2", "chi", "Z", "error"});
  return names;
}

}  // namespace korvelant
