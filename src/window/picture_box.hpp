#pragma once

#include <QFrame>

#include "drawing/drawing.hpp"
#include "render/drawing_painter.hpp"

namespace korvelant {

// A drawing surface like the design's picture box: the core's drawing procedures record into
// its retained Drawing (twips), and every paint replays the whole of it at 15 twips to a
// pixel. Nothing is drawn straight onto the screen, so a repaint, a covered window or a
// restore never loses a picture, and an export or a copy replays the same drawing.
class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  Drawing& drawing() { return drawing_; }
  const Drawing& drawing() const { return drawing_; }

  // What the picture looks like inside its border: its size in pixels and its colours and
  // font, for exports and copies that must equal the screen.
  QSize pictureSize() const { return contentsRect().size(); }
  DrawingStyle drawingStyle() const;

  // The background: the platform's "3-D light" system colour. Qt's Windows theme fills
  // QPalette::Midlight from that colour (QPalette::Light holds the brighter 3-D highlight),
  // so Midlight is the role that matches it on every platform.
  static constexpr QPalette::ColorRole kBackgroundRole = QPalette::Midlight;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Drawing drawing_;
};

}  // namespace korvelant
