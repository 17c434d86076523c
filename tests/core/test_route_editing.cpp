// Route editing: the click's four steps in their order, the nearest-point search, the mode
// buttons, moving a point along the route, and what a click draws on the spot.

#include "mapview/RouteEditing.h"
#include "shell/Startup.h"

#include <QStringList>
#include <QTest>

namespace {

struct Fixture {
    Workspace ws;
    int redraws = 0;
    Fixture() {
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        // Every redraw stops the preview timer first, so this counts redraws.
        ws.stopTimer = [this] { ++redraws; };
    }
};

// "x,y x,y ..." into the route slots.
void setRoute(ProjectState& st, const QString& route) {
    const QStringList pts = route.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < pts.size(); ++i) {
        st.pointx[i] = qint16(pts[i].section(',', 0, 0).toInt());
        st.pointy[i] = qint16(pts[i].section(',', 1, 1).toInt());
    }
    st.listmax = qint16(pts.size());
}

QString routeText(const ProjectState& st) {
    QStringList pts;
    for (int i = 0; i < st.listmax; ++i)
        pts << QString("%1,%2").arg(st.pointx[i]).arg(st.pointy[i]);
    return pts.join(' ');
}

// Operations: the mode buttons "+", "-", "o", ">", then "<<" (back), ">>" (forward) and
// "x,y" (a click released there).
void play(Workspace& ws, const QString& ops) {
    for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
        if (op == "+")
            btnPlus(ws);
        else if (op == "-")
            btnMinus(ws);
        else if (op == "o")
            btnSeek(ws);
        else if (op == ">")
            btnMove(ws);
        else if (op == "<<")
            btnBack(ws);
        else if (op == ">>")
            btnFore(ws);
        else
            clickMap(ws, op.section(',', 0, 0).toInt(), op.section(',', 1, 1).toInt());
    }
}

QColor pixel(Workspace& ws, int x, int y) {
    return ws.map.image().pixelColor(x, y);
}

} // namespace

class TestRouteEditing : public QObject {
    Q_OBJECT
  private slots:
    void sequences_data();
    void sequences();
    void nearest_data();
    void nearest();
    void roundingHalfEven_data();
    void roundingHalfEven();
    void mousePointLimit();
    void pointdistTravelsWithItsPoint();
    void addDrawsOnTheSpot();
    void selectCirclesStayUntilRedraw();
};

