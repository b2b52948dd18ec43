#include "cli/cli_app.hpp"
#include "cli/command_line.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "cli/process_runner.hpp"
#include "model/graph.hpp"
#include "support/slow_reference.hpp"
#include "support/temporary_folder.hpp"

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

class CliFiles : public testing::TemporaryFolder {};

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
  const testing::EdgeListTree tree{8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}};
  const std::string expected = testing::ReferenceFileText(tree);
  const std::string edges = "1-2,2-3,3-4,4-5,5-6,2-7,3-8";
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"file", "--vertices", "8", "--edges", edges},
           {"file", "--vertices=8", "--edges=" + edges, "--output=-"},
           {"file", "--output", "-", "--edges", edges, "--vertices", "8"}}) {
    const CliRun run = RunTool(arguments);
    EXPECT_EQ(run.status, kSuccess) << run.err;
    EXPECT_EQ(run.out, expected);
  }
}

TEST(Cli, TreesUpTo128Vertices) {
  // An EGM element of the path takes its edge away, leaving paths of k and 128 - k vertices,
  // of Wiener index (k^3 - k) / 6 each: the half-sum is the sum of both over the 127 edges.
  const std::string path = EdgeListText(Graph{128, [] {
                                                std::vector<Edge> edges;
                                                for (int v = 1; v < 128; ++v)
                                                  edges.emplace_back(v, v + 1);
                                                return edges;
                                              }()});
  const CliRun run =
      RunTool({"calc", "--vertices", "128", "--edges", path, "--type", "EGM", "--index", "W"});
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 129);
  const auto pathWiener = [](long k) { return (k * k * k - k) / 6; };
  long halfSum = 0;
  for (long k = 1; k < 128; ++k)
    halfSum += pathWiener(k) + pathWiener(128 - k);
  EXPECT_TRUE(
      run.out.ends_with("Half-sum of matrix elements is:  " + std::to_string(halfSum) + "\n"))
      << run.out.substr(run.out.size() - 60);
  EXPECT_EQ(run.out.substr(0, 15), " 0,  " + std::to_string(pathWiener(127)) + ",  0");

  const CliRun large =
      RunTool({"calc", "--vertices", "1001", "--edges", "", "--type", "EGM", "--index", "W"});
  EXPECT_EQ(large.status, kBadInput);
  EXPECT_EQ(large.err,
            "korvelant-cli: Korvelant computes matrices of trees of up to 1,000 vertices; this "
            "one has 1001.\n");
}

TEST(Cli, ADashForEdgesMeansNone) {
  for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
           {"file"}, {"calc", "--type", "DVGM", "--index", "Z"}}) {
    std::vector<std::string> dash = command, empty = command;
    dash.insert(dash.end(), {"--vertices", "1", "--edges", "-"});
    empty.insert(empty.end(), {"--vertices", "1", "--edges", ""});
    const CliRun byDash = RunTool(dash);
    EXPECT_EQ(byDash.status, kSuccess) << byDash.err;
    EXPECT_EQ(byDash.out, RunTool(empty).out);
    dash[dash.size() - 3] = "3";
    EXPECT_TRUE(RunTool(dash).err.ends_with("korvelant-cli: 3 components\n")) << command[0];
  }
  if (CanDraw()) {
    const CliRun draw = RunTool(
        {"draw", "--vertices", "2", "--edges", "-", "--type", "EGM", "--output", "never.svg"});
    EXPECT_EQ(draw.status, kNotATree);
    EXPECT_TRUE(draw.err.ends_with("korvelant-cli: vertex 1 has no edge\n")) << draw.err;
  }
}

TEST(Cli, TypesAndIndicesInAnyLetterCase) {
  const auto calc = [](const std::string& type, const std::string& index) {
    return RunTool({"calc", "--vertices", "5", "--edges", "1-2,2-3,2-4,4-5", "--type", type,
                    "--index", index});
  };
  const CliRun expected = calc("SVGM", "H");
  ASSERT_EQ(expected.status, kSuccess);
  for (const auto& [type, index] : std::vector<std::pair<std::string, std::string>>{
           {"svgm", "h"}, {"Svgm", "hosoya"}, {"sVGm", "HOSOYA"}}) {
    EXPECT_EQ(calc(type, index).out, expected.out) << type << " " << index;
  }
  EXPECT_NE(calc("SVGM", "W").out, expected.out);  // the index is really read
  EXPECT_NE(calc("DVGM", "H").out, expected.out);  // and the type
}

