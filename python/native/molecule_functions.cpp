// Molecules in: a SMILES or a molfile record read as the command-line tool reads them.
#include <pybind11/stl.h>

#include "molecules/molecule_reading.hpp"
#include "native_module.hpp"

namespace korvelant::python {
namespace {

namespace py = pybind11;

using MoleculeReader = MoleculeReading (*)(std::string_view, Depiction);

// (vertex count, edges, why it is not a tree or "", name) for a molecule RDKit reads;
// ValueError with the tool's message for one it cannot, or one too large. No depiction: it
// costs more than the reading, and only a drawing needs it.
py::tuple ReadSkeleton(MoleculeReader read, const std::string& text) {
  MoleculeReading molecule;
  {
    const py::gil_scoped_release reading;
    molecule = read(text, Depiction::Skip);
  }
  if (molecule.refusal && molecule.refusal->kind != MoleculeRefusalKind::NotATree)
    throw py::value_error(RefusalText(*molecule.refusal));
  const std::string problem = molecule.refusal ? molecule.refusal->reason : "";
  return py::make_tuple(molecule.graph.vertexCount, molecule.graph.edges, problem, molecule.name);
}

// RDKit's 2D points of the molecule's heavy atoms, the layout korvelant-cli draw gives a
// molecule; None when it has none.
py::object ReadDepiction(MoleculeReader read, const std::string& text) {
  MoleculeReading molecule;
  {
    const py::gil_scoped_release depicting;
    molecule = read(text, Depiction::Compute);
  }
  if (molecule.refusal || molecule.depiction.empty()) return py::none();
  py::list points;
  for (const PlanePoint& point : molecule.depiction)
    points.append(py::make_tuple(point.x, point.y));
  return points;
}

}  // namespace

void AddMoleculeFunctions(py::module_& module) {
  module.def("smiles_skeleton",
             [](const std::string& smiles) { return ReadSkeleton(ReadSmiles, smiles); });
  module.def("molblock_skeleton",
             [](const std::string& block) { return ReadSkeleton(ReadMolBlock, block); });
  module.def("smiles_depiction",
             [](const std::string& smiles) { return ReadDepiction(ReadSmiles, smiles); });
  module.def("molblock_depiction",
             [](const std::string& block) { return ReadDepiction(ReadMolBlock, block); });
}

}  // namespace korvelant::python
