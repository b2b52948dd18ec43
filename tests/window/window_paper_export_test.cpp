// File > Export for a Paper: the matrix drawn, with a white background and row and column
// numbers, as korvelant-cli draw --layout circle makes it, on the window's own positions.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <csignal>
#include <map>
#include <memory>

#include "render/paper_picture_file.hpp"
#include "window/main_window.hpp"
#include "window/paper_looks_dialog.hpp"
#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

const std::vector<std::pair<int, int>> kDimethylHexane = {{1, 2}, {2, 3}, {3, 4}, {4, 5},
                                                          {5, 6}, {2, 7}, {3, 8}};
// Its chain on a row, the methyls above: a picture unlike the default circle, and not
// symmetric top to bottom, so a picture upside down differs.
const std::vector<std::pair<int, int>> kRowPositions = {{0, 9},  {3, 9},  {6, 9},  {9, 9},
                                                        {12, 9}, {15, 9}, {3, 14}, {6, 19}};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// What a reader of the SVG finds: its texts by content and its circles.
struct SvgContents {
  std::map<QString, int> texts;
  int circles = 0;
  bool valid = false;
};

SvgContents ReadSvg(const QByteArray& svg) {
  SvgContents contents;
  QXmlStreamReader xml(svg);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("text")) ++contents.texts[xml.readElementText().trimmed()];
    if (xml.name() == QLatin1String("circle")) ++contents.circles;
  }
  contents.valid = !xml.hasError();
  return contents;
}

// The SVG painted over a transparent image: the colour a viewer shows at its corner.
QColor CornerColour(const QByteArray& svg) {
  QSvgRenderer renderer(svg);
  QImage image(200, 200, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image.pixelColor(2, 2);
}

}  // namespace

class PaperExportTest : public QObject {
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

  void theSvgIsWhiteWithNumbersAroundNByNCells() {
    DrawOnRow("OptPGM");
    const QString path = dir_.filePath("pgm.svg");
    dialogs_->files = {path};
    Trigger();
    QCOMPARE(dialogs_->refusals, QStringList());
    QCOMPARE(Status(), "Exported the matrix picture for a paper to " + path);
    const QByteArray svg = ReadAll(path);
    const SvgContents contents = ReadSvg(svg);
    QVERIFY(contents.valid);
    QVERIFY(QSvgRenderer(svg).isValid());
    QCOMPARE(CornerColour(svg).rgba(), QColor(Qt::white).rgba());
    // Each vertex number twice, over its column and beside its row.
    for (int k = 1; k <= 8; ++k)
      QCOMPARE(contents.texts.count(QString::number(k)) ? contents.texts.at(QString::number(k)) : 0,
               2);
    // Every cell is a "0" or a miniature of all eight vertices: 64 cells together.
    const int zeros = contents.texts.count("0") ? contents.texts.at("0") : 0;
    QCOMPARE(contents.circles % 8, 0);
    QCOMPARE(zeros + contents.circles / 8, 64);
    QVERIFY(zeros > 0);
  }

  void noneLeavesTheBackgroundSeeThroughAndWindowGrey() {
    DrawOnRow("OptEGM");
    dialogs_->looks = PaperLooks{PictureBackground::kNone, true, {}};
    dialogs_->files = {dir_.filePath("none.svg")};
    Trigger();
    QCOMPARE(CornerColour(ReadAll(dir_.filePath("none.svg"))).alpha(), 0);
    dialogs_->looks = PaperLooks{PictureBackground::kWindow, true, {}};
    dialogs_->files = {dir_.filePath("grey.png")};
    Trigger();
    const QImage grey(dir_.filePath("grey.png"));
    QCOMPARE(grey.pixelColor(0, 0).rgb(),
             QGuiApplication::palette().color(QPalette::Midlight).rgb());
    QVERIFY(grey.pixelColor(0, 0).rgb() != QColor(Qt::white).rgb());
  }

  void itIsDrawnOnTheWindowsPositions() {
    DrawOnRow("OptDVGM");
    dialogs_->looks = PaperLooks{PictureBackground::kWhite, false, "2,3-dimethylhexane"};
    dialogs_->files = {dir_.filePath("dvgm.svg")};
    Trigger();
    // The window's grid y runs upwards, as a point's does.
    std::vector<PlanePoint> points;
    for (const auto& [x, y] : kRowPositions)
      points.push_back({static_cast<double>(x), static_cast<double>(y)});
    PaperPictureRequest request;
    request.type = MatrixType::DVGM;
    request.options = {false, "2,3-dimethylhexane"};
    const QByteArray expected =
        QByteArray::fromStdString(PaperPictureBytes(Form().graph(), points, request));
    const QByteArray exported = ReadAll(dir_.filePath("dvgm.svg"));
    QCOMPARE(exported, expected);
    const SvgContents contents = ReadSvg(exported);
    QCOMPARE(contents.texts.count("2,3-dimethylhexane"), std::size_t{1});
    QCOMPARE(contents.texts.count("8"), std::size_t{0});
  }

