#include "matrices/paper_picture.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include <string>
#include "engine/element_subgraph.hpp"
#include "matrices/cell_geometry.hpp"

namespace korvelant {
namespace {

constexpr double kTwips = 15;  // twips to a pixel of the layout
constexpr double kWindowCellPixels = kCellPitch / kTwips;
constexpr double kMatrixPixels = 1200;
// The miniature leaves this share of a cell free on every side.
constexpr double kCellPadding = 0.1;
// The width of a digit and the height of a line of text, in font sizes: enough for the
// faces Qt offers, so numbers and captions are placed without measuring them.
constexpr double kDigitWidth = 0.6;
constexpr double kLineHeight = 1.25;
constexpr int kThinLine = 1;

int DigitCount(int n) {
  return static_cast<int>(std::to_string(n).size());
}

// Top-left corner of a text of `characters` centred on `centre`.
TwipPoint CentredText(TwipPoint centre, std::size_t characters, double font) {
  return {static_cast<float>(centre.x - kDigitWidth * font * kTwips * characters / 2),
          static_cast<float>(centre.y - kLineHeight * font * kTwips / 2)};
}

struct Stroke {
  TwipPoint from, to;
};

// What the cells draw, gathered by kind so the picture is recorded one kind after another.
struct CellShapes {
  std::vector<TwipPoint> circles;
  std::vector<Stroke> thin, thick;
  std::vector<std::pair<TwipPoint, std::string>> texts;
};

// A tenth of a pixel: finer than any screen or print shows, and short numbers in a file.
TwipPoint Snapped(TwipPoint p) {
  constexpr float kStep = 1.5f;
  return {std::round(p.x / kStep) * kStep, std::round(p.y / kStep) * kStep};
}

// Circles smaller than this are dots that only thicken the edges' ends; the edges still
// show every vertex, as a chemist's skeleton does.
constexpr float kLeastCircleTwips = 1.5f * kTwips;

void Record(const CellShapes& shapes, float radius, int thickLine, Drawing& drawing) {
  drawing.SetLineWidth(kThinLine);
  if (radius >= kLeastCircleTwips) {
    for (const TwipPoint centre : shapes.circles)
      drawing.DrawCircle(Snapped(centre), radius);
  }
  for (const Stroke& stroke : shapes.thin)
    drawing.DrawLine(Snapped(stroke.from), Snapped(stroke.to));
  drawing.SetLineWidth(thickLine);
  for (const Stroke& stroke : shapes.thick)
    drawing.DrawLine(Snapped(stroke.from), Snapped(stroke.to));
  drawing.SetLineWidth(kThinLine);
  for (const auto& [corner, text] : shapes.texts) {
    drawing.SetTextPosition(Snapped(corner));
    drawing.Print(text);
  }
}

// A vertex circle and a kept edge sized to the miniature's edges, in twips and pixels.
float CircleRadius(double edgeTwips, double cellTwips) {
  return std::round(static_cast<float>(std::min(0.2 * edgeTwips, 0.05 * cellTwips)));
}
int ThickLine(double edgeTwips) {
  return static_cast<int>(std::clamp(std::lround(0.25 * edgeTwips / kTwips), 2L, 5L));
}

// The caption's line under everything else, and the picture's width grown to hold it.
void PlaceCaption(const std::string& caption, double font, double margin, PaperPicture& picture,
                  CellShapes& shapes) {
  if (caption.empty()) return;
  const double width = kDigitWidth * font * static_cast<double>(caption.size());
  picture.width = std::max(picture.width, width + 2 * margin);
  const double top = picture.height;
  shapes.texts.emplace_back(TwipPoint{static_cast<float>((picture.width - width) / 2 * kTwips),
                                      static_cast<float>(top * kTwips)},
                            caption);
  picture.height = top + kLineHeight * font + margin;
}

}  // namespace

double PaperCellPixels(int vertexCount) {
  const int n = std::max(vertexCount, 1);
  // Room for n vertices kLeastVertexPixels apart: about 1 / sqrt(n) of the miniature each.
  const double roomy = 2 * kLeastVertexPixels * std::sqrt(n) / (1 - 2 * kCellPadding);
  return std::max(std::min(kMatrixPixels / n, kWindowCellPixels), roomy);
}

PaperPicture DrawPaperMatrix(const RootedTree& tree, std::span<const PlanePoint> points,
                             MatrixType type, const PaperOptions& options) {
  const int n = tree.vertexCount();
  const double cell = PaperCellPixels(n);
  const double font = std::clamp(0.3 * cell, 10.0, 16.0);
  const double margin = 0.6 * font;
  const double left = margin + (options.numbers ? kDigitWidth * font * DigitCount(n) + margin : 0);
  const double top = margin + (options.numbers ? kLineHeight * font : 0);

  const double side = cell * (1 - 2 * kCellPadding) * kTwips;
  const std::vector<PlanePoint> spread = SpreadApart(points, kLeastVertexPixels * kTwips / side);
  const std::vector<TwipPoint> unit = FitIntoSquare(spread, {{0, 0}, side});
  std::vector<PlanePoint> fitted;
  for (const TwipPoint t : unit)
    fitted.push_back({t.x, t.y});
  const double edge = MedianEdgeLength(tree.graph, fitted);
  CellShapes shapes;
  auto cellCorner = [&](int i, int j) {
    return TwipPoint{static_cast<float>((left + (i - 1) * cell) * kTwips),
                     static_cast<float>((top + (j - 1) * cell) * kTwips)};
  };
  const float inset = static_cast<float>(cell * kCellPadding * kTwips);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      const TwipPoint corner = cellCorner(i, j);
      if (IsEmptyElement(tree, i, j, type)) {
        const TwipPoint centre{corner.x + static_cast<float>(cell * kTwips / 2),
                               corner.y + static_cast<float>(cell * kTwips / 2)};
        shapes.texts.emplace_back(CentredText(centre, 1, font), "0");
        continue;
      }
      auto at = [&](int v) {
        const TwipPoint p = unit[static_cast<std::size_t>(v) - 1];
        return TwipPoint{corner.x + inset + p.x, corner.y + inset + p.y};
      };
      for (int v = 1; v <= n; ++v)
        shapes.circles.push_back(at(v));
      const std::vector<bool> removed = RemovedEdges(tree, i, j, type);
      for (std::size_t e = 0; e < tree.graph.edges.size(); ++e) {
        const auto [a, b] = tree.graph.edges[e];
        (removed[e] ? shapes.thin : shapes.thick).push_back({at(a), at(b)});
      }
    }
  }
  if (options.numbers) {
    for (int k = 1; k <= n; ++k) {
      const std::string number = std::to_string(k);
      const TwipPoint column{
          static_cast<float>((left + (k - 0.5) * cell) * kTwips),
          static_cast<float>((top - kLineHeight * font / 2 - 0.2 * margin) * kTwips)};
      shapes.texts.emplace_back(CentredText(column, number.size(), font), number);
      const double rowRight = left - margin;
      const TwipPoint row{
          static_cast<float>((rowRight - kDigitWidth * font * number.size() / 2) * kTwips),
          static_cast<float>((top + (k - 0.5) * cell) * kTwips)};
      shapes.texts.emplace_back(CentredText(row, number.size(), font), number);
    }
  }
  PaperPicture picture;
  picture.fontPixels = font;
  picture.width = left + n * cell + margin;
  picture.height = top + n * cell + margin;
  PlaceCaption(options.caption, font, margin, picture, shapes);
  Record(shapes, CircleRadius(edge, cell * kTwips), ThickLine(edge), picture.drawing);
  return picture;
}

