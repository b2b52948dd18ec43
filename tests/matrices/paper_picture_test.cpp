// The pictures for papers as recorded: every cell there, the edges of each subgraph kept or
// taken away as a breadth-first search of the test finds them, the numbers, and vertices
// kept apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>
#include <random>
#include <set>

#include "drawing/plane_layout.hpp"
#include "matrices/paper_picture.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

struct Recorded {
  int thin = 0;
  int thick = 0;
  std::map<std::string, int> texts;
  std::vector<TwipPoint> ends;
  std::vector<double> lengths;
};

Recorded Read(const Drawing& drawing) {
  Recorded recorded;
  int thinnest = 1000;
  for (const Shape& shape : drawing.shapes())
    if (const auto* line = std::get_if<LineShape>(&shape))
      thinnest = std::min(thinnest, line->lineWidth);
  for (const Shape& shape : drawing.shapes()) {
    if (const auto* line = std::get_if<LineShape>(&shape)) {
      (line->lineWidth == thinnest ? recorded.thin : recorded.thick) += 1;
      recorded.ends.push_back(line->from);
      recorded.ends.push_back(line->to);
      recorded.lengths.push_back(std::hypot(line->from.x - line->to.x, line->from.y - line->to.y));
    } else if (const auto* text = std::get_if<TextShape>(&shape)) {
      ++recorded.texts[text->text];
    }
  }
  return recorded;
}

// Edges between i and j, by a search over the edge list.
int PathLength(const Graph& tree, int from, int to) {
  std::vector<int> distance(static_cast<std::size_t>(tree.vertexCount) + 1, -1);
  std::queue<int> waiting;
  distance[static_cast<std::size_t>(from)] = 0;
  waiting.push(from);
  while (!waiting.empty()) {
    const int v = waiting.front();
    waiting.pop();
    for (const auto& [a, b] : tree.edges) {
      const int other = a == v ? b : b == v ? a : 0;
      if (other != 0 && distance[static_cast<std::size_t>(other)] < 0) {
        distance[static_cast<std::size_t>(other)] = distance[static_cast<std::size_t>(v)] + 1;
        waiting.push(other);
      }
    }
  }
  return distance[static_cast<std::size_t>(to)];
}

// Whether two vertices, places where lines end, are closer than `least`: each compared with
// those in its own and the neighbouring squares of side `least`.
bool AnyCloserThan(const std::vector<TwipPoint>& ends, double least) {
  std::map<std::pair<long, long>, std::set<std::pair<float, float>>> squares;
  auto square = [least](double v) { return static_cast<long>(std::floor(v / least)); };
  for (const TwipPoint p : ends)
    squares[{square(p.x), square(p.y)}].emplace(p.x, p.y);
  for (const auto& [key, points] : squares) {
    for (const auto& p : points) {
      for (long dx = -1; dx <= 1; ++dx) {
        for (long dy = -1; dy <= 1; ++dy) {
          const auto near = squares.find({key.first + dx, key.second + dy});
          if (near == squares.end()) continue;
          for (const auto& q : near->second) {
            if (q != p &&
                std::hypot(double{p.first} - q.first, double{p.second} - q.second) < least)
              return true;
          }
        }
      }
    }
  }
  return false;
}

// Coordinates snap to a tenth of a pixel, 1.5 twips; two ends may each move by half that.
constexpr double kSnapping = 1.5 * M_SQRT2;

std::vector<PlanePoint> RandomPoints(int n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(0, 10);
  std::vector<PlanePoint> points;
  for (int v = 0; v < n; ++v)
    points.push_back({coordinate(random), coordinate(random)});
  return points;
}

TEST(PaperMatrix, EveryCellHoldsItsSubgraphAndTheNumbersRunAround) {
  for (const int n : {12, 20, 40}) {
    const Graph graph = RandomTrees(n, 1, static_cast<unsigned>(n)).front();
    const RootedTree tree = *RootTree(graph);
    for (const MatrixType type : {MatrixType::EGM, MatrixType::PGM, MatrixType::SVGM}) {
      const PaperPicture picture =
          DrawPaperMatrix(tree, RandomPoints(n, 7), type, PaperOptions{true, "Figure 1"});
      const Recorded recorded = Read(picture.drawing);
      int empty = 0;
      int kept = 0;
      for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
          const int distance = PathLength(graph, i, j);
          const bool isEmpty = type == MatrixType::PGM ? i == j : distance != 1;
          if (isEmpty) {
            ++empty;
          } else if (type == MatrixType::EGM) {
            kept += n - 2;
          } else if (type == MatrixType::PGM) {
            kept += n - 1 - distance;
          } else {  // the edges at i or j all go
            int touching = 0;
            for (const auto& [a, b] : graph.edges)
              touching += (a == i || b == i || a == j || b == j) ? 1 : 0;
            kept += n - 1 - touching;
          }
        }
      }
      const int cells = (recorded.thin + recorded.thick) / (n - 1);
      EXPECT_EQ(cells + empty, n * n) << n;
      EXPECT_EQ(recorded.thick, kept) << n << " " << ShortName(type);
      EXPECT_EQ(recorded.texts.at("0"), empty);
      for (int k = 1; k <= n; ++k)
        EXPECT_EQ(
            recorded.texts.count(std::to_string(k)) ? recorded.texts.at(std::to_string(k)) : 0, 2)
            << k;
      EXPECT_EQ(recorded.texts.at("Figure 1"), 1);
      EXPECT_FALSE(AnyCloserThan(recorded.ends, kLeastVertexPixels * 15 - kSnapping)) << n;
      // The layout's size holds every shape.
      for (const TwipPoint p : recorded.ends) {
        EXPECT_GT(p.x, 0);
        EXPECT_LT(p.x, picture.width * 15);
        EXPECT_LT(p.y, picture.height * 15);
      }
    }
  }
}

