// Pixels telling their place (red x / 4, green y / 4) over a blue checkerboard: a frame shows
// place and filter, grey from a reduced copy, black and white where too fine a copy is sampled.
#include "animation/Camera.h"
#include "mapview/PictureSource.h"

#include <QtTest>

namespace {
int blue(int x, int y) {
    return (x + y) % 2 * 255;
}
double bilinearBlue(QPointF w) { // mixed from the four nearest pixel centres
    const double x = w.x() - 0.5, y = w.y() - 0.5, fx = x - std::floor(x), fy = y - std::floor(y);
    const int i = int(std::floor(x)), j = int(std::floor(y));
    return (blue(i, j) * (1 - fx) + blue(i + 1, j) * fx) * (1 - fy) +
           (blue(i, j + 1) * (1 - fx) + blue(i + 1, j + 1) * fx) * fy;
}
} // namespace

class TestMapSource : public QObject {
    Q_OBJECT
  private slots:
    void draws_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("rotation");
        QTest::addColumn<QPointF>("nudge"); // world pixels off a whole frame pixel
        for (double scale : {1.0, 2.0, 0.5, 0.25})
            QTest::addRow("%g", scale) << scale << 0.0 << QPointF();
        QTest::addRow("1 moved a fraction") << 1.0 << 0.0 << QPointF(0.3, 0.7);
        QTest::addRow("0.5 moved a fraction") << 0.5 << 0.0 << QPointF(0.3, 0.7);
        QTest::addRow("1 turned 90") << 1.0 << 90.0 << QPointF();
    }
    void draws() { // near the far corner: part of the frame is outside the picture
        QFETCH(double, scale);
        QFETCH(double, rotation);
        QFETCH(QPointF, nudge);
        QImage img(1024, 1024, QImage::Format_RGB32);
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 1024; ++x)
                img.setPixel(x, y, qRgb(x / 4, y / 4, blue(x, y)));
        const QTransform t = worldToFrame({QPointF(994, 1004) + nudge, scale, rotation}, QSizeF(200, 150));
        QImage frame(200, 150, QImage::Format_RGB32);
        frame.fill(Qt::magenta);
        QPainter p(&frame);
        PictureSource(img).draw(p, t, frame.rect());
        for (int y = 0; y < 150; y += 3)
            for (int x = 0; x < 200; x += 3) {
                const QPointF w = t.inverted().map(QPointF(x + 0.5, y + 0.5));
                const QRgb got = frame.pixel(x, y);
                QVERIFY(got == QColor(Qt::magenta).rgb() || (w.x() < 1026 && w.y() < 1026));
                const double m = 2 / scale + 4, want = scale >= 1 ? bilinearBlue(w) : 127.5;
                if (!QRectF(m, m, 1024 - 2 * m, 1024 - 2 * m).contains(w)) continue;
                QVERIFY(qAbs(qRed(got) - w.x() / 4 + 0.5) <= 1.25 &&
                        qAbs(qGreen(got) - w.y() / 4 + 0.5) <= 1.25);
                QVERIFY(qAbs(qBlue(got) - want) <= 4);
            }
    }

    void memory() { // the reduced copies take at most a third of the picture
        for (QSize size : {QSize(1001, 777), QSize(257, 5000), QSize(3000, 1)}) {
            QImage img(size, QImage::Format_RGB32);
            const PictureSource source(img);
            qint64 extra = 0;
            for (size_t k = 1; k < source.levels().size(); ++k)
                extra += source.levels()[k].sizeInBytes();
            QVERIFY(extra * 3 <= img.sizeInBytes());
        }
    }
};

QTEST_GUILESS_MAIN(TestMapSource)
#include "test_map_source.moc"
