// draw: pictures of a tree's matrices for papers.

#include "cli/drawn_picture.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/rooted_tree.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {
int RunDraw(const DrawRequest& request, const CliStreams& streams) {
  if (!RootTree(request.tree.graph)) return ReportNotATree(request.tree, streams);
  const std::string bytes = PaperPictureBytes(
      request.tree.graph, LaidOutPoints(request.tree.graph, request.depiction, request.layout),
      request.picture);
  if (const auto failure = WriteFileSafely(request.output, bytes)) {
    ReportProblem(streams.err, *failure);
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace korvelant
