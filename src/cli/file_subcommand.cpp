#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"
#include "output/file_command.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {

int RunFile(const FileRequest& request, const CliStreams& streams) {
  if (request.output) {
    const FileCommandResult result =
        RunFileCommand(request.tree.graph, [&] { return *request.output; });
    switch (result.status) {
      case FileCommandStatus::Written:
        return kSuccess;
      case FileCommandStatus::NotATree:
        return ReportNotATree(request.tree, streams);
      case FileCommandStatus::WriteFailed:
        ReportProblem(streams.err, result.message);
        return kCannotWrite;
    }
  }
  const std::optional<RootedTree> tree = RootTree(request.tree.graph);
  if (!tree) return ReportNotATree(request.tree, streams);
  streams.out.Write(MatrixFileText(ComputeGraphicalMatrices(*tree)));
  return FinishOutput(streams);
}

}  // namespace korvelant
