#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// The tree file: a tree as the user entered it, vertices, edges and where each vertex
// stands on the 20 x 20 grid, so that opening it brings the window back to the same tree.
// A small line-oriented text, written with LF line ends:
//
//   korvelant-tree 1
//   vertices 4
//   edges 1-2,2-3,2-4
//   positions 2,10 10,18 18,10 10,2
//
// - The first line names the format and its version. A file that does not open with
//   "korvelant-tree " is not a tree file; a later version than 1 is refused, not guessed.
// - "vertices N": the vertex count, 0 to kMaxMatrixVertices. Required.
// - "edges a-b,c-d,...": the edges, each once, vertices 1..N, no loops; may be empty
//   ("edges" alone). Optional; a file without it has no edges. The entered graph need not
//   be a tree: a half-entered tree is saved and opened as it is.
// - "positions x,y x,y ...": the grid values of vertices 1..N in order, each 1..20 as the
//   window's coordinate lists show them. Optional; without it the vertices stand on the
//   circle a new tree of N vertices starts with.
// - Each entry at most once, in any order after the first line. Blanks around words, CR LF
//   line ends, empty lines and lines starting with "#" are accepted.
// Anything else is refused with the line number and what is wrong.

inline constexpr std::string_view kTreeFileMagic = "korvelant-tree";
inline constexpr int kTreeFileVersion = 1;

struct SavedTree {
  Graph graph;
  // positions[v - 1] for vertex v, as 0-based grid positions (the list showing one more).
  std::vector<GridPosition> positions;

  friend bool operator==(const SavedTree&, const SavedTree&) = default;
};

struct TreeFileReading {
  std::optional<SavedTree> tree;  // absent when the text is refused
  std::string error;              // why it was refused; empty when it was read
};

// What keeps `tree` from being written to a tree file (a vertex count past
// kMaxMatrixVertices, an edge outside 1..N, a loop, an edge twice, a position count other
// than N, a position outside the grid), or nothing.
std::optional<std::string> TreeProblem(const SavedTree& tree);

// Reads the text of a tree file. Never throws for bad input.
TreeFileReading ReadTreeFile(std::string_view text);

// The text of a tree file for `tree`, every edge written smaller vertex first. Throws
// std::invalid_argument when the tree breaks a rule above (so that a file written is always
// a file that reads back).
std::string TreeFileText(const SavedTree& tree);

}  // namespace korvelant
