// Georeferences: control points, world files (with and without a .prj) and GeoTIFF tags put known
// places on the right pixel; the lookup beside a map finds them in order; TIFF maps load; files
// that are broken are refused with their name.
#include "geo/GeoTiff.h"
#include "geo/Georeference.h"
#include "geo/MapGeoreference.h"
#include "mapview/PictureFile.h"
#include "support/Files.h"
#include "support/Pixels.h"

#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <functional>
#include <geotiff/geotiff.h>
#include <geotiff/geovalues.h>
#include <geotiff/xtiffio.h>
#include <vector>

namespace {
using Places = std::vector<LatLon>;
using Files = QMap<QString, QByteArray>;
const LatLon kParis{48.8566, 2.3522}, kTokyo{35.6762, 139.6503}, kCairo{30.0444, 31.2357},
    kLima{-12.0464, -77.0428}, kBerlin{52.52, 13.405};

// Munich in UTM zone 32N, as GeographicLib's UTMUPS puts it; a 10 m grid whose top-left pixel's
// corner is at (691000, 5335000) has it on this pixel.
const LatLon kMunich{48.137154, 11.576124};
const QPointF kMunichPixel(64.53668, 24.07534);
const QByteArray kUtmWorldFile = "10\n0\n0\n-10\n691005\n5334995\n";
const QByteArray kUtm32Wkt =
    R"(PROJCS["WGS 84 / UTM zone 32N",GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,)"
    R"(298.257223563]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]],PROJECTION[)"
    R"("Transverse_Mercator"],PARAMETER["latitude_of_origin",0],PARAMETER["central_meridian",9],)"
    R"(PARAMETER["scale_factor",0.9996],PARAMETER["false_easting",500000],PARAMETER["false_northing",0],)"
    R"(UNIT["metre",1]])";

// A 4 x 4 TIFF of one colour (red 200, green 100, blue 50, alpha 128 when there are 4 samples, not
// premultiplied), with whatever tags `tag` adds, as bytes.
QByteArray tiffBytes(int samples, const std::function<void(TIFF*)>& tag = {}) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.tif");
    TIFF* t = XTIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!t) return QByteArray();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 4);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, 4);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);
    const uint16_t alpha = EXTRASAMPLE_UNASSALPHA;
    if (samples == 4) TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &alpha);
    if (tag) tag(t);
    const uchar pixel[4] = {200, 100, 50, 128};
    std::vector<uchar> row;
    for (int x = 0; x < 4; ++x)
        row.insert(row.end(), pixel, pixel + samples);
    for (uint32_t y = 0; y < 4; ++y)
        TIFFWriteScanline(t, row.data(), y, 0);
    XTIFFClose(t);
    return readFile(path);
}

// A grey GeoTIFF placed by a tie point at its top-left corner and a square pixel scale.
QByteArray geoTiff(bool projected, int code, bool pixelIsPoint, QPointF corner, double scale) {
    return tiffBytes(1, [=](TIFF* t) {
        const double tie[6] = {0, 0, 0, corner.x(), corner.y(), 0}, pixel[3] = {scale, scale, 0};
        TIFFSetField(t, TIFFTAG_GEOTIEPOINTS, 6, tie);
        TIFFSetField(t, TIFFTAG_GEOPIXELSCALE, 3, pixel);
        GTIF* keys = GTIFNew(t);
        GTIFKeySet(keys, GTModelTypeGeoKey, TYPE_SHORT, 1,
                   projected ? ModelTypeProjected : ModelTypeGeographic);
        GTIFKeySet(keys, GTRasterTypeGeoKey, TYPE_SHORT, 1,
                   pixelIsPoint ? RasterPixelIsPoint : RasterPixelIsArea);
        GTIFKeySet(keys, projected ? ProjectedCSTypeGeoKey : GeographicTypeGeoKey, TYPE_SHORT, 1, code);
        GTIFWriteKeys(keys);
        GTIFFree(keys);
    });
}

