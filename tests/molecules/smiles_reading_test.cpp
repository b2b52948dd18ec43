// Reading SMILES into hydrogen-suppressed skeletons: against trees written independently,
// against hand-derived graphs, the marks that must change nothing, every refusal, RDKit's
// silence and parallel readers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "alkane_trees.hpp"
#include "engine/rooted_tree.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant {
namespace {

using testing::ExpectedSkeleton;
using testing::WriteTreeSmiles;

std::string Chain(int carbons) {
  return std::string(static_cast<std::size_t>(carbons), 'C');
}

TEST(ReadSmiles, DimethylhexaneGivesTheEdgeListReadOffItsAtoms) {
  // C1 C2 C3 C4(C5) C6(C7) C8: the chain 1-2-3-4-6-8, methyls 5 on 4 and 7 on 6.
  const MoleculeReading reading = ReadSmiles("CCCC(C)C(C)C");
  ASSERT_TRUE(reading.IsTree());
  EXPECT_EQ(reading.graph, (Graph{8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {4, 6}, {6, 7}, {6, 8}}}));
  EXPECT_EQ(EdgeListText(reading.graph), "1-2,2-3,3-4,4-5,4-6,6-7,6-8");
  EXPECT_EQ(reading.smiles, "CCCC(C)C(C)C");
}

TEST(ReadSmiles, EveryAlkaneSkeletonComesBackAsTheTreeWritten) {
  std::vector<Graph> trees =
      testing::TreesFromParentArrays(KORVELANT_MOLECULES_DATA "/alkane_trees.txt");
  ASSERT_EQ(trees.size(), 40u);  // 1+1+1+2+3+5+9+18 alkane skeletons up to octane
  for (const Graph& tree : testing::RandomAlkaneTrees(1000, 60, 7))
    trees.push_back(tree);
  for (const Graph& tree : trees) {
    const auto written = WriteTreeSmiles(tree);
    const MoleculeReading reading = ReadSmiles(written.smiles);
    ASSERT_TRUE(reading.IsTree()) << written.smiles;
    EXPECT_EQ(reading.graph, ExpectedSkeleton(tree, written)) << written.smiles;
    EXPECT_TRUE(RootTree(reading.graph)) << written.smiles;  // the engine agrees
  }
}

TEST(ReadSmiles, HydrogensChargesIsotopesBondOrdersAndStereoChangeNothing) {
  const struct {
    const char* marked;
    const char* plain;
  } cases[] = {
      {"C[C@H](O)CC", "CC(O)CC"},
      {"C[C@@H](O)CC", "CC(O)CC"},
      {"F/C=C/F", "FCCF"},
      {"[H]C([H])([H])C", "CC"},
      {"C([H])C", "CC"},
      {"[2H]C([2H])([2H])C", "CC"},
      {"[3H]OC", "OC"},
      {"C[O-]", "CO"},
      {"CC(=O)[O-]", "CC(O)O"},
      {"C[NH3+]", "CN"},
      {"[13CH3]C", "CC"},
      {"[13CH3][14CH2][12CH3]", "CCC"},
      {"C=CC#N", "CCCN"},
      {"CN(=O)=O", "CN(O)O"},
      {"C[S](=O)(=O)O", "CS(O)(O)O"},
      {"ClC(Br)(I)F", "ClC(Br)(I)F"},
  };
  for (const auto& [marked, plain] : cases) {
    const MoleculeReading a = ReadSmiles(marked);
    const MoleculeReading b = ReadSmiles(plain);
    ASSERT_TRUE(a.IsTree()) << marked << ": " << RefusalText(*a.refusal);
    ASSERT_TRUE(b.IsTree()) << plain;
    EXPECT_EQ(a.graph, b.graph) << marked;
  }
}

TEST(ReadSmiles, HydrogensAreSkippedWhereverTheyStandInTheNumbering) {
  // Heteroatoms are vertices; a written hydrogen, even first, is none.
  EXPECT_EQ(ReadSmiles("[H]OC([2H])C").graph, (Graph{3, {{1, 2}, {2, 3}}}));
  EXPECT_EQ(ReadSmiles("C[C@H](O)CC").graph, (Graph{5, {{1, 2}, {2, 3}, {2, 4}, {4, 5}}}));
  EXPECT_EQ(ReadSmiles("NC(=O)C(Cl)[Si](C)(C)C").graph.vertexCount, 9);
  // A bond closed by a ring digit between two fragments is an ordinary tree edge.
  EXPECT_EQ(ReadSmiles("C1.C1").graph, (Graph{2, {{1, 2}}}));
}

TEST(ReadSmiles, NameAfterTheSmilesAndSurroundingBlanks) {
  const MoleculeReading reading = ReadSmiles("  CC(C)C isobutane\n");
  ASSERT_TRUE(reading.IsTree());
  EXPECT_EQ(reading.name, "isobutane");
  EXPECT_EQ(reading.smiles, "CC(C)C");
  EXPECT_EQ(reading.graph, (Graph{4, {{1, 2}, {2, 3}, {2, 4}}}));
}

struct Refusal {
  const char* smiles;
  MoleculeRefusalKind kind;
  const char* reason;  // the refusal's whole reason
};

