#include "support/slow_reference.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace korvelant::testing {
namespace {

using EdgeList = std::vector<std::pair<int, int>>;

// Bit e set: edges[e] belongs to the subgraph. Fixed arrays and masks keep the inner loops
// free of allocations, which matters in sanitizer builds.
using EdgeMask = unsigned;

constexpr std::int64_t kTicks = 10000;
constexpr int kMostVertices = 8;

using VertexArray = std::array<int, kMostVertices + 1>;

// The fixed arrays hold at most 8 vertices and the masks at most 31 edges.
void CheckGraph(int vertices, const EdgeList& edges) {
  bool fits = vertices >= 0 && vertices <= kMostVertices && edges.size() < 32;
  for (const auto& [a, b] : edges)
    fits = fits && a >= 1 && a <= vertices && b >= 1 && b <= vertices;
  if (!fits) throw std::invalid_argument("slow reference: graph out of range");
}

EdgeMask AllEdges(const EdgeList& edges) {
  return (EdgeMask{1} << edges.size()) - 1;
}

// Breadth-first search over the edges in `mask` from `source`: hops to every vertex (-1
// where unreachable) and the vertex each one was reached from (0 for the source).
struct SearchResult {
  VertexArray hops;
  VertexArray parent;
};

SearchResult Search(const EdgeList& edges, EdgeMask mask, int source) {
  SearchResult result;
  result.hops.fill(-1);
  result.parent.fill(0);
  result.hops[source] = 0;
  VertexArray queue{};
  int head = 0;
  int tail = 0;
  queue[tail++] = source;
  while (head < tail) {
    const int at = queue[head++];
    for (std::size_t e = 0; e < edges.size(); ++e) {
      if ((mask >> e & 1) == 0) continue;
      const auto [a, b] = edges[e];
      const int next = a == at ? b : b == at ? a : 0;
      if (next == 0 || result.hops[next] >= 0) continue;
      result.hops[next] = result.hops[at] + 1;
      result.parent[next] = at;
      queue[tail++] = next;
    }
  }
  return result;
}

bool SameEdge(const std::pair<int, int>& edge, int u, int v) {
  return (edge.first == u && edge.second == v) || (edge.first == v && edge.second == u);
}

bool Joined(const EdgeListTree& tree, int i, int j) {
  for (const auto& edge : tree.edges) {
    if (SameEdge(edge, i, j)) return true;
  }
  return false;
}

// Every subset of the kept edges whose edges share no vertex, the empty one included.
std::int64_t CountMatchings(const EdgeList& edges, EdgeMask kept) {
  std::int64_t count = 0;
  for (EdgeMask subset = 0; subset <= AllEdges(edges); ++subset) {
    if ((subset & ~kept) != 0) continue;
    unsigned covered = 0;
    bool disjoint = true;
    for (std::size_t e = 0; e < edges.size() && disjoint; ++e) {
      if ((subset >> e & 1) == 0) continue;
      const unsigned ends = (1u << edges[e].first) | (1u << edges[e].second);
      disjoint = (covered & ends) == 0;
      covered |= ends;
    }
    if (disjoint) ++count;
  }
  return count;
}

ReferenceValues IndicesOf(int vertices, const EdgeList& edges, EdgeMask kept) {
  ReferenceValues values;
  VertexArray degree{};
  for (std::size_t e = 0; e < edges.size(); ++e) {
    if ((kept >> e & 1) == 0) continue;
    ++degree[edges[e].first];
    ++degree[edges[e].second];
  }
  for (std::size_t e = 0; e < edges.size(); ++e) {
    if ((kept >> e & 1) == 0) continue;
    const std::int64_t product = degree[edges[e].first] * degree[edges[e].second];
    values.zagreb += product * kTicks;
    values.randic += ReferenceRandicTerm(product);
  }
  for (int k = 1; k <= vertices; ++k) {
    const SearchResult from_k = Search(edges, kept, k);
    for (int l = k + 1; l <= vertices; ++l) {
      if (from_k.hops[l] > 0) values.wiener += from_k.hops[l] * kTicks;
    }
  }
  values.hosoya = CountMatchings(edges, kept) * kTicks;
  return values;
}

EdgeMask RemovedMask(const EdgeListTree& tree, int i, int j, MatrixType type) {
  CheckGraph(tree.vertices, tree.edges);
  if (i < 1 || i > tree.vertices || j < 1 || j > tree.vertices) {
    throw std::invalid_argument("slow reference: element out of range");
  }
  EdgeMask removed = 0;
  if (type == MatrixType::PGM) {
    // Walk back from j along the parents of a search from i: the edges of the i..j path.
    const SearchResult from_i = Search(tree.edges, AllEdges(tree.edges), i);
    for (int v = j; from_i.parent[v] != 0; v = from_i.parent[v]) {
      for (std::size_t e = 0; e < tree.edges.size(); ++e) {
        if (SameEdge(tree.edges[e], v, from_i.parent[v])) removed |= EdgeMask{1} << e;
      }
    }
    return removed;
  }
  for (std::size_t e = 0; e < tree.edges.size(); ++e) {
    const auto [a, b] = tree.edges[e];
    const bool gone = type == MatrixType::EGM ? SameEdge(tree.edges[e], i, j)
                                              : a == i || a == j || b == i || b == j;
    if (gone) removed |= EdgeMask{1} << e;
  }
  return removed;
}

}  // namespace

