#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "engine/whole_tree_indices.hpp"
#include "model/graph.hpp"

namespace korvelant {

// The values of one output row. Pointers are null and the error set for a record that was
// not computed; a graph that was read but is no tree still has its vertices and edges.
struct BatchRow {
  std::string_view name;
  const std::string* smiles = nullptr;  // for molecule inputs
  const Graph* graph = nullptr;
  const GraphicalMatrices* matrices = nullptr;  // only for a layout with the matrices
  // The sixteen matrices' element sums in the file's order, twice their half-sums.
  const std::array<ExactDecimal, 16>* elementSums = nullptr;
  const WholeTreeIndices* indices = nullptr;
  std::string_view error;
  std::span<const std::string> carried;  // a table's other columns, as RowLayout::carried
};

// What one column of a row holds.
enum class ColumnKind {
  kName,
  kSmiles,
  kVertices,
  kEdges,
  kHalfSum,  // of block `index`, 0..15
  kWiener,
  kHyperWiener,
  kFirstZagreb,
  kSecondZagreb,
  kRandic,
  kHosoya,
  kMatrices,  // every matrix in full (JSON only)
  kError,
  kCarried,  // a table's column `index`, as RowLayout::carried
};

struct RowColumn {
  ColumnKind kind = ColumnKind::kName;
  int index = 0;
  std::string name;
};

// Which columns a batch writes besides the fixed ones.
struct RowLayout {
  bool smilesColumn = false;  // molecule inputs: the SMILES after the name
  bool matrices = false;      // every matrix in full (JSON only)
  // The headers of a table's columns carried into the output, after the program's own
  // ("error" stays where it was, so scripts reading it by name or place keep working).
  std::vector<std::string> carried = {};
  // The columns written, in order; empty for all of them (AllColumns).
  std::vector<RowColumn> columns = {};
};

// Every column of a layout in order: name, [smiles], vertices, edges, the sixteen half-sums
// named like the matrix file's blocks (WIEGM ... HIDVGM), W, WW, M1, M2, chi, H, [matrices],
// error, then the carried columns.
std::vector<RowColumn> AllColumns(const RowLayout& layout);

// Their names without "matrices", which no CSV header or table has: the CSV header.
std::vector<std::string> ColumnNames(const RowLayout& layout);

// The columns named in `names`, in that order, among AllColumns(layout); with the matrices
// and "matrices" not named, they come last. A name that is no column, or is named twice,
// gives the message saying so, which lists the columns there are.
std::variant<std::vector<RowColumn>, std::string> ChooseColumns(
    const RowLayout& layout, const std::vector<std::string>& names);

// What a row's columns need computed.
struct RowNeeds {
  bool matrices = false;
  bool elementSums = true;
  bool indices = true;
};
RowNeeds NeedsOf(const std::vector<RowColumn>& columns);

// The matrix of block k, 0..15, in the file's order.
MatrixView Block(const GraphicalMatrices& matrices, int block);

// Appends the number `column` holds in `row` (the vertex count, a half-sum, a whole-tree
// index), written alike in both formats; false, and nothing appended, when the row has
// none or the column holds no number. CSV then leaves the cell empty, JSON writes null.
bool AppendNumber(std::string& out, const BatchRow& row, const RowColumn& column);

// A way to write rows: CSV or JSON lines.
class RowFormat {
 public:
  virtual ~RowFormat() = default;
  // What stands before the first row ("" for none), with its line end.
  virtual std::string Header(const RowLayout& layout) const = 0;
  virtual void AppendRow(const BatchRow& row, const RowLayout& layout, std::string& out) const = 0;
};

// RFC 4180 CSV: a header line; fields holding a comma, a quote, a line end, another control
// character or a blank at either end are quoted, quotes doubled; bytes are passed as they
// are (a name that is not UTF-8 stays so); LF line ends. Values not computed are empty.
std::unique_ptr<RowFormat> CsvRows();

// One JSON object per line, keys as the CSV header; "edges" is a list of pairs,
// [[1,2],[2,3]], where the CSV has the text "1-2,2-3". Numbers are JSON numbers with every
// digit (Hosoya counts past 2^53 included); values not computed are null, and so is
// "error" for a computed row. Strings escape '"', '\\', control characters as \u00XX and
// U+2028/U+2029; bytes that are not UTF-8 become U+FFFD, since JSON text must be UTF-8.
// With `matrices`, "matrices" holds each block's rows as arrays of numbers. A table's
// carried columns follow "error" as strings, null for a row whose fields were not read.
std::unique_ptr<RowFormat> JsonLineRows();

}  // namespace korvelant
