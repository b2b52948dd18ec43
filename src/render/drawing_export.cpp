#include "render/drawing_export.hpp"

#include <QBuffer>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <stdexcept>

namespace korvelant {
namespace {

constexpr int kScreenDotsPerInch = 96;
constexpr int kPointsPerInch = 72;

// The face the screen really shows, named alone: an SVG viewer never sees the window's list
// of stand-ins, so it is told the one that was chosen.
DrawingStyle WithShownFace(DrawingStyle style) {
  const QString shown = QFontInfo(style.font).family();
  style.font.setFamilies({shown});
  return style;
}

// `size` is the picture's size at `dotsPerInch`; the drawing, laid out over `area`, is
// scaled to it.
QByteArray SvgBytes(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                    const QSize& size, int dotsPerInch, const QString& title, bool joined) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), area));
  generator.setResolution(dotsPerInch);
  generator.setTitle(title);
  generator.setDescription(QStringLiteral("Drawn by Korvelant"));
  QPainter painter;
  if (!painter.begin(&generator)) throw std::runtime_error("cannot start an SVG picture");
  PaintDrawing(painter, drawing, WithShownFace(style), area, joined);
  painter.end();
  return bytes;
}

QByteArray PngBytes(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                    double scale, bool joined) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!RenderDrawing(drawing, style, area, scale, joined).save(&buffer, "PNG"))
    throw std::runtime_error("cannot make a PNG picture");
  return bytes;
}

QByteArray PdfBytes(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                    const QSize& size, int dotsPerInch, const QString& title, bool joined) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kScreenDotsPerInch);
    const double pointsPerDot = 72.0 / dotsPerInch;
    writer.setPageSize(
        QPageSize(QSizeF(size) * pointsPerDot, QPageSize::Point, title, QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Korvelant"));
    QPainter painter;
    if (!painter.begin(&writer)) throw std::runtime_error("cannot start a PDF picture");
    if (size != area || dotsPerInch != kScreenDotsPerInch) {
      const double pixelsPerDot = static_cast<double>(kScreenDotsPerInch) / dotsPerInch;
      painter.scale(size.width() * pixelsPerDot / area.width(),
                    size.height() * pixelsPerDot / area.height());
    }
    PaintDrawing(painter, drawing, style, area, joined);
    painter.end();
  }
  return bytes;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QImage RenderDrawing(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                     double scale, bool joined) {
  const QSize pixels(static_cast<int>(std::lround(area.width() * scale)),
                     static_cast<int>(std::lround(area.height() * scale)));
  // An opaque picture keeps the window's image format; a see-through one needs alpha.
  QImage image(pixels, style.background.alpha() == 255 ? QImage::Format_RGB32
                                                       : QImage::Format_ARGB32_Premultiplied);
  image.fill(style.background);
  QPainter painter(&image);
  painter.scale(scale, scale);
  PaintDrawing(painter, drawing, style, area, joined);
  return image;
}

QByteArray DrawingFileBytes(const Drawing& drawing, const DrawingStyle& style, const QSize& area,
                            PictureFormat format, double pngScale, const QString& title) {
  switch (format) {
    case PictureFormat::Svg:
      return SvgBytes(drawing, style, area, area, kScreenDotsPerInch, title, false);
    case PictureFormat::Png:
      return PngBytes(drawing, style, area, pngScale, false);
    case PictureFormat::Pdf:
      return PdfBytes(drawing, style, area, area, kScreenDotsPerInch, title, false);
  }
  throw std::logic_error("unknown picture format");
}

QByteArray SizedDrawingFileBytes(const Drawing& drawing, const DrawingStyle& style,
                                 const QSize& area, const QSize& size, PictureFormat format,
                                 const QString& title) {
  switch (format) {
    case PictureFormat::Svg:
      return SvgBytes(drawing, style, area, size, kPointsPerInch, title, true);
    case PictureFormat::Png:
      return PngBytes(drawing, style, area, static_cast<double>(size.width()) / area.width(), true);
    case PictureFormat::Pdf:
      return PdfBytes(drawing, style, area, size, kPointsPerInch, title, true);
  }
  throw std::logic_error("unknown picture format");
}

}  // namespace korvelant
