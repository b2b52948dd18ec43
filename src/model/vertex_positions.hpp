#pragma once

#include <array>

#include "model/bounded_array.hpp"

namespace korvelant {

// The window takes trees of up to 8 vertices: its grid, lists and cells are laid out for them.
inline constexpr int kMaxVertices = 8;

// Grid positions run from 0 to 19; the window's coordinate lists show them as 1 to 20.
inline constexpr int kGridPositions = 20;

struct GridPosition {
  int x = 0;
  int y = 0;
  friend bool operator==(const GridPosition&, const GridPosition&) = default;
};

// The grid position of each vertex, indexed by vertex number (entry 0 unused). The window
// reads them from the selections of its coordinate lists whenever it draws.
using VertexPositions = std::array<GridPosition, kArrayExtent>;

// Where a new tree of n vertices places vertex i: on a circle of radius 8 around (10, 10),
// at the angle 6.28 * i / n (6.28, not 2 pi, so vertex n lands at (18, 10)), each
// coordinate rounded to the nearest integer, halves to even.
GridPosition DefaultPosition(int vertex, int vertexCount);

}  // namespace korvelant
