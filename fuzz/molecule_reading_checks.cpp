#include "molecule_reading_checks.hpp"

#include <cmath>

#include "engine/rooted_tree.hpp"
#include "fuzz_require.hpp"
#include "text_checks.hpp"

namespace korvelant::fuzz {

void CheckMoleculeReading(const MoleculeReading& reading, Depiction depiction) {
  FUZZ_REQUIRE(reading.graph.vertexCount >= 0);
  // A molecule past the limit keeps its skeleton, so that the window can say how large it is.
  const bool tooLarge = reading.refusal && reading.refusal->kind == MoleculeRefusalKind::TooLarge;
  FUZZ_REQUIRE(tooLarge || reading.graph.vertexCount <= kMaxHalfSumVertices);
  FUZZ_REQUIRE(Trimmed(reading.name) == reading.name);
  if (reading.IsTree()) {
    FUZZ_REQUIRE(RootTree(reading.graph).has_value());
    if (depiction == Depiction::Compute) {
      FUZZ_REQUIRE(reading.depiction.size() == static_cast<std::size_t>(reading.graph.vertexCount));
      for (const PlanePoint& point : reading.depiction) {
        FUZZ_REQUIRE(std::isfinite(point.x) && std::isfinite(point.y));
      }
    }
    return;
  }
  const MoleculeRefusal& refusal = *reading.refusal;
  FUZZ_REQUIRE(!refusal.message.empty());
  FUZZ_REQUIRE(IsOneLine(RefusalText(refusal)));
  FUZZ_REQUIRE(reading.depiction.empty());
  if (refusal.kind == MoleculeRefusalKind::NotATree) {
    FUZZ_REQUIRE(!refusal.reason.empty());
    FUZZ_REQUIRE(!RootTree(reading.graph).has_value());
  } else if (!tooLarge) {
    FUZZ_REQUIRE(reading.graph == Graph{});  // nothing was read
  }
}

}  // namespace korvelant::fuzz
