#include <QIcon>
#include <csignal>

#include "window/gl_forma.hpp"
#include "window/guarded_application.hpp"
#include "window/main_window.hpp"

int main(int argc, char** argv) {
  // A file-size limit then fails the write with an error the window reports, instead of
  // ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  korvelant::GuardedApplication application(argc, argv);
  korvelant::GuardedApplication::setApplicationName("Korvelant");
  korvelant::GuardedApplication::setApplicationVersion(KORVELANT_VERSION);
  korvelant::GuardedApplication::setDesktopFileName("korvelant");
  korvelant::GuardedApplication::setWindowIcon(QIcon(":/korvelant.svg"));
  // The window takes no command line: whatever Qt's own options leave of it is ignored.
  korvelant::MainWindow window;
  application.SetFailureHandler([&window](const QString& what) { window.ShowFailure(what); });
  window.show();
  return korvelant::GuardedApplication::exec();
}
