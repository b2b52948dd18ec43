// What a screen reader learns of the window, read back through QAccessible: names, the
// checked state of the edge buttons, the pictures' descriptions and the remarks' announcement;
// and the focus, which must always show.
//
// Announcements are caught by a bridge, as a screen reader's bridge receives them: the update
// handler of QAccessible hears nothing while no screen reader has made accessibility active,
// and on the offscreen platform none ever does. The bridge is a static plugin of this test.
#define QT_STATICPLUGIN
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <vector>

#include "window/main_window.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

struct Announcement {
  QObject* object;
  QAccessible::Event type;
  QString name;  // the object's accessible name when it was announced
};

std::vector<Announcement>* announcements = nullptr;

void RecordAnnouncement(QAccessibleEvent* event) {
  if (announcements == nullptr) return;
  QAccessibleInterface* target = event->accessibleInterface();
  announcements->push_back(
      {event->object(), event->type(), target ? target->text(QAccessible::Name) : QString()});
}

// The bridge every announcement reaches while accessibility is not active.
class RecordingBridge : public QAccessibleBridge {
 public:
  void setRootObject(QAccessibleInterface*) override {}
  void notifyAccessibilityUpdate(QAccessibleEvent* event) override { RecordAnnouncement(event); }
};

class RecordingBridgePlugin : public QAccessibleBridgePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "recording_bridge.json")

 public:
  QAccessibleBridge* create(const QString&) override { return new RecordingBridge; }
};

QAccessibleInterface* Accessible(QObject* object) {
  QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
  if (found == nullptr) throw std::runtime_error("no accessible interface");
  return found;
}

}  // namespace

// Announcements reach no one on a display where no screen reader has made accessibility
// active; the checks of what is announced are skipped there, saying so.
#define SKIP_UNLESS_LISTENING() \
  if (!listening_) QSKIP("no screen reader has made accessibility active: nothing is announced")

class WindowAccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  // Where a screen reader has made accessibility active, the handler hears what the bridge
  // would: either way every announcement is recorded once. On an X display that happens
  // when the AT-SPI bus says a reader is on (scripts/window-tests-on-x.sh sets it so).
  void initTestCase() {
    QAccessible::installUpdateHandler(RecordAnnouncement);
    listening_ = QGuiApplication::platformName() == "offscreen" ||
                 QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000);
  }
  void init() {
    form_ = std::make_unique<GlForma>();
    ShowAndWait(*form_);
    heard_.clear();
    announcements = &heard_;
  }
  void cleanup() {
    announcements = nullptr;
    form_.reset();
  }

  void edgeButtonsAreNamedTogglesWithACheckedState() {
    ChooseVertexCount(*form_, 4);
    QAccessibleInterface* edge = Accessible(Button(2));  // row 1, column 2
    QCOMPARE(edge->text(QAccessible::Name), QString("Edge 1\u20132"));
    QCOMPARE(edge->role(), QAccessible::Button);
    QVERIFY(edge->state().checkable);
    QVERIFY(!edge->state().checked);
    QCOMPARE(Accessible(Button(5))->text(QAccessible::Name), QString("Edge 2\u20131"));
    QCOMPARE(Accessible(Button(15))->text(QAccessible::Name), QString("Edge 4\u20133"));
    QVERIFY(Accessible(Button(6))->state().disabled);  // the diagonal
    QCOMPARE(Accessible(Button(6))->text(QAccessible::Name), QString("Vertex 2, no edge"));

    heard_.clear();
    ClickGridButton(*form_, 2);
    QVERIFY(Accessible(Button(2))->state().checked);
    QVERIFY(Accessible(Button(5))->state().checked);  // the mirror shows the same edge
    const bool bothAnnounced =
        Heard(Button(2), QAccessible::StateChanged) && Heard(Button(5), QAccessible::StateChanged);
    ClickGridButton(*form_, 5);
    QVERIFY(!Accessible(Button(2))->state().checked);

    // A reader's own "toggle" action adds the edge, as a click does.
    QAccessibleActionInterface* actions = Accessible(Button(3))->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(form_->graph(), (Graph{4, {{1, 3}}}));
    QVERIFY(Accessible(Button(9))->state().checked);
    // A new count renames the buttons for the new grid.
    ChooseVertexCount(*form_, 3);
    QCOMPARE(Accessible(Button(4))->text(QAccessible::Name), QString("Edge 2\u20131"));
    SKIP_UNLESS_LISTENING();
    QVERIFY(bothAnnounced);
  }

  void listsBoxesAndFramesAreNamed() {
    ChooseVertexCount(*form_, 3);
    QCOMPARE(Name("LstX(3)"), QString("X of vertex 3"));
    QCOMPARE(Name("LstY(3)"), QString("Y of vertex 3"));
    QCOMPARE(Name("LstY(8)"), QString("Y of vertex 8"));
    QCOMPARE(Name("LstVrhovi"), QString("Number of vertices"));
    QCOMPARE(Name("TxtFileNm"), QString("File name"));
    QCOMPARE(Name("FrDis"), QString("Display"));
    QCOMPARE(Name("FrMt"), QString("Matrix type"));
    QCOMPARE(Name("MalaSlika"), QString("Tree preview"));
    QCOMPARE(Name("VelikaSlika"), QString("Matrix picture"));
    QCOMPARE(Name("OptSVGM"), QString("Sparse vertex-graphical matrix"));
    // A list's value is its chosen entry.
    QCOMPARE(Accessible(Find<QWidget>(*form_, "LstVrhovi"))->child(3)->text(QAccessible::Name),
             QString(" 3"));
    QVERIFY(Accessible(Find<QWidget>(*form_, "LstVrhovi"))->child(3)->state().selected);
  }

  void thePreviewIsDescribed() {
    QCOMPARE(Description("MalaSlika"), QString("No vertices."));
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    heard_.clear();
    ClickGridCell(*form_, 3, 2);
    ChoosePosition(*form_, 3, 9, 0);
    QCOMPARE(Description("MalaSlika"),
             QString("3 vertices, 1 at (7, 18), 2 at (7, 4), 3 at (10, 1); edges 1\u20132, "
                     "2\u20133."));
    const bool announced =
        Heard(Find<QWidget>(*form_, "MalaSlika"), QAccessible::DescriptionChanged);
    ChooseVertexCount(*form_, 1);
    QCOMPARE(Description("MalaSlika"), QString("1 vertex, 1 at (19, 11); no edges."));
    SKIP_UNLESS_LISTENING();
    QVERIFY(announced);
  }

  void theLargePictureIsDescribed() {
    QCOMPARE(Description("VelikaSlika"), QString("Empty"));
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ClickButton(*form_, "OptPGM");
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Description("VelikaSlika"),
             QString("Drawn path-graphical matrix, 3 by 3 cells: each shows the tree with the "
                     "edges its element keeps thick. element 1\u20131: empty, shows 0; element "
                     "1\u20132: keeps 2\u20133; element 1\u20133: keeps nothing; element "
                     "2\u20132: empty, shows 0; element 2\u20133: keeps 1\u20132; element "
                     "3\u20133: empty, shows 0."));
    ClickButton(*form_, "OptHi");
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Description("VelikaSlika"),
             QString("Hosoya index of the path-graphical matrix, 3 by 3. row 1: 0, 2, 1; "
                     "row 2: 2, 0, 2; row 3: 1, 2, 0. Half-sum 5."));
    ClickGridCell(*form_, 1, 3);  // a cycle now
    QCOMPARE(Description("VelikaSlika"), QString("Empty"));
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Description("VelikaSlika"),
             QString("Graph is not a tree and this program works only with trees"));
  }

  void theRemarksAreAnnounced() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ClickButton(*form_, "OptWi");
    SKIP_UNLESS_LISTENING();
    heard_.clear();
    ClickButton(*form_, "CmdVelika");
    auto* remarks = Find<QLabel>(*form_, "LblRemarks");
    QVERIFY(Heard(remarks, QAccessible::NameChanged));
    const auto alert = std::find_if(heard_.begin(), heard_.end(), [remarks](const auto& heard) {
      return heard.object == remarks && heard.type == QAccessible::Alert;
    });
    QVERIFY(alert != heard_.end());
    QCOMPARE(alert->name, QString("Half-sum of matrix elements is:  2"));
    QCOMPARE(Accessible(remarks)->text(QAccessible::Name), remarks->text());
    // The same remark again is announced again; clearing it is no alert.
    heard_.clear();
    ClickButton(*form_, "CmdVelika");
    QVERIFY(Heard(remarks, QAccessible::Alert));
    heard_.clear();
    ClickButton(*form_, "OptZi");
    QVERIFY(Heard(remarks, QAccessible::NameChanged));
    QVERIFY(!Heard(remarks, QAccessible::Alert));
  }

  void theStatusBarsIndicesAreReadWithTheirValues() {
    MainWindow window(std::make_unique<ScriptedDialogs>());
    ShowAndWait(window);
    auto* indices = window.findChild<QLabel*>("TreeIndices");
    heard_.clear();
    EnterByClicks(window.form(), 4, {{1, 2}, {2, 3}, {3, 4}});
    QCOMPARE(Accessible(indices)->text(QAccessible::Name),
             QString("Tree: W = 10, M1 = 10, M2 = 8, \u03c7 = 1.9142, H = 5"));
    QCOMPARE(Accessible(indices)->text(QAccessible::Description),
             QString("Indices of the whole tree"));
    ClickGridCell(window.form(), 1, 3);
    QCOMPARE(Accessible(indices)->text(QAccessible::Name), QString("Not a tree"));
    SKIP_UNLESS_LISTENING();
    QVERIFY(Heard(indices, QAccessible::NameChanged));
  }

  void theFocusAlwaysShows() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    // Each control reached with Tab, as a keyboard user reaches it.
    for (QWidget* control : {Find<QWidget>(*form_, "LstX(1)"), Find<QWidget>(*form_, "LstY(3)"),
                             Find<QWidget>(*form_, "LstVrhovi"), Find<QWidget>(*form_, "c(2)"),
                             Find<QWidget>(*form_, "OptDr"), Find<QWidget>(*form_, "OptEGM"),
                             Find<QWidget>(*form_, "CmdVelika"), Find<QWidget>(*form_, "TxtFileNm"),
                             Find<QWidget>(*form_, "CmdFile")}) {
      QWidget* before = control->previousInFocusChain();
      while (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible() ||
             !before->isEnabled())
        before = before->previousInFocusChain();
      before->setFocus();
      const QImage without = control->grab().toImage();
      QTest::keyClick(before, Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), control);
      const QImage with = control->grab().toImage();
      QVERIFY2(with != without, qPrintable(control->objectName()));
    }
    // On a list the focus shows on its border, whatever entry is chosen.
    auto* list = Find<ListBox>(*form_, "LstX(1)");
    list->setFocus();
    const QImage focused = list->grab().toImage();
    const QColor highlight = list->palette().color(QPalette::Highlight);
    QCOMPARE(QColor(focused.pixel(0, focused.height() / 2)), highlight);
    QCOMPARE(QColor(focused.pixel(focused.width() / 3, focused.height() - 1)), highlight);
  }

 private:
  QPushButton* Button(int k) { return Find<QPushButton>(*form_, Element("c", k)); }
  QString Name(const char* control) {
    return Accessible(Find<QWidget>(*form_, control))->text(QAccessible::Name);
  }
  QString Description(const char* control) {
    return Accessible(Find<QWidget>(*form_, control))->text(QAccessible::Description);
  }
  bool Heard(QObject* object, QAccessible::Event type) const {
    return std::any_of(heard_.begin(), heard_.end(), [&](const Announcement& heard) {
      return heard.object == object && heard.type == type;
    });
  }

  std::unique_ptr<GlForma> form_;
  std::vector<Announcement> heard_;
  bool listening_ = false;
};

QTEST_MAIN(WindowAccessibilityTest)
#include "window_accessibility_test.moc"

Q_IMPORT_PLUGIN(RecordingBridgePlugin)
