// The start-up picture and paths, and the redraw: bare map, then the route with which shape lying
// over which.
#include "mapview/RouteDrawing.h"
#include "shell/Startup.h"
#include "support/Pixels.h"
#include "support/Route.h"

#include <QtTest>

namespace {
const QRgb white = 0xffffff, red = 0xff0000, yellow = 0xffff00;

// A started workspace with a route of `count` of the points (100,100) (200,100) (200,200).
void start(Workspace& ws, int count = 0, int selected = -1) {
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    setRoute(ws.st, "100,100 200,100 200,200");
    ws.st.listmax = qint16(count);
    ws.st.selected = qint16(selected);
}
} // namespace

class RedrawTest : public QObject {
    Q_OBJECT
  private slots:
    // At start-up the map is white on every desktop, at the NTSC frame size, and the swatch shows
    // one red leg.
    void startUpPicture_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("red");
        QTest::newRow("line edge, width 5") << QPoint(44, 15) << true;
        QTest::newRow("beyond line width") << QPoint(44, 17) << false;
        QTest::newRow("left circle top") << QPoint(13, 3) << true;
        QTest::newRow("inside left circle, below line") << QPoint(13, 18) << false;
        QTest::newRow("right circle bottom") << QPoint(74, 23) << true;
        QTest::newRow("outside right circle") << QPoint(87, 13) << false;
    }
    void startUpPicture() {
        QFETCH(QPoint, at);
        Workspace ws;
        startUpBegin(ws, "/opt/pathwright");
        startUpFinish(ws, 1.05);
        QCOMPARE(ws.map.image().size(), QSize(654, 480));
        QCOMPARE(runLength(ws.map.image(), 0, 240, white, true), 654);
        QTEST(rgbAt(ws.swatch.image(), at.x(), at.y()) == red, "red");
    }

    void directoryGetsOneSeparator_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("projectdir");
        QTest::newRow("root") << QString("/") << QString("/");
        QTest::newRow("plain") << QString("/usr/bin") << QString("/usr/bin/");
        QTest::newRow("already ends in one") << QString("/usr/bin/") << QString("/usr/bin/");
    }
    void directoryGetsOneSeparator() {
        QFETCH(QString, dir);
        Workspace fresh;
        startUpBegin(fresh, dir);
        QTEST(fresh.st.projectdir, "projectdir");
    }

    void route_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<uint>("expected");
        QTest::newRow("0 points: bare map") << 0 << -1 << QPoint(100, 100) << uint(white);
        // One point: a dot of the line width inside a ring.
        QTest::newRow("1 point, dot") << 1 << -1 << QPoint(100, 100) << uint(red);
        QTest::newRow("1 point, between dot and ring") << 1 << -1 << QPoint(105, 100) << uint(white);
        QTest::newRow("1 point, ring") << 1 << -1 << QPoint(110, 100) << uint(red);
        QTest::newRow("1 point selected, ring highlighted") << 1 << 0 << QPoint(110, 100) << uint(yellow);
        QTest::newRow("1 point selected, dot stays red") << 1 << 0 << QPoint(100, 100) << uint(red);
        // Three points: line 0-1 runs over the circles of point 0 ...
        QTest::newRow("3, sel 0: line over start highlight") << 3 << 0 << QPoint(110, 100) << uint(red);
        QTest::newRow("3, sel 0: rest of highlight") << 3 << 0 << QPoint(100, 90) << uint(yellow);
        // ... and under the circles of point 1, which line 1-2 then covers.
        QTest::newRow("3, sel 1: highlight over line 0-1") << 3 << 1 << QPoint(190, 100) << uint(yellow);
        QTest::newRow("3, sel 1: line 1-2 over highlight") << 3 << 1 << QPoint(200, 110) << uint(red);
        QTest::newRow("3, sel 1: point 0 unhighlighted") << 3 << 1 << QPoint(100, 90) << uint(red);
        QTest::newRow("3, sel 2: highlight over line 1-2") << 3 << 2 << QPoint(200, 190) << uint(yellow);
        QTest::newRow("3, sel 3 (= listmax): nothing") << 3 << 3 << QPoint(200, 190) << uint(red);
        QTest::newRow("3, none selected: point 0") << 3 << -1 << QPoint(100, 90) << uint(red);
        QTest::newRow("3, none selected: point 1") << 3 << -1 << QPoint(190, 100) << uint(red);
        QTest::newRow("3: no dot at point 1") << 3 << -1 << QPoint(200, 96) << uint(white);
    }
    void route() {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(QPoint, at);
        Workspace ws;
        start(ws, count, selected);
        Redraw(ws);
        QTEST(uint(rgbAt(ws.map.image(), at.x(), at.y())), "expected");
    }

    void redrawRestoresTheBareMapAndTheSwatch() {
        Workspace ws;
        start(ws);
        ws.picture = QImage(300, 200, QImage::Format_RGB32);
        ws.picture.fill(QColor(10, 20, 30));
        ws.map.setPenWidth(9);
        ws.map.line(0, 50, 600, 50, 255); // leftovers that the redraw must discard
        ws.st.linethick = 1;
        Redraw(ws);
        QCOMPARE(rgbAt(ws.map.image(), 100, 50), 0x0a141eu);
        QCOMPARE(rgbAt(ws.map.image(), 400, 50), white);
        QCOMPARE(rgbAt(ws.swatch.image(), 44, 15), white); // the swatch's line is one pixel now
        QCOMPARE(rgbAt(ws.swatch.image(), 44, 13), red);
    }
};

QTEST_GUILESS_MAIN(RedrawTest)
#include "test_redraw.moc"
