#include "input/tree_file.hpp"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "support/default_positions.hpp"

namespace korvelant {
namespace {

SavedTree Tree(int n, std::vector<Edge> edges, std::vector<GridPosition> positions) {
  return {{n, std::move(edges)}, std::move(positions)};
}

// 2,3-dimethylhexane with its vertices on a row and the methyls above.
SavedTree DimethylHexane() {
  return Tree(8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}},
              {{0, 9}, {3, 9}, {6, 9}, {9, 9}, {12, 9}, {15, 9}, {3, 14}, {6, 19}});
}

TEST(TreeFile, WritesTheDocumentedText) {
  const SavedTree star = Tree(4, {{1, 2}, {3, 2}, {2, 4}}, {{1, 9}, {9, 17}, {17, 9}, {9, 1}});
  EXPECT_EQ(TreeFileText(star),
            "korvelant-tree 1\n"
            "vertices 4\n"
            "edges 1-2,2-3,2-4\n"
            "positions 2,10 10,18 18,10 10,2\n");
  EXPECT_EQ(TreeFileText(Tree(0, {}, {})), "korvelant-tree 1\nvertices 0\nedges\npositions\n");
}

TEST(TreeFile, WhatIsWrittenReadsBack) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const int n = static_cast<int>(random() % 9);
    SavedTree tree = Tree(n, {}, {});
    for (int v = 1; v <= n; ++v) {
      tree.positions.push_back({static_cast<int>(random() % kGridPositions),
                                static_cast<int>(random() % kGridPositions)});
    }
    // Any simple graph, not only trees: a half-entered tree is saved as it is.
    for (int a = 1; a <= n; ++a) {
      for (int b = a + 1; b <= n; ++b) {
        if (random() % 3 == 0) tree.graph.edges.push_back({a, b});
      }
    }
    const TreeFileReading reading = ReadTreeFile(TreeFileText(tree));
    ASSERT_TRUE(reading.tree) << reading.error;
    EXPECT_EQ(*reading.tree, tree);
  }
  const SavedTree large =
      Tree(kMaxMatrixVertices, {}, std::vector<GridPosition>(kMaxMatrixVertices, {4, 5}));
  EXPECT_EQ(ReadTreeFile(TreeFileText(large)).tree, large);
}

TEST(TreeFile, AcceptsWhatAPersonMightWrite) {
  // CR LF, blanks, comments, empty lines, entries in another order, edges written backwards.
  const TreeFileReading reading = ReadTreeFile(
      "korvelant-tree 1\r\n"
      "# 2,3-dimethylhexane\r\n"
      "\r\n"
      "  positions   1,10 4,10  7,10 10,10 13,10 16,10 4,15 7,20  \r\n"
      "edges 1-2, 3-2 ,3-4,4-5,5-6,2-7,8-3\r\n"
      "vertices\t8\r\n");
  ASSERT_TRUE(reading.tree) << reading.error;
  SavedTree expected = DimethylHexane();
  expected.graph.edges = {{1, 2}, {3, 2}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {8, 3}};
  EXPECT_EQ(*reading.tree, expected);
  // Written again, every edge has its smaller vertex first.
  EXPECT_EQ(TreeFileText(*reading.tree), TreeFileText(DimethylHexane()));
}

TEST(TreeFile, WithoutEdgesOrPositionsTheNewTreeDefaultsApply) {
  for (int n = 0; n <= 8; ++n) {
    const TreeFileReading reading =
        ReadTreeFile("korvelant-tree 1\nvertices " + std::to_string(n) + "\n");
    ASSERT_TRUE(reading.tree) << reading.error;
    EXPECT_TRUE(reading.tree->graph.edges.empty());
    ASSERT_EQ(reading.tree->positions.size(), static_cast<std::size_t>(n));
    for (int v = 1; v <= n; ++v) {
      const auto [x, y] = testing::kDefaultPositions[n][v - 1];
      EXPECT_EQ(reading.tree->positions[v - 1], (GridPosition{x, y})) << n << " " << v;
    }
  }
}

