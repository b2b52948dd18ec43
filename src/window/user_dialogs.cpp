#include "window/user_dialogs.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "window/paper_looks_dialog.hpp"

namespace korvelant {
namespace {

constexpr double kDefaultPngScale = 2;
constexpr double kLargestPngScale = 8;

}  // namespace

QString QtDialogs::FileToOpen(QWidget* parent, const QString& title, const QString& filters) {
  const QString path = QFileDialog::getOpenFileName(
      parent, title, folder_.isEmpty() ? QDir::currentPath() : folder_, filters);
  if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
  return path;
}

QString QtDialogs::FileToSave(QWidget* parent, const QString& title, const QString& filters,
                              QString* chosenFilter) {
  const QString path = QFileDialog::getSaveFileName(
      parent, title, folder_.isEmpty() ? QDir::currentPath() : folder_, filters, chosenFilter);
  if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
  return path;
}

std::optional<double> QtDialogs::PngScale(QWidget* parent) {
  QInputDialog dialog(parent);
  dialog.setLocale(QLocale::c());  // "1.5", never "1,5": numbers ignore the desktop's language
  dialog.setInputMode(QInputDialog::DoubleInput);
  dialog.setWindowTitle("PNG Scale");
  dialog.setLabelText(
      "Scale of the picture (1 is the size on screen, 2 twice its width and height):");
  dialog.setDoubleRange(1, kLargestPngScale);
  dialog.setDoubleDecimals(1);
  dialog.setDoubleValue(kDefaultPngScale);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.doubleValue();
}

std::optional<PaperLooks> QtDialogs::PaperPictureLooks(QWidget* parent, const PaperLooks& looks) {
  PaperLooksDialog dialog(looks, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.looks();
}

void QtDialogs::Refuse(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::warning(parent, title, text);
}

}  // namespace korvelant
