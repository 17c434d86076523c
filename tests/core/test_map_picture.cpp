// Picture files: which names a directory lists, and pictures that cannot be read.
#include "mapview/MapPicture.h"
#include "support/Pixels.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
void touch(const QString& path, const QByteArray& bytes = "x") {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray pngBytes(QColor c) {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(c);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}
} // namespace

class MapPictureTest : public QObject {
    Q_OBJECT
  private slots:
    void extensionRule_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<bool>("listed");
        const QString pics = kPictureExtensions;
        QTest::newRow("upper-case JPG") << "Map.JPG" << pics << true;
        QTest::newRow("jpe is inside jpeg") << "a.jpe" << pics << true;
        QTest::newRow("single letter p") << "x.p" << pics << true;
        QTest::newRow("mp inside bmp") << "y.mp" << pics << true;
        QTest::newRow("tiff") << "pic.tiff" << pics << false;
        QTest::newRow("txt") << "notes.txt" << pics << false;
        QTest::newRow("no dot") << "README" << pics << false;
        QTest::newRow("last dot decides (bak)") << "photo.jpeg.bak" << pics << false;
        QTest::newRow("last dot decides (gif)") << "backup.old.gif" << pics << true;
        QTest::newRow("ends in a dot") << "d." << pics << true;
        QTest::newRow("project wsr") << "a.wsr"
                                     << ".wsr" << true;
        QTest::newRow("project WSR") << "b.WSR"
                                     << ".wsr" << true;
        QTest::newRow("project r") << "c.r"
                                   << ".wsr" << true;
        QTest::newRow("project wsrx") << "e.wsrx"
                                      << ".wsr" << false;
    }
    void extensionRule() {
        QFETCH(QString, name);
        QFETCH(QString, accepted);
        QFETCH(bool, listed);
        QCOMPARE(extensionAccepted(name, accepted), listed);
    }

    void directoryListIsSortedWithoutCaseAndSkipsHiddenFiles() {
        QTemporaryDir dir;
        for (const char* n : {"Map.JPG", "a.jpe", "x.p", "pic.PNG", "notes.txt", "README", "pic.tiff",
                              ".hidden.png", "b.c.d.BMP", "zeta.gif"})
            touch(dir.filePath(n));
        QVERIFY(QDir().mkdir(dir.filePath("folder.png"))); // directories are not files
        QCOMPARE(pictureFilesIn(dir.path()),
                 QStringList({"a.jpe", "b.c.d.BMP", "Map.JPG", "pic.PNG", "x.p", "zeta.gif"}));
    }

    void unreadablePictureLeavesTheOldMap_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a picture") << "fake.png" << QByteArray("hello, not a png") << "cannot be read";
        QTest::newRow("truncated") << "cut.png" << pngBytes(Qt::blue).left(40) << "cannot be read";
        QTest::newRow("missing") << "" << QByteArray() << "does not exist";
        QTest::newRow("directory (nothing chosen)") << "." << QByteArray() << "directory";
    }
    void unreadablePictureLeavesTheOldMap() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        touch(dir.filePath("good.png"), pngBytes(Qt::green));
        Workspace ws;
        QVERIFY(!loadMapPicture(ws, dir.filePath("good.png")));
        QString path = dir.filePath(name.isEmpty() ? "missing.png" : name);
        if (!bytes.isEmpty()) touch(path, bytes);
        const MaybeError error = loadMapPicture(ws, path);
        QVERIFY(error.has_value());
        QVERIFY2(error->reason.contains(reason), qPrintable(error->message()));
        QCOMPARE(error->file, path);
        QCOMPARE(ws.picture.size(), QSize(8, 6));
        QCOMPARE(rgbAt(ws.map.image(), 3, 3), 0x00ff00u);
    }

    void hugePictureIsRefused() {
        // A BMP header claiming 60000 x 60000 pixels must not be allocated.
        QByteArray bmp(54, '\0');
        auto put32 = [&](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                bmp[at + i] = char((v >> (8 * i)) & 0xff);
        };
        bmp[0] = 'B';
        bmp[1] = 'M';
        put32(2, 54);
        put32(10, 54);
        put32(14, 40);
        put32(18, 60000);
        put32(22, 60000);
        bmp[26] = 1;
        bmp[28] = 24;
        QTemporaryDir dir;
        touch(dir.filePath("huge.bmp"), bmp);
        Error error;
        QVERIFY(readPicture(dir.filePath("huge.bmp"), &error).isNull());
        QVERIFY(!error.reason.isEmpty());
    }
};

QTEST_GUILESS_MAIN(MapPictureTest)
#include "test_map_picture.moc"
