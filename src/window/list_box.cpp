#include "window/list_box.hpp"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

namespace korvelant {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QListWidget::currentRowChanged, this, &ListBox::OnCurrentRowChanged);
  // Only the user's own scrolling (arrows, page clicks, dragging, the wheel) triggers an
  // action; a change of range while the list is laid out does not, and chooses nothing.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &ListBox::OnScrollAction);
}

void ListBox::wheelEvent(QWheelEvent* event) {
  if (wheelChooses_) {
    QListWidget::wheelEvent(event);
  } else {
    event->ignore();
  }
}

void ListBox::SetListIndex(int row) {
  setCurrentRow(row);
  if (row < 0) {
    // The view of a list without a choice, as it starts: an entry left in view from an
    // earlier choice would read as still chosen.
    clearSelection();
    scrollToTop();
  }
  ScrollToSelection();
}

QString ListBox::Text() const {
  const QListWidgetItem* entry = currentItem();
  return entry != nullptr ? entry->text() : QString();
}

void ListBox::keyboardSearch(const QString& search) {
  if (search.trimmed().isEmpty()) return;
  if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > QApplication::keyboardInputInterval())
    typed_.clear();
  sinceTyped_.start();
  const auto find = [this](const QString& start) {
    for (int row = 0; row < count(); ++row) {
      if (item(row)->text().trimmed().startsWith(start, Qt::CaseInsensitive)) return row;
    }
    return -1;
  };
  typed_ += search;
  int row = find(typed_);
  if (row < 0) {  // a fresh start: "2" after " 1" finds " 2", not "12"
    typed_ = search;
    row = find(typed_);
  }
  if (row >= 0) SetListIndex(row);
}

bool ListBox::event(QEvent* event) {
  const bool handled = QListWidget::event(event);
  // The focus, drawn on the list's own border: the selected entry's colour barely changes
  // with the focus, and a list may have the focus before anything is selected.
  if (event->type() == QEvent::Paint && hasFocus()) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
  return handled;
}

void ListBox::focusInEvent(QFocusEvent* event) {
  // Qt makes the first entry current when a list without one gets the focus from the
  // keyboard. Nobody chose it: no click is raised, and the list stays without a choice.
  const bool hadCurrent = currentIndex().isValid();
  {
    const QScopedValueRollback quiet(quiet_, true);
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid()) selectionModel()->clearCurrentIndex();
  }
  update();  // the focus border
}

void ListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  update();
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

void ListBox::OnCurrentRowChanged(int row) {
  if (row < 0 || quiet_) return;
  // Ctrl+arrow moves the current entry without selecting it; here the current entry is the
  // choice, so it is always the selected one too.
  const QModelIndex current = currentIndex();
  if (!selectionModel()->isSelected(current))
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  ScrollToSelection();
  emit chosen(row);
}

void ListBox::OnScrollAction() {
  // The slider already stands where the action takes it: the entry at the top of the view.
  const int top = verticalScrollBar()->sliderPosition();
  if (top >= 0 && top < count() && top != currentRow()) setCurrentRow(top);
}

void ListBox::ScrollToSelection() {
  if (QListWidgetItem* entry = currentItem()) scrollToItem(entry, QAbstractItemView::PositionAtTop);
}

}  // namespace korvelant
