// The engine against the slow reference: every element of all sixteen matrices, the
// drawing's edge classification and the file bytes, over every labelled tree of up to 7
// vertices and thousands of random 8-vertex trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "matrices/subgraph_selection.hpp"
#include "matrices/topological_index.hpp"
#include "model/distance_matrix.hpp"
#include "output/matrix_file.hpp"
#include "support/named_trees.hpp"
#include "support/slow_reference.hpp"

namespace korvelant::testing {
namespace {

constexpr MatrixType kTypes[] = {MatrixType::EGM, MatrixType::PGM, MatrixType::SVGM,
                                 MatrixType::DVGM};
constexpr TopologicalIndex kIndices[] = {TopologicalIndex::Wiener, TopologicalIndex::Randic,
                                         TopologicalIndex::Zagreb, TopologicalIndex::Hosoya};

// The tree of a Pruefer code over 1..n (n >= 3, code of length n - 2).
EdgeListTree FromPruefer(int n, const std::vector<int>& code) {
  EdgeListTree tree{n, {}};
  std::vector<int> degree(n + 1, 1);
  for (int v : code)
    ++degree[v];
  for (int v : code) {
    const int leaf =
        static_cast<int>(std::find(degree.begin() + 1, degree.end(), 1) - degree.begin());
    tree.edges.emplace_back(leaf, v);
    --degree[leaf];
    --degree[v];
  }
  const auto last = std::find(degree.begin() + 1, degree.end(), 1);
  const auto other = std::find(last + 1, degree.end(), 1);
  tree.edges.emplace_back(static_cast<int>(last - degree.begin()),
                          static_cast<int>(other - degree.begin()));
  return tree;
}

std::vector<EdgeListTree> AllLabelledTrees(int n) {
  if (n == 1) return {EdgeListTree{1, {}}};
  if (n == 2) return {EdgeListTree{2, {{1, 2}}}};
  std::vector<EdgeListTree> trees;
  std::vector<int> code(n - 2, 1);
  while (true) {
    trees.push_back(FromPruefer(n, code));
    std::size_t digit = 0;
    while (digit < code.size() && code[digit] == n)
      code[digit++] = 1;
    if (digit == code.size()) return trees;
    ++code[digit];
  }
}

std::vector<EdgeListTree> RandomTrees(int n, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> vertex(1, n);
  std::vector<EdgeListTree> trees;
  for (int t = 0; t < count; ++t) {
    std::vector<int> code(n - 2);
    for (int& v : code)
      v = vertex(random);
    trees.push_back(FromPruefer(n, code));
  }
  return trees;
}

EdgeListTree Path(int n) {
  EdgeListTree tree{n, {}};
  for (int v = 1; v < n; ++v)
    tree.edges.emplace_back(v, v + 1);
  return tree;
}

EdgeListTree Star(int n) {
  EdgeListTree tree{n, {}};
  for (int v = 2; v <= n; ++v)
    tree.edges.emplace_back(1, v);
  return tree;
}

TreeModel ToModel(const EdgeListTree& tree) {
  TreeModel model = MakeTree(tree.vertices, {});
  for (const auto& [a, b] : tree.edges) {
    model.Adjacency(a, b) = 1;
    model.Adjacency(b, a) = 1;
  }
  NadjiMatricuUdaljenosti(model);
  return model;
}

std::string Describe(const EdgeListTree& tree) {
  std::ostringstream text;
  text << "tree n=" << tree.vertices << " edges";
  for (const auto& [a, b] : tree.edges)
    text << " " << a << "-" << b;
  return text.str();
}

std::string Describe(const EdgeListTree& tree, MatrixType type, int i, int j) {
  return Describe(tree) + ", " + std::string(ShortName(type)) + " element (" + std::to_string(i) +
         ", " + std::to_string(j) + ")";
}

// The first difference between engine and reference for this tree, or "" when none.
std::string FirstMismatch(const EdgeListTree& tree) {
  const int n = tree.vertices;
  TreeModel model = ToModel(tree);
  CommandValues values;
  for (MatrixType type : kTypes) {
    std::vector<ReferenceValues> expected;
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j)
        expected.push_back(ReferenceElement(tree, i, j, type));
    }
    for (TopologicalIndex index : kIndices) {
      values.MatrixElement.Fill(FixedDecimal::FromTicks(-7));
      ComputeMatrix(model, values, type, index);
      for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
          const std::int64_t want = expected[(i - 1) * n + (j - 1)].Of(index);
          const std::int64_t got = values.MatrixElement(i, j).ticks();
          if (got == want) continue;
          return Describe(tree, type, i, j) + ", index " + std::string(Letter(index)) +
                 ": engine " + std::to_string(got) + " reference " + std::to_string(want) +
                 " (ten-thousandths)";
        }
      }
    }
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        const bool empty = ReferenceIsEmpty(tree, i, j, type);
        if (IsEmptyElement(model, i, j, type) != empty) {
          return Describe(tree, type, i, j) + ": IsEmptyElement differs, reference says " +
                 (empty ? "empty" : "non-empty");
        }
        if (empty) continue;
        const std::vector<bool> removed = ReferenceRemovedEdges(tree, i, j, type);
        for (std::size_t e = 0; e < tree.edges.size(); ++e) {
          const auto [a, b] = tree.edges[e];
          if (IsRemovedEdge(model, i, j, a, b, type) != removed[e] ||
              IsRemovedEdge(model, i, j, b, a, type) != removed[e]) {
            return Describe(tree, type, i, j) + ": IsRemovedEdge differs for edge " +
                   std::to_string(a) + "-" + std::to_string(b) + ", reference says " +
                   (removed[e] ? "removed" : "kept");
          }
        }
      }
    }
  }
  return "";
}

