// The batch fed by nauty's generators, as chemists use it, and split across processes by
// GNU parallel. Skipped, with the reason, where the tools are not installed.
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/process_runner.hpp"

namespace korvelant {
namespace {

using testing::CliPath;
using testing::ProcessRun;
using testing::ReadCsv;
using testing::RunProcess;

// The path of a program on PATH, or "" when there is none.
std::string Which(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream directories(path ? path : "/usr/bin:/bin");
  for (std::string directory; std::getline(directories, directory, ':');) {
    const std::string candidate = directory + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

// What a tool writes on standard output; the test fails when it does not run.
std::string ToolOutput(const std::vector<std::string>& arguments, const std::string& input = "") {
  const ProcessRun run = RunProcess(arguments, input);
  EXPECT_EQ(run.exitCode, 0) << arguments[0] << ": " << run.err;
  return run.out;
}

#define REQUIRE_TOOL(variable, name)        \
  const std::string variable = Which(name); \
  if (variable.empty()) GTEST_SKIP() << "needs " name " (Debian: nauty, parallel)"

std::vector<std::vector<std::string>> Rows(const std::string& csv) {
  return ReadCsv(csv);
}

// Everything but the name, which is the record as written.
std::vector<std::string> Values(const std::vector<std::string>& row) {
  return std::vector<std::string>(row.begin() + 1, row.end());
}

TEST(BatchNauty, EveryTreeGentreegWrites) {
  REQUIRE_TOOL(gentreeg, "nauty-gentreeg");
  const std::string trees = ToolOutput({gentreeg, "10"});
  const ProcessRun run = RunProcess({CliPath(), "batch", "--from", "sparse6"}, trees);
  EXPECT_EQ(run.exitCode, kSuccess) << run.err;
  const auto rows = Rows(run.out);
  ASSERT_EQ(rows.size(), 107u);  // a header and the 106 trees of 10 vertices
  std::map<std::string, int> distinct;
  for (std::size_t k = 1; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k][1], "10");
    EXPECT_EQ(rows[k].back(), "");
    ++distinct[rows[k][19] + " " + rows[k][10]];  // W and HIPGM
  }
  EXPECT_GT(distinct.size(), 90u);  // non-isomorphic trees rarely share both

  // Alkane skeletons: trees of degree at most 4.
  const std::string alkanes = ToolOutput({gentreeg, "-D4", "12"});
  const auto alkaneRows = Rows(RunProcess({CliPath(), "batch", "--from", "sparse6"}, alkanes).out);
  EXPECT_EQ(alkaneRows.size(), 356u);  // the 355 alkanes C12H26
}

TEST(BatchNauty, Graph6Sparse6AndEdgesOfTheSameTreesAgree) {
  REQUIRE_TOOL(gentreeg, "nauty-gentreeg");
  REQUIRE_TOOL(copyg, "nauty-copyg");
  const std::string sparse6 = ToolOutput({gentreeg, "9"});
  const std::string graph6 = ToolOutput({copyg, "-g"}, sparse6);
  const auto fromSparse6 =
      Rows(RunProcess({CliPath(), "batch", "--from", "sparse6", "--no-header"}, sparse6).out);
  const auto fromGraph6 =
      Rows(RunProcess({CliPath(), "batch", "--from", "graph6", "--no-header"}, graph6).out);
  std::string edgeLines;
  for (const auto& row : fromSparse6)
    edgeLines += row[1] + " " + row[2] + " " + row[0] + "\n";
  const auto fromEdges =
      Rows(RunProcess({CliPath(), "batch", "--from", "edges", "--no-header"}, edgeLines).out);
  ASSERT_EQ(fromSparse6.size(), 47u);
  ASSERT_EQ(fromGraph6.size(), fromSparse6.size());
  ASSERT_EQ(fromEdges.size(), fromSparse6.size());
  for (std::size_t k = 0; k < fromSparse6.size(); ++k) {
    EXPECT_EQ(Values(fromGraph6[k]), Values(fromSparse6[k])) << fromGraph6[k][0];
    EXPECT_EQ(fromEdges[k], fromSparse6[k]);
  }
}

TEST(BatchNauty, GraphsThatAreNoTreesAreRefusedOneByOne) {
  REQUIRE_TOOL(geng, "nauty-geng");
  const std::string connected = ToolOutput({geng, "-c", "6"});
  const ProcessRun run =
      RunProcess({CliPath(), "batch", "--from", "graph6", "--no-header"}, connected);
  EXPECT_EQ(run.exitCode, kSomeRecordsRefused);
  int trees = 0, cycles = 0;
  for (const auto& row : Rows(run.out)) {
    if (row.back().empty()) ++trees;
    if (row.back().starts_with("not a tree: ") && row.back().find(" cycle") != std::string::npos)
      ++cycles;
  }
  EXPECT_EQ(trees, 6);  // of the 112 connected graphs on 6 vertices
  EXPECT_EQ(cycles, 106);
}

TEST(BatchNauty, ASplitRunUnderGnuParallelGivesTheSameRows) {
  REQUIRE_TOOL(gentreeg, "nauty-gentreeg");
  REQUIRE_TOOL(parallel, "parallel");
  const std::string trees = ToolOutput({gentreeg, "12"});
  const std::string whole =
      ToolOutput({CliPath(), "batch", "--from", "sparse6", "--no-header"}, trees);
  const std::string split =
      ToolOutput({parallel, "--will-cite", "--pipe", "--keep-order", "-N", "50", CliPath(), "batch",
                  "--from", "sparse6", "--no-header"},
                 trees);
  EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 551);
  EXPECT_TRUE(split == whole) << "the split run differs";
}

}  // namespace
}  // namespace korvelant
