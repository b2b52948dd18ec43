// korvelant-cli draw, run as a script runs it: the picture files of the window's drawings,
// checked against the Drawing the same tree gives, and its refusals.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <variant>

#include "cli/process_runner.hpp"
#include "drawing/tree_preview.hpp"
#include "matrices/draw_calculate_command.hpp"
#include "molecules/grid_layout.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant::testing {
namespace {

constexpr const char* kDimethylHexane = "CCCC(C)C(C)C";

struct ShapeCounts {
  int lines = 0;
  int circles = 0;
  int texts = 0;
  friend bool operator==(const ShapeCounts&, const ShapeCounts&) = default;
};

ShapeCounts CountShapes(const Drawing& drawing) {
  ShapeCounts counts;
  for (const Shape& shape : drawing.shapes()) {
    counts.lines += std::holds_alternative<LineShape>(shape) ? 1 : 0;
    counts.circles += std::holds_alternative<CircleShape>(shape) ? 1 : 0;
    counts.texts += std::holds_alternative<TextShape>(shape) ? 1 : 0;
  }
  return counts;
}

// The shapes of an SVG file, by its elements.
ShapeCounts CountElements(const QByteArray& svg) {
  return {static_cast<int>(svg.count("<polyline") + svg.count("<line ")),
          static_cast<int>(svg.count("<ellipse") + svg.count("<circle")),
          static_cast<int>(svg.count("<text"))};
}

// The drawing the window makes of the molecule, laid out as the molecules layer lays it out.
Drawing WindowDrawing(const char* smiles, std::optional<MatrixType> type) {
  const MoleculeReading molecule = ReadSmiles(smiles, Depiction::Compute);
  const auto layout = GridLayout(molecule.depiction);
  VertexPositions positions{};
  for (std::size_t v = 1; v <= layout.size(); ++v)
    positions.at(v) = layout[v - 1];
  Drawing drawing;
  if (type) {
    RunDrawCalculateCommand(molecule.graph, positions, std::nullopt, *type, drawing);
  } else {
    DrawTreePreview(molecule.graph, positions, drawing);
  }
  return drawing;
}

QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

class Draw : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  static ProcessRun Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {CliPath(), "draw"});
    return RunProcess(arguments);
  }
  QTemporaryDir dir_;
};

