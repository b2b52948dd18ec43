#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "engine/graphical_matrices.hpp"
#include "matrices/numeric_display.hpp"
#include "model/number_text.hpp"

namespace korvelant {

int RunCalc(const CalcRequest& request, const CliStreams& streams) {
  const std::optional<RootedTree> tree = RootTree(request.tree.graph);
  if (!tree) return ReportNotATree(request.tree, streams);
  const GraphicalMatrix matrix = ComputeGraphicalMatrix(*tree, request.type, request.index);
  const int n = matrix.size();
  std::string text;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      text += NumberText(matrix(i, j));
      text += j < n ? ", " : "\n";
    }
  }
  text += HalfSumText(matrix.Sum());
  text += '\n';
  streams.out.Write(text);
  return FinishOutput(streams);
}

}  // namespace korvelant
