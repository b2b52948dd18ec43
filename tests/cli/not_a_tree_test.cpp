// Why edges that are no tree are refused, the same words by every way in.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/command_line.hpp"
#include "cli/json_reader.hpp"

namespace korvelant::testing {
namespace {

struct Refusal {
  const char* vertices;
  const char* edges;
  const char* reason;
};

constexpr Refusal kRefusals[] = {
    {"4", "1-2,2-3,3-4,4-2", "1 cycle: 2-3-4-2"},
    {"4", "1-2,3-4", "2 components"},
    {"5", "1-2,2-3,3-4", "vertex 5 has no edge"},
};

TEST(NotATree, EveryCommandSaysWhyInTheSameWords) {
  std::vector<std::vector<std::string>> commands = {{"file"},
                                                    {"calc", "--type", "PGM", "--index", "W"}};
  if (CanDraw()) commands.push_back({"draw", "--type", "EGM", "--output", "never.svg"});
  for (const Refusal& refusal : kRefusals) {
    for (std::vector<std::string> command : commands) {
      command.insert(command.end(), {"--vertices", refusal.vertices, "--edges", refusal.edges});
      std::ostringstream out;
      std::ostringstream err;
      EXPECT_EQ(RunCli(command, out, err), kNotATree) << command[0];
      EXPECT_EQ(err.str(),
                "korvelant-cli: Graph is not a tree and this program works only with trees\n"
                "korvelant-cli: " +
                    std::string(refusal.reason) + "\n")
          << command[0];
      EXPECT_EQ(out.str(), "");
    }
  }
  // A molecule keeps a chemist's words.
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCli({"calc", "--smiles", "CC.C1CC1", "--type", "EGM", "--index", "W"}, out, err),
            kNotATree);
  EXPECT_TRUE(err.str().ends_with("korvelant-cli: 1 ring, 2 fragments\n")) << err.str();
}

TEST(NotATree, BatchRowsSayWhyInCsvAndJson) {
  std::string lines;
  for (const Refusal& refusal : kRefusals)
    lines += std::string(refusal.vertices) + " " + refusal.edges + "\n";
  const BatchRun csv = RunBatch({"--from", "edges"}, lines);
  EXPECT_EQ(csv.status, kSomeRecordsRefused);
  const auto rows = ReadCsv(csv.out);
  ASSERT_EQ(rows.size(), 4u);
  const BatchRun json = RunBatch({"--from", "edges", "--format", "jsonl"}, lines);
  std::istringstream jsonLines(json.out);
  for (const Refusal& refusal : kRefusals) {
    const std::size_t k = static_cast<std::size_t>(&refusal - kRefusals) + 1;
    EXPECT_EQ(rows[k].back(), "not a tree: " + std::string(refusal.reason));
    std::string line;
    std::getline(jsonLines, line);
    const auto row = ParseJson(line);
    ASSERT_TRUE(row.has_value()) << line;
    EXPECT_EQ((*row)["error"].text, "not a tree: " + std::string(refusal.reason));
  }
}

}  // namespace
}  // namespace korvelant::testing
