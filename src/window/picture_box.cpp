#include "window/picture_box.hpp"

#include <QPainter>

namespace korvelant {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  // The sunken border of the design's picture box; drawings start inside it.
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

DrawingStyle PictureBox::drawingStyle() const {
  return {palette().color(kBackgroundRole), palette().color(QPalette::WindowText), font()};
}

void PictureBox::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.translate(inside.topLeft());
    PaintDrawing(painter, drawing_, drawingStyle(), inside.size());
  }
  QFrame::paintEvent(event);  // the border, over the edge of the background
}

}  // namespace korvelant