  void onTheCircleItEqualsTheCommandLineTool() {
#ifdef KORVELANT_CLI_PATH
    EnterByClicks(Form(), 8, kDimethylHexane);
    ClickButton(Form(), "OptSVGM");
    ClickButton(Form(), "CmdVelika");
    const std::pair<QString, PictureBackground> backgrounds[] = {
        {"white", PictureBackground::kWhite},
        {"none", PictureBackground::kNone},
        { "window",
          PictureBackground::kWindow }};
    for (const auto& [name, background] : backgrounds) {
      const QString mine = dir_.filePath(name + "-window.svg");
      const QString theirs = dir_.filePath(name + "-cli.svg");
      dialogs_->looks = PaperLooks{background, true, {}};
      dialogs_->files = {mine};
      Trigger();
      QProcess cli;
      cli.start(KORVELANT_CLI_PATH,
                {"draw", "--vertices", "8", "--edges", "1-2,2-3,3-4,4-5,5-6,2-7,3-8", "--type",
                 "SVGM", "--layout", "circle", "--background", name, "--output", theirs});
      QVERIFY(cli.waitForFinished(30000));
      QCOMPARE(cli.exitCode(), 0);
      QCOMPARE(ReadAll(mine), ReadAll(theirs));
    }
#else
    QSKIP("the command-line tool is not built");
#endif
  }

  void theTypeShownIsTheTypeExported() {
    DrawOnRow("OptEGM");
    dialogs_->files = {dir_.filePath("egm.svg")};
    Trigger();
    PaperPictureRequest request;
    request.type = MatrixType::PGM;
    std::vector<PlanePoint> points;
    for (const auto& [x, y] : kRowPositions)
      points.push_back({static_cast<double>(x), static_cast<double>(y)});
    const auto pgm = QByteArray::fromStdString(PaperPictureBytes(Form().graph(), points, request));
    QVERIFY(ReadAll(dir_.filePath("egm.svg")) != pgm);
    request.type = MatrixType::EGM;
    QCOMPARE(ReadAll(dir_.filePath("egm.svg")),
             QByteArray::fromStdString(PaperPictureBytes(Form().graph(), points, request)));
  }

  void itRefusesWhatItCannotDraw() {
    QVERIFY(!Action()->isEnabled());
    window_->ExportForPaper();
    QCOMPARE(dialogs_->refusals,
             QStringList{"Export: The matrix picture is empty: there is nothing to export."});
    QCOMPARE(dialogs_->titles, QStringList());
    // Numbers after Calculate are a table, not a drawing.
    EnterByClicks(Form(), 3, {{1, 2}, {2, 3}});
    ClickButton(Form(), "OptWi");
    ClickButton(Form(), "CmdVelika");
    QVERIFY(Action()->isEnabled());
    dialogs_->files = {dir_.filePath("numbers.svg")};
    Trigger();
    QCOMPARE(dialogs_->refusals.size(), 2);
    QVERIFY(dialogs_->refusals.at(1).contains("choose Draw matrix"));
    QVERIFY(!QFile::exists(dir_.filePath("numbers.svg")));
    // A suffix of no picture, and a dialog cancelled, write nothing.
    ClickButton(Form(), "OptDr");
    ClickButton(Form(), "CmdVelika");
    dialogs_->files = {dir_.filePath("matrix.jpg")};
    Trigger();
    QCOMPARE(dialogs_->refusals.size(), 3);
    QVERIFY(dialogs_->refusals.at(2).contains("must end in .svg, .png or .pdf"));
    dialogs_->looks = std::nullopt;
    dialogs_->files = {dir_.filePath("cancelled.svg")};
    Trigger();
    QVERIFY(!QFile::exists(dir_.filePath("cancelled.svg")));
    QCOMPARE(dialogs_->refusals.size(), 3);
  }

