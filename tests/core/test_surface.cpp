// The drawing surface: what every caller relies on, checked pixel by pixel.
#include "shell/Surface.h"
#include "support/Pixels.h"

#include <QtTest>

namespace {
constexpr qint32 kRed = 255, kBlue = 255 << 16;
const QRgb white = 0xffffff, red = 0xff0000, blue = 0x0000ff;
} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT
  private slots:
    void dotDiameterFollowsPenWidth_data() {
        QTest::addColumn<int>("pen");
        QTest::addColumn<int>("across");
        QTest::newRow("width 1 sets one pixel") << 1 << 1;
        QTest::newRow("width 5 is a 5-pixel spot") << 5 << 5;
        QTest::newRow("width 9") << 9 << 9;
    }
    void dotDiameterFollowsPenWidth() {
        QFETCH(int, pen);
        QFETCH(int, across);
        Surface s(40, 40);
        s.setPenWidth(pen);
        s.dot(20, 20, kRed);
        const QImage img = s.image();
        QCOMPARE(rgbAt(img, 20, 20), red);
        // Fully covered pixels across the centre, and anti-aliased edges within half a pixel.
        int touched = 0;
        for (int x = 0; x < 40; ++x)
            touched += rgbAt(img, x, 20) != white;
        QVERIFY2(touched >= across && touched <= across + 1, qPrintable(QString::number(touched)));
        if (pen == 1) QCOMPARE(touched, 1);
        // Round, not square: the corner of the enclosing square is not fully covered.
        if (pen > 1) QVERIFY(rgbAt(img, 20 + across / 2, 20 + across / 2) != red);
        QCOMPARE(rgbAt(img, 20 + across, 20), white);
    }

    void circleIsARingNotADisc() {
        Surface s(60, 60);
        s.setPenWidth(3);
        s.circle(30, 30, 10, kRed);
        const QImage img = s.image();
        QCOMPARE(rgbAt(img, 40, 30), red); // on the ring
        QCOMPARE(rgbAt(img, 30, 20), red);
        QCOMPARE(rgbAt(img, 30, 30), white); // never filled
        QCOMPARE(rgbAt(img, 35, 30), white);
        QCOMPARE(rgbAt(img, 45, 30), white);
        // About three pixels thick along a radius.
        int thick = 0;
        for (int x = 30; x < 60; ++x)
            thick += rgbAt(img, x, 30) == red;
        QVERIFY(thick >= 2 && thick <= 4);
    }

    void secondCircleCoversTheFirst() {
        Surface s(60, 60);
        s.setPenWidth(3);
        s.circle(30, 30, 10, kRed);
        s.circle(30, 30, 10, kBlue);
        const QImage img = s.image();
        QCOMPARE(rgbAt(img, 40, 30), blue);
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 60; ++y)
                QVERIFY(rgbAt(img, x, y) != red);
    }

    void lineHasThePenWidth() {
        Surface s(100, 40);
        s.setPenWidth(5);
        s.line(10, 20, 90, 20, kRed);
        const QImage img = s.image();
        QCOMPARE(runLength(img, 50, 20, red, false), 5);
        QCOMPARE(rgbAt(img, 50, 20), red);
        // Round caps reach half the width beyond the ends.
        QCOMPARE(rgbAt(img, 9, 20), red);
        QCOMPARE(rgbAt(img, 5, 20), white);
    }

    void boxIncludesBothCorners() {
        Surface s(40, 40);
        s.box(19, 0, 0, 19, kBlue);
        const QImage img = s.image();
        QCOMPARE(rgbAt(img, 0, 0), blue);
        QCOMPARE(rgbAt(img, 19, 19), blue);
        QCOMPARE(rgbAt(img, 20, 19), white);
        QCOMPARE(rgbAt(img, 19, 20), white);
    }

    void resetShowsPictureAndDiscardsDrawing() {
        QImage picture(10, 8, QImage::Format_RGB32);
        picture.fill(Qt::green);
        Surface s(30, 20);
        s.setPenWidth(3);
        s.line(0, 0, 29, 19, kRed);
        s.resetTo(picture);
        QImage img = s.image();
        QCOMPARE(rgbAt(img, 9, 7), 0x00ff00u); // picture at its natural size at the origin
        QCOMPARE(rgbAt(img, 10, 7), white);    // background beyond it
        QCOMPARE(rgbAt(img, 25, 17), white);   // the line is gone
        s.line(0, 4, 29, 4, kRed);
        img = s.image();
        QCOMPARE(rgbAt(img, 5, 4), red); // read image after a line shows it
        s.resetTo(QImage());
        img = s.image();
        QCOMPARE(runLength(img, 0, 4, white, true), 30); // empty picture: background only
    }

    void drawingOutsideIsClipped() {
        Surface s(20, 20);
        s.setPenWidth(5);
        s.line(-100, -100, 1000, -50, kRed);
        s.circle(-5000, 5000, 30000, kRed);
        s.setPenWidth(0); // a nonsense width from a file still draws one-pixel lines
        s.dot(10, 10, kRed);
        QCOMPARE(rgbAt(s.image(), 10, 10), red);
    }

    void coloursKeepRedInTheLowByte() {
        QCOMPARE(toQColor(255), QColor(255, 0, 0));
        QCOMPARE(toQColor(65535), QColor(255, 255, 0));
        QCOMPARE(toQColor(128 * 256 + 255 * 65536), QColor(0, 128, 255));
    }
};

QTEST_GUILESS_MAIN(SurfaceTest)
#include "test_surface.moc"
