/* The one place Korvelant calls nauty. nauty's headers are C11 (thread-local storage among
   others) and do not compile as C++, so this file is C and offers a plain interface. */
#ifndef KORVELANT_INPUT_NAUTY_BRIDGE_H
#define KORVELANT_INPUT_NAUTY_BRIDGE_H

#ifdef __cplusplus
extern "C" {
#endif

/* The vertex count that nauty's graphsize() reads from a graph6 or sparse6 record. */
int korvelant_nauty_size(char* record);

/* Decodes a graph6 or sparse6 record (no header, NUL-terminated) with nauty's
   stringtosparsegraph() and calls on_edge once per edge with 0-based ends a <= b: a loop
   once, an edge given twice in sparse6 twice. The record must have passed
   CheckNautyRecord: nauty reads as far as the size field says. */
void korvelant_nauty_edges(char* record, void* context, void (*on_edge)(void*, int, int));

#ifdef __cplusplus
}
#endif

#endif
