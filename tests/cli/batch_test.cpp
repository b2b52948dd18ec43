#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <queue>
#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/json_reader.hpp"
#include "model/wide_integer.hpp"
#include "support/forest_reference.hpp"
#include "support/german_locale.hpp"
#include "support/slow_reference.hpp"
#include "support/temporary_folder.hpp"
#include "support/tree_generators.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;
using testing::BatchRun;
using testing::EdgeLine;
using testing::ReadCsv;
using testing::RunBatch;

const std::vector<std::string> kHeader = {
    "name",   "vertices", "edges",  "WIEGM",  "RIEGM",  "ZIEGM",  "HIEGM",  "WIPGM",  "RIPGM",
    "ZIPGM",  "HIPGM",    "WISVGM", "RISVGM", "ZISVGM", "HISVGM", "WIDVGM", "RIDVGM", "ZIDVGM",
    "HIDVGM", "W",        "WW",     "M1",     "M2",     "chi",    "H",      "error"};
constexpr std::size_t kFirstHalfSum = 3;
constexpr std::size_t kWiener = 19;

// Whole-tree indices straight from their definitions: distances by breadth-first search,
// matchings by trying every set of edges.
struct IndependentIndices {
  long wiener = 0, hyperWiener = 0, firstZagreb = 0, secondZagreb = 0, hosoya = 0;
  double randic = 0;
};

IndependentIndices Independent(const Graph& tree) {
  const int n = tree.vertexCount;
  std::vector<std::vector<int>> neighbours(n + 1);
  for (const auto& [a, b] : tree.edges)
    neighbours[a].push_back(b), neighbours[b].push_back(a);
  IndependentIndices result;
  for (int source = 1; source <= n; ++source) {
    std::vector<int> distance(n + 1, -1);
    std::queue<int> queue;
    distance[source] = 0;
    queue.push(source);
    while (!queue.empty()) {
      const int v = queue.front();
      queue.pop();
      for (const int w : neighbours[v]) {
        if (distance[w] < 0) distance[w] = distance[v] + 1, queue.push(w);
      }
    }
    for (int target = source + 1; target <= n; ++target) {
      const long d = distance[target];
      result.wiener += d;
      result.hyperWiener += (d + d * d) / 2;
    }
    result.firstZagreb += static_cast<long>(neighbours[source].size() * neighbours[source].size());
  }
  for (const auto& [a, b] : tree.edges) {
    const auto product = static_cast<long>(neighbours[a].size() * neighbours[b].size());
    result.secondZagreb += product;
    result.randic += 1 / std::sqrt(static_cast<double>(product));
  }
  if (tree.edges.size() <= 20) {
    const std::size_t m = tree.edges.size();
    for (std::size_t set = 0; set < (std::size_t{1} << m); ++set) {
      std::vector<bool> used(n + 1);
      bool matching = true;
      for (std::size_t e = 0; e < m && matching; ++e) {
        if (!(set >> e & 1)) continue;
        const auto [a, b] = tree.edges[e];
        matching = !used[a] && !used[b];
        used[a] = used[b] = true;
      }
      result.hosoya += matching ? 1 : 0;
    }
  }
  return result;
}

// "t12": GCC 12 warns falsely about `"t" + std::to_string(k)`, so names are appended.
std::string Numbered(std::string prefix, std::size_t k) {
  return prefix.append(std::to_string(k));
}

// Half of a sum of ten-thousandths, as digits with up to five decimals.
std::string HalfOfTicks(Int128 ticks) {
  const Int128 halves = ticks * 5;  // hundred-thousandths
  std::string text = ToDecimalString(halves / 100000);
  std::string fraction = ToDecimalString(halves % 100000);
  fraction.insert(0, 5 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  return fraction.empty() ? text : text + "." + fraction;
}

std::vector<std::string> ReferenceHalfSums(const Graph& tree) {
  const testing::EdgeListTree reference{tree.vertexCount, tree.edges};
  std::vector<std::string> halfSums;
  for (const MatrixType type : kMatrixTypes) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      std::int64_t ticks = 0;
      for (int i = 1; i <= tree.vertexCount; ++i) {
        for (int j = 1; j <= tree.vertexCount; ++j) {
          ticks += testing::ReferenceElement(reference, i, j, type).Of(index);
        }
      }
      halfSums.push_back(HalfOfTicks(ticks));
    }
  }
  return halfSums;
}

