#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"
#include "output/file_command.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {

int RunFile(const FileRequest& request, const CliStreams& streams) {
  if (request.output) {
    const FileCommandResult result = RunFileCommand(request.graph, [&] { return *request.output; });
    switch (result.status) {
      case FileCommandStatus::Written:
        return kSuccess;
      case FileCommandStatus::NotATree:
        ReportProblem(streams.err, result.message);
        return kNotATree;
      case FileCommandStatus::WriteFailed:
        ReportProblem(streams.err, result.message);
        return kCannotWrite;
    }
  }
  const std::optional<RootedTree> tree = RootTree(request.graph);
  if (!tree) {
    ReportProblem(streams.err, kNotATreeMessage);
    return kNotATree;
  }
  streams.out.Write(MatrixFileText(ComputeGraphicalMatrices(*tree)));
  return FinishOutput(streams);
}

}  // namespace korvelant
