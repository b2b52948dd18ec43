#include <charconv>

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

class CsvRowFormat : public RowFormat {
 public:
  std::string Header(const RowLayout& layout) const override {
    std::string header;
    for (const std::string& name : ColumnNames(layout)) {
      if (!header.empty()) header += ',';
      AppendField(header, name);
    }
    return header + '\n';
  }

  void AppendRow(const BatchRow& row, const RowLayout& layout, std::string& out) const override {
    AppendField(out, row.name);
    if (layout.smilesColumn) {
      out += ',';
      if (row.smiles) AppendField(out, *row.smiles);
    }
    out += ',';
    if (row.graph) AppendInteger(out, row.graph->vertexCount);
    out += ',';
    if (row.graph) AppendField(out, EdgeListText(*row.graph));
    const std::array<ExactDecimal, 16>* sums = row.elementSums;
    for (int block = 0; block < 16; ++block) {
      out += ',';
      if (sums) out += HalfSumDigits((*sums)[block]);
    }
    const WholeTreeIndices* indices = row.indices;
    for (const Int128* value :
         {indices ? &indices->wiener : nullptr, indices ? &indices->hyperWiener : nullptr,
          indices ? &indices->firstZagreb : nullptr, indices ? &indices->secondZagreb : nullptr}) {
      out += ',';
      if (value) AppendWholeNumber(out, *value);
    }
    out += ',';
    if (indices) out += ShortestText(indices->randic);
    out += ',';
    if (indices) AppendWholeNumber(out, indices->hosoya);
    out += ',';
    AppendField(out, row.error);
    for (std::size_t k = 0; k < layout.carried.size(); ++k) {
      out += ',';
      if (k < row.carried.size()) AppendField(out, row.carried[k]);
    }
    out += '\n';
  }
};

}  // namespace

std::unique_ptr<RowFormat> CsvRows() {
  return std::make_unique<CsvRowFormat>();
}

}  // namespace korvelant
