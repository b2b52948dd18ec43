#include "cli/calc_formats.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"

namespace korvelant {

int RunCalc(const CalcRequest& request, const CliStreams& streams) {
  const std::optional<TreeInput> given = ReadTreeOrReport(request.tree, streams);
  if (!given) return kBadInput;
  const std::optional<RootedTree> tree = RootTree(given->graph);
  if (!tree) return ReportNotATree(*given, streams);
  const GraphicalMatrix matrix = ComputeGraphicalMatrix(*tree, request.type, request.index);
  streams.out.Write(CalcOutput(matrix, request.type, request.index, request.format));
  return FinishOutput(streams);
}

}  // namespace korvelant
