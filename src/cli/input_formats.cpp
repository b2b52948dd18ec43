#include "cli/input_formats.hpp"

#include <algorithm>
#include <cctype>

#include "input/edge_line_reader.hpp"
#include "input/nauty_records.hpp"

namespace korvelant {
namespace {

constexpr SplitRules kLinesWithComments{RecordLayout::kLine, true};
constexpr SplitRules kLines{RecordLayout::kLine, false};

// Every format --from takes. Molecule formats come with the RDKit layer:
//   {"smiles", "smi", SmilesLineRecord, kLines, true},
//   {"sdf", "sdf mol", SdfRecord, {RecordLayout::kSdfBlock, false}, true},
constexpr InputFormat kInputFormats[] = {
    {"edges", "txt", EdgeLineRecord, kLinesWithComments, false},
    {"graph6", "g6", Graph6Record, kLines, false},
    {"sparse6", "s6", Sparse6Record, kLines, false},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool ListsExtension(std::string_view extensions, std::string_view extension) {
  while (!extensions.empty()) {
    const auto blank = extensions.find(' ');
    if (SameIgnoringCase(extensions.substr(0, blank), extension)) return true;
    if (blank == std::string_view::npos) break;
    extensions.remove_prefix(blank + 1);
  }
  return false;
}

}  // namespace

std::span<const InputFormat> InputFormats() {
  return kInputFormats;
}

const InputFormat* FindInputFormat(std::string_view name) {
  for (const InputFormat& format : kInputFormats) {
    if (SameIgnoringCase(format.name, name)) return &format;
  }
  return nullptr;
}

const InputFormat* FormatOfPath(std::string_view path) {
  const std::string_view base = path.substr(path.rfind('/') + 1);
  const auto dot = base.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return nullptr;
  for (const InputFormat& format : kInputFormats) {
    if (ListsExtension(format.extensions, base.substr(dot + 1))) return &format;
  }
  return nullptr;
}

std::string InputFormatNames() {
  std::string names;
  const std::size_t count = std::size(kInputFormats);
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) names += k + 1 == count ? " or " : ", ";
    names += kInputFormats[k].name;
  }
  return names;
}

}  // namespace korvelant