void TestRouteEditing::sequences_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<QChar>("mode");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("expectRoute");
    QTest::addColumn<int>("expectSelected");
    QTest::addColumn<int>("expectRedraws");

    const QString three = "10,10 100,100 200,200";
    // Adding.
    QTest::newRow("add appends") << "" << QChar('+') << -1 << "5,6 7,8 9,10"
                                 << "5,6 7,8 9,10" << -1 << 0;
    QTest::newRow("add keeps selection") << three << QChar('+') << 1 << "50,50" << three + " 50,50" << 1 << 0;
    QTest::newRow("btnPlus clears") << three << QChar('o') << 2 << "+" << three << -1 << 1;
    // Deleting.
    QTest::newRow("delete nearest") << three << QChar('-') << -1 << "98,103"
                                    << "10,10 200,200" << -1 << 1;
    QTest::newRow("delete first shifts") << three << QChar('-') << -1 << "11,9"
                                         << "100,100 200,200" << -1 << 1;
    QTest::newRow("delete last") << three << QChar('-') << -1 << "200,200"
                                 << "10,10 100,100" << -1 << 1;
    QTest::newRow("delete miss") << three << QChar('-') << -1 << "150,150" << three << -1 << 0;
    QTest::newRow("delete keeps selected") << three << QChar('-') << 2 << "10,10"
                                           << "100,100 200,200" << 2 << 1;
    QTest::newRow("delete tie lower") << "0,0 20,0" << QChar('-') << -1 << "10,0"
                                      << "20,0" << -1 << 1;
    QTest::newRow("delete at 25 out") << "115,120" << QChar('-') << -1 << "100,100"
                                      << "115,120" << -1 << 0;
    QTest::newRow("delete at 24.04 in") << "117,117" << QChar('-') << -1 << "100,100"
                                        << "" << -1 << 1;
    QTest::newRow("delete empty") << "" << QChar('-') << -1 << "0,0"
                                  << "" << -1 << 0;
    QTest::newRow("btnMinus clears") << three << QChar('o') << 1 << "-" << three << -1 << 1;
    // Selecting.
    QTest::newRow("select") << three << QChar('o') << -1 << "105,95" << three << 1 << 1;
    QTest::newRow("select miss keeps old") << three << QChar('o') << 1 << "150,150" << three << 1 << 1;
    QTest::newRow("select tie lower") << "0,0 20,0" << QChar('o') << -1 << "10,0"
                                      << "0,0 20,0" << 0 << 1;
    QTest::newRow("select at 25 out") << "115,120" << QChar('o') << -1 << "100,100"
                                      << "115,120" << -1 << 1;
    QTest::newRow("select at 24.04 in") << "117,117" << QChar('o') << -1 << "100,100"
                                        << "117,117" << 0 << 1;
    QTest::newRow("btnSeek keeps, no redraw") << three << QChar('>') << 2 << "o" << three << 2 << 0;
    // Moving.
    QTest::newRow("move selects and moves") << three << QChar('>') << -1 << "110,95"
                                            << "10,10 110,95 200,200" << 1 << 2;
    QTest::newRow("second click moves anywhere") << three << QChar('>') << -1 << "110,95 400,300"
                                                 << "10,10 400,300 200,200" << 1 << 3;
    QTest::newRow("move miss") << three << QChar('>') << -1 << "150,150" << three << -1 << 1;
    QTest::newRow("move after select") << three << QChar('o') << -1 << "100,100 > 300,300"
                                       << "10,10 300,300 200,200" << 1 << 3;
    QTest::newRow("btnMove twice clears") << three << QChar('o') << 1 << "> >" << three << -1 << 2;
    QTest::newRow("then picks anew") << three << QChar('o') << 1 << "> > 12,14"
                                     << "12,14 100,100 200,200" << 0 << 4;
    QTest::newRow("btnMove once keeps") << three << QChar('+') << -1 << "o 100,100 >" << three << 1 << 2;
    // One place back or forward.
    const QString five = "1,1 2,2 3,3 4,4 5,5";
    QTest::newRow("back") << five << QChar('o') << 3 << "<<"
                          << "1,1 2,2 4,4 3,3 5,5" << 2 << 1;
    QTest::newRow("back twice") << five << QChar('o') << 3 << "<< <<"
                                << "1,1 4,4 2,2 3,3 5,5" << 1 << 2;
    QTest::newRow("back at 0") << five << QChar('o') << 0 << "<<" << five << 0 << 0;
    QTest::newRow("back at -1") << five << QChar('o') << -1 << "<<" << five << -1 << 0;
    QTest::newRow("fore") << five << QChar('o') << 1 << ">>"
                          << "1,1 3,3 2,2 4,4 5,5" << 2 << 1;
    QTest::newRow("fore at end") << five << QChar('o') << 4 << ">>" << five << 4 << 0;
    QTest::newRow("fore at -1") << five << QChar('o') << -1 << ">>" << five << -1 << 0;
}

void TestRouteEditing::sequences() {
    QFETCH(QString, route);
    QFETCH(QChar, mode);
    QFETCH(int, selected);
    QFETCH(QString, ops);
    Fixture f;
    setRoute(f.ws.st, route);
    f.ws.st.editmode = mode;
    f.ws.st.selected = qint16(selected);
    f.redraws = 0;
    play(f.ws, ops);
    QTEST(routeText(f.ws.st), "expectRoute");
    QTEST(int(f.ws.st.selected), "expectSelected");
    QTEST(f.redraws, "expectRedraws");
}

void TestRouteEditing::nearest_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("idx");
    QTest::addColumn<double>("best");
    QTest::newRow("no points") << "" << 5 << 5 << -1 << 9999.0;
    QTest::newRow("exact") << "3,4 50,50" << 50 << 50 << 1 << 0.0;
    QTest::newRow("3-4-5") << "3,4 50,50" << 0 << 0 << 0 << 5.0;
    QTest::newRow("tie goes to lower") << "10,0 -10,0 0,10" << 0 << 0 << 0 << 10.0;
    QTest::newRow("later nearer wins") << "10,0 0,9" << 0 << 0 << 1 << 9.0;
    QTest::newRow("far beyond start") << "20000,0" << -20000 << 0 << -1 << 9999.0;
}

void TestRouteEditing::nearest() {
    QFETCH(QString, route);
    QFETCH(int, x);
    QFETCH(int, y);
    ProjectState st;
    setRoute(st, route);
    const Nearest n = nearestPoint(st, x, y);
    QTEST(n.idx, "idx");
    QTEST(n.best, "best");
}

