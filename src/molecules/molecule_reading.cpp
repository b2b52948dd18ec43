#include "molecules/molecule_reading.hpp"

#include <GraphMol/Conformer.h>
#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <numeric>
#include <optional>
#include <sstream>
#include <utility>

#include "input/tree_problem.hpp"
#include "input/trimmed.hpp"
#include "molecules/rdkit_setup.hpp"

namespace korvelant {
namespace {

using Molecule = std::unique_ptr<RDKit::RWMol>;

// The part of RDKit's sanitizing that can refuse a molecule: valences (after normalizing
// groups such as nitro, which would otherwise look over-valent) and aromatic atoms that no
// Kekulé structure fits. The rest (ring sets, conjugation, hybridization, stereo
// perception) only annotates, and skipping it makes reading three times as fast.
constexpr unsigned int kValidityChecks = RDKit::MolOps::SANITIZE_CLEANUP |
                                         RDKit::MolOps::SANITIZE_PROPERTIES |
                                         RDKit::MolOps::SANITIZE_KEKULIZE;

// Limits checked before RDKit reads anything. RDKit sizes its tables by the atom count a
// V3000 record states, before it reads one atom ("M  V30 COUNTS 200000000 0 0 0 0" takes
// gigabytes), and perceives stereo in time that grows with the square of the atoms (minutes
// for ten thousand). A record is held to the atoms a V2000 counts line can state: no tree
// within the vertex limit needs more, hydrogens written out or not.
constexpr std::size_t kMaxMolfileAtoms = 999;
// RDKit's SMILES parser takes time that grows with the square of an atom's branches: a
// megabyte of "C(C)(C)..." takes half a minute. No tree within the vertex limit needs more.
constexpr std::size_t kMaxSmilesLength = 65536;

// RDKit's messages may span lines; a refusal is one.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return std::string(Trimmed(text));
}

MoleculeReading Refused(MoleculeRefusalKind kind, std::string message, std::string reason) {
  MoleculeReading reading;
  reading.refusal = MoleculeRefusal{kind, std::move(message), std::move(reason)};
  return reading;
}

// A parsed molecule, or RDKit's reason for refusing it.
struct Parsed {
  Molecule molecule;
  std::string failure;
};

// Runs `read` among other readers; if RDKit gives up without an exception, repeats it alone
// to hear RDKit's reason.
template <typename Read>
Parsed Parse(Read read) {
  try {
    const rdkit_setup::SharedUse use;
    if (Molecule molecule = read()) return {std::move(molecule), {}};
  } catch (const std::exception& error) {
    return {nullptr, OneLine(error.what())};
  } catch (...) {
    return {nullptr, "RDKit cannot read it"};
  }
  return {nullptr, OneLine(rdkit_setup::LoggedReason([&] { read(); }, "RDKit cannot read it"))};
}

bool HasWildcardAtom(const RDKit::ROMol& molecule) {
  for (const RDKit::Atom* atom : molecule.atoms()) {
    if (atom->getAtomicNum() == 0) return true;
  }
  return false;
}

// True when some bond joins two atoms already joined through others.
bool HasRing(const RDKit::ROMol& molecule) {
  std::vector<unsigned int> root(molecule.getNumAtoms());
  std::iota(root.begin(), root.end(), 0u);
  const auto find = [&root](unsigned int atom) {
    while (root[atom] != atom)
      atom = root[atom] = root[root[atom]];
    return atom;
  };
  for (const RDKit::Bond* bond : molecule.bonds()) {
    const unsigned int a = find(bond->getBeginAtomIdx());
    const unsigned int b = find(bond->getEndAtomIdx());
    if (a == b) return true;
    root[a] = b;
  }
  return false;
}

Parsed ParseSmiles(const std::string& smiles) {
  return Parse([&smiles] {
    RDKit::SmilesParserParams params;
    params.sanitize = false;  // checked below, only as far as validity needs
    params.removeHs = false;  // hydrogens are skipped when the skeleton is taken
    Molecule molecule(RDKit::SmilesToMol(smiles, params));
    if (molecule) {
      // RDKit kekulizes a ring with wildcard atoms by trying their assignments one by one,
      // which takes exponential time (a 59-character SMILES ran for minutes). A molecule
      // with a ring is refused as no tree anyway, so it is not kekulized.
      unsigned int checks = kValidityChecks;
      if (HasWildcardAtom(*molecule) && HasRing(*molecule)) {
        checks &= ~static_cast<unsigned int>(RDKit::MolOps::SANITIZE_KEKULIZE);
      }
      unsigned int failedCheck = 0;
      RDKit::MolOps::sanitizeMol(*molecule, failedCheck, checks);
    }
    return molecule;
  });
}

// Fully sanitized, hydrogens removed: the SMILES written for it is then RDKit's usual.
Parsed ParseMolBlock(const std::string& block) {
  return Parse([&block] { return Molecule(RDKit::MolBlockToMol(block)); });
}

bool IsHydrogen(const RDKit::Atom& atom) {
  return atom.getAtomicNum() == 1;
}

// The hydrogen-suppressed skeleton, numbered in the molecule's atom order.
Graph Skeleton(const RDKit::ROMol& molecule) {
  std::vector<int> vertexOfAtom(molecule.getNumAtoms(), 0);
  Graph graph;
  for (const RDKit::Atom* atom : molecule.atoms()) {
    if (!IsHydrogen(*atom)) vertexOfAtom[atom->getIdx()] = ++graph.vertexCount;
  }
  for (const RDKit::Bond* bond : molecule.bonds()) {
    const int a = vertexOfAtom[bond->getBeginAtomIdx()];
    const int b = vertexOfAtom[bond->getEndAtomIdx()];
    if (a != 0 && b != 0) graph.edges.emplace_back(std::min(a, b), std::max(a, b));
  }
  return graph;
}

bool HasUsable2DCoordinates(const RDKit::ROMol& molecule) {
  if (molecule.getNumConformers() == 0) return false;
  const RDKit::Conformer& conformer = molecule.getConformer();
  if (conformer.is3D()) return false;
  const auto& points = conformer.getPositions();
  return std::any_of(points.begin(), points.end(),
                     [](const RDGeom::Point3D& p) { return p.x != 0 || p.y != 0; });
}

std::vector<PlanePoint> HeavyAtomPoints(const RDKit::ROMol& molecule) {
  std::vector<PlanePoint> points;
  const RDKit::Conformer& conformer = molecule.getConformer();
  for (const RDKit::Atom* atom : molecule.atoms()) {
    if (IsHydrogen(*atom)) continue;
    const RDGeom::Point3D& p = conformer.getAtomPos(atom->getIdx());
    points.push_back({p.x, p.y});
  }
  return points;
}

// RDKit's depiction of the skeleton alone, so a molecule draws the same whether or not its
// hydrogens were written. Empty if RDKit fails, which it should not for a tree.
std::vector<PlanePoint> ComputedDepiction(const RDKit::ROMol& molecule) {
  try {
    const rdkit_setup::SharedUse use;
    RDKit::RWMol skeleton(molecule);
    RDKit::MolOps::removeAllHs(skeleton, /*sanitize=*/false);
    // A lone atom has no arrangement to depict, and RDKit's depiction of a square-planar
    // centre without neighbours reads past them ("[O@SP1-]" ended the program).
    for (RDKit::Atom* atom : skeleton.atoms()) {
      if (atom->getDegree() == 0) atom->setChiralTag(RDKit::Atom::CHI_UNSPECIFIED);
    }
    RDDepict::compute2DCoords(skeleton, nullptr, /*canonOrient=*/true);
    return HeavyAtomPoints(skeleton);
  } catch (...) {
    return {};
  }
}

// The checks every molecule passes once RDKit has read it, in the order a user fixes them.
MoleculeReading FromMolecule(const RDKit::ROMol& molecule) {
  Graph graph = Skeleton(molecule);
  if (graph.vertexCount > kMaxHalfSumVertices) {
    MoleculeReading reading =
        Refused(MoleculeRefusalKind::TooLarge, HalfSumTooLargeMessage(graph.vertexCount), "");
    reading.graph = std::move(graph);  // callers with smaller limits name the size read
    return reading;
  }
  MoleculeReading reading;
  if (std::string problem = TreeProblem(graph, TreeWording::kMolecule); !problem.empty()) {
    if (graph.vertexCount == 0) problem += ": hydrogen atoms only";
    reading.refusal =
        MoleculeRefusal{MoleculeRefusalKind::NotATree, std::string(kNotATreeMessage), problem};
  }
  reading.graph = std::move(graph);
  return reading;
}

std::string WrittenSmiles(const RDKit::ROMol& molecule) {
  try {
    const rdkit_setup::SharedUse use;
    return RDKit::MolToSmiles(molecule);
  } catch (...) {
    return {};
  }
}

// The SMILES without the name RDKit found after it.
std::string WithoutName(std::string_view text, std::string_view name) {
  if (!name.empty() && text.ends_with(name)) text.remove_suffix(name.size());
  return std::string(Trimmed(text));
}

std::string TitleLine(std::string_view block) {
  return std::string(Trimmed(block.substr(0, block.find('\n'))));
}

// The atom count a V3000 record states, as RDKit reads it: in a line "M  V30 COUNTS ..."
// (COUNTS in any letter case), which a line ending in "-" continues on the next line. The
// digits without leading zeros; nothing when no count is stated.
std::optional<std::string> StatedV3000Atoms(std::string_view block) {
  constexpr std::string_view kPrefix = "M  V30 ";
  std::string logical;
  while (!block.empty()) {
    const auto end = block.find('\n');
    const std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view{} : block.substr(end + 1);
    if (!line.starts_with(kPrefix)) {
      logical.clear();
      continue;
    }
    logical += line.substr(kPrefix.size());
    if (logical.ends_with('-')) {
      logical.pop_back();
      continue;
    }
    std::istringstream words(logical);
    std::string word, count;
    words >> word >> count;
    logical.clear();
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (word != "COUNTS") continue;
    if (count.starts_with('+')) count.erase(0, 1);
    if (count.empty() || count.find_first_not_of("0123456789") != std::string::npos) continue;
    count.erase(0, std::min(count.find_first_not_of('0'), count.size() - 1));
    return count;
  }
  return std::nullopt;
}

bool MoreThan(const std::string& digits, std::size_t limit) {
  const std::string shown = std::to_string(limit);
  return digits.size() != shown.size() ? digits.size() > shown.size() : digits > shown;
}

std::string TooLargeText(const std::string& what) {
  return HalfSumLimitText() + "; this " + what + ".";
}

}  // namespace