  void aFailedWriteKeepsTheOldFileAndSaysSo() {
    DrawOnRow("OptEGM");
    const QString kept = dir_.filePath("kept.svg");
    {
      QFile file(kept);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("old");
    }
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    dialogs_->files = {kept};
    Trigger();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &previous), 0);
    QCOMPARE(ReadAll(kept), QByteArray("old"));
    QCOMPARE(dialogs_->refusals.size(), 1);
    QVERIFY(dialogs_->refusals.at(0).startsWith("Export: "));
    QVERIFY(dialogs_->refusals.at(0).contains(kept));
    QVERIFY(!Status().startsWith("Exported"));
  }

  void theLooksChosenAreOfferedAgainAndAPngIsScaled() {
    DrawOnRow("OptEGM");
    dialogs_->looks = PaperLooks{PictureBackground::kNone, false, "once"};
    dialogs_->files = {dir_.filePath("first.svg")};
    Trigger();
    dialogs_->scale = 2;
    dialogs_->filter = "PNG images (*.png)";
    dialogs_->files = {dir_.filePath("second")};
    Trigger();
    QCOMPARE(dialogs_->offeredLooks.size(), std::size_t{2});
    QCOMPARE(dialogs_->offeredLooks[0].background, PictureBackground::kWhite);
    QVERIFY(dialogs_->offeredLooks[0].numbers);
    QCOMPARE(dialogs_->offeredLooks[1].background, PictureBackground::kNone);
    QCOMPARE(dialogs_->offeredLooks[1].caption, QString("once"));
    const QImage twice(dir_.filePath("second.png"));
    QVERIFY(!twice.isNull());
    dialogs_->scale = 1;
    dialogs_->files = {dir_.filePath("third.png")};
    Trigger();
    const QImage once(dir_.filePath("third.png"));
    QCOMPARE(twice.size(), once.size() * 2);
  }

  void theKeyboardReachesIt() {
    DrawOnRow("OptEGM");
    const QString path = dir_.filePath("keys.svg");
    dialogs_->files = {path};
    window_->activateWindow();
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
    QTRY_VERIFY(QFile::exists(path));
    QCOMPARE(dialogs_->titles, QStringList{"Export the matrix picture for a paper"});
  }

  void theDialogMapsItsControlsToTheLooks() {
    PaperLooksDialog dialog(PaperLooks{});
    auto* background = dialog.findChild<QComboBox*>("PaperBackground");
    auto* numbers = dialog.findChild<QCheckBox*>("PaperNumbers");
    auto* caption = dialog.findChild<QLineEdit*>("PaperCaption");
    QVERIFY(background != nullptr && numbers != nullptr && caption != nullptr);
    QCOMPARE(background->currentText(), QString("White"));
    QVERIFY(numbers->isChecked());
    QCOMPARE(dialog.looks().background, PictureBackground::kWhite);
    const std::map<QString, PictureBackground> shown = {
        {"White", PictureBackground::kWhite},
        {"None (see-through)", PictureBackground::kNone},
        {"The window's grey", PictureBackground::kWindow}};
    QCOMPARE(background->count(), 3);
    for (int k = 0; k < background->count(); ++k) {
      background->setCurrentIndex(k);
      QCOMPARE(dialog.looks().background, shown.at(background->currentText()));
    }
    numbers->setChecked(false);
    caption->setText("n-octane");
    QVERIFY(!dialog.looks().numbers);
    QCOMPARE(dialog.looks().caption, QString("n-octane"));
    // Started from earlier looks, it shows them.
    PaperLooksDialog again(PaperLooks{PictureBackground::kNone, false, "x"});
    QCOMPARE(again.findChild<QComboBox*>("PaperBackground")->currentText(),
             QString("None (see-through)"));
    QVERIFY(!again.findChild<QCheckBox*>("PaperNumbers")->isChecked());
    // Every control has a label whose mnemonic reaches it.
    for (QLabel* label : dialog.findChildren<QLabel*>())
      QVERIFY2(label->buddy() != nullptr && label->text().contains('&'), qPrintable(label->text()));
    QVERIFY(numbers->text().contains('&'));
  }

 private:
  GlForma& Form() {
    return window_->form();
  }
  QAction* Action() {
    return window_->findChild<QAction*>("actionExportForPaper");
  }
  void Trigger() {
    Action()->trigger();
  }
  QString Status() {
    return window_->findChild<QLabel*>("StatusMessage")->text();
  }
  // The dimethylhexane on its row, the matrix of `typeOption` drawn.
  void DrawOnRow(const char* typeOption) {
    EnterByClicks(Form(), 8, kDimethylHexane, kRowPositions);
    ClickButton(Form(), typeOption);
    ClickButton(Form(), "CmdVelika");
    QVERIFY(Form().drawnMatrixType().has_value());
  }

  std::unique_ptr<MainWindow> window_;
  ScriptedDialogs* dialogs_ = nullptr;
  QTemporaryDir dir_;
};

QTEST_MAIN(PaperExportTest)
#include "window_paper_export_test.moc"