TEST(Batch, RowsAgreeWithAnIndependentComputation) {
  std::vector<Graph> trees = {Graph{1, {}}, Graph{2, {{2, 1}}}};
  for (int n = 3; n <= 8; ++n) {
    for (const Graph& tree : testing::RandomTrees(n, 12, static_cast<unsigned>(n)))
      trees.push_back(tree);
  }
  std::string input;
  for (std::size_t k = 0; k < trees.size(); ++k)
    input += EdgeLine(trees[k], Numbered("t", k));
  const BatchRun run = RunBatch({"--from", "edges"}, input);
  ASSERT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(run.err, "");
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), trees.size() + 1);
  EXPECT_EQ(rows[0], kHeader);
  for (std::size_t k = 0; k < trees.size(); ++k) {
    const std::vector<std::string>& row = rows[k + 1];
    ASSERT_EQ(row.size(), kHeader.size());
    const Graph& tree = trees[k];
    EXPECT_EQ(row[0], Numbered("t", k));
    EXPECT_EQ(row[1], std::to_string(tree.vertexCount));
    EXPECT_EQ(row[2], EdgeListText(tree));
    const std::vector<std::string> halfSums(row.begin() + kFirstHalfSum, row.begin() + kWiener);
    EXPECT_EQ(halfSums, ReferenceHalfSums(tree)) << row[2];
    const IndependentIndices expected = Independent(tree);
    EXPECT_EQ(row[19], std::to_string(expected.wiener));
    EXPECT_EQ(row[20], std::to_string(expected.hyperWiener));
    EXPECT_EQ(row[21], std::to_string(expected.firstZagreb));
    EXPECT_EQ(row[22], std::to_string(expected.secondZagreb));
    EXPECT_EQ(std::strtod(row[23].c_str(), nullptr), expected.randic) << row[23];
    EXPECT_EQ(row[24], std::to_string(expected.hosoya));
    EXPECT_EQ(row[25], "");
  }
}

TEST(Batch, LargerTreesAgreeOnTheWholeTreeIndices) {
  std::string input;
  std::vector<Graph> trees;
  for (const int n : {20, 21, 57, 128}) {
    for (const Graph& tree : testing::RandomTrees(n, 3, static_cast<unsigned>(n))) {
      trees.push_back(tree);
      input += EdgeLine(tree, "");
    }
  }
  const auto rows = ReadCsv(RunBatch({"--from", "edges", "--no-header"}, input).out);
  ASSERT_EQ(rows.size(), trees.size());
  for (std::size_t k = 0; k < trees.size(); ++k) {
    const IndependentIndices expected = Independent(trees[k]);
    EXPECT_EQ(rows[k][kWiener], std::to_string(expected.wiener));
    EXPECT_EQ(rows[k][20], std::to_string(expected.hyperWiener));
    EXPECT_EQ(rows[k][22], std::to_string(expected.secondZagreb));
    EXPECT_NEAR(std::strtod(rows[k][23].c_str(), nullptr), expected.randic, 1e-12);
  }
}

