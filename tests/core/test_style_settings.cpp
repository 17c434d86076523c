// The style and interval settings and the palette, apart from their widgets.

#include "settings/Palette.h"
#include "settings/StyleSettings.h"
#include "support/StartedWorkspace.h"

#include <QLocale>
#include <QTest>

namespace {
// A started-up workspace with one point at (100, 100).
struct Fixture : StartedWorkspace {
    Fixture() {
        ws.st.listmax = 1;
        ws.st.pointx[0] = ws.st.pointy[0] = 100;
    }
};
} // namespace

class TestStyleSettings : public QObject {
    Q_OBJECT
  private slots:
    void paletteCellsDrawn() {
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

    void pick_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("colour"); // -1: no colour, the pick is ignored
        QTest::newRow("origin") << 0.0 << 0.0 << rgb(0, 0, 0);
        QTest::newRow("last pixel") << 179.0 << 59.0 << rgb(255, 255, 255);
        QTest::newRow("end of block 0") << 59.0 << 0.0 << rgb(255, 0, 0);
        QTest::newRow("start of block 1") << 60.0 << 0.0 << rgb(0, 128, 0);
        QTest::newRow("right of grid") << 181.0 << 5.0 << rgb(0, 255, 0);
        QTest::newRow("huge") << 1e12 << 1e12 << rgb(255, 255, 255);
        QTest::newRow("left of it") << -1.0 << 5.0 << -1;
        QTest::newRow("above it") << 5.0 << -0.5 << -1;
    }
    void pick() {
        QFETCH(double, x);
        QFETCH(double, y);
        QTEST(int(paletteColorAt(x, y).value_or(-1)), "colour");
    }

    void pickSetsColourAndRedraws() {
        Fixture f;
        QVERIFY(!pickColor(f.ws, f.ws.st.color, -1, 5));
        QCOMPARE(f.redraws, 0);
        QVERIFY(pickColor(f.ws, f.ws.st.color, 65, 45));
        QCOMPARE(f.ws.st.color, rgb(0, 128, 255));
        QCOMPARE(f.ws.map.image().pixelColor(110, 100), QColor(0, 128, 255));  // the circle
        QCOMPARE(f.ws.swatch.image().pixelColor(40, 13), QColor(0, 128, 255)); // the swatch's line
    }

    void intervalBar_data() {
        QTest::addColumn<double>("interval");
        QTest::addColumn<int>("bar");
        QTest::newRow("2.25 to even") << 2.25 << 22;
        QTest::newRow("2.35 to even") << 2.35 << 24;
        QTest::newRow("10.05") << 10.05 << 100;
        QTest::newRow("10.06") << 10.06 << 101;
        QTest::newRow("huge") << 1e300 << 2147483647;
    }
    void intervalBar() {
        QFETCH(double, interval);
        QTEST(intervalBarValue(interval), "bar");
    }

    // The shortest decimal form with "." even where the locale's separator is ",".
    void intervalLabel_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("text");
        QTest::newRow("20") << 20 << "2";
        QTest::newRow("25") << 25 << "2.5";
    }
    void intervalLabel() {
        QFETCH(int, bar);
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = intervalText(bar);
        QLocale::setDefault(old);
        QTEST(text, "text");
    }

    // Up to PAL the bars keep their ranges; taller frames reach further in proportion.
    void barsGrowWithFrameHeight_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("max");
        QTest::newRow("line, NTSC") << int(StyleField::LineThick) << 480 << 9;
        QTest::newRow("circle, 4K") << int(StyleField::CircleThick) << 2160 << 36;
        QTest::newRow("radius, Vertical") << int(StyleField::CircleRadius) << 1920 << 46;
    }
    void barsGrowWithFrameHeight() {
        QFETCH(int, field);
        QFETCH(int, height);
        const BarRange r = styleRange(StyleField(field), height);
        QCOMPARE(r.min, 1);
        QTEST(r.max, "max");
    }

    void styleBarsSetTheirField() {
        Fixture f;
        setStyleField(f.ws, StyleField::LineThick, 9);
        setStyleField(f.ws, StyleField::CircleThick, 2);
        setStyleField(f.ws, StyleField::CircleRadius, 13);
        QCOMPARE(f.redraws, 3);
        // The map shows the new style: the dot is 9 across, the ring 2 wide at radius 13.
        const QImage img = f.ws.map.image();
        QCOMPARE(img.pixelColor(103, 100), QColor(Qt::red));
        QCOMPARE(img.pixelColor(105, 100), QColor(Qt::white));
        QCOMPARE(img.pixelColor(113, 100), QColor(Qt::red));
        QCOMPARE(img.pixelColor(110, 100), QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(TestStyleSettings)
#include "test_style_settings.moc"
