#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"
#include "output/file_command.hpp"
#include "output/matrix_file.hpp"

namespace korvelant {

int RunFile(const FileRequest& request, const CliStreams& streams) {
  const std::optional<TreeInput> given = ReadTreeOrReport(request.tree, streams);
  if (!given) return kBadInput;
  if (request.output) {
    const FileCommandResult result = RunFileCommand(given->graph, [&] { return *request.output; });
    switch (result.status) {
      case FileCommandStatus::Written:
        return kSuccess;
      case FileCommandStatus::NotATree:
        return ReportNotATree(*given, streams);
      case FileCommandStatus::WriteFailed:
        ReportProblem(streams.err, result.message);
        return kCannotWrite;
    }
  }
  const std::optional<RootedTree> tree = RootTree(given->graph);
  if (!tree) return ReportNotATree(*given, streams);
  streams.out.Write(MatrixFileText(ComputeGraphicalMatrices(*tree)));
  return FinishOutput(streams);
}

}  // namespace korvelant
