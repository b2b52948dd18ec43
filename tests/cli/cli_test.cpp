#include "cli/cli_app.hpp"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/slow_reference.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunTool(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(arguments, out, err);
  return {status, out.str(), err.str()};
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "korvelant-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST(Cli, CalcPrintsTheMatrixAndTheHalfSum) {
  const CliRun run = RunTool(
      {"calc", "--vertices", "4", "--edges", "1-2,2-3,3-4", "--type", "EGM", "--index", "R"});
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(run.out,
            " 0,  1.4142,  0,  0\n"
            " 1.4142,  0,  2,  0\n"
            " 0,  2,  0,  1.4142\n"
            " 0,  0,  1.4142,  0\n"
            "Half-sum of matrix elements is:  4.8284\n");
  EXPECT_EQ(run.err, "");
}

TEST(Cli, FileToStandardOutputIsTheMatrixFile) {
  const CliRun run = RunTool({"file", "--vertices", "8", "--edges", "1-2,2-3,3-4,4-5,5-6,2-7,3-8"});
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(run.out, testing::ReferenceFileText(
                         {8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}}));
}

TEST(Cli, NoEdgesAndTheHelp) {
  const CliRun single =
      RunTool({"calc", "--vertices", "1", "--edges", "", "--type", "PGM", "--index", "H"});
  EXPECT_EQ(single.status, kSuccess);
  EXPECT_EQ(single.out, " 0\nHalf-sum of matrix elements is:  0\n");

  const CliRun help = RunTool({"--help"});
  EXPECT_EQ(help.status, kSuccess);
  EXPECT_NE(help.out.find("korvelant-cli file --vertices N"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
}

TEST_F(CliFiles, BadInputNamesTheProblemAndTouchesNoFile) {
  const std::string out = PathOf("out.txt");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"file", "--vertices", "9", "--edges", "", "--output", out}, "0 to 8"},
      {{"file", "--vertices", "-1", "--edges", "", "--output", out}, "0 to 8"},
      {{"file", "--vertices", "x", "--edges", "", "--output", out}, "whole number"},
      {{"file", "--vertices", "3", "--edges", "1-4", "--output", out}, "vertex 4"},
      {{"file", "--vertices", "3", "--edges", "0-1", "--output", out}, "vertex 0"},
      {{"file", "--vertices", "3", "--edges", "2-2", "--output", out}, "to itself"},
      {{"file", "--vertices", "3", "--edges", "1-2,2-1", "--output", out}, "twice"},
      {{"file", "--vertices", "3", "--edges", "1-2,", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1:2", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1-2-3", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--colour", "red"}, "unknown option"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--output"}, "needs a value"},
      {{"file", "--vertices", "3", "--output", out}, "--edges is missing"},
      {{"calc", "--vertices", "2", "--edges", "1-2", "--type", "XGM", "--index", "W"},
       "unknown matrix type"},
      {{"calc", "--vertices", "2", "--edges", "1-2", "--type", "EGM", "--index", "Q"},
       "unknown index"},
      {{"draw"}, "unknown command"},
      {{}, "no command"},
  };
  for (const auto& [arguments, problem] : cases) {
    const CliRun run = RunTool(arguments);
    EXPECT_EQ(run.status, kBadInput) << problem;
    EXPECT_NE(run.err.find(problem), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliFiles, NotATreeLeavesTheFileAlone) {
  const std::string out = PathOf("Text1");
  std::ofstream(out) << "keep me";
  for (const auto& [vertices, edges] : std::vector<std::pair<std::string, std::string>>{
           {"0", ""}, {"3", "1-2,2-3,1-3"}, {"4", "1-2,3-4"}}) {
    const CliRun run = RunTool({"file", "--vertices", vertices, "--edges", edges, "--output", out});
    EXPECT_EQ(run.status, kNotATree);
    EXPECT_EQ(run.err, "Graph is not a tree and this program works only with trees\n");
  }
  EXPECT_EQ(Read(out), "keep me");
  const CliRun calc =
      RunTool({"calc", "--vertices", "2", "--edges", "", "--type", "EGM", "--index", "W"});
  EXPECT_EQ(calc.status, kNotATree);
  EXPECT_EQ(calc.out, "");
}

TEST_F(CliFiles, WritesTheFileAndKeepsTheOldOneWhenWritingFails) {
  const std::string out = PathOf("matrices.txt");
  const CliRun written =
      RunTool({"file", "--vertices", "3", "--edges", "1-2,2-3", "--output", out});
  EXPECT_EQ(written.status, kSuccess);
  EXPECT_EQ(Read(out), RunTool({"file", "--vertices", "3", "--edges", "1-2,2-3"}).out);

  const std::string missing = PathOf("missing/matrices.txt");
  const CliRun failed =
      RunTool({"file", "--vertices", "3", "--edges", "1-2,2-3", "--output", missing});
  EXPECT_EQ(failed.status, kCannotWrite);
  EXPECT_NE(failed.err.find(missing), std::string::npos);
  EXPECT_NE(failed.err.find("No such file or directory"), std::string::npos);
}

// The real program under a file-size limit, as a full disk looks to it.
TEST_F(CliFiles, AFullDiskIsReportedByTheProgramNotFatal) {
  const std::string out = PathOf("Text1");
  std::ofstream(out) << "old contents";
  const std::string command = "ulimit -f 1; exec '" KORVELANT_CLI_PATH
                              "' file --vertices 8 --edges 1-2,1-3,1-4,1-5,1-6,1-7,1-8 --output '" +
                              out + "' 2>'" + PathOf("err") + "'";
  const int status = std::system(("sh -c \"" + command + "\"").c_str());
  ASSERT_TRUE(WIFEXITED(status)) << "killed by a signal";
  EXPECT_EQ(WEXITSTATUS(status), kCannotWrite);
  EXPECT_NE(Read(PathOf("err")).find("File too large"), std::string::npos) << Read(PathOf("err"));
  EXPECT_EQ(Read(out), "old contents");
}

}  // namespace
}  // namespace korvelant