// The TIFF with its width and height entries rewritten as 32-bit numbers (little-endian file).
QByteArray claimingSize(QByteArray bytes, quint32 side) {
    const auto at = [&](qsizetype i) { return qFromLittleEndian<quint32>(bytes.constData() + i); };
    const qsizetype ifd = at(4), entries = at(ifd) & 0xffff;
    for (qsizetype entry = ifd + 2; entry < ifd + 2 + 12 * entries; entry += 12)
        if ((at(entry) & 0xffff) == 256 || (at(entry) & 0xffff) == 257) {
            bytes[entry + 2] = 4; // LONG
            qToLittleEndian(side, bytes.data() + entry + 8);
        }
    return bytes;
}

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

    void geoTiffs_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QPointF>("latLon");
        QTest::addColumn<QPointF>("pixel"); // where the file has that place
        QTest::addColumn<int>("projection");
        const QPointF munich(kMunich.lat, kMunich.lon);
        // 45 N, 90 E in Web Mercator: (10018754.171, 5621521.486) m.
        QTest::newRow("WGS 84, pixels are areas")
            << geoTiff(false, 4326, false, {10, 50}, 0.01) << QPointF(49.5, 10.5) << QPointF(49.5, 49.5)
            << int(Projection::Degrees);
        QTest::newRow("WGS 84, pixels are points")
            << geoTiff(false, 4326, true, {10, 50}, 0.01) << QPointF(49.5, 10.5) << QPointF(50, 50)
            << int(Projection::Degrees);
        QTest::newRow("Web Mercator") << geoTiff(true, 3857, false, {1e7, 5.7e6}, 1000) << QPointF(45, 90)
                                      << QPointF(18.254171, 77.978514) << int(Projection::WebMercator);
        QTest::newRow("UTM 32N through PROJ") << geoTiff(true, 32632, false, {691000, 5335000}, 10) << munich
                                              << kMunichPixel << int(Projection::Proj);
    }
    void geoTiffs() {
        QFETCH(QByteArray, file);
        QFETCH(QPointF, latLon);
        QFETCH(QPointF, pixel);
        QTemporaryDir dir;
        writeFile(dir.filePath("map.tif"), file);
        Error error;
        const std::optional<Georeference> g = readGeoTiff(dir.filePath("map.tif"), &error);
        QVERIFY2(g, qPrintable(error.message()));
        QTEST(int(g->projection()), "projection");
        const LatLon at{latLon.x(), latLon.y()}, back = g->latLonAt(pixel);
        QVERIFY(QLineF(g->pixelAt(at), pixel).length() < 0.01);
        QVERIFY(std::abs(back.lat - at.lat) < 1e-6 && std::abs(back.lon - at.lon) < 1e-6);
    }

    void lookup_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("found");   // the file that places the map, empty for none
        QTest::addColumn<QString>("refused"); // the file an error names, empty for none
        const QByteArray png = "\x89PNG not read here";
        const Files prj{{"map.prj", kUtm32Wkt}};
        const auto with = [&](Files f) { return f.insert(prj), f; };
        const auto row = [](const char* tag, const char* picture, const Files& files, const char* found,
                            const char* refused) {
            QTest::newRow(tag) << QString(picture) << files << QString(found) << QString(refused);
        };
        row(".pgw", "map.png", with({{"map.png", png}, {"map.pgw", kUtmWorldFile}}), "map.pgw", "");
        row(".pngw, other case", "map.png",
            {{"map.png", png}, {"MAP.PNGW", kUtmWorldFile}, {"Map.Prj", kUtm32Wkt}}, "MAP.PNGW", "");
        row(".jpeg: .jgw", "map.jpeg", with({{"map.jpeg", png}, {"map.jgw", kUtmWorldFile}}), "map.jgw", "");
        row(".wld", "map.png", with({{"map.png", png}, {"map.wld", kUtmWorldFile}, {"a.pgw", "x"}}),
            "map.wld", "");
        row(".pgw before .wld", "map.png",
            with({{"map.png", png}, {"map.pgw", kUtmWorldFile}, {"map.wld", "x"}}), "map.pgw", "");
        row("GeoTIFF tags first", "map.tif",
            with({{"map.tif", geoTiff(true, 32632, false, {691000, 5335000}, 10)},
                  {"map.tfw", "1 0 0 -1 0 0"}}),
            "map.tif", "");
        row("GeoTIFF in a system PROJ lacks", "map.tif", {{"map.tif", geoTiff(true, 1234, false, {0, 0}, 1)}},
            "", "map.tif");
        row("broken .prj", "map.png",
            {{"map.png", png}, {"map.pgw", kUtmWorldFile}, {"map.prj", "PROJCS[\"UTM\",GEOGCS["}}, "",
            "map.prj");
        row("none beside", "map.png", {{"map.png", png}, {"other.pgw", kUtmWorldFile}}, "", "");
    }
    void lookup() {
        QFETCH(QString, picture);
        QFETCH(Files, files);
        QTemporaryDir dir;
        for (auto f = files.cbegin(); f != files.cend(); ++f)
            writeFile(dir.filePath(f.key()), f.value());
        Error error;
        const std::optional<FoundGeoreference> g =
            findGeoreference(dir.filePath(picture), QSize(100, 100), &error);
        QTEST(g ? QFileInfo(g->file).fileName() : QString(), "found");
        QTEST(QFileInfo(error.file).fileName(), "refused");
        if (g) QVERIFY(QLineF(g->georeference.pixelAt(kMunich), kMunichPixel).length() < 0.01);
    }

    void tiffMaps_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRgb>("colour"); // premultiplied
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("refused");
        QTest::newRow("RGB") << tiffBytes(3) << qRgb(200, 100, 50) << int(QImage::Format_RGB32) << "";
        QTest::newRow("RGBA, straight alpha")
            << tiffBytes(4) << qRgba(100, 50, 25, 128) << int(QImage::Format_ARGB32_Premultiplied) << "";
        QTest::newRow("claims to be huge")
            << claimingSize(tiffBytes(3), 1000000) << QRgb() << 0 << "larger than";
        QTest::newRow("cut short") << tiffBytes(3).left(40) << QRgb() << 0 << "cannot be read";
    }
    void tiffMaps() {
        QFETCH(QByteArray, file);
        QFETCH(QString, refused);
        QTemporaryDir dir;
        const QString path = dir.filePath("map.png"); // the content decides
        writeFile(path, file);
        Error error;
        const QImage img = readPicture(path, &error);
        QCOMPARE(img.isNull(), !refused.isEmpty());
        if (img.isNull()) {
            QVERIFY2(error.file == path && error.reason.contains(refused), qPrintable(error.message()));
            return;
        }
        QFETCH(QRgb, colour);
        QTEST(int(img.format()), "format");
        QCOMPARE(img.size(), QSize(4, 4));
        QVERIFY(channelDistance(img.pixel(3, 3), colour) <= 1 && qAlpha(img.pixel(3, 3)) == qAlpha(colour));
    }
};

QTEST_APPLESS_MAIN(TestGeoreference)
#include "test_georeference.moc"
