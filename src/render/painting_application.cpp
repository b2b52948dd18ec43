#include "render/painting_application.hpp"

#include <QGuiApplication>
#include <clocale>

namespace korvelant {
namespace {

QtProblems problemsTo = nullptr;

void PassOnProblems(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if ((type == QtCriticalMsg || type == QtFatalMsg) && problemsTo != nullptr)
    problemsTo(message.toStdString());
}

}  // namespace

std::unique_ptr<QGuiApplication> StartPainting(PaintingPlatform platform, QtProblems problems) {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  problemsTo = problems;
  qInstallMessageHandler(PassOnProblems);
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

KeptLocale::KeptLocale() : locale_(std::setlocale(LC_ALL, nullptr)) {}

KeptLocale::~KeptLocale() {
  std::setlocale(LC_ALL, locale_.c_str());
}

std::mutex& PaintingTurn() {
  static std::mutex turn;
  return turn;
}

}  // namespace korvelant
