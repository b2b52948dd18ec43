#pragma once

#include <QElapsedTimer>
#include <QListWidget>

namespace korvelant {

// A single-selection list of text entries, like the design's list box: `chosen` is its click
// event. It is raised for every selection, whether by the mouse, the arrow keys, the list's
// own scroll bar or wheel, typing an entry's number, or code, and also when the user clicks
// the entry that is already selected, since choosing the same vertex count again starts a
// new tree as well. What the list shows is what is chosen: its scroll arrows choose the
// entry they bring into view instead of leaving the view on an entry nobody chose.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent = nullptr);

  // Selects the entry at `row` (the design's ListIndex) and scrolls it into view: the lists
  // are one entry high, so an entry out of view would look like no selection at all. -1
  // leaves the list without a selection and shows its first entry, as it starts.
  void SetListIndex(int row);
  int ListIndex() const { return currentRow(); }
  // The text of the selected entry, empty when nothing is selected.
  QString Text() const;
  // Whether the mouse wheel turns (and so chooses) entries. A list whose choice wipes work,
  // the vertex count, lets the wheel pass to the window: a stray turn must not lose a tree.
  void SetWheelChooses(bool chooses) { wheelChooses_ = chooses; }

  // Typing digits finds the entry they start, past the blank that stands for the sign:
  // "1", "2" typed quickly choose " 12".
  void keyboardSearch(const QString& search) override;

 signals:
  void chosen(int row);

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Ctrl+click would otherwise clear the selection; a list that has a selection keeps one.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  void OnCurrentRowChanged(int row);
  void OnScrollAction();
  void ScrollToSelection();

  bool wheelChooses_ = true;
  bool quiet_ = false;  // while the view moves its current entry on its own
  QString typed_;
  QElapsedTimer sinceTyped_;
};

}  // namespace korvelant