std::string FirstFileMismatch(const EdgeListTree& tree) {
  TreeModel model = ToModel(tree);
  CommandValues values;
  const std::string got = MatrixFileText(model, values);
  const std::string want = ReferenceFileText(tree);
  if (got == want) return "";
  const auto at = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
  const std::size_t offset = static_cast<std::size_t>(at.first - got.begin());
  const std::size_t from = offset < 30 ? 0 : offset - 30;
  return Describe(tree) + ": file differs at byte " + std::to_string(offset) +
         "\nengine:    " + ::testing::PrintToString(got.substr(from, 60)) +
         "\nreference: " + ::testing::PrintToString(want.substr(from, 60));
}

// Checks the trees in turn and reports only the first one that differs.
void ExpectNoMismatch(const std::vector<EdgeListTree>& trees,
                      std::string (*check)(const EdgeListTree&)) {
  for (const EdgeListTree& tree : trees) {
    const std::string mismatch = check(tree);
    if (!mismatch.empty()) {
      ADD_FAILURE() << mismatch;
      return;
    }
  }
}

TEST(SlowReferenceTest, KnownValuesOfSmallTrees) {
  const EdgeListTree path4{4, {{1, 2}, {2, 3}, {3, 4}}};
  const ReferenceValues egm12 = ReferenceElement(path4, 1, 2, MatrixType::EGM);
  EXPECT_EQ(egm12.wiener, 40000);
  EXPECT_EQ(egm12.zagreb, 40000);
  EXPECT_EQ(egm12.randic, 14142);
  EXPECT_EQ(egm12.hosoya, 30000);
  const ReferenceValues egm23 = ReferenceElement(path4, 3, 2, MatrixType::EGM);
  EXPECT_EQ(egm23.wiener, 20000);
  EXPECT_EQ(egm23.randic, 20000);
  EXPECT_EQ(egm23.hosoya, 40000);
  EXPECT_EQ(ReferenceElement(path4, 1, 3, MatrixType::EGM).hosoya, 0);
  EXPECT_EQ(ReferenceElement(path4, 1, 3, MatrixType::SVGM).hosoya, 0);
  EXPECT_EQ(ReferenceElement(path4, 1, 4, MatrixType::PGM).hosoya, 10000);
  EXPECT_EQ(ReferenceElement(path4, 1, 4, MatrixType::DVGM).wiener, 10000);

  const EdgeListTree branched{5, {{1, 2}, {1, 3}, {1, 4}, {4, 5}}};
  EXPECT_EQ(ReferenceElement(branched, 4, 5, MatrixType::EGM).randic, 17322);
  EXPECT_EQ(ReferenceElement(branched, 2, 5, MatrixType::PGM).zagreb, 10000);
  EXPECT_EQ(ReferenceElement(branched, 2, 3, MatrixType::DVGM).zagreb, 40000);

  const EdgeListTree path8 = Path(8);
  const EdgeListTree star8 = Star(8);
  EXPECT_EQ(ReferenceIndices(path8).hosoya, 340000);
  EXPECT_EQ(ReferenceIndices(path8).wiener, 840000);
  EXPECT_EQ(ReferenceIndices(star8).hosoya, 80000);
  EXPECT_EQ(ReferenceIndices(star8).zagreb, 490000);
  EXPECT_EQ(ReferenceElement(star8, 1, 5, MatrixType::SVGM).hosoya, 10000);

  const std::pair<int, int> kTerms[] = {{1, 10000}, {2, 7071}, {3, 5774},  {4, 5000},
                                        {7, 3780},  {8, 3536}, {12, 2887}, {15, 2582}};
  for (const auto& [product, ticks] : kTerms)
    EXPECT_EQ(ReferenceRandicTerm(product), ticks) << product;
}

