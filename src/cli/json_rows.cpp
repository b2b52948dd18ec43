#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cli/row_format.hpp"
#include "input/utf8_text.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

void AppendEscapedUnit(std::string& out, unsigned value) {
  constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += kHex[(value >> shift) & 0xF];
}

void AppendString(std::string& out, std::string_view text) {
  out += '"';
  while (!text.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8SequenceLength(text, codePoint);
    if (length == 0) {
      out += kReplacementCharacter;
      text.remove_prefix(1);
      continue;
    }
    if (codePoint == '"' || codePoint == '\\') {
      out += '\\';
      out += static_cast<char>(codePoint);
    } else if (codePoint < 0x20 || codePoint == 0x2028 || codePoint == 0x2029) {
      AppendEscapedUnit(out, static_cast<unsigned>(codePoint));
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  out += '"';
}

void AppendKey(std::string& out, std::string_view key) {
  out += '"';
  out += key;
  out += "\":";
}

// [[1,2],[2,3]]: the edges as the CSV's text lists them, smaller vertex first, as pairs a
// script takes without parsing text.
void AppendEdgePairs(std::string& out, const Graph& graph) {
  out += '[';
  char buffer[16];
  for (const auto& [a, b] : graph.edges) {
    if (out.back() != '[') out += ',';
    out += '[';
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, std::min(a, b)).ptr);
    out += ',';
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, std::max(a, b)).ptr);
    out += ']';
  }
  out += ']';
}

// A subgraph's number as the file writes it (sign blank and all), at `out`: the whole
// indices straight from their counts, which in ten-thousandths would need a 128-bit division
// for every Hosoya count past 64 bits.
char* WriteSubgraphNumber(const SubgraphValues& values, TopologicalIndex index, char* out) {
  switch (index) {
    case TopologicalIndex::Wiener:
      return WriteWholeNumberText(values.wiener, out);
    case TopologicalIndex::Randic:
      return WriteNumberText(ExactDecimal::FromTicks(values.randicTicks), out);
    case TopologicalIndex::Zagreb:
      return WriteWholeNumberText(values.zagreb, out);
    case TopologicalIndex::Hosoya:
      return WriteWholeNumberText(values.hosoya, out);
  }
  return out;
}

// The text of every subgraph's number of one matrix: each in a slot of its own, where
// WriteSubgraphNumber put it with its sign blank, or, for Hosoya counts past 128 bits, longer,
// in a string apart. Kept from matrix to matrix to spare allocations.
class SubgraphTexts {
 public:
  static constexpr std::size_t kSlot = kLongestNumberText;

  void Fill(const TypeMatrices& elements, TopologicalIndex index) {
    const std::span<const SubgraphValues> subgraphs = elements.Subgraphs();
    const bool wide = index == TopologicalIndex::Hosoya && elements.HasWideHosoya();
    // One slot more: a copy from the last text's start may reach past its slot.
    slots_.resize((subgraphs.size() + 1) * kSlot);
    texts_.resize(subgraphs.size());
    wide_.resize(wide ? subgraphs.size() : 0);
    longest_ = 0;
    for (std::size_t id = 0; id < subgraphs.size(); ++id) {
      Text& text = texts_[id];
      if (wide) {
        wide_[id] = BareNumberText(elements.Value(static_cast<std::uint32_t>(id), index));
        text.length = static_cast<std::uint32_t>(wide_[id].size());
      } else {
        char* slot = slots_.data() + id * kSlot;
        const char* end = WriteSubgraphNumber(subgraphs[id], index, slot);
        text.bare = slot[0] == ' ' ? 1 : 0;  // the sign blank is not JSON's
        text.length = static_cast<std::uint32_t>(end - slot) - text.bare;
      }
      longest_ = std::max<std::size_t>(longest_, text.length);
    }
  }

  std::size_t longest() const { return longest_; }
  bool wide() const { return !wide_.empty(); }
  std::uint32_t Length(std::uint32_t id) const { return texts_[id].length; }
  // In its slot: the text starts here, and kSlot characters from here may be read.
  const char* Slot(std::uint32_t id) const { return slots_.data() + id * kSlot + texts_[id].bare; }
  // Apart, when wide().
  const std::string& Wide(std::uint32_t id) const { return wide_[id]; }

 private:
  struct Text {
    std::uint32_t bare = 0;  // where in the slot the bare text starts
    std::uint32_t length = 0;
  };
  std::string slots_;
  std::vector<Text> texts_;
  std::vector<std::string> wide_;
  std::size_t longest_ = 0;
};

