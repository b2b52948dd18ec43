// The Draw/Calculate and Write to File commands, through the window's real buttons.
#include <sys/resource.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <csignal>
#include <utility>
#include <variant>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"
#include "output/matrix_file.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

constexpr const char* kNotATree = "Graph is not a tree and this program works only with trees";

// Where vertex (x, y) of the grid is drawn in cell (i, j) of the large picture.
TwipPoint CellPoint(int i, int j, int x, int y) {
  return {static_cast<float>(1400 * i - 1000 + 60 * x),
          static_cast<float>(1400 * j - 1000 + 60 * (20 - y))};
}

bool Near(TwipPoint a, TwipPoint b) {
  return std::fabs(a.x - b.x) < 0.001f && std::fabs(a.y - b.y) < 0.001f;
}

bool InCell(TwipPoint point, int i, int j) {
  const float x0 = 1400.0f * i - 1000;
  const float y0 = 1400.0f * j - 1000;
  return point.x >= x0 - 50 && point.x <= x0 + 1190 && point.y >= y0 && point.y <= y0 + 1250;
}

// The shapes recorded for cell (i, j).
std::vector<Shape> CellShapes(const Drawing& drawing, int i, int j) {
  std::vector<Shape> cell;
  for (const Shape& shape : drawing.shapes()) {
    const TwipPoint anchor = std::visit(
        [](const auto& s) -> TwipPoint {
          using S = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<S, CircleShape>) return s.centre;
          if constexpr (std::is_same_v<S, LineShape>) return s.from;
          if constexpr (std::is_same_v<S, TextShape>) return s.topLeft;
        },
        shape);
    if (InCell(anchor, i, j)) cell.push_back(shape);
  }
  return cell;
}

// The width each stroke of edge (k, l) got in cell (i, j); both orientations are drawn.
std::vector<int> EdgeWidths(const std::vector<Shape>& cell, TwipPoint k, TwipPoint l) {
  std::vector<int> widths;
  for (const Shape& shape : cell) {
    if (const auto* line = std::get_if<LineShape>(&shape)) {
      if ((Near(line->from, k) && Near(line->to, l)) || (Near(line->from, l) && Near(line->to, k)))
        widths.push_back(line->lineWidth);
    }
  }
  return widths;
}

int CountOf(const std::vector<Shape>& shapes, std::size_t alternative) {
  int count = 0;
  for (const Shape& shape : shapes)
    count += shape.index() == alternative ? 1 : 0;
  return count;
}

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

}  // namespace

class WindowCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // As the program does: a file-size limit then fails the write instead of ending us.
    std::signal(SIGXFSZ, SIG_IGN);
  }
  void init() {
    form_ = std::make_unique<GlForma>();
    ShowAndWait(*form_);
    QVERIFY(dir_.isValid());
  }
  void cleanup() { form_.reset(); }

  // --- Drawing -------------------------------------------------------------------------

  void oneVertexDrawsASingleZero() {
    ChooseVertexCount(*form_, 1);
    ClickButton(*form_, "CmdVelika");
    QVERIFY(Large().shapes() == (std::vector<Shape>{TextShape{{460, 460}, "0"}}));
    ClickButton(*form_, "OptPGM");
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Large().shapes().size(), std::size_t{1});
    const auto& zero = std::get<TextShape>(Large().shapes()[0]);
    QCOMPARE(zero.text, std::string("0"));
    QVERIFY(Near(zero.topLeft, {866.6667f, 866.6667f}));
    QCOMPARE(Remarks(), QString());  // a drawing leaves the remarks alone
  }

  void anEdgePairDrawsThinEdgesOffTheDiagonal() {
    ChooseVertexCount(*form_, 2);  // vertices at (2, 10) and (18, 10)
    ClickGridCell(*form_, 1, 2);
    ClickButton(*form_, "CmdVelika");
    QVERIFY(CellShapes(Large(), 1, 1) == (std::vector<Shape>{TextShape{{460, 460}, "0"}}));
    QVERIFY(CellShapes(Large(), 2, 2) == (std::vector<Shape>{TextShape{{1860, 1860}, "0"}}));
    for (auto [i, j] : {std::pair{1, 2}, std::pair{2, 1}}) {
      const auto cell = CellShapes(Large(), i, j);
      const std::vector<Shape> expected = {
          CircleShape{CellPoint(i, j, 2, 10), 50, 1},
          CircleShape{CellPoint(i, j, 18, 10), 50, 1},
          LineShape{CellPoint(i, j, 2, 10), CellPoint(i, j, 18, 10), 1},
          LineShape{CellPoint(i, j, 18, 10), CellPoint(i, j, 2, 10), 1},
      };
      QVERIFY(cell == expected);
    }
    QCOMPARE(Large().shapes().size(), std::size_t{2 + 2 * 4});
  }

  void cornersOfTheGridInACell() {
    ChooseVertexCount(*form_, 2);
    ChoosePosition(*form_, 1, 0, 0);    // grid values (1, 1)
    ChoosePosition(*form_, 2, 19, 19);  // grid values (20, 20)
    ClickGridCell(*form_, 1, 2);
    ClickButton(*form_, "CmdVelika");
    const auto cell = CellShapes(Large(), 2, 1);
    QCOMPARE(cell.size(), std::size_t{4});
    QVERIFY(std::get<CircleShape>(cell[0]).centre == (TwipPoint{1800, 1600}));
    QVERIFY(std::get<CircleShape>(cell[1]).centre == (TwipPoint{2940, 460}));
  }

  void pathOfThreeSparseVertexGraphical() {
    EnterPath3();
    ClickButton(*form_, "OptSVGM");
    ClickButton(*form_, "CmdVelika");
    const auto cell = CellShapes(Large(), 1, 2);
    QCOMPARE(CountOf(cell, 0), 3);  // the circles
    QCOMPARE(EdgeWidths(cell, P(1, 2, 1), P(1, 2, 2)), (std::vector<int>{1, 1}));
    QCOMPARE(EdgeWidths(cell, P(1, 2, 2), P(1, 2, 3)), (std::vector<int>{1, 1}));
    QVERIFY(CellShapes(Large(), 1, 3) == (std::vector<Shape>{TextShape{{460, 3260}, "0"}}));
    QVERIFY(CellShapes(Large(), 3, 1) == (std::vector<Shape>{TextShape{{3260, 460}, "0"}}));
  }

  void pathOfThreePathGraphical() {
    EnterPath3();
    ClickButton(*form_, "OptPGM");
    ClickButton(*form_, "CmdVelika");
    const auto far = CellShapes(Large(), 1, 3);
    QCOMPARE(EdgeWidths(far, P(1, 3, 1), P(1, 3, 2)), (std::vector<int>{1, 1}));
    QCOMPARE(EdgeWidths(far, P(1, 3, 2), P(1, 3, 3)), (std::vector<int>{1, 1}));
    const auto near = CellShapes(Large(), 1, 2);
    QCOMPARE(EdgeWidths(near, P(1, 2, 1), P(1, 2, 2)), (std::vector<int>{1, 1}));
    QCOMPARE(EdgeWidths(near, P(1, 2, 2), P(1, 2, 3)), (std::vector<int>{5, 5}));
    for (const Shape& shape : near) {
      if (const auto* circle = std::get_if<CircleShape>(&shape)) QCOMPARE(circle->lineWidth, 1);
    }
    // The diagonal cells hold "0" a third of a cell in.
    const auto diagonal = CellShapes(Large(), 2, 2);
    QCOMPARE(diagonal.size(), std::size_t{1});
    QVERIFY(
        Near(std::get<TextShape>(diagonal[0]).topLeft, {1800 + 1400.0f / 3, 1800 + 1400.0f / 3}));
  }

  void starDenseVertexGraphical() {
    ChooseVertexCount(*form_, 5);
    for (int leaf = 2; leaf <= 5; ++leaf)
      ClickGridCell(*form_, 1, leaf);
    ClickButton(*form_, "OptDVGM");
    ClickButton(*form_, "CmdVelika");
    const auto cell = CellShapes(Large(), 2, 3);
    QCOMPARE(CountOf(cell, 0), 5);
    QCOMPARE(EdgeWidths(cell, P(2, 3, 1), P(2, 3, 2)), (std::vector<int>{1, 1}));
    QCOMPARE(EdgeWidths(cell, P(2, 3, 1), P(2, 3, 3)), (std::vector<int>{1, 1}));
    QCOMPARE(EdgeWidths(cell, P(2, 3, 1), P(2, 3, 4)), (std::vector<int>{5, 5}));
    QCOMPARE(EdgeWidths(cell, P(2, 3, 1), P(2, 3, 5)), (std::vector<int>{5, 5}));
  }

  // --- Calculating ---------------------------------------------------------------------

  void oneVertexCalculatesZero() {
    ChooseVertexCount(*form_, 1);
    ClickButton(*form_, "OptHi");
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Large().shapes().size(), std::size_t{1});
    const auto& zero = std::get<TextShape>(Large().shapes()[0]);
    QCOMPARE(zero.text, std::string(" 0"));
    QVERIFY(Near(zero.topLeft, {866.6667f, 866.6667f}));
    QCOMPARE(Remarks(), QString("Half-sum of matrix elements is:  0"));
  }

  void pathOfFourWienerAndRandic() {
    ChooseVertexCount(*form_, 4);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ClickGridCell(*form_, 3, 4);
    ClickButton(*form_, "OptWi");
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Remarks(), QString("Half-sum of matrix elements is:  10"));
    ExpectNumbers({{" 0", " 4", " 0", " 0"},
                   {" 4", " 0", " 2", " 0"},
                   {" 0", " 2", " 0", " 4"},
                   {" 0", " 0", " 4", " 0"}});
    ClickButton(*form_, "OptRi");
    QCOMPARE(Remarks(), QString());
    ClickButton(*form_, "CmdVelika");
    QCOMPARE(Remarks(), QString("Half-sum of matrix elements is:  4.8284"));
    ExpectNumbers({{" 0", " 1.4142", " 0", " 0"},
                   {" 1.4142", " 0", " 2", " 0"},
                   {" 0", " 2", " 0", " 1.4142"},
                   {" 0", " 0", " 1.4142", " 0"}});
  }

  void numbersIgnoreTheLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ChooseVertexCount(*form_, 4);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 1, 3);
    ClickGridCell(*form_, 1, 4);
    ClickButton(*form_, "OptRi");
    ClickButton(*form_, "CmdVelika");
    QLocale::setDefault(QLocale::c());
    QVERIFY(Remarks().endsWith(" 4.2426"));
    QCOMPARE(std::get<TextShape>(CellShapes(Large(), 1, 2).at(0)).text, std::string(" 1.4142"));
  }

  // --- Refusals ------------------------------------------------------------------------

  void notATreeIsRefusedByBothCommands_data() {
    QTest::addColumn<int>("vertices");
    QTest::addColumn<QList<QPoint>>("edges");
    QTest::newRow("no vertices") << 0 << QList<QPoint>{};
    QTest::newRow("a cycle") << 3 << QList<QPoint>{{1, 2}, {2, 3}, {1, 3}};
    QTest::newRow("a forest") << 4 << QList<QPoint>{{1, 2}, {3, 4}};
    QTest::newRow("too few edges") << 2 << QList<QPoint>{};
  }
  void notATreeIsRefusedByBothCommands() {
    QFETCH(int, vertices);
    QFETCH(QList<QPoint>, edges);
    ChooseVertexCount(*form_, vertices);
    for (const QPoint& edge : edges)
      ClickGridCell(*form_, edge.x(), edge.y());
    for (const char* option : {"OptDr", "OptZi"}) {
      ClickButton(*form_, option);
      ClickButton(*form_, "CmdVelika");
      QCOMPARE(Remarks(), QString(kNotATree));
      QVERIFY(Large().empty());
    }
    // The file command: the message, no new file, an existing one untouched.
    const QString fresh = dir_.filePath("never-written");
    SetFileName(fresh);
    ClickButton(*form_, "OptDr");
    ClickButton(*form_, "CmdFile");
    QCOMPARE(Remarks(), QString(kNotATree));
    QVERIFY(!QFile::exists(fresh));
    const QString existing = dir_.filePath("kept");
    WriteAll(existing, "earlier contents\r\n");
    SetFileName(existing);
    ClickButton(*form_, "CmdFile");
    QCOMPARE(ReadAll(existing), QByteArray("earlier contents\r\n"));
    QCOMPARE(Remarks(), QString(kNotATree));
  }

  // --- The file ------------------------------------------------------------------------

  // Each option button asks for its own index and matrix type, and Calculate shows
  // exactly that matrix.
  void eachOptionCalculatesItsOwnMatrix() {
    EnterDimethylHexane();
    const RootedTree tree = *RootTree(form_->graph());
    const std::pair<const char*, TopologicalIndex> displays[] = {
        {"OptWi", TopologicalIndex::Wiener},
        {"OptRi", TopologicalIndex::Randic},
        {"OptZi", TopologicalIndex::Zagreb},
        {"OptHi", TopologicalIndex::Hosoya}};
    const std::pair<const char*, MatrixType> types[] = {{"OptEGM", MatrixType::EGM},
                                                        {"OptPGM", MatrixType::PGM},
                                                        {"OptSVGM", MatrixType::SVGM},
                                                        {"OptDVGM", MatrixType::DVGM}};
    for (const auto& [display, index] : displays) {
      for (const auto& [option, type] : types) {
        ClickButton(*form_, display);
        ClickButton(*form_, option);
        ClickButton(*form_, "CmdVelika");
        QVERIFY2(form_->calculatedMatrix() == ComputeGraphicalMatrix(tree, type, index),
                 qPrintable(QStringLiteral("%1 %2").arg(display, option)));
      }
    }
  }

  void theFileHoldsAllMatricesWhateverTheOptions() {
    EnterDimethylHexane();
    const QByteArray expected = ExpectedFile();
    QVERIFY(expected.startsWith("WIEGM= { {"));
    const QString path = dir_.filePath("matrices.txt");
    SetFileName(path);
    int run = 0;
    for (const char* display : {"OptDr", "OptWi", "OptRi", "OptZi", "OptHi"}) {
      for (const char* type : {"OptEGM", "OptPGM", "OptSVGM", "OptDVGM"}) {
        ClickButton(*form_, display);
        ClickButton(*form_, type);
        WriteAll(path, "stale " + QByteArray::number(run++));
        ClickButton(*form_, "CmdFile");
        QCOMPARE(ReadAll(path), expected);
      }
    }
    QCOMPARE(Remarks(), QString());
  }

  void theFileEqualsTheCommandLineTool() {
#ifdef KORVELANT_CLI_PATH
    EnterDimethylHexane();
    const QString path = dir_.filePath("from-window");
    SetFileName(path);
    ClickButton(*form_, "CmdFile");
    QProcess cli;
    cli.start(KORVELANT_CLI_PATH,
              {"file", "--vertices", "8", "--edges", "1-2,2-3,3-4,4-5,5-6,2-7,3-8"});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(ReadAll(path), cli.readAllStandardOutput());
#else
    QSKIP("the command-line tool is not built");
#endif
  }

  void aWriteLeavesRemarksAndPictureAlone() {
    EnterPath3();
    ClickButton(*form_, "OptZi");
    ClickButton(*form_, "CmdVelika");
    const QString half = Remarks();
    const auto shapes = Large().shapes();
    QVERIFY(!half.isEmpty());
    SetFileName(dir_.filePath("quiet"));
    ClickButton(*form_, "CmdFile");
    QVERIFY(QFile::exists(dir_.filePath("quiet")));
    QCOMPARE(Remarks(), half);
    QVERIFY(Large().shapes() == shapes);
  }

  void aNameIsUsedAsTypedAndRelativeToTheWorkingFolder() {
    EnterPath3();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    SetFileName(QString::fromUtf8("Matrice \u010D\u0107 1"));  // no extension added
    ClickButton(*form_, "CmdFile");
    QDir::setCurrent(previous);
    QVERIFY(QFile::exists(dir_.filePath(QString::fromUtf8("Matrice \u010D\u0107 1"))));
    QCOMPARE(Remarks(), QString());
  }

  void writeFailuresAreReported_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");  // in English, though the tests run in German
    QTest::newRow("empty name") << QString() << "no file name";
    QTest::newRow("missing folder")
        << QString("missing-folder/out.txt") << "No such file or directory";
    QTest::newRow("a folder of that name") << QString("a-folder") << "is a directory";
    QTest::newRow("an unwritable folder")
        << QString("/proc/korvelant-out.txt") << "No such file or directory";
    QTest::newRow("a long path") << QString(120, 'p') + "/out.txt"
                                 << "No such file or directory";
  }
  void writeFailuresAreReported() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QVERIFY(QDir(dir_.path()).mkpath("a-folder"));
    const QString path = name.isEmpty() || QDir::isAbsolutePath(name) ? name : dir_.filePath(name);
    EnterPath3();
    SetFileName(path);
    ClickButton(*form_, "CmdFile");
    const QString message = Remarks();
    qInfo().noquote() << "reported:" << message;
    QVERIFY2(message.contains("\"" + path + "\""), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    // However long, the whole message shows: the label grows downwards to hold it.
    const auto* label = form_->findChild<QLabel*>("LblRemarks");
    QVERIFY(label->height() >= label->heightForWidth(label->width()));
    QVERIFY(label->geometry().bottom() < form_->clientArea()->height());
    QVERIFY(!message.contains("not a tree"));
    ExpectStillWorking();
  }

  void aFullDiskIsReportedAndTheOldFileKept() {
    EnterDimethylHexane();
    QVERIFY(QDir(dir_.path()).mkpath("disk"));
    const QString folder = dir_.filePath("disk");
    const QString path = folder + "/full";
    WriteAll(path, "the old file\r\n");
    SetFileName(path);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 200;  // far below the matrix file of eight vertices
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    ClickButton(*form_, "CmdFile");
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &previous), 0);
    QVERIFY2(Remarks().contains(path), qPrintable(Remarks()));
    QCOMPARE(ReadAll(path), QByteArray("the old file\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"full"});
    ExpectStillWorking();
  }

  // --- Pixels --------------------------------------------------------------------------

  void aDrawnMatrixShowsThickAndThinStrokes() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ChoosePosition(*form_, 1, 0, 10);
    ChoosePosition(*form_, 2, 9, 10);
    ChoosePosition(*form_, 3, 19, 10);
    ClickButton(*form_, "OptPGM");
    ClickButton(*form_, "CmdVelika");
    auto* picture = Find<PictureBox>(*form_, "VelikaSlika");
    const QImage image = picture->grab(picture->contentsRect()).toImage();
    const int background = qGray(picture->palette().color(PictureBox::kBackgroundRole).rgb());
    // Cell (1, 2): the edge 1-2 is removed (thin), 2-3 kept (thick), both along y = 2400.
    const auto darkRows = [&](int x) {
      int rows = 0;
      for (int y = 2400 / 15 - 8; y <= 2400 / 15 + 8; ++y)
        rows += qGray(image.pixel(x, y)) < background - 60 ? 1 : 0;
      return rows;
    };
    const int thin = darkRows((400 + 60 * 4) / 15);
    const int thick = darkRows((400 + 60 * 14) / 15);
    QVERIFY2(thin >= 1 && thin <= 2, qPrintable(QString::number(thin)));
    QVERIFY2(thick >= 4 && thick <= 6, qPrintable(QString::number(thick)));
  }

 private:
  const Drawing& Large() {
    return Find<PictureBox>(*form_, "VelikaSlika")->drawing();
  }
  QString Remarks() {
    return Find<QLabel>(*form_, "LblRemarks")->text();
  }
  void SetFileName(const QString& name) {
    Find<QLineEdit>(*form_, "TxtFileNm")->setText(name);
  }

  // Vertex v of the current tree drawn in cell (i, j), at its selected position.
  TwipPoint P(int i, int j, int v) {
    return CellPoint(i, j, Find<ListBox>(*form_, Element("LstX", v))->currentRow(),
                     Find<ListBox>(*form_, Element("LstY", v))->currentRow());
  }

  void EnterPath3() {
    ChooseVertexCount(*form_, 3);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
  }

  void EnterDimethylHexane() {
    ChooseVertexCount(*form_, 8);
    for (auto [i, j] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}})
      ClickGridCell(*form_, i, j);
  }

  // The bytes the core's file writer makes of the tree the window holds.
  QByteArray ExpectedFile() {
    const std::string text =
        MatrixFileText(ComputeGraphicalMatrices(RootTree(form_->graph()).value()));
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  }

  // texts[j - 1][i - 1] is the number printed in cell (i, j): rows of the table run down.
  void ExpectNumbers(const std::vector<std::vector<const char*>>& texts) {
    const int n = static_cast<int>(texts.size());
    QCOMPARE(Large().shapes().size(), static_cast<std::size_t>(n * n));
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        const auto cell = CellShapes(Large(), i, j);
        QCOMPARE(cell.size(), std::size_t{1});
        const auto& text = std::get<TextShape>(cell[0]);
        QCOMPARE(text.text, std::string(texts[j - 1][i - 1]));
        QVERIFY(Near(text.topLeft,
                     {1400.0f * i - 1000 + 1400.0f / 3, 1400.0f * j - 1000 + 1400.0f / 3}));
      }
    }
  }

  // After a failure the window goes on: a write to a good name and a drawing succeed.
  void ExpectStillWorking() {
    const QString good = dir_.filePath("after-failure");
    SetFileName(good);
    const QString before = Remarks();
    ClickButton(*form_, "CmdFile");
    QVERIFY(QFile::exists(good));
    QCOMPARE(Remarks(), before);
    ClickButton(*form_, "CmdVelika");
    QVERIFY(!Large().empty());
  }

  std::unique_ptr<GlForma> form_;
  QTemporaryDir dir_;
};

QTEST_MAIN(WindowCommandsTest)
#include "window_commands_test.moc"
