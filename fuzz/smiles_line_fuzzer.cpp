// SmilesLineRecord, the batch reader of a .smi line: the SMILES is the first word and the
// name the rest, and the record follows every batch reader's rules.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.hpp"
#include "molecules/molecule_records.hpp"
#include "text_checks.hpp"
#include "tree_record_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const TreeRecord record = SmilesLineRecord(line);
  fuzz::CheckTreeRecord(record, fuzz::TreeProblems::AlwaysNamed);

  const std::string_view given = fuzz::Trimmed(line);
  FUZZ_REQUIRE(record.smiles.has_value() == !given.empty());
  FUZZ_REQUIRE(fuzz::Trimmed(record.name) == record.name);
  FUZZ_REQUIRE(given.ends_with(record.name));
  if (record.smiles) {
    FUZZ_REQUIRE(given.starts_with(*record.smiles));
    FUZZ_REQUIRE(record.smiles->find_first_of(" \t\r\n\f\v") == std::string::npos);
  } else {
    FUZZ_REQUIRE(!record.error.empty());
  }
  return 0;
}
