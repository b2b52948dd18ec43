#include "output/matrix_file.hpp"

#include <unordered_map>

#include "matrices/matrix_kind.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendBlockName(MatrixType type, TopologicalIndex index, std::string& text) {
  text += Letter(index);
  text += "I";
  text += ShortName(type);
  // Two names break the line before their matrix; files in use have always looked so.
  const bool ownLine =
      index == TopologicalIndex::Hosoya && (type == MatrixType::EGM || type == MatrixType::DVGM);
  if (ownLine) text += kLineEnd;
}

// A matrix holds few distinct values, and most of its elements repeat one: each is
// turned into text once.
class NumberTexts {
 public:
  const std::string& Of(ExactDecimal value) {
    if (value == last_) return lastText_;
    auto [slot, added] = texts_.try_emplace(static_cast<std::int64_t>(value.ticks()));
    // Values past 64 bits are rare (large Hosoya counts) and not cached.
    if (value.ticks() != static_cast<std::int64_t>(value.ticks())) {
      wide_ = NumberText(value);
      return wide_;
    }
    if (added) slot->second = NumberText(value);
    last_ = value;
    lastText_ = slot->second;
    return lastText_;
  }

 private:
  std::unordered_map<std::int64_t, std::string> texts_;
  ExactDecimal last_ = ExactDecimal::FromTicks(-1);
  std::string lastText_;
  std::string wide_;
};

void AppendRows(const GraphicalMatrix& matrix, NumberTexts& texts, std::string& text) {
  const int n = matrix.size();
  text += "= { ";
  for (int i = 1; i <= n; ++i) {
    text += "{";
    for (int j = 1; j <= n; ++j) {
      text += texts.Of(matrix(i, j));
      text += j < n ? ", " : "}";
    }
    text += i < n ? ", " : " }";
    text += kLineEnd;
  }
}

}  // namespace

std::string MatrixFileText(const GraphicalMatrices& matrices) {
  const int n = matrices.blocks[0].size();
  std::string text;
  text.reserve(static_cast<std::size_t>(16) * (n * n * 4 + 16));
  NumberTexts texts;
  for (const MatrixType type : kMatrixTypes) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      AppendBlockName(type, index, text);
      AppendRows(matrices.Of(type, index), texts, text);
    }
  }
  return text;
}

}  // namespace korvelant
