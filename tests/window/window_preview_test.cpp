// The tree preview: what NacrtajMalu records into the small picture, and what the picture
// widget paints from it.
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <variant>

#include "window_test_support.hpp"

using namespace korvelant;
using namespace korvelant::testing;

namespace {

int Lightness(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y));
}

}  // namespace

class WindowPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<GlForma>();
    ShowAndWait(*form_);
  }
  void cleanup() { form_.reset(); }

  void cornersOfTheGrid() {
    ChooseVertexCount(*form_, 2);
    ChoosePosition(*form_, 1, 0, 0);    // grid values (1, 1)
    ChoosePosition(*form_, 2, 19, 19);  // grid values (20, 20)
    ClickGridCell(*form_, 1, 2);
    const std::vector<Shape> expected = {
        CircleShape{{250, 3250}, 50, 1},        TextShape{{250, 2950}, " 1"},
        CircleShape{{3100, 400}, 50, 1},        TextShape{{3100, 100}, " 2"},
        LineShape{{250, 3250}, {3100, 400}, 1},  // the edge as (1, 2) ...
        LineShape{{3100, 400}, {250, 3250}, 1},  // ... and again as (2, 1)
    };
    QVERIFY(Small().shapes() == expected);
  }

  void circlesComeBeforeLinesAndEveryVertexIsLabelled() {
    ChooseVertexCount(*form_, 5);
    ClickGridCell(*form_, 1, 2);
    ClickGridCell(*form_, 2, 3);
    ClickGridCell(*form_, 2, 4);
    ClickGridCell(*form_, 5, 4);
    const auto& shapes = Small().shapes();
    QCOMPARE(shapes.size(), std::size_t{5 * 2 + 4 * 2});
    for (std::size_t k = 0; k < 10; ++k)
      QVERIFY(!std::holds_alternative<LineShape>(shapes[k]));
    for (std::size_t k = 10; k < shapes.size(); ++k)
      QVERIFY(std::holds_alternative<LineShape>(shapes[k]));
    // Vertex 4 of five sits at positions (12, 2): (150 * 12 + 250, 150 * 18 + 250).
    QVERIFY(std::get<CircleShape>(shapes[6]) == (CircleShape{{2050, 2950}, 50, 1}));
    QVERIFY(std::get<TextShape>(shapes[7]) == (TextShape{{2050, 2650}, " 4"}));
  }

  void verticesOnOnePlaceGiveAZeroLengthLine() {
    ChooseVertexCount(*form_, 2);
    ChoosePosition(*form_, 1, 7, 7);
    ChoosePosition(*form_, 2, 7, 7);
    ClickGridCell(*form_, 2, 1);
    const auto& line = std::get<LineShape>(Small().shapes().at(4));
    QVERIFY(line.from == line.to);
  }

  void noVerticesDrawsNothingAndClearsResults() {
    ChooseVertexCount(*form_, 2);
    ClickGridCell(*form_, 1, 2);
    ClickButton(*form_, "OptWi");
    ClickButton(*form_, "CmdVelika");
    QVERIFY(!Large().empty());
    ChooseVertexCount(*form_, 0);
    QVERIFY(Small().empty());
    QVERIFY(Large().empty());
    QCOMPARE(Find<QLabel>(*form_, "LblRemarks")->text(), QString());
  }

  void thePaintedPictureShowsTheRecordedLine() {
    ChooseVertexCount(*form_, 2);
    ChoosePosition(*form_, 1, 0, 10);
    ChoosePosition(*form_, 2, 19, 10);
    auto* picture = Find<PictureBox>(*form_, "MalaSlika");
    const QImage before = picture->grab(picture->contentsRect()).toImage();
    ClickGridCell(*form_, 1, 2);
    const QImage after = picture->grab(picture->contentsRect()).toImage();
    // The edge runs at y = 150 * 10 + 250 = 1750 twips, about 116.7 pixels; halfway between
    // the vertices it is dark, where before it was the background, and 10 pixels away the
    // background stays.
    // An antialiased line of one pixel may share its ink between two rows, so the darkest
    // of the rows around it counts.
    const int x = static_cast<int>((250 + 3100) / 2 / 15.0);
    const int y = static_cast<int>(1750 / 15.0);
    const int background = qGray(picture->palette().color(PictureBox::kBackgroundRole).rgb());
    const auto darkest = [x, y](const QImage& image) {
      return std::min(
          {Lightness(image, x, y - 1), Lightness(image, x, y), Lightness(image, x, y + 1)});
    };
    QCOMPARE(darkest(before), background);
    QVERIFY(darkest(after) < background - 60);
    QCOMPARE(Lightness(after, x, y - 10), background);
    // The picture is replayed on every paint: hidden and shown again, the line is still there.
    form_->hide();
    ShowAndWait(*form_);
    picture->repaint();
    const QImage again = picture->grab(picture->contentsRect()).toImage();
    QCOMPARE(again, after);
  }

  void backgroundIsTheThreeDLightColour() {
    auto* picture = Find<PictureBox>(*form_, "VelikaSlika");
    const QImage image = picture->grab(picture->contentsRect()).toImage();
    QCOMPARE(image.pixel(10, 10), picture->palette().color(QPalette::Midlight).rgb());
    QVERIFY(picture->palette().color(QPalette::Midlight) !=
            picture->palette().color(QPalette::Window));
  }

 private:
  const Drawing& Small() { return Find<PictureBox>(*form_, "MalaSlika")->drawing(); }
  const Drawing& Large() { return Find<PictureBox>(*form_, "VelikaSlika")->drawing(); }

  std::unique_ptr<GlForma> form_;
};

QTEST_MAIN(WindowPreviewTest)
#include "window_preview_test.moc"
