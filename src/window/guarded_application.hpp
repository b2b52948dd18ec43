#pragma once

#include <QApplication>
#include <functional>

namespace korvelant {

// The application object of the window: an exception that escapes an event handler is
// caught where Qt delivers the event, shown to the user through `onFailure`, and the event
// loop goes on. The window's own handlers catch their failures first (GlForma::Handle);
// this is the last line for everything else, such as a menu command or a dialog.
class GuardedApplication : public QApplication {
  Q_OBJECT

 public:
  GuardedApplication(int& argc, char** argv);

  // Receives the failure's description; by default it is written to standard error.
  void SetFailureHandler(std::function<void(const QString&)> onFailure);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void(const QString&)> onFailure_;
};

}  // namespace korvelant
