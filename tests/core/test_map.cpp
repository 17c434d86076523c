// The map: the start-up picture and paths; the redraw, the bare map then the route with which
// shape lying over which; route editing through clicks, mode buttons and direct edits, and what a
// click draws.
#include "mapview/RouteDrawing.h"
#include "mapview/RouteEditing.h"
#include "shell/Startup.h"
#include "support/Pixels.h"
#include "support/Route.h"
#include "support/StartedWorkspace.h"

#include <QPainter>
#include <QStringList>
#include <QTest>

namespace {

using Fixture = StartedWorkspace;

// Operations: the mode buttons "+", "-", "o", ">", then "<<" (back), ">>" (forward), "x,y" (a
// click released there), "^i@x,y" (insert at i), "mi@x,y" (move point i), "del" (delete the
// selected point) and "ndx,dy" (nudge it).
void play(Workspace& ws, const QString& ops) {
    const QMap<QString, void (*)(Workspace&)> buttons{
        {"+", btnPlus},  {"-", btnMinus}, {"o", btnSeek},         {">", btnMove},
        {"<<", btnBack}, {">>", btnFore}, {"del", deleteSelected}};
    for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
        const QString at = op.section('@', -1).remove('n');
        const int x = at.section(',', 0, 0).toInt(), y = at.section(',', 1, 1).toInt();
        const int index = op.mid(1).section('@', 0, 0).toInt();
        if (buttons.contains(op))
            buttons[op](ws);
        else if (op.startsWith('^'))
            insertPoint(ws, index, x, y);
        else if (op.startsWith('m'))
            movePoint(ws, index, x, y);
        else if (op.startsWith('n'))
            nudgeSelected(ws, x, y);
        else
            clickMap(ws, x, y);
    }
}

QRgb pixel(Workspace& ws, int x, int y) {
    return rgbAt(ws.map.image(), x, y);
}

// One sequence: start route, mode and selection; the operations; the route, selection and
// number of redraws they leave.
void row(const char* tag, const QString& route, char mode, int sel, const QString& ops, const QString& expect,
         int expectSel, int redraws) {
    QTest::newRow(tag) << route << QChar(mode) << sel << ops << expect << expectSel << redraws;
}

const QRgb white = 0xffffff, red = 0xff0000, yellow = 0xffff00;

// A route of `count` of the points (100,100) (200,100) (200,200) on a started workspace.
void withRoute(Workspace& ws, int count = 0, int selected = -1) {
    setRoute(ws.st, "100,100 200,100 200,200");
    ws.st.listmax = qint16(count);
    ws.st.selected = qint16(selected);
}

} // namespace

