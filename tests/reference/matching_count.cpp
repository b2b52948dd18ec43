#include "reference/matching_count.hpp"

namespace korvelant {

void Izbroji(TreeModel& model) {
  constexpr int kTaken = -1;
  Int16 v = 1;
  while (model.Used(v) != 0)
    ++v;  // the lowest free vertex, or the end marker n + 1
  if (v == model.VertexCount + 1) {
    ++model.MatchCount;
    return;
  }

  model.Used(v) = kTaken;  // v stays unmatched
  Izbroji(model);

  const Int16 neighbours = model.NbrCount(v);
  for (Int16 i = 1; i <= neighbours; ++i) {
    const Int16 w = model.NbrList(v, i);
    if (model.Used(w) == 0) {  // v matched to w
      model.Used(w) = kTaken;
      Izbroji(model);
      model.Used(w) = 0;
    }
  }
  model.Used(v) = 0;
}

void CountSubgraphMatchings(TreeModel& model) {
  const Int16 n = model.VertexCount;
  for (Int16 k = 1; k <= n; ++k)
    model.Used(k) = 0;
  model.Used(n + 1) = 0;  // the end marker of the free-vertex search
  for (Int16 k = 1; k <= n; ++k) {
    model.NbrCount(k) = 0;
    for (Int16 l = 1; l <= n; ++l) {
      if (model.SubAdjacency(k, l) == 1) {
        ++model.NbrCount(k);
        model.NbrList(k, model.NbrCount(k)) = l;
      }
    }
  }
  model.MatchCount = 0;
  Izbroji(model);
}

}  // namespace korvelant
