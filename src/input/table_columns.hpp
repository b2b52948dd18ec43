#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvelant {

// The columns the user named with --smiles-column and --name-column, if any.
struct ColumnChoice {
  std::optional<std::string> smiles;
  std::optional<std::string> name;
};

// What a table's header row says: where the SMILES and the name stand, and which columns
// are carried into the output beside the computed ones, under which headers.
struct TableColumns {
  char separator = ',';
  std::size_t fieldCount = 0;
  std::size_t smiles = 0;
  std::optional<std::size_t> name;
  std::vector<std::size_t> carried;       // field positions, in input order
  std::vector<std::string> carriedNames;  // their output headers
};

// Reads a header row. The SMILES column is the one `choice` names, else the one headed
// "smiles" in any letter case; the name column likewise, else "name", "id" or "title" (the
// first of these found). A UTF-8 byte-order mark before the first header is dropped. Every
// other column is carried under its own header, with "input_" put before it as often as it
// takes to differ from `ownColumns` (the program's columns) and the headers before it, so
// that a table's "W" or a second "bp" keeps a column of its own. Gives the reason when the
// SMILES column, or a column `choice` names, is missing: the message names the headers
// found.
std::variant<TableColumns, std::string> ReadTableHeader(std::string_view row, char separator,
                                                        const ColumnChoice& choice,
                                                        std::span<const std::string> ownColumns);

// One data row of a table, read by its header: the SMILES and name trimmed of blanks, the
// carried values as they are, and an error when the row has more or fewer fields than the
// header (the values present are still carried) or white space inside the SMILES.
struct TableRow {
  std::string smiles;
  std::string name;
  std::vector<std::string> carried;
  std::string error;
};

// `fields` is scratch space, kept by the caller to spare allocations.
void ReadTableRow(std::string_view row, const TableColumns& columns,
                  std::vector<std::string>& fields, TableRow& result);

}  // namespace korvelant