TEST(Batch, RowsComeInInputOrderForAnyNumberOfThreads) {
  std::string input;
  std::vector<std::string> names;
  for (int k = 0; k < 1500; ++k) {
    const int n = 1 + (k * 7919) % 24;
    const std::string name = Numbered("r", static_cast<std::size_t>(k));
    names.push_back(name);
    if (k % 37 == 5) {
      input += "3 1-x " + name + "\n";
    } else if (k % 41 == 3) {
      input += "4 1-2,3-4 " + name + "\n";
    } else {
      input += EdgeLine(testing::RandomTrees(n, 1, static_cast<unsigned>(k)).front(), name);
    }
  }
  const BatchRun one = RunBatch({"--from", "edges", "--jobs", "1"}, input);
  EXPECT_EQ(one.status, kSomeRecordsRefused);
  const auto rows = ReadCsv(one.out);
  ASSERT_EQ(rows.size(), names.size() + 1);
  for (std::size_t k = 0; k < names.size(); ++k)
    EXPECT_EQ(rows[k + 1][0], names[k]);
  for (const std::string jobs : {"2", "7"}) {
    const BatchRun many = RunBatch({"--from=edges", "--jobs=" + jobs}, input);
    EXPECT_EQ(many.status, kSomeRecordsRefused);
    EXPECT_TRUE(many.out == one.out) << "--jobs " << jobs << " changed the output";
  }
  const BatchRun json1 = RunBatch({"--from", "edges", "--format", "jsonl", "--jobs", "1"}, input);
  const BatchRun json7 = RunBatch({"--from", "edges", "--format", "JSONL", "--jobs", "7"}, input);
  EXPECT_TRUE(json1.out == json7.out);
  EXPECT_EQ(std::count(json1.out.begin(), json1.out.end(), '\n'), 1500);
}

TEST(Batch, BadRecordsGetAnErrorRowAndTheBatchGoesOn) {
  const std::string input =
      "# trees of a messy file\n"
      "3 1-2,2-3 propane\r\n"
      "3 1-x broken\n"
      "\n"
      "4 1-2,3-4 two parts\n"
      "3 1-2,2-3,1-3 ring\n"
      "100001 1-2 huge\n"
      "abc\n" +
      std::string("2 1-2 nul\0byte\n", 15) +
      "0\n"
      "2 1-2 last, no line end";
  const BatchRun run = RunBatch({"--from", "edges"}, input);
  EXPECT_EQ(run.status, kSomeRecordsRefused);
  EXPECT_EQ(run.err, "");
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 10u);
  const std::vector<std::pair<std::string, std::string>> nameAndError = {
      {"propane", ""},
      {"broken", "line 3: malformed edge \"1-x\": write two vertex numbers as in 1-2"},
      {"two parts", "not a tree: 2 components"},
      {"ring", "not a tree: 1 cycle: 1-2-3-1"},
      {"huge", "line 7: " + HalfSumTooLargeMessage(100001)},
      {"", "line 8: malformed vertex count \"abc\": write a whole number"},
      {std::string("nul\0byte", 8), ""},
      {"", "not a tree: no vertices"},
      {"last, no line end", ""},
  };
  for (std::size_t k = 0; k < nameAndError.size(); ++k) {
    const std::vector<std::string>& row = rows[k + 1];
    EXPECT_EQ(row[0], nameAndError[k].first) << k;
    EXPECT_EQ(row[25], nameAndError[k].second) << k;
    const bool computed = nameAndError[k].second.empty();
    for (std::size_t column = kFirstHalfSum; column < 25; ++column) {
      EXPECT_EQ(row[column].empty(), !computed) << k << " " << kHeader[column];
    }
  }
  // A graph that was read keeps its vertices and edges; one that was not has none.
  EXPECT_EQ(rows[3][1], "4");
  EXPECT_EQ(rows[3][2], "1-2,3-4");
  EXPECT_EQ(rows[2][1], "");
}

