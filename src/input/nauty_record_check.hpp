#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvelant {

enum class NautyFormat { kGraph6, kSparse6 };

// A graph6 or sparse6 line found fit for nauty's decoder, or why not.
struct CheckedNautyRecord {
  std::string_view text;       // the record without blanks and header, ":" kept for sparse6
  std::uint64_t vertices = 0;  // from the size field, when it could be read
  bool sizeRead = false;
  std::string error;  // empty when `text` may be handed to nauty
};

// nauty's decoders trust their input: they read as many bytes as the size field promises
// and abort on what they cannot allocate. This check makes sure they never meet such a
// record: surrounding blanks and an optional ">>graph6<<" / ">>sparse6<<" header are dropped;
// every byte after the ":" of sparse6 must be one of '?' (63) to '~' (126); the size field
// must be complete and in the shortest form, the one whose length nauty's SIZELEN assumes;
// the size must be within kMaxHalfSumVertices (above it `error` is HalfSumTooLargeMessage); and a
// graph6 body must have exactly the bytes its size needs. Digraph6 and incremental sparse6
// are refused. Positions in messages count bytes of the line from 1.
CheckedNautyRecord CheckNautyRecord(std::string_view line, NautyFormat format);

}  // namespace korvelant
