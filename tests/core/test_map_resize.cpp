// The resize command: the map stretched to the frame, written as BMP and read back.
#include "mapview/MapResize.h"
#include "settings/Presets.h"
#include "support/Pixels.h"

#include <QTemporaryDir>
#include <QtTest>

class MapResizeTest : public QObject {
    Q_OBJECT
  private slots:
    void stretchesToTheFrameAndReloads_data() {
        QTest::addColumn<QString>("dir");
        QTest::newRow("writable") << "out";
        QTest::newRow("cannot be created") << "blocker/out"; // a plain file where a directory should be
    }
    void stretchesToTheFrameAndReloads() {
        QFETCH(QString, dir);
        QTemporaryDir tmp;
        QFile blocker(tmp.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
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

QTEST_GUILESS_MAIN(MapResizeTest)
#include "test_map_resize.moc"
