#pragma once

#include <QString>
#include <optional>

#include "render/paper_picture_file.hpp"

class QWidget;

namespace korvelant {

// How a picture for a paper looks beside its matrix: as draw's --background, --no-numbers
// and --caption have it.
struct PaperLooks {
  PictureBackground background = PictureBackground::kWhite;
  bool numbers = true;  // the row and column numbers around the matrix
  QString caption;      // a line under the picture; none when empty
};

// The questions the menu commands ask the user: which file, what scale, and the refusals
// they show. The window asks through this interface so that its commands run the same
// with Qt's dialogs and with scripted answers in the tests.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A file to read; empty when the user cancels. `filters` as QFileDialog takes them.
  virtual QString FileToOpen(QWidget* parent, const QString& title, const QString& filters) = 0;
  // A file to write; empty when the user cancels. `chosenFilter` receives the filter the
  // user picked, so a name typed without a suffix can get that filter's one.
  virtual QString FileToSave(QWidget* parent, const QString& title, const QString& filters,
                             QString* chosenFilter) = 0;
  // The scale of a PNG picture (2 for twice the screen's width and height), or nothing
  // when the user cancels.
  virtual std::optional<double> PngScale(QWidget* parent) = 0;
  // How a picture for a paper looks, starting from `looks`; nothing when the user cancels.
  virtual std::optional<PaperLooks> PaperPictureLooks(QWidget* parent, const PaperLooks& looks) = 0;
  // Shows why a command could not do what was asked.
  virtual void Refuse(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The dialogs of Qt: file dialogs, an input dialog, the paper dialog and a message box.
class QtDialogs : public UserDialogs {
 public:
  QString FileToOpen(QWidget* parent, const QString& title, const QString& filters) override;
  QString FileToSave(QWidget* parent, const QString& title, const QString& filters,
                     QString* chosenFilter) override;
  std::optional<double> PngScale(QWidget* parent) override;
  std::optional<PaperLooks> PaperPictureLooks(QWidget* parent, const PaperLooks& looks) override;
  void Refuse(QWidget* parent, const QString& title, const QString& text) override;

 private:
  QString folder_;  // where the last file dialog was left, so the next one starts there
};

}  // namespace korvelant
