// The colour palette: its levels, its 27 cells on a surface, and picking from a position.

#include "settings/Palette.h"
#include "shell/Startup.h"

#include <QTest>

class TestPalette : public QObject {
    Q_OBJECT
  private slots:
    void levels_data();
    void levels();
    void cellsDrawn();
    void pick_data();
    void pick();
    void pickSetsColourAndRedraws();
    void negativePickIgnored();
};

void TestPalette::levels_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("level");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1") << 1 << 128;
    QTest::newRow("2 limited") << 2 << 255;
    QTest::newRow("3") << 3 << 255;
    QTest::newRow("huge") << 2000000000 << 255;
}

void TestPalette::levels() {
    QFETCH(int, k);
    QTEST(paletteLevel(k), "level");
}

void TestPalette::cellsDrawn() {
    Surface s(182, 62, Qt::gray);
    drawPalette(s);
    const QImage img = s.image();
    const int lv[] = {0, 128, 255};
    for (int r = 0; r < 3; ++r)
        for (int g = 0; g < 3; ++g)
            for (int b = 0; b < 3; ++b) {
                const int x = 60 * g + 20 * r, y = 20 * b;
                const QColor want(lv[r], lv[g], lv[b]);
                QCOMPARE(img.pixelColor(x, y), want);
                QCOMPARE(img.pixelColor(x + 19, y + 19), want);
            }
    // The grid covers 180 x 60 pixels; the rest keeps the background.
    QCOMPARE(img.pixelColor(180, 10), QColor(Qt::gray));
    QCOMPARE(img.pixelColor(10, 60), QColor(Qt::gray));
}

void TestPalette::pick_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("65,45") << 65.0 << 45.0 << 0 << 128 << 255;
    QTest::newRow("origin") << 0.0 << 0.0 << 0 << 0 << 0;
    QTest::newRow("last pixel") << 179.0 << 59.0 << 255 << 255 << 255;
    QTest::newRow("end of block 0") << 59.0 << 0.0 << 255 << 0 << 0;
    QTest::newRow("start of block 1") << 60.0 << 0.0 << 0 << 128 << 0;
    QTest::newRow("inside a cell") << 39.9 << 19.9 << 128 << 0 << 0;
    QTest::newRow("right of grid") << 181.0 << 5.0 << 0 << 255 << 0;
    QTest::newRow("far right, below") << 500.0 << 500.0 << 128 << 255 << 255;
    QTest::newRow("huge") << 1e12 << 1e12 << 255 << 255 << 255;
}

void TestPalette::pick() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    const std::optional<qint32> c = paletteColorAt(x, y);
    QVERIFY(c.has_value());
    QCOMPARE(*c, rgb(red, green, blue));
}

void TestPalette::pickSetsColourAndRedraws() {
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    ws.st.listmax = 1;
    ws.st.pointx[0] = 100;
    ws.st.pointy[0] = 100;
    QVERIFY(pickColor(ws, ws.st.color, 65, 45));
    QCOMPARE(ws.st.color, rgb(0, 128, 255));
    QCOMPARE(ws.map.image().pixelColor(110, 100), QColor(0, 128, 255));  // the circle
    QCOMPARE(ws.swatch.image().pixelColor(40, 13), QColor(0, 128, 255)); // the swatch's line
}

void TestPalette::negativePickIgnored() {
    Workspace ws;
    ws.st.selcolor = rgb(1, 2, 3);
    int redraws = 0;
    ws.stopTimer = [&] { ++redraws; };
    QVERIFY(!pickColor(ws, ws.st.selcolor, -1, 5));
    QVERIFY(!pickColor(ws, ws.st.selcolor, 5, -0.5));
    QCOMPARE(ws.st.selcolor, rgb(1, 2, 3));
    QCOMPARE(redraws, 0);
}

QTEST_GUILESS_MAIN(TestPalette)
#include "test_palette.moc"
