// How long an export of the large picture takes: the drawn PGM of an 8-vertex tree (over a
// thousand shapes) as SVG, as PNG at twice the screen's size, and as PDF. The trees rotate
// over 32 distinct random ones, so no single drawing is timed over and over.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <random>
#include <vector>

#include "matrices/draw_calculate_command.hpp"
#include "render/drawing_export.hpp"

namespace {

using namespace korvelant;

// The inside of the window's large picture, in pixels.
const QSize kArea(792, 788);

// A random labelled tree on n vertices from a Pruefer sequence.
Graph RandomTree(int n, std::mt19937& random) {
  std::vector<int> sequence(static_cast<std::size_t>(n - 2));
  for (int& v : sequence)
    v = static_cast<int>(random() % n) + 1;
  std::vector<int> degree(static_cast<std::size_t>(n + 1), 1);
  for (int v : sequence)
    ++degree[static_cast<std::size_t>(v)];
  Graph graph{n, {}};
  for (int v : sequence) {
    for (int leaf = 1; leaf <= n; ++leaf) {
      if (degree[static_cast<std::size_t>(leaf)] == 1) {
        graph.edges.push_back({leaf, v});
        --degree[static_cast<std::size_t>(leaf)];
        --degree[static_cast<std::size_t>(v)];
        break;
      }
    }
  }
  std::vector<int> last;
  for (int v = 1; v <= n; ++v)
    if (degree[static_cast<std::size_t>(v)] == 1) last.push_back(v);
  graph.edges.push_back({last.at(0), last.at(1)});
  return graph;
}

const std::vector<Drawing>& Drawings() {
  static const std::vector<Drawing> drawings = [] {
    std::vector<Drawing> made;
    std::mt19937 random(2024);
    VertexPositions positions{};
    for (int v = 1; v <= 8; ++v)
      positions.at(static_cast<std::size_t>(v)) = DefaultPosition(v, 8);
    for (int k = 0; k < 32; ++k) {
      Drawing drawing;
      RunDrawCalculateCommand(RandomTree(8, random), positions, std::nullopt, MatrixType::PGM,
                              drawing);
      made.push_back(std::move(drawing));
    }
    return made;
  }();
  return drawings;
}

DrawingStyle Style() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(18);
  return {QColor(227, 227, 227), Qt::black, font};
}

void Export(benchmark::State& state, PictureFormat format, double scale) {
  const auto& drawings = Drawings();
  const DrawingStyle style = Style();
  std::size_t next = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const QByteArray file = DrawingFileBytes(drawings[next], style, kArea, format, scale, "bench");
    bytes += static_cast<std::size_t>(file.size());
    next = (next + 1) % drawings.size();
    benchmark::DoNotOptimize(file.constData());
  }
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

void BM_ExportSvg(benchmark::State& state) {
  Export(state, PictureFormat::Svg, 1);
}
void BM_ExportPngTwice(benchmark::State& state) {
  Export(state, PictureFormat::Png, 2);
}
void BM_ExportPdf(benchmark::State& state) {
  Export(state, PictureFormat::Pdf, 1);
}

BENCHMARK(BM_ExportSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPngTwice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
