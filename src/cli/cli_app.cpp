#include "cli/cli_app.hpp"

#include "cli/command_line.hpp"
#include "matrices/command_values.hpp"
#include "matrices/numeric_display.hpp"
#include "matrices/tree_check.hpp"
#include "model/distance_matrix.hpp"
#include "model/number_text.hpp"
#include "model/tree_model.hpp"
#include "output/file_command.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {
namespace {

int ReportNotATree(std::ostream& err) {
  err << kNotATreeMessage << '\n';
  return kNotATree;
}

int RunFile(const FileRequest& request, std::ostream& out, std::ostream& err) {
  TreeModel model = TreeFromEdges(request.vertices, request.edges);
  CommandValues values;
  if (request.output) {
    const FileCommandResult result = RunFileCommand(model, values, [&] { return *request.output; });
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
  NadjiMatricuUdaljenosti(model);
  if (!IsTree(model, values)) return ReportNotATree(err);
  out << MatrixFileText(model, values) << std::flush;
  if (!out) {
    err << "korvelant-cli: cannot write to standard output\n";
    return kCannotWrite;
  }
  return kSuccess;
}

int RunCalc(const CalcRequest& request, std::ostream& out, std::ostream& err) {
  TreeModel model = TreeFromEdges(request.vertices, request.edges);
  CommandValues values;
  NadjiMatricuUdaljenosti(model);
  if (!IsTree(model, values)) return ReportNotATree(err);
  Drawing numbers;  // the screen's printing, which the command line does not show
  const std::string remarks = CalculateMatrix(model, values, request.type, request.index, numbers);
  const int n = request.vertices;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      out << NumberText(values.MatrixElement(i, j)) << (j < n ? ", " : "\n");
    }
  }
  out << remarks << '\n' << std::flush;
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
