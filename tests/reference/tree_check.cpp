#include "reference/tree_check.hpp"

namespace korvelant {

bool IsTree(const TreeModel& model, CommandValues& values) {
  const Int16 n = model.VertexCount;
  values.EdgeCount = 0;
  for (Int16 i = 1; i <= n - 1; ++i) {
    for (Int16 j = i + 1; j <= n; ++j) {
      if (model.Adjacency(i, j) != 0) ++values.EdgeCount;
    }
  }
  if (values.EdgeCount != n - 1) return false;

  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = 1; j <= n; ++j) {
      if (model.Distance(i, j) == kUnreachable) return false;
    }
  }
  return true;
}

}  // namespace korvelant
