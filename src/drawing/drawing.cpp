#include "drawing/drawing.hpp"

#include <utility>

namespace korvelant {

// An 8-vertex matrix drawing records 56 cells of 8 circles and 14 strokes, plus the
// diagonal's texts; reserving that once keeps a redraw free of allocations.
Drawing::Drawing() {
  shapes_.reserve(56 * (8 + 14) + 8);
}

void Drawing::Clear() {
  shapes_.clear();
  ++revision_;
}

void Drawing::DrawCircle(TwipPoint centre, float radius) {
  shapes_.emplace_back(CircleShape{centre, radius, lineWidth_});
  ++revision_;
}

void Drawing::DrawLine(TwipPoint from, TwipPoint to) {
  shapes_.emplace_back(LineShape{from, to, lineWidth_});
  ++revision_;
}

void Drawing::Print(std::string text) {
  shapes_.emplace_back(TextShape{textPosition_, std::move(text)});
  ++revision_;
}

Drawing Shifted(const Drawing& drawing, TwipPoint by) {
  auto moved = [by](TwipPoint p) { return TwipPoint{p.x + by.x, p.y + by.y}; };
  Drawing shifted;
  for (const Shape& shape : drawing.shapes()) {
    if (const auto* circle = std::get_if<CircleShape>(&shape)) {
      shifted.SetLineWidth(circle->lineWidth);
      shifted.DrawCircle(moved(circle->centre), circle->radius);
    } else if (const auto* line = std::get_if<LineShape>(&shape)) {
      shifted.SetLineWidth(line->lineWidth);
      shifted.DrawLine(moved(line->from), moved(line->to));
    } else if (const auto* text = std::get_if<TextShape>(&shape)) {
      shifted.SetTextPosition(moved(text->topLeft));
      shifted.Print(text->text);
    }
  }
  return shifted;
}

}  // namespace korvelant
