#pragma once

#include <string>
#include <variant>
#include <vector>

namespace korvelant {

// A point of a picture in twips (1/1440 inch), y growing downwards. Single precision, as
// the picture receives coordinates such as 1400 * 1 - 1000 + 1400 / 3 = 866.6667.
struct TwipPoint {
  float x = 0;
  float y = 0;
  friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

struct CircleShape {
  TwipPoint centre;
  float radius = 0;
  int lineWidth = 1;  // in screen pixels
  friend bool operator==(const CircleShape&, const CircleShape&) = default;
};

struct LineShape {
  TwipPoint from;
  TwipPoint to;
  int lineWidth = 1;  // in screen pixels
  friend bool operator==(const LineShape&, const LineShape&) = default;
};

// A text whose top-left corner stands at `topLeft`.
struct TextShape {
  TwipPoint topLeft;
  std::string text;
  friend bool operator==(const TextShape&, const TextShape&) = default;
};

using Shape = std::variant<CircleShape, LineShape, TextShape>;

// A retained picture: what was drawn since the last clear, in order, in twips. The drawing
// procedures record into it and the window replays it, so a repaint never loses a drawing
// and tests can read exact coordinates.
class Drawing {
 public:
  Drawing();

  void Clear();
  void SetLineWidth(int pixels) { lineWidth_ = pixels; }
  int lineWidth() const { return lineWidth_; }
  void DrawCircle(TwipPoint centre, float radius);
  void DrawLine(TwipPoint from, TwipPoint to);
  void SetTextPosition(TwipPoint position) { textPosition_ = position; }
  void Print(std::string text);

  const std::vector<Shape>& shapes() const { return shapes_; }
  bool empty() const { return shapes_.empty(); }
  // Changes with every clear and every shape, so a view knows when to repaint.
  unsigned revision() const { return revision_; }

 private:
  std::vector<Shape> shapes_;
  int lineWidth_ = 1;
  TwipPoint textPosition_;
  unsigned revision_ = 0;
};

// The drawing moved by `by`, every shape alike.
Drawing Shifted(const Drawing& drawing, TwipPoint by);

}  // namespace korvelant
