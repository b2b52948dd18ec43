// batch --columns: the named columns alone, in their order, with the values of a full run;
// and the JSON text of the matrices, read back by a JSON library, against the
// forest-by-forest evaluator's values written by the test's own digits.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/json_reader.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"
#include "model/matrix_kind.hpp"
#include "model/wide_integer.hpp"
#include "support/fibonacci.hpp"
#include "support/forest_by_forest.hpp"
#include "support/tree_generators.hpp"

namespace korvelant {
namespace {

using testing::BatchRun;
using testing::EdgeLine;
using testing::ReadCsv;
using testing::RunBatch;

std::string Named(std::string prefix, std::size_t k) {
  return prefix.append(std::to_string(k));
}

// Edge lines of random trees of several sizes, each named, and one record that is no tree.
std::string MixedInput() {
  std::string input;
  std::size_t k = 0;
  for (const int n : {2, 5, 9, 14, 20}) {
    for (const Graph& tree : testing::RandomTrees(n, 6, 900u + static_cast<unsigned>(n)))
      input += EdgeLine(tree, Named("t", k++));
  }
  input += "4 1-2,2-3,3-1 ring\n";
  return input;
}

// Each CSV record as a map from the header's names to its fields.
std::vector<std::map<std::string, std::string>> CsvByName(const std::string& text) {
  const auto records = ReadCsv(text);
  std::vector<std::map<std::string, std::string>> rows;
  for (std::size_t r = 1; r < records.size(); ++r) {
    std::map<std::string, std::string> row;
    for (std::size_t c = 0; c < records[r].size(); ++c)
      row[records[0].at(c)] = records[r][c];
    rows.push_back(row);
  }
  return rows;
}

TEST(BatchColumns, CsvHasTheNamedColumnsInTheirOrderWithTheFullRunsValues) {
  const std::string input = MixedInput();
  const BatchRun full = RunBatch({"--from", "edges"}, input);
  ASSERT_EQ(full.status, 1) << full.err;  // the ring is refused
  const auto expected = CsvByName(full.out);

  // Half-sums alone, indices alone, a mix across groups in an order of its own.
  for (const std::vector<std::string>& chosen : std::vector<std::vector<std::string>>{
           {"HIPGM", "name", "WIPGM"},
           {"chi", "W", "H", "M2", "WW", "M1"},
           {"error", "edges", "ZIDVGM", "vertices", "RIEGM", "H", "name", "HISVGM"}}) {
    std::string list;
    for (const std::string& name : chosen)
      list += (list.empty() ? "" : ",") + name;
    for (const char* jobs : {"1", "3"}) {
      const BatchRun run = RunBatch({"--from", "edges", "--columns", list, "--jobs", jobs}, input);
      ASSERT_EQ(run.status, 1) << list << "\n" << run.err;
      const auto records = ReadCsv(run.out);
      ASSERT_EQ(records.size(), expected.size() + 1) << list;
      EXPECT_EQ(records[0], chosen);
      for (std::size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(records[r + 1].size(), chosen.size()) << list << " row " << r;
        for (std::size_t c = 0; c < chosen.size(); ++c)
          EXPECT_EQ(records[r + 1][c], expected[r].at(chosen[c])) << chosen[c] << " row " << r;
      }
    }
  }
}

TEST(BatchColumns, JsonHasExactlyTheNamedKeysWithTheFullRunsValues) {
  const std::string input = MixedInput();
  const BatchRun full = RunBatch({"--from", "edges", "--format", "jsonl"}, input);
  const BatchRun some = RunBatch(
      {"--from", "edges", "--format", "jsonl", "--columns", "WIDVGM,name,edges,chi,error"}, input);
  ASSERT_EQ(some.status, 1) << some.err;
  std::istringstream fullLines(full.out), someLines(some.out);
  std::string fullLine, someLine;
  int rows = 0;
  while (std::getline(someLines, someLine)) {
    ASSERT_TRUE(std::getline(fullLines, fullLine));
    const auto whole = testing::ParseJson(fullLine);
    const auto part = testing::ParseJson(someLine);
    ASSERT_TRUE(whole && part) << someLine;
    const std::vector<std::string> keys = part->Keys();
    EXPECT_EQ(keys, (std::vector<std::string>{"WIDVGM", "name", "edges", "chi", "error"}));
    for (const std::string& key : keys)
      EXPECT_TRUE((*part)[key] == (*whole)[key]) << key << " in " << someLine;
    ++rows;
  }
  EXPECT_EQ(rows, 31);
  EXPECT_FALSE(std::getline(fullLines, fullLine));
}

TEST(BatchColumns, ATablesCarriedColumnCanBeNamedAndPlaced) {
  const std::string table =
      "name,smiles,bp\n"
      "butane,CCCC,-0.5\n"
      "\"2,3-dimethylbutane\",CC(C)C(C)C,58\n"
      "cyclopropane,C1CC1,-33\n";
  const BatchRun full = RunBatch({"--from", "csv"}, table);
  const auto expected = CsvByName(full.out);
  const BatchRun run = RunBatch({"--from", "csv", "--columns", "bp,name,H,smiles"}, table);
  ASSERT_EQ(run.status, 1) << run.err;  // cyclopropane is no tree
  const auto records = ReadCsv(run.out);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], (std::vector<std::string>{"bp", "name", "H", "smiles"}));
  EXPECT_EQ(records[1][0], "-0.5");
  EXPECT_EQ(records[1][1], "butane");
  for (std::size_t r = 1; r < records.size(); ++r) {
    EXPECT_EQ(records[r],
              (std::vector<std::string>{expected[r - 1].at("bp"), expected[r - 1].at("name"),
                                        expected[r - 1].at("H"), expected[r - 1].at("smiles")}));
  }
  EXPECT_EQ(records[3][0], "-33");  // a refused row keeps what it carries
  EXPECT_EQ(records[3][2], "");

