// korvelant-cli draw, run as a script runs it: pictures for papers read back as a reader
// would (the SVG parsed, the PNG decoded), and its refusals.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <map>
#include <random>
#include <set>

#include "cli/process_runner.hpp"

namespace korvelant::testing {
namespace {

QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

struct Point {
  double x = 0, y = 0;
};

// What a reader of the SVG finds: its size, texts, circles, the lines of its paths and the
// fill of the rectangle under everything.
struct SvgPicture {
  QString width, height;
  std::map<QString, int> texts;
  std::vector<Point> circles;
  double radius = 0;
  std::vector<std::pair<Point, Point>> lines;
  QString backgroundFill, backgroundOpacity;
};

SvgPicture ParseSvg(const QByteArray& bytes) {
  SvgPicture picture;
  QXmlStreamReader reader(bytes);
  QString fill, opacity;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    const auto attributes = reader.attributes();
    const auto name = reader.name();
    if (name == QLatin1String("svg")) {
      picture.width = attributes.value("width").toString();
      picture.height = attributes.value("height").toString();
    } else if (name == QLatin1String("g")) {
      fill = attributes.value("fill").toString();
      opacity = attributes.value("fill-opacity").toString();
    } else if (name == QLatin1String("rect") && picture.backgroundFill.isEmpty()) {
      picture.backgroundFill = fill;
      picture.backgroundOpacity = opacity;
    } else if (name == QLatin1String("text")) {
      ++picture.texts[reader.readElementText()];
    } else if (name == QLatin1String("circle")) {
      picture.circles.push_back(
          {attributes.value("cx").toDouble(), attributes.value("cy").toDouble()});
      picture.radius = attributes.value("r").toDouble();
    } else if (name == QLatin1String("path")) {
      // "M x,y L x,y M ...": one line per move and line.
      const QStringList parts = attributes.value("d").toString().split(' ', Qt::SkipEmptyParts);
      for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        const QStringList from = parts[k].mid(1).split(',');
        const QStringList to = parts[k + 1].mid(1).split(',');
        picture.lines.push_back(
            {{from[0].toDouble(), from[1].toDouble()}, {to[0].toDouble(), to[1].toDouble()}});
      }
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return picture;
}

// The smallest distance between two distinct vertices, a vertex being where lines end.
double SmallestSpacing(const std::vector<std::pair<Point, Point>>& lines) {
  std::set<std::pair<double, double>> distinct;
  for (const auto& [from, to] : lines) {
    distinct.emplace(from.x, from.y);
    distinct.emplace(to.x, to.y);
  }
  // Sorted by x, so each point meets only those within reach of it.
  const std::vector<std::pair<double, double>> points(distinct.begin(), distinct.end());
  double smallest = INFINITY;
  for (std::size_t a = 0; a < points.size(); ++a) {
    for (std::size_t b = a + 1; b < points.size() && points[b].first - points[a].first < smallest;
         ++b) {
      smallest = std::min(smallest, std::hypot(points[a].first - points[b].first,
                                               points[a].second - points[b].second));
    }
  }
  return smallest;
}

// A random tree of n vertices as --edges text, from a Pruefer code.
std::string RandomEdges(int n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> vertex(1, n);
  std::vector<int> code(static_cast<std::size_t>(n - 2));
  for (int& v : code)
    v = vertex(random);
  std::vector<int> degree(static_cast<std::size_t>(n) + 1, 1);
  for (const int v : code)
    ++degree[static_cast<std::size_t>(v)];
  std::string edges;
  auto add = [&edges](int a, int b) {
    if (!edges.empty()) edges.append(",");
    edges.append(std::to_string(a)).append("-").append(std::to_string(b));
  };
  for (const int v : code) {
    for (int leaf = 1; leaf <= n; ++leaf) {
      if (degree[static_cast<std::size_t>(leaf)] == 1) {
        add(leaf, v);
        --degree[static_cast<std::size_t>(leaf)];
        --degree[static_cast<std::size_t>(v)];
        break;
      }
    }
  }
  std::vector<int> last;
  for (int v = 1; v <= n; ++v)
    if (degree[static_cast<std::size_t>(v)] == 1) last.push_back(v);
  add(last.at(0), last.at(1));
  return edges;
}

std::string PathEdges(int n) {
  std::string edges;
  for (int v = 1; v < n; ++v) {
    if (v > 1) edges.append(",");
    edges.append(std::to_string(v)).append("-").append(std::to_string(v + 1));
  }
  return edges;
}

class Draw : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  static ProcessRun Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {CliPath(), "draw"});
    return RunProcess(arguments);
  }
  SvgPicture DrawSvg(std::vector<std::string> arguments) const {
    const std::string path = Path("picture.svg");
    arguments.insert(arguments.end(), {"--output", path});
    const ProcessRun run = Cli(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(QSvgRenderer(bytes).isValid());
    return ParseSvg(bytes);
  }
  QImage DrawPng(std::vector<std::string> arguments) const {
    const std::string path = Path("picture.png");
    arguments.insert(arguments.end(), {"--output", path});
    const ProcessRun run = Cli(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    QImage image;
    EXPECT_TRUE(image.loadFromData(ReadAll(path), "PNG"));
    return image;
  }
  QTemporaryDir dir_;
};

TEST_F(Draw, LargeTreesShowEveryCellTheNumbersAndVerticesApart) {
  for (const int n : {12, 20, 40}) {
    SCOPED_TRACE(n);
    const std::string edges = RandomEdges(n, static_cast<unsigned>(n));
    const SvgPicture svg =
        DrawSvg({"--vertices", std::to_string(n), "--edges", edges, "--type", "PGM"});
    // PGM: "0" on the diagonal only; every other cell the tree's n - 1 edges.
    EXPECT_EQ(svg.texts.at("0"), n);
    EXPECT_EQ(static_cast<int>(svg.lines.size()) % (n - 1), 0);
    EXPECT_EQ(static_cast<int>(svg.lines.size()) / (n - 1) + svg.texts.at("0"), n * n);
    for (int k = 1; k <= n; ++k)
      EXPECT_EQ(svg.texts.count(QString::number(k)) ? svg.texts.at(QString::number(k)) : 0, 2) << k;
    // 1.5 pixels of the layout (the view box's unit), less the tenth a coordinate rounds by.
    EXPECT_GE(SmallestSpacing(svg.lines), 1.5 - 0.15);
    // Vertex circles where they are large enough to see, one per vertex of every cell.
    if (!svg.circles.empty()) {
      EXPECT_EQ(svg.circles.size(), svg.lines.size() / (n - 1) * n);
    }
    EXPECT_EQ(svg.backgroundFill, "#ffffff");
    EXPECT_EQ(svg.backgroundOpacity, "1");
  }
}

TEST_F(Draw, BackgroundsNumbersAndCaption) {
  const std::vector<std::string> tree = {"--vertices",          "6",      "--edges",
                                         "1-2,2-3,3-4,3-5,5-6", "--type", "EGM"};
  auto with = [&tree](std::vector<std::string> more) {
    more.insert(more.begin(), tree.begin(), tree.end());
    return more;
  };
  SvgPicture svg = DrawSvg(with({"--background", "WINDOW"}));
  const QColor grey = QGuiApplication::palette().color(QPalette::Midlight);
  EXPECT_NE(grey, QColor(Qt::white));
  EXPECT_EQ(svg.backgroundFill, grey.name());
  EXPECT_EQ(svg.backgroundOpacity, "1");
  svg = DrawSvg(with({"--background", "none"}));
  EXPECT_EQ(svg.backgroundOpacity, "0");

  QImage image = DrawPng(tree);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
  image = DrawPng(with({"--background", "none"}));
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
  image = DrawPng(with({"--background", "window"}));
  EXPECT_EQ(image.pixelColor(0, 0).name(), grey.name());

  // EGM of a path-like tree: "0" wherever i and j are not joined, 36 - 2 * 5 = 26 cells.
  svg = DrawSvg(with({"--no-numbers"}));
  EXPECT_EQ(svg.texts, (std::map<QString, int>{{"0", 26}}));
  svg = DrawSvg(with({"--caption", "Figure 2: EGM <of> \"hexane\""}));
  EXPECT_EQ(svg.texts.at("Figure 2: EGM <of> \"hexane\""), 1);
  EXPECT_EQ(svg.texts.at("6"), 2);
}

TEST_F(Draw, WidthAndHeightSetTheSize) {
  const std::vector<std::string> tree = {"--vertices",      "5",      "--edges",
                                         "1-2,2-3,3-4,3-5", "--type", "DVGM"};
  auto with = [&tree](std::vector<std::string> more) {
    more.insert(more.begin(), tree.begin(), tree.end());
    return more;
  };
  const QImage natural = DrawPng(tree);
  QImage image = DrawPng(with({"--width", "600"}));
  EXPECT_EQ(image.width(), 600);
  EXPECT_NEAR(image.height(), 600.0 * natural.height() / natural.width(), 1);
  image = DrawPng(with({"--height", "200", "--scale", "2"}));
  EXPECT_EQ(image.height(), 400);
  image = DrawPng(with({"--width", "300", "--height", "100"}));
  EXPECT_EQ(image.size(), QSize(300, 100));
  // Points in an SVG: 360 points are 5 inches, 127 mm.
  const SvgPicture svg = DrawSvg(with({"--width", "360"}));
  EXPECT_EQ(svg.width, "127mm");
  const std::string pdf = Path("picture.pdf");
  const ProcessRun run = Cli(with({"--width", "360", "--caption", "DVGM", "--output", pdf}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QByteArray bytes = ReadAll(pdf);
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.contains("/MediaBox [0 0 360"));
  EXPECT_TRUE(bytes.contains("/FontFile2"));  // the text is text, in an embedded font
}

// The centres' distances from their middle, largest over smallest: 1 on a circle.
double RoundnessRatio(const std::vector<Point>& centres) {
  Point middle;
  for (const Point p : centres) {
    middle.x += p.x / static_cast<double>(centres.size());
    middle.y += p.y / static_cast<double>(centres.size());
  }
  double nearest = INFINITY, farthest = 0;
  for (const Point p : centres) {
    const double distance = std::hypot(p.x - middle.x, p.y - middle.y);
    nearest = std::min(nearest, distance);
    farthest = std::max(farthest, distance);
  }
  return farthest / nearest;
}

double SmallestCentreDistance(const std::vector<Point>& centres) {
  double smallest = INFINITY;
  for (std::size_t a = 0; a < centres.size(); ++a)
    for (std::size_t b = a + 1; b < centres.size(); ++b)
      smallest =
          std::min(smallest, std::hypot(centres[a].x - centres[b].x, centres[a].y - centres[b].y));
  return smallest;
}

TEST_F(Draw, LayoutsSkeletonCircleAndStars) {
  const std::vector<std::string> path = {"--vertices", "12", "--edges", PathEdges(12), "--preview"};
  auto with = [&path](std::vector<std::string> more) {
    more.insert(more.begin(), path.begin(), path.end());
    return more;
  };
  // On request the window's circle: every vertex as far from the middle, to the grid's
  // rounding of half a step in 8.
  SvgPicture svg = DrawSvg(with({"--layout", "circle"}));
  ASSERT_EQ(svg.circles.size(), 12u);
  EXPECT_LT(RoundnessRatio(svg.circles), 1.2);
  // By default a zigzag chain: its ends far from the middle, its centre near it.
  svg = DrawSvg(path);
  ASSERT_EQ(svg.circles.size(), 12u);
  EXPECT_GT(RoundnessRatio(svg.circles), 3);
  for (int k = 1; k <= 12; ++k)
    EXPECT_EQ(svg.texts.at(QString::number(k)), 1);
  // A star of 9 and one of 13: vertex circles nowhere touch.
  for (const auto& [n, star] : std::vector<std::pair<int, std::string>>{
           {9, "1-2,1-3,1-4,1-5,1-6,1-7,1-8,1-9"},
           {13, "1-2,1-3,1-4,1-5,1-6,1-7,1-8,1-9,1-10,1-11,1-12,1-13"}}) {
    svg = DrawSvg({"--vertices", std::to_string(n), "--edges", star, "--preview"});
    ASSERT_EQ(svg.circles.size(), static_cast<std::size_t>(n));
    EXPECT_GT(SmallestCentreDistance(svg.circles), 2.5 * svg.radius) << star;
  }
  // A molecule keeps its depiction: 2,2-dimethylbutane's quaternary carbon in the middle.
  svg = DrawSvg({"--smiles", "CC(C)(C)CC", "--type", "EGM"});
  EXPECT_EQ(svg.texts.at("0"), 36 - 2 * 5);
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
      {{"--vertices", "129", "--edges", "-", "--type", "EGM"}, 2, "up to 128 vertices"},
      {{"--vertices", "1001", "--edges", "-", "--preview"}, 2, "up to 1,000 vertices"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "EGM", "--background", "pink"},
       2,
       "korvelant-cli: --background needs one of white, none, window, not \"pink\"\n"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "EGM", "--width", "0"},
       2,
       "korvelant-cli: --width needs a whole number from 1 to 10000, not \"0\"\n"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "EGM", "--height", "x"}, 2, "--height"},
      {{"--vertices", "3", "--edges", "1-2,2-3", "--type", "EGM", "--layout", "spiral"},
       2,
       "korvelant-cli: --layout needs one of skeleton, circle, not \"spiral\"\n"},
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
  for (const char* part :
       {"--preview", "--type", ".svg, .png or .pdf", "up to 128", "legible up to about 20 vertices",
        "--background", "--no-numbers", "--caption", "points (1/72 inch)", "Exit status"})
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
