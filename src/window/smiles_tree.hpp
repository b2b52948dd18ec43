#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "input/tree_file.hpp"

namespace korvelant {

// A SMILES as the window takes it: the skeleton as a tree of at most kMaxVertices vertices,
// each vertex where the molecule's 2D depiction puts it on the 20 x 20 grid; or the reason
// the window refuses it.
struct SmilesTree {
  std::optional<SavedTree> tree;  // absent when refused
  std::string refusal;            // the one line the user reads; empty when read
};

// Refuses, in the order a user would fix things: no SMILES, what RDKit cannot read (with
// its reason), a skeleton that is not a tree ("... : 1 ring"), then a tree larger than the
// window draws (naming the command-line tool, which takes larger trees).
SmilesTree ReadSmilesTree(std::string_view smiles);

// "The window draws trees of up to 8 vertices; this molecule has 9. ..."
std::string TooLargeForWindowMessage(int vertexCount);

}  // namespace korvelant