  const BatchRun json =
      RunBatch({"--from", "csv", "--format", "jsonl", "--columns", "bp,error"}, table);
  std::istringstream lines(json.out);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, R"({"bp":"-0.5","error":null})");
}

TEST(BatchColumns, ProblemsWithTheListExitTwoAndWriteNothing) {
  const std::string input = "3 1-2,2-3 propane\n";
  {
    const BatchRun run = RunBatch({"--from", "edges", "--columns", "name,WIPM"}, input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("\"WIPM\""), std::string::npos) << run.err;
    // The message lists the columns there are, so the user can pick the right one.
    for (const char* known : {"name, vertices, edges, WIEGM", "WIPGM", "HIDVGM", "chi, H, error"})
      EXPECT_NE(run.err.find(known), std::string::npos) << known << " in " << run.err;
    EXPECT_EQ(run.err.find("smiles"), std::string::npos) << "edges have no smiles column";
  }
  for (const char* list : {"name,,W", "", "name,", "W,name,W"}) {
    const BatchRun run = RunBatch({"--from", "edges", "--columns", list}, input);
    EXPECT_EQ(run.status, 2) << list;
    EXPECT_EQ(run.out, "") << list;
    EXPECT_NE(run.err.find("--columns"), std::string::npos) << list << ": " << run.err;
  }
  // A column only a table has, asked of a table without it: known once the header is read.
  const BatchRun table =
      RunBatch({"--from", "csv", "--columns", "name,bp"}, "smiles,name\nCCC,propane\n");
  EXPECT_EQ(table.status, 2);
  EXPECT_EQ(table.out, "");
  EXPECT_NE(table.err.find("\"bp\""), std::string::npos) << table.err;
  EXPECT_NE(table.err.find("smiles, vertices"), std::string::npos) << table.err;
  // "matrices" is a column only with --matrices.
  EXPECT_EQ(
      RunBatch({"--from", "edges", "--format", "jsonl", "--columns", "matrices"}, input).status, 2);
}

// The matrices with --columns: where "matrices" is named, else last.
TEST(BatchColumns, MatricesGoWhereNamedElseLast) {
  const std::string input = "3 1-2,2-3 propane\n";
  const auto keysOf = [&](const std::string& list) {
    const BatchRun run =
        RunBatch({"--from", "edges", "--format", "jsonl", "--matrices", "--columns", list}, input);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto row = testing::ParseJson(run.out);
    EXPECT_TRUE(row) << run.out;
    return row ? row->Keys() : std::vector<std::string>{};
  };
  EXPECT_EQ(keysOf("name,H"), (std::vector<std::string>{"name", "H", "matrices"}));
  EXPECT_EQ(keysOf("matrices,name"), (std::vector<std::string>{"matrices", "name"}));
}

