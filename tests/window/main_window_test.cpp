// The menu bar and status bar around the form: tree files, the matrix file through a dialog,
// picture exports, the clipboard and help, through the real menu actions and shortcuts.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QXmlStreamReader>
#include <cmath>
#include <csignal>
#include <memory>

#include "engine/rooted_tree.hpp"
#include "window/main_window.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

const std::vector<std::pair<int, int>> kDimethylHexane = {{1, 2}, {2, 3}, {3, 4}, {4, 5},
                                                          {5, 6}, {2, 7}, {3, 8}};
// Its chain on a row, the methyls above: a picture unlike the default circle.
const std::vector<std::pair<int, int>> kRowPositions = {{0, 9},  {3, 9},  {6, 9},  {9, 9},
                                                        {12, 9}, {15, 9}, {3, 14}, {6, 19}};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw std::runtime_error("cannot prepare " + path.toStdString());
}

// The number printed in cell (i, j) of a calculated matrix, found by where it stands.
QString PrintedNumber(const Drawing& drawing, int i, int j) {
  const float x = 1400.0f * i - 1000 + 1400.0f / 3;
  const float y = 1400.0f * j - 1000 + 1400.0f / 3;
  for (const Shape& shape : drawing.shapes()) {
    const auto* text = std::get_if<TextShape>(&shape);
    if (text != nullptr && std::fabs(text->topLeft.x - x) < 0.01f &&
        std::fabs(text->topLeft.y - y) < 0.01f)
      return QString::fromStdString(text->text);
  }
  return "(none)";
}

// The share of pixels on which two images of one size disagree about ink.
double InkDisagreement(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x)
      differing += (qGray(a.pixel(x, y)) < 128) != (qGray(b.pixel(x, y)) < 128) ? 1 : 0;
  }
  return static_cast<double>(differing) / (a.width() * a.height());
}