class TestMap : public QObject {
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
        QTest::newRow("3, none selected: point 1") << 3 << -1 << QPoint(190, 100) << uint(red);
        QTest::newRow("3: no dot at point 1") << 3 << -1 << QPoint(200, 96) << uint(white);
    }
    void route() {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(QPoint, at);
        Fixture f;
        withRoute(f.ws, count, selected);
        Redraw(f.ws);
        QTEST(uint(rgbAt(f.ws.map.image(), at.x(), at.y())), "expected");
    }

    void redrawRestoresTheBareMapAndTheSwatch() {
        Fixture f;
        Workspace& ws = f.ws;
        withRoute(ws);
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

    void sequences_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QChar>("mode");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("expectRoute");
        QTest::addColumn<int>("expectSelected");
        QTest::addColumn<int>("expectRedraws");

        const QString three = "10,10 100,100 200,200", five = "1,1 2,2 3,3 4,4 5,5";
        row("add appends", "", '+', -1, "5,6 7,8 9,10", "5,6 7,8 9,10", -1, 0);
        row("add far off, held to 16 bits", "", '+', -1, "-2147483648,40000", "-32768,32767", -1, 0);
        row("add keeps selection", three, '+', 1, "50,50", three + " 50,50", 1, 0);
        row("btnPlus clears", three, 'o', 2, "+", three, -1, 1);
        row("delete nearest", three, '-', -1, "98,103", "10,10 200,200", -1, 1);
        row("far-off release misses", "100,0", '-', -1, "-2147483648,0", "100,0", -1, 0);
        row("delete keeps selected", three, '-', 2, "10,10", "100,100 200,200", 2, 1);
        row("delete tie lower", "0,0 20,0", '-', -1, "10,0", "20,0", -1, 1);
        row("delete at 25 out", "115,120", '-', -1, "100,100", "115,120", -1, 0);
        row("delete at 24.04 in", "117,117", '-', -1, "100,100", "", -1, 1);
        row("btnMinus clears", three, 'o', 1, "-", three, -1, 1);
        row("select", three, 'o', -1, "105,95", three, 1, 1);
        row("select miss keeps old", three, 'o', 1, "150,150", three, 1, 1);
        row("btnSeek keeps, no redraw", three, '>', 2, "o", three, 2, 0);
        row("second click moves anywhere", three, '>', -1, "110,95 400,300", "10,10 400,300 200,200", 1, 3);
        row("move miss", three, '>', -1, "150,150", three, -1, 1);
        row("move after select", three, 'o', -1, "100,100 > 300,300", "10,10 300,300 200,200", 1, 3);
        row("then picks anew", three, 'o', 1, "> > 12,14", "12,14 100,100 200,200", 0, 4);
        row("back", five, 'o', 3, "<<", "1,1 2,2 4,4 3,3 5,5", 2, 1);
        row("back at 0", five, 'o', 0, "<<", five, 0, 0);
        row("back at -1", five, 'o', -1, "<<", five, -1, 0);
        row("fore", five, 'o', 1, ">>", "1,1 3,3 2,2 4,4 5,5", 2, 1);
        row("fore at end", five, 'o', 4, ">>", five, 4, 0);
        row("insert, selection follows", three, 'o', 2, "^1@50,50", "10,10 50,50 100,100 200,200", 3, 1);
        row("insert at the end", three, 'o', 0, "^3@7,7", three + " 7,7", 0, 1);
        row("insert past the end", three, 'o', 0, "^4@7,7", three, 0, 0);
        row("move any point", three, '+', -1, "m2@5,6", "10,10 100,100 5,6", -1, 1);
        row("delete selected", three, 'o', 1, "del", "10,10 200,200", -1, 1);
        row("delete, none selected", three, 'o', -1, "del", three, -1, 0);
        row("nudge", three, 'o', 0, "n-1,10", "9,20 100,100 200,200", 0, 1);
        row("nudge held to 16 bits", "32767,0", 'o', 0, "n10,0", "32767,0", 0, 1);
    }

    void sequences() {
        QFETCH(QString, route);
        QFETCH(QChar, mode);
        QFETCH(int, selected);
        QFETCH(QString, ops);
        Fixture f;
        setRoute(f.ws.st, route);
        f.ws.st.editmode = mode;
        f.ws.st.selected = qint16(selected);
        play(f.ws, ops);
        QTEST(routeText(f.ws.st), "expectRoute");
        QTEST(int(f.ws.st.selected), "expectSelected");
        QTEST(f.redraws, "expectRedraws");
    }

    void mousePointLimit() {
        Fixture f;
        for (int i = 0; i < 120; ++i)
            clickMap(f.ws, i + 1, 7);
        QCOMPARE(f.ws.st.listmax, 99);
        QCOMPARE(f.ws.st.pointx[98], 99);
        QCOMPARE(f.ws.st.pointx[99], 0);      // slot 99 is never filled by a click
        QVERIFY(!insertPoint(f.ws, 5, 1, 1)); // nor by an insert
        QCOMPARE(f.ws.st.listmax, 99);
        // Nothing is drawn for a refused click either.
        const QImage before = f.ws.map.image().copy();
        clickMap(f.ws, 300, 300);
        QCOMPARE(f.ws.map.image(), before);
    }

    // Deleting shifts each pointdist with its point and leaves the freed slot as it was; an added
    // point keeps its slot's value; moving along the route carries it, moving on the map does not.
    void pointdistTravelsWithItsPoint() {
        Fixture f;
        ProjectState& st = f.ws.st;
        setRoute(st, "1,1 2,2 3,3 4,4");
        st.pointdist = {1.5, 2.5, 3.5, 4.5};
        const auto dists = [&st] { return QList<double>(st.pointdist.begin(), st.pointdist.begin() + 4); };
        play(f.ws, "- 2,2");
        QCOMPARE(routeText(st), QString("1,1 3,3 4,4"));
        QCOMPARE(dists(), QList<double>({1.5, 3.5, 4.5, 4.5}));
        QCOMPARE(st.pointx[3], 4);
        play(f.ws, "+ 9,9 o 9,9 << <<");
        QCOMPARE(routeText(st), QString("1,1 9,9 3,3 4,4"));
        QCOMPARE(dists(), QList<double>({1.5, 4.5, 3.5, 4.5}));
        play(f.ws, "> 50,50");
        QCOMPARE(routeText(st), QString("1,1 50,50 3,3 4,4"));
        QCOMPARE(dists(), QList<double>({1.5, 4.5, 3.5, 4.5}));
        play(f.ws, "^0@7,7");
        QCOMPARE(dists(), QList<double>({0, 1.5, 4.5, 3.5}));
    }

    // The leg within reach nearest a position, measured to the segment; ties to the lower index.
    void nearestLeg_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("leg");
        QTest::newRow("along the second") << QPointF(90, 50) << 1;
        QTest::newRow("at 25 out") << QPointF(50, 25) << -1;
        QTest::newRow("past an end, tie") << QPointF(110, -5) << 0;
        QTest::newRow("beyond the last end") << QPointF(100, 120) << 1;
    }
    void nearestLeg() {
        QFETCH(QPointF, at);
        ProjectState st;
        setRoute(st, "0,0 100,0 100,100");
        QTEST(::nearestLeg(st, at.x(), at.y(), 25), "leg");
    }

    // A click draws its point and leg on the spot, without a redraw (a mark that one would wipe
    // stays), and as the next redraw draws them.
    void addDrawsOnTheSpot() {
        Fixture f;
        f.ws.map.box(0, 0, 3, 3, rgb(0, 0, 255));
        play(f.ws, "100,100 200,100");
        QCOMPARE(f.redraws, 0);
        QCOMPARE(pixel(f.ws, 1, 1), 0x0000ffu);
        QImage clicked = f.ws.map.image().copy();
        Redraw(f.ws);
        QPainter(&clicked).fillRect(0, 0, 4, 4, Qt::white);
        QVERIFY(imageDistance(clicked, f.ws.map.image()) < 100); // the leg's end blends its own way
        QCOMPARE(pixel(f.ws, 150, 102), red);                    // the leg, 5 wide
    }

    void selectCirclesStayUntilRedraw() {
        Fixture f;
        setRoute(f.ws.st, "100,100 300,100");
        play(f.ws, "o 101,100");
        QCOMPARE(pixel(f.ws, 90, 100), yellow);
        // The redraw highlights the old choice, then the new one is circled on top.
        play(f.ws, "301,101");
        QCOMPARE(pixel(f.ws, 90, 100), yellow);
        QCOMPARE(pixel(f.ws, 310, 100), yellow);
        play(f.ws, "+");
        QCOMPARE(pixel(f.ws, 90, 100), red);
        QCOMPARE(pixel(f.ws, 310, 100), red);
    }
};

QTEST_GUILESS_MAIN(TestMap)
#include "test_map.moc"
