#include "nauty_text.hpp"

#include <algorithm>

#include "fuzz_require.hpp"
#include "tree_record_checks.hpp"

namespace korvelant::fuzz {
namespace {

// The six-bit groups of a record, most significant bit first.
class Bits {
 public:
  explicit Bits(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Left() const { return bytes_.size() * 6 - used_; }

  std::uint64_t Take(std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < count; ++k, ++used_) {
      const unsigned group = static_cast<unsigned char>(bytes_[used_ / 6]) - 63u;
      value = (value << 1) | ((group >> (5 - used_ % 6)) & 1u);
    }
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t used_ = 0;
};

bool AllSixBitBytes(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 63 && c <= 126; });
}

// The size field: one byte below 126; else 126 and three bytes; else 126, 126 and six.
// Only the shortest form that holds the size is well formed.
std::optional<std::uint64_t> TakeSize(std::string_view& bytes) {
  std::size_t length = 1, skip = 0;
  if (!bytes.empty() && bytes[0] == 126) {
    skip = bytes.size() > 1 && bytes[1] == 126 ? 2 : 1;
    length = skip == 1 ? 3 : 6;
  }
  if (bytes.size() < skip + length) return std::nullopt;
  Bits bits(bytes.substr(skip, length));
  bytes.remove_prefix(skip + length);
  const std::uint64_t size = bits.Take(length * 6);
  const std::size_t shortest = size <= 62 ? 1 : size <= 258047 ? 3 : 6;
  if (length != shortest) return std::nullopt;
  return size;
}

}  // namespace

std::string_view WithoutBlanksAndHeader(std::string_view line, std::string_view header) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  line = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
  if (line.starts_with(header)) line.remove_prefix(header.size());
  return line;
}

std::optional<DecodedGraph> DecodeGraph6(std::string_view record) {
  if (!AllSixBitBytes(record)) return std::nullopt;
  const auto n = TakeSize(record);
  if (!n || *n > 100000) return std::nullopt;
  // Exactly the bytes the upper triangle needs, its last one padded.
  const std::uint64_t pairs = *n * (*n - (*n > 0 ? 1 : 0)) / 2;
  if (record.size() != (pairs + 5) / 6) return std::nullopt;
  Bits bits(record);
  DecodedGraph graph{*n, {}};
  // The upper triangle of the adjacency matrix, column by column.
  for (std::uint64_t j = 1; j < *n; ++j) {
    for (std::uint64_t i = 0; i < j; ++i) {
      if (bits.Take(1) == 1)
        graph.edges.emplace_back(static_cast<int>(i + 1), static_cast<int>(j + 1));
    }
  }
  std::sort(graph.edges.begin(), graph.edges.end());
  return graph;
}

std::optional<DecodedGraph> DecodeSparse6(std::string_view record) {
  if (!record.starts_with(':')) return std::nullopt;
  record.remove_prefix(1);
  if (!AllSixBitBytes(record)) return std::nullopt;
  const auto n = TakeSize(record);
  if (!n) return std::nullopt;
  // Each step: a bit b, then k bits x, k the bits n - 1 needs. b = 1 moves to the next
  // vertex; x > v jumps to vertex x; else {x, v} is an edge. Padding ends the list, and so
  // does reaching vertex n.
  std::size_t k = 0;
  while (*n > 1 && (std::uint64_t{1} << k) < *n)
    ++k;
  DecodedGraph graph{*n, {}};
  Bits bits(record);
  std::uint64_t v = 0;
  while (bits.Left() >= k + 1) {
    if (bits.Take(1) == 1) ++v;
    const std::uint64_t x = bits.Take(k);
    if (v >= *n) break;
    if (x > v) {
      v = x;
    } else {
      graph.edges.emplace_back(static_cast<int>(x + 1), static_cast<int>(v + 1));
    }
  }
  std::sort(graph.edges.begin(), graph.edges.end());
  return graph;
}

void CheckNautyReader(std::string_view line, std::string_view header,
                      TreeRecord (*read)(std::string_view),
                      std::optional<DecodedGraph> (*decode)(std::string_view)) {
  const TreeRecord record = read(line);
  CheckTreeRecord(record, TreeProblems::MayBeUnnamed);
  const std::string_view text = WithoutBlanksAndHeader(line, header);
  const auto decoded = decode(text);
  const bool readable = decoded && decoded->vertices <= kMaxHalfSumVertices;
  FUZZ_REQUIRE(record.graph.has_value() == readable);
  if (readable) {
    FUZZ_REQUIRE(static_cast<std::uint64_t>(record.graph->vertexCount) == decoded->vertices);
    FUZZ_REQUIRE(record.graph->edges == decoded->edges);
    FUZZ_REQUIRE(record.name == text);
  }
}

}  // namespace korvelant::fuzz
