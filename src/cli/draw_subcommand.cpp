// draw: pictures of a tree's matrices for papers.

#include "cli/drawn_picture.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/rooted_tree.hpp"
#include "molecules/skeleton_layout.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {
namespace {

// Where each vertex stands: a molecule as depicted, unless the circle is asked for; a tree
// given by its edges as its carbon skeleton is drawn, or on the circle.
std::vector<PlanePoint> LaidOut(const TreeInput& given, DrawLayout layout) {
  const Graph& tree = given.graph;
  if (layout == DrawLayout::kCircle) return CirclePoints(tree.vertexCount);
  if (!given.depiction.empty()) return given.depiction;
  std::vector<PlanePoint> points = SkeletonLayout(tree);
  // RDKit lays out every tree; should it fail, the picture is still drawn.
  if (points.size() != static_cast<std::size_t>(tree.vertexCount))
    return CirclePoints(tree.vertexCount);
  return points;
}

}  // namespace

int RunDraw(const DrawRequest& request, const CliStreams& streams) {
  const std::optional<TreeInput> given = ReadTreeOrReport(request.tree, streams, true);
  if (!given) return kBadInput;
  if (!RootTree(given->graph)) return ReportNotATree(*given, streams);
  const std::string bytes =
      PaperPictureBytes(given->graph, LaidOut(*given, request.layout), request.picture);
  if (const auto failure = WriteFileSafely(request.output, bytes)) {
    ReportProblem(streams.err, *failure);
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace korvelant
