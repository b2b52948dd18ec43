#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "drawing/plane_layout.hpp"
#include "input/ignoring_case.hpp"
#include "input/quoted_text.hpp"
#include "model/graph.hpp"
#include "model/matrix_kind.hpp"
#include "render/paper_picture_file.hpp"

namespace korvelant {

// How a tree given by its edges is laid out: as a chemist draws its carbon skeleton, or on
// the circle a new tree of the window starts with.
enum class DrawLayout { kSkeleton, kCircle };
inline constexpr std::pair<std::string_view, DrawLayout> kLayoutNames[] = {
    {"skeleton", DrawLayout::kSkeleton}, {"circle", DrawLayout::kCircle}};

// The choice `text` names in `names`, in any letter case, or the message refusing it:
// "--background needs one of white, none, window, not "pink"" for `what` "--background".
template <typename Choice, std::size_t N>
std::variant<Choice, std::string> ReadChoice(const std::pair<std::string_view, Choice> (&names)[N],
                                             std::string_view what, std::string_view text) {
  std::string listed;
  for (const auto& [name, choice] : names) {
    if (SameIgnoringCase(text, name)) return choice;
    listed += (listed.empty() ? "" : ", ") + std::string(name);
  }
  return std::string(what) + " needs one of " + listed + ", not " + QuotedText(text);
}

// Where each vertex of `tree` stands ([v - 1] for vertex v): on the window's circle when
// asked; else as `depiction` (a molecule's) has it; else as RDKit depicts the carbon
// skeleton.
std::vector<PlanePoint> LaidOutPoints(const Graph& tree, std::span<const PlanePoint> depiction,
                                      DrawLayout layout);

// The largest trees drawn: a matrix of n x n miniature trees costs n^3 drawn vertices (a
// 128-vertex matrix is a 59 MB SVG and a minute's painting of a PNG); a tree alone, n.
inline constexpr int kMaxDrawnMatrixVertices = 128;
inline constexpr int kMaxDrawnTreeVertices = 1000;

// Why the tree of `vertexCount` vertices is not drawn (as a matrix when `matrix`), or
// nothing when it is: "draw draws the matrices of trees of up to 128 vertices; this one
// has 200."
std::optional<std::string> DrawingRefusal(int vertexCount, bool matrix);

// What Qt calls critical while draw paints, reported as the program's own problem: every line
// on standard error is the program's.
void ReportQtProblems(std::string_view message);

}  // namespace korvelant
