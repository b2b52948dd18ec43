// draw: the window's pictures as files.

#include "cli/drawn_picture.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/rooted_tree.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {

int RunDraw(const DrawRequest& request, const CliStreams& streams) {
  if (!RootTree(request.tree.graph)) return ReportNotATree(request.tree, streams);
  const std::optional<MatrixType> type =
      request.preview ? std::nullopt : std::optional<MatrixType>(request.type);
  const std::string bytes =
      DrawnPictureBytes(request.tree.graph, request.positions, type, request.kind, request.scale);
  if (const auto failure = WriteFileSafely(request.output, bytes)) {
    ReportProblem(streams.err, *failure);
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace korvelant
