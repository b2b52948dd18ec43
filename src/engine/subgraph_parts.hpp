#pragma once

#include "engine/subgraph_values.hpp"
#include "engine/tree_sides.hpp"

namespace korvelant {

// The parts every element's subgraph is made of, as values of a forest: its components side
// by side add their Wiener, Zagreb and Randic values and multiply their matchings.

// Adds the components of `part` to those of `sum`.
template <typename Count>
void AddComponents(BasicSubgraphValues<Count>& sum, const BasicSubgraphValues<Count>& part) {
  sum.wiener += part.wiener;
  sum.zagreb += part.zagreb;
  sum.randicTicks += part.randicTicks;
  sum.hosoya *= part.hosoya;
}

// A side as a component of its own: its top has lost the edge to the other side.
template <typename Count>
BasicSubgraphValues<Count> AloneValues(const BasicTreeSide<Count>& side) {
  return {side.wiener, side.randicTicksAlone, side.zagrebAlone, side.matchings};
}

// Where a subgraph takes away every edge at v: v alone, and the sides of v's neighbours but
// the one at place k, each a component. `facing` is v's side away from that neighbour
// (SideFacing), which the callers have at hand. Written into `outer` field by field: the
// loops that keep these would otherwise copy a value just stored field by field on the
// stack, and the processor waits for such stores before it can load their fields two at a
// time.
template <typename Count>
inline void FindOuterSides(const BasicTreeSides<Count>& sides, int v, int k,
                           const BasicTreeSide<Count>& facing, BasicSubgraphValues<Count>& outer) {
  const BasicTreeSide<Count>& toward = sides.Side(v, k);
  outer.wiener = sides.WienerAround(v) - toward.wiener;
  outer.randicTicks = sides.RandicTicksAloneAround(v) - toward.randicTicksAlone;
  outer.zagreb = sides.ZagrebAloneAround(v) - toward.zagrebAlone;
  outer.hosoya = facing.matchingsXFree;
}

}  // namespace korvelant
