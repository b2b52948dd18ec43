// The tree input events: the vertex count, the edge grid, the coordinates and the display
// options, driven through the real widgets with the mouse and the keyboard.
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <utility>

#include "support/default_positions.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

using korvelant::testing::kDefaultPositions;

}  // namespace

class WindowInputTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<GlForma>();
    ShowAndWait(*form_);
  }
  void cleanup() {
    form_.reset();
    QLocale::setDefault(QLocale::c());
  }

  void oneVertex() {
    ChooseVertexCount(*form_, 1);
    QCOMPARE(form_->graph().vertexCount, 1);
    auto* only = Button(1);
    QVERIFY(only->isVisible());
    QVERIFY(!only->isEnabled());
    QCOMPARE(only->text(), QString("X"));
    QCOMPARE(only->geometry(), ExpectedPixels(575, 1075, 375, 375));
    for (int k = 2; k <= 64; ++k)
      QVERIFY(!Button(k)->isVisible());
    QCOMPARE(Find<QLabel>(*form_, "LblKord(1)")->text(), QString("T 1="));
    QCOMPARE(List("LstX", 1)->Text(), QString(" 19"));
    QCOMPARE(List("LstY", 1)->Text(), QString(" 11"));
    QVERIFY(!Find<QWidget>(*form_, "LblKord(2)")->isVisible());
    QVERIFY(!Find<QWidget>(*form_, "c(0)")->isVisible());
  }

  void threeVertices() {
    ChooseVertexCount(*form_, 3);
    for (int k = 1; k <= 9; ++k)
      QVERIFY(Button(k)->isVisible());
    for (int k = 10; k <= 64; ++k)
      QVERIFY(!Button(k)->isVisible());
    // Row 3, column 3 is c(9) with a row length of 3.
    QCOMPARE(Button(9)->geometry(), ExpectedPixels(200 + 375 * 3, 700 + 375 * 3, 375, 375));
    QCOMPARE(Button(4)->geometry(), ExpectedPixels(200 + 375 * 1, 700 + 375 * 2, 375, 375));
    QCOMPARE(Button(5)->text(), QString("X"));
    QCOMPARE(Button(4)->text(), QString("0"));
    QVERIFY(Button(4)->isEnabled());
  }

  void eightVertices() {
    ChooseVertexCount(*form_, 8);
    QCOMPARE(Button(64)->geometry(), ExpectedPixels(200 + 375 * 8, 700 + 375 * 8, 375, 375));
    // Neighbouring buttons meet without gap or overlap.
    QCOMPARE(Button(2)->geometry().left(), Button(1)->geometry().right() + 1);
    QCOMPARE(Button(9)->geometry().top(), Button(1)->geometry().bottom() + 1);
    for (int i = 1; i <= 8; ++i) {
      for (int j = 1; j <= 8; ++j) {
        auto* button = Button((i - 1) * 8 + j);
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), QString(i == j ? "X" : "0"));
        QCOMPARE(button->isEnabled(), i != j);
      }
    }
    // Vertex 5 opens the right column, level with vertex 1.
    auto* label1 = Find<QLabel>(*form_, "LblKord(1)");
    auto* label5 = Find<QLabel>(*form_, "LblKord(5)");
    QCOMPARE(label1->geometry(), ExpectedPixels(200, 4750, 597, 495));
    QCOMPARE(label5->geometry(), ExpectedPixels(3600, 4750, 597, 495));
    QCOMPARE(List("LstX", 5)->geometry(), ExpectedPixels(4300, 4750, 995, 360));
    QCOMPARE(List("LstY", 5)->geometry(), ExpectedPixels(5400, 4750, 995, 360));
    QCOMPARE(List("LstX", 4)->geometry(), ExpectedPixels(800, 7000, 995, 360));
    QCOMPARE(List("LstY", 8)->geometry(), ExpectedPixels(5400, 7000, 995, 360));
    QCOMPARE(Find<QLabel>(*form_, "LblKord(8)")->text(), QString("T 8="));
  }

  void defaultPositionsForEveryCount() {
    for (int n = 1; n <= 8; ++n) {
      ChooseVertexCount(*form_, n);
      for (int i = 1; i <= n; ++i) {
        const auto [x, y] = kDefaultPositions[n][i - 1];
        QVERIFY2(List("LstX", i)->currentRow() == x,
                 qPrintable(QString("n %1 i %2").arg(n).arg(i)));
        QVERIFY2(List("LstY", i)->currentRow() == y,
                 qPrintable(QString("n %1 i %2").arg(n).arg(i)));
        QVERIFY(List("LstX", i)->isVisible());
      }
    }
  }

  void threeAfterEightKeepsTheHigherRows() {
    ChooseVertexCount(*form_, 8);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ClickGridCell(*form_, 4, 5);
    ChoosePosition(*form_, 6, 0, 19);
    ChooseVertexCount(*form_, 3);
    QCOMPARE(form_->graph().vertexCount, 3);
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 0);
    QCOMPARE(int(Joined(form_->graph(), 3, 2)), 0);
    QCOMPARE(int(Joined(form_->graph(), 4, 5)), 0);  // a new count starts without edges
    for (int k = 1; k <= 9; ++k)
      QVERIFY(Button(k)->isVisible());
    for (int k = 10; k <= 64; ++k)
      QVERIFY(!Button(k)->isVisible());
    QCOMPARE(Button(2)->text(), QString("0"));
    QCOMPARE(Button(4)->text(), QString("0"));
    for (int i = 4; i <= 8; ++i) {
      QVERIFY(Find<QWidget>(*form_, Element("LblKord", i))->isVisible());
      QVERIFY(List("LstY", i)->isVisible());
    }
    QCOMPARE(List("LstX", 6)->currentRow(), 0);
    QCOMPARE(List("LstY", 6)->currentRow(), 19);
    // Vertices 1..3 moved to the circle of three.
    QCOMPARE(List("LstX", 1)->currentRow(), 6);
    // Coming back to five clears the old edge 4-5.
    ChooseVertexCount(*form_, 5);
    QCOMPARE(int(Joined(form_->graph(), 4, 5)), 0);
    QCOMPARE(int(Joined(form_->graph(), 5, 4)), 0);
  }

  void zeroHidesTheGridAndKeepsTheRows() {
    ChooseVertexCount(*form_, 2);
    ClickGridCell(*form_, 1, 2);
    ChooseVertexCount(*form_, 0);
    QCOMPARE(form_->graph().vertexCount, 0);
    for (int k = 1; k <= 64; ++k)
      QVERIFY(!Button(k)->isVisible());
    QVERIFY(List("LstX", 2)->isVisible());
    QVERIFY(Find<PictureBox>(*form_, "MalaSlika")->drawing().empty());
  }

  void choosingTheSameCountAgainStartsANewTree() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ChoosePosition(*form_, 1, 0, 0);
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 1);
    ChooseVertexCount(*form_, 3);  // a click on the entry already selected
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 0);
    QCOMPARE(Button(2)->text(), QString("0"));
    QCOMPARE(List("LstX", 1)->currentRow(), 6);
  }

  void toggleAndMirrorWithEight() {
    ChooseVertexCount(*form_, 8);
    ClickGridButton(*form_, 2);  // row 1, column 2
    QCOMPARE(Button(2)->text(), QString(" 1"));
    QCOMPARE(Button(9)->text(), QString(" 1"));
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 1);
    QCOMPARE(int(Joined(form_->graph(), 2, 1)), 1);
    ClickGridButton(*form_, 9);  // row 2, column 1: the same edge
    QCOMPARE(Button(2)->text(), QString(" 0"));
    QCOMPARE(Button(9)->text(), QString(" 0"));
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 0);
    QCOMPARE(int(Joined(form_->graph(), 2, 1)), 0);
    ClickGridButton(*form_, 4);  // row 1, column 4; its mirror is c(25)
    QCOMPARE(Button(25)->text(), QString(" 1"));
    QCOMPARE(int(Joined(form_->graph(), 1, 4)), 1);
    QCOMPARE(int(Joined(form_->graph(), 4, 1)), 1);
    QCOMPARE(Button(3)->text(), QString("0"));
  }

  void toggleAndMirrorWithThree() {
    ChooseVertexCount(*form_, 3);
    ClickGridButton(*form_, 4);  // row 2, column 1; its mirror is c(2)
    QCOMPARE(Button(4)->text(), QString(" 1"));
    QCOMPARE(Button(2)->text(), QString(" 1"));
    QCOMPARE(int(Joined(form_->graph(), 2, 1)), 1);
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 1);
    QCOMPARE(Button(8)->text(), QString("0"));
  }

  void adjacencyStaysSymmetricAfterEveryClick() {
    for (int n : {3, 8}) {
      ChooseVertexCount(*form_, n);
      // A walk over the grid that hits buttons, their mirrors and repeats.
      for (int step = 0; step < 40; ++step) {
        int k = (step * 7) % (n * n) + 1;
        if ((k - 1) / n == (k - 1) % n) continue;  // a diagonal button is disabled
        ClickGridButton(*form_, k);
        for (int i = 1; i <= n; ++i) {
          QCOMPARE(int(Joined(form_->graph(), i, i)), 0);
          for (int j = 1; j <= n; ++j) {
            const int entry = int(Joined(form_->graph(), i, j));
            QCOMPARE(entry, int(Joined(form_->graph(), j, i)));
            QVERIFY(entry == 0 || entry == 1);
            if (i != j) QCOMPARE(Button((i - 1) * n + j)->text().trimmed(), QString::number(entry));
          }
        }
      }
    }
  }

  void theSelectedEntryIsInView() {
    ChooseVertexCount(*form_, 8);  // vertex 1 at positions (16, 16), far down its lists
    for (const char* array : {"LstX", "LstY"}) {
      ListBox* list = List(array, 1);
      QCOMPARE(list->currentRow(), 16);
      QVERIFY(list->selectedItems().contains(list->currentItem()));
      QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(list->currentItem())));
      QVERIFY(!list->viewport()->rect().intersects(list->visualItemRect(list->item(0))));
    }
    auto* counts = Find<ListBox>(*form_, "LstVrhovi");
    QVERIFY(counts->viewport()->rect().intersects(counts->visualItemRect(counts->item(8))));
  }

  void aSelectionFromCodeIsAChoice() {
    Find<ListBox>(*form_, "LstVrhovi")->setCurrentRow(4);
    QCOMPARE(form_->graph().vertexCount, 4);
    QVERIFY(Button(16)->isVisible());
    QCOMPARE(List("LstX", 3)->currentRow(), 10);
    QCOMPARE(Find<PictureBox>(*form_, "MalaSlika")->drawing().shapes().size(), std::size_t{8});
  }

  void keyboardDrivesEveryControl() {
    auto* counts = Find<ListBox>(*form_, "LstVrhovi");
    ChooseVertexCount(*form_, 2);
    counts->setFocus();
    QTest::keyClick(counts, Qt::Key_Down);  // " 3"
    QCOMPARE(form_->graph().vertexCount, 3);
    QVERIFY(Button(9)->isVisible());
    QTest::keyClick(counts, Qt::Key_Down);
    QCOMPARE(form_->graph().vertexCount, 4);
    QTest::keyClick(counts, Qt::Key_Up);
    QCOMPARE(form_->graph().vertexCount, 3);

    Button(2)->setFocus();
    QTest::keyClick(Button(2), Qt::Key_Space);
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 1);
    QTest::keyClick(Button(2), Qt::Key_Return);
    QCOMPARE(int(Joined(form_->graph(), 1, 2)), 0);

    auto* x1 = List("LstX", 1);
    x1->setFocus();
    QTest::keyClick(x1, Qt::Key_Down);
    QCOMPARE(x1->currentRow(), 7);
    QCOMPARE(x1->Text(), QString(" 8"));

    auto* draw = Find<QRadioButton>(*form_, "OptDr");
    draw->setFocus();
    QTest::keyClick(draw, Qt::Key_Down);
    QVERIFY(Find<QRadioButton>(*form_, "OptWi")->isChecked());
    QCOMPARE(Find<QPushButton>(*form_, "CmdVelika")->text(), QString("Calculate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QVERIFY(draw->isChecked());
    QCOMPARE(Find<QPushButton>(*form_, "CmdVelika")->text(), QString("Draw"));
    auto* zagreb = Find<QRadioButton>(*form_, "OptZi");
    zagreb->setFocus();
    QTest::keyClick(zagreb, Qt::Key_Space);
    QVERIFY(zagreb->isChecked());
    QCOMPARE(Find<QPushButton>(*form_, "CmdVelika")->text(), QString("Calculate"));

    // The command buttons answer Space and Enter: a calculation, then a file.
    auto* command = Find<QPushButton>(*form_, "CmdVelika");
    command->setFocus();
    QTest::keyClick(command, Qt::Key_Return);
    QVERIFY(Find<QLabel>(*form_, "LblRemarks")->text().startsWith("Graph is not a tree"));
  }

  void aCoordinateChoiceRedrawsAndClearsResults() {
    ChooseVertexCount(*form_, 2);
    ClickGridCell(*form_, 1, 2);
    ClickButton(*form_, "OptWi");
    ClickButton(*form_, "CmdVelika");
    auto* large = Find<PictureBox>(*form_, "VelikaSlika");
    auto* remarks = Find<QLabel>(*form_, "LblRemarks");
    QVERIFY(!large->drawing().empty());
    QVERIFY(!remarks->text().isEmpty());
    ClickEntry(List("LstX", 1), 5);
    QVERIFY(large->drawing().empty());
    QVERIFY(remarks->text().isEmpty());
    const auto& shapes = Find<PictureBox>(*form_, "MalaSlika")->drawing().shapes();
    const auto* circle = std::get_if<CircleShape>(&shapes.at(0));
    QVERIFY(circle != nullptr);
    QCOMPARE(circle->centre.x, 150.0f * 5 + 250);
  }

  void anEdgeToggleAndACountChoiceClearResults() {
    ChooseVertexCount(*form_, 2);
    ClickGridCell(*form_, 1, 2);
    auto* large = Find<PictureBox>(*form_, "VelikaSlika");
    ClickButton(*form_, "CmdVelika");
    QVERIFY(!large->drawing().empty());
    ClickGridCell(*form_, 1, 2);
    QVERIFY(large->drawing().empty());
    ClickButton(*form_, "CmdVelika");  // not a tree now: the message
    QVERIFY(!Find<QLabel>(*form_, "LblRemarks")->text().isEmpty());
    ChooseVertexCount(*form_, 1);
    QVERIFY(Find<QLabel>(*form_, "LblRemarks")->text().isEmpty());
  }

  void displayOptionsNameTheCommandAndClearResults() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    auto* command = Find<QPushButton>(*form_, "CmdVelika");
    auto* large = Find<PictureBox>(*form_, "VelikaSlika");
    auto* remarks = Find<QLabel>(*form_, "LblRemarks");
    const auto calculate = [&] {
      ClickButton(*form_, "CmdVelika");
      QVERIFY(!large->drawing().empty());
    };
    for (const char* option : {"OptZi", "OptRi", "OptHi", "OptWi"}) {
      ClickButton(*form_, option);
      QCOMPARE(command->text(), QString("Calculate"));
      calculate();
      QVERIFY(!remarks->text().isEmpty());
      ClickButton(*form_, "OptDr");
      QCOMPARE(command->text(), QString("Draw"));
      QVERIFY(large->drawing().empty());
      QVERIFY(remarks->text().isEmpty());
      ClickButton(*form_, option);
    }
    // A matrix type clears the results too, so no EGM number stands under the PGM option;
    // the display option and the command's caption stay.
    for (const char* type : {"OptPGM", "OptSVGM", "OptDVGM", "OptEGM"}) {
      calculate();
      QVERIFY(!remarks->text().isEmpty());
      ClickButton(*form_, type);
      QVERIFY2(large->drawing().empty(), type);
      QVERIFY2(remarks->text().isEmpty(), type);
      QCOMPARE(command->text(), QString("Calculate"));
      QVERIFY(Find<QRadioButton>(*form_, "OptWi")->isChecked());
    }
  }

  void numbersIgnoreTheLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    GlForma german;
    ShowAndWait(german);
    QCOMPARE(Find<ListBox>(german, "LstVrhovi")->item(8)->text(), QString(" 8"));
    ChooseVertexCount(german, 8);
    ClickGridButton(german, 2);
    QCOMPARE(Find<QPushButton>(german, "c(2)")->text(), QString(" 1"));
    QCOMPARE(Find<ListBox>(german, "LstX(1)")->Text(), QString(" 17"));
    QCOMPARE(Find<QLabel>(german, "LblKord(8)")->text(), QString("T 8="));
  }

 private:
  QPushButton* Button(int index) { return Find<QPushButton>(*form_, Element("c", index)); }
  ListBox* List(const char* array, int index) {
    return Find<ListBox>(*form_, Element(array, index));
  }

  std::unique_ptr<GlForma> form_;
};

QTEST_MAIN(WindowInputTest)
#include "window_input_test.moc"
