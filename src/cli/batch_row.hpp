#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "cli/input_formats.hpp"
#include "cli/row_format.hpp"
#include "input/record_splitter.hpp"
#include "input/table_columns.hpp"

namespace korvelant {

// Reads one record, computes what `needs` asks and hands its row to `take`: the sixteen
// matrices, their half-sums (from the matrices when they are computed, else without them),
// the whole tree's indices; what is not asked stays null. The row's values live only during
// the call. Should the computation fail after a row was handed on, `take` is called once
// more with the row that says so, to stand in its place. Returns false for a refused row
// (see AppendBatchRow). A table's row is read by its header's `table` (null for other
// formats) and keeps its carried columns, refused or not.
bool ComputeBatchRow(const SplitRecord& record, const InputFormat& format,
                     const TableColumns* table, std::string_view where, const RowNeeds& needs,
                     const std::function<void(const BatchRow&)>& take);
// The same with half-sums and indices, and the matrices when `withMatrices` is set.
bool ComputeBatchRow(const SplitRecord& record, const InputFormat& format,
                     const TableColumns* table, std::string_view where, bool withMatrices,
                     const std::function<void(const BatchRow&)>& take);

// Reads one record, computes what the layout's columns need and appends its row. A record that
// cannot be read, is too long, is no tree or makes the computation fail gets a row with the error
// set and the batch goes on: "line 7: malformed edge \"1-x\"" (with "FILE, " before it when a batch
// reads several files), or "not a tree: 2 fragments". Returns false for such a refused row.
bool AppendBatchRow(const SplitRecord& record, const InputFormat& format, const TableColumns* table,
                    std::string_view where, const RowFormat& rows, const RowLayout& layout,
                    std::string& out);

}  // namespace korvelant
