#include <charconv>
#include <utility>

#include "cli/row_format.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

bool NeedsQuotes(std::string_view field) {
  if (field.empty()) return false;
  if (field.front() == ' ' || field.back() == ' ') return true;
  for (const char c : field) {
    if (c == ',' || c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

void AppendField(std::string& out, std::string_view field) {
  if (!NeedsQuotes(field)) {
    out.append(field);
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendInteger(std::string& out, long value) {
  char buffer[24];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendWhole(std::string& out, const WholeTreeIndices* indices,
                 const auto WholeTreeIndices::*value) {
  if (indices) AppendDecimalDigits(out, indices->*value);
}

void AppendCell(std::string& out, const BatchRow& row, const RowColumn& column) {
  const WholeTreeIndices* indices = row.indices;
  switch (column.kind) {
    case ColumnKind::kName:
      AppendField(out, row.name);
      break;
    case ColumnKind::kSmiles:
      if (row.smiles) AppendField(out, *row.smiles);
      break;
    case ColumnKind::kVertices:
      if (row.graph) AppendInteger(out, row.graph->vertexCount);
      break;
    case ColumnKind::kEdges:
      if (row.graph) {
        thread_local std::string edges;  // kept to spare an allocation per row
        edges.clear();
        AppendEdgeListText(edges, *row.graph);
        AppendField(out, edges);
      }
      break;
    case ColumnKind::kHalfSum:
      if (row.elementSums) {
        AppendHalfSumDigits(out, (*row.elementSums)[column.index]);
      }
      break;
    case ColumnKind::kWiener:
      AppendWhole(out, indices, &WholeTreeIndices::wiener);
      break;
    case ColumnKind::kHyperWiener:
      AppendWhole(out, indices, &WholeTreeIndices::hyperWiener);
      break;
    case ColumnKind::kFirstZagreb:
      AppendWhole(out, indices, &WholeTreeIndices::firstZagreb);
      break;
    case ColumnKind::kSecondZagreb:
      AppendWhole(out, indices, &WholeTreeIndices::secondZagreb);
      break;
    case ColumnKind::kRandic:
      if (indices) {
        char buffer[kLongestNumberText];
        out.append(buffer, WriteShortestText(indices->randic, buffer));
      }
      break;
    case ColumnKind::kHosoya:
      AppendWhole(out, indices, &WholeTreeIndices::hosoya);
      break;
    case ColumnKind::kMatrices:  // refused with CSV: a row has no room for them
      break;
    case ColumnKind::kError:
      AppendField(out, row.error);
      break;
    case ColumnKind::kCarried:
      if (static_cast<std::size_t>(column.index) < row.carried.size())
        AppendField(out, row.carried[static_cast<std::size_t>(column.index)]);
      break;
  }
}

class CsvRowFormat : public RowFormat {
 public:
  std::string Header(const RowLayout& layout) const override {
    std::string header;
    bool first = true;
    for (const RowColumn& column : layout.columns.empty() ? AllColumns(layout) : layout.columns) {
      if (column.kind == ColumnKind::kMatrices) continue;
      if (!std::exchange(first, false)) header += ',';
      AppendField(header, column.name);
    }
    return header + '\n';
  }

  void AppendRow(const BatchRow& row, const RowLayout& layout, std::string& out) const override {
    if (layout.columns.empty()) {
      AppendCells(row, AllColumns(layout), out);
    } else {
      AppendCells(row, layout.columns, out);
    }
  }

 private:
  static void AppendCells(const BatchRow& row, const std::vector<RowColumn>& columns,
                          std::string& out) {
    bool first = true;
    for (const RowColumn& column : columns) {
      if (column.kind == ColumnKind::kMatrices) continue;
      if (!std::exchange(first, false)) out += ',';
      AppendCell(out, row, column);
    }
    out += '\n';
  }
};

}  // namespace

std::unique_ptr<RowFormat> CsvRows() {
  return std::make_unique<CsvRowFormat>();
}

}  // namespace korvelant