TEST(Batch, CsvQuotesWhatNeedsQuoting) {
  const std::string input =
      "2 1-2 plain\n"
      "2 1-2 with, comma\n"
      "2 1-2 \"quoted\" name\n"
      "2 1-2 tab\tinside\n"
      "2 1-2 a \x1b[1m bold\n";
  const BatchRun run = RunBatch({"--from", "edges", "--no-header"}, input);
  EXPECT_EQ(run.out.rfind("plain,2,1-2,", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\n\"with, comma\",2,"), std::string::npos);
  EXPECT_NE(run.out.find("\n\"\"\"quoted\"\" name\",2,"), std::string::npos);
  EXPECT_NE(run.out.find("\n\"tab\tinside\",2,"), std::string::npos);
  EXPECT_NE(run.out.find("\n\"a \x1b[1m bold\",2,"), std::string::npos);
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[2][0], "\"quoted\" name");
  EXPECT_EQ(rows[3][0], "tab\tinside");
  // An edge list of two edges holds a comma, and so is quoted.
  EXPECT_NE(RunBatch({"--from", "edges"}, "3 1-2,2-3\n").out.find(",3,\"1-2,2-3\","),
            std::string::npos);
}

TEST(Batch, JsonLinesAreJsonWithEscapedNamesAndEveryDigit) {
  const std::string names[] = {
      "say \"hi\" \\ there",          "ctl \x01\x1f\x7f", "esc \x1b[31m", "bad \xff\xfe utf-8",
      "ok \xc3\xa9 \xe2\x80\xa8 sep", "tab\there",
  };
  std::string input;
  for (const std::string& name : names)
    input += "2 1-2 " + name + "\n";
  input += "2 9-9 err\"or\n";
  const BatchRun run = RunBatch({"--from", "edges", "--format", "jsonl"}, input);
  EXPECT_EQ(run.status, kSomeRecordsRefused);
  std::istringstream lines(run.out);
  std::vector<testing::Json> rows;
  for (std::string line; std::getline(lines, line);) {
    const auto json = testing::ParseJson(line);
    ASSERT_TRUE(json) << "not JSON: " << line;
    rows.push_back(*json);
  }
  ASSERT_EQ(rows.size(), 7u);
  const std::string decoded[] = {
      "say \"hi\" \\ there",
      "ctl \x01\x1f\x7f",
      "esc \x1b[31m",
      "bad \xef\xbf\xbd\xef\xbf\xbd utf-8",
      "ok \xc3\xa9 \xe2\x80\xa8 sep",
      "tab\there",
  };
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(rows[k]["name"].text, decoded[k]);
    EXPECT_EQ(rows[k].Keys(), kHeader);
    EXPECT_TRUE(rows[k]["error"].IsNull());
    EXPECT_EQ(rows[k]["vertices"].text, "2");
    // The edges as pairs of numbers, not the CSV's text.
    const testing::Json& edges = rows[k]["edges"];
    ASSERT_EQ(edges.kind, testing::Json::Kind::kArray);
    ASSERT_EQ(edges.items.size(), 1u);
    ASSERT_EQ(edges.items[0].items.size(), 2u);
    EXPECT_EQ(edges.items[0].items[0].kind, testing::Json::Kind::kNumber);
    EXPECT_EQ(edges.items[0].items[0].text + "-" + edges.items[0].items[1].text, "1-2");
  }
  EXPECT_NE(run.out.find("ctl \\u0001\\u001f\x7f"), std::string::npos);
  EXPECT_NE(run.out.find("esc \\u001b[31m"), std::string::npos);
  EXPECT_NE(run.out.find("ok \xc3\xa9 \\u2028 sep"), std::string::npos);
  EXPECT_EQ(rows[6]["error"].text,
            "line 7: edge \"9-9\" names vertex 9, but the vertices are numbered 1 to 2");
  EXPECT_TRUE(rows[6]["W"].IsNull());
  EXPECT_TRUE(rows[6]["vertices"].IsNull());
}

// Fibonacci numbers: the path on n vertices has F(n + 1) matchings.
Int128 Fibonacci(int k) {
  Int128 a = 0, b = 1;
  for (int step = 0; step < k; ++step)
    b = a + b, a = b - a;
  return a;
}

