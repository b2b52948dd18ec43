// Tree > From SMILES: a molecule typed into the dialog becomes the entered tree, as if the
// user had clicked it in; what the window cannot take is refused in the dialog.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "molecules/grid_layout.hpp"
#include "molecules/molecule_reading.hpp"
#include "window/main_window.hpp"
#include "window/smiles_dialog.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

constexpr const char* kDimethylHexane = "CCCC(C)C(C)C";
// Its skeleton, written out by hand in the SMILES's atom order.
const std::vector<std::pair<int, int>> kDimethylHexaneEdges = {{1, 2}, {2, 3}, {3, 4}, {4, 5},
                                                               {4, 6}, {6, 7}, {6, 8}};

// Where the molecules layer lays out a SMILES on the grid, as list rows.
std::vector<std::pair<int, int>> LayoutOf(const char* smiles) {
  const MoleculeReading reading = ReadSmiles(smiles, Depiction::Compute);
  std::vector<std::pair<int, int>> rows;
  for (const GridPosition& p : GridLayout(reading.depiction))
    rows.emplace_back(p.x, p.y);
  return rows;
}

// What the open dialog showed when the test acted on it.
struct DialogSeen {
  bool opened = false;
  QString startText;  // the line's text when the dialog opened
  QString refusal;    // the reason shown after the test's keys, if any
  bool stillOpen = false;
  QString cutLabel;  // a text of the dialog shown on fewer lines than it takes, if any
};

// The text of the first label shown too low for its wrapped lines, or nothing.
QString FirstCutLabel(const QWidget& dialog) {
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->isVisible() && label->height() < label->heightForWidth(label->width()))
      return label->text();
  }
  return {};
}

}  // namespace

class WindowSmilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>(std::make_unique<ScriptedDialogs>());
    ShowAndWait(*window_);
  }
  void cleanup() { window_.reset(); }

  void theTreeMenuOffersItWithCtrlM() {
    auto* action = Action();
    QCOMPARE(action->text(), QString("From &SMILES\u2026"));
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    auto* menu = window_->findChild<QMenu*>("menuTree");
    QVERIFY(menu != nullptr);
    QVERIFY(menu->actions().contains(action));
  }

  void typedWithTheKeyboardItIsTheTreeClickedIn() {
    // A result of an earlier tree, which the molecule must clear.
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    QVERIFY(!Form().largePicture().drawing().empty());
    QVERIFY(!Remarks().isEmpty());

    const DialogSeen seen = ThroughDialog([](QLineEdit* edit) {
      QTest::keyClicks(edit, kDimethylHexane);
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(seen.opened);
    QVERIFY2(!seen.stillOpen, qPrintable(seen.refusal));

    GlForma byHand;
    ShowAndWait(byHand);
    const auto layout = LayoutOf(kDimethylHexane);
    EnterByClicks(byHand, 8, kDimethylHexaneEdges, layout);
    QCOMPARE(VisibleTree(Form()), VisibleTree(byHand));
    QCOMPARE(Form().graph(), byHand.graph());
    // The lists show the depiction's grid positions, counted from 1.
    for (int v = 1; v <= 8; ++v) {
      const auto [x, y] = layout.at(static_cast<std::size_t>(v - 1));
      QCOMPARE(Find<ListBox>(Form(), Element("LstX", v))->Text().trimmed(), QString::number(x + 1));
      QCOMPARE(Find<ListBox>(Form(), Element("LstY", v))->Text().trimmed(), QString::number(y + 1));
    }
    QVERIFY(Form().largePicture().drawing().empty());
    QVERIFY(Remarks().isEmpty());
    QVERIFY2(Status().contains(kDimethylHexane), qPrintable(Status()));
  }

  void clickingOkIsPressingEnterAndHydrogensAndChargesDoNotCount() {
    const DialogSeen seen = ThroughDialog([](QLineEdit* edit) {
      QTest::keyClicks(edit, "[NH3+]CC(=O)[O-]");
      auto* dialog = edit->window();
      QPushButton* ok = nullptr;
      for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove('&') == "OK") ok = button;
      if (ok != nullptr) QTest::mouseClick(ok, Qt::LeftButton);
    });
    QVERIFY(seen.opened);
    QVERIFY(!seen.stillOpen);
    GlForma byHand;
    ShowAndWait(byHand);
    EnterByClicks(byHand, 5, {{1, 2}, {2, 3}, {3, 4}, {3, 5}}, LayoutOf("[NH3+]CC(=O)[O-]"));
    QCOMPARE(VisibleTree(Form()), VisibleTree(byHand));
  }

  void refusalsStayInTheDialogAndKeepTheTree_data() {
    QTest::addColumn<QString>("smiles");
    QTest::addColumn<QString>("message");  // empty: RDKit's own reason after "Invalid SMILES: "
    const QString notATree = "Graph is not a tree and this program works only with trees";
    QTest::newRow("a ring") << "C1CCCCC1" << notATree + ": 1 ring";
    QTest::newRow("two rings") << "C1CC2CCC1C2" << notATree + ": 2 rings";
    QTest::newRow("fragments") << "CC.CC" << notATree + ": 2 fragments";
    QTest::newRow("a ring of nine") << "C1CCCCCCCC1" << notATree + ": 1 ring";
    QTest::newRow("nine atoms")
        << "CCCCCC(C)CC"
        << "The window draws trees of up to 8 vertices; this molecule has 9. Use korvelant-cli "
           "for larger trees.";
    QTest::newRow("past the command line's limit too")
        << QString(130, 'C')
        << "The window draws trees of up to 8 vertices; this molecule has 130. Use "
           "korvelant-cli for larger trees.";
    QTest::newRow("bad syntax") << "CC(C" << QString();
    QTest::newRow("a bad valence") << "CC(C)(C)(C)(C)C" << QString();
    QTest::newRow("nothing") << "   "
                             << "No SMILES given";
  }
  void refusalsStayInTheDialogAndKeepTheTree() {
    QFETCH(QString, smiles);
    QFETCH(QString, message);
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {2, 4}}, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    ClickButton(Form(), "OptZi");
    ClickButton(Form(), "CmdVelika");
    const QString tree = VisibleTree(Form());
    const QString remarks = Remarks();
    const auto shapes = Form().largePicture().drawing().shapes();

    const DialogSeen seen = ThroughDialog([smiles](QLineEdit* edit) {
      QTest::keyClicks(edit, smiles);
      QTest::keyClick(edit, Qt::Key_Enter);  // the number pad's Enter accepts too
    });
    QVERIFY(seen.opened);
    QVERIFY(seen.stillOpen);
    QCOMPARE(seen.cutLabel, QString());  // the prompt and the reason both shown whole
    if (message.isEmpty()) {
      QVERIFY2(seen.refusal.startsWith("Invalid SMILES: "), qPrintable(seen.refusal));
      QVERIFY2(seen.refusal.size() > 20, qPrintable(seen.refusal));  // RDKit's reason follows
    } else {
      QCOMPARE(seen.refusal, message);
    }
    QCOMPARE(VisibleTree(Form()), tree);
    QCOMPARE(Remarks(), remarks);
    QVERIFY(Form().largePicture().drawing().shapes() == shapes);
  }

  void aCorrectedSmilesIsTakenAfterARefusal() {
    const DialogSeen seen = ThroughDialog([](QLineEdit* edit) {
      QTest::keyClicks(edit, "C1CC1");
      QTest::keyClick(edit, Qt::Key_Return);
      const auto* refusal = edit->window()->findChild<QLabel*>("SmilesRefusal");
      if (refusal == nullptr || !refusal->isVisible()) return;
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(edit, "CC(C)C");
      // The old reason no longer stands under the new text.
      if (refusal->isVisible()) return;
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(seen.opened);
    QVERIFY(!seen.stillOpen);
    QCOMPARE(Form().graph().vertexCount, 4);
  }

  void escapeCancelsAndTheEnteredSmilesIsRemembered() {
    DialogSeen seen = ThroughDialog([](QLineEdit* edit) {
      QTest::keyClicks(edit, "CC(C)C");
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(seen.opened);
    QCOMPARE(seen.startText, QString());
    const QString isobutane = VisibleTree(Form());
    QCOMPARE(Form().graph().vertexCount, 4);

    // Next time the line offers it, selected: Enter takes it again, typing replaces it.
    seen = ThroughDialog([](QLineEdit* edit) {
      if (edit->selectedText() != edit->text()) return;
      QTest::keyClicks(edit, "CCCCC");
      QTest::keyClick(edit, Qt::Key_Escape);
    });
    QVERIFY(seen.opened);
    QCOMPARE(seen.startText, QString("CC(C)C"));
    QVERIFY(!seen.stillOpen);
    QCOMPARE(VisibleTree(Form()), isobutane);

    // What was typed before Escape is not what is remembered.
    seen = ThroughDialog([](QLineEdit* edit) { QTest::keyClick(edit, Qt::Key_Escape); });
    QVERIFY(seen.opened);
    QCOMPARE(seen.startText, QString("CC(C)C"));
    QCOMPARE(VisibleTree(Form()), isobutane);
  }

 private:
  // Presses Ctrl+M in the window and lets `act` work on the dialog's line once it is open.
  // A dialog the actions leave open is closed with Escape afterwards, and reported so.
  DialogSeen ThroughDialog(const std::function<void(QLineEdit*)>& act) {
    DialogSeen seen;
    // The shortcut reaches the window that is active, which a closed dialog may have left
    // none. Waiting runs the event loop, so the dialog's actions are queued only after it.
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get())) return seen;
    QTimer::singleShot(0, [&seen, &act] {
      auto* dialog = qobject_cast<SmilesDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen.opened = true;
      auto* edit = dialog->findChild<QLineEdit*>("SmilesEdit");
      seen.startText = edit->text();
      act(edit);
      const auto* refusal = dialog->findChild<QLabel*>("SmilesRefusal");
      if (refusal->isVisible()) seen.refusal = refusal->text();
      seen.stillOpen = dialog->isVisible();
      if (seen.stillOpen) seen.cutLabel = FirstCutLabel(*dialog);
      if (seen.stillOpen) QTest::keyClick(edit, Qt::Key_Escape);
    });
    QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
    return seen;
  }

  GlForma& Form() { return window_->form(); }
  QAction* Action() { return window_->findChild<QAction*>("actionFromSmiles"); }
  QString Remarks() { return Find<QLabel>(Form(), "LblRemarks")->text(); }
  QString Status() { return window_->findChild<QLabel*>("StatusMessage")->text(); }

  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(WindowSmilesTest)
#include "window_smiles_test.moc"
