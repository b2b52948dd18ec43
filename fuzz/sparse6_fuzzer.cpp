// Sparse6Record: a line is read exactly when it is a well-formed sparse6 record of at most
// kMaxHalfSumVertices vertices, and then to the graph a plain decoder finds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "input/nauty_records.hpp"
#include "nauty_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  fuzz::CheckNautyReader(line, ">>sparse6<<", Sparse6Record, fuzz::DecodeSparse6);
  return 0;
}
