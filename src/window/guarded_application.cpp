#include "window/guarded_application.hpp"

#include <cstdio>
#include <exception>

namespace korvelant {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GuardedApplication::SetFailureHandler(std::function<void(const QString&)> onFailure) {
  onFailure_ = std::move(onFailure);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  QString what;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    what = QString::fromLocal8Bit(failure.what());
  } catch (...) {
    what = QStringLiteral("an unknown error");
  }
  try {
    if (onFailure_) {
      onFailure_(what);
    } else {
      std::fprintf(stderr, "korvelant: %s\n", what.toLocal8Bit().constData());
    }
  } catch (...) {
    // Showing the failure failed too; the event loop must still go on.
  }
  return false;
}

}  // namespace korvelant
