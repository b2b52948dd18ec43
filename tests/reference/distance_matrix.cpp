#include "reference/distance_matrix.hpp"

#include <array>
#include <bit>
#include <cstdint>

namespace korvelant {
namespace {

// A breadth-first search from every source over neighbour bit sets. It labels exactly the
// pairs that a level by level relaxation over 1..n would, with the same values, in far
// fewer steps: the file command runs it once for each of its Wiener elements.
void FillDistances(Int16 n, const BoundedMatrix<Int16>& adjacency, BoundedMatrix<Int16>& distance) {
  std::array<std::uint16_t, kArrayExtent> neighbours{};
  for (Int16 j = 1; j <= n; ++j) {
    for (Int16 m = 1; m <= n; ++m) {
      if (adjacency(j, m) == 1) neighbours[j.value()] |= 1u << m.value();
    }
  }
  for (Int16 source = 1; source <= n; ++source) {
    for (Int16 m = 1; m <= n; ++m)
      distance(source, m) = kUnreachable;
    distance(source, source) = 0;
    std::uint16_t reached = 1u << source.value();
    std::uint16_t frontier = reached;
    for (Int16 level = 1; frontier != 0; ++level) {
      std::uint16_t next = 0;
      for (std::uint16_t rest = frontier; rest != 0; rest &= rest - 1) {
        next |= neighbours[std::countr_zero(rest)];
      }
      next &= ~reached;
      for (std::uint16_t rest = next; rest != 0; rest &= rest - 1) {
        distance(source, std::countr_zero(rest)) = level;
      }
      reached |= next;
      frontier = next;
    }
  }
}

}  // namespace

void NadjiMatricuUdaljenosti(TreeModel& model) {
  FillDistances(model.VertexCount, model.Adjacency, model.Distance);
}

void NadjiPomocnuMatricuUdaljenosti(TreeModel& model) {
  FillDistances(model.VertexCount, model.SubAdjacency, model.SubDistance);
}

}  // namespace korvelant
