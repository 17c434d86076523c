// The drawing surface: what every caller relies on, checked pixel by pixel; the palette drawn on
// it and picked from, and the style and interval settings, apart from their widgets.
#include "settings/Palette.h"
#include "settings/StyleSettings.h"
#include "shell/Surface.h"
#include "support/Pixels.h"

#include <QtTest>

namespace {
constexpr qint32 kRed = 255, kBlue = 255 << 16, kSky = 128 * 256 + 255 * 65536;
const QRgb white = 0xffffff, red = 0xff0000, blue = 0x0000ff;

// Largest difference of one colour channel, and pixels differing by more than 8.
std::pair<int, int> difference(const QImage& a, const QImage& b) {
    int visible = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            visible += channelDistance(a.pixel(x, y), b.pixel(x, y)) > 8;
    return {imageDistance(a, b), visible};
}
} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT
  private slots:
    // A dot of width 1, or of a nonsense width 0 from a file, sets one pixel (wider spots are
    // compared with Qt's own drawing below), and shapes far outside are clipped. Without a picture
    // a reset leaves the bare background; over a picture the redraw tests check it.
    void onePixelDotsClippingAndReset() {
        Surface s(40, 40);
        s.setPenWidth(5);
        s.line(-100, -100, 1000, -50, kRed);
        s.circle(-5000, 5000, 30000, kRed);
        for (int width : {1, 0}) {
            s.setPenWidth(width);
            s.dot(20, 20, kRed);
            QCOMPARE(rgbAt(s.image(), 20, 20), red);
            QCOMPARE(runLength(s.image(), 0, 20, white, true), 39);
            QCOMPARE(runLength(s.image(), 20, 0, white, false), 39);
            s.resetTo(QImage());
            QCOMPARE(runLength(s.image(), 0, 20, white, true), 40);
        }
    }

    void ringIsCoveredByTheNext() {
        Surface s(60, 60);
        s.setPenWidth(3);
        s.circle(30, 30, 10, kRed);
        s.circle(30, 30, 10, kBlue);
        const QImage img = s.image();
        QCOMPARE(rgbAt(img, 40, 30), blue);
        for (int y = 0; y < 60; ++y)
            QCOMPARE(runLength(img, 0, y, red, true), 0);
    }

    // Spots and rings are copied from pictures drawn once, round caps drawn as spots: they must
    // look as Qt draws the shapes directly (this also pins red to the colour's low byte).
    void sameAsDirect_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("radius");
        for (int width : {2, 3, 5, 9})
            for (const char* shape : {"dot", "circle", "line"})
                QTest::addRow("%s %d", shape, width) << shape << width << QPointF(40, 30) << 13;
        QTest::newRow("circle radius 1") << "circle" << 9 << QPointF(40, 40) << 1;
        QTest::newRow("circle at the edge") << "circle" << 7 << QPointF(0, 79) << 12;
        QTest::newRow("circle larger than a copy") << "circle" << 9 << QPointF(60, 40) << 60;
        QTest::newRow("dot between pixels") << "dot" << 5 << QPointF(40.5, 30.25) << 0;
        QTest::newRow("line between pixels") << "line" << 5 << QPointF(40.5, 30.25) << 0;
    }
    void sameAsDirect() {
        QFETCH(QString, shape);
        QFETCH(int, width);
        QFETCH(QPointF, at);
        QFETCH(int, radius);
        Surface s(120, 80);
        s.setPenWidth(width);
        const quint64 before = s.changes().version();
        QImage direct(120, 80, QImage::Format_RGB32);
        direct.fill(Qt::white);
        QPainter p(&direct);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(0.5, 0.5);
        const QColor sky(0, 128, 255);
        p.setPen(QPen(sky, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (shape == "dot") {
            s.dot(at.x(), at.y(), kSky);
            p.setPen(Qt::NoPen);
            p.setBrush(sky);
            p.drawEllipse(at, width / 2.0, width / 2.0);
        } else if (shape == "circle") {
            s.circle(at.x(), at.y(), radius, kSky);
            p.drawEllipse(at, radius, radius);
        } else {
            s.line(at.x(), at.y(), 110, 10, kSky);
            p.drawLine(at, QPointF(110, 10));
        }
        p.end();
        const auto [worst, visible] = difference(s.image(), direct);
        const QString why = QString("worst %1, visible %2").arg(worst).arg(visible);
        // Only the soft corners where a cap meets a line's body may blend differently.
        QVERIFY2(shape == "line" ? visible <= 8 && worst <= 64 : worst <= 8, qPrintable(why));

        // Copies of the surface are kept up to date from the change log: it must name every
        // pixel the shape touched.
        std::vector<QRect> areas;
        QVERIFY(s.changes().since(before, areas));
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                if (rgbAt(s.image(), x, y) != white)
                    QVERIFY2(std::any_of(areas.begin(), areas.end(),
                                         [&](const QRect& a) { return a.contains(x, y); }),
                             qPrintable(QString("%1, %2 changed unlogged").arg(x).arg(y)));
    }

    // A log asked about changes it no longer holds says so, rather than naming too few.
    void changeLogForgetsOldChanges() {
        ChangeLog log;
        for (int i = 0; i < 1000; ++i)
            log.add(QRect(i % 50, 0, 1, 1));
        std::vector<QRect> areas;
        QVERIFY(!log.since(0, areas));
        QVERIFY(log.since(log.version() - 3, areas));
        QCOMPARE(areas, (std::vector<QRect>{QRect(47, 0, 1, 1), QRect(48, 0, 1, 1), QRect(49, 0, 1, 1)}));
    }

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
        QTest::newRow("circle, 4K") << int(StyleField::CircleThick) << 2160 << 120;
        QTest::newRow("line, 1080p") << int(StyleField::LineThick) << 1080 << 60;
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

QTEST_GUILESS_MAIN(SurfaceTest)
#include "test_surface.moc"
