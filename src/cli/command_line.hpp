#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/drawn_picture.hpp"
#include "cli/input_formats.hpp"
#include "cli/tree_source.hpp"
#include "input/table_columns.hpp"
#include "model/graph.hpp"
#include "model/matrix_kind.hpp"

namespace korvelant {

struct FileRequest {
  TreeSource tree;
  std::optional<std::string> output;  // standard output when absent
};

// How calc prints its matrix: the text it always printed, or a table, a JSON object or a
// LaTeX matrix for a paper.
enum class CalcFormat { kText, kCsv, kTsv, kJson, kLatex };

struct CalcRequest {
  TreeSource tree;
  MatrixType type = MatrixType::EGM;
  TopologicalIndex index = TopologicalIndex::Wiener;
  CalcFormat format = CalcFormat::kText;
};

// A picture of a tree for a paper: the graphical matrix drawn cell by cell, or the tree.
// A molecule keeps its depiction unless the circle is asked for.
struct DrawRequest {
  TreeSource tree;
  DrawLayout layout = DrawLayout::kSkeleton;
  bool preview = false;
  MatrixType type = MatrixType::EGM;
  PaperPictureRequest picture;
  std::string output;
};

enum class RowFormatKind { kCsv, kJsonLines };

struct NamedInput {
  std::string path;  // "-" for standard input
  const InputFormat* format = nullptr;
};

struct BatchRequest {
  std::vector<NamedInput> inputs;  // never empty: standard input stands for none
  RowFormatKind format = RowFormatKind::kCsv;
  bool matrices = false;
  bool header = true;
  int jobs = 0;                       // 0: one per processor
  std::optional<std::string> output;  // standard output when absent
  ColumnChoice columns;               // a table's SMILES and name columns, when named
  // The output's columns in order (--columns), when not all of them.
  std::optional<std::vector<std::string>> outputColumns;
  // Whether a SMILES file's first line is a title line; absent: when it looks like one.
  std::optional<bool> titleLine;
};

// --help of the program (empty command) or of one subcommand.
struct HelpRequest {
  std::string command;
};

struct VersionRequest {};

// A command line that cannot be carried out, with a one-line reason.
struct UsageError {
  std::string message;
};

using CliRequest = std::variant<FileRequest, CalcRequest, BatchRequest, DrawRequest, HelpRequest,
                                VersionRequest, UsageError>;

// Whether this korvelant-cli was built with the draw command (it needs Qt's painting).
bool CanDraw();

// Reads the arguments after the program name.
CliRequest ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace korvelant
