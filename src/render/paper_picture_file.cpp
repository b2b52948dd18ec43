#include "render/paper_picture_file.hpp"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <cmath>
#include <stdexcept>

#include "engine/rooted_tree.hpp"
#include "render/designed_pictures.hpp"
#include "render/drawing_export.hpp"
#include "render/twips.hpp"

namespace korvelant {
namespace {

constexpr double kPointsPerPixel = 0.75;

PictureFormat FormatOf(DrawFileKind kind) {
  switch (kind) {
    case DrawFileKind::kSvg:
      return PictureFormat::Svg;
    case DrawFileKind::kPng:
      return PictureFormat::Png;
    case DrawFileKind::kPdf:
      return PictureFormat::Pdf;
  }
  return PictureFormat::Svg;
}

DrawingStyle PaperStyle(PictureBackground background, double fontPixels) {
  DrawingStyle style = DesignedPictureStyle(kLargePicture, QGuiApplication::palette());
  style.font.setPixelSize(static_cast<int>(std::lround(fontPixels)));
  if (background != PictureBackground::kWindow) {
    style.ink = Qt::black;
    style.background =
        background == PictureBackground::kWhite ? QColor(Qt::white) : QColor(Qt::transparent);
  }
  return style;
}

// Where a picture laid out over `area` goes at the size asked for; `shift` receives how far
// the drawing moves to stay centred when both sides are given, and `area` grows to match.
QSize OutputSize(const PaperPictureRequest& request, QSize& area, TwipPoint& shift) {
  const double aspect = static_cast<double>(area.height()) / area.width();
  QSize size = area;
  if (request.width && request.height) {
    size = QSize(*request.width, *request.height);
    const double wanted = static_cast<double>(size.height()) / size.width();
    const QSize grown =
        wanted > aspect
            ? QSize(area.width(), static_cast<int>(std::lround(area.width() * wanted)))
            : QSize(static_cast<int>(std::lround(area.height() / wanted)), area.height());
    shift = {static_cast<float>((grown.width() - area.width()) / 2.0 * kTwipsPerPixel),
             static_cast<float>((grown.height() - area.height()) / 2.0 * kTwipsPerPixel)};
    area = grown;
  } else if (request.width) {
    size =
        QSize(*request.width, std::max(1, static_cast<int>(std::lround(*request.width * aspect))));
  } else if (request.height) {
    size = QSize(std::max(1, static_cast<int>(std::lround(*request.height / aspect))),
                 *request.height);
  }
  if (request.kind == DrawFileKind::kPng) {
    size *= request.scale;
  } else if (!request.width && !request.height) {
    size *= kPointsPerPixel;  // a vector picture as large as the PNG shows on a screen
  }
  return size;
}

}  // namespace

std::optional<DrawFileKind> DrawFileKindOf(const QString& path) {
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!format) return std::nullopt;
  switch (*format) {
    case PictureFormat::Svg:
      return DrawFileKind::kSvg;
    case PictureFormat::Png:
      return DrawFileKind::kPng;
    case PictureFormat::Pdf:
      return DrawFileKind::kPdf;
  }
  return std::nullopt;
}

std::string PaperPictureBytes(const Graph& tree, std::span<const PlanePoint> points,
                              const PaperPictureRequest& request, PaintingPlatform platform,
                              QtProblems problems) {
  const std::optional<RootedTree> rooted = RootTree(tree);
  if (!rooted) throw std::invalid_argument("a picture for a paper needs a tree");
  const PaperPicture picture =
      request.type ? DrawPaperMatrix(*rooted, points, *request.type, request.options)
                   : DrawPaperTree(tree, points, request.options);
  QSize area(static_cast<int>(std::ceil(picture.width)),
             static_cast<int>(std::ceil(picture.height)));
  TwipPoint shift;
  const QSize size = OutputSize(request, area, shift);
  const Drawing drawing = shift == TwipPoint{} ? picture.drawing : Shifted(picture.drawing, shift);
  const QString title = request.type ? "Korvelant matrix picture" : "Korvelant tree picture";

  const std::lock_guard lock(PaintingTurn());
  const KeptLocale locale;
  const auto application = StartPainting(platform, problems);
  const QByteArray bytes =
      SizedDrawingFileBytes(drawing, PaperStyle(request.background, picture.fontPixels), area, size,
                            FormatOf(request.kind), title);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace korvelant
