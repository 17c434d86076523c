// The leg arithmetic: frame texts, direction codes and how many steps a leg takes.
#include "animation/Legs.h"
#include "support/AnimationSupport.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestAnimationLegs : public QObject {
    Q_OBJECT
  private slots:
    void textsAndCodes() {
        QCOMPARE(frameText(7), QString("0007"));
        QCOMPARE(frameText(12345), QString("2345")); // the last four digits
        QCOMPARE(directionCode(5, -2), QString("+-"));
        QCOMPARE(directionCode(-0.001, 3), QString("-+"));
        QCOMPARE(directionCode(-0.0, 0), QString("00")); // negative zero is zero
    }

    void stepsPerLeg_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("delay");
        QTest::addColumn<int>("steps");
        QTest::addColumn<double>("endX"); // where the moving end stops: no rounding to pixels
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("NTSC 59.94") << QPoint(0, 0) << QPoint(100, 0) << 59.94 << 60 << 100.1;
        QTest::newRow("NTSC vertical") << QPoint(30, 5) << QPoint(30, 95) << 59.94 << 60 << 30.0;
        QTest::newRow("PAL lands on target") << QPoint(10, 20) << QPoint(110, 20) << 50.0 << 50 << 110.0;
        QTest::newRow("PAL a hair short") << QPoint(0, 0) << QPoint(7, 0) << 50.0 << 51 << 7.14;
        QTest::newRow("pause NTSC") << QPoint(4, 4) << QPoint(4, 4) << 59.94 << 60 << 4.0;
        QTest::newRow("zero delay") << QPoint(0, 0) << QPoint(30, 40) << 0.0 << 1 << 30.0;
        QTest::newRow("NaN delay") << QPoint(0, 0) << QPoint(30, 40) << nan << 1 << 30.0;
        QTest::newRow("infinite delay") << QPoint(0, 0) << QPoint(30, 40) << inf << 1 << 30.0;
        QTest::newRow("pause, zero delay") << QPoint(4, 4) << QPoint(4, 4) << 0.0 << 1 << 4.0;
    }
    void stepsPerLeg() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(double, delay);
        QFETCH(int, steps);
        QFETCH(double, endX);
        Workspace ws;
        setUpRoute(ws, {from, to}, delay);
        Leg leg = setUpLeg(ws.st, 1, delay);
        int taken = 0;
        for (; !legEnded(ws.st, leg) && taken < 100000; ++taken) {
            stepMove(ws, leg);
            stepUpdate(ws.st, leg);
        }
        QCOMPARE(taken, steps);
        QVERIFY2(std::abs(ws.st.curx - endX) < 0.01, qPrintable(QString::number(ws.st.curx)));
    }
};

QTEST_GUILESS_MAIN(TestAnimationLegs)
#include "test_animation_legs.moc"
