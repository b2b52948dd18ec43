#include "cli/row_format.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "input/quoted_text.hpp"
#include "model/matrix_kind.hpp"
#include "model/number_text.hpp"

namespace korvelant {

MatrixView Block(const GraphicalMatrices& matrices, int block) {
  return matrices.Of(BlockType(block), BlockIndex(block));
}

bool AppendNumber(std::string& out, const BatchRow& row, const RowColumn& column) {
  const WholeTreeIndices* indices = row.indices;
  const auto whole = [&](const auto WholeTreeIndices::*member) {
    if (indices != nullptr) AppendDecimalDigits(out, indices->*member);
    return indices != nullptr;
  };
  switch (column.kind) {
    case ColumnKind::kVertices:
      if (row.graph == nullptr) return false;
      AppendDecimalDigits(out, Int128{row.graph->vertexCount});
      return true;
    case ColumnKind::kHalfSum:
      if (row.elementSums == nullptr) return false;
      AppendHalfSumDigits(out, (*row.elementSums)[static_cast<std::size_t>(column.index)]);
      return true;
    case ColumnKind::kWiener:
      return whole(&WholeTreeIndices::wiener);
    case ColumnKind::kHyperWiener:
      return whole(&WholeTreeIndices::hyperWiener);
    case ColumnKind::kFirstZagreb:
      return whole(&WholeTreeIndices::firstZagreb);
    case ColumnKind::kSecondZagreb:
      return whole(&WholeTreeIndices::secondZagreb);
    case ColumnKind::kHosoya:
      return whole(&WholeTreeIndices::hosoya);
    case ColumnKind::kRandic: {
      if (indices == nullptr) return false;
      char buffer[kLongestNumberText];
      out.append(buffer, WriteShortestText(indices->randic, buffer));
      return true;
    }
    default:
      return false;
  }
}

std::vector<RowColumn> AllColumns(const RowLayout& layout) {
  std::vector<RowColumn> columns = {{ColumnKind::kName, 0, "name"}};
  if (layout.smilesColumn) columns.push_back({ColumnKind::kSmiles, 0, "smiles"});
  columns.push_back({ColumnKind::kVertices, 0, "vertices"});
  columns.push_back({ColumnKind::kEdges, 0, "edges"});
  for (int block = 0; block < 16; ++block)
    columns.push_back({ColumnKind::kHalfSum, block, BlockName(block)});
  columns.insert(columns.end(), {{ColumnKind::kWiener, 0, "W"},
                                 {ColumnKind::kHyperWiener, 0, "WW"},
                                 {ColumnKind::kFirstZagreb, 0, "M1"},
                                 {ColumnKind::kSecondZagreb, 0, "M2"},
                                 {ColumnKind::kRandic, 0, "chi"},
                                 {ColumnKind::kHosoya, 0, "H"}});
  if (layout.matrices) columns.push_back({ColumnKind::kMatrices, 0, "matrices"});
  columns.push_back({ColumnKind::kError, 0, "error"});
  for (std::size_t k = 0; k < layout.carried.size(); ++k)
    columns.push_back({ColumnKind::kCarried, static_cast<int>(k), layout.carried[k]});
  return columns;
}

std::vector<std::string> ColumnNames(const RowLayout& layout) {
  std::vector<std::string> names;
  for (RowColumn& column : AllColumns(layout)) {
    if (column.kind != ColumnKind::kMatrices) names.push_back(std::move(column.name));
  }
  return names;
}

std::variant<std::vector<RowColumn>, std::string> ChooseColumns(
    const RowLayout& layout, const std::vector<std::string>& names) {
  const std::vector<RowColumn> all = AllColumns(layout);
  std::vector<bool> taken(all.size(), false);
  std::vector<RowColumn> chosen;
  for (const std::string& name : names) {
    const auto found = std::find_if(all.begin(), all.end(),
                                    [&](const RowColumn& column) { return column.name == name; });
    if (found == all.end()) {
      std::string known;
      for (const RowColumn& column : all)
        known.append(known.empty() ? "" : ", ").append(column.name);
      return "--columns names " + QuotedText(name) + ", which is no column; the columns are " +
             known;
    }
    const auto place = static_cast<std::size_t>(found - all.begin());
    if (taken[place]) return "--columns names " + QuotedText(name) + " twice";
    taken[place] = true;
    chosen.push_back(*found);
  }
  if (layout.matrices && std::find(names.begin(), names.end(), "matrices") == names.end())
    chosen.push_back({ColumnKind::kMatrices, 0, "matrices"});
  return chosen;
}

RowNeeds NeedsOf(const std::vector<RowColumn>& columns) {
  RowNeeds needs{false, false, false};
  for (const RowColumn& column : columns) {
    switch (column.kind) {
      case ColumnKind::kHalfSum:
        needs.elementSums = true;
        break;
      case ColumnKind::kWiener:
      case ColumnKind::kHyperWiener:
      case ColumnKind::kFirstZagreb:
      case ColumnKind::kSecondZagreb:
      case ColumnKind::kRandic:
      case ColumnKind::kHosoya:
        needs.indices = true;
        break;
      case ColumnKind::kMatrices:
        needs.matrices = true;
        break;
      default:
        break;
    }
  }
  return needs;
}

}  // namespace korvelant
