// Depictions onto the window's grid: every alkane skeleton up to octane as RDKit draws it
// lands on distinct positions inside the grid, centred, with its shape kept; and the
// layout's invariances and crowded cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "alkane_trees.hpp"
#include "molecules/grid_layout.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant {
namespace {

constexpr int kLast = kGridPositions - 1;

void ExpectDistinctInsideTheGrid(const std::vector<GridPosition>& positions) {
  std::set<std::pair<int, int>> seen;
  for (const GridPosition& g : positions) {
    EXPECT_TRUE(g.x >= 0 && g.x <= kLast && g.y >= 0 && g.y <= kLast) << g.x << "," << g.y;
    EXPECT_TRUE(seen.emplace(g.x, g.y).second) << "two points on " << g.x << "," << g.y;
  }
}

// Shape kept: grid = offset + s * depiction on both axes with one s, fitted by least
// squares, give or take the rounding of each point.
void ExpectShapeKept(const std::vector<PlanePoint>& points, const std::vector<GridPosition>& grid,
                     const std::string& label) {
  const double n = static_cast<double>(points.size());
  double px = 0, py = 0, gx = 0, gy = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    px += points[i].x / n, py += points[i].y / n, gx += grid[i].x / n, gy += grid[i].y / n;
  }
  double products = 0, squares = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    products += (grid[i].x - gx) * (points[i].x - px) + (grid[i].y - gy) * (points[i].y - py);
    squares += (points[i].x - px) * (points[i].x - px) + (points[i].y - py) * (points[i].y - py);
  }
  const double scale = products / squares;
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(grid[i].x, gx + scale * (points[i].x - px), 1.0) << label << " atom " << i;
    EXPECT_NEAR(grid[i].y, gy + scale * (points[i].y - py), 1.0) << label << " atom " << i;
    for (std::size_t j = 0; j < points.size(); ++j) {
      // Rounding an increasing map keeps every order, ties aside.
      if (points[i].x < points[j].x) {
        EXPECT_LE(grid[i].x, grid[j].x) << label;
      }
      if (points[i].y < points[j].y) {
        EXPECT_LE(grid[i].y, grid[j].y) << label;
      }
    }
  }
}

void ExpectCentred(const std::vector<GridPosition>& grid) {
  auto [left, right] =
      std::minmax_element(grid.begin(), grid.end(), [](auto& a, auto& b) { return a.x < b.x; });
  auto [bottom, top] =
      std::minmax_element(grid.begin(), grid.end(), [](auto& a, auto& b) { return a.y < b.y; });
  EXPECT_LE(std::abs(left->x - (kLast - right->x)), 1);
  EXPECT_LE(std::abs(bottom->y - (kLast - top->y)), 1);
}

TEST(GridLayout, EveryAlkaneUpToOctaneAsRdkitDrawsIt) {
  const auto trees = testing::TreesFromParentArrays(KORVELANT_MOLECULES_DATA "/alkane_trees.txt");
  ASSERT_EQ(trees.size(), 40u);
  for (const Graph& tree : trees) {
    const std::string smiles = testing::WriteTreeSmiles(tree).smiles;
    const MoleculeReading reading = ReadSmiles(smiles, Depiction::Compute);
    ASSERT_EQ(reading.depiction.size(), static_cast<std::size_t>(tree.vertexCount)) << smiles;
    const std::vector<GridPosition> grid = GridLayout(reading.depiction);
    ASSERT_EQ(grid.size(), reading.depiction.size());
    ExpectDistinctInsideTheGrid(grid);
    ExpectCentred(grid);
    if (tree.vertexCount > 1) ExpectShapeKept(reading.depiction, grid, smiles);
    // Bonded atoms stay near: no bond longer than four steps and the rounding of its ends.
    for (const auto& [a, b] : reading.graph.edges) {
      EXPECT_LE(std::hypot(grid[a - 1].x - grid[b - 1].x, grid[a - 1].y - grid[b - 1].y),
                4 + std::sqrt(2.0))
          << smiles;
    }
  }
}

TEST(GridLayout, SmallMoleculesDoNotSprawlAndYGoesUp) {
  // Ethane: a bond of four steps, centred; 9.5 rounds up.
  EXPECT_EQ(GridLayout(std::vector<PlanePoint>{{0, 0}, {1.5, 0}}),
            (std::vector<GridPosition>{{8, 10}, {12, 10}}));
  EXPECT_EQ(GridLayout(std::vector<PlanePoint>{{0, 0}, {0, 1.5}}),
            (std::vector<GridPosition>{{10, 8}, {10, 12}}));
  EXPECT_EQ(GridLayout(std::vector<PlanePoint>{{3, -2}}), (std::vector<GridPosition>{{10, 10}}));
  EXPECT_TRUE(GridLayout(std::vector<PlanePoint>{}).empty());
}

TEST(GridLayout, UnitsAndPlaceOfTheDrawingDoNotMatter) {
  const MoleculeReading reading = ReadSmiles("CC(C)CC(C)(C)C", Depiction::Compute);
  const std::vector<GridPosition> expected = GridLayout(reading.depiction);
  std::vector<PlanePoint> moved = reading.depiction;
  for (PlanePoint& p : moved)
    p = {p.x * 0.55 + 120, p.y * 0.55 - 40};  // another unit
  EXPECT_EQ(GridLayout(moved), expected);
}

TEST(GridLayout, LargeDrawingsFillTheGridAndCrowdedOnesAreSpread) {
  // A straight chain of 20 atoms needs every column.
  std::vector<PlanePoint> chain;
  for (int i = 0; i < 20; ++i)
    chain.push_back({1.5 * i, 0});
  const auto line = GridLayout(chain);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(line[i], (GridPosition{i, 10}));

  // Points on top of each other, or closer than a step at the largest scale, still get
  // distinct positions, each near where it belongs.
  const std::vector<PlanePoint> stacked{{0, 0}, {0, 0}, {0, 0}, {5, 5}, {5, 5.01}};
  const auto spread = GridLayout(stacked);
  ExpectDistinctInsideTheGrid(spread);
  for (int i = 0; i < 3; ++i)
    EXPECT_LE(std::hypot(spread[i].x - 0, spread[i].y - 0), 1.5);
  for (int i = 3; i < 5; ++i) {
    EXPECT_LE(std::hypot(spread[i].x - kLast, spread[i].y - kLast), 1.5);
  }

  std::vector<PlanePoint> same(12, PlanePoint{1, 1});
  const auto around = GridLayout(same);
  ExpectDistinctInsideTheGrid(around);
  // The centre (9.5 rounds to 10) and the 11 positions nearest it.
  for (const GridPosition& g : around)
    EXPECT_LE(std::hypot(g.x - 10, g.y - 10), 2.0);
}

TEST(GridLayout, AsManyPointsAsTheGridHasAndNoMore) {
  std::vector<PlanePoint> lattice;
  for (int y = 0; y < kGridPositions; ++y) {
    for (int x = 0; x < kGridPositions; ++x)
      lattice.push_back({x * 1.5, y * 1.5});
  }
  const auto grid = GridLayout(lattice);
  for (std::size_t i = 0; i < lattice.size(); ++i) {
    EXPECT_EQ(grid[i], (GridPosition{static_cast<int>(i) % kGridPositions,
                                     static_cast<int>(i) / kGridPositions}));
  }
  lattice.push_back({0.1, 0.1});
  EXPECT_THROW(GridLayout(lattice), std::invalid_argument);
}

}  // namespace
}  // namespace korvelant
