// A monkey drives the real window with random events from a fixed seed: clicks anywhere on the
// form, the grid, the lists and the options, keys, Draw/Calculate, Write to File and the menu
// commands. After every event the window must still agree with itself and with the core:
// grid, coordinate lists and model alike, the pictures those of the current tree and options,
// the remarks a message that still holds, and no file anywhere but where it was asked for.
//
// KORVELANT_MONKEY_SEED and KORVELANT_MONKEY_EVENTS choose the run; a failure prints both,
// with the last events, so that it can be replayed.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <array>
#include <deque>
#include <memory>
#include <random>

#include "drawing/tree_preview.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"
#include "matrices/draw_calculate_command.hpp"
#include "window/guarded_application.hpp"
#include "window/main_window.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

#ifdef KORVELANT_SANITIZED_BUILD
// The sanitizers slow every event about tenfold; their run takes fewer to stay short.
constexpr long kDefaultEvents = 5000;
#else
constexpr long kDefaultEvents = 20000;
#endif
constexpr unsigned kDefaultSeed = 20240611;
constexpr std::size_t kEventsRemembered = 12;

// Failures that reached the application's last guard: an exception that left a handler.
QStringList escapedFailures;

long EnvironmentNumber(const char* name, long fallback) {
  bool ok = false;
  const long value = qEnvironmentVariable(name).toLong(&ok);
  return ok ? value : fallback;
}

const std::array<const char*, 9> kOptions = {"OptDr",  "OptWi",  "OptRi",   "OptZi",  "OptHi",
                                             "OptEGM", "OptPGM", "OptSVGM", "OptDVGM"};

// Keys a user presses on the form, shortcuts of the menus among them.
const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 20> kKeys = {{
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_Left, {}},
    {Qt::Key_Right, {}},
    {Qt::Key_Space, {}},
    {Qt::Key_Return, {}},
    {Qt::Key_Tab, {}},
    {Qt::Key_Backtab, {}},
    {Qt::Key_Home, {}},
    {Qt::Key_End, {}},
    {Qt::Key_PageUp, {}},
    {Qt::Key_PageDown, {}},
    {Qt::Key_1, {}},
    {Qt::Key_2, {}},
    {Qt::Key_7, {}},
    {Qt::Key_Up, Qt::KeypadModifier},
    {Qt::Key_Right, Qt::KeypadModifier},
    {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier},
    {Qt::Key_Escape, {}},
}};

class Monkey {
 public:
  Monkey(unsigned seed, const QString& root)
      : random_(seed), root_(root), cwd_(root + "/cwd"), out_(root + "/out") {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    window_ = std::make_unique<MainWindow>(std::move(dialogs));
    form_ = &window_->form();
    QObject::connect(form_, &GlForma::matricesWritten,
                     [this](const QString& path) { written_ << path; });
    ShowAndWait(*window_);
  }

  // One random event; its description goes to the log.
  void Step() {
    const int roll = Number(0, 99);
    if (roll < 5) return ChooseVertexCount();
    if (roll < 10) return EnterRandomTree();
    if (roll < 35) return ClickGrid();
    if (roll < 45) return ChooseCoordinate();
    if (roll < 55) return ClickOption();
    if (roll < 66) return PressDrawCalculate();
    if (roll < 76) return PressKey();
    if (roll < 81) return ClickAnywhere();
    if (roll < 83) return TurnWheel();
    if (roll < 88) return WriteToFile();
    return MenuCommand();
  }

  // What is wrong with the window now, empty when nothing.
  QString Problems() {
    QStringList problems;
    if (!escapedFailures.isEmpty()) problems << "escaped: " + escapedFailures.join("; ");
    if (window_->isHidden()) {
      // Ctrl+Q closes the window; a user would start the program again.
      Log("(window closed; shown again)");
      ShowAndWait(*window_);
    }
    CheckTree(problems);
    CheckPictures(problems);
    CheckRemarks(problems);
    CheckFiles(problems);
    return problems.join('\n');
  }

  QString LastEvents() const { return QStringList(log_.begin(), log_.end()).join('\n'); }

 private:
  int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  void Log(const QString& event) {
    log_.push_back(event);
    if (log_.size() > kEventsRemembered) log_.pop_front();
  }

  int Count() const { return form_->graph().vertexCount; }

  // A control by its name, looked up once: the checks read some hundred after every event.
  template <typename Widget>
  Widget* Control(const QString& name) const {
    QWidget*& control = controls_[name];
    if (control == nullptr) control = Find<Widget>(*form_, name);
    return static_cast<Widget*>(control);
  }

