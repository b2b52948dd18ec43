#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "matrices/matrix_kind.hpp"
#include "model/graph.hpp"

namespace korvelant {

struct FileRequest {
  int vertices = 0;
  std::vector<Edge> edges;
  std::optional<std::string> output;  // standard output when absent
};

struct CalcRequest {
  int vertices = 0;
  std::vector<Edge> edges;
  MatrixType type = MatrixType::EGM;
  TopologicalIndex index = TopologicalIndex::Wiener;
};

struct HelpRequest {};

// A command line that cannot be carried out, with a one-line reason.
struct UsageError {
  std::string message;
};

using CliRequest = std::variant<FileRequest, CalcRequest, HelpRequest, UsageError>;

// Reads the arguments after the program name.
CliRequest ParseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string HelpText();

}  // namespace korvelant