std::string RefusalText(const MoleculeRefusal& refusal) {
  return refusal.reason.empty() ? refusal.message : refusal.message + ": " + refusal.reason;
}

MoleculeReading ReadSmiles(std::string_view smiles, Depiction depiction) {
  const std::string text(Trimmed(smiles));
  if (text.empty()) return Refused(MoleculeRefusalKind::Empty, "No SMILES given", "");
  // RDKit reads a C string: past a NUL byte it would silently read another molecule.
  if (text.find('\0') != std::string::npos)
    return Refused(MoleculeRefusalKind::Invalid, "Invalid SMILES", "it holds a NUL byte");
  // The SMILES alone: a name written after it may be long.
  const std::size_t length = std::min(text.find_first_of(" \t\r\n\f\v"), text.size());
  if (length > kMaxSmilesLength) {
    return Refused(MoleculeRefusalKind::TooLarge,
                   TooLargeText("SMILES has " + std::to_string(length) + " characters (at most " +
                                std::to_string(kMaxSmilesLength) + " are read)"),
                   "");
  }
  Parsed parsed = ParseSmiles(text);
  if (!parsed.molecule) {
    MoleculeReading reading =
        Refused(MoleculeRefusalKind::Invalid, "Invalid SMILES", std::move(parsed.failure));
    reading.smiles = text;
    return reading;
  }
  MoleculeReading reading = FromMolecule(*parsed.molecule);
  parsed.molecule->getPropIfPresent(RDKit::common_properties::_Name, reading.name);
  reading.smiles = WithoutName(text, reading.name);
  if (depiction == Depiction::Compute && reading.IsTree()) {
    reading.depiction = ComputedDepiction(*parsed.molecule);
  }
  return reading;
}

