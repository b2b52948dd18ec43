#pragma once

#include <QDialog>
#include <optional>

#include "input/tree_file.hpp"

class QLabel;
class QLineEdit;

namespace korvelant {

// The small dialog of Tree > From SMILES: a line for the SMILES, OK and Cancel. OK (or
// Enter) reads the molecule; one the window cannot take keeps the dialog open with the
// reason below the line, so the user can correct it. Escape cancels.
class SmilesDialog : public QDialog {
  Q_OBJECT

 public:
  // `smiles`: the text the line starts with, the one entered last time.
  explicit SmilesDialog(const QString& smiles, QWidget* parent = nullptr);

  QString smiles() const;
  // The tree read, once the dialog was accepted.
  const std::optional<SavedTree>& tree() const { return tree_; }

  void accept() override;

 private:
  QLineEdit* edit_ = nullptr;
  QLabel* refusal_ = nullptr;
  std::optional<SavedTree> tree_;
};

}  // namespace korvelant
