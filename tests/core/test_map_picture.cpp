// Pictures are told by their content and read into the layout drawn; those that cannot be read
// leave the old map in place and say why, a marker picture's error names it; the resize command
// stretches the map to the frame, writes it as BMP and reads it back.
#include "animation/Marker.h"
#include "mapview/MapPicture.h"
#include "mapview/MapResize.h"
#include "settings/Presets.h"
#include "support/Files.h"
#include "support/Pixels.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>
#include <libdeflate.h>
#include <sys/stat.h>

namespace {
// A picture in that file format: of one colour, or with none given 9 x 7 of a few colours and a
// clear column.
QByteArray pictureOf(const char* format, QSize size = {9, 7}, QImage::Format layout = QImage::Format_ARGB32,
                     QColor colour = {}) {
    QImage img(size, layout);
    img.fill(colour);
    for (int y = 0; !colour.isValid() && y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgba(x * 28, y * 36, 90, x == 4 ? 0 : 255));
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return buf.data();
}
QByteArray pngBytes() { // an 8 x 6 green picture
    return pictureOf("PNG", {8, 6}, QImage::Format_RGB32, Qt::green);
}
// A BMP header claiming 60000 x 60000 pixels: it must not be allocated.
QByteArray hugeBmp() {
    QByteArray bmp(54, '\0');
    for (auto [at, v] : {std::pair(2, 54), {10, 54}, {14, 40}, {18, 60000}, {22, 60000}})
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = char((v >> (8 * i)) & 0xff);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[26] = 1;
    bmp[28] = 24;
    return bmp;
}

QByteArray bigEndian(quint32 v) {
    return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
}
QByteArray chunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return bigEndian(quint32(data.size())) + body +
           bigEndian(libdeflate_crc32(0, body.constData(), body.size()));
}
// The start of a palette PNG of w x h pixels (its first rows), which the general reader decodes
// one byte a pixel.
QByteArray palettePngHeader(int w, int h) {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", bigEndian(w) + bigEndian(h) + char(8) + char(3) + QByteArray(3, 0)) +
           chunk("PLTE", QByteArray(3, 0)) + chunk("IDAT", qCompress(QByteArray(64, 0)).mid(4));
}
// A w x h PNG of made-up pixels, every row under another of the five filters, the compressed
// pixels split into `parts` chunks.
QByteArray handMadePng(int w, int h, bool alpha, int parts) {
    const int bpp = alpha ? 4 : 3;
    QByteArray rows, prev(w * bpp, 0);
    unsigned seed = 7;
    for (int y = 0; y < h; ++y) {
        QByteArray cur(w * bpp, 0);
        for (char& c : cur)
            c = char(((seed = seed * 1103515245u + 12345u) >> 16) % 4 * 85); // few values: predictors tie
        rows += char(y % 5);
        for (int i = 0; i < cur.size(); ++i) {
            const int a = i >= bpp ? uchar(cur[i - bpp]) : 0, b = uchar(prev[i]),
                      c = i >= bpp ? uchar(prev[i - bpp]) : 0;
            const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            const int predicted[] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
            rows += char(uchar(cur[i]) - predicted[y % 5]);
        }
        prev = cur;
    }
    const QByteArray z = qCompress(rows).mid(4),
                     header = bigEndian(w) + bigEndian(h) + char(8) + char(alpha ? 6 : 2);
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header + QByteArray(3, 0));
    for (int k = 0, step = int(z.size() + parts - 1) / parts; k < z.size(); k += step)
        png += chunk("IDAT", z.mid(k, step));
    return png + chunk("IEND", {});
}
// The picture as read by the program and by the general reader alone, going by the content and
// brought into the layout drawn: the same pixels in the same layout, or both unreadable.
void readsAsTheGeneralReader(const QString& path) {
    Error error;
    const QImage ours = readPicture(path, &error);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    QImage theirs = reader.read();
    if (!theirs.isNull())
        theirs.convertTo(theirs.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                  : QImage::Format_RGB32);
    if (std::max(theirs.width(), theirs.height()) > kMaxMapSide) { // a spoilt header may claim any size
        QVERIFY(ours.isNull() && error.reason.contains("larger than"));
        return;
    }
    QCOMPARE(ours.isNull(), theirs.isNull());
    QCOMPARE(ours.format(), theirs.format());
    for (int y = 0; y < ours.height(); ++y)
        QVERIFY(std::memcmp(ours.constScanLine(y), theirs.constScanLine(y), ours.width() * 4) == 0);
}
} // namespace

