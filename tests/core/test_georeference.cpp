// Georeferences: control points and world files put known places on the right pixel, and files
// that are not world files are refused with their name.
#include "geo/Georeference.h"
#include "support/Files.h"

#include <QtTest>
#include <cmath>
#include <vector>

namespace {
using Places = std::vector<LatLon>;
const LatLon kParis{48.8566, 2.3522}, kTokyo{35.6762, 139.6503}, kCairo{30.0444, 31.2357},
    kLima{-12.0464, -77.0428}, kBerlin{52.52, 13.405};

// A map drawn as a tile map is: Web Mercator, north up, 8,000 m a pixel, optionally sheared.
QPointF truePixel(LatLon at, double shear) {
    const QPointF m = toMercator(at);
    return QPointF(m.x() / 8000 + 2500 + shear * m.y() / 8000, 2500 - m.y() / 8000);
}
} // namespace

class TestGeoreference : public QObject {
    Q_OBJECT
  private slots:
    void controlPoints_data() {
        QTest::addColumn<Places>("places");
        QTest::addColumn<double>("shear");
        QTest::addColumn<double>("nudge"); // pixels the last control point is off
        QTest::addColumn<bool>("fits");
        QTest::newRow("two: a similarity") << Places{kParis, kTokyo} << 0.0 << 0.0 << true;
        QTest::newRow("three: an affine fit") << Places{kParis, kTokyo, kLima} << 0.3 << 0.0 << true;
        QTest::newRow("four, one misplaced") << Places{kParis, kTokyo, kLima, kCairo} << 0.0 << 12.0 << true;
        QTest::newRow("not a number skipped") << Places{kParis, {NAN, 3}, kTokyo} << 0.0 << 0.0 << true;
        QTest::newRow("one, one off the earth") << Places{kParis, {91, 0}} << 0.0 << 0.0 << false;
        QTest::newRow("in one line") << Places{{0, 0}, {0, 10}, {0, 20}} << 0.0 << 0.0 << false;
    }
    void controlPoints() {
        QFETCH(Places, places);
        QFETCH(double, shear);
        QFETCH(double, nudge);
        std::vector<ControlPoint> points;
        for (const LatLon& at : places)
            points.push_back({truePixel(at, shear), at});
        points.back().pixel += QPointF(nudge, 0);
        const std::optional<ControlPointFit> fit = fitControlPoints(points);
        QTEST(fit.has_value(), "fits");
        if (!fit) return;
        // The largest residual shows a misplaced point; exact points fit to a fraction of a pixel.
        QVERIFY(nudge > 0 ? fit->worstResidual > 5 : fit->worstResidual < 0.5);
        if (nudge > 0) return;
        // A place that is not a control point lands where the map has it.
        QVERIFY(QLineF(fit->georeference.pixelAt(kBerlin), truePixel(kBerlin, shear)).length() < 0.5);
    }

    void worldFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QPointF>("pixel");   // where `latLon` lies, for a file that is read
        QTest::addColumn<QPointF>("latLon");  // latitude, longitude
        QTest::addColumn<QString>("refused"); // the reason, empty when read
        const auto row = [](const char* tag, const QByteArray& text, QPointF pixel, QPointF at,
                            const char* refused) {
            QTest::newRow(tag) << text << pixel << at << QString(refused);
        };
        // Half a degree a pixel from the top-left pixel's centre at 179.75 W, 89.75 N.
        row("degrees", "0.5\n0\n0\n-0.5\n-179.75\n89.75\n", {360, 180}, {-0.25, 0.25}, "");
        row("Web Mercator, CR LF", "1000\r\n0\r\n0\r\n-1000\r\n-500000\r\n6000000\r\n", {500, 1000},
            {fromMercator({0, 5e6}).lat, 0}, "");
        row("zero scale", "0\n0\n0\n-0.5\n0\n0\n", {}, {}, "its scale is zero");
        row("not finite", "0.5\n0\n0\nnan\n0\n0\n", {}, {}, "not a finite number");
        row("five numbers", "0.5 0 0 -0.5 0", {}, {}, "six numbers");
        row("a picture, not numbers", QByteArray(8000, 'x'), {}, {}, "too large");
    }
    void worldFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QString, refused);
        QTemporaryDir dir;
        const QString path = dir.filePath("map.pgw");
        writeFile(path, text);
        Error error;
        const std::optional<Georeference> g = readWorldFile(path, QSize(720, 360), &error);
        QCOMPARE(g.has_value(), refused.isEmpty());
        if (!g) {
            QVERIFY2(error.file == path && error.reason.contains(refused), qPrintable(error.message()));
            return;
        }
        QFETCH(QPointF, pixel);
        QFETCH(QPointF, latLon);
        const LatLon at = g->latLonAt(pixel);
        QVERIFY(QLineF(QPointF(at.lat, at.lon), latLon).length() < 1e-9);
        QVERIFY(QLineF(g->pixelAt({latLon.x(), latLon.y()}), pixel).length() < 1e-6);
    }
};

QTEST_APPLESS_MAIN(TestGeoreference)
#include "test_georeference.moc"
