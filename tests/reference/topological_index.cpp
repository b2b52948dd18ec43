#include "reference/topological_index.hpp"

#include <cmath>

#include "reference/distance_matrix.hpp"
#include "reference/matching_count.hpp"
#include "reference/subgraph_selection.hpp"

namespace korvelant {
namespace {

void ComputeDegrees(const TreeModel& model, CommandValues& values) {
  const Int16 n = model.VertexCount;
  for (Int16 k = 1; k <= n; ++k)
    values.SubDegree(k) = 0;
  for (Int16 k = 1; k <= n; ++k) {
    for (Int16 l = k + 1; l <= n; ++l) {
      if (model.SubAdjacency(k, l) == 1) {  // symmetric: one look serves both ends
        ++values.SubDegree(k);
        ++values.SubDegree(l);
      }
    }
  }
}

// Calls `term(k, l)` once for each kept edge {k, l}, k < l, and sums the results.
template <typename Term>
FixedDecimal SumOverEdges(const TreeModel& model, Term term) {
  const Int16 n = model.VertexCount;
  FixedDecimal sum;
  for (Int16 k = 1; k <= n - 1; ++k) {
    for (Int16 l = k + 1; l <= n; ++l) {
      if (model.SubAdjacency(k, l) == 1) sum += term(k, l);
    }
  }
  return sum;
}

FixedDecimal WienerIndex(TreeModel& model) {
  NadjiPomocnuMatricuUdaljenosti(model);
  const Int16 n = model.VertexCount;
  FixedDecimal sum;
  for (Int16 k = 1; k <= n - 1; ++k) {
    for (Int16 l = k + 1; l <= n; ++l) {
      // Pairs in different components hold 9, never below n.
      if (model.SubDistance(k, l) < n) sum += FixedDecimal(model.SubDistance(k, l));
    }
  }
  return sum;
}

FixedDecimal ZagrebIndex(const TreeModel& model, CommandValues& values) {
  ComputeDegrees(model, values);
  return SumOverEdges(model, [&](Int16 k, Int16 l) {
    return FixedDecimal(values.SubDegree(l) * values.SubDegree(k));
  });
}

FixedDecimal RandicIndex(const TreeModel& model, CommandValues& values) {
  ComputeDegrees(model, values);
  return SumOverEdges(model, [&](Int16 k, Int16 l) {
    const Int16 product = values.SubDegree(l) * values.SubDegree(k);
    return FixedDecimal::FromDouble(1.0 / std::sqrt(static_cast<double>(product.value())));
  });
}

FixedDecimal HosoyaIndex(TreeModel& model, Int16 i, Int16 j, MatrixType type) {
  if (IsEmptyElement(model, i, j, type)) return FixedDecimal();
  CountSubgraphMatchings(model);
  return FixedDecimal(model.MatchCount);
}

}  // namespace

void ComputeMatrixElement(TreeModel& model, CommandValues& values, Int16 i, Int16 j,
                          TopologicalIndex index, MatrixType type) {
  FixedDecimal& element = values.MatrixElement(i, j);
  switch (index) {
    case TopologicalIndex::Wiener:
      element = WienerIndex(model);
      return;
    case TopologicalIndex::Zagreb:
      element = ZagrebIndex(model, values);
      return;
    case TopologicalIndex::Randic:
      element = RandicIndex(model, values);
      return;
    case TopologicalIndex::Hosoya:
      element = HosoyaIndex(model, i, j, type);
      return;
  }
}

void ComputeMatrix(TreeModel& model, CommandValues& values, MatrixType type,
                   TopologicalIndex index) {
  const Int16 n = model.VertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    values.MatrixElement(i, i) = FixedDecimal();
    // Elements (i, j) and (j, i) stand for the same subgraph: compute one, copy it.
    for (Int16 j = i + 1; j <= n; ++j) {
      SelectSubgraph(model, i, j, type);
      ComputeMatrixElement(model, values, i, j, index, type);
      values.MatrixElement(j, i) = values.MatrixElement(i, j);
    }
  }
}

MatricesOfOneType ComputeMatricesOfType(TreeModel& model, CommandValues& values, MatrixType type) {
  MatricesOfOneType matrices;
  const Int16 n = model.VertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = i + 1; j <= n; ++j) {
      SelectSubgraph(model, i, j, type);
      for (std::size_t k = 0; k < matrices.size(); ++k) {
        ComputeMatrixElement(model, values, i, j, kTopologicalIndices[k], type);
        matrices[k](i, j) = matrices[k](j, i) = values.MatrixElement(i, j);
      }
    }
  }
  values.MatrixElement = matrices.back();
  return matrices;
}

}  // namespace korvelant
