// The resize command: the map stretched to the frame, written as BMP and read back.
#include "mapview/MapResize.h"
#include "settings/Presets.h"
#include "support/Pixels.h"

#include <QTemporaryDir>
#include <QtTest>

class MapResizeTest : public QObject {
    Q_OBJECT
  private slots:
    void stretchesToTheFrameAndReloads() {
        QTemporaryDir dir;
        Workspace ws;
        ws.st.interval = 2;
        SetPAL(ws);
        ws.picture = QImage(40, 30, QImage::Format_RGB32);
        ws.picture.fill(QColor(0, 0, 255));
        ws.st.imagename = "small.png";
        QVERIFY(!resizeMapPicture(ws, dir.path()));
        const QString file = dir.filePath("pathwright.bmp");
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(QImage(file).size(), QSize(786, 576));
        QCOMPARE(ws.picture.size(), QSize(786, 576));
        QCOMPARE(rgbAt(ws.map.image(), 700, 500), 0x0000ffu);
        QCOMPARE(ws.st.imagename, QString("small.png")); // the project still names its picture
    }

    void unwritableDirectoryLeavesTheMap() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("not-a-dir"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Workspace ws;
        ws.picture = QImage(40, 30, QImage::Format_RGB32);
        ws.picture.fill(Qt::green);
        const MaybeError error = resizeMapPicture(ws, dir.filePath("not-a-dir"));
        QVERIFY(error.has_value());
        QVERIFY(error->file.endsWith("pathwright.bmp"));
        QCOMPARE(ws.picture.size(), QSize(40, 30));
    }
};

QTEST_GUILESS_MAIN(MapResizeTest)
#include "test_map_resize.moc"
