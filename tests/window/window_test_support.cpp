#include "window_test_support.hpp"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

namespace korvelant::testing {
namespace {

int Pixel(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

void WaitUntilActive(QWidget& window) {
  if (!QTest::qWaitForWindowExposed(&window)) throw std::runtime_error("window not exposed");
  // On an X display keys go to the active window only; without a window manager nobody
  // else activates it.
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("window not active");
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

void ShowAndWait(QWidget& window) {
  window.resize(window.sizeHint());
  window.show();
  WaitUntilActive(window);
}

void EnterByClicks(GlForma& form, int vertices, const std::vector<std::pair<int, int>>& edges,
                   const std::vector<std::pair<int, int>>& positions) {
  ChooseVertexCount(form, vertices);
  for (const auto& [a, b] : edges)
    ClickGridCell(form, a, b);
  for (std::size_t v = 0; v < positions.size(); ++v)
    ChoosePosition(form, static_cast<int>(v) + 1, positions[v].first, positions[v].second);
}

QString VisibleTree(const GlForma& form) {
  QStringList parts;
  parts << "count " + Find<ListBox>(form, "LstVrhovi")->Text();
  for (int k = 1; k <= 64; ++k) {
    const auto* button = Find<QPushButton>(form, Element("c", k));
    if (button->isVisible())
      parts << QStringLiteral("c%1 %2%3")
                   .arg(k)
                   .arg(button->text(), button->isEnabled() ? "" : " off");
  }
  for (int i = 1; i <= 8; ++i) {
    const auto* x = Find<ListBox>(form, Element("LstX", i));
    const auto* y = Find<ListBox>(form, Element("LstY", i));
    if (x->isVisible()) {
      parts << QStringLiteral("%1 %2 (%3, %4)")
                   .arg(Find<QLabel>(form, Element("LblKord", i))->text())
                   .arg(i)
                   .arg(x->Text(), y->Text());
    }
  }
  for (const Shape& shape : Find<PictureBox>(form, "MalaSlika")->drawing().shapes()) {
    if (const auto* circle = std::get_if<CircleShape>(&shape))
      parts << QStringLiteral("circle %1,%2").arg(circle->centre.x).arg(circle->centre.y);
    if (const auto* line = std::get_if<LineShape>(&shape)) {
      parts << QStringLiteral("line %1,%2-%3,%4")
                   .arg(line->from.x)
                   .arg(line->from.y)
                   .arg(line->to.x)
                   .arg(line->to.y);
    }
    if (const auto* text = std::get_if<TextShape>(&shape))
      parts << "text " + QString::fromStdString(text->text);
  }
  return parts.join('\n');
}

QString ScriptedDialogs::Next() {
  if (files.empty()) return {};
  QString next = files.front();
  files.pop_front();
  return next;
}

QString ScriptedDialogs::FileToOpen(QWidget*, const QString& title, const QString&) {
  titles << title;
  return Next();
}

QString ScriptedDialogs::FileToSave(QWidget*, const QString& title, const QString&,
                                    QString* chosen) {
  titles << title;
  if (chosen != nullptr) *chosen = filter;
  return Next();
}

void ShowAndWait(GlForma& form) {
  // The offscreen screen is smaller than the window; the tests want the window whole, as
  // on a screen with room for it.
  form.resize(form.sizeHint());
  form.show();
  WaitUntilActive(form);
}

}  // namespace korvelant::testing