  // --- events -------------------------------------------------------------------------------

  void ChooseVertexCount() {
    const int count = Number(0, kMaxVertices);
    Log(QStringLiteral("vertex count %1").arg(count));
    testing::ChooseVertexCount(*form_, count);
  }

  // A tree the way a user enters one: its count, then a random parent for each vertex.
  void EnterRandomTree() {
    const int n = Number(1, kMaxVertices);
    QStringList edges;
    testing::ChooseVertexCount(*form_, n);
    for (int v = 2; v <= n; ++v) {
      const int parent = Number(1, v - 1);
      const bool upper = Number(0, 1) == 0;
      ClickGridCell(*form_, upper ? parent : v, upper ? v : parent);
      edges << QStringLiteral("%1-%2").arg(parent).arg(v);
    }
    Log(QStringLiteral("tree of %1: %2").arg(n).arg(edges.join(',')));
  }

  void ClickGrid() {
    const int n = Count();
    if (n == 0) return ChooseVertexCount();
    const int i = Number(1, n);
    const int j = Number(1, n);
    Log(QStringLiteral("grid %1,%2").arg(i).arg(j));
    ClickGridCell(*form_, i, j);
  }

  void ChooseCoordinate() {
    const int n = Count();
    if (n == 0) return ChooseVertexCount();
    const int v = Number(1, n);
    const bool x = Number(0, 1) == 0;
    const int row = Number(0, kGridPositions - 1);
    Log(QStringLiteral("%1 of vertex %2: row %3").arg(x ? "X" : "Y").arg(v).arg(row));
    ClickEntry(Control<ListBox>(Element(x ? "LstX" : "LstY", v)), row);
  }

  void ClickOption() {
    const char* option = kOptions.at(static_cast<std::size_t>(Number(0, kOptions.size() - 1)));
    Log(QStringLiteral("option %1").arg(option));
    ClickButton(*form_, option);
  }

  void PressDrawCalculate() {
    Log("Draw/Calculate");
    ClickButton(*form_, "CmdVelika");
  }

  // A key on a control that takes the focus; the file-name box only takes names the monkey
  // types in whole, so that no key turns them into a path outside the test's folder.
  void PressKey() {
    QList<QWidget*> targets;
    for (QWidget* widget : form_->clientArea()->findChildren<QWidget*>()) {
      if (widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus &&
          widget->objectName() != "TxtFileNm" && !widget->objectName().isEmpty()) {
        targets << widget;
      }
    }
    QWidget* target = targets.at(Number(0, static_cast<int>(targets.size()) - 1));
    const auto [key, modifiers] = kKeys.at(static_cast<std::size_t>(Number(0, kKeys.size() - 1)));
    Log(QStringLiteral("key %1 (modifiers %2) on %3")
            .arg(QKeySequence(key).toString())
            .arg(modifiers.toInt())
            .arg(target->objectName()));
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(target, key, modifiers);
  }

