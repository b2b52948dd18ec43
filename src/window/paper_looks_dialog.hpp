#pragma once

#include <QDialog>

#include "window/user_dialogs.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace korvelant {

// The small dialog of File > Export for a Paper: the background, the row and column numbers
// and a caption, each with its mnemonic; Enter exports, Escape cancels.
class PaperLooksDialog : public QDialog {
  Q_OBJECT

 public:
  // `looks`: what the controls start with, the choices made last time.
  explicit PaperLooksDialog(const PaperLooks& looks, QWidget* parent = nullptr);

  PaperLooks looks() const;

 private:
  QComboBox* background_ = nullptr;
  QCheckBox* numbers_ = nullptr;
  QLineEdit* caption_ = nullptr;
};

}  // namespace korvelant
