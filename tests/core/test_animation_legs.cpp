// The leg arithmetic: frame texts, direction codes and how many steps a leg takes.
#include "animation/Legs.h"
#include "support/AnimationSupport.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestAnimationLegs : public QObject {
    Q_OBJECT
  private slots:
    void frameTextOfCount_data();
    void frameTextOfCount();
    void directionCodes_data();
    void directionCodes();
    void stepsPerLeg_data();
    void stepsPerLeg();
    void verticalLegKeepsXCode();
    void plannedFramesOfRoutes_data();
    void plannedFramesOfRoutes();
};

void TestAnimationLegs::frameTextOfCount_data() {
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0000";
    QTest::newRow("one digit") << qint64(7) << "0007";
    QTest::newRow("three digits") << qint64(123) << "0123";
    QTest::newRow("limit") << qint64(9999) << "9999";
    QTest::newRow("wraps") << qint64(10000) << "0000";
    QTest::newRow("last four") << qint64(12345) << "2345";
}

void TestAnimationLegs::frameTextOfCount() {
    QFETCH(qint64, n);
    QFETCH(QString, text);
    QCOMPARE(frameText(n), text);
}

void TestAnimationLegs::directionCodes_data() {
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<QString>("code");
    QTest::newRow("right and up") << 5.0 << -2.0 << "+-";
    QTest::newRow("down") << 0.0 << 3.0 << "0+";
    QTest::newRow("left") << -0.001 << 0.0 << "-0";
    QTest::newRow("none") << 0.0 << 0.0 << "00";
    QTest::newRow("negative zero is zero") << -0.0 << -0.0 << "00";
}

void TestAnimationLegs::directionCodes() {
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(QString, code);
    QCOMPARE(directionCode(dx, dy), code);
}

void TestAnimationLegs::stepsPerLeg_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<double>("delay");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("endX"); // where the moving end stops
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("NTSC 59.94") << QPoint(0, 0) << QPoint(100, 0) << 59.94 << 60 << -1.0;
    QTest::newRow("NTSC diagonal") << QPoint(10, 90) << QPoint(300, 7) << 59.94 << 60 << -1.0;
    QTest::newRow("PAL lands on target") << QPoint(10, 20) << QPoint(110, 20) << 50.0 << 50 << 110.0;
    QTest::newRow("PAL a hair short") << QPoint(0, 0) << QPoint(7, 0) << 50.0 << 51 << 7.14;
    QTest::newRow("below one frame") << QPoint(0, 0) << QPoint(10, 0) << 0.5 << 1 << 20.0;
    QTest::newRow("pause NTSC") << QPoint(4, 4) << QPoint(4, 4) << 59.94 << 60 << 4.0;
    QTest::newRow("pause PAL") << QPoint(4, 4) << QPoint(4, 4) << 50.0 << 50 << 4.0;
    QTest::newRow("zero delay") << QPoint(0, 0) << QPoint(30, 40) << 0.0 << 1 << 30.0;
    QTest::newRow("negative delay") << QPoint(0, 0) << QPoint(30, 40) << -3.0 << 1 << 30.0;
    QTest::newRow("NaN delay") << QPoint(0, 0) << QPoint(30, 40) << nan << 1 << 30.0;
    QTest::newRow("infinite delay") << QPoint(0, 0) << QPoint(30, 40) << inf << 1 << 30.0;
    QTest::newRow("pause, zero delay") << QPoint(4, 4) << QPoint(4, 4) << 0.0 << 1 << 4.0;
}

void TestAnimationLegs::stepsPerLeg() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(double, delay);
    QFETCH(int, steps);
    QFETCH(double, endX);
    Workspace ws;
    setUpRoute(ws, {from, to}, delay);
    Leg leg = setUpLeg(ws.st, 1);
    int taken = 0;
    while (!legEnded(ws.st, leg) && taken < 100000) {
        stepMove(ws, leg);
        stepUpdate(ws.st, leg);
        ++taken;
    }
    QCOMPARE(taken, steps);
    if (endX >= 0) QVERIFY2(std::abs(ws.st.curx - endX) < 0.01, qPrintable(QString::number(ws.st.curx)));
}

void TestAnimationLegs::verticalLegKeepsXCode() {
    Workspace ws;
    setUpRoute(ws, {{30, 5}, {30, 95}}, 59.94);
    Leg leg = setUpLeg(ws.st, 1);
    QCOMPARE(ws.st.legdir, QString("0+"));
    int taken = 0;
    while (!legEnded(ws.st, leg)) {
        stepMove(ws, leg);
        stepUpdate(ws.st, leg);
        QCOMPARE(ws.st.curdir.at(0), QChar(u'0'));
        ++taken;
    }
    QCOMPARE(taken, 60);
    QCOMPARE(ws.st.curdir.at(1), QChar(u'-'));
}

void TestAnimationLegs::plannedFramesOfRoutes_data() {
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<double>("delay");
    QTest::addColumn<qint64>("frames");
    QTest::newRow("empty") << QList<QPoint>{} << 50.0 << qint64(0);
    QTest::newRow("one point") << QList<QPoint>{{5, 5}} << 50.0 << qint64(3);
    QTest::newRow("two points 100 apart") << QList<QPoint>{{20, 50}, {120, 50}} << 50.0 << qint64(54);
    // 3 + 2 reached points + 60 + 60 steps
    QTest::newRow("three points NTSC") << QList<QPoint>{{0, 0}, {50, 50}, {90, 10}} << 59.94 << qint64(125);
    // 3 + 2 + 51 + 50 (a pause takes delay steps)
    QTest::newRow("hair short and pause") << QList<QPoint>{{0, 0}, {7, 0}, {7, 0}} << 50.0 << qint64(106);
}

void TestAnimationLegs::plannedFramesOfRoutes() {
    QFETCH(QList<QPoint>, points);
    QFETCH(double, delay);
    QFETCH(qint64, frames);
    Workspace ws;
    setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
    QCOMPARE(plannedFrames(ws.st, 1000000), frames);
    QCOMPARE(plannedFrames(ws.st, 10), std::min<qint64>(frames, 10));
}

QTEST_GUILESS_MAIN(TestAnimationLegs)
#include "test_animation_legs.moc"
