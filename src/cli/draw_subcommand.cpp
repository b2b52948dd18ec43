// draw: pictures of a tree's matrices for papers.

#include "cli/drawn_picture.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/rooted_tree.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {
int RunDraw(const DrawRequest& request, const CliStreams& streams) {
  const std::optional<TreeInput> given = ReadTreeOrReport(request.tree, streams, true);
  if (!given) return kBadInput;
  if (const auto refusal = DrawingRefusal(given->graph.vertexCount, !request.preview)) {
    ReportProblem(streams.err, *refusal);
    return kBadInput;
  }
  if (!RootTree(given->graph)) return ReportNotATree(*given, streams);
  const std::string bytes =
      PaperPictureBytes(given->graph, LaidOutPoints(given->graph, given->depiction, request.layout),
                        request.picture, PaintingPlatform::kUsersChoice, ReportQtProblems);
  if (const auto failure = WriteFileSafely(request.output, bytes)) {
    ReportProblem(streams.err, *failure);
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace korvelant
