#include "molecules/skeleton_layout.hpp"

#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>

#include "molecules/rdkit_setup.hpp"

namespace korvelant {
namespace {

constexpr int kCarbon = 6;
constexpr int kDummy = 0;
constexpr int kCarbonBonds = 4;

}  // namespace

std::vector<DepictionPoint> SkeletonLayout(const Graph& tree) {
  try {
    const rdkit_setup::SharedUse use;
    std::vector<int> degree(static_cast<std::size_t>(tree.vertexCount) + 1, 0);
    for (const auto& [a, b] : tree.edges) {
      ++degree.at(static_cast<std::size_t>(a));
      ++degree.at(static_cast<std::size_t>(b));
    }
    RDKit::RWMol molecule;
    for (int v = 1; v <= tree.vertexCount; ++v) {
      auto* atom =
          new RDKit::Atom(degree[static_cast<std::size_t>(v)] > kCarbonBonds ? kDummy : kCarbon);
      atom->setNoImplicit(true);
      molecule.addAtom(atom, /*updateLabel=*/false, /*takeOwnership=*/true);
    }
    for (const auto& [a, b] : tree.edges) {
      molecule.addBond(static_cast<unsigned>(a - 1), static_cast<unsigned>(b - 1),
                       RDKit::Bond::SINGLE);
    }
    RDKit::MolOps::findSSSR(molecule);
    RDDepict::compute2DCoords(molecule, nullptr, /*canonOrient=*/true);
    std::vector<DepictionPoint> points;
    const RDKit::Conformer& conformer = molecule.getConformer();
    for (unsigned v = 0; v < molecule.getNumAtoms(); ++v) {
      const RDGeom::Point3D& p = conformer.getAtomPos(v);
      points.push_back({p.x, p.y});
    }
    return points;
  } catch (...) {
    return {};
  }
}

}  // namespace korvelant
