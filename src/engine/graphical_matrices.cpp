#include "engine/graphical_matrices.hpp"

#include "engine/forest_evaluator.hpp"

namespace korvelant {
namespace {

ExactDecimal ValueOf(const ForestIndices& values, TopologicalIndex index) {
  switch (index) {
    case TopologicalIndex::Wiener:
      return ExactDecimal::FromInteger(values.wiener);
    case TopologicalIndex::Randic:
      return ExactDecimal::FromTicks(values.randicTicks);
    case TopologicalIndex::Zagreb:
      return ExactDecimal::FromInteger(values.zagreb);
    case TopologicalIndex::Hosoya:
      return ExactDecimal::FromInteger(values.hosoya);
  }
  return {};
}

// Computes the elements of the chosen types, each distinct subgraph once. The removal marks
// are set for one element and cleared again, so no element pays for the whole tree.
class MatrixBuilder {
 public:
  explicit MatrixBuilder(const RootedTree& tree)
      : tree_(tree), evaluator_(tree), removed_(tree.parent.size(), 0), children_(Children(tree)) {}

  // Stores the element (i, j) = (j, i) of `type` for the indices asked for.
  void Store(GraphicalMatrices& matrices, MatrixType type, int i, int j,
             const ForestIndices& values) const {
    for (const TopologicalIndex index : kTopologicalIndices) {
      GraphicalMatrix& matrix = matrices.blocks[Block(type, index)];
      if (matrix.size() == 0) continue;
      matrix(i, j) = matrix(j, i) = ValueOf(values, index);
    }
  }

  void Build(GraphicalMatrices& matrices) {
    const int n = tree_.vertexCount();
    // Adjacent pairs: the EGM and SVGM elements, which the PGM and DVGM ones repeat.
    for (int v = 1; v <= n; ++v) {
      const int p = tree_.parent[v];
      if (p == 0) continue;
      const ForestIndices withoutEdge = WithRemoved({v}, {});
      Store(matrices, MatrixType::EGM, v, p, withoutEdge);
      Store(matrices, MatrixType::PGM, v, p, withoutEdge);
      const ForestIndices withoutEnds = WithRemoved({}, {v, p});
      Store(matrices, MatrixType::SVGM, v, p, withoutEnds);
      Store(matrices, MatrixType::DVGM, v, p, withoutEnds);
    }
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (tree_.EdgeOwner(i, j) != 0) continue;
        if (Wanted(matrices, MatrixType::PGM)) {
          Store(matrices, MatrixType::PGM, i, j, WithRemoved(PathOwners(i, j), {}));
        }
        if (Wanted(matrices, MatrixType::DVGM)) {
          Store(matrices, MatrixType::DVGM, i, j, WithRemoved({}, {i, j}));
        }
      }
    }
  }

  static int Block(MatrixType type, TopologicalIndex index) {
    return static_cast<int>(type) * 4 + static_cast<int>(index);
  }

 private:
  static std::vector<std::vector<int>> Children(const RootedTree& tree) {
    std::vector<std::vector<int>> children(tree.parent.size());
    for (const int v : tree.order) {
      if (tree.parent[v] != 0) children[tree.parent[v]].push_back(v);
    }
    return children;
  }

  static bool Wanted(const GraphicalMatrices& matrices, MatrixType type) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      if (matrices.blocks[Block(type, index)].size() != 0) return true;
    }
    return false;
  }

  std::vector<int> PathOwners(int i, int j) const {
    std::vector<int> owners;
    while (i != j) {
      if (tree_.depth[i] < tree_.depth[j]) std::swap(i, j);
      owners.push_back(i);
      i = tree_.parent[i];
    }
    return owners;
  }

  // The indices of the tree without the edges owned by `owners` and every edge at `ends`.
  ForestIndices WithRemoved(const std::vector<int>& owners, std::initializer_list<int> ends) {
    Mark(owners, ends, 1);
    const ForestIndices values = evaluator_.Evaluate(removed_);
    Mark(owners, ends, 0);
    return values;
  }

  void Mark(const std::vector<int>& owners, std::initializer_list<int> ends, char mark) {
    for (const int v : owners)
      removed_[v] = mark;
    for (const int v : ends) {
      removed_[v] = mark;  // the root owns no edge; its mark is never read
      for (const int child : children_[v])
        removed_[child] = mark;
    }
  }

  const RootedTree& tree_;
  ForestEvaluator evaluator_;
  std::vector<char> removed_;
  std::vector<std::vector<int>> children_;
};

}  // namespace

ExactDecimal GraphicalMatrix::Sum() const {
  ExactDecimal sum;
  for (const ExactDecimal element : elements_)
    sum += element;
  return sum;
}

GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree) {
  GraphicalMatrices matrices;
  for (GraphicalMatrix& block : matrices.blocks)
    block = GraphicalMatrix(tree.vertexCount());
  MatrixBuilder(tree).Build(matrices);
  return matrices;
}

GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index) {
  GraphicalMatrices matrices;
  GraphicalMatrix& wanted = matrices.blocks[MatrixBuilder::Block(type, index)];
  wanted = GraphicalMatrix(tree.vertexCount());
  MatrixBuilder(tree).Build(matrices);
  return std::move(wanted);
}

}  // namespace korvelant
