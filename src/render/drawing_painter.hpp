#pragma once

#include <QColor>
#include <QFont>
#include <QSizeF>

#include "drawing/drawing.hpp"

class QPainter;

namespace korvelant {

// How a drawing looks: the picture's background, the ink of its lines and texts, and the
// font of its texts (sized in pixels, as the window's fonts are).
struct DrawingStyle {
  QColor background;
  QColor ink;
  QFont font;
};

// Replays `drawing` onto `painter` at 15 twips to a unit of the painter's coordinates, over
// the background filling (0, 0, area). The one painting code of the window's picture boxes,
// their exports and copies: a scaled painter scales lines, circles and texts alike, so an
// export at any resolution shows what the screen shows. Line widths count such units.
//
// `joined` paints each run of lines of one width as one path, so a vector file of a large
// picture holds one element per run instead of one per line; the look is the same.
void PaintDrawing(QPainter& painter, const Drawing& drawing, const DrawingStyle& style,
                  const QSizeF& area, bool joined = false);

}  // namespace korvelant
