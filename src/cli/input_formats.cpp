#include "cli/input_formats.hpp"

#include <algorithm>
#include <cctype>

#include "input/edge_line_reader.hpp"
#include "input/ignoring_case.hpp"
#include "input/nauty_records.hpp"
#include "molecules/molecule_records.hpp"

namespace korvelant {
namespace {

constexpr SplitRules kLinesWithComments{RecordLayout::kLine, true};
constexpr SplitRules kLines{RecordLayout::kLine, false};
constexpr SplitRules kQuotedLines{RecordLayout::kQuotedLine, false};

constexpr std::string_view kEdgesHelp =
    "one tree a line: \"N EDGES [NAME]\", the vertex count, the edge list as\n"
    "--edges takes it (\"1-2,2-3\"; \"-\" or nothing for none) and an optional\n"
    "name, the rest of the line. Lines that are blank or start with \"#\" are\n"
    "skipped. Vertices are numbered as given.\n";
constexpr std::string_view kGraph6Help =
    "one graph a line as nauty's geng writes it (an optional >>graph6<< header);\n"
    "nauty's vertex k is vertex k + 1 here.\n";
constexpr std::string_view kSparse6Help =
    "the same in sparse6, as nauty's gentreeg writes it: all alkane skeletons of\n"
    "20 carbons are  nauty-gentreeg -D4 20 | korvelant-cli batch --from sparse6\n";
constexpr std::string_view kSmilesHelp =
    "one molecule a line: a SMILES, white space and an optional name. Vertices\n"
    "are the heavy atoms (all but hydrogen) in the order the SMILES lists them.\n"
    "A first line whose first field is \"smiles\" is a title line and skipped.\n";
constexpr std::string_view kCsvHelp =
    "a table with a header row, RFC 4180 quoting (a quoted field may hold\n"
    "commas, doubled quotes and line ends). The SMILES column is the one headed\n"
    "\"smiles\" (any letter case) or named by --smiles-column; the name column is\n"
    "\"name\", \"id\" or \"title\", or --name-column. Every other column is\n"
    "carried into the output after the program's own, under its own header\n"
    "(\"input_\" before it when the program has a column of that name).\n";
constexpr std::string_view kTsvHelp = "the same with tabs between the fields.\n";
constexpr std::string_view kSdfHelp =
    "molfile records (V2000 or V3000) ending in \"$$$$\"; the title is the name.\n"
    "Vertices are the heavy atoms in the order the record lists them.\n";

// Every format --from takes, each a row; the molecule formats add the SMILES column.
constexpr InputFormat kInputFormats[] = {
    {"edges", "txt", EdgeLineRecord, kLinesWithComments, false, kEdgesHelp},
    {"graph6", "g6", Graph6Record, kLines, false, kGraph6Help},
    {"sparse6", "s6", Sparse6Record, kLines, false, kSparse6Help},
    {"smiles", "smi", SmilesLineRecord, kLines, true, kSmilesHelp, '\0', true},
    {"sdf", "sdf mol", SdfRecord, {RecordLayout::kSdfBlock, false}, true, kSdfHelp},
    {"csv", "csv", nullptr, kQuotedLines, true, kCsvHelp, ','},
    {"tsv", "tsv", nullptr, kQuotedLines, true, kTsvHelp, '\t'},
};

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

std::string InputFormatHelp() {
  std::string help = "Input formats (--from FORMAT, else from the file name's ending):\n";
  for (const InputFormat& format : kInputFormats) {
    help += "  ";
    help += format.name;
    const char* separator = " (.";
    for (std::string_view endings = format.extensions; !endings.empty();) {
      const auto blank = std::min(endings.size(), endings.find(' '));
      help.append(separator).append(endings.substr(0, blank));
      endings.remove_prefix(std::min(endings.size(), blank + 1));
      separator = ", .";
    }
    help += ")\n";
    for (std::string_view lines = format.help; !lines.empty();) {
      const auto end = lines.find('\n') + 1;
      help.append("    ").append(lines.substr(0, end));
      lines.remove_prefix(end);
    }
  }
  return help;
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
