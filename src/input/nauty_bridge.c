#include "input/nauty_bridge.h"

#include <nauty/gtools.h>

int korvelant_nauty_size(char* record) { return graphsize(record); }

void korvelant_nauty_edges(char* record, void* context, void (*on_edge)(void*, int, int)) {
  sparsegraph graph;
  int loops = 0;
  SG_INIT(graph);
  stringtosparsegraph(record, &graph, &loops);
  for (int a = 0; a < graph.nv; ++a) {
    const size_t start = graph.v[a];
    for (int k = 0; k < graph.d[a]; ++k) {
      const int b = graph.e[start + (size_t)k];
      if (a <= b) on_edge(context, a, b);
    }
  }
  SG_FREE(graph);
}
