#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <string_view>

#include "render/control_table.hpp"
#include "render/drawing_painter.hpp"

namespace korvelant {

// The window's design as far as a picture needs it, without any widget: the command line
// draws the same pictures at the same size, in the same font, as the window shows them.

// The designed control of that name; throws std::logic_error for none.
const DesignedControl& Designed(std::string_view name);

// The design's font: its face, or the nearest substitute there is, at the design's size.
QFont DesignFont(DesignedFont design);

// The picture boxes of the design.
inline constexpr std::string_view kPreviewPicture = "MalaSlika";
inline constexpr std::string_view kLargePicture = "VelikaSlika";
// The sunken border of a picture box; its drawing starts inside it.
inline constexpr int kPictureBorderPixels = 2;

// The drawing area of a designed picture box, in pixels, border left out.
QSize DesignedPictureArea(std::string_view picture);

// How a designed picture box draws with `palette`: the background, ink and font the window
// gives it.
DrawingStyle DesignedPictureStyle(std::string_view picture, const QPalette& palette);

}  // namespace korvelant
