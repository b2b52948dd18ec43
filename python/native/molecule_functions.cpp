// Molecules in: a SMILES or a molfile record read as the command-line tool reads them.
#include <pybind11/stl.h>

#include "model/vertex_positions.hpp"
#include "molecules/molecule_reading.hpp"
#include "native_module.hpp"

namespace korvelant::python {
namespace {

namespace py = pybind11;

// (vertex count, edges, depiction or None, why it is not a tree or "") for a molecule RDKit
// reads; ValueError with the tool's message for one it cannot, or one too large. The
// depiction, RDKit's 2D points, comes with a tree small enough for the window's grid.
py::tuple SkeletonOf(MoleculeReading molecule) {
  if (molecule.refusal && molecule.refusal->kind != MoleculeRefusalKind::NotATree)
    throw py::value_error(RefusalText(*molecule.refusal));
  py::object positions = py::none();
  if (!molecule.refusal && !molecule.depiction.empty()) {
    py::list points;
    for (const PlanePoint& point : molecule.depiction)
      points.append(py::make_tuple(point.x, point.y));
    positions = points;
  }
  const std::string problem = molecule.refusal ? molecule.refusal->reason : "";
  return py::make_tuple(molecule.graph.vertexCount, molecule.graph.edges, positions, problem,
                        molecule.name);
}

using MoleculeReader = MoleculeReading (*)(std::string_view, Depiction);

// Reads the molecule, and again with a depiction when it is a tree the window's grid holds:
// a depiction costs more than the reading.
py::tuple ReadSkeleton(MoleculeReader read, const std::string& text) {
  MoleculeReading molecule;
  {
    const py::gil_scoped_release reading;
    molecule = read(text, Depiction::Skip);
    if (!molecule.refusal && molecule.graph.vertexCount <= kMaxVertices)
      molecule = read(text, Depiction::Compute);
  }
  return SkeletonOf(std::move(molecule));
}

}  // namespace

void AddMoleculeFunctions(py::module_& module) {
  module.def("smiles_skeleton",
             [](const std::string& smiles) { return ReadSkeleton(ReadSmiles, smiles); });
  module.def("molblock_skeleton",
             [](const std::string& block) { return ReadSkeleton(ReadMolBlock, block); });
}

}  // namespace korvelant::python
