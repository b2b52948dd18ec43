// Batch records from .smi lines and SD files: names, the SMILES kept, graphs, refusals,
// CR LF or not.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "input/record_splitter.hpp"
#include "molecules/molecule_reading.hpp"
#include "molecules/molecule_records.hpp"
#include "support/german_locale.hpp"

namespace korvelant {
namespace {

std::string FileText(const std::string& name) {
  std::ifstream file(std::string(KORVELANT_MOLECULES_DATA) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string WithCrLf(const std::string& text) {
  std::string converted;
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

// The SD file's records as a batch cuts them, the text fed in pieces of `pieceBytes`.
std::vector<std::string> SdfBlocks(std::string_view text, std::size_t pieceBytes = 1 << 20) {
  RecordSplitter splitter({RecordLayout::kSdfBlock});
  std::vector<std::string> records;
  const auto emit = [&](const SplitRecord& record) { records.emplace_back(record.text); };
  for (std::size_t at = 0; at < text.size(); at += pieceBytes)
    splitter.Feed(text.substr(at, pieceBytes), emit);
  splitter.Finish(emit);
  return records;
}

// A V2000 block with every atom's coordinates set to zero.
std::string AtOrigin(const std::string& block) {
  std::istringstream lines(block);
  std::string result;
  int lineNumber = 0, atoms = 0;
  for (std::string line; std::getline(lines, line); ++lineNumber) {
    if (lineNumber == 3) atoms = std::stoi(line.substr(0, 3));
    if (lineNumber >= 4 && lineNumber < 4 + atoms) {
      line.replace(0, 30, "    0.0000    0.0000    0.0000");
    }
    result += line + "\n";
  }
  return result;
}

TEST(SmilesLineRecord, SmilesThenOptionalName) {
  const TreeRecord named = SmilesLineRecord("CC(C)CC 2-methylbutane");
  EXPECT_EQ(named.name, "2-methylbutane");
  EXPECT_EQ(named.smiles, "CC(C)CC");
  EXPECT_EQ(named.graph, (Graph{5, {{1, 2}, {2, 3}, {2, 4}, {4, 5}}}));
  EXPECT_EQ(named.error, "");
  EXPECT_EQ(named.treeProblem, "");

  const TreeRecord tabs = SmilesLineRecord("\tCCO\t\tethyl  alcohol \r\n");
  EXPECT_EQ(tabs.name, "ethyl  alcohol");
  EXPECT_EQ(tabs.smiles, "CCO");
  EXPECT_EQ(tabs.graph, (Graph{3, {{1, 2}, {2, 3}}}));

  const TreeRecord unnamed = SmilesLineRecord("C[C@H](O)CC\n");
  EXPECT_EQ(unnamed.name, "");
  EXPECT_EQ(unnamed.smiles, "C[C@H](O)CC");
  EXPECT_EQ(unnamed.graph, (Graph{5, {{1, 2}, {2, 3}, {2, 4}, {4, 5}}}));
}

TEST(SmilesLineRecord, RefusalsBecomeErrorsOrTreeProblems) {
  const TreeRecord ring = SmilesLineRecord("C1CCCCC1 cyclohexane");
  EXPECT_EQ(ring.name, "cyclohexane");
  EXPECT_EQ(ring.graph, (Graph{6, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {1, 6}}}));
  EXPECT_EQ(ring.treeProblem, "1 ring");
  EXPECT_EQ(ring.error, "");
  EXPECT_EQ(SmilesLineRecord("CC.O wet").treeProblem, "2 fragments");

  const TreeRecord invalid = SmilesLineRecord("C((C broken");
  EXPECT_EQ(invalid.name, "broken");
  EXPECT_EQ(invalid.smiles, "C((C");
  EXPECT_FALSE(invalid.graph);
  EXPECT_EQ(invalid.error, "Invalid SMILES: syntax error while parsing: C((C");

  // Past the matrices' limit a batch still computes the half-sums.
  const TreeRecord large = SmilesLineRecord(std::string(kMaxMatrixVertices + 1, 'C') + " wax");
  ASSERT_TRUE(large.graph);
  EXPECT_EQ(large.graph->vertexCount, kMaxMatrixVertices + 1);

  const TreeRecord blank = SmilesLineRecord("  \t ");
  EXPECT_FALSE(blank.graph);
  EXPECT_FALSE(blank.smiles);
  EXPECT_EQ(blank.error, "No SMILES given");
}

// The file holds 2-methylbutane (V2000, with a data item), a record whose counts line
// promises three atoms and gives two, and glycolate (V3000, explicit hydrogens, a charge).
// The good records were written by RDKit's MolToMolBlock and MolToV3KMolBlock.
TEST(SdfRecord, ThreeRecordsWithABadOneInTheMiddle) {
  const std::string text = FileText("three_records.sdf");
  for (const std::string& variant : {text, WithCrLf(text)}) {
    const std::vector<std::string> blocks = SdfBlocks(variant, 7);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks, SdfBlocks(variant));
    std::vector<TreeRecord> records;
    for (const std::string& block : blocks)
      records.push_back(SdfRecord(block));

    EXPECT_EQ(records[0].name, "2-methylbutane");
    EXPECT_EQ(records[0].smiles, "CCC(C)C");
    EXPECT_EQ(records[0].graph, (Graph{5, {{1, 2}, {2, 3}, {2, 4}, {4, 5}}}));
    EXPECT_EQ(records[0].error, "");

    EXPECT_EQ(records[1].name, "broken record");
    EXPECT_FALSE(records[1].smiles);
    EXPECT_FALSE(records[1].graph);
    EXPECT_TRUE(records[1].error.starts_with("Unreadable molfile record: ")) << records[1].error;
    EXPECT_GT(records[1].error.size(), std::string("Unreadable molfile record: ").size());
    EXPECT_EQ(records[1].error.find('\n'), std::string::npos);

    EXPECT_EQ(records[2].name, "glycolate");
    EXPECT_EQ(records[2].smiles, "O=C([O-])CO");
    EXPECT_EQ(records[2].graph, (Graph{5, {{1, 2}, {2, 3}, {3, 4}, {3, 5}}}));
  }
}

TEST(SdfRecord, RingsEmptyRecordsAndMoleculesOfHydrogenOnly) {
  const std::string cyclopropane =
      "cyclopropane\n\n\n  3  3  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    0.7500    1.2990    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "  1  2  1  0\n  2  3  1  0\n  3  1  1  0\nM  END\n";
  const TreeRecord ring = SdfRecord(cyclopropane);
  EXPECT_EQ(ring.smiles, "C1CC1");
  EXPECT_EQ(ring.treeProblem, "1 ring");
  EXPECT_EQ(ring.graph, (Graph{3, {{1, 2}, {2, 3}, {1, 3}}}));

  const TreeRecord hydrogen = SdfRecord(
      "hydrogen\n\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "    0.7400    0.0000    0.0000 H   0  0  0  0  0  0  0  0  0  0  0  0\n"
      "  1  2  1  0\nM  END\n");
  EXPECT_EQ(hydrogen.graph, Graph{});
  EXPECT_EQ(hydrogen.treeProblem, "0 vertices: hydrogen atoms only");

  EXPECT_EQ(SdfRecord("\n \n").error, "Empty molfile record");
  EXPECT_EQ(SdfRecord("only a title\n").name, "only a title");
  EXPECT_NE(SdfRecord("only a title\n").error, "");
}

TEST(ReadMolBlock, KeepsTheDrawingsCoordinatesAndDepictsFlatOnes) {
  const std::string block = SdfBlocks(FileText("three_records.sdf")).front();
  const MoleculeReading drawn = ReadMolBlock(block, Depiction::Compute);
  ASSERT_TRUE(drawn.IsTree());
  ASSERT_EQ(drawn.depiction.size(), 5u);
  EXPECT_EQ(drawn.depiction[0], (PlanePoint{0, 0}));
  EXPECT_EQ(drawn.depiction[4], (PlanePoint{2.5981, 3.0}));

  // Every atom at the origin: nothing to keep, RDKit lays it out.
  const MoleculeReading depicted = ReadMolBlock(AtOrigin(block), Depiction::Compute);
  ASSERT_EQ(depicted.graph, drawn.graph);
  ASSERT_EQ(depicted.depiction.size(), 5u);
  for (const auto& [a, b] : depicted.graph.edges) {
    const PlanePoint p = depicted.depiction[a - 1], q = depicted.depiction[b - 1];
    EXPECT_NEAR(std::hypot(p.x - q.x, p.y - q.y), 1.5, 0.05);
  }
}

// The window runs under the user's locale; a German one writes 1,5 for 1.5. Molfile
// coordinates must still read as written.
TEST(ReadMolBlock, CoordinatesReadAlikeUnderAGermanLocale) {
  const std::string block = SdfBlocks(FileText("three_records.sdf")).front();
  const MoleculeReading expected = ReadMolBlock(block, Depiction::Compute);
  MoleculeReading german, depicted;
  {
    const testing::GermanLocale locale;
    if (!locale.Installed()) GTEST_SKIP() << testing::GermanLocale::kMissing;
    german = ReadMolBlock(block, Depiction::Compute);
    depicted = ReadSmiles("CCCC(C)C(C)C", Depiction::Compute);
  }
  EXPECT_EQ(german.depiction, expected.depiction);
  EXPECT_EQ(german.depiction[4], (PlanePoint{2.5981, 3.0}));
  EXPECT_EQ(depicted.depiction, ReadSmiles("CCCC(C)C(C)C", Depiction::Compute).depiction);
}

// Found by fuzzing: RDKit sized its tables by the stated atom count before reading any atom,
// so a 100-byte record took gigabytes and seconds; such records are refused unread.
TEST(ReadMolBlock, RecordsStatingMoreAtomsThanAV2000CountsLineAreRefusedUnread) {
  const auto record = [](const std::string& counts) {
    return "giant\n\n\n  0  0  0  0  0  0  0  0  0  0999 V3000\nM  V30 BEGIN CTAB\n" + counts +
           "\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 END ATOM\nM  V30 END CTAB\nM  END\n";
  };
  for (const std::string counts :
       {"M  V30 COUNTS 200000000 0 0 0 0", "M  V30 counts 0000200000000 0 0 0 0",
        "M  V30 COUNTS 2000-\nM  V30 00000 0 0 0 0", "M  V30 COUNTS 1000 0 0 0 0\r"}) {
    const MoleculeReading reading = ReadMolBlock(record(counts));
    ASSERT_TRUE(reading.refusal) << counts;
    EXPECT_EQ(reading.refusal->kind, MoleculeRefusalKind::TooLarge) << counts;
    EXPECT_NE(reading.refusal->message.find("atoms (at most 999 are read)"), std::string::npos)
        << reading.refusal->message;
    EXPECT_EQ(reading.name, "giant");
  }
  EXPECT_EQ(RefusalText(*ReadMolBlock(record("M  V30 COUNTS 200000000 0 0 0 0")).refusal),
            "Korvelant computes half-sums and indices of trees of up to 100,000 vertices; this "
            "molfile record states "
            "200000000 atoms (at most 999 are read).");
  // Up to 999 RDKit reads, and judges: here the one atom line is too few for the count.
  const MoleculeReading stated999 = ReadMolBlock(record("M  V30 COUNTS 999 0 0 0 0"));
  ASSERT_TRUE(stated999.refusal);
  EXPECT_EQ(stated999.refusal->kind, MoleculeRefusalKind::Invalid);
  EXPECT_TRUE(ReadMolBlock(record("M  V30 COUNTS 1 0 0 0 0")).IsTree());
}

}  // namespace
}  // namespace korvelant