MoleculeReading ReadMolBlock(std::string_view block, Depiction depiction) {
  if (Trimmed(block).empty()) {
    return Refused(MoleculeRefusalKind::Empty, "Empty molfile record", "");
  }
  std::string text(block);
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  if (const auto atoms = StatedV3000Atoms(text); atoms && MoreThan(*atoms, kMaxMolfileAtoms)) {
    MoleculeReading reading =
        Refused(MoleculeRefusalKind::TooLarge,
                TooLargeText("molfile record states " + *atoms + " atoms (at most " +
                             std::to_string(kMaxMolfileAtoms) + " are read)"),
                "");
    reading.name = TitleLine(text);
    return reading;
  }
  Parsed parsed = ParseMolBlock(text);
  if (!parsed.molecule) {
    MoleculeReading reading = Refused(MoleculeRefusalKind::Invalid, "Unreadable molfile record",
                                      std::move(parsed.failure));
    reading.name = TitleLine(text);
    return reading;
  }
  MoleculeReading reading = FromMolecule(*parsed.molecule);
  reading.name = TitleLine(text);
  reading.smiles = WrittenSmiles(*parsed.molecule);
  if (depiction == Depiction::Compute && reading.IsTree()) {
    reading.depiction = HasUsable2DCoordinates(*parsed.molecule)
                            ? HeavyAtomPoints(*parsed.molecule)
                            : ComputedDepiction(*parsed.molecule);
  }
  return reading;
}

}  // namespace korvelant