void TestRouteEditing::roundingHalfEven_data() {
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("rounded");
    QTest::newRow("10.5") << 10.5 << 10;
    QTest::newRow("11.5") << 11.5 << 12;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("10.49") << 10.49 << 10;
    QTest::newRow("10.51") << 10.51 << 11;
    QTest::newRow("beyond 32 bits") << 1e12 << 2147483647;
}

void TestRouteEditing::roundingHalfEven() {
    QFETCH(double, v);
    QTEST(int(roundHalfEven(v)), "rounded");
}

void TestRouteEditing::mousePointLimit() {
    Fixture f;
    for (int i = 0; i < 120; ++i)
        clickMap(f.ws, i + 1, 7);
    QCOMPARE(f.ws.st.listmax, 99);
    QCOMPARE(f.ws.st.pointx[98], 99);
    QCOMPARE(f.ws.st.pointx[99], 0); // slot 99 is never filled by a click
    // Nothing is drawn for a refused click either.
    const QImage before = f.ws.map.image().copy();
    clickMap(f.ws, 300, 300);
    QCOMPARE(f.ws.map.image(), before);
}

void TestRouteEditing::pointdistTravelsWithItsPoint() {
    Fixture f;
    ProjectState& st = f.ws.st;
    setRoute(st, "1,1 2,2 3,3 4,4");
    st.pointdist = {1.5, 2.5, 3.5, 4.5};
    st.editmode = u'-';
    clickMap(f.ws, 2, 2);
    QCOMPARE(routeText(st), QString("1,1 3,3 4,4"));
    QCOMPARE(st.pointdist[1], 3.5);
    QCOMPARE(st.pointdist[2], 4.5);
    // The slot that fell out of use keeps its last values.
    QCOMPARE(st.pointx[3], 4);
    QCOMPARE(st.pointdist[3], 4.5);
    // A point added into that slot keeps the slot's number.
    st.editmode = u'+';
    clickMap(f.ws, 9, 9);
    QCOMPARE(st.pointdist[3], 4.5);
    // Moving along the route carries it; moving on the map leaves it.
    st.selected = 3;
    btnBack(f.ws);
    QCOMPARE(st.pointdist[2], 4.5);
    QCOMPARE(st.pointdist[3], 4.5);
    btnBack(f.ws);
    QCOMPARE(st.pointdist[1], 4.5);
    QCOMPARE(st.pointdist[2], 3.5);
    st.editmode = u'>';
    clickMap(f.ws, 50, 50);
    QCOMPARE(st.pointdist[1], 4.5);
}

void TestRouteEditing::addDrawsOnTheSpot() {
    Fixture f;
    Surface& map = f.ws.map;
    // A mark that any redraw would wipe.
    map.box(0, 0, 3, 3, rgb(0, 0, 255));
    const QColor red = toQColor(rgb(255, 0, 0)), white(Qt::white), blue(Qt::blue);

    clickMap(f.ws, 100, 100);
    QCOMPARE(pixel(f.ws, 100, 100), red); // the dot
    QCOMPARE(pixel(f.ws, 110, 100), red); // the circle, radius 10
    QCOMPARE(pixel(f.ws, 100, 90), red);
    QCOMPARE(pixel(f.ws, 105, 100), white); // between dot and ring
    QCOMPARE(pixel(f.ws, 150, 100), white); // no line yet
    clickMap(f.ws, 200, 100);
    QCOMPARE(pixel(f.ws, 150, 100), red); // the line
    QCOMPARE(pixel(f.ws, 150, 102), red); // 5 wide
    QCOMPARE(pixel(f.ws, 150, 104), white);
    QCOMPARE(pixel(f.ws, 200, 90), red);
    QCOMPARE(pixel(f.ws, 1, 1), blue);
    QCOMPARE(f.redraws, 0);
}

void TestRouteEditing::selectCirclesStayUntilRedraw() {
    Fixture f;
    setRoute(f.ws.st, "100,100 300,100");
    btnSeek(f.ws);
    const QColor yellow = toQColor(rgb(255, 255, 0)), red = toQColor(rgb(255, 0, 0));
    clickMap(f.ws, 101, 100);
    QCOMPARE(pixel(f.ws, 90, 100), yellow);
    clickMap(f.ws, 301, 101);
    // The redraw highlights the old choice, then the new one is circled on top.
    QCOMPARE(pixel(f.ws, 90, 100), yellow);
    QCOMPARE(pixel(f.ws, 310, 100), yellow);
    btnPlus(f.ws);
    QCOMPARE(pixel(f.ws, 90, 100), red);
    QCOMPARE(pixel(f.ws, 310, 100), red);
}

QTEST_GUILESS_MAIN(TestRouteEditing)
#include "test_route_editing.moc"
