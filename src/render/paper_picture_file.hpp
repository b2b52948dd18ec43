#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "drawing/plane_layout.hpp"
#include "matrices/paper_picture.hpp"
#include "model/graph.hpp"
#include "model/matrix_kind.hpp"
#include "render/painting_application.hpp"

class QString;

namespace korvelant {

// The kinds of picture file made for a paper.
enum class DrawFileKind { kSvg, kPng, kPdf };

// The kind a file name asks for by its suffix, ".svg", ".png" or ".pdf" in any case; none
// for another suffix or none at all.
std::optional<DrawFileKind> DrawFileKindOf(const QString& path);

// The background of a picture for a paper: white, none (see-through) or the window's grey.
enum class PictureBackground { kWhite, kNone, kWindow };
inline constexpr std::pair<std::string_view, PictureBackground> kBackgroundNames[] = {
    {"white", PictureBackground::kWhite},
    {"none", PictureBackground::kNone},
    {"window", PictureBackground::kWindow}};

// A picture for a paper, as draw and the window's Export for a Paper make it.
struct PaperPictureRequest {
  std::optional<MatrixType> type;  // the tree alone when none
  PaperOptions options;
  PictureBackground background = PictureBackground::kWhite;
  // The picture's size, pixels in a PNG and points in an SVG or PDF; the one left out keeps
  // the picture's shape, and with both the picture is centred in that size.
  std::optional<int> width;
  std::optional<int> height;
  double scale = 1;  // a PNG's pixels per pixel of that size
  DrawFileKind kind = DrawFileKind::kSvg;
};

// The bytes of the picture of `tree` (a tree) with vertex v at `points[v - 1]`. A caller
// without a Qt application gets one for the painting, on `platform`, whose problems go to
// `problems`. Throws std::runtime_error when Qt cannot paint.
std::string PaperPictureBytes(const Graph& tree, std::span<const PlanePoint> points,
                              const PaperPictureRequest& request,
                              PaintingPlatform platform = PaintingPlatform::kUsersChoice,
                              QtProblems problems = nullptr);

}  // namespace korvelant