PaperPicture DrawPaperTree(const Graph& tree, std::span<const PlanePoint> points,
                           const PaperOptions& options) {
  constexpr double kEdgePixels = 40;
  const double font = 14;
  const double margin = 1.5 * font;
  const std::vector<PlanePoint> spread =
      SpreadApart(points, 0.5 / std::sqrt(std::max(tree.vertexCount, 1)));
  const double twipsPerUnit = kEdgePixels * kTwips / MedianEdgeLength(tree, spread);
  TwipPoint size;
  const std::vector<TwipPoint> at =
      ScaledFrom(spread, twipsPerUnit,
                 {static_cast<float>(margin * kTwips), static_cast<float>(margin * kTwips)}, size);
  CellShapes shapes;
  for (std::size_t v = 0; v < at.size(); ++v) {
    shapes.circles.push_back(at[v]);
    if (options.numbers) {
      // Above and to the right of its circle, clear of the edges of most skeletons.
      shapes.texts.emplace_back(TwipPoint{at[v].x + static_cast<float>(0.25 * font * kTwips),
                                          at[v].y - static_cast<float>(1.3 * font * kTwips)},
                                std::to_string(v + 1));
    }
  }
  for (const auto& [a, b] : tree.edges)
    shapes.thick.push_back(
        {at[static_cast<std::size_t>(a) - 1], at[static_cast<std::size_t>(b) - 1]});
  PaperPicture picture;
  picture.fontPixels = font;
  picture.width = size.x / kTwips + 2 * margin;
  picture.height = size.y / kTwips + 2 * margin;
  PlaceCaption(options.caption, font, margin, picture, shapes);
  Record(shapes, static_cast<float>(0.15 * kEdgePixels * kTwips), 2, picture.drawing);
  return picture;
}

}  // namespace korvelant