int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
  }
  return ink;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // As the program does: a file-size limit fails the write instead of ending us.
    std::signal(SIGXFSZ, SIG_IGN);
  }
  void init() {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    window_ = std::make_unique<MainWindow>(std::move(dialogs));
    ShowAndWait(*window_);
    QVERIFY(dir_.isValid());
  }
  void cleanup() { window_.reset(); }

  // --- Around the form -----------------------------------------------------------------

  void theBarsSitAroundTheUnmovedForm() {
    auto* scroll = window_->findChild<QScrollArea*>();
    QCOMPARE(scroll->viewport()->size(), QSize(1327, 985));
    QCOMPARE(Form().clientArea()->size(), QSize(1327, 985));
    const QPoint clientTop = Form().clientArea()->mapTo(window_.get(), QPoint(0, 0));
    QCOMPARE(clientTop.x(), 0);
    QCOMPARE(clientTop.y(), window_->menuBar()->geometry().bottom() + 1);
    QCOMPARE(window_->statusBar()->geometry().top(), clientTop.y() + 985);
    // The controls keep their designed pixels inside the client area.
    QCOMPARE(Find<QWidget>(Form(), "VelikaSlika")->geometry(), QRect(448, 75, 796, 792));
    QCOMPARE(Find<QWidget>(Form(), "LstVrhovi")->geometry(), QRect(208, 16, 41, 24));
    QCOMPARE(window_->windowTitle(), QString("Korvelant"));
  }

  void theMenusHoldTheirCommands() {
    QStringList menus;
    for (QAction* menu : window_->menuBar()->actions())
      menus << menu->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tree", "&Help"}));
    const auto entries = [this](int menu) {
      QStringList texts;
      for (QAction* action : window_->menuBar()->actions().at(menu)->menu()->actions()) {
        if (!action->isSeparator())
          texts << action->text() + " " + action->shortcut().toString(QKeySequence::PortableText);
      }
      return texts;
    };
    QCOMPARE(entries(0),
             (QStringList{"&Open Tree\u2026 Ctrl+O", "&Save Tree\u2026 Ctrl+S",
                          "&Write Matrices\u2026 ", "&Export Picture\u2026 ",
                          "Export Pre&view\u2026 ", "Export for a &Paper\u2026 ", "&Quit Ctrl+Q"}));
    QCOMPARE(entries(1), (QStringList{"&Copy Matrix Ctrl+C", "Copy &Picture "}));
    QCOMPARE(entries(2), (QStringList{"From &SMILES\u2026 Ctrl+M", "&Clear "}));
    QCOMPARE(entries(3).size(), 2);
    QVERIFY(entries(3).at(0).startsWith("&Matrix Types and Indices"));
  }

  // --- Tree files ----------------------------------------------------------------------

  void saveThenOpenGivesTheSameTree() {
    EnterByClicks(Form(), 8, kDimethylHexane, kRowPositions);
    const QString entered = VisibleTree(Form());
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    const QString calculated = Remarks();
    QVERIFY(calculated.startsWith("Half-sum"));
    const QString path = dir_.filePath("hexane.ktree");
    dialogs_->files = {path};
    Trigger("actionSaveTree");
    QCOMPARE(ReadAll(path), QByteArray("korvelant-tree 1\n"
                                       "vertices 8\n"
                                       "edges 1-2,2-3,3-4,4-5,5-6,2-7,3-8\n"
                                       "positions 1,10 4,10 7,10 10,10 13,10 16,10 4,15 7,20\n"));
    QCOMPARE(Status(), "Saved the tree to " + path);

    // Another tree with a result on screen; opening brings the saved one back whole and
    // clears the result, as entering it by hand would.
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    ClickButton(Form(), "CmdVelika");
    QVERIFY(!Remarks().isEmpty() && Remarks() != calculated);
    dialogs_->files = {path};
    Trigger("actionOpenTree");
    QCOMPARE(dialogs_->refusals, QStringList());
    QCOMPARE(VisibleTree(Form()), entered);
    QCOMPARE(Form().graph(), (Graph{8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}}));
    QVERIFY(Form().largePicture().drawing().empty());
    QCOMPARE(Remarks(), QString());
    QCOMPARE(Status(), "Opened the tree in " + path);
    // And it calculates as the entered one does.
    ClickButton(Form(), "CmdVelika");
    QCOMPARE(Remarks(), calculated);
  }

  void anOpenedTreeIsTheTreeEnteredByHand() {
    // Edges written backwards, a tree smaller than the last: the rows of the larger tree
    // stay, as they do when a smaller count is chosen by hand.
    GlForma byHand;
    ShowAndWait(byHand);
    for (GlForma* form : {&Form(), &byHand})
      EnterByClicks(*form, 5, {{1, 2}, {1, 3}, {1, 4}, {1, 5}});
    const QString path = dir_.filePath("star.ktree");
    WriteAll(path,
             "korvelant-tree 1\nvertices 4\nedges 2-1,3-1,1-4\npositions 1,1 20,20 3,4 5,6\n");
    dialogs_->files = {path};
    Trigger("actionOpenTree");
    EnterByClicks(byHand, 4, {{2, 1}, {3, 1}, {1, 4}}, {{0, 0}, {19, 19}, {2, 3}, {4, 5}});
    QCOMPARE(VisibleTree(Form()), VisibleTree(byHand));
    QCOMPARE(Find<ListBox>(Form(), "LstVrhovi")->currentRow(), 4);
    // A tree file without positions puts the vertices on the circle of a new tree.
    WriteAll(path, "korvelant-tree 1\nvertices 4\n");
    dialogs_->files = {path};
    Trigger("actionOpenTree");
    ChooseVertexCount(byHand, 4);
    QCOMPARE(VisibleTree(Form()), VisibleTree(byHand));
  }

  void badAndForeignFilesAreRefusedAndTheTreeKept_data() {
    QTest::addColumn<QByteArray>("contents");  // empty: no file at all
    QTest::addColumn<QString>("reason");
    QTest::newRow("a matrix file")
        << QByteArray("WIEGM= { { 0,  1}, \r\n{ 1,  0} }\r\n") << "not a Korvelant tree file";
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                               << "not a Korvelant tree file";
    QTest::newRow("an empty file") << QByteArray("\n") << "not a Korvelant tree file";
    QTest::newRow("a later version") << QByteArray("korvelant-tree 2\nvertices 3\n")
                                     << "version 2; this Korvelant reads version 1";
    QTest::newRow("a bad edge") << QByteArray("korvelant-tree 1\nvertices 3\nedges 1-4\n")
                                << "edge 1-4 names a vertex outside 1..3";
    QTest::newRow("nine vertices")
        << QByteArray("korvelant-tree 1\nvertices 9\nedges 1-2\n")
        << "the tree has 9 vertices, and the window takes trees of up to 8";
    QTest::newRow("a huge file") << QByteArray("korvelant-tree 1\n") + QByteArray(100000, '#')
                                 << "too large to be a tree file";
    QTest::newRow("no such file") << QByteArray() << "No such file";
  }
  void badAndForeignFilesAreRefusedAndTheTreeKept() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {2, 4}}, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    ClickButton(Form(), "OptZi");
    ClickButton(Form(), "CmdVelika");
    const QString tree = VisibleTree(Form());
    const QString remarks = Remarks();
    const auto shapes = Form().largePicture().drawing().shapes();
    const QString path = dir_.filePath(QTest::currentDataTag());
    if (!contents.isEmpty()) WriteAll(path, contents);
    dialogs_->files = {path};
    Trigger("actionOpenTree");
    QCOMPARE(dialogs_->refusals.size(), 1);
    const QString message = dialogs_->refusals.at(0);
    QVERIFY2(message.startsWith("Open Tree: Cannot open \"" + path + "\": "), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(VisibleTree(Form()), tree);
    QCOMPARE(Remarks(), remarks);
    QVERIFY(Form().largePicture().drawing().shapes() == shapes);
  }

  void aTreeFileGetsItsSuffixAndAFailedSaveKeepsTheOldFile() {
    EnterByClicks(Form(), 2, {{1, 2}});
    dialogs_->filter = "Korvelant trees (*.ktree)";
    dialogs_->files = {dir_.filePath("pair")};
    Trigger("actionSaveTree");
    QVERIFY(ReadAll(dir_.filePath("pair.ktree")).startsWith("korvelant-tree 1\nvertices 2\n"));
    QVERIFY(!QFile::exists(dir_.filePath("pair")));
    // A save into a missing folder is refused with the reason; nothing else changes.
    dialogs_->files = {dir_.filePath("missing/pair.ktree")};
    Trigger("actionSaveTree");
    QCOMPARE(dialogs_->refusals.size(), 1);
    QVERIFY2(dialogs_->refusals.at(0).contains("No such file or directory"),
             qPrintable(dialogs_->refusals.at(0)));
    // Cancelling the dialog does nothing at all.
    dialogs_->files = {QString()};
    Trigger("actionSaveTree");
    QCOMPARE(dialogs_->refusals.size(), 1);
  }

  void clearIsTheEmptyTreeOfTheStart() {
    GlForma fresh;
    ShowAndWait(fresh);
    EnterByClicks(Form(), 6, {{1, 2}, {2, 3}}, {{1, 1}});
    ClickButton(Form(), "CmdVelika");
    Trigger("actionClearTree");
    QCOMPARE(VisibleTree(Form()), VisibleTree(fresh));
    QCOMPARE(Form().graph(), Graph{});
    QCOMPARE(Find<ListBox>(Form(), "LstVrhovi")->currentRow(), -1);
    QVERIFY(Find<ListBox>(Form(), "LstVrhovi")->selectedItems().isEmpty());
    for (int i = 1; i <= 8; ++i)
      QVERIFY(!Find<QWidget>(Form(), Element("LstX", i))->isVisible());
    QVERIFY(Form().largePicture().drawing().empty());
    QCOMPARE(TreeIndices(), QString());
    // And the form works on from there.
    EnterByClicks(Form(), 2, {{1, 2}});
    QCOMPARE(Form().graph(), (Graph{2, {{1, 2}}}));
  }

  void clearShowsNoVertexCountAsAtTheStart() {
    GlForma fresh;
    ShowAndWait(fresh);
    auto* counts = Find<ListBox>(Form(), "LstVrhovi");
    ChooseVertexCount(Form(), 6);
    QCOMPARE(ShownRow(counts), 6);
    Trigger("actionClearTree");
    // The one-entry list shows the entry it shows at the start, not the count just cleared.
    QCOMPARE(ShownRow(counts), ShownRow(Find<ListBox>(fresh, "LstVrhovi")));
    QCOMPARE(counts->verticalScrollBar()->value(), 0);
  }

  // --- The matrix file and the status bar ----------------------------------------------

  void writeMatricesAsksForTheFileAndReportsIt() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    const QString path = dir_.filePath("path3.txt");
    dialogs_->files = {path};
    Trigger("actionWriteMatrices");
    QCOMPARE(Find<QLineEdit>(Form(), "TxtFileNm")->text(), path);
    QVERIFY(ReadAll(path).startsWith("WIEGM= { { 0,  1,  0}, \r\n"));
    QCOMPARE(Status(), "Wrote 16 matrices to " + path);
    QCOMPARE(dialogs_->titles, QStringList{"Write Matrices"});
  }

  void theButtonReportsTheAbsolutePathOfARelativeName() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    Find<QLineEdit>(Form(), "TxtFileNm")->setText("relative.txt");
    ClickButton(Form(), "CmdFile");
    QDir::setCurrent(previous);
    QCOMPARE(Status(), "Wrote 16 matrices to " + QDir(dir_.path()).filePath("relative.txt"));
    // A refused write says nothing in the status bar; the remarks tell why.
    window_->statusBar()->findChild<QLabel*>("StatusMessage")->clear();
    ClickGridCell(Form(), 1, 2);  // no longer a tree
    ClickButton(Form(), "CmdFile");
    QCOMPARE(Status(), QString());
  }

  void aFailedWriteSaysSoInTheStatusBar() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    const QString written = dir_.filePath("written.txt");
    Form().WriteMatricesTo(written);
    QCOMPARE(Status(), "Wrote 16 matrices to " + written);
    for (const QString& name : {QString(), dir_.filePath("missing-folder/out.txt")}) {
      Form().WriteMatricesTo(name);
      QVERIFY2(Remarks().startsWith("Cannot write \"" + name + "\": "), qPrintable(Remarks()));
      QCOMPARE(Status(), "Could not write the matrices: " + Remarks());
      // A success afterwards is reported again.
      Form().WriteMatricesTo(written);
      QCOMPARE(Status(), "Wrote 16 matrices to " + written);
    }
    // A refused graph leaves no earlier success standing either; the remarks tell why.
    ClickGridCell(Form(), 1, 3);
    ClickButton(Form(), "CmdFile");
    QCOMPARE(Status(), QString());
    QCOMPARE(Remarks(), QString::fromUtf8(kNotATreeMessage.data(), kNotATreeMessage.size()));
  }

  void theStatusBarShowsTheWholeTreesIndices() {
    QCOMPARE(TreeIndices(), QString());
    // The path on four vertices: W = 1+1+1+2+2+3, M1 = 1+4+4+1, M2 = 2+4+2,
    // chi = 2/sqrt(2) + 1/2, H = 1 + 3 + 1.
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}});
    QCOMPARE(TreeIndices(), QString("Not a tree"));
    ClickGridCell(Form(), 3, 4);
    QCOMPARE(TreeIndices(), QString("Tree: W = 10, M1 = 10, M2 = 8, \u03c7 = 1.9142, H = 5"));
    ChooseVertexCount(Form(), 1);
    QCOMPARE(TreeIndices(), QString("Tree: W = 0, M1 = 0, M2 = 0, \u03c7 = 0, H = 1"));
    // The star on five: W = 4 + 6 * 2, M1 = 16 + 4, M2 = 4 * 4, chi = 4/2, H = 1 + 4.
    EnterByClicks(Form(), 5, {{1, 2}, {1, 3}, {1, 4}, {1, 5}});
    QCOMPARE(TreeIndices(), QString("Tree: W = 16, M1 = 20, M2 = 16, \u03c7 = 2, H = 5"));
    ChooseVertexCount(Form(), 0);
    QCOMPARE(TreeIndices(), QString());
  }

  // --- The clipboard -------------------------------------------------------------------

  void copyMatrixGivesTheNumbersCalculateShows() {
    EnterByClicks(Form(), 8, kDimethylHexane);
    for (const char* display : {"OptWi", "OptRi", "OptZi", "OptHi"}) {
      for (const char* type : {"OptEGM", "OptPGM", "OptSVGM", "OptDVGM"}) {
        ClickButton(Form(), display);
        ClickButton(Form(), type);
        ClickButton(Form(), "CmdVelika");
        QApplication::clipboard()->clear();
        // The shortcut, wherever the focus is but in the file-name box, whose text it copies.
        QWidget* focused = Find<QWidget>(Form(), "LstX(1)");
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
        const QStringList rows = QApplication::clipboard()->text().split('\n');
        QCOMPARE(rows.size(), 10);  // a header, eight rows and the end of the last line
        QCOMPARE(rows.at(0), QString("\t1\t2\t3\t4\t5\t6\t7\t8"));
        QCOMPARE(rows.at(9), QString());
        for (int j = 1; j <= 8; ++j) {
          const QStringList cells = rows.at(j).split('\t');
          QCOMPARE(cells.size(), 9);
          QCOMPARE(cells.at(0), QString::number(j));
          for (int i = 1; i <= 8; ++i) {
            const QString shown = PrintedNumber(Form().largePicture().drawing(), i, j);
            QVERIFY2(cells.at(i) == shown.mid(1) && shown.startsWith(' '),
                     qPrintable(QString("%1 %2 (%3, %4): %5 vs %6")
                                    .arg(display, type)
                                    .arg(i)
                                    .arg(j)
                                    .arg(cells.at(i), shown)));
          }
        }
        if (QString(display) == "OptRi") QVERIFY(rows.at(2).contains('.'));
        QVERIFY(!QApplication::clipboard()->text().contains(','));
      }
    }
  }

  void ctrlCInTheFileNameBoxCopiesItsText() {
    EnterByClicks(Form(), 2, {{1, 2}});
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    auto* box = Find<QLineEdit>(Form(), "TxtFileNm");
    box->setText("matrices.txt");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("matrices.txt"));
  }

  void copyAfterADrawingGivesThePicture() {
    EnterByClicks(Form(), 4, {{1, 2}, {2, 3}, {3, 4}});
    Trigger("actionCopyMatrix");
    QVERIFY(!Action("actionCopyMatrix")->isEnabled());  // nothing shown, nothing to copy
    ClickButton(Form(), "CmdVelika");
    QVERIFY(Action("actionCopyMatrix")->isEnabled());
    QApplication::clipboard()->clear();
    Trigger("actionCopyMatrix");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    QVERIFY(!data->hasText());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const auto* picture = Find<PictureBox>(Form(), "VelikaSlika");
    QCOMPARE(image.size(), picture->contentsRect().size() * window_->devicePixelRatio());
    QVERIFY(QSvgRenderer(data->data("image/svg+xml")).isValid());
    // Copy Picture copies the numbers' picture too, after a calculation.
    ClickButton(Form(), "OptHi");
    ClickButton(Form(), "CmdVelika");
    QApplication::clipboard()->clear();
    Trigger("actionCopyPicture");
    QVERIFY(QApplication::clipboard()->mimeData()->hasImage());
    QCOMPARE(Status(), QString("Copied the matrix picture"));
  }

  // --- Exports -------------------------------------------------------------------------

  void theExportedSvgShowsWhatTheScreenShows() {
    EnterByClicks(Form(), 8, kDimethylHexane, kRowPositions);
    ClickButton(Form(), "OptPGM");
    ClickButton(Form(), "CmdVelika");
    const QString path = dir_.filePath("pgm.svg");
    dialogs_->files = {path};
    Trigger("actionExportPicture");
    QCOMPARE(dialogs_->refusals, QStringList());
    QCOMPARE(Status(), "Exported the matrix picture to " + path);
    const QByteArray svg = ReadAll(path);
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    auto* picture = Find<PictureBox>(Form(), "VelikaSlika");
    const QImage screen = picture->grab(picture->contentsRect()).toImage();
    QImage drawn(screen.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
      QPainter painter(&drawn);
      renderer.render(&painter);
    }
    QVERIFY(InkPixels(screen) > 5000);
    QVERIFY2(InkDisagreement(screen, drawn) < 0.005,
             qPrintable(QString::number(InkDisagreement(screen, drawn))));
    // One SVG shape for every recorded circle and line, one text for every "0".
    int circles = 0;
    int lines = 0;
    int texts = 0;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      circles += xml.name() == QLatin1String("circle") ? 1 : 0;
      lines += xml.name() == QLatin1String("polyline") ? 1 : 0;
      texts += xml.name() == QLatin1String("text") ? 1 : 0;
    }
    int recorded[3] = {0, 0, 0};
    for (const Shape& shape : picture->drawing().shapes())
      ++recorded[shape.index()];
    QCOMPARE(circles, recorded[0]);
    QCOMPARE(lines, recorded[1]);
    QCOMPARE(texts, recorded[2]);
    QCOMPARE(texts, 8);
  }

  void theExportedPngIsTheScreenAtTheChosenScale() {
    EnterByClicks(Form(), 5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}});
    ClickButton(Form(), "OptRi");
    ClickButton(Form(), "CmdVelika");
    auto* picture = Find<PictureBox>(Form(), "VelikaSlika");
    const QImage screen =
        picture->grab(picture->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    dialogs_->scale = 1;
    dialogs_->files = {dir_.filePath("once.png")};
    Trigger("actionExportPicture");
    QCOMPARE(QImage(dir_.filePath("once.png")).convertToFormat(QImage::Format_RGB32), screen);
    dialogs_->scale = 2;
    dialogs_->filter = "PNG images (*.png)";
    dialogs_->files = {dir_.filePath("twice")};
    Trigger("actionExportPicture");
    const QImage twice(dir_.filePath("twice.png"));
    QCOMPARE(twice.size(), screen.size() * 2);
    const QImage shrunk =
        twice.scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(InkDisagreement(screen, shrunk) < 0.005,
             qPrintable(QString::number(InkDisagreement(screen, shrunk))));
    // Cancelling the scale writes nothing.
    dialogs_->scale = std::nullopt;
    dialogs_->files = {dir_.filePath("never.png")};
    Trigger("actionExportPicture");
    QVERIFY(!QFile::exists(dir_.filePath("never.png")));
  }

  void thePreviewAndAPdfExportToo() {
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    dialogs_->files = {dir_.filePath("preview.png")};
    Trigger("actionExportPreview");
    auto* preview = Find<PictureBox>(Form(), "MalaSlika");
    QCOMPARE(
        QImage(dir_.filePath("preview.png")).convertToFormat(QImage::Format_RGB32),
        preview->grab(preview->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32));
    ClickButton(Form(), "CmdVelika");
    dialogs_->files = {dir_.filePath("matrix.PDF")};
    Trigger("actionExportPicture");
    const QByteArray pdf = ReadAll(dir_.filePath("matrix.PDF"));
    QVERIFY(pdf.startsWith("%PDF-"));
    // The picture box's inside, 792 x 788 pixels, at 96 to the inch is 594 x 591 points.
    QVERIFY2(pdf.contains("/MediaBox [0 0 594"), pdf.left(1500).constData());
  }

  void exportsRefuseWhatTheyCannotMake() {
    QVERIFY(!Action("actionExportPicture")->isEnabled());
    QVERIFY(!Action("actionExportPreview")->isEnabled());
    EnterByClicks(Form(), 2, {{1, 2}});
    QVERIFY(Action("actionExportPreview")->isEnabled());
    ClickButton(Form(), "CmdVelika");
    dialogs_->files = {dir_.filePath("matrix.jpg")};
    Trigger("actionExportPicture");
    QCOMPARE(dialogs_->refusals.size(), 1);
    QVERIFY(dialogs_->refusals.at(0).contains("must end in .svg, .png or .pdf"));
    QVERIFY(!QFile::exists(dir_.filePath("matrix.jpg")));
    dialogs_->files = {dir_.filePath("missing/matrix.svg")};
    Trigger("actionExportPicture");
    QCOMPARE(dialogs_->refusals.size(), 2);
    QVERIFY(dialogs_->refusals.at(1).contains("No such file or directory"));
    // An old file stays whole when a new export into it fails: here the file-size limit
    // stops the write, for root as for anyone.
    const QString kept = dir_.filePath("kept.svg");
    WriteAll(kept, "old");
    dialogs_->files = {kept};
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    Trigger("actionExportPicture");
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &previous), 0);
    QCOMPARE(ReadAll(kept), QByteArray("old"));
    QCOMPARE(dialogs_->refusals.size(), 3);
    QVERIFY(dialogs_->refusals.at(2).contains(kept));
    QCOMPARE(QDir(dir_.path()).entryList({"kept*", ".kept*"}, QDir::Files | QDir::Hidden),
             QStringList{"kept.svg"});
  }

  // --- Help and quitting ---------------------------------------------------------------

  void helpExplainsTypesIndicesAndTheFile() {
    Trigger("actionMatrixHelp");
    auto* help = window_->findChild<QDialog*>("MatrixHelp");
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Matrix Types and Indices"));
    const QString text = help->findChild<QTextBrowser*>()->toPlainText();
    for (const char* term : {"EGM", "PGM", "SVGM", "DVGM", "Wiener", "Randi\u0107", "Zagreb",
                             "Hosoya", "WIEGM", "half-sum", "CR LF"})
      QVERIFY2(text.contains(QString::fromUtf8(term)), term);
  }

  void aboutNamesTheVersion() {
    QString shown;
    QTimer::singleShot(0, [&shown] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      shown = box->text();
      box->accept();
    });
    Trigger("actionAbout");
    QVERIFY2(shown.contains("Korvelant " KORVELANT_VERSION), qPrintable(shown));
  }

  void theRealRefusalIsAMessageBox() {
    QString shown;
    QTimer::singleShot(0, [&shown] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      shown = box->windowTitle() + ": " + box->text();
      box->accept();
    });
    QtDialogs().Refuse(window_.get(), "Open Tree", "Cannot open \"x\": not a tree file.");
    QCOMPARE(shown, QString("Open Tree: Cannot open \"x\": not a tree file."));
  }

  void ctrlQCloses() {
    QVERIFY(window_->isVisible());
    QTest::keyClick(window_.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window_->isVisible());
  }

 private:
  GlForma& Form() { return window_->form(); }
  QAction* Action(const char* name) {
    auto* action = window_->findChild<QAction*>(name);
    if (action == nullptr) throw std::runtime_error(std::string("no action ") + name);
    return action;
  }
  void Trigger(const char* name) { Action(name)->trigger(); }
  QString Remarks() { return Find<QLabel>(Form(), "LblRemarks")->text(); }
  QString Status() { return window_->findChild<QLabel*>("StatusMessage")->text(); }
  QString TreeIndices() { return window_->findChild<QLabel*>("TreeIndices")->text(); }
  static int ShownRow(const ListBox* list) { return list->indexAt(QPoint(2, 2)).row(); }

  std::unique_ptr<MainWindow> window_;
  ScriptedDialogs* dialogs_ = nullptr;
  QTemporaryDir dir_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
