#include "cli/batch_row.hpp"

#include <exception>

#include "engine/element_sums.hpp"
#include "engine/rooted_tree.hpp"
#include "input/tree_problem.hpp"
#include "molecules/molecule_records.hpp"

namespace korvelant {
namespace {

std::string Located(std::string_view where, std::uint64_t line, std::string_view problem) {
  std::string text(where);
  text += "line ";
  text += std::to_string(line);
  text += ": ";
  text += problem;
  return text;
}

std::string NotATree(const TreeRecord& record) {
  const std::string problem =
      record.treeProblem.empty() ? TreeProblem(*record.graph) : record.treeProblem;
  return NotATreeText(problem);
}

using RowTaker = std::function<void(const BatchRow&)>;

// The record read by its format's reader, or a table's row by its header; the row's
// fields land in `tableRow`, to be carried whatever becomes of the molecule.
TreeRecord ReadRecord(const SplitRecord& record, const InputFormat& format,
                      const TableColumns* table, TableRow& tableRow) {
  if (table == nullptr && format.read != nullptr) return format.read(record.text);
  if (table == nullptr) {
    // A table's row means nothing without its header row (a caller gave one row alone).
    TreeRecord unread;
    unread.error = "a table's row is read by its header row, and none was given";
    return unread;
  }
  thread_local std::vector<std::string> fields;  // kept to spare allocations
  ReadTableRow(record.text, *table, fields, tableRow);
  if (tableRow.error.empty()) return SmilesRecord(tableRow.smiles, tableRow.name);
  TreeRecord unread;
  unread.name = tableRow.name;
  if (!tableRow.smiles.empty()) unread.smiles = tableRow.smiles;
  unread.error = tableRow.error;
  return unread;
}

std::string SplitProblem(const SplitRecord& record, const InputFormat& format) {
  if (record.openQuote) {
    return "a quote opened in this record is never closed, so it runs to the end of the input";
  }
  return "a record of " + std::to_string(record.length) + " bytes, more than the " +
         std::to_string(format.rules.maxRecordBytes) + " one may have";
}

bool TakeComputedRow(const SplitRecord& record, const InputFormat& format,
                     const TableColumns* table, std::string_view where, const RowNeeds& needs,
                     TableRow& tableRow, const RowTaker& take) {
  if (record.tooLong || record.openQuote) {
    const std::string error = Located(where, record.line, SplitProblem(record, format));
    BatchRow row;
    row.error = error;
    take(row);
    return false;
  }
  const TreeRecord tree = ReadRecord(record, format, table, tableRow);
  BatchRow row;
  row.name = tree.name;
  row.smiles = tree.smiles ? &*tree.smiles : nullptr;
  row.carried = tableRow.carried;
  std::string error;
  if (!tree.error.empty() || !tree.graph) {
    error = Located(where, record.line, tree.error.empty() ? "unreadable" : tree.error);
    row.error = error;
    take(row);
    return false;
  }
  if (needs.matrices && tree.graph->vertexCount > kMaxMatrixVertices) {
    error = Located(where, record.line, MatrixTooLargeMessage(tree.graph->vertexCount));
    row.error = error;
    take(row);
    return false;
  }
  row.graph = &*tree.graph;
  thread_local RootedTree rootedStorage;  // kept from record to record: no allocations
  const RootedTree* const rooted = &rootedStorage;
  if (!RootTree(*tree.graph, rootedStorage)) {
    error = NotATree(tree);
    row.error = error;
    take(row);
    return false;
  }
  // The matrices only where the rows show them; the half-sums need none, and take O(n)
  // even beside them, where adding up the matrices' n^2 elements took a fifth of a row.
  GraphicalMatrices matrices;
  std::array<ExactDecimal, 16> sums;
  if (needs.matrices) {
    matrices = ComputeGraphicalMatrices(*rooted);
    row.matrices = &matrices;
  }
  if (needs.elementSums) sums = ComputeElementSums(*rooted);
  WholeTreeIndices indices;
  if (needs.indices) indices = ComputeWholeTreeIndices(*rooted);
  row.elementSums = needs.elementSums ? &sums : nullptr;
  row.indices = needs.indices ? &indices : nullptr;
  take(row);
  return true;
}

}  // namespace

bool ComputeBatchRow(const SplitRecord& record, const InputFormat& format,
                     const TableColumns* table, std::string_view where, const RowNeeds& needs,
                     const RowTaker& take) {
  thread_local TableRow tableRow;
  tableRow.carried.clear();
  try {
    return TakeComputedRow(record, format, table, where, needs, tableRow, take);
  } catch (const std::exception& failure) {
    // No input may stop a batch: what the computation could not do is the record's error.
    const std::string error = Located(where, record.line, failure.what());
    BatchRow row;
    row.error = error;
    row.carried = tableRow.carried;
    take(row);
    return false;
  }
}

bool ComputeBatchRow(const SplitRecord& record, const InputFormat& format,
                     const TableColumns* table, std::string_view where, bool withMatrices,
                     const RowTaker& take) {
  return ComputeBatchRow(record, format, table, where, RowNeeds{withMatrices, true, true}, take);
}

bool AppendBatchRow(const SplitRecord& record, const InputFormat& format, const TableColumns* table,
                    std::string_view where, const RowFormat& rows, const RowLayout& layout,
                    std::string& out) {
  const std::size_t start = out.size();
  const RowNeeds needs = NeedsOf(layout.columns.empty() ? AllColumns(layout) : layout.columns);
  return ComputeBatchRow(record, format, table, where, needs, [&](const BatchRow& row) {
    out.resize(start);  // a failure's row takes the place of what was written before it
    rows.AppendRow(row, layout, out);
  });
}

}  // namespace korvelant
