#pragma once

#include <QListWidget>

namespace korvelant {

// A single-selection list of text entries, like the design's list box: `chosen` is its click
// event. It is raised for every selection, whether by the mouse, the arrow keys or code, and
// also when the user clicks the entry that is already selected, since choosing the same
// vertex count again starts a new tree as well.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent = nullptr);

  // Selects the entry at `row` (the design's ListIndex) and scrolls it into view: the lists
  // are one entry high, so an entry out of view would look like no selection at all.
  void SetListIndex(int row);
  int ListIndex() const { return currentRow(); }
  // The text of the selected entry, empty when nothing is selected.
  QString Text() const;

 signals:
  void chosen(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Ctrl+click would otherwise clear the selection; a list that has a selection keeps one.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  void ScrollToSelection();
};

}  // namespace korvelant
