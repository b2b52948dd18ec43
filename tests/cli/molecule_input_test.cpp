// Molecules through the command line: --smiles for file and calc, and batches of .smi and
// .sdf records, each against the same tree given as an edge list.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/command_line.hpp"
#include "model/graph.hpp"

namespace korvelant::testing {
namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun Tool(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(arguments, out, err);
  return {status, out.str(), err.str()};
}

// 2,3-dimethylhexane in the atom order of CCCC(C)C(C)C: the chain 1-2-3-4, 5 on 4, 6 on 4,
// 7 and 8 on 6.
constexpr const char* kDimethylHexaneSmiles = "CCCC(C)C(C)C";
constexpr const char* kItsEdges = "1-2,2-3,3-4,4-5,4-6,6-7,6-8";

TEST(MoleculeInput, SmilesGivesTheBytesOfTheSameTreeAsEdges) {
  const ToolRun byEdges = Tool({"file", "--vertices", "8", "--edges", kItsEdges});
  ASSERT_EQ(byEdges.status, kSuccess) << byEdges.err;
  // Stereo marks, explicit hydrogens, charges, isotopes and bond orders change nothing.
  for (const char* smiles :
       {kDimethylHexaneSmiles, "[CH3]CC[C@H](C)[C@@H](C)C", "[H]C([H])([H])CCC(C)C(C)C",
        "[13CH3]CCC(C)C(C)C", "C=CCC(C)C(C)C", "[CH2-]CCC(C)C(C)C"}) {
    const ToolRun bySmiles = Tool({"file", "--smiles", smiles});
    EXPECT_EQ(bySmiles.status, kSuccess) << smiles << bySmiles.err;
    EXPECT_EQ(bySmiles.out, byEdges.out) << smiles;
  }
  // Heteroatoms are vertices: ethanol is the path of three.
  EXPECT_EQ(
      Tool({"calc", "--smiles", "CCO", "--type", "PGM", "--index", "H"}).out,
      Tool({"calc", "--vertices", "3", "--edges", "1-2,2-3", "--type", "PGM", "--index", "H"}).out);
}

TEST(MoleculeInput, RefusalsSayWhyWithTheirExitStatus) {
  const ToolRun ring = Tool({"calc", "--smiles", "C1CC1", "--type", "EGM", "--index", "W"});
  EXPECT_EQ(ring.status, kNotATree);
  EXPECT_EQ(ring.err,
            "korvelant-cli: Graph is not a tree and this program works only with trees\n"
            "korvelant-cli: 1 ring\n");
  const ToolRun fragments = Tool({"file", "--smiles", "CC.O"});
  EXPECT_EQ(fragments.status, kNotATree);
  EXPECT_NE(fragments.err.find("korvelant-cli: 2 fragments\n"), std::string::npos);
  EXPECT_EQ(fragments.out, "");

  const ToolRun invalid = Tool({"file", "--smiles", "C((C"});
  EXPECT_EQ(invalid.status, kBadInput);
  EXPECT_TRUE(invalid.err.starts_with("korvelant-cli: Invalid SMILES")) << invalid.err;
  EXPECT_EQ(invalid.err.find('\n'), invalid.err.size() - 1) << "one line, no RDKit log";
  EXPECT_EQ(Tool({"file", "--smiles", ""}).status, kBadInput);
  const ToolRun large = Tool({"file", "--smiles", std::string(1001, 'C')});
  EXPECT_EQ(large.status, kBadInput);
  EXPECT_EQ(large.err, "korvelant-cli: " + MatrixTooLargeMessage(1001) + "\n");
  const ToolRun both = Tool({"file", "--smiles", "CC", "--vertices", "2", "--edges", "1-2"});
  EXPECT_EQ(both.status, kBadInput);
}

// The parser only takes the SMILES's text; RDKit reads it when the command runs, for calc,
// file and draw alike, with the same message and status for one it cannot read.
TEST(MoleculeInput, TheSmilesIsReadWhenTheCommandRunsNotWhileParsing) {
  const CliRequest parsed =
      ParseCommandLine({"calc", "--smiles", "C((C", "--type", "PGM", "--index", "W"});
  ASSERT_TRUE(std::holds_alternative<CalcRequest>(parsed));
  EXPECT_EQ(std::get<CalcRequest>(parsed).tree.smiles, "C((C");
  EXPECT_FALSE(std::get<CalcRequest>(parsed).tree.graph);
  const ToolRun calc = Tool({"calc", "--smiles", "C((C", "--type", "PGM", "--index", "W"});
  EXPECT_EQ(calc.status, kBadInput);
  EXPECT_EQ(calc.err, Tool({"file", "--smiles", "C((C"}).err);
}

TEST(MoleculeInput, SmiBatchWithABadRecordInTheMiddle) {
  const BatchRun run = RunBatch({"--from", "smiles"},
                                "CCC propane\nC((C broken\nC1CC1 cyclopropane\n"
                                "CCCC(C)C(C)C\t2,3-dimethylhexane\n");
  EXPECT_EQ(run.status, 1);  // some records refused
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0][0], "name");
  EXPECT_EQ(rows[0][1], "smiles");
  const auto error = rows[0].size() - 1;
  EXPECT_EQ(rows[1][0], "propane");
  EXPECT_EQ(rows[1][error], "");
  EXPECT_EQ(rows[2][0], "broken");
  EXPECT_NE(rows[2][error].find("Invalid SMILES"), std::string::npos) << rows[2][error];
  EXPECT_EQ(rows[3][error], "not a tree: 1 ring");
  EXPECT_EQ(rows[4][0], "2,3-dimethylhexane");
  EXPECT_EQ(rows[4][3], kItsEdges);
  // The same row, bar name and SMILES, as the tree given as an edge line.
  const auto byEdges = ReadCsv(RunBatch({"--from", "edges"}, "8 " + std::string(kItsEdges)).out);
  ASSERT_EQ(byEdges.size(), 2u);
  EXPECT_EQ(std::vector(rows[4].begin() + 2, rows[4].end()),
            std::vector(byEdges[1].begin() + 1, byEdges[1].end()));
}

TEST(MoleculeInput, SdfBatchNamesRecordsByTitleAndGoesOnPastABadOne) {
  std::ifstream file(std::string(KORVELANT_MOLECULES_DATA) + "/three_records.sdf");
  std::stringstream sdf;
  sdf << file.rdbuf();
  const BatchRun run = RunBatch({"--from", "sdf"}, sdf.str());
  EXPECT_EQ(run.status, 1);
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 4u);
  const auto error = rows[0].size() - 1;
  EXPECT_EQ(rows[1][0], "2-methylbutane");
  EXPECT_EQ(rows[1][1], "CCC(C)C");  // the SMILES RDKit writes for the record
  EXPECT_EQ(rows[1][error], "");
  EXPECT_EQ(rows[2][0], "broken record");
  EXPECT_NE(rows[2][error], "");
  EXPECT_EQ(rows[3][error], "");
}

}  // namespace
}  // namespace korvelant::testing
