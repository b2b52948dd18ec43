#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph.hpp"
#include "model/plane_point.hpp"

namespace korvelant {

// Why a molecule gives no tree to compute.
enum class MoleculeRefusalKind {
  Invalid,   // RDKit cannot read it: bad SMILES syntax, impossible valence, broken molfile
  NotATree,  // its skeleton has a ring, more than one fragment, or no vertex at all
  TooLarge,  // more than kMaxHalfSumVertices atoms other than hydrogen
  Empty,     // nothing but white space was given
};

struct MoleculeRefusal {
  MoleculeRefusalKind kind = MoleculeRefusalKind::Invalid;
  std::string message;  // what the user is told
  std::string reason;   // RDKit's own reason, or "1 ring", "2 fragments"...; may be empty
  friend bool operator==(const MoleculeRefusal&, const MoleculeRefusal&) = default;
};

// The refusal as the one line a user reads: "message: reason", or the message alone.
std::string RefusalText(const MoleculeRefusal& refusal);

// Depicting costs more than reading; a batch needs only the graph.
enum class Depiction { Skip, Compute };

// A molecule read as its hydrogen-suppressed skeleton: every atom other than hydrogen is a
// vertex, numbered in the input's atom order (the first heavy atom is vertex 1), and every
// bond between two of them an edge, whatever its order. Hydrogens (written ones and
// isotopes such as [2H] too), charges, isotopes, aromaticity and stereo marks change nothing.
struct MoleculeReading {
  std::string name;    // a molfile's title, or the name after a SMILES; may be empty
  std::string smiles;  // the SMILES read, or the one RDKit writes for a molfile
  // The skeleton: set when the molecule is a tree, and for NotATree and TooLarge too, so a
  // caller can show or pass on what was read. Edges in the input's bond order, smaller vertex
  // first.
  Graph graph;
  // When asked for and the molecule is a tree: where a 2D depiction puts vertex v, at
  // [v - 1]. A molfile's own 2D coordinates are kept; for a SMILES, a 3D molfile or one
  // drawn without coordinates, RDKit computes a depiction.
  std::vector<PlanePoint> depiction;
  std::optional<MoleculeRefusal> refusal;  // absent when `graph` is a tree to compute

  bool IsTree() const { return !refusal.has_value(); }
};

// Both readers refuse in the order a user would fix things: empty input, what RDKit cannot
// read, too many heavy atoms, then a skeleton that is not a tree. Input too large for RDKit
// to read safely is refused as TooLarge before it reads anything: a SMILES longer than 65536
// characters, a molfile record that states more than 999 atoms.

// Reads one SMILES (white space around it ignored; text after white space inside it is
// taken as the molecule's name, as RDKit does). Checks what RDKit's sanitizing checks for
// validity: valences, aromatic atoms that no ring can hold. Safe to call from several
// threads at once; RDKit prints nothing.
MoleculeReading ReadSmiles(std::string_view smiles, Depiction depiction = Depiction::Skip);

// Reads one molfile record (V2000 or V3000; an SD file record without its "$$$$" line,
// data items after "M  END" allowed). Safe to call from several threads at once.
MoleculeReading ReadMolBlock(std::string_view block, Depiction depiction = Depiction::Skip);

}  // namespace korvelant