class MapPictureTest : public QObject {
    Q_OBJECT
  private slots:
    void unreadablePictureLeavesTheOldMap_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // none: the file is not written
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a picture") << "fake.png" << QByteArray("hello, not a png") << "cannot be read";
        QTest::newRow("truncated") << "cut.png" << pngBytes().left(40) << "cannot be read";
        QTest::newRow("too large") << "huge.bmp" << hugeBmp() << "cannot be read";
        // 121 MB as decoded, 484 MB more converted to 4 bytes a pixel: over the limit together.
        QTest::newRow("too large with its conversion")
            << "palette.png" << palettePngHeader(16000, 16000) << "too large";
        QTest::newRow("wider than a map may be")
            << "wide.png" << palettePngHeader(16385, 16) << "16385 x 16 pixels, larger than 16384 x 16384";
        QTest::newRow("missing") << "missing.png" << QByteArray() << "does not exist";
        QTest::newRow("directory (nothing chosen)") << "." << QByteArray() << "directory";
        QTest::newRow("FIFO") << "fifo.png" << QByteArray() << "not an ordinary file";
        QTest::newRow("device") << "/dev/zero" << QByteArray() << "not an ordinary file";
    }
    void unreadablePictureLeavesTheOldMap() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeFile(dir.filePath("good.png"), pngBytes());
        Workspace ws;
        QVERIFY(!loadMapPicture(ws, dir.filePath("good.png")));
        const QString path = name.startsWith(u'/') ? name : dir.filePath(name);
        if (!bytes.isEmpty()) writeFile(path, bytes);
        if (name.startsWith("fifo")) QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const MaybeError error = loadMapPicture(ws, path);
        QVERIFY(error.has_value());
        QVERIFY2(error->reason.contains(reason), qPrintable(error->message()));
        QCOMPARE(error->file, path);
        QCOMPARE(ws.picture.size(), QSize(8, 6));
        QCOMPARE(rgbAt(ws.map.image(), 3, 3), 0x00ff00u);
    }

    void picturesReadAsTheGeneralReader_data() {
        QTest::addColumn<QByteArray>("png"); // whatever it holds, the file is named .png
        QTest::newRow("1 x 1") << handMadePng(1, 1, false, 1);
        QTest::newRow("colour, 3 chunks") << handMadePng(13, 11, false, 3);
        QTest::newRow("alpha") << handMadePng(21, 10, true, 1);
        QTest::newRow("16 bits a channel")
            << pictureOf("PNG", {5, 4}, QImage::Format_RGBA64, QColor(10, 200, 30, 128));
        QTest::newRow("palette") << pictureOf("PNG", {6, 5}, QImage::Format_Indexed8, Qt::red);
        QTest::newRow("JPEG named .png") << pictureOf("JPEG");
    }
    // Every byte spoilt in turn and every length cut short must give what the general reader gives.
    void picturesReadAsTheGeneralReader() {
        QFETCH(QByteArray, png);
        QTemporaryDir dir;
        const QString path = dir.filePath("map.png");
        writeFile(path, png);
        readsAsTheGeneralReader(path);
        const QtMessageHandler before =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        for (int i = 0; i < png.size() && !QTest::currentTestFailed(); ++i) {
            QByteArray spoilt = png;
            spoilt[i] = char(spoilt[i] ^ 0x5a);
            writeFile(path, spoilt);
            readsAsTheGeneralReader(path);
            writeFile(path, png.left(i));
            readsAsTheGeneralReader(path);
        }
        qInstallMessageHandler(before);
    }

    void markerPictureErrorNamesIt_data() {
        QTest::addColumn<QByteArray>("bytes"); // none: no file
        QTest::addColumn<QString>("says");     // the error, %1 the picture's path; empty when it is used
        QTest::newRow("JPEG named .png") << pictureOf("JPEG") << "";
        QTest::newRow("missing") << QByteArray() << "the marker picture %1: the file does not exist";
    }
    void markerPictureErrorNamesIt() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        QTemporaryDir dir;
        if (!bytes.isEmpty()) writeFile(dir.filePath("m.png"), bytes);
        ProjectState st;
        st.markerpicture = "m.png";
        st.projectpath = dir.filePath("p.wsr");
        Error error;
        const QImage img = readMarkerPicture(st, &error);
        QCOMPARE(error.message(), says.isEmpty() ? QString() : says.arg(dir.filePath("m.png")));
        QCOMPARE(img.size(), says.isEmpty() ? QSize(9, 7) : QSize(0, 0));
    }

    void resizeStretchesToTheFrameAndReloads_data() {
        QTest::addColumn<QString>("dir");
        QTest::newRow("writable") << "out";
        QTest::newRow("cannot be created") << "blocker/out"; // a plain file where a directory should be
    }
    void resizeStretchesToTheFrameAndReloads() {
        QFETCH(QString, dir);
        QTemporaryDir tmp;
        writeFile(tmp.filePath("blocker"), {});
        Workspace ws;
        SetPAL(ws);
        ws.picture = QImage(40, 30, QImage::Format_RGB32);
        ws.picture.fill(QColor(0, 0, 255));
        ws.st.imagename = "small.png";
        const QString file = tmp.filePath(dir) + "/pathwright.bmp";
        const MaybeError error = resizeMapPicture(ws, tmp.filePath(dir));
        QCOMPARE(ws.st.imagename, QString("small.png")); // the project still names its picture
        if (dir.startsWith("blocker")) {
            QVERIFY(error.has_value());
            QCOMPARE(error->file, file);
            QCOMPARE(ws.picture.size(), QSize(40, 30)); // the map as it was
            return;
        }
        QVERIFY(!error);
        QCOMPARE(QImage(file).size(), QSize(786, 576));
        QCOMPARE(ws.picture.size(), QSize(786, 576));
        QCOMPARE(rgbAt(ws.map.image(), 700, 500), 0x0000ffu);
    }
};

QTEST_GUILESS_MAIN(MapPictureTest)
#include "test_map_picture.moc"
