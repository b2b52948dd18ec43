#include "model/vertex_positions.hpp"

#include <cmath>

namespace korvelant {

GridPosition DefaultPosition(int vertex, int vertexCount) {
  const double angle = 6.28 * vertex / vertexCount;
  // nearbyint rounds halves to even under the default rounding mode.
  return {static_cast<int>(std::nearbyint(8 * std::cos(angle) + 10)),
          static_cast<int>(std::nearbyint(8 * std::sin(angle) + 10))};
}

}  // namespace korvelant
