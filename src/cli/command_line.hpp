#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/input_formats.hpp"
#include "matrices/matrix_kind.hpp"
#include "model/graph.hpp"

namespace korvelant {

// The tree a command computes, from --vertices and --edges or from --smiles. A molecule
// that is no tree comes with the reason ("1 ring", "2 fragments").
struct TreeInput {
  Graph graph;
  std::string notATreeReason;
};

struct FileRequest {
  TreeInput tree;
  std::optional<std::string> output;  // standard output when absent
};

struct CalcRequest {
  TreeInput tree;
  MatrixType type = MatrixType::EGM;
  TopologicalIndex index = TopologicalIndex::Wiener;
};

enum class RowFormatKind { kCsv, kJsonLines };

struct BatchInputSpec {
  std::string path;  // "-" for standard input
  const InputFormat* format = nullptr;
};

struct BatchRequest {
  std::vector<BatchInputSpec> inputs;  // never empty: standard input stands for none
  RowFormatKind format = RowFormatKind::kCsv;
  bool matrices = false;
  bool header = true;
  int jobs = 0;                       // 0: one per processor
  std::optional<std::string> output;  // standard output when absent
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

using CliRequest =
    std::variant<FileRequest, CalcRequest, BatchRequest, HelpRequest, VersionRequest, UsageError>;

// Reads the arguments after the program name.
CliRequest ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace korvelant