// The rows of a matrix at `at`: each element a copy of kWidth characters from its
// subgraph's slot, the output then advanced by the text's length. A copy of a fixed width
// is a few moves; one of the exact length was a library call for each of a 128-vertex
// tree's 262,144 elements. kWidth 0: each text copied as it is (the wide Hosoya counts).
template <std::size_t kWidth>
char* PutRows(const TypeMatrices& elements, const SubgraphTexts& texts, char* at) {
  const auto n = static_cast<std::size_t>(elements.size());
  *at++ = '[';
  for (int i = 1; i <= elements.size(); ++i) {
    if (i > 1) *at++ = ',';
    *at++ = '[';
    const std::uint32_t* row = elements.Row(i);
    for (std::size_t j = 0; j < n; ++j) {
      if (j > 0) *at++ = ',';
      if constexpr (kWidth == 0) {
        at = std::copy(texts.Wide(row[j]).begin(), texts.Wide(row[j]).end(), at);
      } else {
        std::memcpy(at, texts.Slot(row[j]), kWidth);
        at += texts.Length(row[j]);
      }
    }
    *at++ = ']';
  }
  *at++ = ']';
  return at;
}

// One block's rows. Each distinct subgraph's number is written once and copied to every
// element that names it, in place, into room made for the longest.
void AppendMatrix(std::string& out, const TypeMatrices& elements, TopologicalIndex index) {
  thread_local SubgraphTexts texts;
  texts.Fill(elements, index);
  const auto n = static_cast<std::size_t>(elements.size());
  const std::size_t start = out.size();
  out.resize(start + 2 + n * (3 + n * (texts.longest() + 1)) + SubgraphTexts::kSlot);
  char* at = out.data() + start;
  if (texts.wide()) {
    at = PutRows<0>(elements, texts, at);
  } else if (texts.longest() <= 16) {
    at = PutRows<16>(elements, texts, at);
  } else {
    at = PutRows<SubgraphTexts::kSlot>(elements, texts, at);
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
}

void AppendMatrices(std::string& out, const GraphicalMatrices& matrices) {
  out += '{';
  for (int block = 0; block < 16; ++block) {
    if (block > 0) out += ',';
    AppendKey(out, BlockName(block));
    const TypeMatrices& elements =
        matrices.types[static_cast<std::size_t>(kMatrixTypes[static_cast<std::size_t>(block / 4)])];
    AppendMatrix(out, elements, kTopologicalIndices[static_cast<std::size_t>(block % 4)]);
  }
  out += '}';
}

void AppendValue(std::string& out, const BatchRow& row, const RowColumn& column) {
  switch (column.kind) {
    case ColumnKind::kName:
      AppendString(out, row.name);
      break;
    case ColumnKind::kSmiles:
      if (row.smiles) {
        AppendString(out, *row.smiles);
      } else {
        out += "null";
      }
      break;
    case ColumnKind::kEdges:
      if (row.graph) {
        AppendEdgePairs(out, *row.graph);
      } else {
        out += "null";
      }
      break;
    case ColumnKind::kMatrices:
      if (row.matrices) {
        AppendMatrices(out, *row.matrices);
      } else {
        out += "null";
      }
      break;
    case ColumnKind::kError:
      if (row.error.empty()) {
        out += "null";
      } else {
        AppendString(out, row.error);
      }
      break;
    case ColumnKind::kCarried:
      if (static_cast<std::size_t>(column.index) < row.carried.size()) {
        AppendString(out, row.carried[static_cast<std::size_t>(column.index)]);
      } else {
        out += "null";
      }
      break;
    default:  // the numbers
      if (!AppendNumber(out, row, column)) out += "null";
      break;
  }
}

class JsonLineRowFormat : public RowFormat {
 public:
  std::string Header(const RowLayout& /*layout*/) const override { return ""; }

  void AppendRow(const BatchRow& row, const RowLayout& layout, std::string& out) const override {
    if (layout.columns.empty()) {
      AppendMembers(row, AllColumns(layout), out);
    } else {
      AppendMembers(row, layout.columns, out);
    }
  }

 private:
  static void AppendMembers(const BatchRow& row, const std::vector<RowColumn>& columns,
                            std::string& out) {
    out += '{';
    bool first = true;
    for (const RowColumn& column : columns) {
      if (!std::exchange(first, false)) out += ',';
      // The program's own names need no escapes; a table's headers may.
      if (column.kind == ColumnKind::kCarried) {
        AppendString(out, column.name);
        out += ':';
      } else {
        AppendKey(out, column.name);
      }
      AppendValue(out, row, column);
    }
    out += "}\n";
  }
};

}  // namespace

std::unique_ptr<RowFormat> JsonLineRows() {
  return std::make_unique<JsonLineRowFormat>();
}

}  // namespace korvelant
