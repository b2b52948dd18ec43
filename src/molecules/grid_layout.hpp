#pragma once

#include <span>
#include <vector>

#include "model/plane_point.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// Where the window's 20 x 20 grid puts each point of a depiction, in the same order: one
// scale for x and y so the drawing keeps its shape, y upwards as on the grid, the whole
// molecule inside 0..19 and centred, no two points on one grid position. The scale gives a
// bond (the typical nearest-neighbour distance) at most four grid steps, so a small
// molecule does not sprawl over the grid; where rounding would put two points together the
// scale grows up to what the grid holds, and only then is a point moved to the nearest free
// position. Throws std::invalid_argument for more points than the grid has positions.
std::vector<GridPosition> GridLayout(std::span<const PlanePoint> points);

}  // namespace korvelant