// A matrix element's text from its ticks by the test's own digits: the whole part, then up
// to four decimals without trailing zeros.
std::string ElementText(Int128 ticks) {
  std::string text = ToDecimalString(ticks / 10000);
  std::string fraction = ToDecimalString(ticks % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  return fraction.empty() ? text : text + "." + fraction;
}

// Every number of a JSON value as written, in document order.
void CollectNumbers(const testing::Json& value, std::vector<std::string>& numbers) {
  if (value.kind == testing::Json::Kind::kNumber) numbers.push_back(value.text);
  for (const testing::Json& item : value.items)
    CollectNumbers(item, numbers);
  for (const auto& member : value.members)
    CollectNumbers(member.second, numbers);
}

TEST(BatchColumns, JsonMatricesOfManyTreesAreTheForestByForestValues) {
  std::vector<Graph> trees;
  for (const int n : {1, 2, 3, 4, 7, 8, 12, 20, 33})
    for (Graph& tree : testing::RandomTrees(n, 30, 4100u + static_cast<unsigned>(n)))
      trees.push_back(std::move(tree));
  trees.push_back(testing::Path(128));  // Hosoya numbers past 64 bits
  // The longest number 16 and 17 characters: the row copies them 16 or 48 at a time.
  for (const int n : {78, 79, 80})
    trees.push_back(testing::Path(n));
  trees.push_back(testing::Star(128));
  trees.push_back(testing::Caterpillar(30, 3));
  for (Graph& tree : testing::RandomTrees(100, 4, 77u))
    trees.push_back(std::move(tree));
  std::string input;
  for (std::size_t k = 0; k < trees.size(); ++k)
    input += EdgeLine(trees[k], Named("t", k));
  const BatchRun run = RunBatch(
      {"--from", "edges", "--format", "jsonl", "--matrices", "--columns", "matrices"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string line;
  std::size_t k = 0;
  for (; std::getline(lines, line); ++k) {
    ASSERT_LT(k, trees.size());
    const auto row = testing::ParseJson(line);
    ASSERT_TRUE(row) << "tree " << k;
    std::vector<std::string> numbers;
    CollectNumbers(*row, numbers);
    const GraphicalMatrices reference = testing::ComputeForestByForest(*RootTree(trees[k]));
    const int n = trees[k].vertexCount;
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(16 * n * n)) << "tree " << k;
    std::size_t at = 0;
    for (const MatrixType type : kMatrixTypes) {
      for (const TopologicalIndex index : kTopologicalIndices) {
        const MatrixView matrix = reference.Of(type, index);
        for (int i = 1; i <= n; ++i) {
          for (int j = 1; j <= n; ++j, ++at) {
            ASSERT_EQ(numbers[at], ElementText(matrix(i, j).ticks()))
                << "tree " << k << " (" << i << ", " << j << ")";
          }
        }
      }
    }
  }
  EXPECT_EQ(k, trees.size());
}

// Past 128 vertices the engine counts matchings with GMP, and past about 160 they pass 128
// bits: the JSON matrices of paths of 130 and 200 vertices hold every element of all sixteen
// blocks, and the Hosoya elements in closed form. PGM (i, j) keeps the paths 1..i and j..n,
// DVGM 1..i-1, i+1..j-1 and j+1..n.
TEST(BatchColumns, JsonMatricesOfLargePathsHoldTheirHosoyaNumbers) {
  std::string input;
  for (const int n : {130, 200})
    input += EdgeLine(testing::Path(n), Named("path", static_cast<std::size_t>(n)));
  const BatchRun run = RunBatch(
      {"--from", "edges", "--format", "jsonl", "--matrices", "--columns", "matrices"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  for (const int n : {130, 200}) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    const auto row = testing::ParseJson(line);
    ASSERT_TRUE(row);
    const auto& pgm = (*row)["matrices"]["HIPGM"].items;
    const auto& dvgm = (*row)["matrices"]["HIDVGM"].items;
    ASSERT_EQ(pgm.size(), static_cast<std::size_t>(n));
    // Every block as the engine has it, each number's text made by the test.
    const GraphicalMatrices matrices = ComputeGraphicalMatrices(*RootTree(testing::Path(n)));
    for (int block = 0; block < 16; ++block) {
      const auto& rows = (*row)["matrices"][BlockName(block)].items;
      const MatrixView matrix = matrices.Of(BlockType(block), BlockIndex(block));
      ASSERT_EQ(rows.size(), static_cast<std::size_t>(n)) << BlockName(block);
      for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
          const ExactDecimal value = matrix(i, j);
          const std::string text = value.IsWide()
                                       ? mpz_class(value.Ticks().Wide() / 10000).get_str()
                                       : ElementText(value.ticks());
          ASSERT_EQ(rows[i - 1].items[j - 1].text, text)
              << n << " vertices, " << BlockName(block) << " (" << i << ", " << j << ")";
        }
      }
    }
    // The Hosoya elements of PGM and DVGM in closed form too.
    const std::vector<mpz_class> f = testing::Fibonacci(n + 2);
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        ASSERT_EQ(pgm[i - 1].items[j - 1].text, mpz_class(f[i + 1] * f[n - j + 2]).get_str())
            << n << " vertices, PGM (" << i << ", " << j << ")";
        ASSERT_EQ(dvgm[j - 1].items[i - 1].text,
                  mpz_class(f[i] * f[j - i] * f[n - j + 1]).get_str())
            << n << " vertices, DVGM (" << j << ", " << i << ")";
      }
    }
  }
}

}  // namespace
}  // namespace korvelant
