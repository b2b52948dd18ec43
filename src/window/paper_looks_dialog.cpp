#include "window/paper_looks_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace korvelant {
namespace {

// The backgrounds in the order the list offers them, with what the user reads.
constexpr std::pair<PictureBackground, const char*> kBackgrounds[] = {
    {PictureBackground::kWhite, "White"},
    {PictureBackground::kNone, "None (see-through)"},
    {PictureBackground::kWindow, "The window's grey"}};

}  // namespace

PaperLooksDialog::PaperLooksDialog(const PaperLooks& looks, QWidget* parent)
    : QDialog(parent),
      background_(new QComboBox(this)),
      numbers_(new QCheckBox("Row and column &numbers", this)),
      caption_(new QLineEdit(looks.caption, this)) {
  setObjectName("PaperLooksDialog");
  setWindowTitle("Export for a Paper");
  background_->setObjectName("PaperBackground");
  for (const auto& [background, text] : kBackgrounds) {
    background_->addItem(text);
    if (background == looks.background) background_->setCurrentIndex(background_->count() - 1);
  }
  numbers_->setObjectName("PaperNumbers");
  numbers_->setChecked(looks.numbers);
  caption_->setObjectName("PaperCaption");
  caption_->setPlaceholderText("none");
  auto* form = new QFormLayout;
  form->addRow("&Background:", background_);
  form->addRow(QString(), numbers_);
  form->addRow("&Caption:", caption_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("&Export");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

PaperLooks PaperLooksDialog::looks() const {
  const auto chosen = static_cast<std::size_t>(std::max(background_->currentIndex(), 0));
  return {kBackgrounds[chosen].first, numbers_->isChecked(), caption_->text()};
}

}  // namespace korvelant
