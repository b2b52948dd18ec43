#include "cli/matrix_names.hpp"

#include <string_view>

#include "input/ignoring_case.hpp"
#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kIndexNames[] = {"Wiener", "Randic", "Zagreb", "Hosoya"};

}  // namespace

std::variant<MatrixType, std::string> ReadMatrixType(const std::string& text) {
  for (const MatrixType type : kMatrixTypes) {
    if (SameIgnoringCase(text, ShortName(type))) return type;
  }
  return "unknown matrix type " + QuotedText(text) + ": use EGM, PGM, SVGM or DVGM";
}

std::variant<TopologicalIndex, std::string> ReadTopologicalIndex(const std::string& text) {
  for (const TopologicalIndex index : kTopologicalIndices) {
    if (SameIgnoringCase(text, Letter(index)) ||
        SameIgnoringCase(text, kIndexNames[static_cast<int>(index)])) {
      return index;
    }
  }
  return "unknown index " + QuotedText(text) + ": use W, R, Z or H";
}

}  // namespace korvelant
