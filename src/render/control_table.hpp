#pragma once

#include <array>
#include <span>
#include <string_view>

namespace korvelant {

enum class ControlKind { Label, ListBox, TextBox, CommandButton, OptionButton, Frame, PictureBox };

// A font that a control asks for itself; points 0 means it takes its container's font.
struct DesignedFont {
  double points = 0;
  int weight = 400;
};

// One control of the window as designed. Positions and sizes are in twips, relative to the
// container (a frame, or the window's client area when `container` is empty). Element 0 of
// a control array is its template: designed invisible, copied while the window starts.
struct DesignedControl {
  std::string_view name;
  ControlKind kind;
  std::string_view container;
  int left;
  int top;
  int width;
  int height;
  int tab;
  std::string_view caption;
  DesignedFont font = {};
  bool isTemplate = false;
  bool selectedAtStart = false;
};

// The controls of the window in the order they are built: every frame before its content.
std::span<const DesignedControl> DesignedControls();

// The window's own font and the size of its client area, in points and twips.
inline constexpr DesignedFont kWindowFont = {12, 400};
inline constexpr int kClientWidthTwips = 19905;
inline constexpr int kClientHeightTwips = 14775;
inline constexpr std::string_view kWindowCaption = "Korvelant";
// Asked for first. Where it is missing, a face of about its widths stands in (the captions
// were fitted to it; a wider face would cut "Path-graphical matrix" short), and failing
// those the system's sans-serif face.
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr std::array<std::string_view, 5> kFontSubstitutes = {
    "Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans", "Helvetica"};

}  // namespace korvelant
