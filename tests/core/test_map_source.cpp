// The map picture as a map source. Its pixels tell their own place (red x / 4, green y / 4) and
// blue is a checkerboard of single pixels, so a frame shows whether it came from the right place,
// through the right filter: grey from a reduced copy, but black and white where a reduced frame
// samples too fine a copy.
#include "animation/Camera.h"
#include "mapview/PictureSource.h"

#include <QtTest>

namespace {
const QSize kFrame(200, 150);
const QRgb kOutside = qRgb(0, 0, 255);
int blue(int x, int y) {
    return (x + y) % 2 * 255;
}
// Enlarged: mixed from the four nearest pixel centres.
double bilinearBlue(QPointF w) {
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
        const QPointF none(0, 0), part(0.3, 0.7);
        for (double scale : {1.0, 2.0, 0.5, 0.25, 0.125})
            QTest::addRow("scale %g", scale) << scale << 0.0 << none;
        QTest::addRow("1:1 moved a fraction") << 1.0 << 0.0 << part;
        QTest::addRow("halved moved a fraction") << 0.5 << 0.0 << part;
        QTest::addRow("turned 90") << 1.0 << 90.0 << none;
        QTest::addRow("turned 90 halved") << 0.5 << 90.0 << none;
        QTest::addRow("turned 30 enlarged") << 1.5 << 30.0 << part;
    }
    // The frame's centre is near the picture's far corner, so some pixels lie outside it.
    void draws() {
        QFETCH(double, scale);
        QFETCH(double, rotation);
        QFETCH(QPointF, nudge);
        QImage img(1024, 1024, QImage::Format_RGB32);
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 1024; ++x)
                img.setPixel(x, y, qRgb(x / 4, y / 4, blue(x, y)));
        const QTransform t =
            worldToFrame({QPointF(1024, 1024) - QPointF(30, 20) / scale + nudge, scale, rotation}, kFrame);
        QImage frame(kFrame, QImage::Format_RGB32);
        frame.fill(kOutside);
        QPainter p(&frame);
        PictureSource(img).draw(p, t, frame.rect());
        for (int y = 0; y < kFrame.height(); y += 3)
            for (int x = 0; x < kFrame.width(); x += 3) {
                const QPointF w = t.inverted().map(QPointF(x + 0.5, y + 0.5));
                const QRgb got = frame.pixel(x, y);
                const QString where = QString("frame %1,%2 world %3,%4").arg(x).arg(y).arg(w.x()).arg(w.y());
                if (w.x() > 1026 || w.y() > 1026) QVERIFY2(got == kOutside, qPrintable(where));
                const double margin = 2 / scale + 4;
                if (!QRectF(0, 0, 1024, 1024).adjusted(margin, margin, -margin, -margin).contains(w))
                    continue;
                QVERIFY2(qAbs(qRed(got) - (w.x() / 4 - 0.5)) <= 1.25 &&
                             qAbs(qGreen(got) - (w.y() / 4 - 0.5)) <= 1.25,
                         qPrintable(where));
                // Qt's weights are coarser when turned; a pixel off or a wrong copy is far more.
                const double want = scale >= 1 ? bilinearBlue(w) : 127.5;
                QVERIFY2(qAbs(qBlue(got) - want) <= (rotation == 0 ? 4 : 16), qPrintable(where));
            }
    }

    void memory_data() {
        QTest::addColumn<QSize>("size");
        for (QSize s : {QSize(1024, 1024), QSize(1001, 777), QSize(257, 5000), QSize(3000, 1)})
            QTest::addRow("%dx%d", s.width(), s.height()) << s;
    }
    void memory() { // the reduced copies take at most a third of the picture
        QFETCH(QSize, size);
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::gray);
        const PictureSource source(img);
        qint64 extra = 0;
        for (size_t k = 1; k < source.levels().size(); ++k)
            extra += source.levels()[k].sizeInBytes();
        QVERIFY(extra * 3 <= img.sizeInBytes());
    }
};

QTEST_GUILESS_MAIN(TestMapSource)
#include "test_map_source.moc"
