#include <QApplication>
#include <csignal>

#include "window/gl_forma.hpp"

int main(int argc, char** argv) {
  // A file-size limit then fails the write with an error the window reports, instead of
  // ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  // The window takes no command line: whatever Qt's own options leave of it is ignored.
  korvelant::GlForma form;
  form.show();
  return application.exec();
}