  // A click at a random point of the form, on whatever control stands there.
  void ClickAnywhere() {
    QWidget* client = form_->clientArea();
    const QPoint at(Number(0, client->width() - 1), Number(0, client->height() - 1));
    QWidget* target = client->childAt(at);
    if (target == nullptr) target = client;
    Log(QStringLiteral("click at %1,%2 on %3")
            .arg(at.x())
            .arg(at.y())
            .arg(target->objectName().isEmpty() ? target->parentWidget()->objectName()
                                                : target->objectName()));
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(client, at));
  }

  void TurnWheel() {
    QList<ListBox*> lists;
    for (ListBox* list : form_->clientArea()->findChildren<ListBox*>())
      if (list->isVisible()) lists << list;
    ListBox* list = lists.at(Number(0, static_cast<int>(lists.size()) - 1));
    const int notches = Number(-3, 3);
    Log(QStringLiteral("wheel %1 on %2").arg(notches).arg(list->objectName()));
    const QPoint at = list->viewport()->rect().center();
    QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
  }

  // A name the monkey may write to: in the output folder, through an absolute or a relative
  // path, or one that cannot be written (a folder, a missing folder, no name at all). A file
  // dialog answers with an absolute path of a file, or nothing when cancelled.
  QString FileName(const char* suffix, bool fromDialog = false) {
    const int kind = Number(fromDialog ? 1 : 0, 9);
    const QString name = QStringLiteral("m%1%2").arg(Number(0, 5)).arg(suffix);
    if (kind == 0) return out_;
    if (kind == 1) return out_ + "/missing/" + name;
    if (kind == 2) return {};
    names_ << name;
    return kind == 3 && !fromDialog ? "../out/" + name : out_ + "/" + name;
  }

  void WriteToFile() {
    const QString name = FileName(".txt");
    const bool enter = Number(0, 1) == 0;
    Log(QStringLiteral("write to \"%1\" by %2").arg(name, enter ? "Enter" : "click"));
    auto* box = Control<QLineEdit>("TxtFileNm");
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, name);
    if (enter) {
      QTest::keyClick(box, Qt::Key_Return);
    } else {
      ClickButton(*form_, "CmdFile");
    }
  }

  void MenuCommand() {
    static const std::array<const char*, 12> kCommands = {
        "actionOpenTree",      "actionSaveTree",   "actionWriteMatrices", "actionExportPicture",
        "actionExportPreview", "actionCopyMatrix", "actionCopyPicture",   "actionClearTree",
        "actionMatrixHelp",    "actionAbout",      "actionQuit",          "actionOpenTree"};
    const QString command = kCommands.at(static_cast<std::size_t>(Number(0, kCommands.size() - 1)));
    QString file;
    if (command == "actionOpenTree") {
      // A tree saved before, a file that is no tree, or nothing: the user cancels.
      const int kind = Number(0, 3);
      file = kind == 0 ? QString() : kind == 1 ? out_ + "/m0.txt" : out_ + "/t0.ktree";
      if (kind == 3) file = out_ + QStringLiteral("/t%1.ktree").arg(Number(0, 3));
    } else if (command == "actionSaveTree") {
      file = out_ + QStringLiteral("/t%1").arg(Number(0, 3));  // the filter adds ".ktree"
      dialogs_->filter = "Korvelant trees (*.ktree)";
      names_ << QFileInfo(file).fileName() + ".ktree";
    } else if (command == "actionWriteMatrices") {
      file = FileName(".txt", true);
      dialogs_->filter = "Text files (*.txt)";
    } else if (command.startsWith("actionExport")) {
      static const std::array<const char*, 4> kSuffixes = {".svg", ".svg", ".png", ".pdf"};
      file = FileName(kSuffixes.at(static_cast<std::size_t>(Number(0, 3))), true);
      dialogs_->filter = {};
      dialogs_->scale = 1;
    } else if (command == "actionAbout") {
      QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
    }
    Log(QStringLiteral("menu %1 \"%2\"").arg(command, file));
    dialogs_->files = {file};
    window_->findChild<QAction*>(command)->trigger();
    dialogs_->files.clear();
    if (command == "actionMatrixHelp") {
      if (QWidget* help = window_->findChild<QWidget*>("MatrixHelp")) help->close();
    }
  }

  // --- invariants ---------------------------------------------------------------------------

  // The vertex-count list, the grid and the coordinate rows show the model's graph.
  void CheckTree(QStringList& problems) const {
    const Graph& graph = form_->graph();
    const int n = graph.vertexCount;
    // Nothing chosen yet (or the tree cleared) reads as no vertices.
    const int row = Control<ListBox>("LstVrhovi")->ListIndex();
    if (row != n && !(row == -1 && n == 0))
      problems << QStringLiteral("the count list shows row %1 for %2 vertices").arg(row).arg(n);
    if (n < 0 || n > kMaxVertices) {
      problems << QStringLiteral("%1 vertices").arg(n);
      return;
    }
    std::array<std::array<int, kMaxVertices + 1>, kMaxVertices + 1> joined{};
    for (const auto& [a, b] : graph.edges) {
      if (a < 1 || b < 1 || a > n || b > n || a == b) {
        problems << QStringLiteral("edge %1-%2 in a graph of %3").arg(a).arg(b).arg(n);
        continue;
      }
      ++joined[a][b];
      ++joined[b][a];
    }
    for (int k = 1; k <= GlForma::kGridButtons; ++k) {
      const auto* button = Control<QPushButton>(Element("c", k));
      if (button->isHidden() != (k > n * n))
        problems << QStringLiteral("button %1 %2 for %3 vertices")
                        .arg(k)
                        .arg(button->isHidden() ? "hidden" : "shown")
                        .arg(n);
    }
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        const auto* button = Control<QPushButton>(Element("c", (i - 1) * n + j));
        const QString expected = i == j             ? "X"
                                 : joined[i][j] > 1 ? "twice"
                                                    : QString::number(joined[i][j]);
        if (button->text().trimmed() != expected || button->isEnabled() != (i != j))
          problems << QStringLiteral("button (%1,%2) shows \"%3\"%4, the model has %5")
                          .arg(i)
                          .arg(j)
                          .arg(button->text(), button->isEnabled() ? "" : " disabled", expected);
      }
    }
    for (int v = 1; v <= kMaxVertices; ++v) {
      for (const char* array : {"LstX", "LstY"}) {
        const auto* list = Control<ListBox>(Element(array, v));
        // The rows of a larger count chosen before stay on screen, as designed; those of
        // vertices 1..n are always there.
        if (v <= n && list->isHidden())
          problems << QStringLiteral("%1(%2) hidden for %3 vertices").arg(array).arg(v).arg(n);
        if (v > n) continue;
        const int row = list->ListIndex();
        if (row < 0 || row >= kGridPositions)
          problems << QStringLiteral("%1(%2) has row %3 chosen").arg(array).arg(v).arg(row);
        else if (list->indexAt(QPoint(2, 2)).row() != row)
          problems << QStringLiteral("%1(%2) shows row %3 with row %4 chosen")
                          .arg(array)
                          .arg(v)
                          .arg(list->indexAt(QPoint(2, 2)).row())
                          .arg(row);
      }
      // "T 3=": the number as the lists show it, with the blank of its sign.
      const QString label = Control<QLabel>(Element("LblKord", v))->text();
      if (v <= n && label.simplified().remove(' ') != QStringLiteral("T%1=").arg(v))
        problems << QStringLiteral("row %1 labelled \"%2\"").arg(v).arg(label);
    }
  }

  VertexPositions ChosenPositions() const {
    VertexPositions positions{};
    for (int v = 1; v <= Count(); ++v) {
      positions.at(static_cast<std::size_t>(v)) = {
          Control<ListBox>(Element("LstX", v))->ListIndex(),
          Control<ListBox>(Element("LstY", v))->ListIndex()};
    }
    return positions;
  }

  DisplayChoice ChosenDisplay() const {
    if (Checked("OptWi")) return TopologicalIndex::Wiener;
    if (Checked("OptRi")) return TopologicalIndex::Randic;
    if (Checked("OptZi")) return TopologicalIndex::Zagreb;
    if (Checked("OptHi")) return TopologicalIndex::Hosoya;
    return std::nullopt;
  }

  MatrixType ChosenType() const {
    if (Checked("OptPGM")) return MatrixType::PGM;
    if (Checked("OptSVGM")) return MatrixType::SVGM;
    if (Checked("OptDVGM")) return MatrixType::DVGM;
    return MatrixType::EGM;
  }

  bool Checked(const char* option) const { return Control<QRadioButton>(option)->isChecked(); }

  // The preview is that of the current tree; the large picture is empty or what the command
  // makes of the current tree under the current options, computed afresh here.
  void CheckPictures(QStringList& problems) {
    const Graph& graph = form_->graph();
    const VertexPositions positions = ChosenPositions();
    Drawing preview;
    DrawTreePreview(graph, positions, preview);
    if (preview.shapes() != form_->preview().drawing().shapes())
      problems << "the preview is not that of the current tree";

    const DisplayChoice display = ChosenDisplay();
    const MatrixType type = ChosenType();
    const int displays = static_cast<int>(Checked("OptDr")) + Checked("OptWi") + Checked("OptRi") +
                         Checked("OptZi") + Checked("OptHi");
    const int types =
        Checked("OptEGM") + Checked("OptPGM") + Checked("OptSVGM") + Checked("OptDVGM");
    if (displays != 1 || types != 1)
      problems
          << QStringLiteral("%1 display and %2 matrix options chosen").arg(displays).arg(types);
    const QString caption = Control<QPushButton>("CmdVelika")->text();
    if (caption != (display ? "Calculate" : "Draw"))
      problems << "the command reads \"" + caption + "\"";

    Drawing expected;
    expectedRemarks_ = RunDrawCalculateCommand(graph, positions, display, type, expected);
    const Drawing& shown = form_->largePicture().drawing();
    if (!shown.empty() && shown.shapes() != expected.shapes())
      problems << "the large picture is not what the current tree and options give";
    largeShown_ = !shown.empty();

    const auto& matrix = form_->calculatedMatrix();
    if (matrix) {
      const auto tree = RootTree(graph);
      if (!display || !tree || *matrix != ComputeGraphicalMatrix(*tree, type, *display))
        problems << "the calculated matrix is not that of the current tree and options";
      if (shown.empty()) problems << "a calculated matrix with an empty picture";
    } else if (!shown.empty() && display) {
      problems << "calculated numbers shown without their matrix";
    }

    const bool result = !shown.empty();
    for (const char* action : {"actionCopyMatrix", "actionCopyPicture", "actionExportPicture"}) {
      if (window_->findChild<QAction*>(action)->isEnabled() != result)
        problems << QStringLiteral("%1 %2 with the picture %3")
                        .arg(action, result ? "disabled" : "enabled", result ? "full" : "empty");
    }
    const auto* indices = window_->findChild<QLabel*>("TreeIndices");
    const QString status = indices->text();
    const bool tree = RootTree(graph).has_value();
    if (graph.vertexCount == 0 ? !status.isEmpty()
        : tree                 ? !status.startsWith("Tree: ")
                               : status != "Not a tree")
      problems << "the status bar reads \"" + status + "\"";
  }

  // The remarks hold nothing, a message that still holds, or a write failure for a name
  // the monkey typed.
  void CheckRemarks(QStringList& problems) const {
    const QString remarks = form_->findChild<QLabel*>("LblRemarks")->text();
    if (remarks.isEmpty()) return;
    const bool tree = RootTree(form_->graph()).has_value();
    if (remarks == QString::fromUtf8(kNotATreeMessage.data(), kNotATreeMessage.size())) {
      if (tree) problems << "the not-a-tree message under a tree";
      return;
    }
    if (remarks.startsWith("Cannot write \"")) return;
    if (largeShown_ && expectedRemarks_ && remarks == QString::fromStdString(*expectedRemarks_))
      return;
    problems << "the remarks read \"" + remarks + "\"";
  }

  // Nothing is written outside the output folder, and nothing there but what was asked for.
  void CheckFiles(QStringList& problems) const {
    const QStringList top = QDir(root_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                  QDir::Hidden | QDir::System);
    if (top != QStringList{"cwd", "out"}) problems << "the test folder holds " + top.join(", ");
    const QStringList here =
        QDir(cwd_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (!here.isEmpty()) problems << "the working directory holds " + here.join(", ");
    const QStringList out =
        QDir(out_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& name : out)
      if (!names_.contains(name)) problems << "the output folder holds " + name;
    for (const QString& path : written_)
      if (!path.startsWith(out_ + "/") || !QFile::exists(path))
        problems << "a matrix file reported at " + path;
    written_.clear();
  }

  std::mt19937 random_;
  QString root_;
  QString cwd_;
  QString out_;
  ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  GlForma* form_ = nullptr;
  std::deque<QString> log_;
  mutable QHash<QString, QWidget*> controls_;
  QSet<QString> names_;          // the names of files the monkey asked for
  mutable QStringList written_;  // paths the form reported written since the last check
  std::optional<std::string> expectedRemarks_;
  bool largeShown_ = false;
};

}  // namespace

class WindowMonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void randomEventsKeepTheWindowConsistent() {
    const auto seed =
        static_cast<unsigned>(EnvironmentNumber("KORVELANT_MONKEY_SEED", kDefaultSeed));
    const long events = EnvironmentNumber("KORVELANT_MONKEY_EVENTS", kDefaultEvents);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString rootPath = QDir(root.path()).canonicalPath();
    QVERIFY(QDir(rootPath).mkdir("cwd") && QDir(rootPath).mkdir("out"));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(rootPath + "/cwd"));
    {
      Monkey monkey(seed, rootPath);
      QElapsedTimer timer;
      timer.start();
      for (long event = 1; event <= events; ++event) {
        monkey.Step();
        if (event % 16 == 0) QApplication::processEvents();  // the repaints, as a user waits
        const QString problems = monkey.Problems();
        if (!problems.isEmpty()) {
          QDir::setCurrent(before);
          QFAIL(qPrintable(
              QStringLiteral("%1\nafter event %2 of %3, seed %4; the last events:\n%5\n"
                             "replay: KORVELANT_MONKEY_SEED=%4 KORVELANT_MONKEY_EVENTS=%2")
                  .arg(problems)
                  .arg(event)
                  .arg(events)
                  .arg(seed)
                  .arg(monkey.LastEvents())));
        }
      }
      qInfo("%ld events from seed %u in %lld ms", events, seed,
            static_cast<long long>(timer.elapsed()));
    }
    QVERIFY(QDir::setCurrent(before));
  }
};

int main(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  app.SetFailureHandler([](const QString& what) { escapedFailures << what; });
  // Quit closes the window; the monkey shows it again, as a user restarts the program.
  app.setQuitOnLastWindowClosed(false);
  WindowMonkeyTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_monkey_test.moc"
