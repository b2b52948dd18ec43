#include "molecules/skeleton_layout.hpp"

#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>

#include <cmath>

#include "drawing/plane_layout.hpp"
#include "molecules/rdkit_setup.hpp"

namespace korvelant {
namespace {

constexpr int kCarbon = 6;
constexpr int kDummy = 0;
constexpr int kCarbonBonds = 4;

// RDKit's depiction lays a vertex of a dozen edges or more over its own neighbours.
constexpr double kLeastSpacing = 0.5;

bool Crowded(const Graph& tree, const std::vector<PlanePoint>& points) {
  const double least = kLeastSpacing * MedianEdgeLength(tree, points);
  for (std::size_t a = 0; a < points.size(); ++a)
    for (std::size_t b = a + 1; b < points.size(); ++b)
      if (std::hypot(points[a].x - points[b].x, points[a].y - points[b].y) < least) return true;
  return false;
}

}  // namespace

std::vector<PlanePoint> SkeletonLayout(const Graph& tree) {
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
    std::vector<PlanePoint> points;
    const RDKit::Conformer& conformer = molecule.getConformer();
    for (unsigned v = 0; v < molecule.getNumAtoms(); ++v) {
      const RDGeom::Point3D& p = conformer.getAtomPos(v);
      points.push_back({p.x, p.y});
    }
    return Crowded(tree, points) ? RadialLayout(tree) : points;
  } catch (...) {
    return RadialLayout(tree);
  }
}

}  // namespace korvelant
