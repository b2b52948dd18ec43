// ReadSmiles as the window calls it, depiction included: any bytes give a tree with one
// depiction point per vertex, or a refusal that fits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.hpp"
#include "molecule_reading_checks.hpp"
#include "molecules/molecule_reading.hpp"
#include "text_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const MoleculeReading reading = ReadSmiles(text, Depiction::Compute);
  fuzz::CheckMoleculeReading(reading, Depiction::Compute);

  const std::string_view given = fuzz::Trimmed(text);
  const bool refusedAsEmpty =
      reading.refusal && reading.refusal->kind == MoleculeRefusalKind::Empty;
  FUZZ_REQUIRE(refusedAsEmpty == given.empty());
  // The SMILES kept is the one given, without the name written after it.
  FUZZ_REQUIRE(given.starts_with(reading.smiles));
  FUZZ_REQUIRE(given.ends_with(reading.name));
  return 0;
}