TEST(Batch, NumbersPast2To53KeepEveryDigit) {
  const Graph path128 = testing::Path(128);
  const Graph path64 = testing::Path(64);
  const std::string input = EdgeLine(path128, "P128") + EdgeLine(path64, "P64");
  const BatchRun json = RunBatch({"--from", "edges", "--format", "jsonl"}, input);
  const BatchRun csv = RunBatch({"--from", "edges"}, input);
  ASSERT_EQ(json.status, kSuccess) << json.err;
  const auto rows = ReadCsv(csv.out);
  std::istringstream lines(json.out);
  std::string line128, line64;
  std::getline(lines, line128);
  std::getline(lines, line64);
  const auto row128 = testing::ParseJson(line128);
  const auto row64 = testing::ParseJson(line64);
  ASSERT_TRUE(row128 && row64);

  const std::string z128 = ToDecimalString(Fibonacci(129));
  EXPECT_EQ(z128.size(), 27u);
  EXPECT_EQ((*row128)["H"].text, z128);
  EXPECT_EQ(rows[1][24], z128);
  // Taking edges away from a path leaves shorter paths, each with its Fibonacci number of
  // matchings: an EGM element of edge {i, i+1} has F(i + 1) F(129 - i), a PGM element (i, j)
  // with i < j keeps the paths 1..i and j..128 and has F(i + 1) F(130 - j).
  Int128 hiegm = 0, hipgm = 0;
  for (int i = 1; i < 128; ++i) {
    hiegm += Fibonacci(i + 1) * Fibonacci(129 - i);
    for (int j = i + 1; j <= 128; ++j)
      hipgm += Fibonacci(i + 1) * Fibonacci(130 - j);
  }
  EXPECT_EQ((*row128)["HIEGM"].text, ToDecimalString(hiegm));
  EXPECT_EQ((*row128)["HIPGM"].text, ToDecimalString(hipgm));
  EXPECT_EQ(rows[1][kFirstHalfSum + 7], ToDecimalString(hipgm));
  EXPECT_GT(hiegm, Int128{1} << 80);

  // Every half-sum of the 64-vertex path against a second computation.
  testing::ForestReference reference(path64);
  for (int block = 0; block < 16; ++block) {
    Int128 ticks = 0;
    for (int i = 1; i <= 64; ++i) {
      for (int j = 1; j <= 64; ++j) {
        const auto values = reference.Element(i, j, kMatrixTypes[block / 4]);
        const Int128 value[] = {values.wiener * 10000, values.randicTicks, values.zagreb * 10000,
                                values.hosoya * 10000};
        ticks += value[block % 4];
      }
    }
    const std::string expected = HalfOfTicks(ticks);
    EXPECT_EQ((*row64)[kHeader[kFirstHalfSum + block]].text, expected)
        << kHeader[kFirstHalfSum + block];
    EXPECT_EQ(rows[2][kFirstHalfSum + block], expected);
  }
}

