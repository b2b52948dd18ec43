#include "cli/cli_app.hpp"

#include "cli/command_line.hpp"
#include "engine/graphical_matrices.hpp"
#include "matrices/numeric_display.hpp"
#include "model/number_text.hpp"
#include "output/file_command.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {
namespace {

int ReportNotATree(std::ostream& err) {
  err << kNotATreeMessage << '\n';
  return kNotATree;
}

int RunFile(const FileRequest& request, std::ostream& out, std::ostream& err) {
  const Graph graph{request.vertices, request.edges};
  if (request.output) {
    const FileCommandResult result = RunFileCommand(graph, [&] { return *request.output; });
    switch (result.status) {
      case FileCommandStatus::Written:
        return kSuccess;
      case FileCommandStatus::NotATree:
        return ReportNotATree(err);
      case FileCommandStatus::WriteFailed:
        err << "korvelant-cli: " << result.message << '\n';
        return kCannotWrite;
    }
  }
  const std::optional<RootedTree> tree = RootTree(graph);
  if (!tree) return ReportNotATree(err);
  out << MatrixFileText(ComputeGraphicalMatrices(*tree)) << std::flush;
  if (!out) {
    err << "korvelant-cli: cannot write to standard output\n";
    return kCannotWrite;
  }
  return kSuccess;
}

int RunCalc(const CalcRequest& request, std::ostream& out, std::ostream& err) {
  const std::optional<RootedTree> tree = RootTree(Graph{request.vertices, request.edges});
  if (!tree) return ReportNotATree(err);
  const GraphicalMatrix matrix = ComputeGraphicalMatrix(*tree, request.type, request.index);
  const int n = request.vertices;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      out << NumberText(matrix(i, j)) << (j < n ? ", " : "\n");
    }
  }
  out << HalfSumText(matrix.Sum()) << '\n' << std::flush;
  if (!out) {
    err << "korvelant-cli: cannot write to standard output\n";
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  const CliRequest request = ParseCommandLine(arguments);
  if (const auto* error = std::get_if<UsageError>(&request)) {
    err << "korvelant-cli: " << error->message << '\n';
    return kBadInput;
  }
  if (std::holds_alternative<HelpRequest>(request)) {
    out << HelpText();
    return kSuccess;
  }
  if (const auto* file = std::get_if<FileRequest>(&request)) return RunFile(*file, out, err);
  return RunCalc(std::get<CalcRequest>(request), out, err);
}

}  // namespace korvelant
