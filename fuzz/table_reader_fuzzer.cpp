// A batch's table: the splitter's quoted lines, the header row and the data rows. Records
// come out the same however the stream is cut; a record whose quote did not run to the
// end holds an even number of quotes; fields written back with quotes read back the same;
// a header either names the headers found or gives columns that point into the row, with
// output headers that clash with nothing; every data row carries one value per carried
// column. The first byte chooses the separator, a small record limit and the pieces.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_require.hpp"
#include "input/record_splitter.hpp"
#include "input/table_columns.hpp"
#include "input/table_fields.hpp"
#include "text_checks.hpp"

namespace {

using namespace korvelant;

struct Found {
  std::string text;
  std::uint64_t line = 0;
  std::uint64_t length = 0;
  bool tooLong = false;
  bool openQuote = false;
  friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> Split(const SplitRules& rules, std::string_view text, std::size_t piece) {
  std::vector<Found> found;
  const RecordSplitter::Emit emit = [&](const SplitRecord& record) {
    found.push_back(
        {std::string(record.text), record.line, record.length, record.tooLong, record.openQuote});
  };
  RecordSplitter splitter(rules);
  while (!text.empty()) {
    const std::size_t size = std::min(text.size(), piece == 0 ? text.size() : piece);
    splitter.Feed(text.substr(0, size), emit);
    text.remove_prefix(size);
  }
  splitter.Finish(emit);
  return found;
}

// Every field quoted, its quotes doubled: RFC 4180's most careful writer.
std::string Written(const std::vector<std::string>& fields, char separator) {
  std::string row;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) row += separator;
    row += '"';
    for (const char c : fields[k]) {
      if (c == '"') row += '"';
      row += c;
    }
    row += '"';
  }
  return row;
}

void CheckHeader(const TableColumns& columns, const std::vector<std::string>& ownColumns) {
  FUZZ_REQUIRE(columns.smiles < columns.fieldCount);
  FUZZ_REQUIRE(!columns.name ||
               (*columns.name < columns.fieldCount && *columns.name != columns.smiles));
  FUZZ_REQUIRE(columns.carried.size() == columns.carriedNames.size());
  FUZZ_REQUIRE(columns.carried.size() + 1 + (columns.name ? 1 : 0) == columns.fieldCount);
  std::set<std::string> names(ownColumns.begin(), ownColumns.end());
  for (const std::string& name : columns.carriedNames)
    FUZZ_REQUIRE(names.insert(name).second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const char separator = (data[0] & 1) != 0 ? '\t' : ',';
  SplitRules rules{RecordLayout::kQuotedLine, false};
  if ((data[0] & 2) != 0) rules.maxRecordBytes = 1 + data[0] % 61;
  const std::size_t piece = 1 + (data[0] >> 2) % 13;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::vector<Found> records = Split(rules, text, 0);
  FUZZ_REQUIRE(Split(rules, text, piece) == records);
  FUZZ_REQUIRE(Split(rules, text, 1) == records);

  const std::vector<std::string> ownColumns = {"name", "smiles", "W", "error"};
  std::optional<TableColumns> columns;
  std::vector<std::string> fields;
  TableRow row;
  std::uint64_t lastLine = 0;
  for (const Found& record : records) {
    FUZZ_REQUIRE(record.line > lastLine);
    lastLine = record.line;
    if (record.tooLong || record.openQuote) continue;
    FUZZ_REQUIRE(std::count(record.text.begin(), record.text.end(), '"') % 2 == 0);
    SplitTableFields(record.text, separator, fields);
    const std::vector<std::string> read = fields;
    SplitTableFields(Written(read, separator), separator, fields);
    FUZZ_REQUIRE(fields == read);
    if (!columns) {
      auto header = ReadTableHeader(record.text, separator, {}, ownColumns);
      if (const auto* problem = std::get_if<std::string>(&header)) {
        FUZZ_REQUIRE(fuzz::IsOneLine(*problem) && fuzz::IsSafeForTerminal(*problem));
        return 0;
      }
      columns = std::get<TableColumns>(header);
      CheckHeader(*columns, ownColumns);
      continue;
    }
    ReadTableRow(record.text, *columns, fields, row);
    FUZZ_REQUIRE(row.carried.size() == columns->carried.size());
    FUZZ_REQUIRE(row.error.empty() == (fields.size() == columns->fieldCount &&
                                       row.smiles.find_first_of(" \t\r\n") == std::string::npos));
    FUZZ_REQUIRE(fuzz::IsOneLine(row.error) && fuzz::IsSafeForTerminal(row.error));
  }
  return 0;
}
