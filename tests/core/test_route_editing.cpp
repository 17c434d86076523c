// Route editing through clicks, mode buttons and direct edits, and what a click draws.

#include "mapview/RouteEditing.h"
#include "support/Route.h"
#include "support/StartedWorkspace.h"

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

QColor pixel(Workspace& ws, int x, int y) {
    return ws.map.image().pixelColor(x, y);
}

// One sequence: start route, mode and selection; the operations; the route, selection and
// number of redraws they leave.
void row(const char* tag, const QString& route, char mode, int sel, const QString& ops, const QString& expect,
         int expectSel, int redraws) {
    QTest::newRow(tag) << route << QChar(mode) << sel << ops << expect << expectSel << redraws;
}

} // namespace

class TestRouteEditing : public QObject {
    Q_OBJECT
  private slots:
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

    void addDrawsOnTheSpot() {
        Fixture f;
        // A mark that any redraw would wipe.
        f.ws.map.box(0, 0, 3, 3, rgb(0, 0, 255));
        const QColor red = toQColor(rgb(255, 0, 0)), white(Qt::white);
        clickMap(f.ws, 100, 100);
        QCOMPARE(pixel(f.ws, 100, 100), red);   // the dot
        QCOMPARE(pixel(f.ws, 110, 100), red);   // the circle, radius 10
        QCOMPARE(pixel(f.ws, 105, 100), white); // between dot and ring
        QCOMPARE(pixel(f.ws, 150, 100), white); // no line yet
        clickMap(f.ws, 200, 100);
        QCOMPARE(pixel(f.ws, 150, 100), red); // the line
        QCOMPARE(pixel(f.ws, 150, 102), red); // 5 wide
        QCOMPARE(pixel(f.ws, 150, 104), white);
        QCOMPARE(pixel(f.ws, 200, 90), red);
        QCOMPARE(pixel(f.ws, 1, 1), QColor(Qt::blue));
        QCOMPARE(f.redraws, 0);
    }

    void selectCirclesStayUntilRedraw() {
        Fixture f;
        setRoute(f.ws.st, "100,100 300,100");
        const QColor yellow = toQColor(rgb(255, 255, 0)), red = toQColor(rgb(255, 0, 0));
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

QTEST_GUILESS_MAIN(TestRouteEditing)
#include "test_route_editing.moc"