TEST(Cli, VersionAndHelpOfEachCommand) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"--version"}, {"file", "--version"}, {"batch", "--jobs", "2", "--version"}}) {
    const CliRun run = RunTool(arguments);
    EXPECT_EQ(run.status, kSuccess);
    // "korvelant-cli 0.1": digits and points (std::regex warns under the sanitizers).
    const std::string prefix = "korvelant-cli ";
    ASSERT_TRUE(run.out.starts_with(prefix) && run.out.ends_with("\n")) << run.out;
    const std::string version = run.out.substr(prefix.size(), run.out.size() - prefix.size() - 1);
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(version.front())) &&
                version.find('.') != std::string::npos)
        << version;
  }
  const CliRun overview = RunTool({"--help"});
  EXPECT_EQ(overview.status, kSuccess);
  EXPECT_NE(overview.out.find("korvelant-cli file (--vertices N --edges EDGES | --smiles SMILES)"),
            std::string::npos);
  EXPECT_NE(overview.out.find("Exit status"), std::string::npos);
  for (const std::string command : {"file", "calc", "batch"}) {
    const std::string usage = "Usage: korvelant-cli " + command;
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {command, "--help"}, {"help", command}, {command, "--vertices", "3", "-h"}}) {
      const CliRun run = RunTool(arguments);
      EXPECT_EQ(run.status, kSuccess);
      EXPECT_EQ(run.out.rfind(usage, 0), 0u) << run.out.substr(0, 80);
      EXPECT_NE(run.out.find("numbered"), std::string::npos);
    }
  }
  const CliRun single =
      RunTool({"calc", "--vertices", "1", "--edges", "", "--type", "PGM", "--index", "H"});
  EXPECT_EQ(single.status, kSuccess);
  EXPECT_EQ(single.out, " 0\nHalf-sum of matrix elements is:  0\n");
}

// The help of each command lists exactly the options the command takes: every option it
// names is taken (with a value where it shows one), and no option is taken unseen.
TEST(Cli, EachCommandsHelpListsTheOptionsItTakes) {
  for (const std::string command : {"file", "calc", "batch"}) {
    std::istringstream help(RunTool({command, "--help"}).out);
    std::vector<std::string> listed;
    for (std::string line; std::getline(help, line);) {
      if (!line.starts_with("  --")) continue;
      const std::string option = line.substr(2, line.find(' ', 2) - 2);
      // A value is named in capitals ("--jobs N"); a description starts in lower case.
      std::istringstream words(line.substr(2 + option.size()));
      std::string next;
      words >> next;
      const bool takesValue = !next.empty() && std::all_of(next.begin(), next.end(), [](char c) {
        return std::isupper(static_cast<unsigned char>(c));
      });
      listed.push_back(option);
      std::vector<std::string> arguments{command, takesValue ? option + "=x" : option};
      const CliRun run = RunTool(arguments);
      EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << command << " " << option;
      EXPECT_EQ(run.err.find("takes no value"), std::string::npos) << command << " " << option;
    }
    EXPECT_GE(listed.size(), 4u) << command;
    for (const std::string unlisted : {"--vertex", "--type", "--format", "--jobs", "--matrices"}) {
      if (std::find(listed.begin(), listed.end(), unlisted) != listed.end()) continue;
      EXPECT_NE(RunTool({command, unlisted + "=x"}).err.find("unknown option"), std::string::npos)
          << command << " takes " << unlisted << " but its help does not name it";
    }
  }
}