std::int64_t ReferenceValues::Of(TopologicalIndex index) const {
  switch (index) {
    case TopologicalIndex::Wiener:
      return wiener;
    case TopologicalIndex::Randic:
      return randic;
    case TopologicalIndex::Zagreb:
      return zagreb;
    case TopologicalIndex::Hosoya:
      return hosoya;
  }
  return -1;
}

std::int64_t ReferenceRandicTerm(std::int64_t product) {
  // The nearest t to 10000 / sqrt(p) is the one with (2t - 1)^2 p <= 4e8 < (2t + 1)^2 p.
  // The square root only gives a first guess; the integer tests decide exactly.
  constexpr std::int64_t kFourSquaredTicks = 4 * kTicks * kTicks;
  if (product < 1) throw std::invalid_argument("slow reference: degree product below 1");
  std::int64_t t = std::llround(static_cast<double>(kTicks) / std::sqrt(product));
  while ((2 * t + 1) * (2 * t + 1) * product <= kFourSquaredTicks)
    ++t;
  while (t > 0 && (2 * t - 1) * (2 * t - 1) * product > kFourSquaredTicks)
    --t;
  return t;
}

ReferenceValues ReferenceIndices(const EdgeListTree& graph) {
  CheckGraph(graph.vertices, graph.edges);
  return IndicesOf(graph.vertices, graph.edges, AllEdges(graph.edges));
}

bool ReferenceIsEmpty(const EdgeListTree& tree, int i, int j, MatrixType type) {
  if (i == j) return true;
  const bool edge_type = type == MatrixType::EGM || type == MatrixType::SVGM;
  return edge_type && !Joined(tree, i, j);
}

std::vector<bool> ReferenceRemovedEdges(const EdgeListTree& tree, int i, int j, MatrixType type) {
  const EdgeMask removed = RemovedMask(tree, i, j, type);
  std::vector<bool> result;
  for (std::size_t e = 0; e < tree.edges.size(); ++e)
    result.push_back((removed >> e & 1) != 0);
  return result;
}

ReferenceValues ReferenceElement(const EdgeListTree& tree, int i, int j, MatrixType type) {
  if (ReferenceIsEmpty(tree, i, j, type)) return ReferenceValues{};
  const EdgeMask kept = AllEdges(tree.edges) & ~RemovedMask(tree, i, j, type);
  return IndicesOf(tree.vertices, tree.edges, kept);
}

std::string ReferenceNumberText(std::int64_t ticks) {
  std::string text(1, ' ');
  text.append(std::to_string(ticks / kTicks));
  std::string decimals = std::to_string(ticks % kTicks + kTicks).substr(1);
  while (!decimals.empty() && decimals.back() == '0')
    decimals.pop_back();
  if (!decimals.empty()) text.append(".").append(decimals);
  return text;
}

std::string ReferenceDoubleText(double value) {
  constexpr int kSignificantDigits = 15;
  const double magnitude = std::fabs(value);
  const int leadingDigitPower =
      magnitude == 0 ? 0 : static_cast<int>(std::floor(std::log10(magnitude)));
  const int decimals = std::max(0, kSignificantDigits - 1 - leadingDigitPower);
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  std::string digits(buffer, error == std::errc{} ? end : buffer);
  if (digits.find('.') != std::string::npos) {
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
  }
  return (value < 0 && digits != "0" ? "-" : " ") + digits;
}

std::string ReferenceFileText(const EdgeListTree& tree) {
  struct Block {
    const char* name;
    MatrixType type;
    TopologicalIndex index;
  };
  using enum MatrixType;
  using enum TopologicalIndex;
  static constexpr Block kBlocks[] = {
      {"WIEGM", EGM, Wiener},   {"RIEGM", EGM, Randic},   {"ZIEGM", EGM, Zagreb},
      {"HIEGM", EGM, Hosoya},   {"WIPGM", PGM, Wiener},   {"RIPGM", PGM, Randic},
      {"ZIPGM", PGM, Zagreb},   {"HIPGM", PGM, Hosoya},   {"WISVGM", SVGM, Wiener},
      {"RISVGM", SVGM, Randic}, {"ZISVGM", SVGM, Zagreb}, {"HISVGM", SVGM, Hosoya},
      {"WIDVGM", DVGM, Wiener}, {"RIDVGM", DVGM, Randic}, {"ZIDVGM", DVGM, Zagreb},
      {"HIDVGM", DVGM, Hosoya},
  };
  const int n = tree.vertices;
  std::string text;
  for (const Block& block : kBlocks) {
    const std::string name = block.name;
    text += name;
    if (name == "HIEGM" || name == "HIDVGM") text += "\r\n";
    text += "= { ";
    for (int i = 1; i <= n; ++i) {
      text += "{";
      for (int j = 1; j <= n; ++j) {
        text += ReferenceNumberText(ReferenceElement(tree, i, j, block.type).Of(block.index));
        text += j < n ? ", " : "}";
      }
      text += i < n ? ", \r\n" : " }\r\n";
    }
  }
  return text;
}

}  // namespace korvelant::testing
