#include <algorithm>
#include <charconv>

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
  for (const auto& [a, b] : graph.edges) {
    if (out.back() != '[') out += ',';
    out += '[';
    out += std::to_string(std::min(a, b));
    out += ',';
    out += std::to_string(std::max(a, b));
    out += ']';
  }
  out += ']';
}

void AppendMatrices(std::string& out, const GraphicalMatrices& matrices) {
  out += "\"matrices\":{";
  for (int block = 0; block < 16; ++block) {
    if (block > 0) out += ',';
    AppendKey(out, BlockName(block));
    const MatrixView matrix = Block(matrices, block);
    out += '[';
    for (int i = 1; i <= matrix.size(); ++i) {
      out += i > 1 ? ",[" : "[";
      for (int j = 1; j <= matrix.size(); ++j) {
        if (j > 1) out += ',';
        out += BareNumberText(matrix(i, j));
      }
      out += ']';
    }
    out += ']';
  }
  out += "},";
}

class JsonLineRowFormat : public RowFormat {
 public:
  std::string Header(const RowLayout& /*layout*/) const override { return ""; }

  void AppendRow(const BatchRow& row, const RowLayout& layout, std::string& out) const override {
    out += '{';
    AppendKey(out, "name");
    AppendString(out, row.name);
    if (layout.smilesColumn) {
      out += ',';
      AppendKey(out, "smiles");
      if (row.smiles) {
        AppendString(out, *row.smiles);
      } else {
        out += "null";
      }
    }
    out += ',';
    AppendKey(out, "vertices");
    if (row.graph) {
      char buffer[16];
      out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, row.graph->vertexCount).ptr);
    } else {
      out += "null";
    }
    out += ',';
    AppendKey(out, "edges");
    if (row.graph) {
      AppendEdgePairs(out, *row.graph);
    } else {
      out += "null";
    }
    const std::array<ExactDecimal, 16>* sums = row.elementSums;
    for (int block = 0; block < 16; ++block) {
      out += ',';
      AppendKey(out, BlockName(block));
      out += sums ? HalfSumDigits((*sums)[block]) : "null";
    }
    const WholeTreeIndices* indices = row.indices;
    const auto appendWhole = [&](std::string_view key, const auto* value) {
      out += ',';
      AppendKey(out, key);
      if (value) {
        AppendWholeNumber(out, *value);
      } else {
        out += "null";
      }
    };
    appendWhole("W", indices ? &indices->wiener : nullptr);
    appendWhole("WW", indices ? &indices->hyperWiener : nullptr);
    appendWhole("M1", indices ? &indices->firstZagreb : nullptr);
    appendWhole("M2", indices ? &indices->secondZagreb : nullptr);
    out += ',';
    AppendKey(out, "chi");
    out += indices ? ShortestText(indices->randic) : "null";
    appendWhole("H", indices ? &indices->hosoya : nullptr);
    out += ',';
    if (layout.matrices && row.matrices) {
      AppendMatrices(out, *row.matrices);
    } else if (layout.matrices) {
      out += "\"matrices\":null,";
    }
    AppendKey(out, "error");
    if (row.error.empty()) {
      out += "null";
    } else {
      AppendString(out, row.error);
    }
    for (std::size_t k = 0; k < layout.carried.size(); ++k) {
      out += ',';
      AppendString(out, layout.carried[k]);
      out += ':';
      if (k < row.carried.size()) {
        AppendString(out, row.carried[k]);
      } else {
        out += "null";
      }
    }
    out += "}\n";
  }
};

}  // namespace

std::unique_ptr<RowFormat> JsonLineRows() {
  return std::make_unique<JsonLineRowFormat>();
}

}  // namespace korvelant
