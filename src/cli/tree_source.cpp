#include "cli/tree_source.hpp"

#include "cli/messages.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant {

std::optional<TreeInput> ReadTreeOrReport(const TreeSource& source, const CliStreams& streams,
                                          bool depict) {
  if (source.graph) return TreeInput{*source.graph, {}, {}};
  MoleculeReading molecule =
      ReadSmiles(source.smiles, depict ? Depiction::Compute : Depiction::Skip);
  if (molecule.graph.vertexCount > kMaxMatrixVertices) {
    ReportProblem(streams.err, MatrixTooLargeMessage(molecule.graph.vertexCount));
    return std::nullopt;
  }
  if (molecule.refusal && molecule.refusal->kind != MoleculeRefusalKind::NotATree) {
    ReportProblem(streams.err, RefusalText(*molecule.refusal));
    return std::nullopt;
  }
  return TreeInput{std::move(molecule.graph), molecule.refusal ? molecule.refusal->reason : "",
                   std::move(molecule.depiction)};
}

}  // namespace korvelant
