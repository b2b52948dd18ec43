#include "render/drawing_painter.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <variant>

#include "render/twips.hpp"

namespace korvelant {
namespace {

QPointF ToPixels(TwipPoint point) {
  return {TwipsToPixels(point.x), TwipsToPixels(point.y)};
}

// Round ends and joins, so a thick edge ends in the vertex circle the way a wide pen of the
// platform the pictures were designed on draws it.
QPen PenOfWidth(const QColor& ink, int pixels) {
  return QPen(ink, pixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Stroking one path of millions of lines takes Qt minutes and gigabytes; runs of this many
// points keep a vector file small and the painting as fast as line by line.
constexpr int kLongestRun = 2000;

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing, const DrawingStyle& style,
                  const QSizeF& area, bool joined) {
  painter.save();
  painter.fillRect(QRectF(QPointF(0, 0), area), style.background);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(style.font);
  painter.setBrush(Qt::NoBrush);
  // Measured against the painter's device: a PDF or SVG device has its own resolution.
  const qreal ascent = QFontMetricsF(style.font, painter.device()).ascent();
  QPainterPath run;
  int runWidth = 0;
  auto endRun = [&] {
    if (run.isEmpty()) return;
    painter.setPen(PenOfWidth(style.ink, runWidth));
    painter.drawPath(run);
    run.clear();
  };
  for (const Shape& shape : drawing.shapes()) {
    const auto* line = std::get_if<LineShape>(&shape);
    if (joined && line != nullptr) {
      if (line->lineWidth != runWidth || run.elementCount() >= kLongestRun) endRun();
      runWidth = line->lineWidth;
      run.moveTo(ToPixels(line->from));
      run.lineTo(ToPixels(line->to));
      continue;
    }
    endRun();
    if (const auto* circle = std::get_if<CircleShape>(&shape)) {
      painter.setPen(PenOfWidth(style.ink, circle->lineWidth));
      const qreal radius = TwipsToPixels(circle->radius);
      painter.drawEllipse(ToPixels(circle->centre), radius, radius);
    } else if (line != nullptr) {
      painter.setPen(PenOfWidth(style.ink, line->lineWidth));
      painter.drawLine(ToPixels(line->from), ToPixels(line->to));
    } else if (const auto* text = std::get_if<TextShape>(&shape)) {
      // The recorded position is the text's top-left corner; Qt places the baseline.
      painter.setPen(style.ink);
      const QPointF topLeft = ToPixels(text->topLeft);
      painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent),
                       QString::fromStdString(text->text));
    }
  }
  endRun();
  painter.restore();
}

}  // namespace korvelant
