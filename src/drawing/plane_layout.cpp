#include "drawing/plane_layout.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/vertex_positions.hpp"

namespace korvelant {
namespace {

double Distance(PlanePoint a, PlanePoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Enough rounds for a depiction, where few pairs are too close; a layout that is still
// crowded after them is drawn as it stands rather than never.
constexpr int kSpreadingRounds = 200;
constexpr int kSpreadingPasses = 50;

// The points moved and scaled so that the larger side of their bounding box is 1; all in
// one place stay there.
void Normalise(std::vector<PlanePoint>& points) {
  if (points.empty()) return;
  double left = points[0].x, right = left, bottom = points[0].y, top = bottom;
  for (const PlanePoint p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
  }
  const double extent = std::max(right - left, top - bottom);
  const double scale = extent > 0 ? 1 / extent : 1;
  for (PlanePoint& p : points)
    p = {(p.x - left) * scale, (p.y - bottom) * scale};
}

// Pushes apart every pair closer than `least`, round after round, until none is; whether
// any had to move.
bool PushApart(std::vector<PlanePoint>& spread, double least) {
  // A little beyond the least spacing, so the rounding of a later picture keeps it.
  const double target = least * 1.01;
  bool movedAny = false;
  for (int round = 0; round < kSpreadingRounds; ++round) {
    bool moved = false;
    for (std::size_t a = 0; a < spread.size(); ++a) {
      for (std::size_t b = a + 1; b < spread.size(); ++b) {
        const double distance = Distance(spread[a], spread[b]);
        if (distance >= least) continue;
        double dx = spread[b].x - spread[a].x;
        double dy = spread[b].y - spread[a].y;
        if (distance == 0) {
          const double angle =
              2 * std::numbers::pi * static_cast<double>(b) / static_cast<double>(spread.size());
          dx = std::cos(angle);
          dy = std::sin(angle);
        } else {
          dx /= distance;
          dy /= distance;
        }
        const double push = (target - distance) / 2;
        spread[a] = {spread[a].x - push * dx, spread[a].y - push * dy};
        spread[b] = {spread[b].x + push * dx, spread[b].y + push * dy};
        moved = true;
      }
    }
    if (!moved) break;
    movedAny = true;
  }
  return movedAny;
}

}  // namespace

std::vector<PlanePoint> GridPoints(std::span<const GridPosition> positions) {
  std::vector<PlanePoint> points;
  for (const GridPosition position : positions)
    points.push_back({static_cast<double>(position.x), static_cast<double>(position.y)});
  return points;
}

std::vector<PlanePoint> CirclePoints(int vertexCount) {
  std::vector<GridPosition> positions;
  for (int v = 1; v <= vertexCount; ++v)
    positions.push_back(DefaultPosition(v, vertexCount));
  return GridPoints(positions);
}

std::vector<PlanePoint> RadialLayout(const Graph& tree) {
  const auto n = static_cast<std::size_t>(tree.vertexCount);
  std::vector<std::vector<int>> neighbours(n + 1);
  for (const auto& [a, b] : tree.edges) {
    neighbours.at(static_cast<std::size_t>(a)).push_back(b);
    neighbours.at(static_cast<std::size_t>(b)).push_back(a);
  }
  std::vector<PlanePoint> points(n);
  if (n == 0) return points;
  int root = 1;
  for (std::size_t v = 1; v <= n; ++v)
    if (neighbours[v].size() > neighbours[static_cast<std::size_t>(root)].size())
      root = static_cast<int>(v);
  // Breadth-first order and parents, then leaves per subtree from the far end back.
  std::vector<int> order = {root};
  std::vector<int> parent(n + 1, 0);
  parent[static_cast<std::size_t>(root)] = -1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    for (const int w : neighbours[static_cast<std::size_t>(order[k])]) {
      if (parent[static_cast<std::size_t>(w)] != 0) continue;
      parent[static_cast<std::size_t>(w)] = order[k];
      order.push_back(w);
    }
  }
  std::vector<double> leaves(n + 1, 0);
  for (auto v = order.rbegin(); v != order.rend(); ++v) {
    auto& own = leaves[static_cast<std::size_t>(*v)];
    own = std::max(own, 1.0);
    if (parent[static_cast<std::size_t>(*v)] > 0) {
      auto& up = leaves[static_cast<std::size_t>(parent[static_cast<std::size_t>(*v)])];
      up += own;
    }
  }
  std::vector<double> wedgeStart(n + 1, 0), depth(n + 1, 0);
  std::vector<double> wedge(n + 1, 2 * std::numbers::pi);
  for (const int v : order) {
    const auto u = static_cast<std::size_t>(v);
    const double angle = wedgeStart[u] + wedge[u] / 2;
    points[u - 1] = {depth[u] * std::cos(angle), depth[u] * std::sin(angle)};
    double start = wedgeStart[u];
    for (const int w : neighbours[u]) {
      const auto c = static_cast<std::size_t>(w);
      if (parent[c] != v) continue;
      depth[c] = depth[u] + 1;
      wedgeStart[c] = start;
      wedge[c] = wedge[u] * leaves[c] / leaves[u];
      start += wedge[c];
    }
  }
  return points;
}

double MedianEdgeLength(const Graph& graph, std::span<const PlanePoint> points) {
  std::vector<double> lengths;
  for (const auto& [a, b] : graph.edges) {
    const double length =
        Distance(points[static_cast<std::size_t>(a) - 1], points[static_cast<std::size_t>(b) - 1]);
    if (length > 0) lengths.push_back(length);
  }
  if (lengths.empty()) return 1;
  std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
  return lengths[lengths.size() / 2];
}

std::vector<PlanePoint> SpreadApart(std::span<const PlanePoint> points, double least) {
  std::vector<PlanePoint> spread(points.begin(), points.end());
  // Pushing points apart may widen the layout, which shrinks it in its square again: passes
  // repeat until one finds every pair far enough apart.
  for (int pass = 0; pass < kSpreadingPasses; ++pass) {
    Normalise(spread);
    if (!PushApart(spread, least)) break;
  }
  Normalise(spread);
  return spread;
}

namespace {

struct Bounds {
  double left = 0, bottom = 0, width = 0, height = 0;
};

Bounds BoundsOf(std::span<const PlanePoint> points) {
  const auto [left, right] = std::minmax_element(
      points.begin(), points.end(), [](PlanePoint a, PlanePoint b) { return a.x < b.x; });
  const auto [bottom, top] = std::minmax_element(
      points.begin(), points.end(), [](PlanePoint a, PlanePoint b) { return a.y < b.y; });
  return {left->x, bottom->y, right->x - left->x, top->y - bottom->y};
}

std::vector<TwipPoint> Placed(std::span<const PlanePoint> points, const Bounds& bounds,
                              double scale, double x0, double y0) {
  std::vector<TwipPoint> placed;
  for (const PlanePoint p : points) {
    placed.push_back({static_cast<float>(x0 + scale * (p.x - bounds.left)),
                      static_cast<float>(y0 + scale * (bounds.bottom + bounds.height - p.y))});
  }
  return placed;
}

}  // namespace

std::vector<TwipPoint> FitIntoSquare(std::span<const PlanePoint> points, TwipSquare square) {
  if (points.empty()) return {};
  const Bounds bounds = BoundsOf(points);
  const double extent = std::max(bounds.width, bounds.height);
  const double scale = extent > 0 ? square.side / extent : 0;
  return Placed(points, bounds, scale, square.corner.x + (square.side - scale * bounds.width) / 2,
                square.corner.y + (square.side - scale * bounds.height) / 2);
}

std::vector<TwipPoint> ScaledFrom(std::span<const PlanePoint> points, double twipsPerUnit,
                                  TwipPoint corner, TwipPoint& size) {
  if (points.empty()) return {};
  const Bounds bounds = BoundsOf(points);
  size = {static_cast<float>(twipsPerUnit * bounds.width),
          static_cast<float>(twipsPerUnit * bounds.height)};
  return Placed(points, bounds, twipsPerUnit, corner.x, corner.y);
}

}  // namespace korvelant
