// The window as it stands after start: controls, geometry, fonts, focus order and the
// created array elements.
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

struct Designed {
  const char* name;
  const char* container;  // "" for the client area
  int left, top, width, height;
  const char* caption;
};

// The designed controls in twips, with their captions or texts.
const std::vector<Designed> kDesigned = {
    {"LblVrhovi", "", 480, 240, 2535, 255, "Number of vertices ="},
    {"LstVrhovi", "", 3120, 240, 615, 360, ""},
    {"LblFileNm", "", 5760, 240, 1455, 375, "File name = "},
    {"TxtFileNm", "", 7320, 240, 9255, 420, "Text1"},
    {"CmdFile", "", 16680, 240, 1815, 495, "Write to File"},
    {"c(0)", "", 480, 1200, 400, 400, ""},
    {"LblKord(0)", "", 480, 2640, 597, 495, "Label1"},
    {"LstX(0)", "", 1320, 2640, 995, 360, ""},
    {"LstY(0)", "", 2760, 2640, 995, 360, ""},
    {"MalaSlika", "", 200, 7800, 3500, 3500, ""},
    {"VelikaSlika", "", 6720, 1125, 11943, 11880, ""},
    {"FrDis", "", 120, 11520, 2535, 3255, ""},
    {"LblDis", "FrDis", 240, 0, 2415, 375, "Display"},
    {"OptDr", "FrDis", 240, 600, 3135, 300, "Draw matrix"},
    {"OptWi", "FrDis", 240, 1100, 3135, 300, "Wiener index"},
    {"OptRi", "FrDis", 240, 1600, 2055, 300, "Randic index"},
    {"OptZi", "FrDis", 240, 2100, 2175, 300, "Zagreb index"},
    {"OptHi", "FrDis", 240, 2600, 2295, 300, "Hosoya index"},
    {"FrMt", "", 2760, 11640, 3735, 3495, ""},
    {"LblMt", "FrMt", 360, 0, 2055, 375, "Matrix type"},
    {"OptEGM", "FrMt", 0, 600, 3135, 300, "Edge-graphical matrix"},
    {"OptPGM", "FrMt", 0, 1100, 2775, 300, "Path-graphical matrix"},
    {"OptSVGM", "FrMt", 0, 1600, 3855, 300, "Sparse vertex-graphical matrix"},
    {"OptDVGM", "FrMt", 0, 2100, 3735, 300, "Dense vertex-graphical matrix"},
    {"CmdVelika", "", 7080, 13680, 1815, 615, "Draw"},
    {"LblRemarks", "", 9720, 13680, 9615, 495, ""},
};

