#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
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

// The text of every subgraph's number of one matrix, one after another and, when all fit
// one, each in a slot of kSlot characters too: what AppendMatrix copies to the elements
// that name them. Kept from matrix to matrix to spare allocations.
class SubgraphTexts {
 public:
  static constexpr std::size_t kSlot = 32;

  void Fill(const TypeMatrices& elements, TopologicalIndex index) {
    texts_.clear();
    start_.assign(1, 0);
    longest_ = 0;
    const auto count = static_cast<std::uint32_t>(elements.Subgraphs().size());
    for (std::uint32_t id = 0; id < count; ++id) {
      const ExactDecimal value = elements.Value(id, index);
      if (value.IsWide()) {
        texts_ += BareNumberText(value);  // Hosoya counts of large trees
      } else {
        // The text with its sign blank, appended from the sign on: bare, without the shift
        // that WriteBareNumberText makes to have it start where it is written.
        char buffer[kLongestNumberText];
        char* end = WriteNumberText(value, buffer);
        texts_.append(buffer + (buffer[0] == ' ' ? 1 : 0), end);
      }
      start_.push_back(static_cast<std::uint32_t>(texts_.size()));
      longest_ = std::max<std::size_t>(longest_, Length(id));
    }
    slotted_ = longest_ <= kSlot;
    if (!slotted_) return;
    slots_.resize(count * kSlot);
    for (std::uint32_t id = 0; id < count; ++id)
      std::copy(Begin(id), End(id), slots_.data() + id * kSlot);
  }

  std::size_t longest() const { return longest_; }
  bool slotted() const { return slotted_; }
  // When slotted: the text of subgraph `id` starts kSlot * id into Slots().
  const char* Slots() const { return slots_.data(); }
  std::size_t Length(std::uint32_t id) const { return start_[id + 1] - start_[id]; }
  const char* Begin(std::uint32_t id) const { return texts_.data() + start_[id]; }
  const char* End(std::uint32_t id) const { return texts_.data() + start_[id + 1]; }

 private:
  std::string texts_;
  std::vector<std::uint32_t> start_;
  std::string slots_;
  std::size_t longest_ = 0;
  bool slotted_ = false;
};

// One block's rows. Each distinct subgraph's number is written once and copied to every
// element that names it, in place, into room made for the longest. A number that fits a
// slot is copied a whole slot at a time, the output then advanced by its length: a copy of
// the exact length was a library call for each of a 128-vertex tree's 262,144 elements.
void AppendMatrix(std::string& out, const TypeMatrices& elements, TopologicalIndex index) {
  thread_local SubgraphTexts texts;
  texts.Fill(elements, index);
  const auto n = static_cast<std::size_t>(elements.size());
  const std::size_t start = out.size();
  out.resize(start + 2 + n * (3 + n * (texts.longest() + 1)) + SubgraphTexts::kSlot);
  char* at = out.data() + start;
  *at++ = '[';
  for (int i = 1; i <= elements.size(); ++i) {
    if (i > 1) *at++ = ',';
    *at++ = '[';
    const std::uint32_t* row = elements.Row(i);
    for (std::size_t j = 0; j < n; ++j) {
      if (j > 0) *at++ = ',';
      if (texts.slotted()) {
        std::memcpy(at, texts.Slots() + row[j] * SubgraphTexts::kSlot, SubgraphTexts::kSlot);
        at += texts.Length(row[j]);
      } else {
        at = std::copy(texts.Begin(row[j]), texts.End(row[j]), at);
      }
    }
    *at++ = ']';
  }
  *at++ = ']';
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
