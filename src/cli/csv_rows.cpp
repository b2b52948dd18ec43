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
  // Runs between quotes whole, each quote doubled: a row's edges are quoted for their commas.
  out += '"';
  std::size_t from = 0;
  for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
       quote = field.find('"', from)) {
    out.append(field.substr(from, quote + 1 - from));
    out += '"';
    from = quote + 1;
  }
  out.append(field.substr(from));
  out += '"';
}

void AppendCell(std::string& out, const BatchRow& row, const RowColumn& column) {
  switch (column.kind) {
    case ColumnKind::kName:
      AppendField(out, row.name);
      break;
    case ColumnKind::kSmiles:
      if (row.smiles) AppendField(out, *row.smiles);
      break;
    case ColumnKind::kEdges:
      if (row.graph) {
        thread_local std::string edges;  // kept to spare an allocation per row
        edges.clear();
        AppendEdgeListText(edges, *row.graph);
        AppendField(out, edges);
      }
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
    default:  // the numbers; a row without one leaves its cell empty
      AppendNumber(out, row, column);
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