QString CaptionOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text();
  return {};
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<GlForma>();
    ShowAndWait(*form_);
  }
  void cleanup() { form_.reset(); }

  void captionAndClientArea() {
    QCOMPARE(form_->windowTitle(), QString("Korvelant"));
    QCOMPARE(form_->clientArea()->size(), QSize(1327, 985));
    // With room for it, the whole client area shows without scrolling.
    auto* scroll = form_->findChild<QScrollArea*>();
    QVERIFY(scroll != nullptr);
    QCOMPARE(scroll->viewport()->size(), QSize(1327, 985));
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
  }

  void opensWithinTheScreen() {
    GlForma fresh;
    const QSize room = fresh.screen()->availableGeometry().size();
    QVERIFY(fresh.width() <= std::max(room.width(), 1327));
    QVERIFY(fresh.height() <= std::max(room.height(), 985));
    QVERIFY(fresh.width() == 1327 || fresh.width() < room.width());
    QVERIFY(fresh.height() == 985 || fresh.height() < room.height());
    QCOMPARE(fresh.sizeHint(), QSize(1327, 985));
  }

  void designedControlsStandWhereDesigned() {
    for (const Designed& control : kDesigned) {
      QWidget* widget = Find<QWidget>(*form_, control.name);
      const QWidget* container = *control.container != '\0'
                                     ? Find<QWidget>(*form_, control.container)
                                     : form_->clientArea();
      QVERIFY2(widget->parentWidget() == container, control.name);
      QVERIFY2(widget->geometry() ==
                   ExpectedPixels(control.left, control.top, control.width, control.height),
               control.name);
      QCOMPARE(CaptionOf(widget), QString(control.caption));
    }
    // Spot checks in pixels: 3120 / 15 = 208, 615 / 15 = 41, 360 / 15 = 24.
    QCOMPARE(Find<QWidget>(*form_, "LstVrhovi")->geometry(), QRect(208, 16, 41, 24));
    QCOMPARE(Find<QWidget>(*form_, "VelikaSlika")->geometry(), QRect(448, 75, 796, 792));
  }

  void controlKinds() {
    QVERIFY(qobject_cast<ListBox*>(Find<QWidget>(*form_, "LstVrhovi")));
    QVERIFY(qobject_cast<QLineEdit*>(Find<QWidget>(*form_, "TxtFileNm")));
    QVERIFY(qobject_cast<QPushButton*>(Find<QWidget>(*form_, "CmdVelika")));
    QVERIFY(qobject_cast<PictureBox*>(Find<QWidget>(*form_, "MalaSlika")));
    QVERIFY(qobject_cast<QRadioButton*>(Find<QWidget>(*form_, "OptHi")));
    QVERIFY(qobject_cast<QLabel*>(Find<QWidget>(*form_, "LblRemarks")));
    auto* list = Find<ListBox>(*form_, "LstVrhovi");
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
  }

  void startState() {
    QCOMPARE(form_->graph().vertexCount, 0);
    auto* counts = Find<ListBox>(*form_, "LstVrhovi");
    QCOMPARE(counts->count(), 9);
    for (int k = 0; k <= 8; ++k)
      QCOMPARE(counts->item(k)->text(), " " + QString::number(k));
    QCOMPARE(counts->currentRow(), -1);
    QVERIFY(counts->selectedItems().isEmpty());
    QVERIFY(Find<QRadioButton>(*form_, "OptDr")->isChecked());
    QVERIFY(Find<QRadioButton>(*form_, "OptEGM")->isChecked());
    for (const char* other : {"OptWi", "OptRi", "OptZi", "OptHi", "OptPGM", "OptSVGM", "OptDVGM"})
      QVERIFY2(!Find<QRadioButton>(*form_, other)->isChecked(), other);
    QCOMPARE(Find<QPushButton>(*form_, "CmdVelika")->text(), QString("Draw"));
    QCOMPARE(Find<QLabel>(*form_, "LblRemarks")->text(), QString());
    QVERIFY(Find<PictureBox>(*form_, "MalaSlika")->drawing().empty());
    QVERIFY(Find<PictureBox>(*form_, "VelikaSlika")->drawing().empty());
    for (int i = 1; i <= 8; ++i)
      QCOMPARE(int(Joined(form_->graph(), i, i % 8 + 1)), 0);
  }

  void arrayElementsAreInvisibleCopiesOfTheirTemplate() {
    auto* c0 = Find<QPushButton>(*form_, "c(0)");
    QVERIFY(!c0->isVisible());
    for (int k = 1; k <= 64; ++k) {
      auto* button = Find<QPushButton>(*form_, Element("c", k));
      QVERIFY(!button->isVisible());
      QCOMPARE(button->geometry(), c0->geometry());
      QCOMPARE(button->text(), QString());
      QCOMPARE(button->font(), c0->font());
      QCOMPARE(button->parentWidget(), c0->parentWidget());
    }
    QVERIFY(form_->findChild<QWidget*>("c(65)") == nullptr);
    for (const char* array : {"LblKord", "LstX", "LstY"}) {
      QWidget* element0 = Find<QWidget>(*form_, Element(array, 0));
      QVERIFY(!element0->isVisible());
      for (int i = 1; i <= 8; ++i) {
        QWidget* element = Find<QWidget>(*form_, Element(array, i));
        QVERIFY(!element->isVisible());
        QCOMPARE(element->geometry(), element0->geometry());
        QCOMPARE(element->font(), element0->font());
        QCOMPARE(CaptionOf(element), CaptionOf(element0));
        QCOMPARE(QString(element->metaObject()->className()),
                 QString(element0->metaObject()->className()));
      }
      QVERIFY(form_->findChild<QWidget*>(Element(array, 9)) == nullptr);
    }
    QCOMPARE(Find<QLabel>(*form_, "LblKord(3)")->text(), QString("Label1"));
  }

  void coordinateListsHoldOneToTwenty() {
    for (const char* array : {"LstX", "LstY"}) {
      for (int i = 1; i <= 8; ++i) {
        auto* list = Find<ListBox>(*form_, Element(array, i));
        QCOMPARE(list->count(), 20);
        QCOMPARE(list->item(0)->text(), QString(" 1"));
        QCOMPARE(list->item(19)->text(), QString(" 20"));
        QCOMPARE(list->currentRow(), -1);
      }
    }
  }

  void fonts() {
    const QFont window = form_->font();
    QCOMPARE(window.families().value(0), QString("MS Sans Serif"));
    QCOMPARE(window.pixelSize(), 16);  // 12 pt = 240 twips = 16 pixels
    QCOMPARE(window.weight(), QFont::Normal);
    // Whatever face stands in, it exists on this system and is a sans-serif one.
    const QString shown = QFontInfo(window).family();
    QVERIFY(!shown.isEmpty());
    QVERIFY(QFontDatabase::families().contains(shown));
    QVERIFY(!shown.contains("Serif") || shown.contains("Sans"));

    struct Expected {
      const char* name;
      int pixels;
      int weight;
    };
    for (const Expected& expected :
         {Expected{"FrDis", 11, QFont::Normal},  // 8.25 pt
          Expected{"OptWi", 11, QFont::Normal},  // FrDis's font
          Expected{"LblDis", 16, QFont::Bold},   // 12 pt bold
          Expected{"LblMt", 16, QFont::Bold},
          Expected{"OptEGM", 16, QFont::Normal},    // the window's
          Expected{"LblRemarks", 18, QFont::Bold},  // 13.5 pt bold
          Expected{"VelikaSlika", 18, QFont::Normal}, Expected{"MalaSlika", 16, QFont::Normal},
          Expected{"CmdVelika", 16, QFont::Normal}, Expected{"c(7)", 16, QFont::Normal}}) {
      const QFont font = Find<QWidget>(*form_, expected.name)->font();
      QVERIFY2(font.pixelSize() == expected.pixels, expected.name);
      QVERIFY2(font.weight() == expected.weight, expected.name);
      QVERIFY2(font.families().value(0) == "MS Sans Serif", expected.name);
    }
  }

  // The captions were fitted to the designed face; the stand-in must be as narrow, or the
  // frame cuts "Sparse vertex-graphical matrix" short.
  void optionCaptionsFitInsideTheirFrames() {
    for (const char* name :
         {"OptDr", "OptWi", "OptRi", "OptZi", "OptHi", "OptEGM", "OptPGM", "OptSVGM", "OptDVGM"}) {
      auto* option = Find<QRadioButton>(*form_, name);
      const int visible = std::min(option->width(), option->parentWidget()->width() - option->x());
      QVERIFY2(option->sizeHint().width() <= visible,
               qPrintable(QString("%1 needs %2 px, shows %3 in %4")
                              .arg(name)
                              .arg(option->sizeHint().width())
                              .arg(visible)
                              .arg(QFontInfo(option->font()).family())));
    }
  }

  void optionGroupsSelectExactlyOne() {
    ClickButton(*form_, "OptWi");
    QVERIFY(Find<QRadioButton>(*form_, "OptWi")->isChecked());
    QVERIFY(!Find<QRadioButton>(*form_, "OptDr")->isChecked());
    QVERIFY(Find<QRadioButton>(*form_, "OptEGM")->isChecked());  // the other group untouched
    ClickButton(*form_, "OptDVGM");
    QVERIFY(Find<QRadioButton>(*form_, "OptDVGM")->isChecked());
    QVERIFY(!Find<QRadioButton>(*form_, "OptEGM")->isChecked());
    QVERIFY(Find<QRadioButton>(*form_, "OptWi")->isChecked());
    for (const char* group : {"FrDis", "FrMt"}) {
      int selected = 0;
      for (auto* option : Find<QWidget>(*form_, group)->findChildren<QRadioButton*>())
        selected += option->isChecked() ? 1 : 0;
      QCOMPARE(selected, 1);
    }
  }

  void focusFollowsTheDesignedTabOrder() {
    // The chain of every focusable control, starting from the first grid button.
    std::vector<QString> chain;
    QWidget* start = Find<QWidget>(*form_, "c(0)");
    QWidget* widget = start;
    do {
      if (widget->focusPolicy() & Qt::TabFocus) chain.push_back(widget->objectName());
      widget = widget->nextInFocusChain();
    } while (widget != start && chain.size() < 500);
    const auto position = [&chain](const char* name) {
      const auto found = std::find(chain.begin(), chain.end(), QString(name));
      return found == chain.end() ? -1 : static_cast<int>(found - chain.begin());
    };
    const std::vector<const char*> designed = {
        "c(0)",    "c(1)",    "c(64)",     "LstVrhovi", "LstX(0)", "LstY(0)",
        "LstX(1)", "LstY(1)", "LstX(2)",   "LstY(8)",   "OptDr",   "OptWi",
        "OptRi",   "OptZi",   "CmdVelika", "TxtFileNm", "CmdFile", "OptHi",
        "OptDVGM", "OptSVGM", "OptPGM",    "OptEGM"};
    for (std::size_t k = 1; k < designed.size(); ++k) {
      QVERIFY2(position(designed[k - 1]) >= 0, designed[k - 1]);
      QVERIFY2(position(designed[k - 1]) < position(designed[k]), designed[k]);
    }
    // Labels, frames and pictures take no focus.
    for (const char* passive : {"LblVrhovi", "LblRemarks", "FrDis", "MalaSlika", "VelikaSlika"})
      QCOMPARE(position(passive), -1);
    // And the keyboard really walks it: Tab from OptZi lands on CmdVelika.
    Find<QWidget>(*form_, "OptZi")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*form_, "CmdVelika"));
  }

  void aSmallScreenScrollsToEveryControl() {
    // A 1366 x 768 laptop leaves about this much for the window.
    form_->resize(1366 - 16, 768 - 40 - 40);
    QTest::qWait(10);
    auto* scroll = form_->findChild<QScrollArea*>();
    QCOMPARE(form_->clientArea()->size(), QSize(1327, 985));
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    QCOMPARE(scroll->verticalScrollBar()->value(), 0);
    auto* command = Find<QWidget>(*form_, "CmdVelika");
    const auto shownInViewport = [scroll](QWidget* widget) {
      const QRect where(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
      return scroll->viewport()->rect().contains(where);
    };
    QVERIFY(!shownInViewport(command));
    // Tab into the command: the client area scrolls so that it shows.
    Find<QWidget>(*form_, "OptZi")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), command);
    QVERIFY(shownInViewport(command));
    // The layout in pixels did not change for it.
    QCOMPARE(command->geometry(), ExpectedPixels(7080, 13680, 1815, 615));
  }

 private:
  std::unique_ptr<GlForma> form_;
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
