// Sparse6Record: a line is read exactly when it is a well-formed sparse6 record of at most
// kMaxTreeVertices vertices, and then to the graph a plain decoder finds. nauty's decoder,
// which trusts its input and is not instrumented, is judged by its answer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.hpp"
#include "input/nauty_records.hpp"
#include "nauty_text.hpp"
#include "tree_record_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const TreeRecord record = Sparse6Record(line);
  fuzz::CheckTreeRecord(record, fuzz::TreeProblems::MayBeUnnamed);

  std::string_view text = fuzz::WithoutBlanksAndHeader(line, ">>sparse6<<");
  const auto decoded = fuzz::DecodeSparse6(text);
  const bool readable = decoded && decoded->vertices <= kMaxTreeVertices;
  FUZZ_REQUIRE(record.graph.has_value() == readable);
  if (readable) {
    FUZZ_REQUIRE(static_cast<std::uint64_t>(record.graph->vertexCount) == decoded->vertices);
    FUZZ_REQUIRE(record.graph->edges == decoded->edges);
    FUZZ_REQUIRE(record.name == text);
  }
  return 0;
}