TEST(SlowReferenceTest, FileFormat) {
  EXPECT_EQ(ReferenceNumberText(0), " 0");
  EXPECT_EQ(ReferenceNumberText(120000), " 12");
  EXPECT_EQ(ReferenceNumberText(22360), " 2.236");
  EXPECT_EQ(ReferenceNumberText(10001), " 1.0001");
  const std::string single = ReferenceFileText(EdgeListTree{1, {}});
  EXPECT_TRUE(single.starts_with("WIEGM= { { 0} }\r\nRIEGM= { { 0} }\r\n")) << single;
  EXPECT_NE(single.find("ZIEGM= { { 0} }\r\nHIEGM\r\n= { { 0} }\r\nWIPGM"), std::string::npos);
  EXPECT_TRUE(single.ends_with("ZIDVGM= { { 0} }\r\nHIDVGM\r\n= { { 0} }\r\n")) << single;
  const std::string path3 = ReferenceFileText(EdgeListTree{3, {{1, 2}, {2, 3}}});
  EXPECT_NE(path3.find("HIPGM= { { 0,  2,  1}, \r\n{ 2,  0,  2}, \r\n{ 1,  2,  0} }\r\nWISVGM"),
            std::string::npos)
      << path3;
  const std::string star4 = ReferenceFileText(EdgeListTree{4, {{1, 2}, {1, 3}, {1, 4}}});
  EXPECT_NE(star4.find("RIEGM= { { 0,  1.4142,  1.4142,  1.4142}, \r\n{ 1.4142,  0,  0,  0}, "
                       "\r\n{ 1.4142,  0,  0,  0}, \r\n{ 1.4142,  0,  0,  0} }\r\nZIEGM"),
            std::string::npos)
      << star4;
}

// One test per vertex count, so that a parallel test run spreads them.
class EveryLabelledTree : public ::testing::TestWithParam<int> {};

TEST_P(EveryLabelledTree, MatchesReference) {
  const int n = GetParam();
  const std::vector<EdgeListTree> trees = AllLabelledTrees(n);
  std::set<std::set<std::pair<int, int>>> distinct;
  for (const EdgeListTree& tree : trees) {
    std::set<std::pair<int, int>> edges;
    for (const auto& [a, b] : tree.edges)
      edges.emplace(std::min(a, b), std::max(a, b));
    ASSERT_EQ(static_cast<int>(edges.size()), n - 1) << Describe(tree);
    distinct.insert(edges);
  }
  int cayley = 1;  // n^(n - 2) labelled trees
  for (int k = 0; k < n - 2; ++k)
    cayley *= n;
  ASSERT_EQ(static_cast<int>(distinct.size()), cayley);
  ExpectNoMismatch(trees, FirstMismatch);
}

INSTANTIATE_TEST_SUITE_P(DifferentialTest, EveryLabelledTree, ::testing::Range(1, 8),
                         [](const auto& info) { return std::to_string(info.param) + "Vertices"; });

TEST(DifferentialTest, RandomEightVertexTrees) {
  std::vector<EdgeListTree> trees = RandomTrees(8, 3000, 20240611u);
  trees.push_back(Path(8));
  trees.push_back(Star(8));
  ExpectNoMismatch(trees, FirstMismatch);
}

TEST(DifferentialTest, MatrixFileBytes) {
  std::vector<EdgeListTree> trees = {Path(8), Star(8)};
  for (int n = 1; n <= 5; ++n) {
    const std::vector<EdgeListTree> all = AllLabelledTrees(n);
    trees.insert(trees.end(), all.begin(), all.end());
  }
  const std::vector<EdgeListTree> random = RandomTrees(8, 200, 77u);
  trees.insert(trees.end(), random.begin(), random.end());
  ExpectNoMismatch(trees, FirstFileMismatch);
}

}  // namespace
}  // namespace korvelant::testing
