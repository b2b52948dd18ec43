// ReadMolBlock as the window calls it, depiction included: a molfile record of any bytes
// gives a tree with one depiction point per vertex, or a refusal that fits; the name is the
// title line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.hpp"
#include "molecule_reading_checks.hpp"
#include "molecules/molecule_reading.hpp"
#include "text_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view block(reinterpret_cast<const char*>(data), size);
  const MoleculeReading reading = ReadMolBlock(block, Depiction::Compute);
  fuzz::CheckMoleculeReading(reading, Depiction::Compute);

  const bool refusedAsEmpty =
      reading.refusal && reading.refusal->kind == MoleculeRefusalKind::Empty;
  FUZZ_REQUIRE(refusedAsEmpty == fuzz::Trimmed(block).empty());
  FUZZ_REQUIRE(fuzz::IsOneLine(reading.name));
  return 0;
}
