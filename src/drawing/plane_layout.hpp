#pragma once

#include <span>
#include <vector>

#include "drawing/drawing.hpp"
#include "model/graph.hpp"
#include "model/plane_point.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// The window's grid positions as points, [v - 1] for vertex v: its grid's y runs upwards, as
// a point's does.
std::vector<PlanePoint> GridPoints(std::span<const GridPosition> positions);

// The window's circle for a new tree of n vertices, vertex v at [v - 1].
std::vector<PlanePoint> CirclePoints(int vertexCount);

// A tree drawn from its vertex of most edges outwards: vertex depth d on the circle of radius
// d, each subtree in a wedge as wide as its share of the leaves, so no two vertices meet
// and every edge is at least 1 long. For trees a depiction crowds (a vertex of many edges).
std::vector<PlanePoint> RadialLayout(const Graph& tree);

// The median length of the graph's edges in `points` ([v - 1] for vertex v); 1 without edges
// or when every edge has length 0, so a caller may always divide by it.
double MedianEdgeLength(const Graph& graph, std::span<const PlanePoint> points);

// The points scaled so that the larger side of their bounding box is 1, then moved as little
// as needed so that no two are closer than `least` (a share of that side, at most about
// 1 / sqrt(n) for n points to fit); points that coincide move apart along a direction of
// their own, so a layout where everything falls in one place still spreads out.
std::vector<PlanePoint> SpreadApart(std::span<const PlanePoint> points, double least);

// A square of the picture, in twips, y downwards.
struct TwipSquare {
  TwipPoint corner;  // smallest x and y
  double side = 0;
};

// The points scaled by one factor into `square`, centred, y turned downwards.
std::vector<TwipPoint> FitIntoSquare(std::span<const PlanePoint> points, TwipSquare square);

// The points times `twipsPerUnit`, y turned downwards, their bounding box's top-left corner
// at `corner`; `size` receives the box's width and height in twips.
std::vector<TwipPoint> ScaledFrom(std::span<const PlanePoint> points, double twipsPerUnit,
                                  TwipPoint corner, TwipPoint& size);

}  // namespace korvelant
