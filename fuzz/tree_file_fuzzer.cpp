// ReadTreeFile and TreeFileText: a text either reads to a tree that obeys the file's rules
// or is refused with a one-line reason; a tree read writes a text that reads back to the
// same tree and writes the same text again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_require.hpp"
#include "input/tree_file.hpp"
#include "text_checks.hpp"

namespace {

using namespace korvelant;

// The tree with every edge written smaller vertex first, as the writer writes it.
SavedTree Oriented(SavedTree tree) {
  for (Edge& edge : tree.graph.edges) {
    edge = {std::min(edge.first, edge.second), std::max(edge.first, edge.second)};
  }
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TreeFileReading reading = ReadTreeFile(text);
  FUZZ_REQUIRE(reading.tree.has_value() == reading.error.empty());
  if (!reading.tree) {
    FUZZ_REQUIRE(fuzz::IsOneLine(reading.error));
    // A reason quotes the file; cut short, it must not cut a character in two.
    if (fuzz::IsUtf8(text)) FUZZ_REQUIRE(fuzz::IsUtf8(reading.error));
    return 0;
  }
  const SavedTree& tree = *reading.tree;
  FUZZ_REQUIRE(!TreeProblem(tree).has_value());

  const std::string written = TreeFileText(tree);  // throws only for a tree that breaks a rule
  const TreeFileReading again = ReadTreeFile(written);
  FUZZ_REQUIRE(again.tree.has_value());
  FUZZ_REQUIRE(*again.tree == Oriented(tree));
  FUZZ_REQUIRE(TreeFileText(*again.tree) == written);
  return 0;
}
