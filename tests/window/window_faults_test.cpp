// The faults of the window that were mended, each through the real widgets: a result left
// under another matrix type, lists that showed what was not chosen, arrow keys that walked
// out of the grid, a click nobody made, exceptions leaving handlers, a long path running out
// of the remarks; and the keyboard's ways through the form.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>

#include "window/guarded_application.hpp"
#include "window/main_window.hpp"
#include "window/remarks_label.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

// A control whose click fails in a way no handler of the window foresaw.
class FailingWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("a failing control"); }
};

// The entry at the top of a list's view: what a one-entry-high list shows.
int ShownRow(const ListBox* list) {
  return list->indexAt(QPoint(2, 2)).row();
}

// Clicks the lower arrow of a list's scroll bar, or the upper one.
void ClickScrollArrow(ListBox* list, bool down) {
  QScrollBar* bar = list->verticalScrollBar();
  QVERIFY(bar->isVisible());
  const QPoint where(bar->width() / 2, down ? bar->height() - 2 : 1);
  QTest::mouseClick(bar, Qt::LeftButton, {}, where);
}

void Wheel(QWidget* target, int notches) {
  const QPoint at = target->rect().center();
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

// What the screen shows of a widget now: the window's painted pixels, not a fresh paint.
QImage OnScreen(QWidget* widget) {
  QApplication::processEvents();  // the repaints asked for so far
  const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
  return widget->screen()
      ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
      .toImage();
}

// Pixels inside a picture's border that are not its background.
int InkInside(const PictureBox* picture, const QImage& shown) {
  const QRgb background = picture->palette().color(PictureBox::kBackgroundRole).rgb();
  const QRect inside = picture->contentsRect();
  int ink = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x)
      ink += shown.pixel(x, y) != background ? 1 : 0;
  }
  return ink;
}

// Rows of a picture of a label that hold ink, counted as separate bands: its text lines.
int InkBands(const QImage& image) {
  int bands = 0;
  bool inBand = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x)
      ink = qGray(image.pixel(x, y)) < 100;
    if (ink && !inBand) ++bands;
    inBand = ink;
  }
  return bands;
}

}  // namespace

class WindowFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>(std::make_unique<ScriptedDialogs>());
    ShowAndWait(*window_);
    QVERIFY(dir_.isValid());
  }
  void cleanup() { window_.reset(); }

  // --- A result under another option ---------------------------------------------------

  void aNewMatrixTypeOrDisplayClearsTheResult() {
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {3, 4}});
    ClickButton(Form(), "OptPGM");
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    QVERIFY(!Large().empty());
    QVERIFY(Form().calculatedMatrix().has_value());
    // The PGM numbers would read as EGM numbers under the EGM option.
    ClickButton(Form(), "OptEGM");
    QVERIFY(Large().empty());
    QCOMPARE(Remarks(), QString());
    QVERIFY(!Form().calculatedMatrix().has_value());
    ClickButton(Form(), "CmdVelika");
    // EGM Wiener of the path 1-2-3-4: (1 | 2-3-4) 4, (1-2 | 3-4) 2, (1-2-3 | 4) 4.
    QCOMPARE(Remarks(), QString("Half-sum of matrix elements is:  10"));
    // The keyboard's way to the other type clears as well.
    auto* egm = Find<QRadioButton>(Form(), "OptEGM");
    egm->setFocus();
    QTest::keyClick(egm, Qt::Key_Down);
    QVERIFY(!egm->isChecked());
    QVERIFY(Large().empty());
    QCOMPARE(Remarks(), QString());
  }

  void theScreenShowsTheClearedPicture() {
    auto* large = Find<PictureBox>(Form(), "VelikaSlika");
    auto* preview = Find<PictureBox>(Form(), "MalaSlika");
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {3, 4}});
    QVERIFY(InkInside(preview, OnScreen(preview)) > 50);
    ClickButton(Form(), "OptRi");
    ClickButton(Form(), "CmdVelika");
    QVERIFY(InkInside(large, OnScreen(large)) > 100);
    ClickButton(Form(), "OptDVGM");
    QCOMPARE(InkInside(large, OnScreen(large)), 0);
    ClickButton(Form(), "CmdVelika");
    QVERIFY(InkInside(large, OnScreen(large)) > 100);
    ClickButton(Form(), "OptDr");
    QCOMPARE(InkInside(large, OnScreen(large)), 0);
    window_->ClearTree();
    QCOMPARE(InkInside(preview, OnScreen(preview)), 0);
  }

  // --- Lists show what is chosen -------------------------------------------------------

  void aListsScrollArrowsChooseTheEntryTheyShow() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    ListBox* x1 = List("LstX", 1);
    const int start = x1->currentRow();  // 6: grid value 7
    QCOMPARE(ShownRow(x1), start);
    const auto firstCircle = [this] {
      return std::get<CircleShape>(Form().preview().drawing().shapes().at(0)).centre.x;
    };
    ClickScrollArrow(x1, true);
    QCOMPARE(x1->currentRow(), start + 1);
    QCOMPARE(ShownRow(x1), start + 1);
    QCOMPARE(x1->Text(), QString(" 8"));
    QCOMPARE(firstCircle(), 150.0f * (start + 1) + 250);  // the preview follows
    ClickScrollArrow(x1, false);
    ClickScrollArrow(x1, false);
    QCOMPARE(x1->currentRow(), start - 1);
    QCOMPARE(ShownRow(x1), start - 1);
    QCOMPARE(Form().EnteredTree().positions.at(0).x, start - 1);
    // The wheel too: a notch turns the one-entry page by an entry.
    Wheel(x1->viewport(), 1);
    QCOMPARE(x1->currentRow(), start);
    QCOMPARE(ShownRow(x1), start);
    Wheel(x1->viewport(), -1);
    QCOMPARE(x1->currentRow(), start - 1);
    QCOMPARE(ShownRow(x1), start - 1);
    // At the end of the list the arrow leaves the last entry chosen and shown.
    ListBox* y2 = List("LstY", 2);
    ClickEntry(y2, 19);
    ClickScrollArrow(y2, true);
    QCOMPARE(y2->currentRow(), 19);
    QCOMPARE(ShownRow(y2), 19);
    // The vertex count's arrows choose as well, and start the new tree.
    ListBox* counts = Find<ListBox>(Form(), "LstVrhovi");
    ClickScrollArrow(counts, true);
    QCOMPARE(counts->currentRow(), 4);
    QCOMPARE(Form().graph().vertexCount, 4);
    QCOMPARE(ShownRow(counts), 4);
  }

  void everyListShowsItsChoiceAfterAnyChoosing() {
    EnterByClicks(Form(), 8, {{1, 2}});
    for (int i = 1; i <= 8; ++i) {
      for (const char* array : {"LstX", "LstY"}) {
        ListBox* list = List(array, i);
        QCOMPARE(ShownRow(list), list->currentRow());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);  // moves without selecting
        QCOMPARE(ShownRow(list), list->currentRow());
        QVERIFY(list->currentItem()->isSelected());
      }
    }
  }

  // --- Arrow keys in the grid ----------------------------------------------------------

  void arrowKeysMoveWithinTheGrid() {
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {3, 4}});
    const Graph tree = Form().graph();
    // Row 1, column 2 is c(2); Down meets the diagonal (2, 2) and goes on to (3, 2) = c(10).
    Button(2)->setFocus();
    QTest::keyClick(Button(2), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Button(10));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Button(14));  // (4, 2), the last row
    for (int press = 0; press < 3; ++press)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Button(14));  // stays: the list below is not reached
    QCOMPARE(Form().graph(), tree);
    QCOMPARE(Find<ListBox>(Form(), "LstVrhovi")->currentRow(), 4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Button(15));  // (4, 3)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Button(15));  // (4, 4) is the diagonal, the edge
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), Button(11 - 4));  // (3, 3) skipped to (2, 3)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), Button(5));  // (2, 2) skipped to (2, 1)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), Button(5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), Button(5));  // (1, 1) and nothing above it
    // Space still toggles the focused edge; Tab leaves the grid.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(Form().graph().edges.size(), std::size_t{2});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != Button(5));
  }

  // --- No click nobody made ------------------------------------------------------------

  void theFirstFocusOnAListChoosesNothing() {
    auto* counts = Find<ListBox>(Form(), "LstVrhovi");
    QSignalSpy clicks(counts, &ListBox::chosen);
    counts->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), counts);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(counts->currentRow(), -1);
    QVERIFY(counts->selectedItems().isEmpty());
    // The keyboard chooses from there: the first Down is " 0", the next " 1".
    QTest::keyClick(counts, Qt::Key_Down);
    QTest::keyClick(counts, Qt::Key_Down);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(Form().graph().vertexCount, 1);
    // The same after Clear, and for a coordinate list without a choice.
    window_->ClearTree();
    ListBox* x3 = List("LstX", 3);
    QSignalSpy xClicks(x3, &ListBox::chosen);
    Find<QWidget>(Form(), "OptDr")->setFocus();
    counts->setFocus(Qt::TabFocusReason);
    QCOMPARE(counts->currentRow(), -1);
    x3->show();
    x3->setFocus(Qt::TabFocusReason);
    QCOMPARE(xClicks.count(), 0);
    QCOMPARE(x3->currentRow(), -1);
  }

  // --- Failures become messages --------------------------------------------------------

  void aFailingHandlerBecomesARemarkAndTheWindowGoesOn() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    auto failing = connect(&Form(), &GlForma::treeChanged, this,
                           [] { throw std::runtime_error("a broken redraw"); });
    ClickEntry(List("LstX", 1), 0);
    QVERIFY2(Remarks().contains("a broken redraw"), qPrintable(Remarks()));
    disconnect(failing);
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    QCOMPARE(Remarks(), QString("Half-sum of matrix elements is:  2"));
  }

  void anExceptionAnywhereIsCaughtWhereTheEventArrives() {
    auto* app = qobject_cast<GuardedApplication*>(QApplication::instance());
    QVERIFY(app != nullptr);
    app->SetFailureHandler([this](const QString& what) { window_->ShowFailure(what); });
    auto* failing = new FailingWidget(Form().clientArea());
    failing->setGeometry(1300, 950, 20, 20);
    failing->show();
    EnterByClicks(Form(), 2, {{1, 2}});
    ClickButton(Form(), "CmdVelika");
    QTest::mouseClick(failing, Qt::LeftButton);
    QVERIFY2(Remarks().contains("a failing control"), qPrintable(Remarks()));
    QVERIFY(Large().empty());  // no half-finished result stays
    // The event loop and the window go on.
    QTest::qWait(20);
    ClickButton(Form(), "CmdVelika");
    QVERIFY(!Large().empty());
    app->SetFailureHandler({});
  }

  // --- A long path wraps ---------------------------------------------------------------

  void aLongPathWrapsInsideTheWindow() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    const QString path = dir_.filePath(QString(200, 'p') + "/out.txt");
    Find<QLineEdit>(Form(), "TxtFileNm")->setText(path);
    ClickButton(Form(), "CmdFile");
    auto* label = Find<RemarksLabel>(Form(), "LblRemarks");
    QVERIFY(label->text().contains(path));
    const QRect inside = Form().clientArea()->rect();
    QVERIFY(inside.contains(label->geometry()));
    QVERIFY(label->geometry().top() > Find<QWidget>(Form(), "VelikaSlika")->geometry().bottom());
    // About 270 bold characters in a label 641 pixels wide: five lines, the path broken
    // inside itself. Wrapping at blanks only would leave three, the path's cut short.
    const QImage shown = label->grab().toImage();
    QVERIFY2(InkBands(shown) >= 4, qPrintable(QString::number(InkBands(shown))));
    QVERIFY(label->height() >= label->heightForWidth(label->width()));
    // Longer still, it fills the room there is and no more; the tooltip holds it whole.
    const QString longer = dir_.filePath(QString(600, 'q') + "/out.txt");
    Find<QLineEdit>(Form(), "TxtFileNm")->setText(longer);
    ClickButton(Form(), "CmdFile");
    QVERIFY(inside.contains(label->geometry()));
    QVERIFY(label->geometry().top() > Find<QWidget>(Form(), "VelikaSlika")->geometry().bottom());
    QVERIFY(label->toolTip().contains(longer));
    // A short remark afterwards puts the label back where it was designed.
    ClickButton(Form(), "OptWi");
    QCOMPARE(label->geometry(), ExpectedPixels(9720, 13680, 9615, 495));
    ClickButton(Form(), "CmdVelika");
    QVERIFY(label->text().startsWith("Half-sum"));
    QCOMPARE(label->geometry(), ExpectedPixels(9720, 13680, 9615, 495));
  }

  // --- The keyboard --------------------------------------------------------------------

  void enterInTheFileNameBoxWritesTheFile() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    auto* box = Find<QLineEdit>(Form(), "TxtFileNm");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, dir_.filePath("entered.txt"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(QFile::exists(dir_.filePath("entered.txt")));
    QCOMPARE(window_->findChild<QLabel*>("StatusMessage")->text(),
             "Wrote 16 matrices to " + dir_.filePath("entered.txt"));
  }

  void typedDigitsFindTheirEntries() {
    auto* counts = Find<ListBox>(Form(), "LstVrhovi");
    counts->setFocus();
    QTest::keyClick(counts, Qt::Key_5);
    QCOMPARE(Form().graph().vertexCount, 5);
    ListBox* y4 = List("LstY", 4);
    y4->setFocus();
    QTest::keyClicks(y4, "12");  // " 12", though every entry starts with a blank
    QCOMPARE(y4->Text(), QString(" 12"));
    QCOMPARE(Form().EnteredTree().positions.at(3).y, 11);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(y4, "2");  // a fresh search
    QCOMPARE(y4->Text(), QString(" 2"));
    QTest::keyClicks(y4, "0");  // typed at once: " 20"
    QCOMPARE(y4->Text(), QString(" 20"));
    QTest::keyClicks(y4, "x");  // no entry: nothing changes
    QCOMPARE(y4->Text(), QString(" 20"));
  }

  void tabNeverStopsOnTheScrollArea() {
    auto* scroll = Form().findChild<QScrollArea*>();
    QCOMPARE(scroll->focusPolicy(), Qt::NoFocus);
    EnterByClicks(Form(), 2, {});
    Find<QWidget>(Form(), "CmdFile")->setFocus();
    QSet<QWidget*> visited;
    for (int press = 0; press < 60; ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QVERIFY(focused != scroll && focused != scroll->viewport() && focused != &Form());
      visited.insert(focused);
    }
    QVERIFY(visited.contains(Find<QWidget>(Form(), "LstVrhovi")));
    QVERIFY(visited.contains(Find<QWidget>(Form(), "CmdVelika")));
  }

 private:
  GlForma& Form() { return window_->form(); }
  const Drawing& Large() { return Form().largePicture().drawing(); }
  QString Remarks() { return Find<QLabel>(Form(), "LblRemarks")->text(); }
  QPushButton* Button(int k) { return Find<QPushButton>(Form(), Element("c", k)); }
  ListBox* List(const char* array, int i) { return Find<ListBox>(Form(), Element(array, i)); }

  std::unique_ptr<MainWindow> window_;
  QTemporaryDir dir_;
};

// The application of the program, whose notify catches what escapes an event handler.
int main(int argc, char** argv) {
  GuardedApplication application(argc, argv);
  QTEST_SET_MAIN_SOURCE_PATH
  WindowFaultsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_faults_test.moc"