TEST(ReadSmiles, RingsAndFragmentsAreRefusedWithTheirCount) {
  const Refusal cases[] = {
      {"C1CC1", MoleculeRefusalKind::NotATree, "1 ring"},
      {"c1ccccc1", MoleculeRefusalKind::NotATree, "1 ring"},
      {"c1ccc2ccccc2c1", MoleculeRefusalKind::NotATree, "2 rings"},
      {"C12C3C4C1C5C2C3C45", MoleculeRefusalKind::NotATree, "5 rings"},  // cubane
      {"CC.O", MoleculeRefusalKind::NotATree, "2 fragments"},
      {"[Na+].[Cl-].O", MoleculeRefusalKind::NotATree, "3 fragments"},
      {"C1CC1.CC", MoleculeRefusalKind::NotATree, "1 ring, 2 fragments"},
      {"[H][H]", MoleculeRefusalKind::NotATree, "0 vertices: hydrogen atoms only"},
      // Wildcards in aromatic rings, which RDKit would try to kekulize for minutes.
      {"c1cccCCCCCCCCCCCCCCCCCCCCCC**********************2ccccC2c1", MoleculeRefusalKind::NotATree,
       "2 rings"},
      {"*1****1", MoleculeRefusalKind::NotATree, "1 ring"},
  };
  for (const auto& [smiles, kind, reason] : cases) {
    const MoleculeReading reading = ReadSmiles(smiles);
    ASSERT_TRUE(reading.refusal) << smiles;
    EXPECT_EQ(reading.refusal->kind, kind) << smiles;
    EXPECT_EQ(reading.refusal->message,
              "Graph is not a tree and this program works only with trees");
    EXPECT_EQ(reading.refusal->reason, reason) << smiles;
    EXPECT_FALSE(RootTree(reading.graph)) << smiles;  // the engine agrees
  }
  // The skeleton read is kept, for a caller to show or pass on.
  EXPECT_EQ(ReadSmiles("C1CC1").graph, (Graph{3, {{1, 2}, {2, 3}, {1, 3}}}));
  EXPECT_EQ(ReadSmiles("[H][H]").graph, Graph{});
}

TEST(ReadSmiles, WhatRdkitCannotReadIsRefusedWithRdkitsReason) {
  const Refusal cases[] = {
      {"C((C", MoleculeRefusalKind::Invalid, "syntax error while parsing: C((C"},
      {"C)C", MoleculeRefusalKind::Invalid, "extra close parentheses while parsing: C)C"},
      {"C1CC", MoleculeRefusalKind::Invalid, "unclosed ring for input: 'C1CC'"},
      {"[Xx]C", MoleculeRefusalKind::Invalid, "syntax error while parsing: [Xx]C"},
      {"CC(C)(C)(C)(C)C", MoleculeRefusalKind::Invalid,
       "Explicit valence for atom # 1 C, 6, is greater than permitted"},
      {"Cc", MoleculeRefusalKind::Invalid, "non-ring atom 1 marked aromatic"},
      {"c1cccc1", MoleculeRefusalKind::Invalid,
       "Can't kekulize mol.  Unkekulized atoms: 0 1 2 3 4"},
  };
  for (const auto& [smiles, kind, reason] : cases) {
    const MoleculeReading reading = ReadSmiles(smiles);
    ASSERT_TRUE(reading.refusal) << smiles;
    EXPECT_EQ(reading.refusal->kind, kind) << smiles;
    EXPECT_EQ(reading.refusal->message, "Invalid SMILES");
    EXPECT_EQ(reading.refusal->reason, reason) << smiles;
    EXPECT_EQ(RefusalText(*reading.refusal), std::string("Invalid SMILES: ") + reason);
    EXPECT_EQ(reading.graph, Graph{});
  }
}

TEST(ReadSmiles, EmptyAndTooLargeInputs) {
  for (const char* blank : {"", "   ", "\t\r\n"}) {
    const MoleculeReading reading = ReadSmiles(blank);
    ASSERT_TRUE(reading.refusal);
    EXPECT_EQ(reading.refusal->kind, MoleculeRefusalKind::Empty);
    EXPECT_EQ(RefusalText(*reading.refusal), "No SMILES given");
  }
  // A SMILES holds at most 65536 characters, fewer atoms than the half-sums' limit.
  EXPECT_TRUE(ReadSmiles(Chain(kMaxMatrixVertices + 1)).IsTree());
  // Hydrogens do not count as vertices.
  std::string methylated = Chain(kMaxMatrixVertices);
  methylated.insert(1, "([H])([2H])");
  EXPECT_TRUE(ReadSmiles(methylated).IsTree());
}

