#include "window/remarks_label.hpp"

#include <QAccessible>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace korvelant {
namespace {

// Lays `text` out in lines of `width` pixels, one under the other; returns the height.
qreal LayOut(QTextLayout& layout, int width) {
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal height = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return height;
}

}  // namespace

RemarksLabel::RemarksLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
}

void RemarksLabel::SetRemark(const QString& text) {
  if (text != QLabel::text()) {
    setText(text);
    setToolTip(text);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
  if (!text.isEmpty()) {
    // A remark is the answer to a command (the half-sum, a refusal, a failure): read out
    // at once, wherever the reader's focus is, and again when a command gives it again.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
}

int RemarksLabel::heightForWidth(int width) const {
  const QMargins margins = contentsMargins();
  const int inside = width - margins.left() - margins.right();
  QTextLayout layout(text(), font());
  return static_cast<int>(std::ceil(LayOut(layout, inside))) + margins.top() + margins.bottom();
}

QSize RemarksLabel::sizeHint() const {
  return {width(), heightForWidth(width())};
}

QSize RemarksLabel::minimumSizeHint() const {
  return sizeHint();
}

void RemarksLabel::paintEvent(QPaintEvent* /*event*/) {
  QTextLayout layout(text(), font());
  const QRect inside = contentsRect();
  LayOut(layout, inside.width());
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  painter.setClipRect(inside);
  layout.draw(&painter, inside.topLeft());
}

}  // namespace korvelant