TEST(TreeFile, RefusesBadAndForeignFilesSayingWhy) {
  const std::string head = "korvelant-tree 1\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "not a Korvelant tree file"},
      {"WIEGM= { { 0,  1}, \r\n{ 1,  0} }\r\n", "not a Korvelant tree file"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0", 11), "not a Korvelant tree file"},
      {"korvelant-tree\nvertices 2\n", "not a Korvelant tree file"},
      {"korvelant-tree 2\nvertices 2\n", "version 2; this Korvelant reads version 1"},
      {"korvelant-tree one\n", "line 1: the version"},
      {head, "does not say how many vertices"},
      {head + "edges 1-2\n", "does not say how many vertices"},
      {head + "vertices -3\n", "line 2: the vertex count \"-3\" is not a number"},
      {head + "vertices 2.5\n", "is not a number"},
      {head + "vertices\n", "is not a number"},
      {head + "vertices 1001\n", "up to 1,000 vertices; this one has 1001"},
      {head + "vertices 3\nvertices 3\n", "line 3: \"vertices\" is given twice"},
      {head + "vertices 3\nedges 1-2\nedges 2-3\n", "line 4: \"edges\" is given twice"},
      {head + "vertices 3\nedges 1-4\n", "edge 1-4 names a vertex outside 1..3"},
      {head + "vertices 3\nedges 0-1\n", "edge 0-1 names a vertex outside 1..3"},
      {head + "vertices 3\nedges 2-2\n", "edge 2-2 joins a vertex to itself"},
      {head + "vertices 3\nedges 1-2,2-1\n", "edge 2-1 is listed twice"},
      {head + "vertices 3\nedges 1-2,,2-3\n", "line 3: the edge \"\" is not written like 1-2"},
      {head + "vertices 3\nedges 1-2 2-3\n", "the edge \"1-2 2-3\" is not written like 1-2"},
      {head + "vertices 3\nedges 1--2\n", "not written like 1-2"},
      {head + "vertices 2\npositions 1,1\n", "1 positions for 2 vertices"},
      {head + "vertices 1\npositions 1,1 2,2\n", "2 positions for 1 vertices"},
      {head + "vertices 2\npositions 1,1 0,5\n", "vertex 2 lies outside 1..20"},
      {head + "vertices 2\npositions 21,1 1,1\n", "vertex 1 lies outside 1..20"},
      {head + "vertices 2\npositions 1;1 1,1\n", "the position \"1;1\" is not written like 3,17"},
      {head + "vertices 2\ncolour red\n", "line 3: unknown entry \"colour\""},
      {head + "Vertices 2\n", "unknown entry \"Vertices\""},
      {head + "vertices 2\n" + std::string(500, 'x') + "\n",
       "\"" + std::string(64, 'x') + "\xE2\x80\xA6\" (500 bytes)"},
  };
  for (const auto& [text, reason] : cases) {
    const TreeFileReading reading = ReadTreeFile(text);
    EXPECT_FALSE(reading.tree) << text;
    EXPECT_NE(reading.error.find(reason), std::string::npos)
        << "for " << text << "\nmessage: " << reading.error;
  }
}

// Found by fuzzing: a refusal quoted a raw CR of the file, which split the message, and cut
// a long line inside a UTF-8 character.
TEST(TreeFile, RefusalsQuoteTheFileAsOneReadableLine) {
  const std::string head = "korvelant-tree 1\nvertices 2\n";
  EXPECT_EQ(ReadTreeFile(head + "v\rx\x1b 1\n").error, "line 3: unknown entry \"v\\rx\\x1b\"");
  const std::string cut = ReadTreeFile(head + std::string(63, 'x') + "\xC3\xBC-more\n").error;
  EXPECT_NE(cut.find("\"" + std::string(63, 'x') + "\xE2\x80\xA6\" (70 bytes)"), std::string::npos)
      << cut;
  EXPECT_EQ(
      ReadTreeFile(head + std::string(62, 'x') + "\xC3\xBC-more\n").error,
      "line 3: unknown entry \"" + std::string(62, 'x') + "\xC3\xBC\xE2\x80\xA6\" (69 bytes)");
}

TEST(TreeFile, TheWriterRefusesWhatCouldNotBeReadBack) {
  EXPECT_THROW(TreeFileText(Tree(2, {{1, 3}}, {{0, 0}, {1, 1}})), std::invalid_argument);
  EXPECT_THROW(TreeFileText(Tree(2, {{1, 1}}, {{0, 0}, {1, 1}})), std::invalid_argument);
  EXPECT_THROW(TreeFileText(Tree(2, {{1, 2}, {2, 1}}, {{0, 0}, {1, 1}})), std::invalid_argument);
  EXPECT_THROW(TreeFileText(Tree(2, {}, {{0, 0}})), std::invalid_argument);
  EXPECT_THROW(TreeFileText(Tree(1, {}, {{20, 0}})), std::invalid_argument);
  EXPECT_THROW(TreeFileText(Tree(1001, {}, std::vector<GridPosition>(1001))),
               std::invalid_argument);
}

// Any damage to a good file is either refused or reads as a tree that writes and reads back
// to the same text: the reader never accepts something its own writer would refuse.
TEST(TreeFile, DamagedFilesAreRefusedOrReadConsistently) {
  const std::string good = TreeFileText(DimethylHexane());
  const std::string alphabet = "0123456789-, \n\r#xveksip";
  std::mt19937 random(11);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    for (int change = 0, changes = 1 + static_cast<int>(random() % 3); change < changes; ++change) {
      const std::size_t at = random() % text.size();
      switch (random() % 3) {
        case 0:
          text[at] = alphabet[random() % alphabet.size()];
          break;
        case 1:
          text.erase(at, 1);
          break;
        default:
          text.insert(at, 1, alphabet[random() % alphabet.size()]);
      }
    }
    const TreeFileReading reading = ReadTreeFile(text);
    ASSERT_EQ(reading.tree.has_value(), reading.error.empty()) << text;
    if (!reading.tree) continue;
    ++accepted;
    const std::string written = TreeFileText(*reading.tree);
    const TreeFileReading again = ReadTreeFile(written);
    ASSERT_TRUE(again.tree) << written;
    EXPECT_EQ(TreeFileText(*again.tree), written);
  }
  EXPECT_GT(accepted, 0);  // some damage (a changed position digit) leaves a good file
}

}  // namespace
}  // namespace korvelant
