// SdfRecord, the batch reader of one SD file record: any bytes follow every batch reader's
// rules, and the name is one line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.hpp"
#include "molecules/molecule_records.hpp"
#include "text_checks.hpp"
#include "tree_record_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view block(reinterpret_cast<const char*>(data), size);
  const TreeRecord record = SdfRecord(block);
  fuzz::CheckTreeRecord(record, fuzz::TreeProblems::AlwaysNamed);
  FUZZ_REQUIRE(fuzz::IsOneLine(record.name));
  FUZZ_REQUIRE(fuzz::Trimmed(record.name) == record.name);
  if (record.smiles) FUZZ_REQUIRE(!record.smiles->empty());
  return 0;
}
