#include "window_test_support.hpp"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

namespace korvelant::testing {
namespace {

int Pixel(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

}  // namespace

QString Element(const char* array, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

QRect ExpectedPixels(int left, int top, int width, int height) {
  return QRect(QPoint(Pixel(left), Pixel(top)),
               QPoint(Pixel(left + width) - 1, Pixel(top + height) - 1));
}

void ClickEntry(ListBox* list, int row) {
  QListWidgetItem* entry = list->item(row);
  if (entry == nullptr) throw std::runtime_error("no such entry");
  list->scrollToItem(entry, QAbstractItemView::PositionAtTop);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(entry).center());
}

void ChooseVertexCount(GlForma& form, int count) {
  ClickEntry(Find<ListBox>(form, "LstVrhovi"), count);
}

void ClickGridButton(GlForma& form, int index) {
  auto* button = Find<QPushButton>(form, Element("c", index));
  QTest::mouseClick(button, Qt::LeftButton);
}

void ClickGridCell(GlForma& form, int row, int column) {
  ClickGridButton(form, (row - 1) * form.graph().vertexCount + column);
}

void ChoosePosition(GlForma& form, int vertex, int x, int y) {
  ClickEntry(Find<ListBox>(form, Element("LstX", vertex)), x);
  ClickEntry(Find<ListBox>(form, Element("LstY", vertex)), y);
}

void ClickButton(GlForma& form, const char* name) {
  auto* button = Find<QAbstractButton>(form, name);
  // An option button answers only on its circle and caption, not on the empty rest of its
  // width, so it is clicked on the circle.
  const QPoint where = qobject_cast<QRadioButton*>(button) != nullptr
                           ? QPoint(8, button->height() / 2)
                           : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

void ShowAndWait(GlForma& form) {
  // The offscreen screen is smaller than the window; the tests want the window whole, as
  // on a screen with room for it.
  form.resize(form.sizeHint());
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) throw std::runtime_error("window not exposed");
}

}  // namespace korvelant::testing
