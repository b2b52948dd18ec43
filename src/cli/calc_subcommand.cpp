#include "cli/calc_formats.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"

namespace korvelant {

int RunCalc(const CalcRequest& request, const CliStreams& streams) {
  const std::optional<RootedTree> tree = RootTree(request.tree.graph);
  if (!tree) return ReportNotATree(request.tree, streams);
  const GraphicalMatrix matrix = ComputeGraphicalMatrix(*tree, request.type, request.index);
  streams.out.Write(CalcOutput(matrix, request.type, request.index, request.format));
  return FinishOutput(streams);
}

}  // namespace korvelant