TEST_F(Draw, TheSvgHoldsTheShapesOfTheWindowsDrawing) {
  for (const MatrixType type :
       {MatrixType::EGM, MatrixType::PGM, MatrixType::SVGM, MatrixType::DVGM}) {
    const std::string path = Path("matrix.svg");
    const ProcessRun run = Cli(
        {"--smiles", kDimethylHexane, "--type", std::string(ShortName(type)), "--output", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const QByteArray svg = ReadAll(path);
    EXPECT_TRUE(QSvgRenderer(svg).isValid()) << ShortName(type);
    const ShapeCounts expected = CountShapes(WindowDrawing(kDimethylHexane, type));
    EXPECT_GT(expected.lines, 8);
    EXPECT_EQ(CountElements(svg), expected) << ShortName(type);
  }
  // The preview: a circle and a number per vertex, each edge drawn both ways.
  const std::string path = Path("TREE.SVG");  // the suffix in any letter case
  const ProcessRun run = Cli({"--smiles", kDimethylHexane, "--preview", "--output", path});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QByteArray svg = ReadAll(path);
  EXPECT_TRUE(QSvgRenderer(svg).isValid());
  EXPECT_EQ(CountElements(svg), (ShapeCounts{14, 8, 8}));
  EXPECT_EQ(CountElements(svg), CountShapes(WindowDrawing(kDimethylHexane, std::nullopt)));
}

TEST_F(Draw, PngAndPdfAreThePictureTheWindowShows) {
  // The large picture box: 11943 x 11880 twips at (6720, 1125), edges rounded to pixels at 15
  // twips each, less a 2-pixel border on every side: 792 x 788 pixels.
  const std::string png = Path("matrix.png");
  ProcessRun run = Cli({"--vertices=4", "--edges=1-2,2-3,2-4", "--type=svgm", "--output", png});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QImage image;
  ASSERT_TRUE(image.loadFromData(ReadAll(png), "PNG"));
  EXPECT_EQ(image.size(), QSize(792, 788));
  run = Cli({"--vertices=4", "--edges=1-2,2-3,2-4", "--type=SVGM", "--scale=2", "--output", png});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_TRUE(image.loadFromData(ReadAll(png), "PNG"));
  EXPECT_EQ(image.size(), QSize(1584, 1576));
  // Something is drawn: ink darker than the background in many pixels.
  int dark = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      dark += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
  EXPECT_GT(dark, 200);
  // The preview box: 3500 x 3500 twips at (200, 7800): 230 x 229 pixels inside its border.
  run = Cli({"--smiles", "CCO", "--preview", "--output", png});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_TRUE(image.loadFromData(ReadAll(png), "PNG"));
  EXPECT_EQ(image.size(), QSize(230, 229));

  const std::string pdf = Path("matrix.pdf");
  run = Cli({"--smiles", kDimethylHexane, "--type", "DVGM", "--output", pdf});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QByteArray bytes = ReadAll(pdf);
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
}

TEST_F(Draw, RefusalsSayWhyWithTheirExitStatusAndWriteNothing) {
  const std::string kept = Path("kept.svg");
  {
    QFile file(QString::fromStdString(kept));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old picture");
  }
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--vertices", "9", "--edges", "1-2,2-3,3-4,4-5,5-6,6-7,7-8,8-9", "--type", "EGM"},
       2,
       "korvelant-cli: draw lays out trees of up to 8 vertices, as the window does; this one "
       "has 9\n"},
      {{"--smiles", "CCCCCCCCC", "--type", "EGM"}, 2, "up to 8 vertices"},
      {{"--vertices", "4", "--edges", "1-2,2-3,3-1", "--type", "EGM"},
       1,
       "korvelant-cli: Graph is not a tree and this program works only with trees\n"},
      {{"--smiles", "C1CCC1", "--preview"}, 1, "trees\nkorvelant-cli: 1 ring\n"},
      {{"--smiles", "C(C", "--type", "EGM"}, 2, "korvelant-cli: Invalid SMILES"},
      {{"--vertices", "3", "--edges", "1-2,2-3"}, 2, "--type is missing"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--preview", "--type", "EGM"}, 2, "--preview"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "XGM"}, 2, "unknown matrix type"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "EGM", "--scale", "9"}, 2, "--scale"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--output", kept});
    const ProcessRun run = Cli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.at(1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("korvelant-cli: ", 0), 0u) << run.err;
    EXPECT_EQ(ReadAll(kept), "old picture");
  }
  // The kind of picture comes from the name: standard output has none.
  for (const std::string& output :
       std::vector<std::string>{"-", Path("matrix.jpg"), Path("matrix"), Path("svg")}) {
    const ProcessRun run =
        Cli({"--vertices", "2", "--edges", "1-2", "--type", "EGM", "--output", output});
    EXPECT_EQ(run.exitCode, 2) << output;
    EXPECT_NE(run.err.find(".svg, .png or .pdf"), std::string::npos) << run.err;
  }
  const ProcessRun missing = Cli({"--vertices", "2", "--edges", "1-2", "--type", "EGM"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("--output is missing"), std::string::npos) << missing.err;
  // A folder that is not there cannot be written to, by root either.
  const ProcessRun unwritable = Cli({"--vertices", "2", "--edges", "1-2", "--type", "EGM",
                                     "--output", Path("no-such-folder/matrix.png")});
  EXPECT_EQ(unwritable.exitCode, 3);
  EXPECT_EQ(unwritable.err.rfind("korvelant-cli: ", 0), 0u) << unwritable.err;
  EXPECT_NE(unwritable.err.find("no-such-folder"), std::string::npos) << unwritable.err;
}

TEST_F(Draw, NeedsNoDisplayAndOnlyDrawStartsQt) {
  // A platform Qt cannot load would end any command that started Qt.
  ::setenv("QT_QPA_PLATFORM", "no-such-platform", 1);
  const ProcessRun calc =
      RunProcess({CliPath(), "calc", "--smiles", "CCO", "--type", "EGM", "--index", "W"});
  EXPECT_EQ(calc.exitCode, 0) << calc.err;
  // draw chooses the offscreen platform itself when none is chosen, with no display at all.
  ::unsetenv("QT_QPA_PLATFORM");
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  const std::string path = Path("headless.svg");
  const ProcessRun run =
      Cli({"--vertices", "3", "--edges", "1-2,2-3", "--type", "PGM", "--output", path});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(QSvgRenderer(ReadAll(path)).isValid());
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

TEST(DrawHelp, NamesTheOptionsAndTheLimit) {
  const ProcessRun run = RunProcess({CliPath(), "draw", "--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* part : {"--preview", "--type", ".svg, .png or .pdf", "up to 8", "Exit status"})
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  const ProcessRun overview = RunProcess({CliPath(), "--help"});
  EXPECT_NE(overview.out.find("korvelant-cli draw"), std::string::npos);
}

}  // namespace
}  // namespace korvelant::testing

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);  // fonts for QSvgRenderer
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
