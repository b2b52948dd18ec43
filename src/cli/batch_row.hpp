#pragma once

#include <string>
#include <string_view>

#include "cli/input_formats.hpp"
#include "cli/row_format.hpp"
#include "input/record_splitter.hpp"

namespace korvelant {

// Reads one record, computes it and appends its row. A record that cannot be read, is too
// long, is no tree or makes the computation fail gets a row with the error set and the batch
// goes on: "line 7: malformed edge \"1-x\"" (with "FILE, " before it when a batch reads
// several files), or "not a tree: 2 fragments". Returns false for such a refused row.
bool AppendBatchRow(const SplitRecord& record, const InputFormat& format, std::string_view where,
                    const RowFormat& rows, const RowLayout& layout, std::string& out);

}  // namespace korvelant
