#include "engine/hosoya_sums.hpp"

#include <vector>

namespace korvelant {
namespace {

// An element of a ring of polynomials cut after the square: c0 + c1 x + c2 x^2. Counting a
// set of objects with a weight that multiplies over disjoint parts, c1 and c2 then add up
// one and two marks over the objects.
struct Truncated {
  mpz_class c0;
  mpz_class c1;
  mpz_class c2;

  friend Truncated operator*(const Truncated& a, const Truncated& b) {
    return {a.c0 * b.c0, a.c0 * b.c1 + a.c1 * b.c0, a.c0 * b.c2 + a.c1 * b.c1 + a.c2 * b.c0};
  }
  friend Truncated operator+(const Truncated& a, const Truncated& b) {
    return {a.c0 + b.c0, a.c1 + b.c1, a.c2 + b.c2};
  }
};

// The matchings of a subtree, in two rings at once:
//  - sizes: each matching weighs (1 + x)^k for its k edges, so c1 sums k and c2 C(k, 2);
//  - paths: each matching counts the vertices i whose path up to the subtree's top avoids
//    the matching (c1, the top itself included), and the pairs in the subtree whose path
//    avoids it (c2): two such vertices below different children join into one such pair.
struct Counts {
  Truncated sizes;
  Truncated paths;

  friend Counts operator*(const Counts& a, const Counts& b) {
    return {a.sizes * b.sizes, a.paths * b.paths};
  }
  friend Counts operator+(const Counts& a, const Counts& b) {
    return {a.sizes + b.sizes, a.paths + b.paths};
  }
};

// A subtree's counts with its top free and with its top matched to a child.
struct Subtree {
  Counts free;
  Counts matched;
};

Subtree Alone() {
  Subtree top;
  top.free.sizes = {1, 0, 0};
  top.free.paths = {1, 1, 0};  // the top is a path end of its own
  top.matched.sizes = {0, 0, 0};
  top.matched.paths = {0, 0, 0};
  return top;
}

// Joins a child's subtree to its parent's. The edge between them stays out of the
// matching (the child's paths go on up) or joins a free parent to a free child (one edge
// more, and the child's paths stop there).
void Join(Subtree& parent, const Subtree& child) {
  const Counts out = child.free + child.matched;
  const Truncated& f = child.free.sizes;
  const Counts in{{f.c0, f.c1 + f.c0, f.c2 + f.c1}, {child.free.paths.c0, 0, child.free.paths.c2}};
  parent.matched = parent.matched * out + parent.free * in;
  parent.free = parent.free * out;
}

}  // namespace

HosoyaSums ComputeHosoyaSums(const RootedTree& tree) {
  const long n = tree.vertexCount();
  // A vertex's counts from its first child on until it joins its parent; then freed.
  std::vector<Subtree> subtree(tree.parent.size());
  std::vector<bool> started(tree.parent.size(), false);
  const auto at = [&](int v) -> Subtree& {
    if (!started[v]) {
      subtree[v] = Alone();
      started[v] = true;
    }
    return subtree[v];
  };
  Counts total;
  for (auto it = tree.order.rbegin(); it != tree.order.rend(); ++it) {
    const int v = *it;
    Subtree& mine = at(v);
    const int p = tree.parent[v];
    if (p == 0) {
      total = mine.free + mine.matched;
    } else {
      Join(at(p), mine);
    }
    mine = Subtree{};  // the digits go (a move swaps); empty numbers hold none
  }
  const mpz_class& z = total.sizes.c0;
  const mpz_class& k1 = total.sizes.c1;
  const mpz_class& k2 = total.sizes.c2;
  HosoyaSums sums;
  sums.egm = (n - 1) * z - k1;
  sums.svgm = k1;
  sums.pgm = total.paths.c2;
  sums.dvgm = n * (n - 1) / 2 * z - (2 * n - 3) * k1 + 4 * k2;
  return sums;
}

}  // namespace korvelant
