#include "window/smiles_dialog.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "window/smiles_tree.hpp"

namespace korvelant {

SmilesDialog::SmilesDialog(const QString& smiles, QWidget* parent) : QDialog(parent) {
  setObjectName("SmilesDialog");
  setWindowTitle("Tree from SMILES");
  auto* prompt = new QLabel(
      "SMILES of an acyclic molecule of up to 8 atoms other than "
      "hydrogen, e.g. CCCC(C)C(C)C:");
  prompt->setWordWrap(true);
  edit_ = new QLineEdit(smiles);
  edit_->setObjectName("SmilesEdit");
  edit_->setAccessibleName("SMILES");
  edit_->selectAll();  // typing replaces last time's molecule; an arrow key keeps it
  prompt->setBuddy(edit_);
  refusal_ = new QLabel;
  refusal_->setObjectName("SmilesRefusal");
  refusal_->setTextFormat(Qt::PlainText);  // RDKit's reasons may hold "<" and "&"
  refusal_->setWordWrap(true);
  refusal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  refusal_->setStyleSheet("color: #b00000");
  refusal_->hide();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &SmilesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SmilesDialog::reject);
  // An old reason must not stand under a SMILES it was not given for.
  connect(edit_, &QLineEdit::textEdited, refusal_, [this] {
    refusal_->clear();
    refusal_->hide();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(edit_);
  layout->addWidget(refusal_);
  layout->addWidget(buttons);
  setMinimumWidth(460);
}

QString SmilesDialog::smiles() const {
  return edit_->text();
}

void SmilesDialog::accept() {
  const SmilesTree read = ReadSmilesTree(edit_->text().toStdString());
  if (!read.tree) {
    refusal_->setText(QString::fromStdString(read.refusal));
    refusal_->show();
    // Growing by the layout's minimum alone would not count the lines the wrapped texts
    // take, and would cut the prompt and the reason short.
    adjustSize();
    edit_->setFocus();
    return;
  }
  tree_ = read.tree;
  QDialog::accept();
}

}  // namespace korvelant
