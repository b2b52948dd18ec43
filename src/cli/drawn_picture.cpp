#include "cli/drawn_picture.hpp"

#include <QByteArray>
#include <QGuiApplication>
#include <clocale>
#include <cmath>
#include <iostream>
#include <memory>
#include <mutex>

#include "cli/messages.hpp"
#include "engine/rooted_tree.hpp"
#include "molecules/skeleton_layout.hpp"
#include "render/designed_pictures.hpp"
#include "render/drawing_export.hpp"
#include "render/twips.hpp"

namespace korvelant {
namespace {

// Qt's notes about its surroundings ("XDG_RUNTIME_DIR not set") mean nothing to a script's
// user and would break the rule that every line on standard error is the program's own;
// what Qt calls critical is passed on as such.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    ReportProblem(std::cerr, "Qt: " + message.toStdString());
}

// Qt paints text only with an application; a caller that has one (a test) keeps it. No
// display is needed: a script on a server draws too.
std::unique_ptr<QGuiApplication> StartPainting(PaintingPlatform platform) {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  qInstallMessageHandler(QtMessage);
  // The application takes the options it reads out of argv, so each one gets them afresh.
  static char name[] = "korvelant";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[4];
  static int argc;
  argv[0] = name;
  argv[1] = platformOption;
  argv[2] = offscreen;
  argv[3] = nullptr;
  const bool usersChoice =
      platform == PaintingPlatform::kUsersChoice && qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
  argc = usersChoice ? 1 : 3;
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's application sets the C library's locale from the environment. A program that draws
// from inside another (a Python interpreter) gets its own locale back when the application
// ends, so its numbers keep their "." whatever the user's language.
class KeptLocale {
 public:
  KeptLocale() : locale_(std::setlocale(LC_ALL, nullptr)) {}
  ~KeptLocale() { std::setlocale(LC_ALL, locale_.c_str()); }
  KeptLocale(const KeptLocale&) = delete;
  KeptLocale& operator=(const KeptLocale&) = delete;

 private:
  std::string locale_;
};

// One application paints at a time: callers on several threads (a Python program) wait.
std::mutex& PaintingTurn() {
  static std::mutex turn;
  return turn;
}

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

std::optional<std::string> DrawingRefusal(int vertexCount, bool matrix) {
  const int limit = matrix ? kMaxDrawnMatrixVertices : kMaxDrawnTreeVertices;
  if (vertexCount <= limit) return std::nullopt;
  return std::string("draw draws ") + (matrix ? "the matrices of trees" : "trees") + " of up to " +
         std::to_string(limit) + " vertices; this one has " + std::to_string(vertexCount) + ".";
}

std::vector<PlanePoint> LaidOutPoints(const Graph& tree, std::span<const PlanePoint> depiction,
                                      DrawLayout layout) {
  if (layout == DrawLayout::kCircle) return CirclePoints(tree.vertexCount);
  if (!depiction.empty()) return {depiction.begin(), depiction.end()};
  return SkeletonLayout(tree);
}

std::string PaperPictureBytes(const Graph& tree, std::span<const PlanePoint> points,
                              const PaperPictureRequest& request, PaintingPlatform platform) {
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
  const auto application = StartPainting(platform);
  const QByteArray bytes =
      SizedDrawingFileBytes(drawing, PaperStyle(request.background, picture.fontPixels), area, size,
                            FormatOf(request.kind), title);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace korvelant