// Found by probing RDKit: its parser takes time that grows with the square of an atom's
// branches, half a minute for a megabyte; a SMILES that long is refused unread.
TEST(ReadSmiles, SmilesLongerThanTheLimitAreRefusedUnread) {
  std::string branches = "C";
  while (branches.size() <= 65536)
    branches += "(C)";
  const MoleculeReading reading = ReadSmiles(branches);
  ASSERT_TRUE(reading.refusal);
  EXPECT_EQ(reading.refusal->kind, MoleculeRefusalKind::TooLarge);
  EXPECT_EQ(RefusalText(*reading.refusal),
            "Korvelant computes half-sums and indices of trees of up to 100,000 vertices; this "
            "SMILES has " +
                std::to_string(branches.size()) + " characters (at most 65536 are read).");
  // The limit is the SMILES's own: a long name after it is no reason to refuse.
  EXPECT_TRUE(ReadSmiles("CC(C)C " + std::string(100000, 'n')).IsTree());
  // At the limit RDKit reads it.
  EXPECT_TRUE(ReadSmiles(std::string(65536, 'C')).IsTree());
}

TEST(ReadSmiles, RdkitWritesNothingToTheTerminal) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  for (const char* smiles : {"C((C", "C1CC", "CC(C)(C)(C)(C)C", "Cc", "c1cccc1", "C |junk", "[H]",
                             "C.[H]", "[H][H]", "C1CC1"}) {
    ReadSmiles(smiles, Depiction::Compute);
  }
  ReadMolBlock("title\n\n\n  3  2  0  0  0  0  0  0  0  0999 V2000\nM  END\n");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(ReadSmiles, DepictionOnlyWhenAskedAndOfTheSkeletonAlone) {
  EXPECT_TRUE(ReadSmiles("CCCC(C)C(C)C").depiction.empty());
  const MoleculeReading plain = ReadSmiles("CCCC(C)C(C)C", Depiction::Compute);
  ASSERT_EQ(plain.depiction.size(), 8u);
  for (const auto& [a, b] : plain.graph.edges) {
    const PlanePoint p = plain.depiction[a - 1], q = plain.depiction[b - 1];
    EXPECT_NEAR(std::hypot(p.x - q.x, p.y - q.y), 1.5, 0.05);  // RDKit's bond length
  }
  const MoleculeReading withHydrogens =
      ReadSmiles("[H]C([H])([H])CCC(C)C(C([2H])([2H])[2H])C", Depiction::Compute);
  EXPECT_EQ(withHydrogens.graph, plain.graph);
  ASSERT_EQ(withHydrogens.depiction.size(), 8u);
  for (std::size_t v = 0; v < 8; ++v) {
    EXPECT_NEAR(withHydrogens.depiction[v].x, plain.depiction[v].x, 1e-6);
    EXPECT_NEAR(withHydrogens.depiction[v].y, plain.depiction[v].y, 1e-6);
  }
  EXPECT_TRUE(ReadSmiles("C1CC1", Depiction::Compute).depiction.empty());
}

// A stereo centre left without neighbours (alone, or once its hydrogens are gone) is one
// atom at one point; RDKit's depiction of a lone square-planar centre once crashed.
TEST(ReadSmiles, ALoneStereoCentreIsDepictedAsOnePoint) {
  for (const char* smiles : {"[O@SP1-]", "[H][Pt@SP1]([H])", "[O@TB1-]", "[Co@OH1]", "[C@H4]"}) {
    const MoleculeReading reading = ReadSmiles(smiles, Depiction::Compute);
    EXPECT_FALSE(reading.refusal) << smiles;
    EXPECT_EQ(reading.graph.vertexCount, 1) << smiles;
    EXPECT_EQ(reading.depiction.size(), 1u) << smiles;
  }
  const MoleculeReading platinum = ReadSmiles("C[Pt@SP1](Cl)(Cl)C", Depiction::Compute);
  EXPECT_EQ(platinum.depiction.size(), 5u);
}

// A worker's reason is its own: each invalid SMILES is refused quoting itself, with
// several threads reading at once.
TEST(ReadSmiles, ParallelReadersGetTheirOwnResults) {
  std::vector<std::string> inputs;
  for (int i = 1; i <= 60; ++i) {
    inputs.push_back(Chain(i) + "((C");
    inputs.push_back(WriteTreeSmiles(testing::RandomAlkaneTrees(1, 30, i).front()).smiles);
    inputs.push_back("C1CC1" + Chain(i));
  }
  std::vector<MoleculeReading> alone;
  for (const std::string& smiles : inputs)
    alone.push_back(ReadSmiles(smiles));

  constexpr int kThreads = 4;
  std::vector<std::vector<MoleculeReading>> together(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) {
        for (std::size_t i = t; i < inputs.size(); i += 1) {
          together[t].push_back(ReadSmiles(inputs[(i + round * 7) % inputs.size()]));
        }
      }
    });
  }
  for (auto& thread : threads)
    thread.join();
  for (int t = 0; t < kThreads; ++t) {
    std::size_t k = 0;
    for (int round = 0; round < 5; ++round) {
      for (std::size_t i = t; i < inputs.size(); i += 1, ++k) {
        const MoleculeReading& expected = alone[(i + round * 7) % inputs.size()];
        EXPECT_EQ(together[t][k].graph, expected.graph);
        EXPECT_EQ(together[t][k].refusal, expected.refusal);
      }
    }
  }
  EXPECT_EQ(alone[0].refusal->reason, "syntax error while parsing: C((C");
}

}  // namespace
}  // namespace korvelant
