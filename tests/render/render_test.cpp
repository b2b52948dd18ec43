// The painting of a Drawing and its picture files, checked on their pixels and elements.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>

#include "render/drawing_export.hpp"

using namespace korvelant;

namespace {

const QSize kArea(200, 100);

DrawingStyle Style() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(16);
  return {QColor(227, 227, 227), Qt::black, font};
}

// A horizontal line 3 pixels wide at y = 50 px from x = 20 to 180 px, a circle of radius
// 10 px around (40, 20) px and a number near the bottom right.
Drawing Sample() {
  Drawing drawing;
  drawing.SetLineWidth(3);
  drawing.DrawLine({300, 750}, {2700, 750});
  drawing.SetLineWidth(1);
  drawing.DrawCircle({600, 300}, 150);
  drawing.SetTextPosition({2250, 1050});
  drawing.Print(" 4.8284");
  return drawing;
}

bool Dark(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 100;
}

// The pixels where two pictures of the same size disagree on ink or background.
double InkDisagreement(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x)
      differing += (qGray(a.pixel(x, y)) < 160) != (qGray(b.pixel(x, y)) < 160) ? 1 : 0;
  }
  return static_cast<double>(differing) / (a.width() * a.height());
}

int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      ink += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
  }
  return ink;
}

}  // namespace

class RenderTest : public QObject {
  Q_OBJECT

 private slots:
  void formatsBySuffix() {
    QCOMPARE(PictureFormatOf("/tmp/a.svg"), std::optional(PictureFormat::Svg));
    QCOMPARE(PictureFormatOf("a.PNG"), std::optional(PictureFormat::Png));
    QCOMPARE(PictureFormatOf("dir.pdf/b.Pdf"), std::optional(PictureFormat::Pdf));
    QCOMPARE(PictureFormatOf("picture"), std::nullopt);
    QCOMPARE(PictureFormatOf("picture.jpg"), std::nullopt);
    QCOMPARE(PictureFormatOf("svg"), std::nullopt);
    QCOMPARE(PictureFormatOf("a.svg.txt"), std::nullopt);
  }

  void theImageShowsTheShapesWhereRecorded() {
    const QImage image = RenderDrawing(Sample(), Style(), kArea);
    QCOMPARE(image.size(), kArea);
    QCOMPARE(image.pixel(5, 5), Style().background.rgb());
    QVERIFY(Dark(image, 100, 50));
    QVERIFY(!Dark(image, 100, 45) && !Dark(image, 100, 55));
    QVERIFY(Dark(image, 40, 10) || Dark(image, 40, 11));  // the top of the circle
    QVERIFY(!Dark(image, 40, 20));                        // its inside stays empty
    int textInk = 0;
    for (int y = 70; y < 100; ++y) {
      for (int x = 150; x < 200; ++x)
        textInk += Dark(image, x, y) ? 1 : 0;
    }
    QVERIFY(textInk > 20);
  }

  void twiceTheScaleIsTwiceTheSizeWithTheSameShapes() {
    const QImage once = RenderDrawing(Sample(), Style(), kArea);
    const QImage twice = RenderDrawing(Sample(), Style(), kArea, 2);
    QCOMPARE(twice.size(), kArea * 2);
    QVERIFY(Dark(twice, 200, 100));
    // The 3-pixel line is 6 pixels wide at twice the scale.
    int rows = 0;
    for (int y = 90; y < 110; ++y)
      rows += Dark(twice, 200, y) ? 1 : 0;
    QVERIFY2(rows >= 5 && rows <= 7, qPrintable(QString::number(rows)));
    // Shrunk back, it is the same picture.
    const QImage shrunk = twice.scaled(kArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(InkDisagreement(once, shrunk) < 0.01,
             qPrintable(QString::number(InkDisagreement(once, shrunk))));
  }

  void thePngFileIsTheRenderedImage() {
    for (double scale : {1.0, 2.0, 3.5}) {
      const QByteArray bytes =
          DrawingFileBytes(Sample(), Style(), kArea, PictureFormat::Png, scale, "sample");
      QVERIFY(bytes.startsWith("\x89PNG"));
      const QImage image = QImage::fromData(bytes, "PNG");
      QCOMPARE(image.size(), kArea * scale);
      QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
               RenderDrawing(Sample(), Style(), kArea, scale));
    }
  }

  void theSvgFileHoldsTheShapesAndRendersAsTheScreen() {
    const QByteArray svg =
        DrawingFileBytes(Sample(), Style(), kArea, PictureFormat::Svg, 1, "A sample");
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(QPoint(0, 0), kArea));
    QImage image(kArea * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      renderer.render(&painter);
    }
    const QImage screen = RenderDrawing(Sample(), Style(), kArea, 2);
    QVERIFY2(InkDisagreement(image, screen) < 0.01,
             qPrintable(QString::number(InkDisagreement(image, screen))));
    QVERIFY(InkPixels(image) > 500);

    // The elements: the title, one text with the number, and the line and the circle drawn.
    QXmlStreamReader xml(svg);
    QStringList texts;
    QString title;
    QString family;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml.name() == QLatin1String("title")) title = xml.readElementText();
      if (xml.name() == QLatin1String("text")) {
        family = xml.attributes().value("font-family").toString();
        texts << xml.readElementText();
      }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(title, QString("A sample"));
    QCOMPARE(texts, QStringList{" 4.8284"});
    QVERIFY2(family.contains("Liberation Sans"), qPrintable(family));
  }

  void thePdfFileIsOnePageThePictureSize() {
    const QByteArray pdf =
        DrawingFileBytes(Sample(), Style(), kArea, PictureFormat::Pdf, 1, "A sample");
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    // 200 x 100 pixels at 96 to the inch are 150 x 75 points.
    const QRegularExpression mediaBox(R"(/MediaBox \[0 0 150(\.0+)? 75(\.0+)?\])");
    QVERIFY(mediaBox.match(QString::fromLatin1(pdf)).hasMatch());
    QCOMPARE(QString::fromLatin1(pdf).count(QRegularExpression("/Type /Page\\b")), 1);
  }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