TEST(Batch, MatricesInJsonAreTheMatricesCalcPrints) {
  const std::string edges = "1-2,2-3,3-4,2-5,5-6";
  const BatchRun run = RunBatch({"--from", "edges", "--format", "jsonl", "--matrices"},
                                "6 " + edges + " hexane\n3 1-2 broken\n");
  std::istringstream lines(run.out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  const auto json = testing::ParseJson(first);
  ASSERT_TRUE(json) << first;
  const testing::Json& matrices = (*json)["matrices"];
  ASSERT_EQ(matrices.members.size(), 16u);
  for (int block = 0; block < 16; ++block) {
    const std::string& name = kHeader[kFirstHalfSum + block];
    EXPECT_EQ(matrices.members[block].first, name);
    std::ostringstream out, err;
    RunCli({"calc", "--vertices", "6", "--edges", edges, "--type", name.substr(2), "--index",
            name.substr(0, 1)},
           out, err);
    std::istringstream calcLines(out.str());
    const testing::Json& matrix = matrices.members[block].second;
    ASSERT_EQ(matrix.items.size(), 6u);
    for (const testing::Json& row : matrix.items) {
      std::string calcLine;
      std::getline(calcLines, calcLine);
      std::string joined;
      for (const testing::Json& element : row.items)
        joined += (joined.empty() ? " " : ",  ") + element.text;
      EXPECT_EQ(joined, calcLine) << name;
    }
  }
  const auto refused = testing::ParseJson(second);
  ASSERT_TRUE(refused);
  EXPECT_TRUE((*refused)["matrices"].IsNull());
}

TEST(Batch, EmptyInputIsAHeaderOrNothing) {
  for (const std::string input : {"", "\n\n", "# only a comment\n", "  \r\n"}) {
    const BatchRun csv = RunBatch({"--from", "edges"}, input);
    EXPECT_EQ(csv.status, kSuccess);
    EXPECT_EQ(csv.out.find('\n'), csv.out.size() - 1);
    EXPECT_EQ(csv.out.rfind("name,vertices,edges,WIEGM,", 0), 0u);
    const BatchRun json = RunBatch({"--from", "edges", "--format", "jsonl"}, input);
    EXPECT_EQ(json.status, kSuccess);
    EXPECT_EQ(json.out, "");
    EXPECT_EQ(RunBatch({"--from", "edges", "--no-header"}, input).out, "");
  }
}

TEST(Batch, ARecordPast64MebibytesIsRefusedAlone) {
  const std::string input =
      "2 1-2 " + std::string(std::size_t{64} << 20, 'n') + "\n3 1-2,2-3 after\n";
  const BatchRun run = RunBatch({"--from", "edges", "--no-header"}, input);
  EXPECT_EQ(run.status, kSomeRecordsRefused);
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], "");
  EXPECT_EQ(rows[0][25], "line 1: a record of 67108870 bytes, more than the 67108864 one may have");
  EXPECT_EQ(rows[1][0], "after");
  EXPECT_LT(run.out.size(), 1000u);
}

// Numbers never follow the user's locale: a German one would write "1,414" otherwise.
TEST(Batch, NumbersIgnoreTheLocale) {
  const std::string input = "3 1-2,2-3 propane\n5 1-2,2-3,3-4,3-5 isopentane\n";
  const BatchRun plain = RunBatch({"--from", "edges"}, input);
  const BatchRun json = RunBatch({"--from", "edges", "--format", "jsonl", "--matrices"}, input);
  BatchRun german, germanJson;
  {
    const testing::GermanLocale locale;
    if (!locale.Installed()) GTEST_SKIP() << testing::GermanLocale::kMissing;
    german = RunBatch({"--from", "edges"}, input);
    germanJson = RunBatch({"--from", "edges", "--format", "jsonl", "--matrices"}, input);
  }
  EXPECT_EQ(german.out, plain.out);
  EXPECT_EQ(germanJson.out, json.out);
  EXPECT_NE(plain.out.find(",1.414213562373095,"), std::string::npos) << plain.out;
}

class BatchFiles : public testing::TemporaryFolder {};

