#include "window/list_box.hpp"

#include <QMouseEvent>

namespace korvelant {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    ScrollToSelection();
    emit chosen(row);
  });
}

void ListBox::SetListIndex(int row) {
  setCurrentRow(row);
  ScrollToSelection();
}

QString ListBox::Text() const {
  const QListWidgetItem* entry = currentItem();
  return entry != nullptr ? entry->text() : QString();
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  const int before = currentRow();
  QListWidget::mousePressEvent(event);
  const int under = indexAt(event->position().toPoint()).row();
  if (event->button() == Qt::LeftButton && before >= 0 && under == before &&
      currentRow() == before) {
    emit chosen(before);
  }
}

void ListBox::showEvent(QShowEvent* event) {
  QListWidget::showEvent(event);
  ScrollToSelection();
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
  const auto command = QListWidget::selectionCommand(index, event);
  if (command.testFlag(QItemSelectionModel::Deselect) &&
      !command.testFlag(QItemSelectionModel::Select)) {
    return QItemSelectionModel::NoUpdate;
  }
  return command;
}

void ListBox::ScrollToSelection() {
  if (QListWidgetItem* entry = currentItem()) scrollToItem(entry, QAbstractItemView::PositionAtTop);
}

}  // namespace korvelant
