#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

#include "render/drawing_painter.hpp"

namespace korvelant {

enum class PictureFormat { Svg, Png, Pdf };

// The format a file name asks for by its suffix, ".svg", ".png" or ".pdf" in any case; none
// for another suffix or none at all.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// The drawing as an image of `area` pixels times `scale` (2 gives twice the width and
// height): the picture the window shows at that size, background included.
QImage RenderDrawing(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                     double scale = 1, bool joined = false);

// The bytes of a picture file of the drawing:
//   SVG  `area` pixels as its size and view box, lines and circles as vector shapes and the
//        numbers as text, in the face the screen shows;
//   PNG  RenderDrawing at `pngScale`;
//   PDF  one page the size of the picture at 96 pixels to an inch, fonts embedded.
// `title` names the picture in the file's metadata.
QByteArray DrawingFileBytes(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                            PictureFormat format, double pngScale, const QString& title);

// The same, the drawing laid out over `area` scaled to `size`: pixels in a PNG (the width
// decides the scale; the height follows it), points in an SVG or PDF, whose texts stay text.
// A background of alpha 0 leaves a PNG see-through.
QByteArray SizedDrawingFileBytes(const Drawing& drawing, const DrawingStyle& style,
                                 const QSize& area, const QSize& size, PictureFormat format,
                                 const QString& title);

}  // namespace korvelant
