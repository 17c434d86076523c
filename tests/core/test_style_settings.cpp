// The style and interval settings and the palette, apart from their widgets.

#include "settings/Palette.h"
#include "settings/StyleSettings.h"

#include <QTest>

class TestStyleSettings : public QObject {
    Q_OBJECT
  private slots:
    // Each cell shows the colour a pick on it gives; around the 180 x 60 grid the background stays.
    void paletteShowsWhatAPickGives() {
        Surface s(182, 62, Qt::gray);
        drawPalette(s);
        for (int y = 0; y < 62; ++y)
            for (int x = 0; x < 182; ++x) {
                const QColor picked = x < 180 && y < 60 ? toQColor(*paletteColorAt(x, y)) : QColor(Qt::gray);
                QVERIFY2(s.image().pixelColor(x, y) == picked, qPrintable(QString("%1, %2").arg(x).arg(y)));
            }
    }

    void pick_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("colour"); // -1: no colour, the pick is ignored
        QTest::newRow("origin") << 0.0 << 0.0 << rgb(0, 0, 0);
        QTest::newRow("last pixel") << 179.0 << 59.0 << rgb(255, 255, 255);
        QTest::newRow("end of block 0") << 59.0 << 0.0 << rgb(255, 0, 0);
        QTest::newRow("start of block 1") << 60.0 << 0.0 << rgb(0, 128, 0);
        QTest::newRow("inside block 1") << 65.0 << 45.0 << rgb(0, 128, 255);
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
};

QTEST_GUILESS_MAIN(TestStyleSettings)
#include "test_style_settings.moc"
