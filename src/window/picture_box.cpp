#include "window/picture_box.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <variant>

#include "window/twips.hpp"

namespace korvelant {
namespace {

QPointF ToPixels(TwipPoint point) {
  return {TwipsToPixels(point.x), TwipsToPixels(point.y)};
}

// Line widths are counted in screen pixels. Round ends and joins, so a thick edge ends in
// the vertex circle the way a wide pen of the platform draws it.
QPen PenOfWidth(const QColor& ink, int pixels) {
  return QPen(ink, pixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  // The sunken border of the design's picture box; drawings start inside it.
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, palette().color(kBackgroundRole));
    painter.setClipRect(inside);
    painter.translate(inside.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    painter.setBrush(Qt::NoBrush);
    const QColor ink = palette().color(QPalette::WindowText);
    const qreal ascent = QFontMetricsF(font(), this).ascent();
    for (const korvelant::Shape& shape : drawing_.shapes()) {
      if (const auto* circle = std::get_if<CircleShape>(&shape)) {
        painter.setPen(PenOfWidth(ink, circle->lineWidth));
        const qreal radius = TwipsToPixels(circle->radius);
        painter.drawEllipse(ToPixels(circle->centre), radius, radius);
      } else if (const auto* line = std::get_if<LineShape>(&shape)) {
        painter.setPen(PenOfWidth(ink, line->lineWidth));
        painter.drawLine(ToPixels(line->from), ToPixels(line->to));
      } else if (const auto* text = std::get_if<TextShape>(&shape)) {
        // The recorded position is the text's top-left corner; Qt places the baseline.
        painter.setPen(ink);
        const QPointF topLeft = ToPixels(text->topLeft);
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent),
                         QString::fromStdString(text->text));
      }
    }
  }
  QFrame::paintEvent(event);  // the border, over the edge of the background
}

}  // namespace korvelant
