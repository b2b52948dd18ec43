#include "engine/randic_term.hpp"

#include <cmath>
#include <vector>

#include "model/fixed_decimal.hpp"
#include "model/graph.hpp"

namespace korvelant {
namespace {

// Degrees stay below the vertex limit, so a table of every product serves all trees.
const std::vector<std::int64_t>& RandicTerms() {
  static const std::vector<std::int64_t> kTerms = [] {
    constexpr int kLargestProduct = (kMaxTreeVertices - 1) * (kMaxTreeVertices - 1);
    std::vector<std::int64_t> terms(kLargestProduct + 1, 0);
    for (int product = 1; product <= kLargestProduct; ++product) {
      const double term = 1.0 / std::sqrt(static_cast<double>(product));
      terms[product] = FixedDecimal::FromDouble(term).ticks();
    }
    return terms;
  }();
  return kTerms;
}

}  // namespace

std::int64_t RandicTermTicks(int degreeProduct) {
  return RandicTerms().at(static_cast<std::size_t>(degreeProduct));
}

const std::int64_t* RandicTermTable() {
  return RandicTerms().data();
}

}  // namespace korvelant
