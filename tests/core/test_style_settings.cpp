// The style fields and the interval as the properties dialog sets them.

#include "settings/StyleSettings.h"
#include "shell/Startup.h"

#include <QLocale>
#include <QTest>

class TestStyleSettings : public QObject {
    Q_OBJECT
  private slots:
    void intervalBar_data();
    void intervalBar();
    void intervalLabel_data();
    void intervalLabel();
    void labelIgnoresLocale();
    void intervalSetsDelay_data();
    void intervalSetsDelay();
    void styleBarsSetTheirField();
};

void TestStyleSettings::intervalBar_data() {
    QTest::addColumn<double>("interval");
    QTest::addColumn<int>("bar");
    QTest::newRow("2.0") << 2.0 << 20;
    QTest::newRow("2.25 to even") << 2.25 << 22;
    QTest::newRow("2.35 to even") << 2.35 << 24;
    QTest::newRow("0.05") << 0.05 << 0;
    QTest::newRow("10.05") << 10.05 << 100;
    QTest::newRow("10.06") << 10.06 << 101;
    QTest::newRow("huge") << 1e300 << 2147483647;
}

void TestStyleSettings::intervalBar() {
    QFETCH(double, interval);
    QTEST(intervalBarValue(interval), "bar");
}

void TestStyleSettings::intervalLabel_data() {
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("text");
    QTest::newRow("20") << 20 << "2";
    QTest::newRow("25") << 25 << "2.5";
    QTest::newRow("1") << 1 << "0.1";
    QTest::newRow("100") << 100 << "10";
    QTest::newRow("22") << 22 << "2.2";
    QTest::newRow("3") << 3 << "0.3";
    QTest::newRow("99") << 99 << "9.9";
}

void TestStyleSettings::intervalLabel() {
    QFETCH(int, bar);
    QTEST(intervalText(bar), "text");
}

void TestStyleSettings::labelIgnoresLocale() {
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = intervalText(25);
    QLocale::setDefault(old);
    QCOMPARE(text, QString("2.5"));
}

void TestStyleSettings::intervalSetsDelay_data() {
    QTest::addColumn<double>("fps");
    QTest::addColumn<int>("bar");
    QTest::addColumn<double>("interval");
    QTest::addColumn<double>("delay");
    QTest::newRow("NTSC 0.1 s") << 29.97 << 1 << 0.1 << 2.997;
    QTest::newRow("PAL 2.5 s") << 25.0 << 25 << 2.5 << 62.5;
    QTest::newRow("NTSC 10 s") << 29.97 << 100 << 10.0 << 299.7;
}

void TestStyleSettings::intervalSetsDelay() {
    QFETCH(double, fps);
    QFETCH(int, bar);
    ProjectState st;
    st.fps = fps;
    setIntervalFromBar(st, bar);
    QTEST(st.interval, "interval");
    QTEST(st.delay, "delay");
}

void TestStyleSettings::styleBarsSetTheirField() {
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    int redraws = 0;
    ws.stopTimer = [&] { ++redraws; };
    ws.st.listmax = 1;
    ws.st.pointx[0] = ws.st.pointy[0] = 100;
    setStyleField(ws, StyleField::LineThick, 9);
    setStyleField(ws, StyleField::CircleThick, 2);
    setStyleField(ws, StyleField::CircleRadius, 13);
    QCOMPARE(ws.st.linethick, 9);
    QCOMPARE(ws.st.circlethick, 2);
    QCOMPARE(ws.st.circleradius, 13);
    QCOMPARE(redraws, 3);
    // The map shows the new style: the dot is 9 across, the ring 2 wide at radius 13.
    const QImage img = ws.map.image();
    QCOMPARE(img.pixelColor(103, 100), QColor(Qt::red));
    QCOMPARE(img.pixelColor(105, 100), QColor(Qt::white));
    QCOMPARE(img.pixelColor(113, 100), QColor(Qt::red));
    QCOMPARE(img.pixelColor(110, 100), QColor(Qt::white));
}

QTEST_GUILESS_MAIN(TestStyleSettings)
#include "test_style_settings.moc"
