#include "support/forest_by_forest.hpp"

#include "support/forest_evaluator.hpp"

namespace korvelant::testing {
namespace {

// Each step evaluates two forests in one pass: an edge-type element in the first and the
// vertex-type element of the same pair in the second.
class MatrixBuilder {
 public:
  MatrixBuilder(const RootedTree& tree, GraphicalMatrices& matrices)
      : tree_(tree), forests_(tree), matrices_(matrices) {}

  void Build() {
    const int n = tree_.vertexCount();
    const EdgeSet all = forests_.AllEdges();
    // Adjacent pairs: the EGM and SVGM elements, which the PGM and DVGM ones repeat.
    for (int v = 1; v <= n; ++v) {
      const int p = tree_.parent[v];
      if (p == 0) continue;
      const auto [withoutEdge, withoutEnds] =
          forests_.Evaluate(all & ~forests_.EdgeUpFrom(v), all & ~EdgesAt(v, p));
      Store(MatrixType::EGM, v, p, withoutEdge);
      Store(MatrixType::PGM, v, p, withoutEdge);
      Store(MatrixType::SVGM, v, p, withoutEnds);
      Store(MatrixType::DVGM, v, p, withoutEnds);
    }
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (tree_.EdgeOwner(i, j) != 0) continue;
        // The path's edges lead to the root from one end but not from both.
        const EdgeSet path = forests_.EdgesToRoot(i) ^ forests_.EdgesToRoot(j);
        const auto [withoutPath, withoutEnds] =
            forests_.Evaluate(all & ~path, all & ~EdgesAt(i, j));
        Store(MatrixType::PGM, i, j, withoutPath);
        Store(MatrixType::DVGM, i, j, withoutEnds);
      }
    }
  }

 private:
  EdgeSet EdgesAt(int i, int j) const { return forests_.EdgesAt(i) | forests_.EdgesAt(j); }

  void Store(MatrixType type, int i, int j, const SubgraphValues& values) {
    matrices_.types[static_cast<int>(type)].SetElement(i, j, values);
  }

  const RootedTree& tree_;
  ForestEvaluator forests_;
  GraphicalMatrices& matrices_;
};

}  // namespace

GraphicalMatrices ComputeForestByForest(const RootedTree& tree) {
  GraphicalMatrices matrices;
  for (TypeMatrices& type : matrices.types)
    type = TypeMatrices(tree.vertexCount());
  MatrixBuilder(tree, matrices).Build();
  return matrices;
}

}  // namespace korvelant::testing
