#include "support/forest_reference.hpp"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <vector>

#include "support/slow_reference.hpp"

namespace korvelant::testing {
namespace {

using VertexSet = ForestReference::VertexSet;

VertexSet Bit(int v) {
  return VertexSet{1} << (v - 1);
}
// The set's words one at a time: the standard bit functions take no 128-bit integer.
int Count(VertexSet set) {
  return std::popcount(static_cast<std::uint64_t>(set)) +
         std::popcount(static_cast<std::uint64_t>(set >> 64));
}
int Lowest(VertexSet set) {
  const auto low = static_cast<std::uint64_t>(set);
  if (low != 0) return std::countr_zero(low) + 1;
  return std::countr_zero(static_cast<std::uint64_t>(set >> 64)) + 65;
}

// The vertices reachable from `start` in `within` over the kept edges.
std::vector<int> Reach(const std::vector<std::vector<int>>& adjacent, int start,
                       std::vector<int>& hops) {
  std::fill(hops.begin(), hops.end(), -1);
  hops[start] = 0;
  std::vector<int> queue{start};
  for (std::size_t next = 0; next < queue.size(); ++next) {
    for (const int w : adjacent[queue[next]]) {
      if (hops[w] >= 0) continue;
      hops[w] = hops[queue[next]] + 1;
      queue.push_back(w);
    }
  }
  return queue;
}

}  // namespace

ForestReference::ForestReference(const Graph& tree)
    : tree_(tree), neighbours_(tree.vertexCount + 1, 0) {
  if (tree.vertexCount > 128) throw std::invalid_argument("forest reference: over 128 vertices");
  for (const auto& [a, b] : tree.edges) {
    neighbours_[a] |= Bit(b);
    neighbours_[b] |= Bit(a);
  }
}

ForestReference::VertexSet ForestReference::NeighboursIn(int v, VertexSet within) const {
  return neighbours_[v] & within;
}

// The matchings of the subtree induced by a connected vertex set.
Int128 ForestReference::Hosoya(VertexSet component) {
  if (Count(component) <= 1) return 1;
  if (const auto found = memo_.find(component); found != memo_.end()) return found->second;

  int leaf = 0;
  for (VertexSet rest = component; rest != 0; rest &= rest - 1) {
    const int v = Lowest(rest);
    if (Count(NeighboursIn(v, component)) == 1) {
      leaf = v;
      break;
    }
  }
  const int partner = Lowest(NeighboursIn(leaf, component));
  // Without the edge: the leaf alone and the connected rest. With it: both ends gone,
  // leaving the partner's other branches as separate components.
  Int128 count = Hosoya(component & ~Bit(leaf));
  Int128 withEdge = 1;
  VertexSet rest = component & ~Bit(leaf) & ~Bit(partner);
  while (rest != 0) {
    VertexSet part = Bit(Lowest(rest));
    for (VertexSet grown = part; grown != 0;) {
      VertexSet next = 0;
      for (VertexSet g = grown; g != 0; g &= g - 1)
        next |= NeighboursIn(Lowest(g), rest);
      grown = next & ~part;
      part |= next;
    }
    withEdge *= Hosoya(part);
    rest &= ~part;
  }
  count += withEdge;
  memo_.emplace(component, count);
  return count;
}

LargeReferenceValues ForestReference::Element(int i, int j, MatrixType type) {
  const int n = tree_.vertexCount;
  const bool joined = (neighbours_[i] & Bit(j)) != 0;
  if (i == j || ((type == MatrixType::EGM || type == MatrixType::SVGM) && !joined)) return {};

  // The path i..j from breadth-first parents, for PGM.
  std::vector<std::vector<int>> full(n + 1);
  for (const auto& [a, b] : tree_.edges) {
    full[a].push_back(b);
    full[b].push_back(a);
  }
  std::vector<int> hops(n + 1);
  Reach(full, i, hops);
  std::vector<std::pair<int, int>> path;
  for (int v = j; v != i;) {
    const int back = *std::find_if(full[v].begin(), full[v].end(),
                                   [&](int w) { return hops[w] == hops[v] - 1; });
    path.emplace_back(v, back);
    v = back;
  }

  std::vector<std::vector<int>> kept(n + 1);
  std::vector<int> degree(n + 1, 0);
  for (const auto& [a, b] : tree_.edges) {
    const bool isIJ = (a == i && b == j) || (a == j && b == i);
    const bool onPath = std::any_of(path.begin(), path.end(), [&](const auto& e) {
      return (e.first == a && e.second == b) || (e.first == b && e.second == a);
    });
    const bool atEnds = a == i || a == j || b == i || b == j;
    const bool removed = type == MatrixType::EGM ? isIJ : type == MatrixType::PGM ? onPath : atEnds;
    if (removed) continue;
    kept[a].push_back(b);
    kept[b].push_back(a);
    ++degree[a];
    ++degree[b];
  }

  LargeReferenceValues values;
  values.hosoya = 1;
  VertexSet seen = 0;
  for (int v = 1; v <= n; ++v) {
    const std::vector<int> reached = Reach(kept, v, hops);
    for (const int w : reached) {
      if (w > v) values.wiener += hops[w];
    }
    for (const int w : kept[v]) {
      if (w > v) {
        values.zagreb += degree[v] * degree[w];
        values.randicTicks += ReferenceRandicTerm(degree[v] * degree[w]);
      }
    }
    if ((seen & Bit(v)) != 0) continue;
    VertexSet component = 0;
    for (const int w : reached)
      component |= Bit(w);
    seen |= component;
    values.hosoya *= Hosoya(component);
  }
  return values;
}

}  // namespace korvelant::testing
