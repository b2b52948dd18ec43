// How long a click of CmdVelika takes for an 8-vertex tree, the repaint of the large
// picture included: the user should see the matrix within a frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <utility>

#include "window/gl_forma.hpp"
#include "window/picture_box.hpp"

namespace {

using korvelant::GlForma;

// The window with 2,3-dimethylhexane entered: the chain 1-...-6 with 7 on 2 and 8 on 3.
std::unique_ptr<GlForma> WindowWithEightVertices() {
  auto form = std::make_unique<GlForma>();
  form->resize(form->sizeHint());
  form->show();
  QApplication::processEvents();
  form->findChild<QListWidget*>("LstVrhovi")->setCurrentRow(8);
  for (auto [i, j] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}) {
    form->findChild<QPushButton*>(QStringLiteral("c(%1)").arg((i - 1) * 8 + j))->click();
  }
  QApplication::processEvents();
  return form;
}

void ClickAndRepaint(benchmark::State& state, const char* display, const char* type) {
  auto form = WindowWithEightVertices();
  form->findChild<QRadioButton*>(display)->click();
  form->findChild<QRadioButton*>(type)->click();
  auto* command = form->findChild<QPushButton*>("CmdVelika");
  auto* picture = form->findChild<korvelant::PictureBox*>("VelikaSlika");
  for (auto _ : state) {
    command->click();
    picture->repaint();
    benchmark::DoNotOptimize(picture->drawing().revision());
  }
  state.counters["shapes"] = static_cast<double>(picture->drawing().shapes().size());
}

void BM_DrawPgm(benchmark::State& state) {
  ClickAndRepaint(state, "OptDr", "OptPGM");
}
void BM_DrawEgm(benchmark::State& state) {
  ClickAndRepaint(state, "OptDr", "OptEGM");
}
void BM_CalculateRandicDvgm(benchmark::State& state) {
  ClickAndRepaint(state, "OptRi", "OptDVGM");
}
void BM_CalculateHosoyaPgm(benchmark::State& state) {
  ClickAndRepaint(state, "OptHi", "OptPGM");
}
void BM_CalculateWienerPgm(benchmark::State& state) {
  ClickAndRepaint(state, "OptWi", "OptPGM");
}

BENCHMARK(BM_DrawPgm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawEgm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateRandicDvgm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateHosoyaPgm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateWienerPgm)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Runs without a display unless one is asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
