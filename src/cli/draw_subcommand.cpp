// draw: the window's pictures as files, painted by the window's own drawing code on Qt's
// offscreen platform, so no display is needed.
#include <QByteArray>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli/messages.hpp"
#include "cli/subcommands.hpp"
#include "drawing/tree_preview.hpp"
#include "engine/rooted_tree.hpp"
#include "matrices/draw_calculate_command.hpp"
#include "output/safe_file_writer.hpp"
#include "render/drawing_export.hpp"
#include "window/designed_pictures.hpp"

namespace korvelant {
namespace {

// Qt's notes about its surroundings ("XDG_RUNTIME_DIR not set") mean nothing to a script's
// user and would break the rule that every line on standard error is the program's own;
// what Qt calls critical is passed on as such.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    ReportProblem(std::cerr, "Qt: " + message.toStdString());
}

// Qt paints text only with an application; the other commands never start one. A caller
// that has one (a test) keeps it.
std::unique_ptr<QGuiApplication> StartPainting() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  qInstallMessageHandler(QtMessage);
  // No display is needed: a script on a server draws too. A platform the user chose stays.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvelant-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

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

}  // namespace

int RunDraw(const DrawRequest& request, const CliStreams& streams) {
  if (!RootTree(request.tree.graph)) return ReportNotATree(request.tree, streams);
  VertexPositions positions{};
  for (std::size_t v = 1; v <= request.positions.size(); ++v)
    positions.at(v) = request.positions[v - 1];

  Drawing drawing;
  if (request.preview) {
    DrawTreePreview(request.tree.graph, positions, drawing);
  } else {
    RunDrawCalculateCommand(request.tree.graph, positions, std::nullopt, request.type, drawing);
  }
  const std::string_view picture = request.preview ? kPreviewPicture : kLargePicture;
  const QString title = request.preview ? "Korvelant tree preview" : "Korvelant matrix picture";

  const auto application = StartPainting();
  const QByteArray bytes =
      DrawingFileBytes(drawing, DesignedPictureStyle(picture, QGuiApplication::palette()),
                       DesignedPictureArea(picture), FormatOf(request.kind), request.scale, title);
  if (const auto failure = WriteFileSafely(
          request.output, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
    ReportProblem(streams.err, *failure);
    return kCannotWrite;
  }
  return kSuccess;
}

}  // namespace korvelant