TEST_F(BatchFiles, UsageProblemsWriteNothing) {
  const std::string trees = Write("trees.txt", "2 1-2\n");
  const std::string unknown = Write("trees.dat", "2 1-2\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "reading standard input needs --from edges, graph6, sparse6, smiles, sdf, csv or tsv"},
      {{trees, "-"}, "reading standard input needs --from"},
      {{unknown}, "cannot tell the format of \"" + unknown + "\" from its name"},
      {{"--from", "mol2", trees},
       "unknown --from \"mol2\": use edges, graph6, sparse6, smiles, sdf, csv or tsv"},
      {{"--format", "xml", trees}, "unknown --format \"xml\": use csv or jsonl"},
      {{"--matrices", trees}, "--matrices needs --format jsonl"},
      {{"--jobs", "0", trees}, "--jobs needs a whole number from 1 to 256, not \"0\""},
      {{"--jobs", "many", trees}, "--jobs needs a whole number"},
      {{"--output", "", trees}, "--output needs a file name"},
      {{"--output", "--jobs", "2", trees}, "--output needs a value"},
      {{trees, (dir_ / "missing.txt").string()},
       "cannot read \"" + (dir_ / "missing.txt").string() + "\": No such file or directory"},
      {{"--from", "edges", dir_.string()}, "it is a directory"},
      {{"-x"}, "unknown option \"-x\""},
  };
  for (const auto& [arguments, problem] : cases) {
    const BatchRun run = RunBatch(arguments, "2 1-2\n");
    EXPECT_EQ(run.status, kBadInput) << problem;
    EXPECT_EQ(run.out, "") << problem;
    EXPECT_EQ(run.err.rfind("korvelant-cli: ", 0), 0u);
    EXPECT_NE(run.err.find(problem), std::string::npos) << run.err;
  }
}

TEST_F(BatchFiles, SeveralInputsInOrderWithTheirFormatsAndPlaces) {
  const std::string edges = Write("a.TXT", "3 1-2,2-3 from-a\n3 1-q\n");
  const std::string graph6 = Write("b.g6", ">>graph6<<Ck\nCs\n");
  const std::string sparse6 = Write("c.s6", ":Cdf\n:Cd\x01\n");
  const BatchRun run = RunBatch({edges, graph6, "-", sparse6}, "");
  EXPECT_EQ(run.status, kBadInput);  // standard input without --from
  const BatchRun ok = RunBatch({edges, graph6, sparse6, "--no-header"}, "");
  EXPECT_EQ(ok.status, kSomeRecordsRefused) << ok.err;
  const auto rows = ReadCsv(ok.out);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0][0], "from-a");
  EXPECT_EQ(rows[1][25],
            edges + ", line 2: malformed edge \"1-q\": write two vertex numbers as in 1-2");
  EXPECT_EQ(rows[2][0], "Ck");
  EXPECT_EQ(rows[3][0], "Cs");
  EXPECT_EQ(rows[4][0], ":Cdf");
  EXPECT_EQ(rows[5][25], sparse6 +
                             ", line 2: byte \"\\x01\" at column 4 is not sparse6 text, which uses "
                             "\"?\" to \"~\" only");
  // The same graph read from graph6 and from sparse6 gives the same row but its name.
  EXPECT_EQ(std::vector(rows[2].begin() + 1, rows[2].end()),
            std::vector(rows[4].begin() + 1, rows[4].end()));
  // With --from, every input is read so, whatever its name says.
  const BatchRun forced = RunBatch({"--from", "edges", graph6}, "");
  EXPECT_EQ(forced.status, kSomeRecordsRefused);
}

TEST_F(BatchFiles, TheOutputFileIsWrittenWholeOrNotAtAll) {
  const std::string input = Write("in.txt", "3 1-2,2-3 propane\n");
  const std::string output = Write("out.csv", "old rows");
  const BatchRun run = RunBatch({input, "--output", output}, "");
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(run.out, "");
  std::ifstream written(output);
  std::stringstream text;
  text << written.rdbuf();
  EXPECT_EQ(text.str(), RunBatch({input, "--output", "-"}, "").out);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);

  const BatchRun missing = RunBatch({input, "--output", (dir_ / "no/out.csv").string()}, "");
  EXPECT_EQ(missing.status, kCannotWrite);
  EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos);
  const BatchRun directory = RunBatch({input, "--output", dir_.string()}, "");
  EXPECT_EQ(directory.status, kCannotWrite);
  EXPECT_NE(directory.err.find("it is a directory"), std::string::npos);
}

}  // namespace
}  // namespace korvelant
