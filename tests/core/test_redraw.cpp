// The redraw: bare map, then the route with which shape lying over which.
#include "mapview/RouteDrawing.h"
#include "shell/Startup.h"
#include "support/Pixels.h"

#include <QtTest>

namespace {
const QRgb white = 0xffffff, red = 0xff0000, yellow = 0xffff00;
const QPoint P0(100, 100), P1(200, 100), P2(200, 200);

void setRoute(Workspace& ws, int count, int selected) {
    const QPoint pts[] = {P0, P1, P2};
    for (int i = 0; i < 3; ++i) {
        ws.st.pointx[i] = qint16(pts[i].x());
        ws.st.pointy[i] = qint16(pts[i].y());
    }
    ws.st.listmax = qint16(count);
    ws.st.selected = qint16(selected);
}
} // namespace

class RedrawTest : public QObject {
    Q_OBJECT
  private slots:
    void route_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("expected");
        // No points: the bare map only.
        QTest::newRow("0 points") << 0 << -1 << P0 << uint(white);
        // One point: a dot of the line width inside a ring.
        QTest::newRow("1 point, dot") << 1 << -1 << P0 << uint(red);
        QTest::newRow("1 point, between dot and ring") << 1 << -1 << QPoint(105, 100) << uint(white);
        QTest::newRow("1 point, ring") << 1 << -1 << QPoint(110, 100) << uint(red);
        QTest::newRow("1 point selected, ring highlighted") << 1 << 0 << QPoint(110, 100) << uint(yellow);
        QTest::newRow("1 point selected, dot stays red") << 1 << 0 << P0 << uint(red);
        // Three points: line 0-1 runs over the circles of point 0 ...
        QTest::newRow("3, sel 0: line over start highlight") << 3 << 0 << QPoint(110, 100) << uint(red);
        QTest::newRow("3, sel 0: rest of highlight") << 3 << 0 << QPoint(100, 90) << uint(yellow);
        // ... and under the circles of point 1, which line 1-2 then covers.
        QTest::newRow("3, sel 1: highlight over line 0-1") << 3 << 1 << QPoint(190, 100) << uint(yellow);
        QTest::newRow("3, sel 1: line 1-2 over highlight") << 3 << 1 << QPoint(200, 110) << uint(red);
        QTest::newRow("3, sel 1: point 0 unhighlighted") << 3 << 1 << QPoint(100, 90) << uint(red);
        QTest::newRow("3, sel 2: highlight over line 1-2") << 3 << 2 << QPoint(200, 190) << uint(yellow);
        QTest::newRow("3, sel 3 (= listmax): nothing") << 3 << 3 << QPoint(200, 190) << uint(red);
        QTest::newRow("3, none selected") << 3 << -1 << QPoint(190, 100) << uint(red);
        QTest::newRow("3: no dot at point 1") << 3 << -1 << QPoint(200, 96) << uint(white);
    }
    void route() {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(QPoint, at);
        QFETCH(uint, expected);
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        setRoute(ws, count, selected);
        Redraw(ws);
        QCOMPARE(rgbAt(ws.map.image(), at.x(), at.y()), QRgb(expected));
    }

    void noYellowWithoutASelection() {
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        setRoute(ws, 3, -1);
        Redraw(ws);
        const QImage img = ws.map.image();
        for (int y = 80; y < 220; ++y)
            for (int x = 80; x < 220; ++x)
                QVERIFY(qBlue(img.pixel(x, y)) > 0 || qGreen(img.pixel(x, y)) == 0);
    }

    void redrawRestoresTheBareMapAndEndsALeg() {
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor(10, 20, 30));
        ws.picture = picture;
        int stops = 0;
        ws.stopTimer = [&] { ++stops; };
        ws.st.waiting = true;
        ws.map.setPenWidth(9);
        ws.map.line(0, 50, 600, 50, 255); // leftovers that the redraw must discard
        ws.st.linethick = 1;              // the swatch follows the style
        Redraw(ws);
        QCOMPARE(stops, 1);
        QVERIFY(!ws.st.waiting);
        const QImage img = ws.map.image();
        QCOMPARE(rgbAt(img, 100, 50), QColor(10, 20, 30).rgb() & 0xffffff);
        QCOMPARE(rgbAt(img, 400, 50), white);
        QCOMPARE(rgbAt(ws.swatch.image(), 44, 15), white); // a one-pixel line now
        QCOMPARE(rgbAt(ws.swatch.image(), 44, 13), red);
    }
};

QTEST_GUILESS_MAIN(RedrawTest)
#include "test_redraw.moc"
