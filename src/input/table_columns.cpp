#include "input/table_columns.hpp"

#include <algorithm>

#include "input/ignoring_case.hpp"
#include "input/quoted_text.hpp"
#include "input/table_fields.hpp"
#include "input/trimmed.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kClashPrefix = "input_";
constexpr std::string_view kNameHeaders[] = {"name", "id", "title"};
// A message names at most this many headers, so that a table of 5,000 columns gives one
// readable line.
constexpr std::size_t kHeadersShown = 12;

// The position of the header `wanted`: written exactly, else in another letter case.
std::optional<std::size_t> FindHeader(const std::vector<std::string>& headers,
                                      std::string_view wanted) {
  const auto exact = std::find(headers.begin(), headers.end(), wanted);
  if (exact != headers.end()) return static_cast<std::size_t>(exact - headers.begin());
  for (std::size_t k = 0; k < headers.size(); ++k) {
    if (SameIgnoringCase(Trimmed(headers[k], kBlanks), wanted)) return k;
  }
  return std::nullopt;
}

std::string HeadersFound(const std::vector<std::string>& headers) {
  std::string text = "the headers are ";
  for (std::size_t k = 0; k < std::min(headers.size(), kHeadersShown); ++k) {
    if (k > 0) text += ", ";
    text += QuotedText(headers[k]);
  }
  if (headers.size() > kHeadersShown)
    text += " and " + std::to_string(headers.size() - kHeadersShown) + " more";
  return text;
}

std::string MissingColumn(std::string_view what, std::string_view option,
                          const std::vector<std::string>& headers) {
  return std::string(what) + "; " + HeadersFound(headers) + " (name the column with --" +
         std::string(option) + ")";
}

std::string UniqueName(std::string name, std::span<const std::string> ownColumns,
                       const std::vector<std::string>& taken) {
  const auto clashes = [&](const std::string& candidate) {
    return std::find(ownColumns.begin(), ownColumns.end(), candidate) != ownColumns.end() ||
           std::find(taken.begin(), taken.end(), candidate) != taken.end();
  };
  while (clashes(name))
    name.insert(0, kClashPrefix);
  return name;
}

}  // namespace

std::variant<TableColumns, std::string> ReadTableHeader(std::string_view row, char separator,
                                                        const ColumnChoice& choice,
                                                        std::span<const std::string> ownColumns) {
  if (row.starts_with(kByteOrderMark)) row.remove_prefix(kByteOrderMark.size());
  std::vector<std::string> headers;
  SplitTableFields(row, separator, headers);
  TableColumns columns;
  columns.separator = separator;
  columns.fieldCount = headers.size();

  const auto smiles = FindHeader(headers, choice.smiles ? *choice.smiles : "smiles");
  if (!smiles) {
    return MissingColumn(
        choice.smiles ? "no column " + QuotedText(*choice.smiles) : "no SMILES column",
        "smiles-column", headers);
  }
  columns.smiles = *smiles;
  if (choice.name) {
    columns.name = FindHeader(headers, *choice.name);
    if (!columns.name)
      return MissingColumn("no column " + QuotedText(*choice.name), "name-column", headers);
  } else {
    for (const std::string_view header : kNameHeaders) {
      columns.name = FindHeader(headers, header);
      if (columns.name && *columns.name != columns.smiles) break;
      columns.name.reset();
    }
  }
  if (columns.name == columns.smiles) columns.name.reset();

  for (std::size_t k = 0; k < headers.size(); ++k) {
    if (k == columns.smiles || k == columns.name) continue;
    columns.carried.push_back(k);
    columns.carriedNames.push_back(UniqueName(headers[k], ownColumns, columns.carriedNames));
  }
  return columns;
}

void ReadTableRow(std::string_view row, const TableColumns& columns,
                  std::vector<std::string>& fields, TableRow& result) {
  SplitTableFields(row, columns.separator, fields);
  const auto field = [&](std::size_t k) -> std::string_view {
    return k < fields.size() ? std::string_view(fields[k]) : std::string_view();
  };
  result.smiles = Trimmed(field(columns.smiles), kBlanks);
  result.name = columns.name ? Trimmed(field(*columns.name), kBlanks) : std::string_view();
  result.carried.resize(columns.carried.size());
  for (std::size_t k = 0; k < columns.carried.size(); ++k)
    result.carried[k] = field(columns.carried[k]);
  result.error.clear();
  if (fields.size() != columns.fieldCount) {
    result.error = std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
                   " where the header has " + std::to_string(columns.fieldCount);
  } else if (result.smiles.find_first_of(" \t\r\n") != std::string::npos) {
    // RDKit would read the part before the blank and take the rest for a name.
    result.error = "white space inside the SMILES " + QuotedText(result.smiles);
  }
}

}  // namespace korvelant
