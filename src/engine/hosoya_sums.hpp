#pragma once

#include <gmpxx.h>

#include "engine/rooted_tree.hpp"

namespace korvelant {

// The sums over unordered pairs {i, j} of the Hosoya elements of the four matrix types,
// for trees of any size, exact; each is half its matrix's element sum. They need no side
// of any edge: each is a count of pairs (matching M, pair {i, j}), and a matching of the
// subgraph of a pair is a matching M of the tree that meets the pair in the right way.
//  - EGM: M avoids the edge {i, j}: (n - 1) Z - K1.
//  - SVGM: M avoids i and j, joined: M with the edge {i, j} added, so K1.
//  - DVGM: M avoids i and j: the pairs of vertices M leaves free, C(n, 2) Z - (2n - 3) K1
//    + 4 K2 (C(n - 2k, 2) summed over the matchings of k edges).
//  - PGM: M avoids every edge on the path from i to j.
// Z is the number of matchings, K1 the sum of their sizes k and K2 the sum of C(k, 2): the
// matching polynomial and its first two derivatives at 1.
struct HosoyaSums {
  mpz_class egm;
  mpz_class pgm;
  mpz_class svgm;
  mpz_class dvgm;
};

// One pass from the leaves up, no recursion, keeping only the values of the subtrees not
// yet joined to their parents: O(n) numbers whose digits add up to O(n) words.
HosoyaSums ComputeHosoyaSums(const RootedTree& tree);

}  // namespace korvelant
