#include "input/nauty_records.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "input/nauty_record_check.hpp"
#include "support/tree_generators.hpp"

namespace korvelant {
namespace {

// graph6 written from its definition, independently of nauty: the size, then the upper
// triangle of the adjacency matrix column by column, six bits a byte, each plus 63.
std::string Graph6Of(const Graph& graph) {
  const int n = graph.vertexCount;
  std::string text;
  if (n <= 62) {
    text += static_cast<char>(63 + n);
  } else {
    text += '~';
    for (int shift = 12; shift >= 0; shift -= 6)
      text += static_cast<char>(63 + ((n >> shift) & 63));
  }
  std::vector<bool> bits;
  for (int j = 1; j < n; ++j) {
    for (int i = 0; i < j; ++i) {
      bits.push_back(std::find(graph.edges.begin(), graph.edges.end(), Edge{i + 1, j + 1}) !=
                         graph.edges.end() ||
                     std::find(graph.edges.begin(), graph.edges.end(), Edge{j + 1, i + 1}) !=
                         graph.edges.end());
    }
  }
  while (bits.size() % 6 != 0)
    bits.push_back(false);
  for (std::size_t k = 0; k < bits.size(); k += 6) {
    int value = 0;
    for (std::size_t b = 0; b < 6; ++b)
      value = value * 2 + (bits[k + b] ? 1 : 0);
    text += static_cast<char>(63 + value);
  }
  return text;
}

std::vector<Edge> Sorted(std::vector<Edge> edges) {
  for (auto& [a, b] : edges)
    std::tie(a, b) = std::pair(std::min(a, b), std::max(a, b));
  std::sort(edges.begin(), edges.end());
  return edges;
}

TEST(NautyRecords, Graph6DecodesToTheSameTreeWithVerticesFromOne) {
  // 62 and 63 straddle the one- and four-byte size fields.
  for (const int n : {2, 3, 7, 62, 63, 100, 128, kMaxMatrixVertices}) {
    for (const Graph& tree : testing::RandomTrees(n, 5, static_cast<unsigned>(n))) {
      const std::string text = Graph6Of(tree);
      for (const std::string& line : {text, ">>graph6<<" + text, "  " + text + " \t"}) {
        const TreeRecord record = Graph6Record(line);
        ASSERT_EQ(record.error, "") << line;
        ASSERT_TRUE(record.graph);
        EXPECT_EQ(record.graph->vertexCount, n);
        EXPECT_EQ(record.graph->edges, Sorted(tree.edges));
        EXPECT_EQ(record.name, text);
      }
    }
  }
  // nauty's own writing of the trees on 4 vertices (nauty-gentreeg 4, and through
  // nauty-copyg -g): the path 3-2-1-4 and the star about 1.
  for (const auto& [graph6, sparse6] :
       std::vector<std::pair<std::string, std::string>>{{"Ck", ":Cdf"}, {"Cs", ":Ccf"}}) {
    const TreeRecord fromGraph6 = Graph6Record(graph6);
    const TreeRecord fromSparse6 = Sparse6Record(sparse6);
    ASSERT_TRUE(fromGraph6.graph && fromSparse6.graph) << fromGraph6.error << fromSparse6.error;
    EXPECT_EQ(*fromGraph6.graph, *fromSparse6.graph);
  }
  EXPECT_EQ(*Sparse6Record(":Cdf").graph, (Graph{4, {{1, 2}, {1, 4}, {2, 3}}}));
  EXPECT_EQ(*Graph6Record("Cs").graph, (Graph{4, {{1, 2}, {1, 3}, {1, 4}}}));
  EXPECT_EQ(*Graph6Record("@").graph, (Graph{1, {}}));
  EXPECT_EQ(*Sparse6Record(":@").graph, (Graph{1, {}}));
  EXPECT_EQ(*Graph6Record("?").graph, (Graph{0, {}}));
}

TEST(NautyRecords, RefusesWhatNautyWouldMisread) {
  const struct {
    std::string_view line;
    NautyFormat format;
    std::string_view problem;
  } cases[] = {
      {"C", NautyFormat::kGraph6, "has 1 bytes after the size, this one 0"},
      {"CFF", NautyFormat::kGraph6, "has 1 bytes after the size, this one 2"},
      {"C F", NautyFormat::kGraph6, "byte \" \" at column 2"},
      {std::string_view("C\0", 2), NautyFormat::kGraph6, "byte \"\\x00\" at column 2"},
      {"C\x80", NautyFormat::kGraph6, "byte \"\\x80\" at column 2"},
      {"~", NautyFormat::kGraph6, "size field is cut short"},
      {"~??", NautyFormat::kGraph6, "size field is cut short"},
      {"~~????", NautyFormat::kGraph6, "size field is cut short"},
      {"~??D", NautyFormat::kGraph6, "the size 5 is written in 4 bytes instead of 1"},
      {"~WY`", NautyFormat::kGraph6, "up to 100,000 vertices; this one has 100001."},
      {"~~~~~~~~", NautyFormat::kGraph6, "this one has 68719476735."},
      {":Cdf", NautyFormat::kGraph6, "a sparse6 record"},
      {"&C?", NautyFormat::kGraph6, "digraph6"},
      {";Cdf", NautyFormat::kSparse6, "incremental sparse6"},
      {"Ck", NautyFormat::kSparse6, "not a sparse6 record"},
      {":", NautyFormat::kSparse6, "size field is cut short"},
      {">>sparse6<<:Cdf", NautyFormat::kGraph6, "a sparse6 header, not graph6"},
      {">>graph6<<", NautyFormat::kGraph6, "a header without a graph"},
      {">>graph7<<Ck", NautyFormat::kGraph6, "unknown header"},
  };
  for (const auto& [line, format, problem] : cases) {
    const TreeRecord record =
        format == NautyFormat::kGraph6 ? Graph6Record(line) : Sparse6Record(line);
    EXPECT_FALSE(record.graph) << line;
    EXPECT_NE(record.error.find(problem), std::string::npos) << line << ": " << record.error;
  }
}

// Whatever the bytes, a record is either refused or a graph within the limits: nauty never
// reads past the record (the sanitizer build watches) and never aborts.
TEST(NautyRecords, AnyTextIsRefusedOrReadSafely) {
  std::mt19937 random(2024);
  const std::string prefixes[] = {"", ":", "~", "~~", ">>graph6<<", ":~"};
  const auto pick = [&](int limit) {
    return static_cast<int>(random() % static_cast<unsigned>(limit));
  };
  int read = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    std::string line = prefixes[pick(6)];
    if (pick(2) == 0) line += static_cast<char>(63 + pick(64));  // a plausible size
    const int length = pick(trial % 10 == 0 ? 1500 : 40);
    for (int k = 0; k < length; ++k) {
      line += static_cast<char>(pick(20) == 0 ? pick(256) : 63 + pick(64));
    }
    for (const TreeRecord& record : {Graph6Record(line), Sparse6Record(line)}) {
      if (!record.graph) {
        EXPECT_NE(record.error, "");
        continue;
      }
      ++read;
      EXPECT_LE(record.graph->vertexCount, kMaxHalfSumVertices);
      for (const auto& [a, b] : record.graph->edges) {
        EXPECT_TRUE(1 <= a && a <= b && b <= record.graph->vertexCount) << line;
      }
    }
  }
  EXPECT_GT(read, 1000);  // the trial reached the decoder, not only the checks
}

}  // namespace
}  // namespace korvelant
