// Pictures that cannot be read leave the old map in place and say why.
#include "mapview/MapPicture.h"
#include "support/Files.h"
#include "support/Pixels.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
QByteArray pngBytes() { // an 8 x 6 green picture
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::green);
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return buf.data();
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
};

QTEST_GUILESS_MAIN(MapPictureTest)
#include "test_map_picture.moc"
