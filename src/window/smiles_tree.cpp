#include "window/smiles_tree.hpp"

#include <exception>

#include "model/vertex_positions.hpp"
#include "molecules/grid_layout.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant {
namespace {

SmilesTree Refused(std::string why) {
  return SmilesTree{std::nullopt, std::move(why)};
}

}  // namespace

std::string TooLargeForWindowMessage(int vertexCount) {
  return "The window draws trees of up to " + std::to_string(kMaxVertices) +
         " vertices; this molecule has " + std::to_string(vertexCount) +
         ". Use korvelant-cli for larger trees.";
}

SmilesTree ReadSmilesTree(std::string_view smiles) {
  const MoleculeReading reading = ReadSmiles(smiles, Depiction::Compute);
  // Past the command line's limit the reader refuses too; the window names its own.
  const bool tooLarge = reading.graph.vertexCount > kMaxVertices;
  if (reading.refusal && (reading.refusal->kind != MoleculeRefusalKind::TooLarge || !tooLarge))
    return Refused(RefusalText(*reading.refusal));
  if (tooLarge) return Refused(TooLargeForWindowMessage(reading.graph.vertexCount));
  if (reading.depiction.size() != static_cast<std::size_t>(reading.graph.vertexCount))
    return Refused("RDKit could not lay out this molecule in two dimensions");
  SavedTree tree{reading.graph, GridLayout(reading.depiction)};
  return SmilesTree{std::move(tree), {}};
}

}  // namespace korvelant
