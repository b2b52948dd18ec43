#include "input/edge_line_reader.hpp"

#include <gtest/gtest.h>

#include "input/edge_list_text.hpp"

namespace korvelant {
namespace {

TEST(EdgeLineReader, ReadsCountEdgesAndName) {
  const struct {
    std::string_view line;
    Graph graph;
    std::string_view name;
  } cases[] = {
      {"3 1-2,2-3 propane", {3, {{1, 2}, {2, 3}}}, "propane"},
      {"1", {1, {}}, ""},
      {"1 - methane", {1, {}}, "methane"},
      {"2 2-1", {2, {{1, 2}}}, ""},
      {"  4\t3-4,1-2,2-3   2,3-dimethyl, \"x\" \t ",
       {4, {{3, 4}, {1, 2}, {2, 3}}},
       "2,3-dimethyl, \"x\""},
      {"0", {0, {}}, ""},
      {"3", {3, {}}, ""},  // read, and refused later as no tree
  };
  for (const auto& [line, graph, name] : cases) {
    const TreeRecord record = EdgeLineRecord(line);
    EXPECT_EQ(record.error, "") << line;
    ASSERT_TRUE(record.graph) << line;
    EXPECT_EQ(*record.graph, graph) << line;
    EXPECT_EQ(record.name, name) << line;
  }
}

TEST(EdgeLineReader, SaysWhatIsWrong) {
  const struct {
    std::string_view line;
    std::string_view problem;
  } cases[] = {
      {"x 1-2", "malformed vertex count \"x\""},
      {"1-2,2-3 ethane", "malformed vertex count \"1-2,2-3\""},
      {"-3 1-2", "malformed vertex count \"-3\""},
      {"99999999999 1-2", "malformed vertex count \"99999999999\""},
      {"100001 1-2", "up to 100,000 vertices; this one has 100001"},
      {"3 1-x", "malformed edge \"1-x\""},
      {"3 1-2,", "malformed edge \"\""},
      {"3 1-2-3", "malformed edge \"1-2-3\""},
      {"3 1-4", "edge \"1-4\" names vertex 4, but the vertices are numbered 1 to 3"},
      {"3 2-2", "edge \"2-2\" joins a vertex to itself"},
      {"3 1-2,2-3,2-1", "edge \"2-1\" is given twice"},
      {"3 1-\x1b[2J", "malformed edge \"1-\\x1b[2J\""},
  };
  for (const auto& [line, problem] : cases) {
    const TreeRecord record = EdgeLineRecord(line);
    EXPECT_FALSE(record.graph) << line;
    EXPECT_NE(record.error.find(problem), std::string::npos) << line << ": " << record.error;
  }
  EXPECT_EQ(EdgeLineRecord("2 1:2 named").name, "named");
}

TEST(EdgeListText, ReadsWhatItWritesForEveryVertexNumber) {
  Graph star{kMaxMatrixVertices, {}};
  for (int v = kMaxMatrixVertices; v >= 2; --v)
    star.edges.emplace_back(1, v);
  const auto read = ReadEdgeList(EdgeListText(star), kMaxMatrixVertices);
  ASSERT_TRUE(std::holds_alternative<std::vector<Edge>>(read));
  EXPECT_EQ(std::get<std::vector<Edge>>(read), star.edges);
  EXPECT_EQ(ReadCount("007"), 7);
  EXPECT_EQ(ReadCount("+7"), std::nullopt);
  EXPECT_EQ(ReadCount(" 7"), std::nullopt);
  EXPECT_EQ(ReadCount(""), std::nullopt);
}

}  // namespace
}  // namespace korvelant
