#include "molecules/grid_layout.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <utility>

namespace korvelant {
namespace {

constexpr double kLastPosition = kGridPositions - 1;
constexpr double kMostStepsPerBond = 4;
constexpr double kScaleGrowth = 1.05;

struct Box {
  double minX = 0, minY = 0, width = 0, height = 0;
};

Box BoundingBox(std::span<const PlanePoint> points) {
  auto [left, right] = std::minmax_element(points.begin(), points.end(),
                                           [](const auto& a, const auto& b) { return a.x < b.x; });
  auto [bottom, top] = std::minmax_element(points.begin(), points.end(),
                                           [](const auto& a, const auto& b) { return a.y < b.y; });
  return {left->x, bottom->y, right->x - left->x, top->y - bottom->y};
}

// The median distance from a point to its nearest other point: a bond length for a
// molecule, whatever units its drawing used. 0 when all points coincide.
double TypicalBond(std::span<const PlanePoint> points) {
  std::vector<double> nearest;
  for (const PlanePoint& p : points) {
    double best = std::numeric_limits<double>::infinity();
    for (const PlanePoint& q : points) {
      const double distance = std::hypot(p.x - q.x, p.y - q.y);
      if (distance > 0) best = std::min(best, distance);
    }
    if (std::isfinite(best)) nearest.push_back(best);
  }
  if (nearest.empty()) return 0;
  std::nth_element(nearest.begin(), nearest.begin() + nearest.size() / 2, nearest.end());
  return nearest[nearest.size() / 2];
}

struct Placement {
  Box box;
  double scale = 0;

  // The exact grid coordinates of a point. The drawing is centred by a whole number of
  // steps, so atoms a depiction lines up (RDKit's bonds run at multiples of 30 degrees)
  // round alike instead of falling either side of a half.
  std::pair<double, double> Exact(const PlanePoint& p) const {
    return {std::round((kLastPosition - scale * box.width) / 2) + scale * (p.x - box.minX),
            std::round((kLastPosition - scale * box.height) / 2) + scale * (p.y - box.minY)};
  }
  GridPosition Rounded(const PlanePoint& p) const {
    const auto [x, y] = Exact(p);
    return {OnGrid(x), OnGrid(y)};
  }
  // Rounding error of the arithmetic (1e-15 or so) must not decide a half either way.
  static int OnGrid(double v) {
    const double denoised = std::round(v * 1e6) / 1e6;
    return static_cast<int>(std::clamp(std::round(denoised), 0.0, kLastPosition));
  }
};

std::vector<GridPosition> Rounded(const Placement& placement, std::span<const PlanePoint> points) {
  std::vector<GridPosition> positions;
  for (const PlanePoint& p : points)
    positions.push_back(placement.Rounded(p));
  return positions;
}

bool AllDistinct(const std::vector<GridPosition>& positions) {
  std::set<std::pair<int, int>> taken;
  for (const GridPosition& g : positions) {
    if (!taken.emplace(g.x, g.y).second) return false;
  }
  return true;
}

// Moves each point that lands on a taken position to the free position nearest its exact
// place; ties go to the lower, then the left one.
std::vector<GridPosition> Nudged(const Placement& placement, std::span<const PlanePoint> points) {
  std::vector<GridPosition> positions = Rounded(placement, points);
  std::set<std::pair<int, int>> taken;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (taken.emplace(positions[i].x, positions[i].y).second) continue;
    const auto [x, y] = placement.Exact(points[i]);
    double best = std::numeric_limits<double>::infinity();
    for (int gy = 0; gy < kGridPositions; ++gy) {
      for (int gx = 0; gx < kGridPositions; ++gx) {
        const double distance = std::hypot(gx - x, gy - y);
        if (distance < best && !taken.contains({gx, gy})) {
          best = distance;
          positions[i] = {gx, gy};
        }
      }
    }
    taken.emplace(positions[i].x, positions[i].y);
  }
  return positions;
}

}  // namespace

std::vector<GridPosition> GridLayout(std::span<const PlanePoint> points) {
  if (points.size() > static_cast<std::size_t>(kGridPositions * kGridPositions)) {
    throw std::invalid_argument("the grid has no room for " + std::to_string(points.size()) +
                                " points");
  }
  if (points.empty()) return {};
  Placement placement{BoundingBox(points), 0};
  const double extent = std::max(placement.box.width, placement.box.height);
  if (extent == 0) return Nudged(placement, points);  // one point, or all in one place

  const double fitting = kLastPosition / extent;
  const double bond = TypicalBond(points);
  placement.scale = std::min(fitting, kMostStepsPerBond / bond);
  for (;; placement.scale = std::min(fitting, placement.scale * kScaleGrowth)) {
    std::vector<GridPosition> positions = Rounded(placement, points);
    if (AllDistinct(positions)) return positions;
    if (placement.scale >= fitting) return Nudged(placement, points);
  }
}

}  // namespace korvelant
