// Trees given by their edges laid out as a chemist draws the carbon skeleton: bonds of one
// length, vertices apart, the same drawing RDKit gives the alkane's SMILES, and vertices of
// more than four edges still spread out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "molecules/molecule_reading.hpp"
#include "molecules/skeleton_layout.hpp"

namespace korvelant {
namespace {

double Distance(PlanePoint a, PlanePoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Every edge about one bond long and no two vertices nearer than half of one.
void ExpectSkeletonDrawing(const Graph& tree, const std::vector<PlanePoint>& points) {
  ASSERT_EQ(points.size(), static_cast<std::size_t>(tree.vertexCount));
  std::vector<double> bonds;
  for (const auto& [a, b] : tree.edges)
    bonds.push_back(
        Distance(points[static_cast<std::size_t>(a) - 1], points[static_cast<std::size_t>(b) - 1]));
  const auto [shortest, longest] = std::minmax_element(bonds.begin(), bonds.end());
  EXPECT_GT(*shortest, 0.9 * *longest);
  for (std::size_t a = 0; a < points.size(); ++a)
    for (std::size_t b = a + 1; b < points.size(); ++b)
      EXPECT_GT(Distance(points[a], points[b]), 0.5 * *shortest) << a + 1 << " " << b + 1;
}

Graph Star(int leaves) {
  Graph star{leaves + 1, {}};
  for (int v = 2; v <= leaves + 1; ++v)
    star.edges.emplace_back(1, v);
  return star;
}

TEST(SkeletonLayout, OctaneIsAZigzagNotARing) {
  Graph octane{8, {}};
  for (int v = 1; v < 8; ++v)
    octane.edges.emplace_back(v, v + 1);
  const std::vector<PlanePoint> points = SkeletonLayout(octane);
  ExpectSkeletonDrawing(octane, points);
  // Its ends lie far apart, as on a zigzag chain, not next to each other as on a circle.
  EXPECT_GT(Distance(points.front(), points.back()), 5 * Distance(points[0], points[1]));
}

TEST(SkeletonLayout, DrawsAsTheMoleculesOwnDepiction) {
  // 2,3-dimethylhexane: the same skeleton from its SMILES and from its edges.
  const MoleculeReading molecule = ReadSmiles("CCCC(C)C(C)C", Depiction::Compute);
  const std::vector<PlanePoint> points = SkeletonLayout(molecule.graph);
  ASSERT_EQ(points.size(), molecule.depiction.size());
  for (std::size_t v = 0; v < points.size(); ++v) {
    EXPECT_NEAR(points[v].x, molecule.depiction[v].x, 1e-6) << v;
    EXPECT_NEAR(points[v].y, molecule.depiction[v].y, 1e-6) << v;
  }
}

TEST(SkeletonLayout, StarsPastFourEdgesSpreadOut) {
  for (const int leaves : {4, 5, 8, 12}) {
    const Graph star = Star(leaves);
    const std::vector<PlanePoint> points = SkeletonLayout(star);
    SCOPED_TRACE(leaves);
    ExpectSkeletonDrawing(star, points);
  }
  // A star of stars: two centres of six edges each.
  Graph twin = Star(5);
  twin.vertexCount = 11;
  for (int v = 7; v <= 11; ++v)
    twin.edges.emplace_back(6, v);
  ExpectSkeletonDrawing(twin, SkeletonLayout(twin));
}

}  // namespace
}  // namespace korvelant