TEST_F(CliFiles, BadInputNamesTheProblemAndTouchesNoFile) {
  const std::string out = PathOf("out.txt");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"file", "--vertices", "1001", "--edges", "", "--output", out}, "up to 1,000 vertices"},
      {{"file", "--vertices", "-1", "--edges", "", "--output", out}, "whole number"},
      {{"file", "--vertices", "x", "--edges", "", "--output", out}, "whole number"},
      {{"file", "--vertices", "3", "--edges", "1-4", "--output", out}, "vertex 4"},
      {{"file", "--vertices", "3", "--edges", "0-1", "--output", out}, "vertex 0"},
      {{"file", "--vertices", "3", "--edges", "2-2", "--output", out}, "to itself"},
      {{"file", "--vertices", "3", "--edges", "1-2,2-1", "--output", out}, "twice"},
      {{"file", "--vertices", "3", "--edges", "1-2,", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1:2", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1-2-3", "--output", out}, "malformed"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--colour", "red"}, "unknown option"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--output"}, "--output needs a value"},
      {{"file", "--output", "--vertices", "3", "--edges", "1-2"}, "--output needs a value"},
      {{"file", "--vertices", "--edges", "1-2", "--output", out}, "--vertices needs a value"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--output", ""}, "--output needs a file name"},
      {{"file", "--vertices", "3", "--edges", "1-2", "--output="}, "--output needs a file name"},
      {{"file", "--vertices", "3", "--vertices=3", "--edges", "1-2"}, "--vertices is given twice"},
      {{"file", "--vertices", "3", "--output", out}, "--edges is missing"},
      {{"file", "--vertices", "3", "--edges", "1-2", "extra"}, "unexpected argument \"extra\""},
      {{"calc", "--vertices", "2", "--edges", "1-2", "--type", "XGM", "--index", "W"},
       "unknown matrix type \"XGM\""},
      {{"calc", "--vertices", "2", "--edges", "1-2", "--type", "EGM", "--index", "Q"},
       "unknown index \"Q\""},
      {{"calc", "--vertices", "2", "--edges", "1-2", "--type", "--help", "--index", "W"},
       "unknown matrix type \"--help\""},
      {{"batch", "--matrices=yes", "x.txt"}, "--matrices takes no value"},
      {{"paint"}, "unknown command \"paint\": use file, calc, batch or draw"},
      {{}, "no command"},
  };
  for (const auto& [arguments, problem] : cases) {
    const CliRun run = RunTool(arguments);
    EXPECT_EQ(run.status, kBadInput) << problem;
    EXPECT_EQ(run.err.rfind("korvelant-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(problem), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST(Cli, MessagesShowEchoedValuesSafely) {
  const CliRun escape = RunTool({"calc", "--vertices", "2", "--edges", "1-2", "--type",
                                 "\x1b]0;owned\x07\n", "--index", "W"});
  EXPECT_EQ(escape.status, kBadInput);
  EXPECT_EQ(escape.err,
            "korvelant-cli: unknown matrix type \"\\x1b]0;owned\\x07\\n\": use EGM, PGM, SVGM or "
            "DVGM\n");
  const CliRun long_value = RunTool({"draw" + std::string(12345, 'x')});
  EXPECT_NE(long_value.err.find("\"draw" + std::string(60, 'x') + "\xE2\x80\xA6\" (12349 bytes)"),
            std::string::npos)
      << long_value.err;
  EXPECT_LT(long_value.err.size(), 200u);
  const CliRun option = RunTool({"batch", std::string("--\xff\x1b")});
  EXPECT_NE(option.err.find("unknown option \"--\\xff\\x1b\""), std::string::npos) << option.err;
}

TEST_F(CliFiles, TheOutputOptionsValueIsAFileNameWhateverItLooksLike) {
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  const CliRun run = RunTool({"file", "--vertices", "2", "--edges", "1-2", "--output", "--help"});
  fs::current_path(before);
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Read("--help"), RunTool({"file", "--vertices", "2", "--edges", "1-2"}).out);
  EXPECT_FALSE(fs::exists(dir_ / "help"));
}

TEST_F(CliFiles, NotATreeLeavesTheFileAlone) {
  const std::string out = PathOf("Text1");
  std::ofstream(out) << "keep me";
  for (const auto& [vertices, edges, reason] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"0", "", "no vertices"},
           {"3", "1-2,2-3,1-3", "1 cycle: 1-2-3-1"},
           {"4", "1-2,3-4", "2 components"}}) {
    const CliRun run = RunTool({"file", "--vertices", vertices, "--edges", edges, "--output", out});
    EXPECT_EQ(run.status, kNotATree);
    EXPECT_EQ(run.err,
              "korvelant-cli: Graph is not a tree and this program works only with trees\n"
              "korvelant-cli: " +
                  reason + "\n");
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

TEST(Cli, OutputThatCannotBeWrittenExits3) {
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  std::ostringstream err;
  EXPECT_EQ(RunCli({"--help"}, broken, err), kCannotWrite);
  EXPECT_EQ(err.str(), "korvelant-cli: cannot write to standard output\n");
  std::ostringstream err2;
  EXPECT_EQ(RunCli({"calc", "--vertices", "2", "--edges", "1-2", "--type", "EGM", "--index", "W"},
                   broken, err2),
            kCannotWrite);
}

// The real program under a file-size limit, as a full disk looks to it.
TEST_F(CliFiles, AFullDiskIsReportedByTheProgramNotFatal) {
  const std::string out = PathOf("Text1");
  std::ofstream(out) << "old contents";
  const testing::ProcessRun file =
      testing::RunProcess({testing::CliPath(), "file", "--vertices", "8", "--edges",
                           "1-2,1-3,1-4,1-5,1-6,1-7,1-8", "--output", out},
                          "", {.fileSizeLimit = 1024});
  EXPECT_EQ(file.exitCode, kCannotWrite) << "signal " << file.signal;
  EXPECT_NE(file.err.find("File too large"), std::string::npos) << file.err;
  EXPECT_EQ(Read(out), "old contents");

  // Help on a standard output that fills up: exit 3 and one message.
  const int fd = ::open(PathOf("help").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  const testing::ProcessRun help = testing::RunProcess({testing::CliPath(), "batch", "--help"}, "",
                                                       {.stdoutFd = fd, .fileSizeLimit = 100});
  ::close(fd);
  EXPECT_EQ(help.exitCode, kCannotWrite);
  EXPECT_EQ(help.err, "korvelant-cli: cannot write to standard output: File too large\n");
}

}  // namespace
}  // namespace korvelant
