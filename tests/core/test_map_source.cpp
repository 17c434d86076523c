// The map picture as a map source: a picture whose pixels tell their own coordinates, drawn at
// several scales and turns, shows the right part of itself; reduced frames draw from the halved
// copies; the copies stay within a third of the picture.
#include "animation/Camera.h"
#include "mapview/PictureSource.h"

#include <QtTest>

namespace {
const QSize kFrame(200, 150);
const QRgb kOutside = qRgb(0, 0, 255);

// Red and green are x / 4 and y / 4, blue a pattern with no two neighbours alike; or a
// checkerboard of single black and white pixels.
QImage picture(bool checker) {
    QImage img(1024, 1024, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y,
                         checker ? ((x + y) % 2 ? 0xffffffff : 0xff000000)
                                 : qRgb(x / 4, y / 4, (x * 37 + y * 91) % 256));
    return img;
}
// Blue at a world point, mixed from the four nearest pixels' centres.
double bilinearBlue(const QImage& img, QPointF w) {
    const double x = w.x() - 0.5, y = w.y() - 0.5, fx = x - std::floor(x), fy = y - std::floor(y);
    auto at = [&](int dx, int dy) {
        return qBlue(img.pixel(int(std::floor(x)) + dx, int(std::floor(y)) + dy));
    };
    return (at(0, 0) * (1 - fx) + at(1, 0) * fx) * (1 - fy) + (at(0, 1) * (1 - fx) + at(1, 1) * fx) * fy;
}
QImage drawn(const PictureSource& source, const QTransform& t) {
    QImage frame(kFrame, QImage::Format_RGB32);
    frame.fill(kOutside);
    QPainter p(&frame);
    source.draw(p, t, frame.rect());
    return frame;
}
} // namespace

class TestMapSource : public QObject {
    Q_OBJECT
  private slots:
    void coordinates_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("rotation");
        QTest::addColumn<QPointF>("nudge"); // world pixels off a whole frame pixel
        const QPointF none(0, 0), part(0.3, 0.7);
        QTest::addRow("1:1") << 1.0 << 0.0 << none;
        QTest::addRow("1:1 moved a fraction") << 1.0 << 0.0 << part;
        QTest::addRow("enlarged") << 2.0 << 0.0 << part;
        QTest::addRow("halved") << 0.5 << 0.0 << none;
        QTest::addRow("halved moved a fraction") << 0.5 << 0.0 << part;
        QTest::addRow("quarter") << 0.25 << 0.0 << none;
        QTest::addRow("eighth") << 0.125 << 0.0 << part;
        QTest::addRow("turned 90") << 1.0 << 90.0 << none;
        QTest::addRow("turned 90 halved") << 0.5 << 90.0 << none;
        QTest::addRow("turned 30 enlarged") << 1.5 << 30.0 << part;
    }
    // The frame's centre is near the picture's far corner, so some pixels lie outside it.
    void coordinates() {
        QFETCH(double, scale);
        QFETCH(double, rotation);
        QFETCH(QPointF, nudge);
        const QImage img = picture(false);
        const PictureSource source(img);
        const QTransform t =
            worldToFrame({QPointF(1024, 1024) - QPointF(30, 20) / scale + nudge, scale, rotation}, kFrame);
        const QImage frame = drawn(source, t);
        const QTransform back = t.inverted();
        for (int y = 0; y < kFrame.height(); y += 3)
            for (int x = 0; x < kFrame.width(); x += 3) {
                const QPointF w = back.map(QPointF(x + 0.5, y + 0.5));
                const QRgb got = frame.pixel(x, y);
                const QString where = QString("frame %1,%2 world %3,%4").arg(x).arg(y).arg(w.x()).arg(w.y());
                if (w.x() > 1026 || w.y() > 1026) QVERIFY2(got == kOutside, qPrintable(where));
                const double margin = 2 / scale + 4;
                if (!QRectF(0, 0, 1024, 1024).adjusted(margin, margin, -margin, -margin).contains(w))
                    continue;
                // From the picture itself (not a reduced copy), each pixel is its filtered value,
                // give or take Qt's coarser weights when turned; a pixel off is far more.
                if (scale >= 1) QVERIFY2(qAbs(qBlue(got) - bilinearBlue(img, w)) <= 8, qPrintable(where));
                QVERIFY2(qAbs(qRed(got) - (w.x() / 4 - 0.5)) <= 1.25 &&
                             qAbs(qGreen(got) - (w.y() / 4 - 0.5)) <= 1.25,
                         qPrintable(where));
            }
    }

    // Reduced, a fine pattern turns grey (each frame pixel a mean) rather than aliasing into
    // black and white; at 1:1 it stays sharp, so no reduced copy is enlarged.
    void levels_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("sharp");
        QTest::addRow("1:1") << 1.0 << true;
        QTest::addRow("halved") << 0.5 << false;
        QTest::addRow("quarter") << 0.25 << false;
        QTest::addRow("eighth") << 0.125 << false;
    }
    void levels() {
        QFETCH(double, scale);
        QFETCH(bool, sharp);
        const PictureSource source(picture(true));
        // Off by half a picture pixel from the reduced grid, so that plain sampling would hit
        // pixel centres and alias.
        const QPointF centre = sharp ? QPointF(500, 400) : QPointF(500.5, 400.5);
        const QTransform t = worldToFrame({centre, scale, 0}, kFrame);
        const QImage frame = drawn(source, t);
        const QRect inside = t.mapRect(QRectF(8, 8, 1008, 1008)).toRect() & frame.rect();
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const int v = qRed(frame.pixel(x, y));
                QVERIFY2(sharp ? v < 8 || v > 247 : qAbs(v - 128) <= 2, qPrintable(QString::number(v)));
            }
    }

    void memory_data() {
        QTest::addColumn<QSize>("size");
        QTest::addRow("square") << QSize(1024, 1024);
        QTest::addRow("odd") << QSize(1001, 777);
        QTest::addRow("thin") << QSize(257, 5000);
        QTest::addRow("one row") << QSize(3000, 1);
    }
    void memory() {
        QFETCH(QSize, size);
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::gray);
        const PictureSource source(img);
        qint64 extra = 0;
        for (size_t k = 1; k < source.levels().size(); ++k)
            extra += source.levels()[k].sizeInBytes();
        QVERIFY(extra * 3 <= img.sizeInBytes());
        QCOMPARE(source.worldSize(), QSizeF(size));
    }
};

QTEST_GUILESS_MAIN(TestMapSource)
#include "test_map_source.moc"