TEST(PaperMatrix, WithoutNumbersOnlyTheZerosAreText) {
  const Graph graph = Path(12);
  const PaperPicture bare =
      DrawPaperMatrix(*RootTree(graph), CirclePoints(12), MatrixType::PGM, PaperOptions{false, ""});
  const PaperPicture numbered =
      DrawPaperMatrix(*RootTree(graph), CirclePoints(12), MatrixType::PGM, PaperOptions{});
  const Recorded recorded = Read(bare.drawing);
  EXPECT_EQ(recorded.texts, (std::map<std::string, int>{{"0", 12}}));
  EXPECT_LT(bare.width, numbered.width);
  EXPECT_LT(bare.height, numbered.height);
}

TEST(PaperTree, NumbersEveryVertexOnceAndDrawsEveryEdge) {
  const Graph graph = Star(9);
  const PaperPicture picture = DrawPaperTree(graph, CirclePoints(9), PaperOptions{});
  const Recorded recorded = Read(picture.drawing);
  EXPECT_EQ(recorded.thin + recorded.thick, 8);
  for (int k = 1; k <= 9; ++k)
    EXPECT_EQ(recorded.texts.at(std::to_string(k)), 1);
}

TEST(PlaneLayout, TheCircleIsTheWindowsCircle) {
  const std::vector<PlanePoint> points = CirclePoints(12);
  ASSERT_EQ(points.size(), 12u);
  for (std::size_t v = 0; v < points.size(); ++v) {
    const double angle = 6.28 * static_cast<double>(v + 1) / 12;
    // Each coordinate rounded to the grid: at most half a step off either way.
    EXPECT_LE(std::abs(points[v].x - (10 + 8 * std::cos(angle))), 0.5);
    EXPECT_LE(std::abs(points[v].y - (10 + 8 * std::sin(angle))), 0.5);
  }
}

TEST(PlaneLayout, SpreadingApartSeparatesCrowdedAndCoincidentPoints) {
  const std::vector<PlanePoint> crowded = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {0, 1}, {1.01, 0.02}};
  for (const auto& points : {crowded, std::vector<PlanePoint>(6, PlanePoint{3, 3}),
                             RandomPoints(40, 3), CirclePoints(40)}) {
    const double least = 0.5 / std::sqrt(points.size());
    const std::vector<PlanePoint> spread = SpreadApart(points, least);
    double width = 0, height = 0;
    for (std::size_t a = 0; a < spread.size(); ++a) {
      width = std::max(width, spread[a].x);
      height = std::max(height, spread[a].y);
      for (std::size_t b = a + 1; b < spread.size(); ++b)
        EXPECT_GE(std::hypot(spread[a].x - spread[b].x, spread[a].y - spread[b].y), least);
    }
    EXPECT_DOUBLE_EQ(std::max(width, height), 1);
  }
  // Points already apart keep their shape.
  const std::vector<PlanePoint> apart = {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {10, 0}};
  const std::vector<PlanePoint> kept = SpreadApart(apart, 0.1);
  for (std::size_t v = 0; v < apart.size(); ++v)
    EXPECT_EQ(kept[v], (PlanePoint{0.2 * static_cast<double>(v), 0}));
}

TEST(PlaneLayout, TheRadialLayoutKeepsVerticesApartAndEdgesLong) {
  std::vector<Graph> trees = RandomTrees(30, 5, 11);
  trees.push_back(Star(20));
  trees.push_back(Path(9));
  for (const Graph& tree : trees) {
    const std::vector<PlanePoint> points = RadialLayout(tree);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(tree.vertexCount));
    for (const auto& [a, b] : tree.edges) {
      const PlanePoint p = points[static_cast<std::size_t>(a) - 1];
      const PlanePoint q = points[static_cast<std::size_t>(b) - 1];
      EXPECT_GE(std::hypot(p.x - q.x, p.y - q.y), 1 - 1e-9);
    }
    for (std::size_t a = 0; a < points.size(); ++a)
      for (std::size_t b = a + 1; b < points.size(); ++b)
        EXPECT_GT(std::hypot(points[a].x - points[b].x, points[a].y - points[b].y), 1e-3);
  }
}

}  // namespace
}  // namespace korvelant::testing
